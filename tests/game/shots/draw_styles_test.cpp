// What the draw styles put on the back surface: each test image's pixels
// encode their own source position, so a pixel of the back surface tells
// which image and cell was drawn there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/play_state.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "platform/surface.h"
#include "support/coded_images.h"
#include "support/unculled_draws.h"

namespace {

constexpr uint32_t code(int tag, int x, int y) { return testsupport::codedPixel(tag, x, y); }

class DrawStyles : public ::testing::Test, protected testsupport::CodedDrawing {
protected:
    void SetUp() override { useScratchBack(screenX(220), 0, screenX(580), 600); }
    void TearDown() override { restoreDrawing(); }
};

TEST_F(DrawStyles, PlainAndAnimatedCutsAtTheTruncatedPosition) {
    makeImage(imgVal405, 1, 200, 40);
    VolleyShot shots[2]{};
    shots[0].x = screenX(300.9f);
    shots[0].y = 100.7f;
    shots[1].x = parkPosition.x;
    shots[1].y = parkPosition.y;
    drawShotPool(shots, 2, plainVal405);
    EXPECT_EQ(backAt(300, 100), code(1, 120, 0));
    EXPECT_EQ(backAt(339, 139), code(1, 159, 39));
    EXPECT_EQ(backAt(340, 100), 0u);

    makeImage(imgVal20241, 2, 480, 20);
    shots[0].frame = 23;
    shots[1].frame = 5;
    drawShotPool(shots, 2, animatedVal20241);
    EXPECT_EQ(backAt(300, 100), code(2, 460, 0));
    EXPECT_EQ(shots[0].frame, 0);  // wraps at the strip's 24 frames
    EXPECT_EQ(shots[1].frame, 6);  // parked records advance too
}

TEST_F(DrawStyles, ActiveOnlyAndSweepLineSkipFreeRecords) {
    makeImage(imgRay5, 1, 40, 40);
    CurvingMissile missiles[2] = {{screenX(300), 100, 0, 0, 0}, {screenX(400), 100, 0, 1, 0}};
    // The style of stage 3's middle missile streams.
    constexpr ShotPoolDraw activeRay5{DrawStyle::ActiveOnly, &imgRay5, nullptr, 0, 0, 40, 40, 0};
    drawShotPool(missiles, 2, activeRay5);
    EXPECT_EQ(backAt(300, 100), 0u);
    EXPECT_EQ(backAt(400, 100), code(1, 0, 0));

    makeImage(imgVal3017a, 2, 30, 30);
    makeImage(imgVal3015a, 3, 30, 30);
    SweepShot line[SweepRecordCount]{};
    for (int k = 0; k < SweepRecordCount; ++k) {
        line[k] = SweepShot{screenX(230.0f + 40 * k), 200, 0, 0, 0, 0, 0, k != 2};
    }
    drawShotPool(line, SweepRecordCount, sweepLineDrawLeft);
    EXPECT_EQ(backAt(230, 200), code(2, 0, 0));
    EXPECT_EQ(backAt(310, 200), 0u);  // record 2 is free
    EXPECT_EQ(backAt(430, 229), code(2, 0, 29));
    EXPECT_EQ(backAt(470, 200), code(3, 0, 0));  // record 6 leads with the second image
}

TEST_F(DrawStyles, ChainAndAlternatingPickTheirCellByRecordIndex) {
    makeImage(imgVal402, 1, 200, 40);
    VolleyShot chain[8]{};
    for (int k = 0; k < 8; ++k) chain[k] = VolleyShot{0, 0, screenX(230.0f + 40 * k), 300, 0, 0, 0};
    drawShotPool(chain, 8, chainVal402);
    EXPECT_EQ(backAt(230, 300), code(1, 0, 0));
    EXPECT_EQ(backAt(390, 300), code(1, 160, 0));  // record 4: last cell of the five
    EXPECT_EQ(backAt(510, 300), code(1, 80, 0));   // record 7: cell 7 mod 5

    makeImage(imgVal405, 2, 200, 40);
    drawShotPool(chain, 2, alternatingVal405);
    EXPECT_EQ(backAt(230, 300), code(2, 80, 0));
    EXPECT_EQ(backAt(270, 300), code(2, 160, 0));
}

// Positions around and across the play field's clip: each edge at the cut
// sizes and draw offsets the pools use, half pixels either side (the cut to
// whole pixels goes towards 0), park places and the far ends of a float.
std::vector<float> positionsAround(float low, float high) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    std::vector<float> at{(low + high) / 2 + 0.25f, -500, 2550, 5000, nan, inf, -inf, 3e9f, -3e9f, 1e9f, -1e9f,
                          16777218.0f, -16777218.0f};
    for (float d : {-70, -53, -52, -41, -40, -39, -31, -30, -29, -17, -16, -13, -12, -1, 0, 1}) {
        for (float half : {-0.5f, 0.0f, 0.5f}) at.push_back(low + d + half);
    }
    for (float d : {-1, 0, 1, 12, 13}) {
        for (float half : {-0.5f, 0.0f, 0.5f}) at.push_back(high + d + half);
    }
    return at;
}

// One record at every pair of those positions, active or free, with frames
// inside and outside the strips.
template <typename Record>
std::vector<Record> recordsAcrossTheClip() {
    std::vector<Record> records;
    for (float x : positionsAround(static_cast<float>(clipRect.left), static_cast<float>(clipRect.right))) {
        for (float y : positionsAround(static_cast<float>(clipRect.top), static_cast<float>(clipRect.bottom))) {
            Record r{};
            if constexpr (std::is_floating_point_v<decltype(Record::x)>) {
                r.x = x;
                r.y = y;
            } else {
                // Whole-pixel records: the finite positions, held to the int range.
                r.x = std::isnan(x) ? 0 : static_cast<int32_t>(std::clamp(x, -2e9f, 2e9f));
                r.y = std::isnan(y) ? 0 : static_cast<int32_t>(std::clamp(y, -2e9f, 2e9f));
            }
            r.active = records.size() % 3 != 0;
            if constexpr (requires { r.frame; }) r.frame = static_cast<int32_t>(records.size() % 30) - 3;
            records.push_back(r);
        }
    }
    return records;
}

class CulledPoolDraw : public DrawStyles {
protected:
    // Both draws from the same records: the same pixels and the same records
    // after, and the same records' blits reach the copy (one cut to zero
    // size draws nothing, but on a lost back surface it is the blit that
    // restores it).
    template <typename Record>
    void expectSameDraw(const ShotPoolDraw& draw, const char* name) {
        const std::vector<Record> start = recordsAcrossTheClip<Record>();
        std::vector<Record> records = start, unculledRecords = start;
        const int count = static_cast<int>(records.size());
        clearBack();
        unculled::drawShotPool(unculledRecords.data(), count, draw);
        const std::vector<uint32_t> unculledPixels(backSurface->pixels,
                                                   backSurface->pixels + backSurface->width * backSurface->height);
        clearBack();
        drawShotPool(records.data(), count, draw);
        EXPECT_EQ(std::memcmp(backSurface->pixels, unculledPixels.data(), unculledPixels.size() * sizeof(uint32_t)), 0)
            << name;
        EXPECT_EQ(std::memcmp(records.data(), unculledRecords.data(), records.size() * sizeof(Record)), 0) << name;

        // The loss is met before any size test, so a small stand-in back
        // surface will do (and is quick to restore).
        plat::Surface* const back = backSurface;
        backSurface = plat::createSurface(1, 1);
        int differ = 0;
        for (const Record& one : start) {
            Record a = one, b = one;
            backSurface->lost = true;
            unculled::drawShotPool(&a, 1, draw);
            const bool unculledReached = !backSurface->lost;
            backSurface->lost = true;
            drawShotPool(&b, 1, draw);
            differ += unculledReached != !backSurface->lost;
        }
        plat::destroySurface(backSurface);
        backSurface = back;
        EXPECT_EQ(differ, 0) << name << ": records whose blit reaches the copy in one draw only";
    }
    void expectEveryStyleSame() {
        constexpr ShotPoolDraw activeVal405{DrawStyle::ActiveOnly, &imgVal405, nullptr, 0, 0, 40, 40, 0, -3, 7};
        constexpr ShotPoolDraw activeRay5{DrawStyle::ActiveOnly, &imgRay5, nullptr, 0, 0, 40, 40, 0};
        expectSameDraw<VolleyShot>(plainVal405, "plain");
        expectSameDraw<AimedShot>(plainVall301, "plain aimed");
        expectSameDraw<VolleyShot>(animatedVal20241, "animated");
        expectSameDraw<FanShot>(animatedVal16241, "animated with offsets");
        expectSameDraw<VolleyShot>(activeVal405, "active only");
        expectSameDraw<CurvingMissile>(activeRay5, "active only, whole pixels");
        expectSameDraw<SweepShot>(sweepLineDrawLeft, "sweep line");
        expectSameDraw<VolleyShot>(chainVal402, "chain");
        expectSameDraw<VolleyShot>(alternatingVal405, "alternating");
        // Alternating cells are 40 x 40 whatever the row says.
        constexpr ShotPoolDraw alternatingSmallRow{DrawStyle::Alternating, &imgVal405, nullptr, 0, 0, 20, 10, 0};
        expectSameDraw<VolleyShot>(alternatingSmallRow, "alternating, small row");
    }
};

TEST_F(CulledPoolDraw, EveryStylePaintsAndStepsAsTheUnculledDraw) {
    makeImage(imgVal405, 1, 200, 40);
    makeImage(imgVall301, 2, 30, 30);
    makeImage(imgVal20241, 3, 480, 20);
    makeImage(imgVal16241, 4, 384, 16);
    makeImage(imgRay5, 5, 40, 40);
    makeImage(imgVal3017a, 6, 30, 30);
    makeImage(imgVal3015a, 7, 30, 30);
    makeImage(imgVal402, 8, 200, 40);
    expectEveryStyleSame();
    // A clip too wide for the loose test's whole-float bounds.
    engDraw::SetClip(-(1 << 25), -(1 << 25), 1 << 25, 1 << 25);
    expectEveryStyleSame();
}

TEST_F(CulledPoolDraw, ClipTestSparesExactlyTheBlitsThatCopyNothing) {
    // With no surface in the slot, Blit answers 0 when the clip cut the
    // rectangle away and an error once it reaches the copy (also one cut to
    // zero size).
    constexpr int emptySlot = ImageSlotCount - 1;
    ASSERT_EQ(imageSlots[emptySlot].surface, nullptr);
    const int32_t far = std::numeric_limits<int32_t>::max();
    std::vector<int32_t> xs{-far, far}, ys{-far, far};
    for (int d = -45; d <= 3; ++d) {
        xs.push_back(clipRect.left + d);
        xs.push_back(clipRect.right - d);
        ys.push_back(clipRect.top + d);
        ys.push_back(clipRect.bottom - d);
    }
    const int32_t sizes[][2] = {{16, 16}, {40, 30}, {0, 0}, {-3, 5}, {far, 1}};
    for (const auto& size : sizes) {
        for (int32_t x : xs) {
            for (int32_t y : ys) {
                ASSERT_EQ(engDraw::ClippedAway(x, y, size[0], size[1]),
                          engDraw::Blit(x, y, emptySlot, 0, 0, size[0], size[1]) == 0)
                    << x << ", " << y << " size " << size[0] << " x " << size[1];
            }
        }
    }
}

}  // namespace
