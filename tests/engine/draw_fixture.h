// A fresh 800x600 screen on the headless layer for every test, with bitmaps
// served as resources.
#pragma once

#include <gtest/gtest.h>

#include "engine/eng_draw.h"
#include "platform/headless/headless.h"
#include "platform/resources.h"
#include "support/bmp_fixtures.h"

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::headless::reset();
        engDraw::Release();
        screenTransition = ScreenTransition{};
        transitionRunning = 0;
        vsyncFlag = 0;
        keyColor = 0;
        ASSERT_EQ(engDraw::Screen(800, 600, 3), 1);
        testbmp::clear();
        testbmp::serve();
    }
    void TearDown() override {
        engDraw::FreeFontMemory();
        engDraw::Release();
        plat::setResourceProvider(nullptr);
        testbmp::clear();
    }

    static uint32_t& pixelOf(plat::Surface* s, int x, int y) { return s->pixels[static_cast<size_t>(y) * s->width + x]; }
    static uint32_t backAt(int x, int y) { return pixelOf(backSurface, x, y); }
    static uint32_t shownAt(int x, int y) { return pixelOf(primarySurface, x, y); }
    static void fill(plat::Surface* s, uint32_t pixel) { plat::fillRect(s, plat::Rect{0, 0, s->width, s->height}, pixel); }
    static const std::vector<plat::headless::Box>& boxes() { return plat::headless::boxes(); }
    static std::string lastBoxText() { return boxes().empty() ? "" : boxes().back().text; }
};
