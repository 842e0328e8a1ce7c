// The frame routines of the game states, one call per paced frame.
#pragma once

void runOpeningScreen();   // state 1
void runShipSelect();      // state 12
void stage1Frame();        // state 2
void stage2Frame();        // state 3
void stage3Frame();        // state 6
void runEndingSequence();  // state 4
