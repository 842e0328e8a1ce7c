// The ordinary enemies of all three stages: 24 enemy slots, their coins and
// their aimed shots.
#pragma once

#include <cstdint>

#include "game/coin.h"
#include "stages/stage1/shot_records.h"

struct EnemySlot {
    int32_t burstStage;  // while dying: which of the three bursts plays (0..2)
    int32_t burstFrame;  // while dying: frame within the burst (0..8)
    int32_t animFrame;   // exhaust-flame frame, 0..19
    int32_t variant;     // explosion style
    float x, y;
    float vx, vy;
    float timer;
    float angle;
    float radius;
    int32_t hitGate;
    int32_t alive;
    int32_t dying;
};
constexpr int EnemySlotCount = 24;
constexpr int WeaponTargetSlots = 21;  // slots 0..20 are hit by the weapons
extern EnemySlot enemySlots[EnemySlotCount];
extern Coin slotCoins[EnemySlotCount];
extern AimedShot slotAimedShots[EnemySlotCount];
constexpr int AimedFiveSize = 5;
extern AimedShot slotAimedFive[EnemySlotCount][AimedFiveSize];

void spawnDropInEnemy(int slot, int w, int h);
void moveEnemy(int slot, int pattern, int w, int h);
void drawEnemySlot(int slot, int kind);
void killEnemySlot(int slot);
void dropSlotCoin(int slot);
void stepSlotCoin(int slot);
void drawSlotCoin(int slot);
void takeSlotCoin(int slot);
void fireAimedShot(int slot);
void fireAimedFive(int slot);

// Every slot, coin and aimed shot freed and parked (part of the play-state
// reset).
void resetEnemySlots();
