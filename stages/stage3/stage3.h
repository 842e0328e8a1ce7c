// Stage 3 (game state 6).
#pragma once

// One frame of stage 3. A stand-in: a black frame until the stage is written.
void stage3Frame();

// Hooks stage 3 into the kit at start-up: the pool reset parks the boss's
// curving missile streams.
void installStage3();
