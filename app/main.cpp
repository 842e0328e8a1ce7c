// The program: the engine's start-up, the layers connected, the built-in
// assets, then the game's entry point.
#include <cstdio>
#include <new>

#include "app/main_loop.h"
#include "assets/standin/standin.h"
#include "engine/eng_system.h"
#include "platform/resources.h"

namespace {
// Descriptors open at once: the standard three, the display's connection,
// the sound device, the single-instance lock and its socket, a file read.
constexpr long FileDescriptorsNeeded = 8;
}  // namespace

int main() {
    // Too few descriptors would fail whatever comes first (the display,
    // often) with a misleading word of its own.
    long limit = 0;
    if (!plat::haveFileDescriptors(FileDescriptorsNeeded, limit)) {
        std::fprintf(stderr, "%s: too few file descriptors: the limit is %ld, the game needs %ld (ulimit -n)\n",
                     AppTitle, limit, FileDescriptorsNeeded);
        return 1;
    }
    int status = 1;
    // Out of memory (a low limit on the address space), the game says so in
    // one line and ends with a failure status, tidily.
    try {
        engSystem::StaticInit();
        plat::setWindowProc(engSystem::WindowProc);
        installGame();
        installStandinAssets();
        status = WinMain();
    } catch (const std::bad_alloc&) {
        stopStandinAssets();
        std::fprintf(stderr, "%s: not enough memory to run (is the address space limited?)\n", AppTitle);
        status = 1;
    }
    plat::shutdownPlatform();
    return status;
}
