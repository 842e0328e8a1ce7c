// The stage-2 boss: a 500x400 sprite in boss2 that rises in as its own intro
// picture, descends, sways sideways in a loop, and on its defeat opens
// stage 3.
#pragma once

#include <cstdint>

constexpr int32_t boss2Width = 500, boss2Height = 400;
// Length of the opening wipe into stage 3.
constexpr int32_t boss2WipeSteps = 60;

void moveBoss2();
// Damage explosions, the sprite of the hp band, smoke; then runBoss2Defeat.
void drawBoss2();
void runBoss2Defeat();
