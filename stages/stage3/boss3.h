// The stage-3 boss (boss3, 440x380): it descends, dips, sways in a loop
// that grows faster, and on its defeat stops the music and opens the ending.
#pragma once

#include <cstdint>

#include "game/bosses.h"

// The constants the shared boss routines read for this boss.
extern const BossScript boss3Script;
extern const BossLook boss3Look;
extern const BossDefeat boss3Defeat;

// The movement script by moveTimer (no intro picture).
void moveBoss3();
// Damage blasts, the sprite of the hp band, smoke; then runBoss3Defeat.
void drawBoss3();
// Once hp is gone: the defeat blasts; every call while the defeat clock
// lies strictly between 50 and 60 stops the music; after 7 s of its clock
// the switch to the ending behind an opening wipe of 60 steps.
void runBoss3Defeat();

constexpr int32_t boss3WipeSteps = 60;
constexpr float boss3MusicStopAbove = 50.0f, boss3MusicStopBelow = 60.0f;
