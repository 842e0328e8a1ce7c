// The picture scaled into a window's own pixels: placement, filtering, and
// redrawing only what changed.
#include "platform/scaled_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

bool sameRect(const plat::Rect& a, const plat::Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(ScaledView, PlacesThePictureWithItsAspectKeptAndMapsThePointer) {
    EXPECT_TRUE(sameRect(plat::fitPicture(800, 600, 1280, 720), plat::Rect{160, 0, 1120, 720}));
    EXPECT_TRUE(sameRect(plat::fitPicture(800, 600, 1280, 1024), plat::Rect{0, 32, 1280, 992}));
    EXPECT_TRUE(sameRect(plat::fitPicture(800, 600, 1024, 768), plat::Rect{0, 0, 1024, 768}));
    EXPECT_TRUE(sameRect(plat::fitPicture(360, 600, 360, 600), plat::Rect{0, 0, 360, 600}));

    plat::ScaledView view;
    ASSERT_TRUE(plat::setUpScaledView(view, 800, 600, 1280, 720));
    int x = 160 + 480, y = 360;
    plat::viewToPicture(view, x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    plat::pictureToView(view, x, y);
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 360);
    EXPECT_FALSE(plat::setUpScaledView(view, 800, 600, 0, 720));
}

TEST(ScaledView, FiltersLikeLinearTextureSamplingAtTexelCentres) {
    // Black and white texels, twice as wide and tall: 0, 1/4, 3/4 and 1 of
    // the way across (8-bit weights, rounded down), the same on both rows.
    const std::vector<uint32_t> picture = {0x000000, 0xFFFFFF};
    plat::ScaledView view;
    ASSERT_TRUE(plat::setUpScaledView(view, 2, 1, 4, 2));
    std::vector<uint32_t> window(8, 0xDEADBEEF);
    plat::Rect rects[4];
    ASSERT_EQ(plat::updateScaledView(view, picture.data(), 2, window.data(), 4, rects, 4), 1);
    EXPECT_TRUE(sameRect(rects[0], plat::Rect{0, 0, 4, 2}));
    const std::vector<uint32_t> row = {0x000000, 0x3F3F3F, 0xBFBFBF, 0xFFFFFF};
    EXPECT_EQ(std::vector<uint32_t>(window.begin(), window.begin() + 4), row);
    EXPECT_EQ(std::vector<uint32_t>(window.begin() + 4, window.end()), row);
}

TEST(ScaledView, AgreesWithPlainBilinearFilteringEverywhere) {
    // Odd sizes, so that every form of the row loops (blocks, tails, the
    // clamped edge columns) meets pixels of its own.
    constexpr int W = 37, H = 23, TW = 101, TH = 62;
    std::vector<uint32_t> picture(W * H);
    uint32_t seed = 12345;
    for (uint32_t& p : picture) p = (seed = seed * 1103515245u + 12345u) >> 8 & 0x00FFFFFFu;
    plat::ScaledView view;
    ASSERT_TRUE(plat::setUpScaledView(view, W, H, TW, TH));
    std::vector<uint32_t> window(TW * TH);
    plat::Rect rects[2];
    plat::updateScaledView(view, picture.data(), W, window.data(), TW, rects, 2);
    const plat::Rect& v = view.view;
    const auto texel = [&](int x, int y, int shift) {
        return static_cast<double>(picture[std::clamp(y, 0, H - 1) * W + std::clamp(x, 0, W - 1)] >> shift & 0xFF);
    };
    int worst = 0;
    for (int y = v.top; y < v.bottom; ++y)
        for (int x = v.left; x < v.right; ++x) {
            const double sx = std::max(0.0, (x - v.left + 0.5) * W / (v.right - v.left) - 0.5);
            const double sy = std::max(0.0, (y - v.top + 0.5) * H / (v.bottom - v.top) - 0.5);
            const int x0 = static_cast<int>(sx), y0 = static_cast<int>(sy);
            const double fx = sx - x0, fy = sy - y0;
            for (int shift : {0, 8, 16}) {
                const double top = texel(x0, y0, shift) * (1 - fx) + texel(x0 + 1, y0, shift) * fx;
                const double bottom = texel(x0, y0 + 1, shift) * (1 - fx) + texel(x0 + 1, y0 + 1, shift) * fx;
                const double want = top * (1 - fy) + bottom * fy;
                const int got = static_cast<int>(window[y * TW + x] >> shift & 0xFF);
                worst = std::max(worst, static_cast<int>(std::fabs(got - want) + 0.5));
            }
            ASSERT_EQ(window[y * TW + x] >> 24, 0u);
        }
    EXPECT_LE(worst, 3) << "8-bit weights, rounded down twice";
}

TEST(ScaledView, RedrawsOnlyTheRowsThatReadAChangedRowAndNothingForTheSamePicture) {
    constexpr int W = 8, H = 6, TW = 20, TH = 12;  // 8x6 in 20x12: 16x12 at x 2, bars either side
    std::vector<uint32_t> picture(W * H);
    for (int i = 0; i < W * H; ++i) picture[i] = 0x010203u * static_cast<uint32_t>(i);
    plat::ScaledView view;
    ASSERT_TRUE(plat::setUpScaledView(view, W, H, TW, TH));
    std::vector<uint32_t> window(TW * TH, 0xDEADBEEF);
    plat::Rect rects[8];
    ASSERT_EQ(plat::updateScaledView(view, picture.data(), W, window.data(), TW, rects, 8), 1);
    EXPECT_TRUE(sameRect(rects[0], plat::Rect{0, 0, TW, TH})) << "the first frame draws the bars too";
    for (int y = 0; y < TH; ++y) EXPECT_EQ(window[y * TW], 0u) << "bar, row " << y;

    EXPECT_EQ(plat::updateScaledView(view, picture.data(), W, window.data(), TW, rects, 8), 0);

    // Source row 3 feeds the view rows whose two texels include it: 5..8.
    picture[3 * W + 4] = 0xFFFFFF;
    std::vector<uint32_t> poisoned(TW * TH, 0x12345678);
    ASSERT_EQ(plat::updateScaledView(view, picture.data(), W, poisoned.data(), TW, rects, 8), 1);
    EXPECT_TRUE(sameRect(rects[0], plat::Rect{2, 5, 18, 9}));
    for (int y = 0; y < TH; ++y)
        for (int x = 0; x < TW; ++x) {
            const bool inside = y >= 5 && y < 9 && x >= 2 && x < 18;
            if (!inside) {
                ASSERT_EQ(poisoned[y * TW + x], 0x12345678u) << x << "," << y;
            }
        }

    // After an exposure everything again, also from the view's own copy of
    // the picture; one-to-one copies the picture.
    plat::invalidateScaledView(view);
    EXPECT_EQ(plat::updateScaledView(view, picture.data(), W, window.data(), TW, rects, 8), 1);
    plat::invalidateScaledView(view);
    std::vector<uint32_t> repainted(TW * TH, 0x12345678);
    EXPECT_EQ(plat::updateScaledView(view, view.shown.data(), W, repainted.data(), TW, rects, 8), 1);
    EXPECT_EQ(repainted, window);
    ASSERT_TRUE(plat::setUpScaledView(view, W, H, W, H));
    std::vector<uint32_t> resized(W * H);  // a window set up again shows the last picture before any frame
    plat::updateScaledView(view, view.shown.data(), W, resized.data(), W, rects, 8);
    EXPECT_EQ(resized, picture);
    plat::invalidateScaledView(view);
    std::vector<uint32_t> same(W * H);
    plat::updateScaledView(view, picture.data(), W, same.data(), W, rects, 8);
    EXPECT_EQ(same, picture);
}

}  // namespace
