#include "game/enemy_slots.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "enemy_fixture.h"

using enemytest::code;

namespace {

class EnemySlots : public enemytest::EnemyFixture {
protected:
    static EnemySlot& place(int slot, float fullX, float y, float vx = 0, float vy = 0) {
        EnemySlot& e = enemySlots[slot];
        e.x = screenX(fullX);
        e.y = y;
        e.vx = vx;
        e.vy = vy;
        e.alive = 1;
        return e;
    }
    static bool parked(float x, float y) { return x == parkPosition.x && y == parkPosition.y; }
};

TEST_F(EnemySlots, DropInSpawnDrawsFourNumbersAndLeavesALiveSlotAlone) {
    const auto r = seedAndPeek(99, 5);
    enemySlots[5].radius = 33;
    spawnDropInEnemy(5, 80, 80);
    const EnemySlot& e = enemySlots[5];
    EXPECT_EQ(e.x, static_cast<float>(screenX(220) + r[0] % 290));
    EXPECT_EQ(e.y, -80.0f);
    EXPECT_EQ(e.variant, r[1] % 4);
    EXPECT_EQ(e.vy, static_cast<float>(70 + r[2] % 70));
    EXPECT_EQ(e.vx, static_cast<float>(20 + r[3] % 20));
    EXPECT_EQ(e.alive + e.dying, 1);
    EXPECT_EQ(e.radius, 33.0f);
    const EnemySlot before = e;
    spawnDropInEnemy(5, 240, 440);
    EXPECT_EQ(std::memcmp(&before, &e, sizeof(EnemySlot)), 0);
    EXPECT_EQ(engSystem::Rand(), r[4]);
}

TEST_F(EnemySlots, TheCullFreesEverySlotOffTheScreenEvenWhileDying) {
    const float right = rightEdgeX(800.0f);
    const float cases[][3] = {{right, 100, 0}, {right + 0.5f, 100, 1}, {-80, 100, 0}, {-80.5f, 100, 1},
                              {300, -80, 0},   {300, -80.5f, 1},       {300, 680, 0}, {300, 680.5f, 1}};
    for (const auto& c : cases) {
        EnemySlot& e = enemySlots[3];
        e.x = c[0];
        e.y = c[1];
        e.alive = e.dying = 1;
        moveEnemy(3, 0, 80, 80);
        EXPECT_EQ(e.alive == 0 && parked(e.x, e.y), c[2] != 0) << c[0] << ", " << c[1];
        EXPECT_EQ(e.dying, 1);
    }
}

TEST_F(EnemySlots, HomingAndZigZagPatterns) {
    playerX = screenX(400.0f);
    EnemySlot& h = place(0, 300, 100, 20, 100);
    moveEnemy(0, 1, 80, 80);
    EXPECT_NEAR(h.x - screenX(300.0f), 0.32f, 1e-4);  // by the old speed, then turns to the ship
    EXPECT_EQ(h.vx, 50.0f);

    frameTime = 0.1f;
    EnemySlot& z = place(1, 300, 100, 50, 0);
    const float steps[][2] = {{0, 305}, {19, 305}, {20, 300}, {39.5f, 300}};  // clock before, x after
    for (const auto& s : steps) {
        z.timer = s[0];
        moveEnemy(1, 2, 80, 80);  // at exactly 20 both steps apply and cancel; 40..41 has none
        EXPECT_EQ(z.x, screenX(s[1])) << s[0];
    }
    moveEnemy(1, 2, 80, 80);
    EXPECT_EQ(z.timer, 0.0f);

}

TEST_F(EnemySlots, CirclingStartsFromTheLeftRadiusThenTurnsADegreeAFrame) {
    EnemySlot& e = place(9, 300, 200);
    moveEnemy(9, 9, 80, 80);
    EXPECT_EQ(e.y, 200.0f);  // radius 0 after the reset: no move yet
    EXPECT_EQ(e.radius, 170.0f);
    const float degree = e.angle;
    EXPECT_FLOAT_EQ(degree, static_cast<float>(M_PI / 180));
    frameTime = 0.032f;
    moveEnemy(9, 9, 80, 80);
    EXPECT_EQ(e.angle, 2 * degree);
    EXPECT_NEAR(e.y, 200 + std::sin(degree) * 170 * 0.032, 1e-3);
    EXPECT_NEAR(e.x, screenX(300.0f) - std::cos(degree) * 170 * 0.032, 1e-3);
    e.angle = static_cast<float>(2 * M_PI) - 0.001f;
    moveEnemy(9, 9, 80, 80);
    EXPECT_EQ(e.angle, degree);
    e.angle = 0.001f - static_cast<float>(2 * M_PI);
    moveEnemy(9, 10, 80, 80);
    EXPECT_EQ(e.angle, -degree);
}

TEST_F(EnemySlots, TheBigEnemysPathEntersHoversAndLoops) {
    frameTime = 0;
    EnemySlot& e = place(21, 100, 100);
    moveEnemy(21, 11, 240, 300);
    EXPECT_EQ(e.x, screenX(100.0f));  // the first band starts above 0
    frameTime = 0.1f;
    moveEnemy(21, 11, 240, 300);
    EXPECT_TRUE(e.x == screenX(360.0f) && e.y == -300.0f);
    e.timer = 74;
    moveEnemy(21, 11, 240, 300);  // 75: the drop and the hover both apply
    EXPECT_TRUE(e.x == screenX(360.0f) && e.y == 170.0f);
    e.timer = 200;
    moveEnemy(21, 11, 240, 300);
    EXPECT_TRUE(e.x == screenX(370.0f) && e.y == 175.0f);
    e.timer = 330.5f;
    moveEnemy(21, 11, 240, 300);
    EXPECT_EQ(e.timer, 80.0f);
}

TEST_F(EnemySlots, ADeathPlaysThreeBurstsWithSoundAndDropsTheCoin) {
    EnemySlot& e = place(2, 300, 200, 30, 40);
    e.hitGate = 1;
    killEnemySlot(2);
    const auto r = seedAndPeek(5, 1);
    for (int frame = 0; frame < 26; ++frame) drawEnemySlot(2, 1);
    EXPECT_EQ(explosionSounds(), 3);
    EXPECT_EQ(e.vx + e.vy, 0.0f);
    EXPECT_EQ(e.dying, 1);
    const Coin& coin = slotCoins[2];
    EXPECT_TRUE(coin.falling == 1 && coin.x == screenX(320.0f) && coin.y == 220.0f);
    EXPECT_EQ(coin.vy, static_cast<float>(110 + r[0] % 160));
    drawEnemySlot(2, 1);
    EXPECT_EQ(e.alive + e.dying + e.hitGate + e.burstFrame + e.burstStage, 0);
    EXPECT_TRUE(parked(e.x, e.y));

    killEnemySlot(6);  // a free slot still sounds, and its coin leaves at once
    drawEnemySlot(6, 0);
    EXPECT_EQ(explosionSounds(), 4);
    stepSlotCoin(6);
    EXPECT_EQ(slotCoins[6].falling, 0);
}

TEST_F(EnemySlots, ACoinFallsIsTakenAndBurstsForTwentyFrames) {
    Coin& coin = slotCoins[1];
    coin.loopCount = 1;  // left by a burst cut short at the bottom edge
    place(1, 300, 100);
    dropSlotCoin(1);
    EXPECT_EQ(coin.loopCount, 0);
    coin.vy = 200;
    stepSlotCoin(1);
    dropSlotCoin(1);  // still falling: stays
    EXPECT_FLOAT_EQ(coin.y, 123.2f);

    makeImage(imgCoin1, 1, 30, 30);
    makeImage(imgCoinbk1, 2, 800, 80);
    coin.x = screenX(300.0f);
    coin.y = 100;
    drawSlotCoin(1);
    EXPECT_EQ(backAt(300, 100), code(1, 0, 0));
    takeSlotCoin(1);
    EXPECT_EQ(explosionSounds(), 1);
    for (int frame = 0; frame < 13; ++frame) drawSlotCoin(1);
    EXPECT_EQ(backAt(275, 75), code(2, 160, 0));  // second loop, frame 2
    for (int frame = 13; frame < 19; ++frame) drawSlotCoin(1);
    EXPECT_EQ(coin.taken, 1);
    drawSlotCoin(1);
    EXPECT_EQ(coin.taken + coin.falling + coin.frame + coin.loopCount, 0);
    EXPECT_TRUE(parked(coin.x, coin.y));
}

TEST_F(EnemySlots, ExplosionBurstsSpreadWithTheirFrame) {
    makeImage(imgZbak2b, 3, 720, 80);
    makeImage(imgZbak6b, 4, 360, 40);
    makeImage(imgZbak3b, 5, 800, 80);
    drawEnemyExplosion(screenX(300.0f), 400, 2, 3);
    EXPECT_EQ(backAt(300, 400), code(3, 240, 0));  // big frame 3 at (x, y)
    EXPECT_EQ(backAt(335, 396), code(4, 120, 0));  // small at (x + 5f + 20, y - 8f + 20)
    EXPECT_EQ(backAt(299, 402), code(4, 120, 0));  // small at (x - 7f + 20, y - 6f + 20)
    multiBurst = 0;
    drawEnemyExplosion(screenX(300.0f), 400, 2, 3);
    EXPECT_EQ(testsupport::codedTag(backAt(300, 400)), 5);
}

TEST_F(EnemySlots, TheSingleShotAimsAtTheShipAndHitsInsideItsBox) {
    place(5, 300, 100);
    playerX = screenX(310.0f);  // aim point straight below the muzzle
    playerY = 400;
    const auto r = seedAndPeek(8, 3);
    fireAimedShot(5);
    AimedShot& shot = *slotAimedShot(5);
    EXPECT_TRUE(shot.x == screenX(325.0f) && shot.y == 150.0f);
    EXPECT_EQ(shot.speed, static_cast<float>(130 + r[1] % 50));  // the first number is not used
    EXPECT_FLOAT_EQ(shot.angle, static_cast<float>(M_PI / 2));
    fireAimedShot(5);
    EXPECT_EQ(engSystem::Rand(), r[2]);

    shot.speed = 0;
    shot.x = playerX + 10;
    shot.y = playerY + 19;
    stepAimedShot(5);
    EXPECT_EQ(playerAlive, 1);
    shot.y = playerY + 20;
    stepAimedShot(5);
    EXPECT_EQ(playerAlive, 0);
    clearShots = 1;
    stepAimedShot(5);
    EXPECT_TRUE(shot.active == 0 && parked(shot.x, shot.y));
}

TEST_F(EnemySlots, TheLineOfFiveFliesTogetherAndEndsWithItsSlowestShot) {
    place(7, 300, 100);
    playerX = screenX(100.0f);  // down to the left
    playerY = 300;
    AimedShot* line = slotAimedFive(7);
    line[3].active = 1;
    fireAimedFive(7);
    for (int k = 0; k < AimedFiveSize; ++k) EXPECT_EQ(line[k].speed, 260.0f + 20 * k);
    EXPECT_EQ(line[3].x, parkPosition.x);  // active: not re-armed
    EXPECT_TRUE(line[4].x == screenX(325.0f) && line[4].y == 125.0f && line[4].angle == line[0].angle);
    EXPECT_TRUE(line[0].angle > static_cast<float>(M_PI / 2) && line[0].angle < static_cast<float>(M_PI));

    line[0].x = -31;
    stepAimedFive(7);
    for (int k = 0; k < AimedFiveSize; ++k) EXPECT_EQ(line[k].active, 0) << k;
    EXPECT_NE(line[4].x, parkPosition.x);  // left where they are
}

TEST_F(EnemySlots, AimedShotsDrawTheSmallShotStripOrARoundShot) {
    makeImage(imgVal16241, 6, 384, 16);
    makeImage(imgVall302, 7, 30, 30);
    AimedShot& shot = *slotAimedShot(4);
    shot.active = 1;
    shot.x = screenX(300.5f);
    shot.y = 200;
    shot.frame = 23;
    drawAimedShot(4, 0);
    EXPECT_EQ(backAt(300, 200), code(6, 368, 0));  // the last cell, then back to the first
    EXPECT_EQ(shot.frame, 0);
    drawAimedShot(4, 1);
    EXPECT_EQ(backAt(295, 195), code(7, 0, 0));
    shot.active = 0;
    shot.frame = 5;
    drawAimedShot(4, 0);
    EXPECT_EQ(shot.frame, 5);  // a free shot is not drawn

    AimedShot& lead = slotAimedFive(4)[0];
    lead.active = 1;
    lead.x = screenX(400.0f);
    lead.y = 100;
    lead.frame = 30;  // outside the strip: starts it again
    drawAimedFive(4, 0);
    EXPECT_EQ(backAt(402, 102), code(6, 0, 0));
    EXPECT_EQ(lead.frame, 1);
}

}  // namespace
