// The resets between runs and stages.
#pragma once

// The scroll layers and the player ship back to their start.
void resetScrollAndPlayer();
// Player and stage flags, weapons and sparks back to the start of a stage.
void resetPlayState();
// Every enemy, shot and effect record parked and inactive, timers at 0.
void resetObjectPools();
