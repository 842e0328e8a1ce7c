// The program's entry and its one loop, and the game-state machine.
#pragma once

#include <cstdint>

// Game states.
constexpr int32_t stateBoot = 0;
constexpr int32_t stateOpening = 1;
constexpr int32_t stateStage1 = 2;
constexpr int32_t stateStage2 = 3;
constexpr int32_t stateEnding = 4;
constexpr int32_t stateStage3 = 6;
constexpr int32_t stateShipSelect = 12;

// Start-up, then the loop until the quit message. Returns the exit status.
int WinMain();

void startClosingTransition();
void checkStageExit();
