// The main loop and the game-state machine, driven turn by turn on the
// headless layer with recording stand-ins for the state handlers.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_flags.h"
#include "game/main_loop.h"
#include "platform/headless/headless.h"
#include "support/engine_fixture.h"

namespace hl = plat::headless;
using plat::MessageType;

namespace {

struct HandlerCall {
    int32_t state;
    int32_t stateChanged;
    int64_t counter;
    float frameTime;
    bool operator==(const HandlerCall&) const = default;
};
std::vector<HandlerCall> calls;
// Runs inside the handler of the state, after the call is recorded.
void (*onFrame)(int32_t state, int callIndex) = nullptr;

template <int32_t State>
void recordingHandler() {
    calls.push_back(HandlerCall{State, stateChanged, plat::counter(), frameTime});
    if (onFrame) onFrame(State, static_cast<int>(calls.size()) - 1);
}

class GameLoop : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        std::copy(std::begin(stateHandlers), std::end(stateHandlers), saved);
        stateHandlers[stateOpening] = recordingHandler<stateOpening>;
        stateHandlers[stateShipSelect] = recordingHandler<stateShipSelect>;
        stateHandlers[stateStage1] = recordingHandler<stateStage1>;
        stateHandlers[stateStage2] = recordingHandler<stateStage2>;
        calls.clear();
        onFrame = nullptr;
        // As the loader leaves it, with the application active.
        gameState = stateOpening;
        previousState = 0;
        appActive = 1;
        engSystem::ResetFrameClock();
        hl::setAutoAdvance(true);
    }
    void TearDown() override {
        std::copy(std::begin(saved), std::end(saved), stateHandlers);
        onFrame = nullptr;
        EngineTest::TearDown();
    }
    // Runs turns until `frames` more handler calls happened (or the loop
    // ended, or a generous number of turns passed).
    bool runFrames(size_t frames) {
        const size_t target = calls.size() + frames;
        for (int turn = 0; turn < 100000 && calls.size() < target; ++turn)
            if (!runLoopTurn()) return false;
        return calls.size() >= target;
    }
    StateHandler saved[StateCount];
};

std::vector<int32_t> changedFlags() {
    std::vector<int32_t> flags;
    for (const HandlerCall& c : calls) flags.push_back(c.stateChanged);
    return flags;
}

}  // namespace

TEST_F(GameLoop, StateChangedOnlyOnTheFirstFrameAfterStartUp) {
    ASSERT_TRUE(runFrames(3));
    EXPECT_EQ(changedFlags(), (std::vector<int32_t>{1, 0, 0}));
    for (const HandlerCall& c : calls) EXPECT_EQ(c.state, stateOpening);
}

TEST_F(GameLoop, HandlerSwitchTakesEffectFromTheNextDueFrame) {
    // The opening screen leaves on its second frame, once by the fresh-entry
    // convention and once by a plain store: both are seen by the new state.
    onFrame = [](int32_t state, int index) {
        if (state == stateOpening && index == 1) {
            gameState = stateShipSelect;
            previousState = 0;
        }
        if (state == stateShipSelect && index == 3) gameState = stateStage1;
    };
    ASSERT_TRUE(runFrames(6));
    std::vector<int32_t> states;
    for (const HandlerCall& c : calls) states.push_back(c.state);
    EXPECT_EQ(states, (std::vector<int32_t>{1, 1, 12, 12, 2, 2}));
    EXPECT_EQ(changedFlags(), (std::vector<int32_t>{1, 0, 1, 0, 1, 0}));
}

TEST_F(GameLoop, KeyTReentersTheOpeningScreen) {
    ASSERT_TRUE(runFrames(2));
    shipType = 2;
    controlMouse = 1;
    controlKeyboard = 0;
    noDeath = 1;
    testsupport::postKeyDown('T');
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(calls[2].state, stateOpening);
    EXPECT_EQ(changedFlags(), (std::vector<int32_t>{1, 0, 1, 0}));
    EXPECT_EQ(shipType, 0);
    EXPECT_EQ(controlMouse, 0);
    EXPECT_EQ(controlKeyboard, 1);
    EXPECT_EQ(noDeath, 0);
    EXPECT_EQ(lastKey, 'T');
}

TEST_F(GameLoop, FramesAreOneIntervalApartWithWholeMillisecondFrameTimes) {
    ASSERT_TRUE(runFrames(61));
    for (size_t i = 1; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].counter - calls[i - 1].counter, ticksPerFrame) << i;
        EXPECT_TRUE(calls[i].frameTime == 0.016f || calls[i].frameTime == 0.017f) << calls[i].frameTime;
    }
    EXPECT_EQ(calls.front().frameTime, 0.016f) << "the first frame after the reset spans one interval";
}

TEST_F(GameLoop, YieldingRunsTheSameFramesAsPolling) {
    // With an interval on the polling grid, a loop that sleeps until the
    // next due reading sees the very frames a loop that polls every 250 us
    // sees, with the same frame times.
    auto run = [this](bool yielding) {
        testsupport::resetEngine();
        engSystem::SetFrameRate(50);
        calls.clear();
        gameState = stateOpening;
        previousState = 0;
        appActive = 1;
        engSystem::ResetFrameClock();
        hl::setAutoAdvance(yielding);
        int turns = 0;
        while (plat::counter() < 2'000'000'000) {
            runLoopTurn();
            ++turns;
            if (!yielding) hl::advanceTime(250'000);
        }
        return turns;
    };
    const int pollingTurns = run(false);
    const std::vector<HandlerCall> polled = calls;
    const int yieldingTurns = run(true);
    ASSERT_EQ(polled.size(), 99u);  // due at 20, 40, ... 1980 ms
    EXPECT_EQ(calls, polled);
    EXPECT_LT(yieldingTurns * 20, pollingTurns);
    EXPECT_GE(hl::waitCount(), 98);
}

TEST_F(GameLoop, FullScreenStandsStillWhileInactiveAndWindowedRunsOn) {
    ASSERT_TRUE(runFrames(1));
    testsupport::postMessage(MessageType::ActivateApp, 0);
    for (int i = 0; i < 50; ++i) {
        runLoopTurn();
        hl::advanceTime(1'000'000);
    }
    if (variant::windowed) {
        EXPECT_GT(calls.size(), 1u) << "the windowed build runs while inactive";
        return;
    }
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_GE(hl::waitCount(), 49);
    // Back to the front: the first frame does not span the inactive time.
    testsupport::postMessage(MessageType::ActivateApp, 1);
    ASSERT_TRUE(runFrames(1));
    EXPECT_LE(calls.back().frameTime, 0.017f);
}

TEST_F(GameLoop, GapStatesRunNoHandlerAndNoPacer) {
    gameState = 5;
    previousState = 0;
    const int64_t tickBefore = lastTick;
    for (int i = 0; i < 10; ++i) {
        runLoopTurn();
        hl::advanceTime(20'000'000);
    }
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(lastTick, tickBefore);
    EXPECT_EQ(stateChanged, 1) << "entering state 5 still counts as a switch";
}

TEST_F(GameLoop, ClosingTransitionTakesTenPresentsThenEntersTheReturnState) {
    onFrame = [](int32_t state, int index) {
        if (state == stateOpening && index == 1) {
            startClosingTransition();
            returnState = stateShipSelect;
        }
    };
    ASSERT_TRUE(runFrames(2));
    const int64_t frameTick = lastTick;
    int presents = 0;
    while (transitionRunning == 1 && presents < 50) {
        ASSERT_TRUE(runLoopTurn());
        ++presents;
    }
    EXPECT_EQ(presents, 10);
    EXPECT_EQ(lastTick, frameTick) << "the transition runs unpaced, without the pacer";
    EXPECT_EQ(gameState, stateShipSelect);
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(calls[2].state, stateShipSelect);
    EXPECT_EQ(changedFlags(), (std::vector<int32_t>{1, 0, 1, 0}));
}

TEST_F(GameLoop, KeyTDuringTheClosingTransitionLandsOnTheOpeningScreen) {
    ASSERT_TRUE(runFrames(1));
    startClosingTransition();
    returnState = stateShipSelect;
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(runLoopTurn());
    testsupport::postKeyDown('T');
    for (int i = 0; i < 50 && transitionRunning != 0; ++i) ASSERT_TRUE(runLoopTurn());
    ASSERT_EQ(transitionRunning, 0);
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(calls[1].state, stateOpening);
    EXPECT_EQ(calls[1].stateChanged, 1);
    EXPECT_EQ(calls[2].state, stateOpening);
}

TEST_F(GameLoop, QuitMessageEndsTheLoopWithItsCode) {
    testsupport::postMessage(MessageType::Quit, 3);
    EXPECT_FALSE(runLoopTurn());
    EXPECT_EQ(loopExitCode, 3);
}

TEST_F(GameLoop, EscapeEndsTheLoopThroughCloseAndDestroy) {
    plat::WindowDesc desc;
    ASSERT_TRUE(plat::createWindow(desc));
    ASSERT_TRUE(runFrames(1));
    testsupport::postKeyDown(plat::VirtualKey::Escape);
    int turns = 0;
    while (runLoopTurn() && turns < 10) ++turns;
    EXPECT_LT(turns, 10);
    EXPECT_EQ(loopExitCode, 0);
    EXPECT_EQ(closingState, 2);
    EXPECT_FALSE(hl::windowCreated());
}

using GlobalKeys = EngineTest;

TEST_F(GlobalKeys, SPausesAndResumesExceptUnderTheContinuePrompt) {
    onKeyDown('S');
    EXPECT_EQ(paused, 1);
    onKeyDown('S');
    EXPECT_EQ(paused, 0);
    continuePrompt = 1;
    paused = 1;
    onKeyDown('S');
    EXPECT_EQ(paused, 1);
    EXPECT_EQ(lastKey, 'S');
}

TEST_F(GlobalKeys, StageExitWaitsForTimerOne) {
    gameState = stateStage2;
    previousState = stateStage2;
    checkStageExit();
    EXPECT_EQ(gameState, stateStage2) << "an unset timer never expires";
    hl::setMilliseconds(100);
    engSystem::SetWait(1, 1000);
    hl::setMilliseconds(1099);
    checkStageExit();
    EXPECT_EQ(gameState, stateStage2);
    hl::setMilliseconds(1100);
    checkStageExit();
    EXPECT_EQ(gameState, stateOpening);
    EXPECT_EQ(previousState, 0);
}

TEST_F(GlobalKeys, ResetGlobalsTakesThisBuildsValues) {
    fullScreen = 7;
    windowOptionBits = 7;
    gameState = 4;
    engSystem::ResetGlobals();
    EXPECT_EQ(fullScreen, variant::windowed ? 0 : 1);
    EXPECT_EQ(windowOptionBits, variant::windowed ? 3 : 0);
    EXPECT_EQ(gameState, 0);
}
