// Stage 1 (game state 2).
#pragma once

// One frame of stage 1 (stage1_frame.cpp).
void stage1Frame();

// Hooks stage 1 into the kit at start-up: the pool reset parks boss 1's ring
// spirals.
void installStage1();
