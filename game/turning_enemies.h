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
// Arms record k of the bank as one shot of the 3-way fan whose first record
// is `first`.
void spawnEnemyFanShot(int i, int k, int first);
void stepEnemyFanShots(int i);
// style 1: the animated small shot; style 2: the large round shot.
void drawEnemyFanShots(int i, int style);

// Fan banks work the same for every owner (the turning enemies and the
// mid-boss arms); these run one bank.
// Advances every counter of the bank and fires the waves that are due:
// spawn(owner, record, first record of its wave).
void tickFanWaveBank(FanShot* bank, int owner, void (*spawn)(int owner, int k, int first));
// Arms a free record of a bank at (startX, startY), aimed at the player and
// turned by its place in the fan.
void armFanWaveShot(FanShot& shot, float startX, float startY, int k, int first);
void stepFanWaveBank(FanShot* bank);
void drawFanWaveBank(FanShot* bank, int style);

// Every turning enemy, puff and fan shot freed and parked, hp back to 2000
// (part of the play-state reset).
void resetTurningEnemies();
