#include "stages/stage1/boss_debris.h"

#include <gtest/gtest.h>

#include "engine/eng_system.h"

namespace {

class BossDebris : public ::testing::Test {
protected:
    void SetUp() override {
        for (int stage = 1; stage <= BossCount; ++stage) killBossSparks(stage);
        boss1 = boss2 = boss3 = BossBody{};
        boss1.y = boss2.y = boss3.y = parkPosition.y;
        engSystem::SeedRand(4242);
    }
    static int aliveCount(int stage) {
        int alive = 0;
        for (const auto& group : bossSparks[stage - 1]) {
            for (const DebrisFragment& fragment : group) alive += fragment.alive;
        }
        return alive;
    }
};

TEST_F(BossDebris, AHitLightsTheDeadFragmentsOfTheMissilesGroup) {
    spawnSparkGroup(1, 5, 300, 200);
    for (const DebrisFragment& fragment : bossSparks[0][5]) {
        EXPECT_EQ(fragment.alive, 1);
        EXPECT_EQ(fragment.x, 323.0f);
        EXPECT_EQ(fragment.y, 200.0f);
    }
    EXPECT_EQ(aliveCount(1), SparksPerGroup);
    EXPECT_EQ(aliveCount(2), 0);

    // A group with some fragments still alive only relights the dead ones.
    bossSparks[0][5][1] = DebrisFragment{deadDebrisPosition.x, deadDebrisPosition.y, 0};
    bossSparks[0][5][0].x = 111;
    spawnSparkGroup(1, 5, 0, 0);
    EXPECT_EQ(bossSparks[0][5][0].x, 111.0f);
    EXPECT_EQ(bossSparks[0][5][1].x, 23.0f);
    EXPECT_EQ(bossSparks[0][5][1].y, 0.0f);
    EXPECT_EQ(bossSparks[0][5][2].x, 323.0f);
}

TEST_F(BossDebris, OutOfRangeStagesAndGroupsAreIgnored) {
    spawnSparkGroup(0, 1, 10, 10);
    spawnSparkGroup(4, 1, 10, 10);
    spawnSparkGroup(1, -1, 10, 10);
    spawnSparkGroup(1, SparkGroupCount, 10, 10);
    stepBossDebris(7);
    drawDebris(-1);
    killBossSparks(9);
    for (int stage = 1; stage <= BossCount; ++stage) {
        EXPECT_EQ(aliveCount(stage), 0);
    }
}

TEST_F(BossDebris, SparksTrembleAndSinkWhileAboveTheBossLine) {
    boss1.y = 0;
    spawnSparkGroup(1, 0, 300, 100);
    for (int frame = 0; frame < 3; ++frame) {
        const DebrisFragment before = bossSparks[0][0][0];
        stepBossDebris(1);
        const DebrisFragment& after = bossSparks[0][0][0];
        ASSERT_EQ(after.alive, 1);  // still far above y 320
        EXPECT_GE(after.x - before.x, -4.0f);
        EXPECT_LE(after.x - before.x, 4.0f);
        EXPECT_GE(after.y - before.y, -11.0f);
        EXPECT_LE(after.y - before.y, 19.0f);
    }
}

TEST_F(BossDebris, SparksDieBelowTheirOwnBoss) {
    // Stage 2's boss stands at y 0, the other two are parked.
    boss2.y = 0;
    spawnSparkGroup(1, 3, 300, 400);
    spawnSparkGroup(2, 3, 300, 400);
    stepBossDebris(1);
    stepBossDebris(2);
    // At or beyond y + 359 after the tremble, a spark always dies.
    EXPECT_EQ(aliveCount(1), SparksPerGroup);
    EXPECT_EQ(aliveCount(2), 0);
    for (const DebrisFragment& fragment : bossSparks[1][3]) {
        EXPECT_EQ(fragment.x, 1000.0f);
        EXPECT_EQ(fragment.y, 5000.0f);
    }
    // With the boss parked, a spark lives on until it sinks past y 2870.
    for (DebrisFragment& fragment : bossSparks[0][3]) fragment.y = 2850;
    bossSparks[0][3][0].y = 3000;
    stepBossDebris(1);
    EXPECT_EQ(bossSparks[0][3][0].alive, 0);
    EXPECT_EQ(bossSparks[0][3][1].alive, 1);
    EXPECT_EQ(bossSparks[0][3][2].alive, 1);
}

TEST_F(BossDebris, ASparkAboveTheLineNeverDies) {
    boss3.y = 100;
    spawnSparkGroup(3, 199, 250, 380);  // at most 399 after the tremble, below 420
    for (int i = 0; i < 20; ++i) {
        for (DebrisFragment& fragment : bossSparks[2][199]) fragment.y = 380;
        stepBossDebris(3);
        EXPECT_EQ(aliveCount(3), SparksPerGroup);
    }
}

TEST_F(BossDebris, DrawsFiveRandomNumbersPerLiveSparkAndOnePerDeadOne) {
    spawnSparkGroup(1, 10, 300, 100);
    spawnSparkGroup(1, 11, 300, 100);
    boss1.y = 0;
    engSystem::SeedRand(7);
    stepBossDebris(1);
    const int next = engSystem::Rand();
    const int live = 2 * SparksPerGroup;
    const int total = SparkGroupCount * SparksPerGroup;
    engSystem::SeedRand(7);
    for (int i = 0; i < 5 * live + (total - live); ++i) engSystem::Rand();
    EXPECT_EQ(engSystem::Rand(), next);
}

TEST_F(BossDebris, TheTrembleUsesItsDrawsInOrder) {
    boss1.y = 0;
    spawnSparkGroup(1, 0, 300, 100);
    engSystem::SeedRand(31337);
    const float right = static_cast<float>(engSystem::Rand() % 5);
    const float left = static_cast<float>(engSystem::Rand() % 5);
    const float down = static_cast<float>(engSystem::Rand() % 20);
    const float up = static_cast<float>(engSystem::Rand() % 12);
    engSystem::SeedRand(31337);
    stepBossDebris(1);
    EXPECT_EQ(bossSparks[0][0][0].x, (323.0f + right) - left);
    EXPECT_EQ(bossSparks[0][0][0].y, (100.0f + down) - up);
}

class StageCoins : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& pool : stageCoins) {
            for (Coin& coin : pool) parkStageCoin(coin);
        }
        frameTime = 0.016f;
    }
};

TEST_F(StageCoins, FallingCoinsFallAndAreParkedBelowTheScreen) {
    Coin& coin = stageCoins[1][4];
    coin = Coin{300, 100, 200, 0, 1, 0, 0, 0};
    stepStageCoins(2);
    EXPECT_FLOAT_EQ(coin.y, 100 + 200 * 0.016f);
    EXPECT_EQ(coin.falling, 1);
    coin.y = 599;
    stepStageCoins(2);
    EXPECT_EQ(coin.falling, 0);
    EXPECT_EQ(coin.x, parkPosition.x);
    EXPECT_EQ(coin.y, parkPosition.y);
    // A coin that is not falling stays put.
    Coin& still = stageCoins[0][0];
    still = Coin{300, 100, 200, 0, 0, 0, 0, 0};
    stepStageCoins(1);
    EXPECT_EQ(still.y, 100.0f);
}

TEST_F(StageCoins, TakenCoinPlaysItsBurstTwiceThenIsParked) {
    Coin& coin = stageCoins[2][0];
    coin = Coin{300, 100, 0, 0, 1, 1, 0, 0};
    for (int draw = 0; draw < 19; ++draw) {
        drawStageCoins(3);
        EXPECT_EQ(coin.taken, 1) << draw;
    }
    EXPECT_EQ(coin.frame, 9);
    EXPECT_EQ(coin.loopCount, 1);
    drawStageCoins(3);
    EXPECT_EQ(coin.taken, 0);
    EXPECT_EQ(coin.falling, 0);
    EXPECT_EQ(coin.frame, 0);
    EXPECT_EQ(coin.loopCount, 0);
    EXPECT_EQ(coin.x, parkPosition.x);
    EXPECT_EQ(coin.y, parkPosition.y);
}

}  // namespace
