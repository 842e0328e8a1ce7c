// Key polling and the window procedure's message table.
#include <gtest/gtest.h>

#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "platform/headless/headless.h"
#include "support/engine_fixture.h"

namespace hl = plat::headless;
using plat::MessageType;
namespace VK = plat::VirtualKey;

namespace {
int send(MessageType type, uint32_t wParam = 0, uint32_t lParam = 0) {
    return engSystem::WindowProc(plat::Message{type, wParam, lParam});
}
}  // namespace

using Input = EngineTest;

TEST_F(Input, KeyStatesAndTransitions) {
    int32_t state = KeyUp;
    std::vector<int> results;
    for (bool down : {false, true, true, false, false, true, false, true}) {
        hl::setKeyDown(VK::Up, down);
        results.push_back(engSystem::GetKey(VK::Up, state));
    }
    EXPECT_EQ(results, (std::vector<int>{0, 1, 3, 3, 2, 1, 1, 3})) << "down right after a release is held";

    // While a wipe runs the state reads up, so the key is never held then,
    // and it comes back as a fresh press.
    screenTransition.step = 5;
    EXPECT_EQ(engSystem::GetKey(VK::Up, state), KeyHeld);
    EXPECT_EQ(state, KeyUp);
    EXPECT_EQ(engSystem::GetKey(VK::Up, state), KeyPressed);
    EXPECT_EQ(state, KeyUp);
    screenTransition.step = 0;
    EXPECT_EQ(engSystem::GetKey(VK::Up, state), KeyPressed);
}

TEST_F(Input, LastKeyAndSystemKeys) {
    send(MessageType::KeyDown, 'A');
    send(MessageType::KeyDown, 'B');
    send(MessageType::KeyUp, 'A');
    EXPECT_EQ(lastKey, 'B') << "the release of another key leaves it";
    send(MessageType::KeyUp, 'B');
    EXPECT_EQ(lastKey, 0);

    engSystem::SetSysKeyMode(0);  // Alt+F4, Alt+T and F10 do nothing at all
    for (int key : {VK::F4, int{'T'}, VK::F10}) EXPECT_EQ(send(MessageType::SysKeyDown, static_cast<uint32_t>(key)), 0);
    EXPECT_EQ(lastKey, 0);
    EXPECT_EQ(gameState, 0);
    engSystem::SetSysKeyMode(2);
    send(MessageType::SysKeyDown, VK::Menu);
    EXPECT_EQ(lastKey, 0) << "Alt alone is swallowed";
    send(MessageType::SysKeyDown, VK::F10);
    EXPECT_EQ(lastKey, VK::F10);
}

TEST_F(Input, MouseHalvesAreSignedAndDoubleClicksPress) {
    send(MessageType::MouseMove, 0, plat::packPoint(-30, 612));
    EXPECT_EQ(mouseX, -30);
    EXPECT_EQ(mouseY, 612);
    send(MessageType::LButtonDblClk);
    send(MessageType::RButtonDblClk);
    EXPECT_EQ(mouseLeftDown, 1);
    EXPECT_EQ(mouseRightDown, 1);
    send(MessageType::LButtonUp);
    EXPECT_EQ(mouseLeftDown, 0);

    screenWidth = 360;
    send(MessageType::Move, 0, plat::packPoint(-100, -8));
    EXPECT_EQ(presentDest.left, -100);
    EXPECT_EQ(presentDest.top, -8);
    EXPECT_EQ(presentDest.right, 260);
    EXPECT_EQ(presentDest.bottom, 592);
}

using ShutDown = EngineTest;

namespace {
void openWindowAndLock() {
    ASSERT_TRUE(plat::createWindow(plat::WindowDesc{}));
    ASSERT_EQ(engSystem::LockInstance(AppTitle), 1);
}
}  // namespace

TEST_F(ShutDown, CloseFromTheSystemCleansUpWithoutEscsWait) {
    openWindowAndLock();
    EXPECT_EQ(send(MessageType::Close), 0);
    EXPECT_EQ(closingState, 2);
    EXPECT_EQ(instanceLocked, 0);
    EXPECT_EQ(waitTimers[1].set, 0);
    EXPECT_EQ(testsupport::drainMessages(), 1) << "no second close, one quit";
}

TEST_F(ShutDown, EscThenCloseCleansUpOnceAndDestroysTheWindowOnce) {
    openWindowAndLock();
    fullScreen = 1;
    engSystem::InitWaits();
    ASSERT_TRUE(hl::cursorClipActive());
    send(MessageType::KeyDown, VK::Escape);
    EXPECT_EQ(closingState, 2);
    EXPECT_EQ(instanceLocked, 0);
    EXPECT_FALSE(hl::cursorClipActive());
    EXPECT_EQ(waitTimers[1].set, 1);
    ASSERT_EQ(hl::queuedMessages(), 1u) << "shut-down posts the close";
    send(MessageType::Close);  // the user closes the window as well
    EXPECT_EQ(testsupport::drainMessages(), 1) << "one quit message";
    EXPECT_FALSE(hl::windowCreated());
}
