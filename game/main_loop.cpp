// Placeholder: the entry point and loop.
#include "game/main_loop.h"

#include "engine/eng_system.h"

int WinMain() { return 0; }
void startClosingTransition() {}
void checkStageExit() {}
void onKeyDown(int32_t key) { lastKey = key; }
