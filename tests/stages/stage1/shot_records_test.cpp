#include "stages/stage1/shot_records.h"

#include <gtest/gtest.h>

#include <cmath>
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

TEST_F(AimRule, StraightBelowIsAQuarterTurnPlusTheOffset) {
    const float angle = aimAngle(315.0f, 100.0f, 15.0f, 0.0f, dx, dy);
    EXPECT_EQ(dx, 0.0f);
    EXPECT_EQ(dy, 315.0f);
    EXPECT_EQ(angle, piTimes(0.5));
    EXPECT_EQ(aimAngle(315.0f, 100.0f, 15.0f, piTimes(0.1), dx, dy), piTimes(0.5) + piTimes(0.1));
}

TEST_F(AimRule, StraightAboveOrOnTheAimPointTurnsHalfAround) {
    const float above = aimAngle(315.0f, 600.0f, 15.0f, 0.0f, dx, dy);
    EXPECT_EQ(dx, 0.0f);
    EXPECT_LT(dy, 0.0f);
    EXPECT_EQ(above, piTimes(0.5) + Pi);
    const float on = aimAngle(315.0f, 415.0f, 15.0f, 0.0f, dx, dy);
    EXPECT_EQ(dy, 0.0f);
    EXPECT_EQ(on, piTimes(0.5) + Pi);
}

TEST_F(AimRule, QuarterTurnOffsetsGiveExactAxisDirections) {
    // Aim point straight below: +pi/2 flies straight left, -pi/2 straight right.
    EXPECT_EQ(aimAngle(315.0f, 100.0f, 15.0f, piTimes(0.5), dx, dy), Pi);
    EXPECT_EQ(aimAngle(315.0f, 100.0f, 15.0f, -piTimes(0.5), dx, dy), 0.0f);
}

TEST_F(AimRule, AimPointToTheLeftAddsAHalfTurnWhateverTheSignOfDy) {
    // 45 degrees down-left and up-left, and straight left.
    const float downLeft = aimAngle(415.0f, 315.0f, 15.0f, 0.0f, dx, dy);
    EXPECT_FLOAT_EQ(downLeft, static_cast<float>(std::atan(-1.0)) + Pi);
    EXPECT_NEAR(downLeft, 0.75 * PiD, 1e-6);
    const float upLeft = aimAngle(415.0f, 515.0f, 15.0f, 0.0f, dx, dy);
    EXPECT_NEAR(upLeft, 1.25 * PiD, 1e-6);
    const float left = aimAngle(415.0f, 415.0f, 15.0f, 0.0f, dx, dy);
    EXPECT_EQ(left, Pi);
    // To the right no half turn is added.
    EXPECT_NEAR(aimAngle(215.0f, 315.0f, 15.0f, 0.0f, dx, dy), 0.25 * PiD, 1e-6);
    EXPECT_NEAR(aimAngle(215.0f, 515.0f, 15.0f, 0.0f, dx, dy), -0.25 * PiD, 1e-6);
}

TEST_F(AimRule, TheAimOffsetMovesTheAimPointIntoTheShip) {
    for (float a : {9.0f, 10.0f, 15.0f, 20.0f}) {
        SCOPED_TRACE(a);
        // An emitter straight above the aim point (player + a) fires straight down.
        EXPECT_EQ(aimAngle(playerX + a, 100.0f, a, 0.0f, dx, dy), piTimes(0.5));
        EXPECT_EQ(dx, 0.0f);
        EXPECT_EQ(dy, playerY + a - 100.0f);
        // One pixel off to the left of it, the aim leans back to the right.
        EXPECT_LT(aimAngle(playerX + a - 1.0f, 100.0f, a, 0.0f, dx, dy), piTimes(0.5));
        EXPECT_EQ(dx, 1.0f);
    }
}

TEST_F(AimRule, QuotientIsSinglePrecisionAndTheArctangentIsRoundedBeforeTheOffset) {
    // dy/dx = 1/3 rounds in single precision before the arctangent is taken.
    const float angle = aimAngle(297.0f, 399.0f, 0.0f, 0.0f, dx, dy);
    EXPECT_EQ(dx, 3.0f);
    EXPECT_EQ(dy, 1.0f);
    const float quotient = 1.0f / 3.0f;
    EXPECT_EQ(angle, static_cast<float>(std::atan(static_cast<double>(quotient))));
    const float turned = aimAngle(297.0f, 399.0f, 0.0f, piTimes(0.1), dx, dy);
    EXPECT_EQ(turned, angle + piTimes(0.1));
}

TEST(Flight, MovesAlongTheAngleScaledByFrameTime) {
    frameTime = 0.016f;
    float x = 100.0f, y = 200.0f;
    flyAlongAngle(x, y, 0.0f, 100.0f);
    EXPECT_FLOAT_EQ(x, 101.6f);
    EXPECT_EQ(y, 200.0f);
    flyAlongAngle(x, y, piTimes(0.5), 100.0f);
    EXPECT_NEAR(x, 101.6f, 1e-5);
    EXPECT_FLOAT_EQ(y, 201.6f);
    flyAlongAngle(x, y, Pi, 250.0f);
    EXPECT_NEAR(x, 97.6f, 1e-4);
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
    EXPECT_FALSE(insidePlayerBox(320.0f, 419.5f, box));
    EXPECT_FALSE(insidePlayerBox(320.0f, 430.5f, box));
    // A box reaching to the left of the ship.
    EXPECT_TRUE(insidePlayerBox(290.0f, 400.0f, HitBox{-10, 30, 0, 30}));
}

TEST_F(PlayerTest, OnlyTheFirstHitOfACallCounts) {
    int32_t copy = playerAlive;
    EXPECT_FALSE(testPlayerHit(copy, 0.0f, 0.0f, box));
    EXPECT_EQ(playerAlive, 1);
    EXPECT_TRUE(testPlayerHit(copy, 320.0f, 425.0f, box));
    EXPECT_EQ(playerAlive, 0);
    EXPECT_EQ(copy, 0);
    // A second record inside the box in the same call is not tested.
    playerAlive = 1;
    EXPECT_FALSE(testPlayerHit(copy, 320.0f, 425.0f, box));
    EXPECT_EQ(playerAlive, 1);
}

TEST_F(PlayerTest, ParkedAndDeadRecordsNeverHit) {
    int32_t copy = 1;
    playerX = -500.0f;  // even a ship pushed off the field
    EXPECT_FALSE(testPlayerHit(copy, parkPosition.x, parkPosition.y, box));
    EXPECT_FALSE(testPlayerHit(copy, deadDebrisPosition.x, deadDebrisPosition.y, box));
    EXPECT_EQ(copy, 1);
}

TEST(PixelOf, CutsTowardsZeroAndStaysInRange) {
    EXPECT_EQ(pixelOf(2.9f), 2);
    EXPECT_EQ(pixelOf(-2.9f), -2);
    EXPECT_EQ(pixelOf(-0.5f), 0);
    EXPECT_EQ(pixelOf(2550.0f), 2550);
    EXPECT_GT(pixelOf(std::numeric_limits<float>::infinity()), 100000);
    EXPECT_LT(pixelOf(-std::numeric_limits<float>::infinity()), -100000);
    EXPECT_GT(pixelOf(std::numeric_limits<float>::quiet_NaN()), 100000);
    EXPECT_GT(pixelOf(1e20f), 100000);
}

TEST(BossOfStage, NamesEachStagesBoss) {
    EXPECT_EQ(&bossOfStage(1), &boss1);
    EXPECT_EQ(&bossOfStage(2), &boss2);
    EXPECT_EQ(&bossOfStage(3), &boss3);
}

}  // namespace
