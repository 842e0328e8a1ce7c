// The resets. Their bodies are filled in with the objects they reset.
#include "game/resets.h"

void resetScrollAndPlayer() {}
void resetPlayState() {}
void resetObjectPools() {}
