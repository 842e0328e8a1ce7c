// Flags of the run that the global keys and the screens set: pause, the
// continue prompt, the ship type and the control mode.
#pragma once

#include <cstdint>

extern int32_t paused;           // 1: the stage frame only reads the continue key
extern int32_t continuePrompt;   // 1 while the continue picture is up
extern int32_t shipType;         // 1 or 2 (0 before a choice)
extern int32_t controlMouse;     // control mode: exactly one of the two is 1
extern int32_t controlKeyboard;
extern int32_t noDeath;          // 1: a hit never destroys the ship
