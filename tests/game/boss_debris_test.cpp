#include "game/boss_debris.h"

#include <gtest/gtest.h>

#include "engine/eng_system.h"

namespace {

class BossDebris : public ::testing::Test {
protected:
    void SetUp() override {
        for (int stage = 1; stage <= BossCount; ++stage) killBossSparks(stage);
        boss1 = boss2 = boss3 = BossBody{0, parkPosition.y, 0, 0, 0, 0};
    }
    static int aliveCount(int stage) {
        int alive = 0;
        for (const auto& group : bossSparks[stage - 1]) {
            for (const DebrisFragment& fragment : group) alive += fragment.alive;
        }
        return alive;
    }
};

TEST_F(BossDebris, AHitLightsOnlyTheDeadFragmentsOfTheMissilesGroup) {
    spawnSparkGroup(1, 5, 300, 200);
    EXPECT_EQ(aliveCount(1), SparksPerGroup);
    EXPECT_EQ(bossSparks[0][5][2].x, 323.0f);
    EXPECT_EQ(bossSparks[0][5][2].y, 200.0f);
    bossSparks[0][5][1] = DebrisFragment{deadDebrisPosition.x, deadDebrisPosition.y, 0};
    spawnSparkGroup(1, 5, 0, 0);
    EXPECT_EQ(bossSparks[0][5][0].x, 323.0f);
    EXPECT_EQ(bossSparks[0][5][1].x, 23.0f);
    EXPECT_EQ(aliveCount(2) + aliveCount(3), 0);
    spawnSparkGroup(4, 1, 10, 10);  // out of range: ignored
    spawnSparkGroup(1, SparkGroupCount, 10, 10);
    EXPECT_EQ(aliveCount(1), SparksPerGroup);
}

TEST_F(BossDebris, SparksTrembleThenDieBelowTheirOwnBoss) {
    boss2.y = 0;
    spawnSparkGroup(2, 3, 300, 100);  // far above y 320: trembles on
    spawnSparkGroup(2, 4, 300, 400);  // beyond y 359 after any tremble: dies
    spawnSparkGroup(1, 4, 300, 400);  // stage 1's boss is parked: lives on
    engSystem::SeedRand(4242);
    stepBossDebris(1);
    stepBossDebris(2);
    for (const DebrisFragment& fragment : bossSparks[1][3]) {
        EXPECT_EQ(fragment.alive, 1);
        EXPECT_TRUE(fragment.x >= 319 && fragment.x <= 327) << fragment.x;
        EXPECT_TRUE(fragment.y >= 89 && fragment.y <= 119) << fragment.y;
    }
    for (const DebrisFragment& fragment : bossSparks[1][4]) {
        EXPECT_TRUE(fragment.alive == 0 && fragment.x == 1000.0f && fragment.y == 5000.0f);
    }
    EXPECT_EQ(aliveCount(1), SparksPerGroup);
    // Under a parked boss a spark dies only once it sinks past y 2870 + 0..39.
    for (DebrisFragment& fragment : bossSparks[0][4]) fragment.y = 2850;
    bossSparks[0][4][0].y = 3000;
    stepBossDebris(1);
    EXPECT_EQ(aliveCount(1), SparksPerGroup - 1);
}

TEST_F(BossDebris, DrawsItsRandomNumbersInOrder) {
    // Four draws for the tremble of a live spark (right, left, down, up), then
    // one for the death test of every fragment, live or dead.
    boss1.y = 0;
    spawnSparkGroup(1, 0, 300, 100);
    engSystem::SeedRand(31337);
    const float right = static_cast<float>(engSystem::Rand() % 5);
    const float left = static_cast<float>(engSystem::Rand() % 5);
    const float down = static_cast<float>(engSystem::Rand() % 20);
    const float up = static_cast<float>(engSystem::Rand() % 12);
    for (int i = 0; i < 4 * (SparksPerGroup - 1) + SparkGroupCount * SparksPerGroup; ++i) engSystem::Rand();
    const int following = engSystem::Rand();
    engSystem::SeedRand(31337);
    stepBossDebris(1);
    EXPECT_EQ(bossSparks[0][0][0].x, (323.0f + right) - left);
    EXPECT_EQ(bossSparks[0][0][0].y, (100.0f + down) - up);
    EXPECT_EQ(engSystem::Rand(), following);
}

TEST(StageCoins, TakenCoinPlaysItsBurstTwiceThenIsParked) {
    Coin& coin = stageCoins[2][0];
    coin = Coin{300, 100, 0, 0, 1, 1, 0, 0};
    for (int draw = 0; draw < 19; ++draw) drawStageCoins(3);
    EXPECT_EQ(coin.taken, 1);
    EXPECT_EQ(coin.frame, 9);
    EXPECT_EQ(coin.loopCount, 1);
    drawStageCoins(3);
    EXPECT_EQ(coin.taken | coin.falling | coin.frame | coin.loopCount, 0);
    EXPECT_TRUE(coin.x == parkPosition.x && coin.y == parkPosition.y);
}

}  // namespace
