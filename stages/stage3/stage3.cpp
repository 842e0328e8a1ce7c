#include "stages/stage3/stage3.h"

#include "game/game_states.h"
#include "game/resets.h"
#include "stages/stage3/curving_missiles.h"

void stage3Frame() { presentBlankFrame(); }

void installStage3() { addPoolResetHook(PoolResetPlace::AfterAllShots, parkMissileStreamPools); }
