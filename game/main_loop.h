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

// Exit statuses of WinMain.
constexpr int ExitNormal = 0;
constexpr int ExitNoWindow = 1;  // the main window could not be created
constexpr int ExitNoScreen = 2;  // the screen could not be brought up (after its error box)

// Start-up, then the loop until the quit message. Returns the exit status.
int WinMain();
// The start-up alone, up to the first turn of the loop: GameStarted, or the
// exit status when the program cannot run.
constexpr int GameStarted = -1;
int startGame();

// One turn of the loop: one message, or one idle turn. false once the quit
// message was taken; loopExitCode then holds its code.
bool runLoopTurn();
extern int loopExitCode;

// The frame routine of each state, indexed by the state; nullptr where a
// state has none (0 and the gaps 5, 7 to 11).
using StateHandler = void (*)();
constexpr int32_t StateCount = 13;
extern StateHandler stateHandlers[StateCount];
StateHandler stateHandlerFor(int32_t state);

void startClosingTransition();
void checkStageExit();
