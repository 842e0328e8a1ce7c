#include "game/boss_debris.h"

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"

DebrisFragment bossSparks[BossCount][SparkGroupCount][SparksPerGroup];
Coin stageCoins[BossCount][StageCoinCount];

namespace {

bool validStage(int stage) { return stage >= 1 && stage <= BossCount; }

// A random whole step 0 .. modulus - 1, as a float.
float randomStep(int modulus) { return static_cast<float>(engSystem::Rand() % modulus); }

void killFragment(DebrisFragment& fragment) {
    fragment.alive = 0;
    fragment.x = deadDebrisPosition.x;
    fragment.y = deadDebrisPosition.y;
}

}  // namespace

void stepBossDebris(int stage) {
    if (!validStage(stage)) return;
    const BossBody& boss = bossOfStage(stage);
    for (auto& group : bossSparks[stage - 1]) {
        for (DebrisFragment& fragment : group) {
            if (fragment.alive != 0) {
                // Four draws in this order: right, left, down, up.
                const float right = randomStep(5);
                const float left = randomStep(5);
                fragment.x = (fragment.x + right) - left;
                const float down = randomStep(20);
                const float up = randomStep(12);
                fragment.y = (fragment.y + down) - up;
            }
            const float depth = randomStep(40);
            if (fragment.y >= (boss.y + sparkDeathDepth) + depth) killFragment(fragment);
        }
    }
}

void drawDebris(int stage) {
    if (!validStage(stage)) return;
    // Dead fragments lie far outside the clip; their blits would copy nothing.
    for (const auto& group : bossSparks[stage - 1]) {
        for (const DebrisFragment& fragment : group) {
            const int32_t x = pixelOf(fragment.x), y = pixelOf(fragment.y);
            if (engDraw::ClippedAway(x, y, SparkSize, SparkSize)) continue;
            engDraw::Blit(x, y, imgHahen2, 0, 0, SparkSize, SparkSize);
        }
    }
}

void lightSparkGroup(DebrisFragment (&group)[SparksPerGroup], int32_t missileX, int32_t missileY) {
    for (DebrisFragment& fragment : group) {
        if (fragment.alive != 0) continue;
        fragment.alive = 1;
        fragment.x = static_cast<float>(missileX + 23);
        fragment.y = static_cast<float>(missileY);
    }
}

void spawnSparkGroup(int stage, int group, int32_t missileX, int32_t missileY) {
    if (!validStage(stage) || group < 0 || group >= SparkGroupCount) return;
    lightSparkGroup(bossSparks[stage - 1][group], missileX, missileY);
}

void killBossSparks(int stage) {
    if (!validStage(stage)) return;
    for (auto& group : bossSparks[stage - 1]) {
        for (DebrisFragment& fragment : group) killFragment(fragment);
    }
}

void stepStageCoins(int stage) {
    if (!validStage(stage)) return;
    for (Coin& coin : stageCoins[stage - 1]) stepCoin(coin);
}

void drawStageCoins(int stage) {
    if (!validStage(stage)) return;
    for (Coin& coin : stageCoins[stage - 1]) drawCoin(coin, imgCoin2);
}
