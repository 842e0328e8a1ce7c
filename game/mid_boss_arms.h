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

// Fan banks: each arm's 15 fan shots (five fans of three, 40 ticks apart on
// a 260-tick cycle) are a row of the fan family owned by that arm.
// One tick of the bank's wave counters; the waves that are due are armed.
void tickLeftArmFanWaves(int m);
void tickRightArmFanWaves(int m);
// Arms record k, if free, as one shot of the fan whose first record is
// `first`: 160 px below part 0, at x - 30 (left arm) or x (right arm), aimed
// at the player turned by -12, 0 or +12 degrees, 220 px/s.
void spawnLeftArmFanShot(int m, int k, int first);
void spawnRightArmFanShot(int m, int k, int first);
// Flies the active shots, retires those off the screen, tests the player.
void stepLeftArmFanShots(int m);
void stepRightArmFanShots(int m);
// Every record of the bank, active or not: style 1 the small animated shot,
// style 2 the large round shot, any other nothing.
void drawLeftArmFanShots(int m, int style);
void drawRightArmFanShots(int m, int style);

// Every arm fan shot free and parked with its wave counter at 0, then every
// arm puff freed and parked (part of the play-state reset).
void resetMidBossArms();
