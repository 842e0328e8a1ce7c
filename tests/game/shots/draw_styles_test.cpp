// What the draw styles put on the back surface: each test image's pixels
// encode their own source position, so a pixel of the back surface tells
// which image and cell was drawn there.
#include <gtest/gtest.h>

#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/play_state.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "platform/surface.h"
#include "support/coded_images.h"

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

TEST_F(DrawStyles, EachSceneScrollsItsColumnsFrontOneLast) {
    int32_t* images[BackColumnCount] = {&imgBback1s, &imgBback2s, &imgBback3s,
                                        &imgBback4s, &imgBback5s, &imgBback8s};
    for (int column = 0; column < BackColumnCount; ++column) {
        makeImage(*images[column], column + 1, BackTileWidth, BackTileHeight);
    }
    // Bit k for column k (1S bit 0 .. 8S bit 5); stage 1, 2, 3, ship select, ending.
    const int members[] = {0b100101, 0b101010, 0b010101, 0b100101, 0b010110};
    const BackColumn front[] = {Back1S, Back2S, Back3S, Back1S, Back2S};
    scrollDistance = 100;
    frameTime = 0.016f;
    for (int scene = 0; scene < 5; ++scene) {
        resetBackColumns();
        scrollBackgrounds(static_cast<BackgroundScene>(scene));
        EXPECT_EQ(testsupport::codedTag(backAt(220, 300)), front[scene] + 1) << scene;
        for (int column = 0; column < BackColumnCount; ++column) {
            EXPECT_EQ(backTiles[column][0].y != 120.0f, ((members[scene] >> column) & 1) != 0) << scene;
        }
    }
}

}  // namespace
