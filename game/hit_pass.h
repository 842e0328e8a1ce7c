// The one collision and scoring pass of a frame, and the only way points
// are added.
#pragma once

#include <cstdint>

void runHitPass();
// Adds points, saturating at 999,999,999, and raises the high score.
void addScore(int32_t points);

// Hit markers of the large targets.
void markStage1BossHit();
void markStage2BossHit();
void markStage3BossHit();
void markSpareBossAHit();
void markSpareBossBHit();

void takePowerUp();
void takeStage1Coin(int i);
void takeStage2Coin(int i);
void takeStage3Coin(int i);

// A missile strike on a boss lights sparks at every missile.
void spawnStage1BossSparks();
void spawnStage2BossSparks();
void spawnStage3BossSparks();
void spawnSpareBossASparks();
void spawnSpareBossBSparks();
