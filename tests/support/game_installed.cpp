// Every test program runs with the layers connected as the game connects
// them at start-up: the engine's key-downs reach the game's global keys,
// and the stages' pools are part of the pool reset.
#include "app/main_loop.h"

namespace {
[[maybe_unused]] const bool gameInstalled = (installGame(), true);
}  // namespace
