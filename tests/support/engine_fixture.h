// A fresh headless platform and engine for every test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/window.h"

namespace testsupport {

// Resets the headless layer (clocks at 0, empty queue, no window) and every
// engine and loop global the tests touch, then runs the engine's static
// start-up again.
void resetEngine();

// Dispatches every queued message except Quit; returns how many Quit
// messages were taken off the queue.
int drainMessages();

void postMessage(plat::MessageType type, uint32_t wParam = 0, uint32_t lParam = 0);
inline void postKeyDown(int virtualKey) { postMessage(plat::MessageType::KeyDown, static_cast<uint32_t>(virtualKey)); }

}  // namespace testsupport

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::resetEngine(); }
    void TearDown() override;
};
