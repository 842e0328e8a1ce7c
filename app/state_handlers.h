// The frame routines of the game states, one call per paced frame: the
// program's screens here, each stage's frame in its own stage.
#pragma once

#include "stages/stage1/stage1.h"  // stage1Frame, state 2
#include "stages/stage2/stage2.h"  // stage2Frame, state 3
#include "stages/stage3/stage3.h"  // stage3Frame, state 6

void runOpeningScreen();   // state 1
void runShipSelect();      // state 12
void runEndingSequence();  // state 4
