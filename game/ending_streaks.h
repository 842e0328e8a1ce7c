// The falling streaks of the ending: 280 short pieces that fall behind its
// scenes and start again from the top once they leave the bottom.
#pragma once

#include <cstdint>

struct Streak {
    int32_t kind;   // 0..6: which piece of the sheet
    float x, y;
    float driftX;   // cleared every step: the streaks fall straight
    float speed;    // px/s, downwards
};

constexpr int StreakCount = 280;
extern Streak endingStreaks[StreakCount];

// A new random kind, position and speed for every streak (part of the
// play-state reset).
void rerollEndingStreaks();
// Draws every streak, then moves it down; one that passed y 600 starts
// again above the top at speed b + rand() % a.
void stepEndingStreaks(int32_t a, int32_t b);
