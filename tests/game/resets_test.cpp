#include "game/resets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/game_flags.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score.h"
#include "stages/stage1/boss_debris.h"
#include "stages/stage1/boss_effects.h"
#include "stages/stage1/shot_pools.h"

namespace {

// Fills a record with a byte pattern, so that every field the reset forgets
// stands out.
template <typename T>
void scribble(T& value) {
    std::memset(&value, 0x41, sizeof(T));
}

template <typename T, std::size_t N>
void scribbleAll(T (&values)[N]) {
    for (T& value : values) scribble(value);
}

void scribbleEverything() {
    scribble(boss1);
    scribble(boss2);
    scribble(boss3);
    boss1.hitFlag = boss2.hitFlag = boss3.hitFlag = 1;
    boss1Timeline = boss2Timeline = boss3Timeline = 77;
    scribbleAll(boss1RingCounters);
    scribbleAll(missileStreamCounters);
    boss1SmokeStep = boss2SmokeStep = boss3SmokeStep = 5;
    scribble(boss1IntroPicture);
    scribble(boss2IntroPicture);
    scribbleAll(boss1BigBlasts);
    scribbleAll(boss1SmallBlasts);
    scribbleAll(boss2BigBlasts);
    scribbleAll(boss2SmallBlasts);
    scribbleAll(boss3BigBlasts);
    scribbleAll(boss3SmallBlasts);
    for (auto& pool : stageCoins) scribbleAll(pool);
    scribbleAll(aimedShotRecords);
    scribbleAll(volleyShotRecords);
    scribbleAll(segmentedShotRecords);
    scribbleAll(fanShotRecords);
    scribbleAll(sweepShotRecords);
    scribbleAll(salvoShotRecords);
    scribbleAll(ringShotRecords);
    scribbleAll(curvingMissileRecords);
}

bool parked(float x, float y) { return x == parkPosition.x && y == parkPosition.y; }

class ObjectPoolReset : public ::testing::Test {
protected:
    void SetUp() override {
        engSystem::SeedRand(12345);
        scribbleEverything();
        resetObjectPools();
    }
};

TEST_F(ObjectPoolReset, BossesStandParkedWithFullHitPointsAndNoHitFlash) {
    const BossBody* bosses[] = {&boss1, &boss2, &boss3};
    const float hp[] = {1020.0f, 1000.0f, 1000.0f};
    for (int b = 0; b < 3; ++b) {
        SCOPED_TRACE(b + 1);
        EXPECT_TRUE(parked(bosses[b]->x, bosses[b]->y));
        EXPECT_EQ(bosses[b]->moveTimer, 0.0f);
        EXPECT_EQ(bosses[b]->defeatTimer, 0.0f);
        EXPECT_EQ(bosses[b]->hp, hp[b]);
        EXPECT_EQ(bosses[b]->hitFlag, 0);
    }
    EXPECT_EQ(boss1Timeline, 0u);
    EXPECT_EQ(boss2Timeline, 0u);
    EXPECT_EQ(boss3Timeline, 0u);
    for (int32_t counter : boss1RingCounters) {
        EXPECT_EQ(counter, 0);
    }
    for (int32_t counter : missileStreamCounters) {
        EXPECT_EQ(counter, 0);
    }
    EXPECT_EQ(boss1SmokeStep + boss2SmokeStep + boss3SmokeStep, 0);
    for (const MovingPicture* picture : {&boss1IntroPicture, &boss2IntroPicture}) {
        EXPECT_TRUE(parked(picture->x, picture->y));
        EXPECT_EQ(picture->speed, 0.0f);
    }
}

TEST_F(ObjectPoolReset, EveryBlastRecordIsParkedNotOnlyTheFirst) {
    for (const auto* set : {boss1BigBlasts, boss2BigBlasts, boss3BigBlasts}) {
        for (int i = 0; i < BigBlastCount; ++i) {
            EXPECT_EQ(set[i].frame, 0);
            EXPECT_TRUE(parked(set[i].x, set[i].y));
        }
    }
    for (const auto* set : {boss1SmallBlasts, boss2SmallBlasts, boss3SmallBlasts}) {
        for (int i = 0; i < SmallBlastCount; ++i) {
            EXPECT_EQ(set[i].frame, 0);
            EXPECT_TRUE(parked(set[i].x, set[i].y));
        }
    }
}

TEST_F(ObjectPoolReset, StageCoinsAreParkedAndNotTaken) {
    for (const auto& pool : stageCoins) {
        for (const Coin& coin : pool) {
            EXPECT_TRUE(parked(coin.x, coin.y));
            EXPECT_EQ(coin.vy, 0.0f);
            EXPECT_EQ(coin.pickupGate | coin.falling | coin.taken | coin.loopCount | coin.frame, 0);
        }
    }
}

TEST_F(ObjectPoolReset, AimedAndVolleyRecordsAreFreeWithAPhaseBelowTen) {
    std::set<int32_t> phases;
    for (const AimedShot& r : aimedShotRecords) {
        EXPECT_TRUE(parked(r.x, r.y));
        EXPECT_EQ(r.active, 0);
        EXPECT_EQ(r.dx, 0.0f);
        EXPECT_EQ(r.dy, 0.0f);
        EXPECT_EQ(r.startX, 0.0f);
        EXPECT_EQ(r.startY, 0.0f);
        EXPECT_EQ(r.speed, 0.0f);
        EXPECT_GE(r.frame, 0);
        EXPECT_LT(r.frame, 10);
        phases.insert(r.frame);
    }
    EXPECT_EQ(phases.size(), 10u);  // the shots of a pool do not blink in step
    for (const auto* storage : {volleyShotRecords, segmentedShotRecords, salvoShotRecords}) {
        const std::size_t count = storage == volleyShotRecords      ? std::size(volleyShotRecords)
                                  : storage == segmentedShotRecords ? std::size(segmentedShotRecords)
                                                                    : std::size(salvoShotRecords);
        for (std::size_t i = 0; i < count; ++i) {
            const VolleyShot& r = storage[i];
            EXPECT_TRUE(parked(r.x, r.y));
            EXPECT_EQ(r.active, 0);
            EXPECT_EQ(r.timerCounter, 0);
            EXPECT_EQ(r.vx, 0.0f);
            EXPECT_EQ(r.vy, 0.0f);
            EXPECT_GE(r.frame, 0);
            EXPECT_LT(r.frame, 10);
        }
    }
}

void expectFreeFanShot(const FanShot& r, int phaseLimit) {
    EXPECT_TRUE(parked(r.x, r.y));
    EXPECT_EQ(r.active, 0);
    EXPECT_EQ(r.waveCounter, 0);
    EXPECT_EQ(r.dx, 0.0f);
    EXPECT_EQ(r.dy, 0.0f);
    EXPECT_EQ(r.startX, 0.0f);
    EXPECT_EQ(r.startY, 0.0f);
    EXPECT_EQ(r.speed, 0.0f);
    EXPECT_GE(r.frame, 0);
    EXPECT_LT(r.frame, phaseLimit);
}

TEST_F(ObjectPoolReset, FanAndRingRecordsTakeTheirPhaseByRecordType) {
    bool ringPhaseAboveSix = false;
    for (int p = 0; p < FanPoolCount; ++p) {
        const FanPool& pool = fanPools[p];
        SCOPED_TRACE(testing::Message() << "stage " << pool.stage << " fan pool " << pool.ordinal);
        const bool stage2Ring = pool.recordType == ShotRecordType::CompactFan && pool.spread == FanSpread::Ring;
        for (int i = 0; i < pool.count; ++i) {
            const FanShot& r = fanPoolRecords(p)[i];
            expectFreeFanShot(r, stage2Ring ? 10 : 7);
            if (stage2Ring && r.frame > 6) ringPhaseAboveSix = true;
        }
    }
    EXPECT_TRUE(ringPhaseAboveSix);  // the rings draw from 0..9, not 0..6
    for (const FanShot& r : ringShotRecords) expectFreeFanShot(r, 7);
}

TEST_F(ObjectPoolReset, SweepsAndMissilesAreFree) {
    for (const SweepShot& r : sweepShotRecords) {
        EXPECT_TRUE(parked(r.x, r.y));
        EXPECT_EQ(r.active, 0);
        EXPECT_EQ(r.driftX, 0.0f);
        EXPECT_EQ(r.driftY, 0.0f);
        EXPECT_EQ(r.speed, 0.0f);
        EXPECT_EQ(r.turnTimer, 0.0f);
    }
    for (const CurvingMissile& r : curvingMissileRecords) {
        EXPECT_EQ(r.x, -500);
        EXPECT_EQ(r.y, 500);
        EXPECT_EQ(r.timer, 0.0f);
        EXPECT_EQ(r.active, 0);
    }
}

TEST(ObjectPoolResetRandom, DrawsOnePhasePerPhasedRecord) {
    // One draw for every aimed, fan, ring and volley-type record; none for
    // sweeps and missiles.
    const std::size_t phased = std::size(aimedShotRecords) + std::size(fanShotRecords) +
                               std::size(ringShotRecords) + std::size(volleyShotRecords) +
                               std::size(segmentedShotRecords) + std::size(salvoShotRecords);
    engSystem::SeedRand(99);
    resetObjectPools();
    const int afterReset = engSystem::Rand();
    engSystem::SeedRand(99);
    for (std::size_t i = 0; i < phased; ++i) engSystem::Rand();
    EXPECT_EQ(engSystem::Rand(), afterReset);
}

TEST(ScrollAndPlayerReset, StartsARunAtTheStackedColumnsWithOneLife) {
    score = 12345;
    lives = 7;
    level = 3;
    autoFire = 1;
    laserArmed = shotPower = 1;
    playerX = playerY = 0;
    playerVX = playerVY = 50;
    respawnGuard = respawnGuardFrames = 9;
    powerUpItem = PowerUpItem{100, 100, 200, 1, 1};
    for (auto& column : backTiles) column[3] = BackTile{1, 2, 3};
    resetScrollAndPlayer();

    const float left = variant::windowed ? 0.0f : 220.0f;
    for (const auto& column : backTiles) {
        for (int k : {0, 1, 3, BackTileCount - 1}) {
            EXPECT_EQ(column[k].x, left);
            EXPECT_EQ(column[k].y, 120.0f - 480.0f * static_cast<float>(k));
            EXPECT_EQ(column[k].drift, 0.0f);
        }
    }
    EXPECT_EQ(playerX, variant::windowed ? 150.0f : 370.0f);
    EXPECT_EQ(playerY, 520.0f);
    EXPECT_EQ(playerVX, 0.0f);
    EXPECT_EQ(playerVY, 0.0f);
    EXPECT_EQ(respawnGuard, 0);
    EXPECT_EQ(respawnGuardFrames, 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(lives, 1);
    EXPECT_EQ(powerUpCount, 5);
    EXPECT_EQ(level, 0);
    EXPECT_EQ(autoFire, 0);
    EXPECT_EQ(laserArmed, 0);
    EXPECT_EQ(shotPower, 0);
    EXPECT_TRUE(parked(powerUpItem.x, powerUpItem.y));
    EXPECT_EQ(powerUpItem.active | powerUpItem.taken, 0);
    EXPECT_EQ(powerUpItem.speed, 0.0f);
    EXPECT_EQ(stage1BasePicture.x, left);
    EXPECT_EQ(stage1BasePicture.y, 240.0f);
    EXPECT_EQ(stage1BasePicture.speed, 0.0f);
}

TEST(PlayStateReset, ClearsTheStageButKeepsTheRun) {
    resetScrollAndPlayer();
    score = 4321;
    lives = 998;
    shipType = 2;
    playerX = 400;
    playerY = 300;
    backTiles[Back3S][0].y = 77;
    playerAlive = 0;
    respawnGuard = 1;
    respawnGuardFrames = 100;
    paused = continuePrompt = timedMode = clearShots = gameOver = weaponBLock = 1;
    multiBurst = 0;
    scrollDistance = 5000;
    stageMusicCounter = 99;
    timeLeft = 3;
    powerUpItem.active = 1;
    for (WreckFragment& fragment : wreckFragments) fragment = WreckFragment{1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6};
    for (int stage = 1; stage <= 3; ++stage) spawnSparkGroup(stage, 17, 300, 200);

    resetPlayState();

    EXPECT_EQ(score, 4321);
    EXPECT_EQ(lives, 998);
    EXPECT_EQ(shipType, 2);
    EXPECT_EQ(playerX, 400.0f);
    EXPECT_EQ(playerY, 300.0f);
    EXPECT_EQ(backTiles[Back3S][0].y, 77.0f);

    EXPECT_EQ(playerAlive, 1);
    EXPECT_EQ(respawnGuard, 0);
    EXPECT_EQ(respawnGuardFrames, 0);
    EXPECT_EQ(paused | continuePrompt | timedMode | clearShots | gameOver | weaponBLock, 0);
    EXPECT_EQ(multiBurst, 1);
    EXPECT_EQ(scrollDistance, 0.0f);
    EXPECT_EQ(stageMusicCounter, 0);
    EXPECT_EQ(timeLeft, 800);
    EXPECT_EQ(powerUpItem.active, 0);
    EXPECT_TRUE(parked(powerUpItem.x, powerUpItem.y));
    for (const WreckFragment& fragment : wreckFragments) {
        EXPECT_TRUE(parked(fragment.x, fragment.y));
        EXPECT_EQ(fragment.alive | fragment.age | fragment.guardCount | fragment.frameTick, 0);
        EXPECT_EQ(fragment.speed, 0.0f);
        EXPECT_FLOAT_EQ(fragment.angle, -0.0524f);
    }
}

TEST(PlayStateReset, PutsOutTheSparksOfAllThreeStages) {
    for (int stage = 1; stage <= 3; ++stage) {
        for (int group = 0; group < SparkGroupCount; group += 37) spawnSparkGroup(stage, group, 250, 100);
    }
    resetPlayState();
    for (const auto& pool : bossSparks) {
        for (const auto& group : pool) {
            for (const DebrisFragment& fragment : group) {
                EXPECT_EQ(fragment.alive, 0);
                EXPECT_EQ(fragment.x, 1000.0f);
                EXPECT_EQ(fragment.y, 5000.0f);
            }
        }
    }
}

}  // namespace
