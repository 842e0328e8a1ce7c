// The program's entry and its one loop, and the game-state machine.
#pragma once

#include <cstdint>

#include "game/game_states.h"

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
extern StateHandler stateHandlers[StateCount];
StateHandler stateHandlerFor(int32_t state);

// Connects the layers below at start-up, before WinMain: the engine's
// key-down handler (onKeyDown) and each stage's hooks into the kit's resets.
// Calling it again changes nothing.
void installGame();

// The global keys (Esc, S, T) and the last key, for every key-down that
// reaches the game.
void onKeyDown(int32_t key);

// Loads every asset (loadAllAssets), then hands over to the opening screen:
// the high score at its start value, a new run's scroll and player, state 1.
// 0 when the screen could not be brought up (nothing loaded, no hand-over).
int loadAssetsAndOpen();
