#include "support/engine_fixture.h"

#include <algorithm>
#include <iterator>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_flags.h"
#include "platform/headless/headless.h"

namespace testsupport {

void resetEngine() {
    plat::headless::reset();
    plat::setWindowProc(engSystem::WindowProc);
    engSystem::StaticInit();
    engSystem::ResetGlobals();
    engDraw::SetPictureLimit(0, 0);
    shutdownDone = instanceLocked = cursorClipped = errorFlag = sysKeyMode = 0;
    windowOriginX = windowOriginY = 0;
    for (WaitTimer& timer : waitTimers) timer = WaitTimer{0, 0};
    screenTransition = ScreenTransition{};
    transitionRunning = 0;
    screenWidth = variant::screenWidth;
    screenHeight = variant::screenHeight;
    paused = continuePrompt = shipType = controlMouse = controlKeyboard = noDeath = 0;
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

void EngineTest::SetUp() {
    std::copy(std::begin(stateHandlers), std::end(stateHandlers), savedHandlers);
    testsupport::resetEngine();
}

void EngineTest::TearDown() {
    std::copy(std::begin(savedHandlers), std::end(savedHandlers), stateHandlers);
    engDraw::Release();  // whatever a test brought up
}
