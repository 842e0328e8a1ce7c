#include "game/game_flags.h"

int32_t paused;
int32_t continuePrompt;
int32_t shipType;
int32_t controlMouse;
int32_t controlKeyboard;
int32_t noDeath;
