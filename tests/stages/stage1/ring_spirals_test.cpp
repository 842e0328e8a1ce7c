// Boss 1's ring spirals: the pool table, the timer's cycle, the start points
// and the mirrored directions of the six pools, retirement and the player test.
#include "stages/stage1/ring_spirals.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/play_state.h"
#include "game/player.h"
#include "support/pool_tables.h"

namespace {

TEST(PoolTables, RingSpiralsHaveTheirOwnRecordsAndKnownImages) {
    testsupport::expectRowsFit(ringShotRecords, ringPools, ringPoolRecords);
}

class RingSpirals : public ::testing::Test {
protected:
    void SetUp() override {
        parkRingPools();
        boss1 = BossBody{screenX(200.0f), 40.0f, 0, 1020, 0, 0};
        playerX = screenX(800.0f);
        playerY = 0;
        playerAlive = 1;
        clearShots = 0;
        frameTime = 0.016f;
    }
};

TEST_F(RingSpirals, OneShotEveryTenTicksRecords0To34) {
    FanShot* ring = ringPoolRecords(0);
    std::vector<std::pair<int, int>> fired;  // (tick, record)
    for (int tick = 1; tick <= 360; ++tick) {
        tickRingTimer(0);
        for (int k = 0; k < RingRecordCount; ++k) {
            if (ring[k].active == 0) continue;
            fired.emplace_back(tick, k);
            ring[k].active = 0;
        }
        if (tick == 359) {
            EXPECT_EQ(boss1RingCounters[0], 359);
        }
    }
    std::vector<std::pair<int, int>> expected;
    for (int k = 0; k < RingArmedRecords; ++k) expected.emplace_back(10 * (k + 1), k);
    expected.emplace_back(360, 0);  // the counter restarts at 10
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(boss1RingCounters[0], 10);
    EXPECT_EQ(boss1RingCounters[1], 0);  // each pool has its own counter
}

TEST_F(RingSpirals, MirrorPoolsStartLeftOrRightAndTurnDownwards) {
    const float startX[RingPoolCount] = {410, 410, 320, 500, 320, 500};
    const float step = 110 * 0.016f;
    for (int pool = 0; pool < RingPoolCount; ++pool) {
        SCOPED_TRACE(pool + 1);
        const bool leftFirst = ringPools[pool].moverSign < 0;  // pools 1, 3 and 6
        EXPECT_EQ(leftFirst, pool == 0 || pool == 2 || pool == 5);
        FanShot* ring = ringPoolRecords(pool);
        for (int k : {0, 9, 18}) spawnRingShot(pool, k, k);
        EXPECT_TRUE(ring[0].x == screenX(startX[pool]) && ring[0].y == 170.0f && ring[0].speed == 110.0f);
        EXPECT_EQ(ring[9].angle, static_cast<float>((leftFirst ? -1 : 1) * 90 * PiD / 180));
        moveRingPool(pool);
        EXPECT_NEAR(ring[0].x, screenX(startX[pool]) + (leftFirst ? -step : step), 1e-4);
        EXPECT_EQ(ring[0].y, 170.0f);
        EXPECT_NEAR(ring[9].x, screenX(startX[pool]), 1e-4);
        EXPECT_NEAR(ring[9].y, 170.0f + step, 1e-4);  // straight down
        // Half a turn on, the left-first pools fly right.
        EXPECT_NEAR(ring[18].x, screenX(startX[pool]) + (leftFirst ? step : -step), 1e-4);
    }
}

TEST_F(RingSpirals, ShotsLeavingTheScreenParkAndCannotHit) {
    FanShot* ring = ringPoolRecords(1);  // pool 2: record 0 flies right
    spawnRingShot(1, 0, 0);
    ring[0].x = rightEdgeX(800.0f) - 1;
    playerX = ring[0].x - 10;  // the shot would land in the box
    playerY = ring[0].y - 25;
    moveRingPool(1);
    EXPECT_TRUE(ring[0].active == 0 && ring[0].x == parkPosition.x && ring[0].y == parkPosition.y);
    EXPECT_EQ(playerAlive, 1);
    spawnRingShot(1, 1, 1);
    ring[1].x = playerX + 10;
    ring[1].y = playerY + 20;
    ring[1].speed = 0;
    moveRingPool(1);
    EXPECT_EQ(playerAlive, 0);
}

}  // namespace
