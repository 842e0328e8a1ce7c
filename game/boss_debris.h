// Sparks that a boss throws when the player's missiles strike it, and the
// stage coin pools that each stage moves and draws.
#pragma once

#include <cstdint>

#include "game/coin.h"
#include "game/shots/shot_records.h"

constexpr int BossCount = 3;

// One spark pool per boss: a group of fragments for each of the player's 200
// missiles. A missile's hit lights every spark of its group that is not
// already flying; a group is 3 sparks.
constexpr int SparkGroupCount = 200;
constexpr int SparksPerGroup = 3;
constexpr int SparkSize = 14;
extern DebrisFragment bossSparks[BossCount][SparkGroupCount][SparksPerGroup];

// Sparks go out once they sink to the boss's y + 320 + a random 0..39.
constexpr float sparkDeathDepth = 320.0f;

// The spark pool of stage 1, 2 or 3: tremble and sink every live fragment,
// then put out those that have sunk far enough below the stage's boss.
void stepBossDebris(int stage);
// Draws every used fragment of the stage's spark pool, alive or dead.
void drawDebris(int stage);
// A missile hit: every dead fragment of the missile's group comes alive at
// (missile x + 23, missile y).
void spawnSparkGroup(int stage, int group, int32_t missileX, int32_t missileY);
// The same for one group of any spark pool.
void lightSparkGroup(DebrisFragment (&group)[SparksPerGroup], int32_t missileX, int32_t missileY);
// Every fragment of the stage's spark pool dead at (1000, 5000).
void killBossSparks(int stage);

// The stage coin pools. Nothing places a coin in them in play; the routines
// still step and draw whatever a pool holds.
constexpr int StageCoinCount = 30;
extern Coin stageCoins[BossCount][StageCoinCount];

void stepStageCoins(int stage);
void drawStageCoins(int stage);
