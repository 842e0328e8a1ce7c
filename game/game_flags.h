// Flags of the run that the screens set and the stages read.
#pragma once

#include <cstdint>

extern int32_t paused;          // 1 while a stage is frozen
extern int32_t continuePrompt;  // 1 while the continue prompt is up
extern int32_t shipType;        // 1 or 2
extern int32_t controlMouse;    // control mode: exactly one is 1
extern int32_t controlKeyboard;
extern int32_t noDeath;         // 1: a hit never destroys the ship
