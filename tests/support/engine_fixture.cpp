#include "support/engine_fixture.h"

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_flags.h"
#include "game/main_loop.h"
#include "platform/headless/headless.h"

namespace testsupport {

void resetEngine() {
    plat::headless::reset();
    plat::setWindowProc(engSystem::WindowProc);
    engSystem::StaticInit();
    engSystem::ResetGlobals();
    engSystem::SeedRand(1);
    shutdownDone = 0;
    instanceLocked = 0;
    cursorClipped = 0;
    errorFlag = 0;
    imeEnabled = 0;
    sysKeyMode = 0;
    windowOriginX = 0;
    windowOriginY = 0;
    for (WaitTimer& timer : waitTimers) timer = WaitTimer{0, 0};
    screenTransition = ScreenTransition{};
    transitionRunning = 0;
    screenWidth = variant::screenWidth;
    screenHeight = variant::screenHeight;
    presentDest = plat::Rect{};
    paused = continuePrompt = shipType = controlMouse = controlKeyboard = noDeath = 0;
    loopExitCode = 0;
}

int drainMessages() {
    int quits = 0;
    plat::Message msg;
    while (plat::peekMessage(msg)) {
        if (msg.type == plat::MessageType::Quit)
            ++quits;
        else
            plat::dispatchMessage(msg);
    }
    return quits;
}

void postMessage(plat::MessageType type, uint32_t wParam, uint32_t lParam) {
    plat::postMessage(plat::Message{type, wParam, lParam});
}

}  // namespace testsupport

void EngineTest::TearDown() {
    // Whatever a test brought up (WinMain's screen) goes again.
    engDraw::Release();
}
