// The program: the engine's start-up, the built-in assets, then the game's
// entry point.
#include "assets/standin/standin.h"
#include "engine/eng_system.h"
#include "game/main_loop.h"

int main() {
    engSystem::StaticInit();
    plat::setWindowProc(engSystem::WindowProc);
    installStandinAssets();
    const int status = WinMain();
    plat::shutdownPlatform();
    return status;
}
