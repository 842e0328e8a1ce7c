// The stage-2 boss (boss2, 500x400): it rises in as its own intro picture,
// descends, sways sideways in a loop, and on its defeat opens stage 3.
#pragma once

#include <cstdint>

#include "game/bosses.h"

// The constants the shared boss routines read for this boss.
extern const BossScript boss2Script;
extern const BossLook boss2Look;
extern const BossDefeat boss2Defeat;

// The intro picture and the movement script by moveTimer.
void moveBoss2();
// Damage blasts, the sprite of the hp band, smoke; then runBoss2Defeat.
void drawBoss2();
// Once hp is gone: the defeat blasts, and after 7 s of its clock the switch
// to stage 3 behind an opening wipe of 60 steps.
void runBoss2Defeat();

constexpr int32_t boss2WipeSteps = 60;
