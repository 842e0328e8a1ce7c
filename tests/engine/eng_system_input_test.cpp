// Key polling and the window procedure's message table.
#include <gtest/gtest.h>

#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/game_flags.h"
#include "platform/headless/headless.h"
#include "support/engine_fixture.h"

namespace hl = plat::headless;
using plat::MessageType;
namespace VK = plat::VirtualKey;

namespace {
int send(MessageType type, uint32_t wParam = 0, uint32_t lParam = 0) {
    return engSystem::WindowProc(plat::Message{type, wParam, lParam});
}

// Polls a key once per entry of `down` and returns the results.
std::vector<int> pollSequence(int key, int32_t& state, std::initializer_list<bool> down) {
    std::vector<int> results;
    for (bool d : down) {
        hl::setKeyDown(key, d);
        results.push_back(engSystem::GetKey(key, state));
    }
    return results;
}
}  // namespace

using KeyPolling = EngineTest;

TEST_F(KeyPolling, PressHoldReleaseSequence) {
    int32_t state = KeyUp;
    EXPECT_EQ(pollSequence(VK::Up, state, {false, true, true, true, false, false}),
              (std::vector<int>{KeyUp, KeyPressed, KeyHeld, KeyHeld, KeyHeld, KeyReleased}));
    EXPECT_EQ(state, KeyUp);

    // Down again at the poll right after the release: held at once.
    state = KeyUp;
    EXPECT_EQ(pollSequence(VK::Up, state, {true, false, true}),
              (std::vector<int>{KeyPressed, KeyPressed, KeyHeld}));
    EXPECT_EQ(state, KeyHeld);
}

TEST_F(KeyPolling, KeysReadUpWhileATransitionRuns) {
    int32_t state = KeyUp;
    hl::setKeyDown(VK::Shift, true);
    ASSERT_EQ(engSystem::GetKey(VK::Shift, state), KeyPressed);
    ASSERT_EQ(engSystem::GetKey(VK::Shift, state), KeyHeld);

    // The poll that meets the wipe still reports what it computed; the state
    // reads up from there, so the key never stays held through the wipe.
    screenTransition.step = 5;
    EXPECT_EQ(engSystem::GetKey(VK::Shift, state), KeyHeld);
    EXPECT_EQ(state, KeyUp);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(engSystem::GetKey(VK::Shift, state), KeyPressed);
        EXPECT_EQ(state, KeyUp);
    }
    screenTransition.step = 0;
    EXPECT_EQ(engSystem::GetKey(VK::Shift, state), KeyPressed) << "a fresh press after the wipe";
    EXPECT_EQ(engSystem::GetKey(VK::Shift, state), KeyHeld);
}

using WindowMessages = EngineTest;

TEST_F(WindowMessages, LastKeyFollowsKeyDownsAndItsOwnKeyUp) {
    send(MessageType::KeyDown, 'A');
    EXPECT_EQ(lastKey, 'A');
    send(MessageType::KeyDown, 'B');
    send(MessageType::KeyUp, 'A');
    EXPECT_EQ(lastKey, 'B') << "the release of another key leaves it";
    send(MessageType::KeyDown, 'B');  // auto-repeat
    EXPECT_EQ(lastKey, 'B');
    send(MessageType::KeyUp, 'B');
    EXPECT_EQ(lastKey, 0);
    lastKey = 'C';
    engSystem::EndKeyCapture();
    EXPECT_EQ(lastKey, 0);
}

TEST_F(WindowMessages, SystemKeysFollowTheSysKeyMode) {
    // Mode 0: nothing gets through, not even Alt+F4 or Alt+T.
    engSystem::SetSysKeyMode(0);
    EXPECT_EQ(send(MessageType::SysKeyDown, VK::F4), 0);
    EXPECT_EQ(send(MessageType::SysKeyDown, 'T'), 0);
    EXPECT_EQ(send(MessageType::SysKeyDown, VK::F10), 0);
    EXPECT_EQ(lastKey, 0);
    EXPECT_EQ(gameState, 0);
    EXPECT_EQ(hl::queuedMessages(), 0u);

    // Mode 2: Alt alone is swallowed, the rest are key-downs.
    engSystem::SetSysKeyMode(2);
    send(MessageType::SysKeyDown, VK::Menu);
    EXPECT_EQ(lastKey, 0);
    send(MessageType::SysKeyDown, VK::F10);
    EXPECT_EQ(lastKey, VK::F10);

    // Any other mode: all are key-downs.
    engSystem::SetSysKeyMode(1);
    send(MessageType::SysKeyDown, VK::Menu);
    EXPECT_EQ(lastKey, VK::Menu);
}

TEST_F(WindowMessages, MousePositionHalvesAreSignedAndDoubleClicksPress) {
    send(MessageType::MouseMove, 0, plat::packPoint(-30, 612));
    EXPECT_EQ(mouseX, -30);
    EXPECT_EQ(mouseY, 612);
    send(MessageType::MouseMove, 0, plat::packPoint(799, -1));
    EXPECT_EQ(mouseX, 799);
    EXPECT_EQ(mouseY, -1);

    send(MessageType::LButtonDown);
    send(MessageType::RButtonDown);
    EXPECT_EQ(mouseLeftDown, 1);
    EXPECT_EQ(mouseRightDown, 1);
    send(MessageType::LButtonUp);
    send(MessageType::RButtonUp);
    EXPECT_EQ(mouseLeftDown, 0);
    EXPECT_EQ(mouseRightDown, 0);

    // The second click of a quick pair arrives as a double click.
    EXPECT_EQ(send(MessageType::LButtonDblClk), 0);
    EXPECT_EQ(mouseLeftDown, 1);
    EXPECT_EQ(send(MessageType::RButtonDblClk), 0);
    EXPECT_EQ(mouseRightDown, 1);
    EXPECT_FALSE(hl::cursorClipActive()) << "no clip toggling unless the clip mode is on";
}

TEST_F(WindowMessages, MoveCarriesThePictureAndTheCursorClipWithTheWindow) {
    screenWidth = 360;
    fullScreen = 0;
    send(MessageType::Move, 0, plat::packPoint(-100, -8));
    EXPECT_EQ(windowOriginX, -100);
    EXPECT_EQ(windowOriginY, -8);
    EXPECT_EQ(presentDest.left, -100);
    EXPECT_EQ(presentDest.top, -8);
    EXPECT_EQ(presentDest.right, 260);
    EXPECT_EQ(presentDest.bottom, 592);
    EXPECT_FALSE(hl::cursorClipActive());

    cursorClipMode = 1;
    send(MessageType::Move, 0, plat::packPoint(40, 30));
    ASSERT_TRUE(hl::cursorClipActive());
    const plat::Rect clip = hl::cursorClipRect();
    EXPECT_EQ(clip.left, 40);
    EXPECT_EQ(clip.top, 30);
    EXPECT_EQ(clip.right, 400);
    EXPECT_EQ(clip.bottom, 630);

    // With the clip mode, a right double click toggles the clip.
    send(MessageType::RButtonDblClk);
    EXPECT_FALSE(hl::cursorClipActive());
    send(MessageType::RButtonDblClk);
    EXPECT_TRUE(hl::cursorClipActive());
}

TEST_F(WindowMessages, ActivationRestartsTheFrameClock) {
    hl::advanceTime(1'000'000'000 / 60);
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(send(MessageType::ActivateApp, 0), 0);
    EXPECT_EQ(appActive, 0);
    hl::advanceTime(3'000'000'000);
    frameTime = 0.016f;
    send(MessageType::ActivateApp, 1);
    EXPECT_EQ(appActive, 1);
    EXPECT_EQ(frameTime, 0.0f);
    hl::advanceTime(1'000'000'000 / 60 + 1);
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_LT(frameTime, 0.02f) << "the inactive time is not one frame";

    // With the clip mode, activation confines the cursor and deactivation frees it.
    cursorClipMode = 1;
    send(MessageType::ActivateApp, 0);
    EXPECT_FALSE(hl::cursorClipActive());
    send(MessageType::ActivateApp, 1);
    EXPECT_TRUE(hl::cursorClipActive());
}

TEST_F(WindowMessages, CursorIsHiddenOverTheFullScreenWindowOnly) {
    fullScreen = 0;
    send(MessageType::SetCursor);
    EXPECT_TRUE(hl::cursorVisible());
    fullScreen = 1;
    EXPECT_EQ(send(MessageType::SetCursor), 1);
    EXPECT_FALSE(hl::cursorVisible());
}

TEST_F(WindowMessages, ScreenSaverIsRefused) {
    EXPECT_EQ(send(MessageType::SysCommand, plat::SysCommandScreenSave), 0);
    EXPECT_EQ(send(MessageType::SysCommand, plat::SysCommandScreenSave | 2), 0);
}

using ShutDown = EngineTest;

namespace {
void openWindowAndLock() {
    plat::WindowDesc desc;
    desc.title = AppTitle;
    ASSERT_TRUE(plat::createWindow(desc));
    ASSERT_EQ(engSystem::LockInstance(AppTitle), 1);
}
}  // namespace

TEST_F(ShutDown, EscThenCloseCleansUpOnceAndDestroysTheWindowOnce) {
    openWindowAndLock();
    hl::setMilliseconds(2000);
    send(MessageType::KeyDown, VK::Escape);
    EXPECT_EQ(shutdownDone, 1);
    EXPECT_EQ(closingState, 2);
    EXPECT_EQ(instanceLocked, 0);
    EXPECT_EQ(waitTimers[1].set, 1);
    EXPECT_EQ(waitTimers[1].deadline, 3000u);
    // Shut-down posted the close; it only destroys the window.
    ASSERT_EQ(hl::queuedMessages(), 1u);
    send(MessageType::Close);  // the user closes it too
    EXPECT_EQ(testsupport::drainMessages(), 1) << "one quit message";
    EXPECT_FALSE(hl::windowCreated());
    EXPECT_EQ(closingState, 2);
    EXPECT_EQ(hl::queuedMessages(), 0u);
}

TEST_F(ShutDown, CloseFromTheSystemRunsTheSameCleanUpWithoutEscsWait) {
    openWindowAndLock();
    EXPECT_EQ(send(MessageType::Close), 0);
    EXPECT_EQ(shutdownDone, 1);
    EXPECT_EQ(closingState, 2);
    EXPECT_EQ(instanceLocked, 0);
    EXPECT_FALSE(hl::windowCreated());
    EXPECT_EQ(waitTimers[1].set, 0);
    EXPECT_EQ(testsupport::drainMessages(), 1) << "no second close, one quit";
    EXPECT_EQ(engSystem::Shutdown(), 1);
    EXPECT_EQ(hl::queuedMessages(), 0u);
}

TEST_F(ShutDown, ReleasesTheCursor) {
    fullScreen = 1;
    engSystem::ClipCursorToScreen();
    ASSERT_EQ(engSystem::IsCursorClipped(), 1);
    const plat::Rect clip = hl::cursorClipRect();
    EXPECT_EQ(clip.right, screenWidth);
    EXPECT_EQ(clip.bottom, screenHeight);
    engSystem::Shutdown();
    EXPECT_EQ(engSystem::IsCursorClipped(), 0);
    EXPECT_FALSE(hl::cursorClipActive());
    EXPECT_TRUE(hl::cursorVisible());
}
