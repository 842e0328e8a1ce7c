#include "game/shots/shot_records.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/eng_system.h"
#include "game/player.h"

namespace {

class AimRule : public ::testing::Test {
protected:
    void SetUp() override {
        playerX = 300.0f;
        playerY = 400.0f;
    }
    float dx = 0, dy = 0;
};

TEST_F(AimRule, StraightBelowAboveAndOnTheAimPoint) {
    EXPECT_EQ(aimAngle(315.0f, 100.0f, 15.0f, piTimes(0.1), dx, dy), piTimes(0.5) + piTimes(0.1));
    // Quarter-turn offsets give the exact axis directions.
    EXPECT_EQ(aimAngle(315.0f, 100.0f, 15.0f, piTimes(0.5), dx, dy), Pi);
    EXPECT_EQ(aimAngle(315.0f, 100.0f, 15.0f, -piTimes(0.5), dx, dy), 0.0f);
    // Above the aim point, or on it, the shot turns half around.
    EXPECT_EQ(aimAngle(315.0f, 600.0f, 15.0f, 0.0f, dx, dy), piTimes(0.5) + Pi);
    EXPECT_EQ(aimAngle(315.0f, 415.0f, 15.0f, 0.0f, dx, dy), piTimes(0.5) + Pi);
    EXPECT_EQ(dy, 0.0f);
}

TEST_F(AimRule, AimPointToTheLeftAddsAHalfTurnWhateverTheSignOfDy) {
    EXPECT_NEAR(aimAngle(415.0f, 315.0f, 15.0f, 0.0f, dx, dy), 0.75 * PiD, 1e-6);
    EXPECT_NEAR(aimAngle(415.0f, 515.0f, 15.0f, 0.0f, dx, dy), 1.25 * PiD, 1e-6);
    EXPECT_EQ(aimAngle(415.0f, 415.0f, 15.0f, 0.0f, dx, dy), Pi);
    EXPECT_NEAR(aimAngle(215.0f, 515.0f, 15.0f, 0.0f, dx, dy), -0.25 * PiD, 1e-6);
}

TEST_F(AimRule, TheAimOffsetMovesTheAimPointIntoTheShip) {
    for (float a : {9.0f, 10.0f, 15.0f, 20.0f}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(aimAngle(playerX + a, 100.0f, a, 0.0f, dx, dy), piTimes(0.5));
        EXPECT_EQ(dy, playerY + a - 100.0f);
        EXPECT_LT(aimAngle(playerX + a - 1.0f, 100.0f, a, 0.0f, dx, dy), piTimes(0.5));
        EXPECT_EQ(dx, 1.0f);
    }
}

TEST_F(AimRule, QuotientIsSinglePrecisionAndTheArctangentIsRoundedBeforeTheOffset) {
    // dy / dx = 1 / 7 as a float, its arctangent rounded to a float, then
    // + 0.1 pi: 0x1.d30070p-2. A quotient in double, or the offset added
    // before the rounding, gives 0x1.d3006ep-2.
    EXPECT_EQ(aimAngle(293.0f, 399.0f, 0.0f, piTimes(0.1), dx, dy), 0x1.d30070p-2f);
}

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        playerX = 300.0f;
        playerY = 400.0f;
        playerAlive = 1;
    }
    const HitBox box{10, 30, 20, 30};
};

TEST_F(PlayerTest, BoxEdgesAreInclusive) {
    EXPECT_TRUE(insidePlayerBox(310.0f, 420.0f, box));
    EXPECT_TRUE(insidePlayerBox(330.0f, 430.0f, box));
    EXPECT_FALSE(insidePlayerBox(309.0f, 425.0f, box));
    EXPECT_FALSE(insidePlayerBox(331.0f, 425.0f, box));
    EXPECT_FALSE(insidePlayerBox(320.0f, 430.5f, box));
    EXPECT_TRUE(insidePlayerBox(290.0f, 400.0f, HitBox{-10, 30, 0, 30}));
}

TEST_F(PlayerTest, OnlyTheFirstHitOfACallCounts) {
    int32_t copy = playerAlive;
    EXPECT_FALSE(testPlayerHit(copy, parkPosition.x, parkPosition.y, box));
    EXPECT_TRUE(testPlayerHit(copy, 320.0f, 425.0f, box));
    EXPECT_EQ(playerAlive, 0);
    playerAlive = 1;  // a later record of the same call is not tested
    EXPECT_FALSE(testPlayerHit(copy, 320.0f, 425.0f, box));
    EXPECT_EQ(playerAlive, 1);
}

TEST(PixelOf, CutsTowardsZeroAndStaysInRange) {
    EXPECT_EQ(pixelOf(2.9f) + pixelOf(-2.9f) + pixelOf(-0.5f), 0);
    EXPECT_LT(pixelOf(-1e20f), -100000);
    EXPECT_GT(pixelOf(std::numeric_limits<float>::quiet_NaN()), 100000);
}

}  // namespace
