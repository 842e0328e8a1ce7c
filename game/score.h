// Score and high score.
#pragma once

#include <cstdint>

constexpr int32_t ScoreCap = 999999999;

extern int32_t score;
extern int32_t highScore;
