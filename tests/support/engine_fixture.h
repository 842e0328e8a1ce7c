// A fresh headless platform and engine for every test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "app/main_loop.h"
#include "platform/window.h"

namespace testsupport {

// Resets the headless layer (clocks at 0, empty queue, no window) and the
// engine and loop globals, then runs the engine's static start-up again.
void resetEngine();
// Dispatches every queued message but Quit; returns how many Quits it took.
int drainMessages();
void postMessage(plat::MessageType type, uint32_t wParam = 0, uint32_t lParam = 0);
inline void postKeyDown(int key) { postMessage(plat::MessageType::KeyDown, static_cast<uint32_t>(key)); }

}  // namespace testsupport

// Tests may swap state handlers; they come back after every test.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    StateHandler savedHandlers[StateCount];
};
