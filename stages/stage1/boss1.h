// The stage-1 boss (boss1, 440x360) and the base picture at the start of
// the stage.
#pragma once

#include "game/bosses.h"

// The constants the shared boss routines read for this boss.
extern const BossScript boss1Script;
extern const BossLook boss1Look;
extern const BossDefeat boss1Defeat;

// The intro picture and the movement script by moveTimer.
void moveBoss1();
// Damage blasts, the boss, its smoke; then runBoss1Defeat.
void drawBoss1();
// Once hp is gone: the defeat blasts, and after 7 s of its clock the switch
// to stage 2 behind an opening wipe of 30 steps.
void runBoss1Defeat();
// The player's base, which sinks out of the field early in the stage.
void drawStage1Base();

// Stage 2 starts when boss 1 is defeated; the wipe takes this many frames.
constexpr int32_t boss1WipeSteps = 30;
