#include "game/turning_enemies.h"

#include <gtest/gtest.h>

#include <cmath>

#include "enemy_fixture.h"

using enemytest::code;
#include "game/hit_pass.h"
#include "game/resets.h"

namespace {

constexpr float oneDegree = static_cast<float>(M_PI / 180);
constexpr float straightDown = static_cast<float>(M_PI / 2);

class TurningEnemies : public enemytest::EnemyFixture {
protected:
    static TurningEnemy& place(int i, float fullX, float y) {
        TurningEnemy& e = turningEnemies[i];
        e.x = screenX(fullX);
        e.y = y;
        e.alive = 1;
        return e;
    }
};

TEST_F(TurningEnemies, SpawnEntersAtItsSideAndKeepsItsHitPoints) {
    const auto r = seedAndPeek(3, 3);
    TurningEnemy& left = turningEnemies[0];
    left.hp = 700;
    spawnTurningEnemy(0, 80, 80, 1);
    EXPECT_TRUE(left.x == screenX(260.0f) && left.y == -80.0f && left.heading == straightDown);
    EXPECT_EQ(left.burstStyle, r[0] % 4);
    EXPECT_EQ(left.speedX + left.speedY, 240.0f);
    EXPECT_EQ(left.hp, 700.0f);
    TurningEnemy& right = turningEnemies[1];
    right.burstCount = 3;  // left from a death cut short by the cull
    spawnTurningEnemy(1, 120, 120, 2);
    EXPECT_EQ(right.x, screenX(420.0f));
    EXPECT_EQ(right.burstCount, 0);
    spawnTurningEnemy(2, 80, 80, 3);  // no such side
    spawnTurningEnemy(0, 80, 80, 2);  // alive
    EXPECT_EQ(turningEnemies[2].alive, 0);
    EXPECT_EQ(left.x, screenX(260.0f));
    EXPECT_EQ(engSystem::Rand(), r[2]);
}

TEST_F(TurningEnemies, TheyFlyDownThenTurnAFixedStepEachFrame) {
    frameTime = 0.1f;
    spawnTurningEnemy(0, 80, 80, 1);
    TurningEnemy& e = turningEnemies[0];
    moveTurningEnemy(0, 1, 80, 80);
    EXPECT_TRUE(e.y == -68.0f && e.heading == straightDown);
    e.timer = 29;
    moveTurningEnemy(0, 1, 80, 80);  // exactly 30: the drop and the curve both apply
    EXPECT_FLOAT_EQ(e.y, -44.0f);
    EXPECT_EQ(e.heading, straightDown - oneDegree);
    frameTime = 0.001f;  // the turn is per frame, whatever the frame time
    TurningEnemy& t = place(3, 300, 200);
    t.timer = 100;
    t.heading = 1;
    moveTurningEnemy(3, 4, 80, 80);
    EXPECT_EQ(t.heading, 1 + 0.0251327f);
    e.timer = 180.995f;
    moveTurningEnemy(0, 1, 80, 80);
    EXPECT_EQ(e.timer, 31.0f);  // the curve never ends

    TurningEnemy& still = place(5, 300, 200);
    moveTurningEnemy(5, 5, 80, 80);
    EXPECT_EQ(still.y, 200.0f);
    still.y = 700;
    moveTurningEnemy(5, 0, 80, 80);  // no move, but the cull runs
    EXPECT_EQ(still.alive, 0);
}

TEST_F(TurningEnemies, ADeathTakesFiveBurstsAndLeavesTheRecordForTheCull) {
    TurningEnemy& e = place(3, 300, 200);
    e.speedX = e.speedY = 120;
    killTurningEnemy(3);
    for (int frame = 0; frame < 44; ++frame) drawTurningEnemy(3, 2);
    EXPECT_EQ(explosionSounds(), 5);
    EXPECT_EQ(e.dying, 1);
    EXPECT_EQ(e.speedX + e.speedY, 0.0f);
    drawTurningEnemy(3, 2);
    EXPECT_EQ(e.dying + e.burstCount + e.burstFrame, 0);
    EXPECT_TRUE(e.alive == 1 && e.y == parkPosition.y);
    moveTurningEnemy(3, 2, 80, 80);
    EXPECT_EQ(e.alive, 0);
    for (const Coin& coin : slotCoins) EXPECT_EQ(coin.falling, 0);
}

TEST_F(TurningEnemies, ADamagedEnemySmokes) {
    TurningEnemy& e = place(0, 300, 200);
    e.hp = 1200.5f;
    const auto r = seedAndPeek(11, 25);
    spawnTurningEnemyPuffs(0, 80, 80);
    EXPECT_EQ(turningEnemyPuffs[0][0].active, 0);
    e.hp = 1200;
    spawnTurningEnemyPuffs(0, 80, 80);
    const Puff& first = turningEnemyPuffs[0][0];
    EXPECT_TRUE(first.x == screenX(300.0f) + static_cast<float>(r[0] % 40) && first.y == 220.0f);
    EXPECT_EQ(first.vy, static_cast<float>(-(r[1] % 100 + 100)));
    EXPECT_EQ(first.vx, static_cast<float>(r[2] % 100 - 50));
    EXPECT_EQ(engSystem::Rand(), r[24]);  // three numbers for each of the eight

    // A box no wider than a puff arms it at the enemy's x.
    place(1, 300, 200).hp = 0;
    spawnTurningEnemyPuffs(1, 40, 40);
    for (const Puff& puff : turningEnemyPuffs[1]) EXPECT_EQ(puff.x, screenX(300.0f));

    Puff* puffs = turningEnemyPuffs[0];
    for (int k = 0; k < 3; ++k) puffs[k] = Puff{6, screenX(300.0f), 170, 0, 0, 1};
    puffs[0].y = 50;                 // above 200 - 40 - (0..99)
    puffs[2].x = screenX(259.0f);    // left of the band
    const auto next = seedAndPeek(12, 9);
    stepTurningEnemyPuffs(0, 40, 40);
    EXPECT_EQ(engSystem::Rand(), next[8]);  // one number for every puff, free ones too
    EXPECT_TRUE(puffs[0].active == 0 && puffs[0].y == -2550.0f);
    EXPECT_EQ(puffs[1].active, 1);
    EXPECT_EQ(puffs[2].active, 0);
}

TEST_F(TurningEnemies, FanWavesLeaveFortyTicksApartOnA260TickCycle) {
    place(4, 300, 100);
    playerX = screenX(310.0f);  // the aim point straight below the muzzle
    playerY = 400;
    const FanShot* bank = turningEnemyFanShots(4);
    for (int tick = 1; tick < 40; ++tick) tickEnemyFanWaves(4);
    EXPECT_EQ(bank[0].active, 0);
    tickEnemyFanWaves(4);
    const float twelve = static_cast<float>(M_PI * 12 / 180);
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(bank[k].active == 1 && bank[k].x == screenX(320.0f) && bank[k].y == 120.0f);
        EXPECT_EQ(bank[k].speed, 220.0f);
        EXPECT_FLOAT_EQ(bank[k].angle, straightDown + (k - 1) * twelve) << k;
    }
    EXPECT_EQ(bank[3].active, 0);
    for (int tick = 41; tick <= 80; ++tick) tickEnemyFanWaves(4);
    EXPECT_TRUE(bank[5].active == 1 && bank[6].active == 0);
    for (int tick = 81; tick <= 260; ++tick) tickEnemyFanWaves(4);
    EXPECT_EQ(bank[14].active, 1);
    for (int k = 0; k < FanShotsPerEnemy; ++k) EXPECT_EQ(bank[k].waveCounter, 0);
}

TEST_F(TurningEnemies, FanShotsHitTheShipOnceFlyOnAndRetireAtTheEdges) {
    FanShot* bank = turningEnemyFanShots(0);
    for (int k : {2, 5}) bank[k] = FanShot{23, 0, playerX - 10, playerY + 30, 0, 0, 0, 0, 0, 0, 1};
    bank[7] = FanShot{0, 0, 300, 599, 0, 0, 0, 0, straightDown, 100, 1};
    stepEnemyFanShots(0);
    EXPECT_EQ(playerAlive, 0);
    EXPECT_EQ(bank[2].active + bank[5].active, 2);
    EXPECT_TRUE(bank[7].active == 0 && bank[7].y == parkPosition.y);
}

TEST_F(TurningEnemies, ThePlayStateResetFreesEveryEnemyRecord) {
    place(11, 300, 200).hp = -5;
    turningEnemyFanShots(2)[14] = FanShot{40, 100, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    enemySlots[3].alive = enemySlots[3].dying = slotCoins[7].taken = slotAimedFive(23)[4].active = 1;
    spareBossA.y = 100;
    resetPlayState();
    resetObjectPools();
    EXPECT_TRUE(turningEnemies[11].alive == 0 && turningEnemies[11].hp == 2000.0f);
    const FanShot& shot = turningEnemyFanShots(2)[14];
    EXPECT_TRUE(shot.active == 0 && shot.waveCounter == 0 && shot.frame < 7 && shot.y == parkPosition.y);
    EXPECT_EQ(enemySlots[3].alive + enemySlots[3].dying + slotCoins[7].taken + slotAimedFive(23)[4].active, 0);
    EXPECT_TRUE(spareBossA.y == parkPosition.y && spareBossA.hp == 1500.0f);
}

TEST_F(TurningEnemies, FanShotsAndPuffsDrawFromTheirStrips) {
    makeImage(imgVal16241, 6, 384, 16);
    makeImage(imgZbak6b, 7, 280, 40);
    FanShot& shot = turningEnemyFanShots(1)[3];
    shot.x = screenX(300.0f);
    shot.y = 200;
    shot.frame = 2;
    drawEnemyFanShots(1, 1);  // free records are drawn as well
    EXPECT_EQ(backAt(312, 212), code(6, 32, 0));
    EXPECT_EQ(shot.frame, 3);

    Puff* puffs = turningEnemyPuffs[1];
    puffs[0] = Puff{6, screenX(400.0f), 100, 0, 0, 1};
    puffs[1] = Puff{2, screenX(450.0f), 100, 0, 0, 0};
    drawTurningEnemyPuffs(1);
    EXPECT_EQ(backAt(400, 100), code(7, 240, 0));  // the last of seven cells
    EXPECT_EQ(puffs[0].frame, 0);
    EXPECT_EQ(backAt(450, 100), 0u);  // a free puff is not
    EXPECT_EQ(puffs[1].frame, 2);
}

}  // namespace
