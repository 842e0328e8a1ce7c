#include "stages/stage1/stage1.h"

#include "game/game_states.h"
#include "game/resets.h"
#include "stages/stage1/ring_spirals.h"

void installStage1() { addPoolResetHook(PoolResetPlace::AfterFullFans, parkRingPools); }
