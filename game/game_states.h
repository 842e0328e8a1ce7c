// The game states and the switches between them that the stages and the
// screens share: the state switch, the stage exit, and the two kinds of
// transition (the closing transition, which the loop presents before it
// enters `returnState`, and the opening wipe, which the new state's frames
// present over a snapshot of the last frame).
//
// The state variables (gameState, previousState, stateChanged, returnState)
// and the transition record are the engine's; the table of state handlers
// and the loop that runs it are the program's top (app/main_loop.h).
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
constexpr int32_t StateCount = 13;

// Switches at once: the new state's next frame sees stateChanged.
void switchState(int32_t state);

// When wait timer 1 has run out, back to the opening screen (the last step
// of the frames of stages 1 and 2).
void checkStageExit();

// Starts the closing transition: step 1, running. Its kind stays as it is;
// the caller stores `returnState`.
void startClosingTransition();

// The one kind of opening wipe the program uses.
constexpr int32_t openingWipeKind = 3;
// A transition kind from which on nothing is drawn.
constexpr int32_t silentTransitionKind = 13;

// Starts an opening wipe of the transition's kind and length as they stand:
// the snapshot of the whole screen (unless the kind draws nothing), then the
// wipe at its first step (the snapshot goes to the engine's SnapshotSlot).
// The caller switches the state.
void startOpeningWipe();
// The same with the program's wipe kind and the given length.
void startOpeningWipe(int32_t steps);

// Ends a frame: present at the vertical blank.
void presentFrame();
