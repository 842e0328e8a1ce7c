// The one collision and scoring pass of a frame, and the only way points
// are added.
#pragma once

#include <cstdint>

#include "game/large_targets.h"

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

// Points of the pick-ups.
constexpr int32_t PowerUpPoints = 2555;
constexpr int32_t SlotCoinPoints = 558;
constexpr int32_t EnemyHitPoints = 100;

// The player's weapons as the hits tell them apart (boxes, points and damage
// differ). The fan pieces of weapon E meet the large targets as weapons B
// and C do, and the enemies with a box of their own.
enum class HitWeapon : int32_t { A, B, C, Pod, Missile, FanPiece };
// Tests a weapon at whole-pixel (x, y) against enemy slots 0..20 and
// turning enemies 0..3 from y 10 down: each slot it overlaps is killed, each
// turning enemy damaged, 100 points apiece. The weapon flies on.
void hitEnemies(int32_t x, int32_t y, HitWeapon weapon);
// Tests a weapon at whole-pixel (x, y) against every large target in order:
// on each hit the target's marker (and, for a missile, its sparks first),
// the weapon's points and its damage. True when any target was hit.
bool hitLargeTargets(int32_t x, int32_t y, HitWeapon weapon);
