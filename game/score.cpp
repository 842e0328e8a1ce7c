#include "game/score.h"

int32_t score;
int32_t highScore;
