#include "game/resets.h"

#include <ctime>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/boss_effects.h"
#include "game/ending_streaks.h"
#include "game/enemy_slots.h"
#include "game/game_flags.h"
#include "game/large_targets.h"
#include "game/mid_boss_arms.h"
#include "game/mid_bosses.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "game/turning_enemies.h"
#include "game/weapons.h"

namespace {

// Stage-1 base picture at the start of a run.
constexpr float stage1BaseStartX = 220.0f;
constexpr float stage1BaseStartY = 240.0f;
// Spin of a parked wreck fragment, in radians.
constexpr float wreckParkedSpin = -0.0524f;

void parkBoss(BossBody& boss, float startHp) {
    // The hit flags of all of them, so that no hit flash of one stage shows
    // in the next.
    boss = BossBody{};
    parkRecord(boss);
    boss.hp = startHp;
}

void parkPicture(MovingPicture& picture) {
    picture = MovingPicture{};
    parkRecord(picture);
}

template <int N>
void parkBlasts(BossBlast (&blasts)[N]) {
    for (BossBlast& blast : blasts) {
        blast = BossBlast{};
        parkRecord(blast);
    }
}

struct PoolResetHook {
    PoolResetPlace place;
    PoolParkHook park;
};
PoolResetHook poolResetHooks[MaxPoolResetHooks];
int poolResetHookCount = 0;

void runPoolResetHooks(PoolResetPlace place) {
    for (int i = 0; i < poolResetHookCount; ++i) {
        if (poolResetHooks[i].place == place) poolResetHooks[i].park();
    }
}

}  // namespace

void addPoolResetHook(PoolResetPlace place, PoolParkHook park) {
    if (park == nullptr) return;
    for (int i = 0; i < poolResetHookCount; ++i) {
        if (poolResetHooks[i].place == place && poolResetHooks[i].park == park) return;
    }
    if (poolResetHookCount < MaxPoolResetHooks) poolResetHooks[poolResetHookCount++] = PoolResetHook{place, park};
}

void resetObjectPools() {
    // Bosses and their state.
    parkBoss(boss1, boss1StartHp);
    parkBoss(boss2, boss2StartHp);
    parkBoss(boss3, boss3StartHp);
    parkBoss(spareBossA, spareBossAStartHp);
    parkBoss(spareBossB, spareBossBStartHp);
    boss1Timeline = boss2Timeline = boss3Timeline = 0;
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

    // Shot pools, record type after record type (the order of the random
    // first frames): each family parks its own pools. The pools of a single
    // stage come through the hooks: boss 1's ring spirals (fan records)
    // between the full and the compact fans, stage 3's missile streams last;
    // they clear their counters too.
    parkAimedPools();
    parkFanPools(FanOwner::Boss, ShotRecordType::Fan);
    runPoolResetHooks(PoolResetPlace::AfterFullFans);
    parkFanPools(FanOwner::Boss, ShotRecordType::CompactFan);
    parkVolleyPools();
    parkSalvoPools();
    parkSweepPools();
    runPoolResetHooks(PoolResetPlace::AfterAllShots);
}

void resetPlayState() {
    engSystem::SeedRand(static_cast<uint32_t>(std::time(nullptr)));

    parkPowerUp();

    // The player's weapon and effect records off the field; with them the
    // option pods (angles 0 and pi) and the weapon sequencers' counters,
    // which no later step reads.
    resetWeapons();

    for (WreckFragment& fragment : wreckFragments) {
        parkWreckFragment(fragment);
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
    // The arms' fan banks and puffs, then the mid-bosses and their arm parts.
    resetMidBossArms();
    resetMidBosses();

    // Then the ending's streaks.
    rerollEndingStreaks();
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
    parkPowerUp();
    laserArmed = 0;
    shotPower = 0;
}
