// Turning enemies: twelve side enemies that fly down, turn and circle, with
// their smoke puffs and their banks of fan shots.
#pragma once

#include <cstdint>

#include "stages/stage1/shot_records.h"

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

struct Puff {
    int32_t frame;
    float x, y;
    float vx, vy;
    int32_t active;
};
constexpr int PuffsPerEnemy = 8;
extern Puff turningEnemyPuffs[TurningEnemyCount][PuffsPerEnemy];

constexpr int FanShotsPerEnemy = 15;
extern FanShot turningEnemyFanShots[TurningEnemyCount][FanShotsPerEnemy];

void spawnTurningEnemy(int i, int w, int h, int side);
void moveTurningEnemy(int i, int type, int w, int h);
void drawTurningEnemy(int i, int kind);
void killTurningEnemy(int i);
void spawnTurningEnemyPuffs(int i, int w, int h);
void stepTurningEnemyPuffs(int i, int w, int h);
void drawTurningEnemyPuffs(int i);
void tickEnemyFanWaves(int i);
void spawnEnemyFanShot(int i, int k);
void stepEnemyFanShots(int i);
void drawEnemyFanShots(int i);

// Every turning enemy, puff and fan shot freed and parked, hp back to 2000
// (part of the play-state reset).
void resetTurningEnemies();
