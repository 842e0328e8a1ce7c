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
        engDraw::SetPictureLimit(0, 0);
        screenTransition = ScreenTransition{};
        transitionRunning = vsyncFlag = keyColor = 0;
        ASSERT_EQ(engDraw::Screen(800, 600, 3), 1);
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
    static std::vector<uint8_t> solid(int w, int h, uint32_t pixel) {
        return testbmp::make(24, w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, pixel));
    }
    static std::string lastBoxText() {
        const auto& boxes = plat::headless::boxes();
        return boxes.empty() ? "" : boxes.back().text;
    }
};
