// Sweep lines and salvos: arming at the boss, one move by hand, the line
// retired on its slowest record, the salvo push and fall, the player boxes.
#include "game/shots/sweep_salvo.h"

#include <gtest/gtest.h>

#include "game/enemy_fixture.h"
#include "game/resets.h"

namespace {

class SweepsAndSalvos : public enemytest::EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        resetObjectPools();
        boss2 = BossBody{screenX(100.0f), 50.0f, 0, 1000, 0, 0};
        boss3 = boss2;
    }
};

TEST_F(SweepsAndSalvos, ASweepLeavesTheBossDiagonallyTurnsAndDriftsFromItsSecondFrame) {
    constexpr int left = findSweepPool(3, 1);  // boss3 + (205, 30), -pi/5, turn pi/140
    SweepShot* line = sweepPoolRecords(left);
    spawnSweepVolley(left);
    for (int k = 0; k < SweepRecordCount; ++k) {
        EXPECT_TRUE(line[k].active == 1 && line[k].x == screenX(305.0f) && line[k].y == 80.0f) << k;
        EXPECT_EQ(line[k].angle, -piFraction(1, 5));
    }
    EXPECT_TRUE(line[0].speed == 163.0f && line[6].speed == 193.0f);

    moveSweepPool(left);  // record 0: 163 x 0.016 = 2.608 px at -36 degrees, mirrored to the left
    EXPECT_NEAR(line[0].x, screenX(302.8900837f), 1e-3);
    EXPECT_NEAR(line[0].y, 81.5329439f, 1e-3);
    EXPECT_NEAR(line[0].angle, -0.6507585f, 1e-6);  // -(pi/5 + pi/140)
    EXPECT_FLOAT_EQ(line[0].turnTimer, 0.32f);
    EXPECT_TRUE(line[0].driftX == 16.0f && line[6].driftY == -26.0f);
    EXPECT_NEAR(line[6].x, screenX(302.5017555f), 1e-3);
    moveSweepPool(left);  // now the drift of 16 px/s: 0.256 px up and to the left
    EXPECT_NEAR(line[0].x, screenX(300.5590949f), 1e-3);
    EXPECT_NEAR(line[0].y, 82.8568444f, 1e-3);

    // The right-going twin of stage 2 mirrors it.
    constexpr int right = findSweepPool(2, 2);  // boss2 + (285, 30), +pi/5
    SweepShot* twin = sweepPoolRecords(right);
    spawnSweepVolley(right);
    moveSweepPool(right);
    EXPECT_NEAR(twin[0].x, screenX(387.1099163f), 1e-3);
    EXPECT_NEAR(twin[0].y, 81.5329439f, 1e-3);
    EXPECT_NEAR(twin[0].angle, 0.6507585f, 1e-6);

    // The turn is per frame until the clock reaches 17, then held at 18.
    twin[1].turnTimer = 16.5f;
    twin[2].turnTimer = 16.8f;
    const float angle1 = twin[1].angle, angle2 = twin[2].angle;
    moveSweepPool(right);
    EXPECT_NEAR(twin[1].angle, angle1 + piFraction(1, 140), 1e-6);
    EXPECT_FLOAT_EQ(twin[1].turnTimer, 16.82f);
    EXPECT_TRUE(twin[2].angle == angle2 && twin[2].turnTimer == 18.0f);
}

TEST_F(SweepsAndSalvos, TheLineRetiresInPlaceWhenRecordZeroLeavesAndIsArmedAgain) {
    constexpr int pool = findSweepPool(3, 3);  // boss3 + (165, 20), turn pi/160
    SweepShot* line = sweepPoolRecords(pool);
    spawnSweepVolley(pool);
    moveSweepPool(pool);
    const float x3 = line[3].x;
    line[0].x = -40.0f;  // off the left edge (x + 30 < 0)
    moveSweepPool(pool);
    for (int k = 0; k < SweepRecordCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(line[k].active, 0);
        EXPECT_TRUE(line[k].turnTimer == 0.0f && line[k].angle == -piFraction(1, 5));
        EXPECT_EQ(line[k].driftX + line[k].driftY, 0.0f);
    }
    // Each moved once more (the turned angle, the drift) and left where it was.
    EXPECT_NEAR(line[0].x, -40.0f - 2.3354123f, 1e-3);
    EXPECT_NEAR(line[3].x, x3 - 2.2673120f, 1e-3);
    spawnSweepVolley(pool);
    EXPECT_TRUE(line[3].active == 1 && line[3].x == screenX(265.0f) && line[3].y == 70.0f);
}

TEST_F(SweepsAndSalvos, OnlyActiveSweepRecordsHitTheShip) {
    frameTime = 0.0f;
    constexpr int pool = findSweepPool(2, 1);
    SweepShot* line = sweepPoolRecords(pool);
    line[0] = SweepShot{200, 200, 0, 0, 0, 0, 0, 1};
    // A retired record lying in the box (0..30, 10..30) does nothing ...
    line[3] = SweepShot{playerX + 30, playerY + 10, 0, 0, 0, 0, 0, 0};
    moveSweepPool(pool);
    EXPECT_EQ(playerAlive, 1);
    // ... an active one there hits.
    line[3].active = 1;
    moveSweepPool(pool);
    EXPECT_EQ(playerAlive, 0);
}

TEST_F(SweepsAndSalvos, TheSalvoPushComesOncePerRecordFreeRecordsToo) {
    VolleyShot* pair = salvoPoolRecords(findSalvoPool(2, 1));      // push 15, fall 140
    VolleyShot* triple = salvoPoolRecords(findSalvoPool(2, 4));    // push 13, fall 120
    VolleyShot* quad = salvoPoolRecords(findSalvoPool(2, 9));      // push 7 and 20, fall 110
    pair[1] = VolleyShot{0, 0, 300, 100, 0, 0, 1};
    for (int k = 0; k < 3; ++k) triple[k] = VolleyShot{0, 0, 300, 100, 0, 0, 1};
    for (int k = 0; k < 4; ++k) quad[k] = VolleyShot{0, 0, 300, 100, 0, 0, 1};
    moveSalvoPool(findSalvoPool(2, 1));
    moveSalvoPool(findSalvoPool(2, 4));
    moveSalvoPool(findSalvoPool(2, 9));
    EXPECT_NEAR(pair[0].x, -500.48f, 1e-4);  // free and parked, pushed all the same
    EXPECT_EQ(pair[0].y, parkPosition.y);
    EXPECT_NEAR(pair[1].x, 300.48f, 1e-4);   // 2 x 15 x 0.016
    EXPECT_FLOAT_EQ(pair[1].y, 102.24f);     // 140 x 0.016
    EXPECT_EQ(pair[1].vy, 140.0f);
    EXPECT_NEAR(triple[0].x, 299.376f, 1e-4);  // 3 x 13 x 0.016
    EXPECT_EQ(triple[1].x, 300.0f);
    EXPECT_NEAR(triple[2].x, 300.624f, 1e-4);
    EXPECT_FLOAT_EQ(triple[1].y, 101.92f);
    EXPECT_NEAR(quad[0].x, 299.552f, 1e-4);  // 4 x 7 x 0.016
    EXPECT_NEAR(quad[1].x, 300.448f, 1e-4);
    EXPECT_NEAR(quad[2].x, 298.72f, 1e-4);   // 4 x 20 x 0.016
    EXPECT_NEAR(quad[3].x, 301.28f, 1e-4);
    EXPECT_FLOAT_EQ(quad[3].y, 101.76f);
}

TEST_F(SweepsAndSalvos, ASalvoArmsItsFreeRecordsAtTheBossAndParksThemBelowTheScreen) {
    constexpr int pool = findSalvoPool(2, 9);  // boss2 + (242, 200)
    VolleyShot* salvo = salvoPoolRecords(pool);
    salvo[2] = VolleyShot{0, 0, 10, 300, 0, 0, 1};
    armBossSalvo(pool);
    for (int k : {0, 1, 3}) EXPECT_TRUE(salvo[k].active == 1 && salvo[k].x == screenX(342.0f) && salvo[k].y == 250.0f);
    EXPECT_TRUE(salvo[2].x == 10.0f && salvo[2].y == 300.0f);

    frameTime = 0.0f;
    salvo[0].y = 600.0f;
    salvo[1].y = 600.5f;
    playerX = salvo[3].x - 14.0f;  // the box: 14..30, 24..30
    playerY = salvo[3].y - 24.0f;
    moveSalvoPool(pool);
    EXPECT_EQ(salvo[0].active, 1);
    EXPECT_TRUE(salvo[1].active == 0 && salvo[1].y == parkPosition.y);
    EXPECT_EQ(playerAlive, 0);
}

}  // namespace
