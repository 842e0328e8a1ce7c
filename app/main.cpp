// The program: the engine's start-up, the layers connected, the built-in
// assets, then the game's entry point.
#include "app/main_loop.h"
#include "assets/standin/standin.h"
#include "engine/eng_system.h"

int main() {
    engSystem::StaticInit();
    plat::setWindowProc(engSystem::WindowProc);
    installGame();
    installStandinAssets();
    const int status = WinMain();
    plat::shutdownPlatform();
    return status;
}
