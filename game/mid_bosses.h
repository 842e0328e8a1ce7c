// The mid-bosses of stages 2 and 3 (m 0 and 1): a body that drops in and
// hovers, and two arms of seven parts each. Part 0 of an arm is its tip;
// parts 1..6 are held at the arm's base on the body. All of them are records
// of the enemy-slot layout, which nothing the player fires ever tests.
#pragma once

#include "game/enemy_slots.h"

constexpr int MidBossCount = 2;
constexpr int ArmPartCount = 7;
extern EnemySlot midBoss[MidBossCount];
extern EnemySlot leftArm[MidBossCount][ArmPartCount];
extern EnemySlot rightArm[MidBossCount][ArmPartCount];

enum class ArmSide { Left, Right };
// The seven parts of one arm of mid-boss m; nullptr for an m outside the
// table.
EnemySlot* armParts(int m, ArmSide side);

// Arms the body at (360, -h) if it is not alive (w is not read).
void spawnMidBoss(int m, int w, int h);
// Arms every part that is not alive at (body.x - dx, body.y - 24) (h is not
// read).
void spawnLeftArm(int m, int dx, int h);
// Arms every part that is not alive at (body.x + 80, body.y - 24) (neither
// dx nor h is read).
void spawnRightArm(int m, int dx, int h);
// Moves a live body by pattern 0..10 as the enemy slots move, or by its own
// pattern 11 (above the screen, the drop, then the hover at (360, 170) for
// good); then culls it with the box w x h.
void moveMidBoss(int m, int pattern, int w, int h);
// Kind 1 (stage 2) or 2 (stage 3): flames and body; while dying, the
// explosion of four bursts, after which the body is freed and parked.
void drawMidBoss(int m, int kind);
// Type 1 or 2: for each part in order, the whole arm drawn (six links from
// the base towards the tip, then the tip sprite) and the part's script run;
// a dying part plays its explosion instead.
void drawMidBossLeftArm(int m, int type);
void drawMidBossRightArm(int m, int type);
// Start the deaths: `dying` := 1 where it is 0.
void killMidBoss(int m);
void killMidBossLeftArm(int m);
void killMidBossRightArm(int m);

// Both mid-bosses and every arm part freed and parked (part of the
// play-state reset).
void resetMidBosses();
