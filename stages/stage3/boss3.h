// The stage-3 boss: a 440x380 sprite in boss3 that descends, dips, sways in
// a loop that grows faster, and on its defeat stops the music and opens the
// ending.
#pragma once

#include <cstdint>

constexpr int32_t boss3Width = 440, boss3Height = 380;
// Length of the opening wipe into the ending.
constexpr int32_t boss3WipeSteps = 60;
// The defeat clock's window in which every defeat call stops the music.
constexpr float boss3MusicStopLow = 50.0f, boss3MusicStopHigh = 60.0f;

void moveBoss3();
// Damage explosions, the sprite of the hp band, smoke; then runBoss3Defeat.
void drawBoss3();
void runBoss3Defeat();
