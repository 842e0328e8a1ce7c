// Fan waves, rings and segmented columns: when a wave fires, where its shots
// start and fly, the bounds and player boxes of the two shot sizes.
#include "game/shots/fan.h"

#include <gtest/gtest.h>

#include "game/enemy_fixture.h"
#include "game/resets.h"
#include "game/shots/volley.h"

namespace {

constexpr double degree = PiD / 180.0;

// The enemy fixture's field (frame time 0.016, the ship alive at full-screen
// (370, 520), no clearing), and every boss pool free.
class FanWaves : public enemytest::EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        resetObjectPools();
    }
    // The boss at full-screen (x, y) and the ship where its aim point lies
    // straight below the muzzle (mx, my) of a shot with aim offset a.
    static void aimStraightDown(BossBody& boss, float x, float y, float mx, float a) {
        boss.x = screenX(x);
        boss.y = y;
        playerX = screenX(x + mx - a);
        playerY = 400.0f;
    }
    static void tick(int pool, int calls) {
        for (int c = 0; c < calls; ++c) tickFanWaves(pool);
    }
    static int activeCount(int pool) {
        int n = 0;
        for (int i = 0; i < fanPools[pool].count; ++i) n += fanPoolRecords(pool)[i].active;
        return n;
    }
};

TEST_F(FanWaves, AWaveOfSevenFiresWholeOnItsCountAboutTheAimLineAndFlies) {
    constexpr int pool = findFanPool(3, 16);  // 7 shots, W 260, boss3 + (200, 130), 220 px/s, large
    aimStraightDown(boss3, 100.0f, 50.0f, 200.0f, 10.0f);
    tick(pool, 39);
    EXPECT_EQ(activeCount(pool), 0);
    tick(pool, 1);
    EXPECT_EQ(activeCount(pool), 7);
    FanShot* shots = fanPoolRecords(pool);
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(shots[k].x == screenX(300.0f) && shots[k].y == 180.0f && shots[k].speed == 220.0f);
        EXPECT_TRUE(shots[k].startX == shots[k].x && shots[k].dx == 0.0f && shots[k].dy == 230.0f);
        EXPECT_NEAR(shots[k].angle, (90 - 36 + 12 * k) * degree, 1e-6);
    }
    EXPECT_EQ(shots[3].angle, piTimes(0.5));  // the middle shot flies at the aim point

    moveFanShotPool(pool);  // 220 x 0.016 = 3.52 px along each angle
    EXPECT_FLOAT_EQ(shots[3].x, screenX(300.0f));
    EXPECT_FLOAT_EQ(shots[3].y, 183.52f);
    EXPECT_NEAR(shots[0].x, screenX(300.0f) + 2.0690041f, 1e-4);  // cos 54 deg x 3.52
    EXPECT_NEAR(shots[0].y, 180.0f + 2.8477398f, 1e-4);           // sin 54 deg x 3.52
    EXPECT_NEAR(shots[6].x, screenX(300.0f) - 2.0690041f, 1e-4);

    // The other waves 40 calls apart; the counters run 1 .. 259, 0.
    tick(pool, 39);
    EXPECT_EQ(activeCount(pool), 7);
    tick(pool, 181);
    EXPECT_TRUE(activeCount(pool) == 35 && shots[34].waveCounter == 0);
}

TEST_F(FanWaves, ARingOfTwelveGoesRoundFromTheAimLine) {
    constexpr int pool = findFanPool(2, 8);  // rings of 12, W 200, first counts 30, 50; boss2 + (140, 130)
    aimStraightDown(boss2, 200.0f, 40.0f, 140.0f, 20.0f);
    tick(pool, 30);
    EXPECT_EQ(activeCount(pool), 12);
    const FanShot* shots = fanPoolRecords(pool);
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(shots[k].x == screenX(340.0f) && shots[k].y == 170.0f && shots[k].speed == 140.0f);
        EXPECT_NEAR(shots[k].angle, (90 + 30 * k) * degree, 1e-5);
    }
}

TEST_F(FanWaves, ShotsRetireBeyondTheirSizesBoundsOrWhenClearedAndHitThePlayerOnce) {
    frameTime = 0.0f;  // records stay where they are put
    constexpr int large = findFanPool(2, 1);
    constexpr int small = findFanPool(1, 1);
    FanShot* big = fanPoolRecords(large);
    FanShot* little = fanPoolRecords(small);
    auto put = [](FanShot& shot, float x, float y) {
        shot.x = x;
        shot.y = y;
        shot.active = 1;
    };
    put(big[0], -40.0f, 300.0f);
    put(big[1], -40.5f, 300.0f);
    put(big[2], 100.0f, 600.0f);
    put(big[3], 100.0f, -40.5f);
    put(little[0], -20.0f, 300.0f);
    put(little[1], -20.5f, 300.0f);
    put(little[2], fanShotRight, -20.0f);
    put(little[3], fanShotRight + 0.5f, 300.0f);
    moveFanShotPool(large);
    moveFanShotPool(small);
    EXPECT_EQ(big[0].active + big[2].active + little[0].active + little[2].active, 4);
    EXPECT_EQ(big[1].active + big[3].active + little[1].active + little[3].active, 0);
    EXPECT_TRUE(big[1].x == parkPosition.x && big[1].y == parkPosition.y);

    // Small box 10..30 x 20..30: (30, 30) hits, (31, 30) does not; the shot flies on.
    playerX = 200.0f;
    playerY = 300.0f;
    put(little[0], 231.0f, 330.0f);
    moveFanShotPool(small);
    EXPECT_EQ(playerAlive, 1);
    put(little[1], 230.0f, 330.0f);
    moveFanShotPool(small);
    EXPECT_TRUE(playerAlive == 0 && little[1].active == 1);
    // Large box -10..30 x 0..30.
    playerAlive = 1;
    put(big[0], 190.0f, 300.0f);
    moveFanShotPool(large);
    EXPECT_EQ(playerAlive, 0);

    // While shots are cleared only the enemies' banks retire theirs.
    clearShots = 1;
    FanShot& enemyShot = turningEnemyFanShots(5)[0];
    put(enemyShot, 100.0f, 100.0f);
    stepEnemyFanShots(5);
    moveFanShotPool(large);
    EXPECT_TRUE(enemyShot.active == 0 && big[0].active == 1);
}

TEST_F(FanWaves, ASegmentedColumnIsArmedWholeUnderTheBossThenDriftsAndFalls) {
    constexpr int right = findSegmentedPool(1, 1);
    boss1.x = screenX(150.0f);
    boss1.y = 20.0f;
    VolleyShot* column = segmentedPoolRecords(right);
    for (int c = 0; c < 59; ++c) tickSegmentedWaves(right);
    EXPECT_EQ(column[0].active, 0);
    tickSegmentedWaves(right);
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(column[k].active == 1 && column[k].x == screenX(240.0f)) << k;
    EXPECT_TRUE(column[0].y == 110.0f && column[1].y == 133.0f && column[2].y == 140.0f);
    EXPECT_EQ(column[3].active, 0);
    moveSegmentedPool(right);  // the column drifts 30, 60, 90 px/s by place and falls at 120
    EXPECT_FLOAT_EQ(column[0].x, screenX(240.48f));
    EXPECT_FLOAT_EQ(column[2].x, screenX(241.44f));
    EXPECT_FLOAT_EQ(column[1].y, 134.92f);

}

}  // namespace
