// The program: the engine's start-up, then the game's entry point.
#include "engine/eng_system.h"
#include "game/main_loop.h"

int main() {
    engSystem::StaticInit();
    return WinMain();
}
