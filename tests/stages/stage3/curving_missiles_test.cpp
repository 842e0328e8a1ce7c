// Stage 3's curving missile streams: launches every third frame from a
// reset, whole-pixel steps by clock band, falling out below the screen.
#include "stages/stage3/curving_missiles.h"

#include <gtest/gtest.h>

#include "engine/eng_system.h"
#include "game/player.h"
#include "game/resets.h"
#include "support/pool_tables.h"

namespace {

TEST(PoolTables, MissileStreamsHaveTheirOwnRecordsAndKnownImages) {
    testsupport::expectRowsFit(curvingMissileRecords, missileStreamPools, missileStreamPoolRecords);
}

class MissileStreams : public ::testing::Test {
protected:
    void SetUp() override {
        resetObjectPools();
        boss3 = BossBody{screenX(300.7f), 50.9f, 0, 1000, 0, 0};  // cut to (300, 50)
        frameTime = 0.016f;
        playerAlive = 1;
    }
    static void tickAll() {
        for (int s = 0; s < MissileStreamCount; ++s) tickMissileStream(s);
    }
    // Missile j of stream s at (x, y), active, with its clock at `timer`.
    static CurvingMissile& put(int s, int j, int32_t x, int32_t y, float timer) {
        CurvingMissile& m = missileStreamPoolRecords(s)[j];
        m = CurvingMissile{x, y, timer, 1, 20};
        return m;
    }
};

TEST_F(MissileStreams, FromAResetTheThirdFrameLaunchesMissileOneOfEveryStream) {
    tickAll();
    tickAll();
    for (const CurvingMissile& m : curvingMissileRecords) ASSERT_EQ(m.active, 0);
    tickAll();
    const int32_t launchX[] = {435, 575, 430, 570, 425, 565};
    const int32_t launchY[] = {185, 185, 180, 180, 155, 155};
    for (int s = 0; s < MissileStreamCount; ++s) {
        SCOPED_TRACE(s);
        const CurvingMissile* stream = missileStreamPoolRecords(s);
        EXPECT_TRUE(stream[1].active == 1 && stream[1].x == screenX(launchX[s]) && stream[1].y == launchY[s]);
        EXPECT_TRUE(stream[1].timer == 0.0f && stream[1].param == 20);
        EXPECT_TRUE(stream[0].active == 0 && stream[2].active == 0);
        EXPECT_EQ(missileStreamCounters[s], 3);
    }
    // A missile still in flight when its turn comes is skipped.
    put(2, 2, 1, 2, 7.0f);
    tickAll();
    tickAll();
    tickAll();
    EXPECT_TRUE(missileStreamPoolRecords(2)[2].x == 1 && missileStreamPoolRecords(2)[2].y == 2);
    EXPECT_EQ(missileStreamPoolRecords(3)[2].active, 1);
}

TEST_F(MissileStreams, EachFrameStepsByTheBandOfTheClockMirroredOnTheRight) {
    CurvingMissile& first = put(0, 0, 300, 100, 0.0f);    // rate 20: 0.32 a frame
    CurvingMissile& mirror = put(1, 0, 300, 100, 0.0f);
    CurvingMissile& gap = put(0, 1, 300, 100, 3.18f);     // 3.5: between two bands
    CurvingMissile& past = put(0, 2, 300, 100, 249.8f);   // beyond the last band (250)
    CurvingMissile& hook = put(4, 0, 300, 100, 39.5f);    // rate 40: into 40..280, +10
    CurvingMissile& hookRight = put(5, 0, 300, 100, 39.5f);
    CurvingMissile& middle = put(2, 0, 300, 100, 23.7f);  // rate 30: 24.18, between 22..24 and 25..27
    playerX = 300.0f;  // on the missiles: they never harm the ship
    playerY = 100.0f;
    for (int s = 0; s < MissileStreamCount; ++s) moveCurvingMissiles(s);
    EXPECT_TRUE(first.x == 294 && first.y == 100);
    EXPECT_FLOAT_EQ(first.timer, 0.32f);
    EXPECT_TRUE(mirror.x == 306 && mirror.y == 100);
    EXPECT_TRUE(gap.x == 300 && gap.y == 100);
    EXPECT_TRUE(past.x == 300 && past.y == 100 && past.active == 1);
    EXPECT_TRUE(hook.x == 310 && hook.y == 106);
    EXPECT_TRUE(hookRight.x == 290 && hookRight.y == 106);
    EXPECT_TRUE(middle.x == 300 && middle.y == 100);
    EXPECT_EQ(playerAlive, 1);
}

TEST_F(MissileStreams, AMissileBelowTheScreenIsFreedWhereItIs) {
    CurvingMissile& out = put(0, 0, 300, 595, 10.0f);  // 10.32: step (-3, +6)
    CurvingMissile& edge = put(0, 1, 300, 594, 10.0f);
    moveCurvingMissiles(0);
    EXPECT_TRUE(out.active == 0 && out.timer == 0.0f && out.x == 297 && out.y == 601);
    EXPECT_TRUE(edge.active == 1 && edge.y == 600);
    moveCurvingMissiles(0);  // a free missile stays put
    EXPECT_EQ(out.y, 601);
}

}  // namespace
