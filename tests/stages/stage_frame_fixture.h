// The whole game brought up headless once per suite (screen, standin
// pictures and sounds), and a fresh run before every test: a stage's frame
// routine is then called directly, with frame times the test chooses.
#pragma once

#include <gtest/gtest.h>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_flags.h"
#include "game/game_states.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/resets.h"
#include "game/score.h"
#include "platform/headless/headless.h"
#include "headless_run/headless_run.h"

namespace stagetest {

class StageFrameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RunScript script;
        started = startHeadlessRun(script);
    }
    static void TearDownTestSuite() { endHeadlessRun(); }

    void SetUp() override {
        ASSERT_TRUE(started);
        resetScrollAndPlayer();
        resetPlayState();
        resetObjectPools();
        engSystem::SeedRand(1);
        level = 1;
        gameMode = 1;
        shipType = 1;
        lives = 999;
        controlKeyboard = 1;
        controlMouse = 0;
        paused = continuePrompt = 0;
        screenTransition = ScreenTransition{};
        transitionRunning = 0;
        waitTimers[1] = WaitTimer{0, 0};
        frameTime = 0.016f;
    }
    void TearDown() override {
        for (int key : {plat::VirtualKey::Left, plat::VirtualKey::Right}) plat::headless::setKeyDown(key, false);
    }
    // Frames of the stage until `count` have run or the state switched;
    // how many ran.
    static int runFrames(int32_t state, void (*frame)(), int count) {
        gameState = previousState = state;
        for (int n = 1; n <= count; ++n) {
            frame();
            if (gameState != state) return n;
        }
        return count;
    }

private:
    static inline bool started = false;
};

}  // namespace stagetest
