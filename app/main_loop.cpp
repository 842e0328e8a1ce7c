// The program's entry, its one message loop and the game-state machine, and
// the global keys (Esc, S, T).
#include "app/main_loop.h"

#include "app/state_handlers.h"
#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_flags.h"
#include "game/resets.h"
#include "game/score.h"
#include "platform/window.h"
#include "stages/stage1/stage1.h"
#include "stages/stage3/stage3.h"

int loopExitCode;

namespace {

constexpr uint32_t EscQuitWaitMs = 1000;

constexpr int32_t OptionNotTopmost = 1 << 0;
constexpr int32_t OptionRunInactive = 1 << 1;
constexpr int32_t OptionHidden = 1 << 2;

// An idle turn: advance a closing transition, or run the state's handler
// when a frame is due. Returns true when no frame was due.
bool runIdleTurn() {
    if (previousState == 0 && gameState != 0) {
        stateChanged = 1;
        previousState = gameState;
    }
    bool handlerRan = false;
    bool frameNotDue = false;
    if (transitionRunning == 1) {
        engDraw::Present();
        if (transitionRunning == 0) gameState = returnState;
    } else if (StateHandler handler = stateHandlerFor(gameState)) {
        if (engSystem::PaceFrame()) {
            handler();
            handlerRan = true;
        } else {
            frameNotDue = true;
        }
    }
    if (gameState != previousState)
        stateChanged = 1;
    else if (handlerRan)
        stateChanged = 0;
    previousState = gameState;
    return frameNotDue;
}

}  // namespace

StateHandler stateHandlers[StateCount] = {
    nullptr,            // 0 boot
    runOpeningScreen,   // 1
    stage1Frame,        // 2
    stage2Frame,        // 3
    runEndingSequence,  // 4
    nullptr,            // 5
    stage3Frame,        // 6
    nullptr, nullptr, nullptr, nullptr, nullptr,
    runShipSelect,      // 12
};

StateHandler stateHandlerFor(int32_t state) {
    return state >= 0 && state < StateCount ? stateHandlers[state] : nullptr;
}

bool runLoopTurn() {
    plat::Message msg;
    if (plat::peekMessage(msg)) {
        if (msg.type == plat::MessageType::Quit) {
            loopExitCode = static_cast<int>(msg.wParam);
            return false;
        }
        plat::dispatchMessage(msg);
        return true;
    }
    if (appActive == 0 && (windowOptionBits & OptionRunInactive) == 0) {
        // The full-screen build stands still while another program is active.
        plat::waitMessage();
        return true;
    }
    // No frame due: give the processor back until the pacer's next due
    // reading or the next message. The pacer decides as it would when
    // polled, so the same frames come due.
    if (runIdleTurn()) plat::waitMessageUntil(engSystem::NextFrameDeadline());
    return true;
}

int startGame() {
    engSystem::ResetGlobals();
    if (!engSystem::LockInstance(AppTitle)) return ExitNormal;  // the other copy came to the front

    plat::WindowDesc desc;
    desc.title = AppTitle;
    desc.fullScreen = fullScreen != 0;
    desc.clientWidth = variant::screenWidth;
    desc.clientHeight = variant::screenHeight;
    desc.hidden = (windowOptionBits & OptionHidden) != 0;
    if (!plat::createWindow(desc)) {
        plat::releaseInstanceLock();
        instanceLocked = 0;
        return ExitNoWindow;
    }
    // A window that is not full screen is made topmost unless the option
    // bit says otherwise; the windowed build sets it, so nothing changes.
    static_assert(variant::windowed == false || (variant::windowOptionBitsValue & OptionNotTopmost) != 0);
    plat::showWindow(!desc.hidden);

    engSystem::SeedRandFromClock();
    engSystem::EnableIme(0);
    if (!loadAssetsAndOpen()) {
        // The error box has been shown; there is nothing to run on.
        engSystem::Shutdown();
        plat::destroyWindow();
        return ExitNoScreen;
    }
    engSystem::ResetFrameClock();
    return GameStarted;
}

int WinMain() {
    const int status = startGame();
    if (status != GameStarted) return status;
    loopExitCode = ExitNormal;
    while (runLoopTurn()) {
    }
    return loopExitCode;
}

void onKeyDown(int32_t key) {
    lastKey = key;
    if (key == plat::VirtualKey::Escape) {
        engSound::StopMidi();
        engSystem::SetWait(1, EscQuitWaitMs);
        engSystem::Shutdown();
    }
    if (key == plat::VirtualKey::S) {
        if (!continuePrompt) paused = paused ? 0 : 1;
    }
    if (key == plat::VirtualKey::T) {
        engSound::StopMidi();
        resetScrollAndPlayer();
        resetPlayState();
        resetObjectPools();
        controlMouse = 0;
        controlKeyboard = 1;
        noDeath = 0;
        shipType = 0;
        switchState(stateOpening);
        // A closing transition still running would otherwise end in its
        // pending state and undo the return to the opening screen.
        if (transitionRunning == 1) returnState = stateOpening;
    }
}

int loadAssetsAndOpen() {
    if (!loadAllAssets()) return 0;
    highScore = 500;
    resetScrollAndPlayer();
    switchState(stateOpening);
    return 1;
}

void installGame() {
    engSystem::SetKeyDownHandler(onKeyDown);
    installStage1();
    installStage3();
}
