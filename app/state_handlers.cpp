// Stand-in frame routine of the ending: a black frame until it is written.
#include "app/state_handlers.h"

#include "game/game_states.h"

void runEndingSequence() { presentBlankFrame(); }
