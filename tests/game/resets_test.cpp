#include "game/resets.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/boss_effects.h"
#include "game/game_flags.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage3/curving_missiles.h"

namespace {

// Fills records with a byte pattern, so that any field the reset forgets stands out.
template <typename T>
void scribble(T& value) {
    std::memset(&value, 0x41, sizeof(T));
}

bool parked(float x, float y) { return x == parkPosition.x && y == parkPosition.y; }

class ObjectPoolReset : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto* boss : {&boss1, &boss2, &boss3}) scribble(*boss);
        boss1Timeline = boss2Timeline = boss3Timeline = 77;
        boss1RingCounters[5] = missileStreamCounters[5] = boss3SmokeStep = 5;
        scribble(boss2IntroPicture);
        scribble(boss3BigBlasts);
        scribble(boss2SmallBlasts);
        scribble(stageCoins);
        scribble(aimedShotRecords);
        scribble(volleyShotRecords);
        scribble(salvoShotRecords);
        scribble(fanShotRecords);
        scribble(sweepShotRecords);
        scribble(ringShotRecords);
        scribble(curvingMissileRecords);
        engSystem::SeedRand(12345);
        resetObjectPools();
    }
};

TEST_F(ObjectPoolReset, BossesAndTheirEffectsStartAgain) {
    const BossBody* bosses[] = {&boss1, &boss2, &boss3};
    const float hp[] = {1020.0f, 1000.0f, 1000.0f};
    for (int b = 0; b < 3; ++b) {
        EXPECT_TRUE(parked(bosses[b]->x, bosses[b]->y));
        EXPECT_EQ(bosses[b]->moveTimer + bosses[b]->defeatTimer, 0.0f);
        EXPECT_EQ(bosses[b]->hp, hp[b]);
        EXPECT_EQ(bosses[b]->hitFlag, 0);  // no hit flash carries into the next stage
    }
    EXPECT_EQ(boss1Timeline + boss2Timeline + boss3Timeline, 0u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(boss1RingCounters[i] | missileStreamCounters[i], 0);
    EXPECT_EQ(boss1SmokeStep | boss2SmokeStep | boss3SmokeStep, 0);
    EXPECT_TRUE(parked(boss2IntroPicture.x, boss2IntroPicture.y));
    // Every blast record, not only the first of its set.
    for (const BossBlast& blast : boss3BigBlasts) {
        EXPECT_EQ(blast.frame, 0);
        EXPECT_TRUE(parked(blast.x, blast.y));
    }
    EXPECT_TRUE(parked(boss2SmallBlasts[5].x, boss2SmallBlasts[5].y));
    const Coin& coin = stageCoins[2][29];
    EXPECT_TRUE(parked(coin.x, coin.y));
    EXPECT_EQ(coin.pickupGate | coin.falling | coin.taken | coin.loopCount | coin.frame, 0);
}

TEST_F(ObjectPoolReset, EveryShotRecordIsFreeParkedAndPhasedByItsType) {
    for (int p = 0; p < AimedPoolCount; ++p) {
        for (int i = 0; i < aimedPools[p].count; ++i) {
            const AimedShot& r = aimedPoolRecords(p)[i];
            if (aimedPools[p].owner.kind == ShotOwnerKind::EnemySlot) {
                EXPECT_EQ(r.active, 0x41414141);  // the enemies' shots go with the play-state reset
                continue;
            }
            EXPECT_TRUE(parked(r.x, r.y));
            EXPECT_EQ(r.active, 0);
            EXPECT_EQ(r.dx + r.dy + r.startX + r.startY + r.speed, 0.0f);
            EXPECT_TRUE(r.frame >= 0 && r.frame < 10);
        }
    }
    for (const VolleyShot* r : {&volleyShotRecords[400], &salvoShotRecords[22]}) {
        EXPECT_TRUE(parked(r->x, r->y));
        EXPECT_EQ(r->active | r->timerCounter, 0);
        EXPECT_EQ(r->vx + r->vy, 0.0f);
        EXPECT_TRUE(r->frame >= 0 && r->frame < 10);
    }
    int highestRingPhase = 0;
    for (int p = 0; p < FanPoolCount; ++p) {
        if (fanPools[p].owner != FanOwner::Boss) continue;  // the play-state reset parks the enemies' banks
        const bool stage2Ring = fanPools[p].spread == FanSpread::Ring;
        for (int i = 0; i < fanPools[p].count; ++i) {
            const FanShot& r = fanPoolRecords(p)[i];
            EXPECT_TRUE(parked(r.x, r.y));
            EXPECT_EQ(r.active | r.waveCounter, 0);
            EXPECT_EQ(r.dx + r.dy + r.startX + r.startY + r.speed, 0.0f);
            EXPECT_TRUE(r.frame >= 0 && r.frame < (stage2Ring ? 10 : 7));
            if (stage2Ring && r.frame > highestRingPhase) highestRingPhase = r.frame;
        }
    }
    EXPECT_GT(highestRingPhase, 6);  // the stage-2 rings draw 0..9
    EXPECT_TRUE(parked(ringShotRecords[35].x, ringShotRecords[35].y) && ringShotRecords[35].frame < 7);
    const SweepShot& sweep = sweepShotRecords[41];
    EXPECT_TRUE(parked(sweep.x, sweep.y) && sweep.active == 0);
    EXPECT_EQ(sweep.driftX + sweep.driftY + sweep.speed + sweep.turnTimer, 0.0f);
    const CurvingMissile& missile = curvingMissileRecords[299];
    EXPECT_TRUE(missile.x == -500 && missile.y == 500 && missile.timer == 0.0f && missile.active == 0);
}

TEST(ScrollAndPlayerReset, StartsARunAtTheStackedColumnsWithOneLife) {
    score = 12345;
    lives = level = autoFire = laserArmed = shotPower = 7;
    playerVX = 50;
    powerUpItem = PowerUpItem{100, 100, 200, 1, 1};
    backTiles[Back5S][3] = BackTile{1, 2, 3};
    resetScrollAndPlayer();

    const float left = variant::windowed ? 0.0f : 220.0f;
    for (const auto& column : backTiles) {
        for (int k : {0, 3, BackTileCount - 1}) {
            EXPECT_EQ(column[k].x, left);
            EXPECT_EQ(column[k].y, 120.0f - 480.0f * static_cast<float>(k));
            EXPECT_EQ(column[k].drift, 0.0f);
        }
    }
    EXPECT_EQ(playerX, left + 150.0f);
    EXPECT_EQ(playerY, 520.0f);
    EXPECT_EQ(playerVX, 0.0f);
    EXPECT_TRUE(score == 0 && lives == 1 && powerUpCount == 5);
    EXPECT_EQ(level | autoFire | laserArmed | shotPower, 0);
    EXPECT_TRUE(parked(powerUpItem.x, powerUpItem.y));
    EXPECT_EQ(powerUpItem.active | powerUpItem.taken, 0);
    EXPECT_EQ(stage1BasePicture.x, left);
    EXPECT_EQ(stage1BasePicture.y, 240.0f);
}

TEST(PlayStateReset, ClearsTheStageButKeepsTheRun) {
    resetScrollAndPlayer();
    score = 4321;
    lives = 998;
    playerX = 400;
    backTiles[Back3S][0].y = 77;
    playerAlive = 0;
    respawnGuard = respawnGuardFrames = 9;
    paused = continuePrompt = timedMode = clearShots = gameOver = weaponBLock = 1;
    multiBurst = 0;
    scrollDistance = 5000;
    stageMusicCounter = 99;
    wreckFragments[40].alive = 1;
    for (int stage = 1; stage <= 3; ++stage) spawnSparkGroup(stage, 17 * stage, 300, 200);

    resetPlayState();

    EXPECT_TRUE(score == 4321 && lives == 998 && playerX == 400.0f && backTiles[Back3S][0].y == 77.0f);
    EXPECT_EQ(playerAlive, 1);
    EXPECT_EQ(respawnGuard | respawnGuardFrames, 0);
    EXPECT_EQ(paused | continuePrompt | timedMode | clearShots | gameOver | weaponBLock, 0);
    EXPECT_TRUE(multiBurst == 1 && scrollDistance == 0.0f && stageMusicCounter == 0 && timeLeft == 800);
    EXPECT_EQ(wreckFragments[40].alive, 0);
    EXPECT_TRUE(parked(wreckFragments[40].x, wreckFragments[40].y));
    // The sparks of all three stages go out, not only stage 1's.
    for (int stage = 1; stage <= 3; ++stage) {
        for (const DebrisFragment& fragment : bossSparks[stage - 1][17 * stage]) {
            EXPECT_EQ(fragment.alive, 0);
            EXPECT_EQ(fragment.x, 1000.0f);
            EXPECT_EQ(fragment.y, 5000.0f);
        }
    }
}

}  // namespace
