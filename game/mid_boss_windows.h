// The mid-boss windows of the stage timelines, each one call taking the
// mid-boss m (0 in stage 2, 1 in stage 3), so that both stages run one list.
// Body kind and arm type are m + 1. Within one frame the windows run in the
// order given here, the spawn window aside.
#pragma once

// spawnMidBoss(m, 80, 360), spawnLeftArm(m, 14, 46), spawnRightArm(m, 14, 46).
void spawnMidBossWindow(int m);
// The body moved (pattern 11, box 160x360) and drawn, the puffs of both arms
// stepped (40x40) and drawn, then both arms drawn.
void runMidBossWindow(int m);
// Both arms' fan banks ticked, moved and drawn in style 1, left arm first.
void runMidBossArmFansWindow(int m);
// Both arms smoke: their puffs armed in part 0's 80x80 box.
void smokeMidBossArmsWindow(int m);
// The body and both arms killed.
void killMidBossWindow(int m);
