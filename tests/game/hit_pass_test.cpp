#include "game/hit_pass.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "enemy_fixture.h"
#include "game/play_state.h"
#include "game/score.h"
#include "game/weapons.h"

namespace {

class HitPass : public enemytest::EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        clearField();
    }
    // No shot, missile, target or coin in play; score 0, high score 500; a
    // run's modes.
    static void clearField() {
        resetEnemySlots();
        resetTurningEnemies();
        const auto empty = [](auto& pool) {
            for (PlayerShot& shot : pool) shot = PlayerShot{5000, 5000, 0, 0, 0};
        };
        empty(weaponAShots);
        empty(weaponBShots);
        empty(weaponCShots);
        empty(podShots);
        for (Missile& m : missiles) m = Missile{5000, 5000, 0, 0};
        for (BossBody* boss : {&boss1, &boss2, &boss3, &spareBossA, &spareBossB}) {
            *boss = BossBody{parkPosition.x, parkPosition.y, 0, 1000, 0, 0};
        }
        for (int32_t& skip : largeTargetSkipHit) skip = 0;
        for (int stage = 1; stage <= BossCount; ++stage) killBossSparks(stage);
        for (auto& pool : stageCoins) {
            for (Coin& coin : pool) parkCoin(coin);
        }
        powerUpItem = PowerUpItem{parkPosition.x, parkPosition.y, 0, 0, 0};
        score = 0;
        highScore = 500;
        gameMode = 1;
        gameSubMode = 0;
    }
    static void fire(PlayerShot& shot, float fullX, int32_t y, int32_t stepY, int32_t stepX = 0) {
        shot = PlayerShot{static_cast<int32_t>(screenX(fullX)), y, stepX, stepY, 1};
    }
    static void placeSlot(int slot, float fullX, float y) {
        enemySlots[slot].x = screenX(fullX);
        enemySlots[slot].y = y;
    }
};

TEST_F(HitPass, AShotKillsEverySlotItOverlapsEveryFrameAndFliesOn) {
    fire(weaponAShots[0], 300, 60, 10);  // band 0: up to y 50
    placeSlot(2, 290, 20);
    placeSlot(3, 260, 40);
    placeSlot(4, 300, 9.9f);  // above y 10: not tested
    placeSlot(5, 300, 30);
    enemySlots[5].hitGate = 1;
    placeSlot(21, 300, 30);  // only the timelines kill the big slots
    runHitPass();
    EXPECT_EQ(enemySlots[2].dying + enemySlots[3].dying, 2);
    EXPECT_EQ(enemySlots[4].dying + enemySlots[5].dying + enemySlots[21].dying, 0);
    EXPECT_EQ(score, 200);
    EXPECT_TRUE(weaponAShots[0].active == 1 && weaponAShots[0].y == 50);
    runHitPass();  // the dying slots pay again while the shot overlaps them
    EXPECT_EQ(score, 400);
}

TEST_F(HitPass, TurningEnemiesLoseHitPointsByTheFrameTime) {
    fire(weaponCShots[0], 300, 110, 10);
    TurningEnemy& e = turningEnemies[1];
    e.x = screenX(300.0f);
    e.y = 100;
    e.hp = 2;
    turningEnemies[4] = e;  // an escort: never tested
    runHitPass();
    EXPECT_TRUE(score == 100 && e.dying == 0);
    EXPECT_FLOAT_EQ(e.hp, 0.4f);
    // A pod shot at (x + 70, y) takes a tenth as much; the C shot is still inside.
    podShots[60] = PlayerShot{static_cast<int32_t>(screenX(370.0f)), 112, 0, 12, 1};
    e.hp = 2;
    runHitPass();
    EXPECT_FLOAT_EQ(e.hp, 2 - 1.6f - 0.16f);
    EXPECT_EQ(turningEnemies[4].hp, 2.0f);
    runHitPass();
    EXPECT_EQ(e.dying, 1);
}

TEST_F(HitPass, EachWeaponPaysAndDamagesTheBossesByItsOwnTable) {
    struct Case {
        PlayerShot* shot;  // nullptr: a missile
        int32_t boss1Points, boss2Points;
        float damage;  // per second
    } cases[] = {
        {&weaponAShots[1], 50, 60, 100}, {&weaponBShots[1], 100, 250, 100}, {&weaponCShots[1], 100, 250, 100},
        {&podShots[1], 50, 60, 10},      {nullptr, 50, 60, 3},
    };
    for (const Case& c : cases) {
        for (BossBody* boss : {&boss1, &boss2}) {
            clearField();
            boss->x = screenX(300.0f);
            boss->y = 100;
            if (c.shot != nullptr) {
                fire(*c.shot, 400, 210, 10);
            } else {
                missiles[1] = Missile{static_cast<int32_t>(screenX(406.0f)), 200, 0, 1};  // steps 6 left
            }
            runHitPass();
            const int stage = boss == &boss2 ? 2 : 1;
            EXPECT_EQ(score, stage == 2 ? c.boss2Points : c.boss1Points) << c.damage;
            EXPECT_FLOAT_EQ(boss->hp, 1000 - frameTime * c.damage);
            EXPECT_EQ(boss->hitFlag, 1);
            if (c.shot != nullptr) {
                EXPECT_TRUE(c.shot->active == 0 && c.shot->x == 5000);
            } else {  // sparks at every missile; the missile flies on through
                EXPECT_EQ(missiles[1].active, 1);
                EXPECT_EQ(bossSparks[stage - 1][1][0].x, static_cast<float>(screenX(423)));
                EXPECT_EQ(bossSparks[stage - 1][199][2].alive, 1);
            }
        }
    }
}

TEST_F(HitPass, ARetiredShotMeetsTheLaterTargetsWhereItWas) {
    boss1.x = boss2.x = screenX(300.0f);
    boss1.y = boss2.y = 100;
    fire(weaponBShots[0], 400, 210, 10);
    runHitPass();
    EXPECT_EQ(score, 100 + 250);
    EXPECT_EQ(boss1.hitFlag + boss2.hitFlag, 2);
    EXPECT_TRUE(weaponBShots[0].active == 0 && weaponBShots[0].y == 5000);

    // A target flagged to be skipped, or above the top, is not tested; nor
    // are the parked spare targets.
    largeTargetSkipHit[TargetBoss1] = 1;
    boss2.y = -1;
    spareBossA.x = screenX(300.0f);
    EXPECT_FALSE(hitLargeTargets(screenX(400), 200, HitWeapon::B));
    EXPECT_EQ(score, 350);
}

TEST_F(HitPass, ShotsMissilesAndPodShotsMoveByBandAndLeaveTheField) {
    fire(weaponBShots[26], 300, 300, 10, 2);   // band 1: down and left
    fire(weaponBShots[130], 300, 300, 10, 2);  // band 5: down and right
    fire(weaponBShots[78], 300, 595, 10);      // band 3: down, out at the bottom
    fire(weaponCShots[52], 300, 300, 20, 6);   // band 2: up and right
    fire(weaponAShots[3], 300, -55, 10);       // out at the top
    fire(podShots[0], 300, 4, 20);
    const int32_t x = screenX(300);
    missiles[0] = Missile{x, 300, 0, 1};     // group 0, clock 0..3: left
    missiles[50] = Missile{x, 300, 0, 1};    // group 1: mirrored
    missiles[1] = Missile{x, 300, 3.4f, 1};  // between two bands: no step
    missiles[100] = Missile{x, 300, 30, 1};  // group 2, band 22..250
    missiles[2] = Missile{x, 300, 30, 1};    // group 0, band 28..200
    missiles[3] = Missile{x, -56, 10, 1};    // up and out
    runHitPass();
    EXPECT_TRUE(weaponBShots[26].x == x - 2 && weaponBShots[26].y == 310);
    EXPECT_EQ(weaponBShots[130].x, x + 2);
    EXPECT_EQ(weaponBShots[78].active, 0);
    EXPECT_TRUE(weaponCShots[52].x == x + 6 && weaponCShots[52].y == 280);
    EXPECT_TRUE(weaponAShots[3].active == 0 && weaponAShots[3].x == 5000);
    EXPECT_TRUE(podShots[0].active == 0 && podShots[0].y == -16);  // left where it stopped
    EXPECT_EQ(missiles[0].x, x - 6);
    EXPECT_FLOAT_EQ(missiles[0].timer, 0.32f);
    EXPECT_EQ(missiles[50].x, x + 6);
    EXPECT_EQ(missiles[1].x, x);
    EXPECT_TRUE(missiles[100].x == x + 3 && missiles[100].y == 294);
    EXPECT_EQ(missiles[2].x, x + 5);
    EXPECT_TRUE(missiles[3].active == 0 && missiles[3].timer == 0.0f);
    EXPECT_EQ(score, 0);
}

TEST_F(HitPass, ThePowerUpAndTheCoinsPayOnContact) {
    playerX = screenX(400.0f);
    playerY = 100;
    powerUpItem = PowerUpItem{static_cast<float>(screenX(400)), 50, 100, 1, 0};
    runHitPass();
    EXPECT_EQ(powerUpItem.taken, 0);  // not below y 50 yet
    powerUpItem.y = 51;
    runHitPass();
    EXPECT_EQ(powerUpItem.taken, 1);
    EXPECT_EQ(score, 2555);
    EXPECT_EQ(explosionSounds(), 1);

    score = 0;
    powerUpItem.active = 0;
    slotCoins[4] = Coin{static_cast<float>(screenX(460)), 140, 0, 0, 1, 0, 0, 0};
    slotCoins[23] = stageCoins[2][7] = slotCoins[4];  // the last slot's coin is not tested
    runHitPass();
    EXPECT_EQ(score, 558 + 2556);
    EXPECT_TRUE(slotCoins[4].taken == 1 && slotCoins[23].taken == 0 && stageCoins[2][7].taken == 1);
    runHitPass();  // a taken coin pays again while the ship touches it
    EXPECT_EQ(score, 2 * (558 + 2556));
    EXPECT_EQ(explosionSounds(), 5);
    stageCoins[2][7].pickupGate = 1;
    slotCoins[4].y = 161;  // the ship more than 60 above it
    runHitPass();
    slotCoins[4].y = 59;  // more than 40 below it
    runHitPass();
    EXPECT_EQ(score, 2 * (558 + 2556));
}

TEST_F(HitPass, ScoreSaturatesAndTheHighScoreFollows) {
    addScore(400);
    EXPECT_EQ(highScore, 500);
    addScore(200);
    EXPECT_EQ(highScore, 600);
    score = ScoreCap - 100;
    addScore(INT32_MAX);
    EXPECT_TRUE(score == ScoreCap && highScore == ScoreCap);
    score = 0;
    addScore(10);
    EXPECT_EQ(highScore, ScoreCap);  // never lowered
}

TEST_F(HitPass, PointsCountOnlyInTheRunModes) {
    const struct {
        int32_t mode, subMode;
        bool counts;
    } cases[] = {{0, 0, false}, {1, 0, true}, {2, 1, true}, {3, 0, false}, {1, 2, false}};
    for (const auto& c : cases) {
        gameMode = c.mode;
        gameSubMode = c.subMode;
        score = 0;
        addScore(100);
        EXPECT_EQ(score, c.counts ? 100 : 0) << c.mode << "/" << c.subMode;
    }
}

}  // namespace
