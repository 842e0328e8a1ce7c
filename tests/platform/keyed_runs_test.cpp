// The keyed copy through a source's index of opaque runs: against a
// pixel-by-pixel reference on random pictures, keys and rectangles in every
// form, and kept in step with every way a source's pixels or key change.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "platform/surface_kernels.h"
#include "platform/sdl/common/text_render.h"

namespace {

using plat::KeyedCopyLevel;
using plat::KeyedCopyMethod;
using plat::Rect;
using plat::Surface;

// A small generator of the test's own, so that the pictures never change.
struct Lcg {
    uint32_t state;
    uint32_t next() {
        state = state * 1103515245u + 12345u;
        return (state >> 8) ^ (state << 20);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
};

// Rows of alternating transparent and opaque runs up to `longest` pixels
// (1: single pixels; the width: long runs and whole rows). Transparent
// pixels may carry a top byte, as only 24 bits are compared.
void paint(Surface* s, uint32_t key, Lcg& rng) {
    const int longest = 1 + rng.below(rng.below(2) == 0 ? 4 : s->width);
    for (int y = 0; y < s->height; ++y) {
        bool opaque = rng.below(2) == 0;
        for (int x = 0; x < s->width; opaque = !opaque)
            for (int n = 1 + rng.below(longest); n > 0 && x < s->width; --n, ++x) {
                uint32_t p = key | (rng.below(4) == 0 ? rng.next() << 24 : 0u);
                while (opaque && (p & 0xFFFFFFu) == key) p = rng.next();
                s->pixels[y * s->width + x] = p;
            }
    }
}

// What every form and method must give: each source pixel whose low 24 bits
// differ from the key written, the others left alone.
void referenceBlit(std::vector<uint32_t>& dst, int dstWidth, int x, int y, const Surface* src, const Rect& r) {
    for (int row = r.top; row < r.bottom; ++row)
        for (int col = r.left; col < r.right; ++col) {
            const uint32_t p = src->pixels[row * src->width + col];
            if (!src->hasColorKey || (p & 0xFFFFFFu) != src->colorKey)
                dst[(y + row - r.top) * dstWidth + x + col - r.left] = p;
        }
}

class KeyedRuns : public ::testing::Test {
protected:
    void SetUp() override { dst = plat::createSurface(96, 40); }
    void TearDown() override {
        plat::useKeyedCopyMethod(KeyedCopyMethod::Auto);
        plat::useMeasuredKeyedCopy();
        plat::destroySurface(dst);
    }

    // Blits src's rectangle to (x, y) of a filled destination with every
    // form and method; each result must equal the reference.
    void expectCopiesRight(const Surface* src, const Rect& r, int x, int y, const std::string& when) {
        std::vector<uint32_t> expected(96 * 40, Background);
        referenceBlit(expected, 96, x, y, src, r);
        for (KeyedCopyLevel level : {KeyedCopyLevel::Plain, KeyedCopyLevel::Sse2, KeyedCopyLevel::Avx2, KeyedCopyLevel::Avx512}) {
            if (!plat::useKeyedCopy(level)) continue;
            for (KeyedCopyMethod method : {KeyedCopyMethod::Dense, KeyedCopyMethod::Runs, KeyedCopyMethod::Auto}) {
                plat::useKeyedCopyMethod(method);
                plat::fillRect(dst, Rect{0, 0, 96, 40}, Background);
                ASSERT_EQ(plat::blit(dst, x, y, src, r, true), plat::Result::Ok);
                ASSERT_EQ(std::vector<uint32_t>(dst->pixels, dst->pixels + 96 * 40), expected)
                    << when << ": form " << static_cast<int>(level) << ", method " << static_cast<int>(method)
                    << ", rectangle " << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
            }
        }
    }
    void expectWholeCopiesRight(const Surface* src, const std::string& when) {
        expectCopiesRight(src, Rect{0, 0, src->width, src->height}, 3, 2, when);
    }

    static constexpr uint32_t Background = 0xABCDEF;
    Surface* dst = nullptr;
};

TEST_F(KeyedRuns, RandomPicturesKeysAndRectanglesMatchThePixelRule) {
    Lcg rng{20240601};
    for (int i = 0; i < 400 && !HasFatalFailure(); ++i) {
        Surface* src = plat::createSurface(1 + rng.below(80), 1 + rng.below(24));
        const uint32_t key = rng.below(3) == 0 ? 0 : rng.next() & 0xFFFFFFu;
        paint(src, key, rng);
        plat::setColorKey(src, key | (rng.next() << 24));  // the top byte of a key is ignored

        // Each side at the picture's edge a third of the time, else anywhere.
        const auto side = [&](int edge, int low, int high) {
            return rng.below(3) == 0 ? edge : low + rng.below(high - low + 1);
        };
        Rect r;
        r.left = side(0, 0, src->width);
        r.right = side(src->width, r.left, src->width);
        r.top = side(0, 0, src->height);
        r.bottom = side(src->height, r.top, src->height);
        const int x = rng.below(96 - (r.right - r.left) + 1), y = rng.below(40 - (r.bottom - r.top) + 1);
        expectCopiesRight(src, r, x, y, "picture " + std::to_string(i));
        plat::destroySurface(src);
    }
}

TEST_F(KeyedRuns, WritesIntoAnIndexedSourceAreSeen) {
    Surface* src = plat::createSurface(40, 12);
    Surface* other = plat::createSurface(16, 4);
    Lcg rng{77};
    paint(src, 0, rng);
    paint(other, 0, rng);
    plat::setColorKey(src, 0);
    plat::setColorKey(other, 0);
    expectWholeCopiesRight(src, "first copy");

    src->pixels[5 * 40 + 7] = 0x445566;
    src->pixels[0] = 0;
    plat::surfacePixelsChanged(src);
    expectWholeCopiesRight(src, "direct write");
    plat::fillRect(src, Rect{10, 2, 30, 9}, 0);
    expectWholeCopiesRight(src, "transparent fill");
    plat::fillRect(src, Rect{0, 0, 3, 12}, 0x010101);
    expectWholeCopiesRight(src, "opaque fill");
    ASSERT_EQ(plat::blit(src, 20, 6, other, Rect{0, 0, 16, 4}, false), plat::Result::Ok);
    expectWholeCopiesRight(src, "opaque copy into it");
    ASSERT_EQ(plat::blit(src, 2, 1, other, Rect{0, 0, 16, 4}, true), plat::Result::Ok);
    expectWholeCopiesRight(src, "keyed copy into it");

    // Text as the SDL layer copies it in: a paletted box, black over white,
    // into the transparent fill.
    SDL_Surface* text = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 8, SDL_PIXELFORMAT_INDEX8);
    const SDL_Color colors[2] = {{0, 0, 0, 255}, {255, 255, 255, 255}};
    SDL_SetPaletteColors(text->format->palette, colors, 0, 2);
    for (int y = 0; y < 2; ++y) std::memset(static_cast<uint8_t*>(text->pixels) + y * text->pitch, y, 3);
    ASSERT_TRUE(plat::copyTextSurface(src, 22, 4, text));
    SDL_FreeSurface(text);
    expectWholeCopiesRight(src, "text drawn into it");
    plat::destroySurface(src);
    plat::destroySurface(other);
}

TEST_F(KeyedRuns, KeyChangesLossAndRestoreAreSeen) {
    Surface* src = plat::createSurface(33, 7);
    for (int i = 0; i < 33 * 7; ++i) src->pixels[i] = i % 5 == 0 ? 0x112233 : (i % 7 == 0 ? 0 : 0x400000u + i);
    plat::setColorKey(src, 0);
    expectWholeCopiesRight(src, "key black");
    plat::setColorKey(src, 0x112233);
    expectWholeCopiesRight(src, "key changed");
    plat::clearColorKey(src);
    expectWholeCopiesRight(src, "key cleared");  // every pixel copied
    plat::setColorKey(src, 0x112233);
    expectWholeCopiesRight(src, "same key set again");

    plat::loseAllSurfaces();
    EXPECT_EQ(plat::blit(dst, 0, 0, src, Rect{0, 0, 33, 7}, true), plat::Result::SurfaceLost);
    plat::restoreSurface(dst);
    plat::restoreSurface(src);
    expectWholeCopiesRight(src, "restored empty");  // black is not the key now: all drawn
    for (int i = 0; i < 33 * 7; ++i) src->pixels[i] = i % 4 == 0 ? 0x112233 : 0x203040u + i;
    plat::surfacePixelsChanged(src);
    expectWholeCopiesRight(src, "reloaded");
    plat::destroySurface(src);
}

}  // namespace
