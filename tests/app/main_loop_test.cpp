// The entry, the main loop and the game-state machine, driven on the
// headless layer with recording stand-ins for the state handlers.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_flags.h"
#include "platform/headless/headless.h"
#include "support/address_sanitizer.h"
#include "support/engine_fixture.h"

namespace hl = plat::headless;

namespace {

struct HandlerCall {
    int32_t state;
    int32_t stateChanged;
    int64_t counter;
    float frameTime;
    bool operator==(const HandlerCall&) const = default;
};
std::vector<HandlerCall> calls;
void (*onFrame)(int32_t state, size_t callIndex) = nullptr;  // runs inside the handler

template <int32_t State>
void recordingHandler() {
    calls.push_back(HandlerCall{State, stateChanged, plat::counter(), frameTime});
    if (onFrame) onFrame(State, calls.size() - 1);
}

void enterOpeningActive() {
    gameState = stateOpening;  // as the loader leaves it
    previousState = 0;
    appActive = 1;
    engSystem::ResetFrameClock();
}

class GameLoop : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        stateHandlers[stateOpening] = recordingHandler<stateOpening>;
        stateHandlers[stateShipSelect] = recordingHandler<stateShipSelect>;
        stateHandlers[stateStage1] = recordingHandler<stateStage1>;
        calls.clear();
        onFrame = nullptr;
        enterOpeningActive();
        hl::setAutoAdvance(true);
    }
    // Runs turns until `frames` more handler calls happened.
    static bool runFrames(size_t frames) {
        const size_t target = calls.size() + frames;
        for (int turn = 0; turn < 100000 && calls.size() < target; ++turn)
            if (!runLoopTurn()) return false;
        return calls.size() >= target;
    }
    static std::vector<int32_t> seen(int32_t HandlerCall::*field) {
        std::vector<int32_t> values;
        for (const HandlerCall& c : calls) values.push_back(c.*field);
        return values;
    }
};

}  // namespace

TEST_F(GameLoop, StateChangedOnExactlyTheFirstFrameAfterEverySwitch) {
    // The opening screen leaves by the fresh-entry convention, ship select
    // by a plain store of the state; T re-enters the opening screen.
    onFrame = [](int32_t state, size_t index) {
        if (state == stateOpening && index == 1) {
            gameState = stateShipSelect;
            previousState = 0;
        }
        if (state == stateShipSelect && index == 3) gameState = stateStage1;
        if (index == 5) testsupport::postKeyDown('T');
    };
    noDeath = controlMouse = 1;
    ASSERT_TRUE(runFrames(8));
    EXPECT_EQ(seen(&HandlerCall::state), (std::vector<int32_t>{1, 1, 12, 12, 2, 2, 1, 1}));
    EXPECT_EQ(seen(&HandlerCall::stateChanged), (std::vector<int32_t>{1, 0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(noDeath + controlMouse, 0);
    EXPECT_EQ(controlKeyboard, 1);
}

TEST_F(GameLoop, YieldingRunsTheSameFramesAsPolling) {
    // With the interval on the polling grid, sleeping until the next due
    // reading gives the very frames of a loop polling every 250 us.
    auto run = [](bool yielding) {
        testsupport::resetEngine();
        engSystem::SetFrameRate(50);
        calls.clear();
        enterOpeningActive();
        hl::setAutoAdvance(yielding);
        int turns = 0;
        for (; plat::counter() < 2'000'000'000; ++turns) {
            runLoopTurn();
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
}

TEST_F(GameLoop, FullScreenStandsStillWhileInactiveAndWindowedRunsOn) {
    ASSERT_TRUE(runFrames(1));
    testsupport::postMessage(plat::MessageType::ActivateApp, 0);
    for (int i = 0; i < 50; ++i) {
        runLoopTurn();
        hl::advanceTime(1'000'000);
    }
    EXPECT_EQ(calls.size() > 1, variant::windowed);
    testsupport::postMessage(plat::MessageType::ActivateApp, 1);
    ASSERT_TRUE(runFrames(1));
    EXPECT_LE(calls.back().frameTime, 0.017f) << "the inactive time is not one frame";
}

TEST_F(GameLoop, ClosingTransitionTakesTenUnpacedPresentsThenEntersTheReturnState) {
    ASSERT_TRUE(runFrames(1));
    startClosingTransition();
    returnState = stateShipSelect;
    const int64_t frameTick = lastTick;
    int presents = 0;
    for (; transitionRunning == 1 && presents < 50; ++presents) ASSERT_TRUE(runLoopTurn());
    EXPECT_EQ(presents, 10);
    EXPECT_EQ(lastTick, frameTick) << "no pacer while it runs";
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(calls[1].state, stateShipSelect);
    EXPECT_EQ(calls[1].stateChanged, 1);
}

TEST_F(GameLoop, KeyTDuringTheClosingTransitionLandsOnTheOpeningScreen) {
    ASSERT_TRUE(runFrames(1));
    startClosingTransition();
    returnState = stateShipSelect;
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(runLoopTurn());
    testsupport::postKeyDown('T');
    for (int i = 0; i < 50 && transitionRunning != 0; ++i) ASSERT_TRUE(runLoopTurn());
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(seen(&HandlerCall::state), (std::vector<int32_t>{1, 1, 1}));
    EXPECT_EQ(calls[1].stateChanged, 1);
}

TEST_F(GameLoop, EntryRunsFromStartUpToEscape) {
    onFrame = [](int32_t, size_t index) {
        if (index == 2) testsupport::postKeyDown(plat::VirtualKey::Escape);
    };
    hl::advanceTime(4'000'000'000);  // time spent before the entry point
    testsupport::postMessage(plat::MessageType::ActivateApp, 1);
    EXPECT_EQ(WinMain(), ExitNormal);

    const plat::WindowDesc& desc = hl::lastWindowDesc();
    EXPECT_EQ(std::string(desc.title), "MIRVANE DELTA 4 ENCORE");
    EXPECT_EQ(desc.fullScreen, !variant::windowed);
    EXPECT_EQ(desc.clientWidth, variant::windowed ? 360 : 800);
    EXPECT_FALSE(hl::textInputEnabled());
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(seen(&HandlerCall::stateChanged), (std::vector<int32_t>{1, 0, 0}));
    EXPECT_LE(calls[0].frameTime, 0.017f) << "the first frame does not span the start-up";
    EXPECT_EQ(instanceLocked, 0);
    EXPECT_FALSE(hl::windowCreated());
}

TEST_F(GameLoop, TheSeedComesFromThePlatformSoAScriptedRunReplays) {
    // Every frame draws from the generator; T on the third frame resets the
    // play state, which seeds it again (from the seed the platform has then).
    static std::vector<int> draws;
    static uint32_t seedAtT;
    onFrame = [](int32_t, size_t index) {
        draws.push_back(engSystem::Rand());
        if (index == 2) {
            hl::setRandomSeed(seedAtT);
            testsupport::postKeyDown('T');
        }
        if (index == 5) testsupport::postKeyDown(plat::VirtualKey::Escape);
    };
    auto run = [](uint32_t seed, uint32_t laterSeed) {
        testsupport::resetEngine();
        hl::setAutoAdvance(true);
        hl::setRandomSeed(seed);
        seedAtT = laterSeed;
        draws.clear();
        calls.clear();
        testsupport::postMessage(plat::MessageType::ActivateApp, 1);
        EXPECT_EQ(WinMain(), ExitNormal);
        return draws;
    };
    const std::vector<int> first = run(777, 777);
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(run(777, 777), first);
    const std::vector<int> other = run(778, 778);
    EXPECT_NE(other, first);
    const std::vector<int> mixed = run(777, 778);
    EXPECT_EQ(std::vector<int>(mixed.begin(), mixed.begin() + 3), std::vector<int>(first.begin(), first.begin() + 3));
    EXPECT_EQ(std::vector<int>(mixed.begin() + 3, mixed.end()), std::vector<int>(other.begin() + 3, other.end()));
}

namespace {
[[noreturn]] void runEntryWithoutMemoryForTheScreen() {
    // A little address space above what is mapped now: too little for a
    // screen-sized surface.
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = static_cast<rlim_t>(pages) * 4096 + 512 * 1024;
    const rlimit rl{limit, limit};
    setrlimit(RLIMIT_AS, &rl);
    const int status = WinMain();
    for (const hl::Box& box : hl::boxes()) std::fprintf(stderr, "box: %s\n", box.text.c_str());
    std::fprintf(stderr, "frames: %zu window: %d\n", calls.size(), hl::windowCreated() ? 1 : 0);
    std::_Exit(status);
}
}  // namespace

TEST_F(GameLoop, EntryEndsAfterTheBoxWhenTheScreenCannotBeCreated) {
#ifdef UNDER_ADDRESS_SANITIZER
    GTEST_SKIP() << "an address-space limit does not work under AddressSanitizer";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testsupport::postMessage(plat::MessageType::ActivateApp, 1);
    EXPECT_EXIT(runEntryWithoutMemoryForTheScreen(), ::testing::ExitedWithCode(ExitNoScreen),
                "box: engDraw::Screen : [^\n]*\nframes: 0 window: 0");
}
