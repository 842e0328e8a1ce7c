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
#include "platform/text_render.h"

namespace {

using plat::KeyedCopyLevel;
using plat::KeyedCopyMethod;
using plat::Rect;
using plat::Surface;

constexpr KeyedCopyLevel allLevels[] = {KeyedCopyLevel::Plain, KeyedCopyLevel::Avx2, KeyedCopyLevel::Avx512};
constexpr KeyedCopyMethod allMethods[] = {KeyedCopyMethod::Dense, KeyedCopyMethod::Runs, KeyedCopyMethod::Auto};

// A small generator of its own, so that the pictures do not depend on the
// standard library's engines.
struct Lcg {
    uint32_t state;
    uint32_t next() {
        state = state * 1103515245u + 12345u;
        return (state >> 8) ^ (state << 20);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
};

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

std::vector<uint32_t> pixelsOf(const Surface* s) { return {s->pixels, s->pixels + s->width * s->height}; }
void setPixels(Surface* s, const std::vector<uint32_t>& pixels) {
    std::memcpy(s->pixels, pixels.data(), pixels.size() * sizeof(uint32_t));
}

// Every test leaves the copy as the program starts it.
class KeyedRuns : public ::testing::Test {
protected:
    void TearDown() override {
        plat::useKeyedCopyMethod(KeyedCopyMethod::Auto);
        plat::useKeyedCopy(KeyedCopyLevel::Avx512) || plat::useKeyedCopy(KeyedCopyLevel::Avx2);
        for (Surface* s : made) plat::destroySurface(s);
    }
    Surface* make(int w, int h) {
        made.push_back(plat::createSurface(w, h));
        return made.back();
    }

    // A picture of one of four kinds: scattered transparent pixels, rows of
    // a few long runs, all transparent, all opaque. Transparent pixels may
    // carry a top byte (only 24 bits are compared); opaque ones are random.
    static void paint(Surface* s, uint32_t key, Lcg& rng) {
        const int kind = rng.below(4);
        const int clearShare = 1 + rng.below(9);  // in tenths, for the scattered kind
        const auto transparentPixel = [&] { return key | (rng.below(4) == 0 ? rng.next() << 24 : 0u); };
        const auto opaquePixel = [&] {
            uint32_t p;
            do p = rng.next() ^ (rng.next() << 16);
            while ((p & 0xFFFFFFu) == key);
            return p;
        };
        for (int y = 0; y < s->height; ++y) {
            bool opaque = rng.below(2) == 0;
            int left = 0;  // pixels to the next change, for the run kind
            for (int x = 0; x < s->width; ++x) {
                uint32_t& p = s->pixels[y * s->width + x];
                switch (kind) {
                    case 0: p = rng.below(10) < clearShare ? transparentPixel() : opaquePixel(); break;
                    case 1:
                        if (left-- == 0) {
                            opaque = !opaque;
                            left = rng.below(s->width);
                        }
                        p = opaque ? opaquePixel() : transparentPixel();
                        break;
                    case 2: p = transparentPixel(); break;
                    default: p = opaquePixel(); break;
                }
            }
        }
    }

    // Blits all of src onto a filled 96x40 destination with every form and
    // method; each result must equal the reference.
    void expectAllOfSrcCopiesRight(const Surface* src, const char* when) {
        expectCopiesRight(src, Rect{0, 0, src->width, src->height}, 3, 2, when);
    }
    void expectCopiesRight(const Surface* src, const Rect& r, int x, int y, const char* when) {
        std::vector<uint32_t> expected(dst()->width * dst()->height, Background);
        referenceBlit(expected, dst()->width, x, y, src, r);
        for (KeyedCopyLevel level : allLevels) {
            if (!plat::useKeyedCopy(level)) continue;
            for (KeyedCopyMethod method : allMethods) {
                plat::useKeyedCopyMethod(method);
                plat::fillRect(dst(), Rect{0, 0, dst()->width, dst()->height}, Background);
                ASSERT_EQ(plat::blit(dst(), x, y, src, r, true), plat::Result::Ok);
                ASSERT_EQ(pixelsOf(dst()), expected)
                    << when << ": form " << static_cast<int>(level) << ", method " << static_cast<int>(method)
                    << ", rectangle " << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
            }
        }
    }
    Surface* dst() {
        if (destination == nullptr) destination = make(96, 40);
        return destination;
    }

    static constexpr uint32_t Background = 0xABCDEF;
    std::vector<Surface*> made;
    Surface* destination = nullptr;
};

TEST_F(KeyedRuns, RandomPicturesKeysAndRectanglesMatchThePixelRule) {
    Lcg rng{20240601};
    dst();
    for (int i = 0; i < 400; ++i) {
        Surface* src = make(1 + rng.below(80), 1 + rng.below(24));
        const uint32_t key = rng.below(3) == 0 ? 0 : rng.next() & 0xFFFFFFu;
        paint(src, key, rng);
        plat::setColorKey(src, key | (rng.next() << 24));  // the top byte of a key is ignored

        // Each side at the picture's edge a third of the time, else inside.
        const auto side = [&](int edge, int low, int high) { return rng.below(3) == 0 ? edge : low + rng.below(high - low + 1); };
        Rect r;
        r.left = side(0, 0, src->width);
        r.right = side(src->width, r.left, src->width);
        r.top = side(0, 0, src->height);
        r.bottom = side(src->height, r.top, src->height);
        const int x = rng.below(dst()->width - (r.right - r.left) + 1);
        const int y = rng.below(dst()->height - (r.bottom - r.top) + 1);
        expectCopiesRight(src, r, x, y, ("picture " + std::to_string(i)).c_str());
        if (HasFatalFailure()) return;
        plat::destroySurface(src);
        made.pop_back();
    }
}

// A picture with a transparent frame and an opaque middle, indexed by a
// first copy, then changed in each way a program can change it.
TEST_F(KeyedRuns, WritesIntoAnIndexedSourceAreSeen) {
    Surface* src = make(40, 12);
    Lcg rng{77};
    paint(src, 0, rng);
    plat::setColorKey(src, 0);
    expectAllOfSrcCopiesRight(src, "first copy");

    src->pixels[5 * 40 + 7] = 0x445566;
    src->pixels[0] = 0;
    plat::surfacePixelsChanged(src);
    expectAllOfSrcCopiesRight(src, "direct write");

    plat::fillRect(src, Rect{10, 2, 30, 9}, 0);
    expectAllOfSrcCopiesRight(src, "transparent fill");
    plat::fillRect(src, Rect{0, 0, 3, 12}, 0x010101);
    expectAllOfSrcCopiesRight(src, "opaque fill");

    Surface* other = make(16, 4);
    paint(other, 0, rng);
    plat::setColorKey(other, 0);
    ASSERT_EQ(plat::blit(src, 20, 6, other, Rect{0, 0, 16, 4}, false), plat::Result::Ok);
    expectAllOfSrcCopiesRight(src, "opaque copy into it");
    ASSERT_EQ(plat::blit(src, 2, 1, other, Rect{0, 0, 16, 4}, true), plat::Result::Ok);
    expectAllOfSrcCopiesRight(src, "keyed copy into it");

    // Text, as the SDL layer copies it in: a paletted 3x2 box.
    SDL_Surface* text = SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 8, SDL_PIXELFORMAT_INDEX8);
    ASSERT_NE(text, nullptr);
    const SDL_Color colors[2] = {{0, 0, 0, 255}, {255, 255, 255, 255}};
    SDL_SetPaletteColors(text->format->palette, colors, 0, 2);
    const uint8_t rows[2][3] = {{0, 1, 0}, {1, 1, 0}};
    for (int y = 0; y < 2; ++y) std::memcpy(static_cast<uint8_t*>(text->pixels) + y * text->pitch, rows[y], 3);
    ASSERT_TRUE(plat::copyTextSurface(src, 36, 0, text));
    SDL_FreeSurface(text);
    expectAllOfSrcCopiesRight(src, "text drawn into it");
}

TEST_F(KeyedRuns, KeyChangesAreSeen) {
    Surface* src = make(33, 7);
    for (int i = 0; i < 33 * 7; ++i) src->pixels[i] = i % 5 == 0 ? 0x112233 : (i % 7 == 0 ? 0 : 0x400000u + i);
    plat::setColorKey(src, 0);
    expectAllOfSrcCopiesRight(src, "key black");
    plat::setColorKey(src, 0x112233);
    expectAllOfSrcCopiesRight(src, "key changed");
    plat::clearColorKey(src);
    expectAllOfSrcCopiesRight(src, "key cleared");  // copies every pixel
    plat::setColorKey(src, 0x112233);
    expectAllOfSrcCopiesRight(src, "same key set again");
}

TEST_F(KeyedRuns, LossAndRestoreClearTheIndex) {
    Surface* src = make(20, 5);
    for (int i = 0; i < 20 * 5; ++i) src->pixels[i] = i % 3 == 0 ? 0x999999 : 0x102030u + i;
    plat::setColorKey(src, 0x999999);
    expectAllOfSrcCopiesRight(src, "before the loss");

    dst();  // made before the loss, so that it is restored with the rest
    plat::loseAllSurfaces();
    EXPECT_EQ(plat::blit(dst(), 0, 0, src, Rect{0, 0, 20, 5}, true), plat::Result::SurfaceLost);
    ASSERT_EQ(plat::restoreSurface(dst()), plat::Result::Ok);
    ASSERT_EQ(plat::restoreSurface(src), plat::Result::Ok);
    EXPECT_EQ(pixelsOf(src), std::vector<uint32_t>(20 * 5, 0u));
    expectAllOfSrcCopiesRight(src, "restored empty");  // black is not the key: every pixel drawn

    for (int i = 0; i < 20 * 5; ++i) src->pixels[i] = i % 4 == 0 ? 0x999999 : 0x203040u + i;
    plat::surfacePixelsChanged(src);
    expectAllOfSrcCopiesRight(src, "reloaded");
}

TEST_F(KeyedRuns, CopyWithinOneSurfaceMatchesTheReference) {
    Surface* s = make(64, 16);
    Lcg rng{5};
    paint(s, 0, rng);
    plat::setColorKey(s, 0);
    for (KeyedCopyMethod method : allMethods) {
        plat::useKeyedCopyMethod(method);
        const std::vector<uint32_t> before = pixelsOf(s);
        std::vector<uint32_t> expected = before;
        referenceBlit(expected, 64, 32, 8, s, Rect{0, 0, 32, 8});  // the rectangles do not overlap
        ASSERT_EQ(plat::blit(s, 32, 8, s, Rect{0, 0, 32, 8}, true), plat::Result::Ok);
        EXPECT_EQ(pixelsOf(s), expected) << "method " << static_cast<int>(method);
        setPixels(s, before);
        plat::surfacePixelsChanged(s);
    }
}

}  // namespace
