// Stage 2 (game state 3).
#pragma once

// One frame of stage 2. A stand-in: a black frame until the stage is written.
void stage2Frame();
