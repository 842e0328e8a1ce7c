// Turning enemies: twelve side enemies that fly down, turn and circle, with
// their smoke puffs and their banks of fan shots.
#pragma once

#include <cstdint>

#include "game/puffs.h"
#include "game/shots/shot_records.h"

struct TurningEnemy {
    int32_t burstCount;
    int32_t burstFrame;
    int32_t flameFrame;
    int32_t burstStyle;
    float x, y;
    float speedX, speedY;
    float heading;
    float timer;
    float hp;
    int32_t hitGate;
    int32_t alive;
    int32_t dying;
};
constexpr int TurningEnemyCount = 12;
constexpr int WeaponTargetTurningEnemies = 4;  // 0..3 are hit by the weapons
extern TurningEnemy turningEnemies[TurningEnemyCount];

extern Puff turningEnemyPuffs[TurningEnemyCount][PuffsPerSet];

// Each enemy's bank of 15 fan shots (five waves of three) is a row of the
// fan family; this is its records (nullptr for no such enemy).
constexpr int FanShotsPerEnemy = 15;
FanShot* turningEnemyFanShots(int i);

void spawnTurningEnemy(int i, int w, int h, int side);
void moveTurningEnemy(int i, int type, int w, int h);
void drawTurningEnemy(int i, int kind);
void killTurningEnemy(int i);
void spawnTurningEnemyPuffs(int i, int w, int h);
void stepTurningEnemyPuffs(int i, int w, int h);
void drawTurningEnemyPuffs(int i);
void tickEnemyFanWaves(int i);
void stepEnemyFanShots(int i);
// style 1: the animated small shot; style 2: the large round shot.
void drawEnemyFanShots(int i, int style);

// Every turning enemy, puff and fan shot freed and parked, hp back to 2000
// (part of the play-state reset).
void resetTurningEnemies();
