#include "game/resets.h"

#include <ctime>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/enemy_slots.h"
#include "game/game_flags.h"
#include "game/hit_pass.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score.h"
#include "game/turning_enemies.h"
#include "game/weapons.h"
#include "stages/stage1/boss_debris.h"
#include "stages/stage1/boss_effects.h"
#include "stages/stage1/shot_pools.h"

namespace {

// Stage-1 base picture at the start of a run.
constexpr float stage1BaseStartX = 220.0f;
constexpr float stage1BaseStartY = 240.0f;
// Spin of a parked wreck fragment, in radians.
constexpr float wreckParkedSpin = -0.0524f;

int32_t randomPhase(int modulus) { return engSystem::Rand() % modulus; }

void parkPowerUpItem() {
    powerUpItem.x = parkPosition.x;
    powerUpItem.y = parkPosition.y;
    powerUpItem.speed = 0;
    powerUpItem.active = 0;
    powerUpItem.taken = 0;
}

void parkBoss(BossBody& boss, float startHp) {
    boss.x = parkPosition.x;
    boss.y = parkPosition.y;
    boss.moveTimer = 0;
    boss.defeatTimer = 0;
    boss.hp = startHp;
    // All three, so that no hit flash of one stage shows in the next.
    boss.hitFlag = 0;
}

void parkPicture(MovingPicture& picture) {
    picture.x = parkPosition.x;
    picture.y = parkPosition.y;
    picture.speed = 0;
}

template <int N>
void parkBlasts(BossBlast (&blasts)[N]) {
    for (BossBlast& blast : blasts) {
        blast.frame = 0;
        blast.x = parkPosition.x;
        blast.y = parkPosition.y;
    }
}

void parkAimedShots(AimedShot* records, int count) {
    for (int i = 0; i < count; ++i) {
        AimedShot& r = records[i];
        r.frame = randomPhase(10);
        r.x = parkPosition.x;
        r.y = parkPosition.y;
        r.dx = r.dy = 0;
        r.startX = r.startY = 0;
        r.speed = 0;
        r.active = 0;
    }
}

void parkFanShots(FanShot* records, int count, int phaseModulus) {
    for (int i = 0; i < count; ++i) {
        FanShot& r = records[i];
        r.frame = randomPhase(phaseModulus);
        r.waveCounter = 0;
        r.x = parkPosition.x;
        r.y = parkPosition.y;
        r.dx = r.dy = 0;
        r.startX = r.startY = 0;
        r.speed = 0;
        r.active = 0;
    }
}

void parkVolleyShots(VolleyShot* records, int count) {
    for (int i = 0; i < count; ++i) {
        VolleyShot& r = records[i];
        r.frame = randomPhase(10);
        r.timerCounter = 0;
        r.x = parkPosition.x;
        r.y = parkPosition.y;
        r.vx = r.vy = 0;
        r.active = 0;
    }
}

void parkSweepShots(SweepShot* records, int count) {
    for (int i = 0; i < count; ++i) {
        SweepShot& r = records[i];
        r.x = parkPosition.x;
        r.y = parkPosition.y;
        r.driftX = r.driftY = 0;
        r.speed = 0;
        r.turnTimer = 0;
        r.active = 0;
    }
}

void parkCurvingMissiles(CurvingMissile* records, int count) {
    for (int i = 0; i < count; ++i) {
        CurvingMissile& r = records[i];
        r.x = missileParkX;
        r.y = missileParkY;
        r.timer = 0;
        r.active = 0;
    }
}

// The stage-2 rings draw a 0..9 phase, every other fan pool 0..6.
int fanPhaseModulus(const FanPool& pool) {
    return (pool.recordType == ShotRecordType::CompactFan && pool.spread == FanSpread::Ring) ? 10 : 7;
}

void parkFanPoolsOfType(ShotRecordType type) {
    for (int p = 0; p < FanPoolCount; ++p) {
        if (fanPools[p].recordType != type) continue;
        parkFanShots(fanPoolRecords(p), fanPools[p].count, fanPhaseModulus(fanPools[p]));
    }
}

}  // namespace

void resetObjectPools() {
    // Bosses and their state.
    parkBoss(boss1, boss1StartHp);
    parkBoss(boss2, boss2StartHp);
    parkBoss(boss3, boss3StartHp);
    parkBoss(spareBossA, spareBossAStartHp);
    parkBoss(spareBossB, spareBossBStartHp);
    boss1Timeline = boss2Timeline = boss3Timeline = 0;
    for (int32_t& counter : boss1RingCounters) counter = 0;
    for (int32_t& counter : missileStreamCounters) counter = 0;
    boss1SmokeStep = boss2SmokeStep = boss3SmokeStep = 0;
    parkPicture(boss1IntroPicture);
    parkPicture(boss2IntroPicture);
    // Every blast record, not only the first of each set.
    parkBlasts(boss1BigBlasts);
    parkBlasts(boss1SmallBlasts);
    parkBlasts(boss2BigBlasts);
    parkBlasts(boss2SmallBlasts);
    parkBlasts(boss3BigBlasts);
    parkBlasts(boss3SmallBlasts);

    for (auto& pool : stageCoins) {
        for (Coin& coin : pool) parkCoin(coin);
    }

    // Shot pools, record type after record type.
    for (int p = 0; p < AimedPoolCount; ++p) parkAimedShots(aimedPoolRecords(p), aimedPools[p].count);
    parkFanPoolsOfType(ShotRecordType::Fan);
    for (int p = 0; p < RingPoolCount; ++p) parkFanShots(ringPoolRecords(p), ringPools[p].count, 7);
    parkFanPoolsOfType(ShotRecordType::CompactFan);
    for (int p = 0; p < VolleyPoolCount; ++p) parkVolleyShots(volleyPoolRecords(p), volleyPools[p].count);
    for (int p = 0; p < SegmentedPoolCount; ++p) {
        parkVolleyShots(segmentedPoolRecords(p), segmentedPools[p].count);
    }
    for (int p = 0; p < SalvoPoolCount; ++p) parkVolleyShots(salvoPoolRecords(p), salvoPools[p].count);
    for (int p = 0; p < SweepPoolCount; ++p) parkSweepShots(sweepPoolRecords(p), sweepPools[p].count);
    for (int p = 0; p < MissileStreamCount; ++p) {
        parkCurvingMissiles(missileStreamPoolRecords(p), missileStreamPools[p].count);
    }
}

void resetPlayState() {
    engSystem::SeedRand(static_cast<uint32_t>(std::time(nullptr)));

    parkPowerUpItem();

    // The player's weapon and effect records off the field; with them the
    // option pods (angles 0 and pi) and the weapon sequencers' counters,
    // which no later step reads.
    resetWeapons();

    for (WreckFragment& fragment : wreckFragments) {
        fragment = WreckFragment{};
        fragment.x = parkPosition.x;
        fragment.y = parkPosition.y;
        fragment.angle = wreckParkedSpin;
    }

    // The spark pools of all three stages, so that no spark of an earlier
    // run lingers in a later one.
    for (int stage = 1; stage <= BossCount; ++stage) killBossSparks(stage);

    playerAlive = 1;
    respawnGuard = 0;
    respawnGuardFrames = 0;
    paused = 0;
    continuePrompt = 0;
    timedMode = 0;
    clearShots = 0;
    gameOver = 0;
    weaponBLock = 0;
    multiBurst = 1;
    scrollDistance = 0;
    stageMusicCounter = 0;
    timeLeft = 800;

    resetEnemySlots();
    resetTurningEnemies();

    // Then, as their records come: the mid-bosses with their arms, arm fan
    // banks and puffs, and the ending's streaks.
}

void resetScrollAndPlayer() {
    stage1BasePicture.x = screenX(stage1BaseStartX);
    stage1BasePicture.y = stage1BaseStartY;
    stage1BasePicture.speed = 0;

    resetBackColumns();

    autoFire = 0;
    level = 0;
    playerVX = playerVY = 0;
    respawnGuard = 0;
    respawnGuardFrames = 0;
    score = 0;
    powerUpCount = 5;
    lives = 1;
    playerX = screenX(playerStartX);
    playerY = playerStartY;
    parkPowerUpItem();
    laserArmed = 0;
    shotPower = 0;
}
