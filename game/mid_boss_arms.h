// What the mid-boss arms carry: a set of eight smoke puffs per arm and a bank
// of fan shots per arm. Each left-arm operation reads only the left arm of
// mid-boss m and writes only its own records; each right-arm one likewise.
#pragma once

#include "game/mid_bosses.h"
#include "game/puffs.h"

extern Puff leftArmPuffs[MidBossCount][PuffsPerSet];
extern Puff rightArmPuffs[MidBossCount][PuffsPerSet];

// Arms every free puff in the w x h box of part 0 (the tip), with no hit-point
// condition: four random numbers per puff armed (the x offset, one that
// nothing reads, vy, vx).
void spawnLeftArmPuffs(int m, int w, int h);
void spawnRightArmPuffs(int m, int w, int h);
// Each puff is moved and tested once against each of the arm's seven parts,
// so an active puff moves seven times its speed per call and lives only
// while it lies inside all seven bands. 56 random numbers per call.
void stepLeftArmPuffs(int m, int w, int h);
void stepRightArmPuffs(int m, int w, int h);
void drawLeftArmPuffs(int m);
void drawRightArmPuffs(int m);

// Every arm puff freed and parked (part of the play-state reset).
void resetMidBossArmPuffs();
