#include "stages/stage2/stage2.h"

#include "game/game_states.h"

void stage2Frame() { presentBlankFrame(); }
