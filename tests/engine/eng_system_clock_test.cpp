// Frame pacing and wait timers on injected clocks.
#include <gtest/gtest.h>

#include "engine/eng_system.h"
#include "platform/headless/headless.h"
#include "support/engine_fixture.h"

namespace hl = plat::headless;

namespace {
constexpr int64_t Ms = 1'000'000;  // counter ticks per millisecond
constexpr int64_t Interval = 1'000'000'000 / 60;
}  // namespace

using FramePacing = EngineTest;

TEST_F(FramePacing, DueFramesRestartTheIntervalFromTheirReading) {
    ASSERT_EQ(ticksPerFrame, Interval);
    hl::advanceTime(16 * Ms);
    EXPECT_EQ(engSystem::PaceFrame(), 0);
    hl::advanceTime(1 * Ms);
    EXPECT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(frameTime, 0.017f);
    EXPECT_EQ(engSystem::PaceFrame(), 0) << "twice within one interval";
    EXPECT_EQ(frameTime, 0.017f);

    // A late frame is not made up: the next is one interval after it.
    hl::setCounter(60 * Ms);
    hl::setMilliseconds(60);
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(frameTime, 0.043f);
    EXPECT_EQ(engSystem::NextFrameDeadline(), 60 * Ms + Interval);
    hl::setCounter(60 * Ms + Interval - 1);
    EXPECT_EQ(engSystem::PaceFrame(), 0);

    // Frame times come from the millisecond clock, across its wrap.
    hl::setMilliseconds(0xFFFFFFF8u);
    engSystem::ResetFrameClock();
    hl::advanceCounter(Interval);
    hl::advanceMilliseconds(16);
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(frameTime, 0.016f);

    // A clock that goes back restarts the interval there.
    hl::setCounter(10 * Ms);
    EXPECT_EQ(engSystem::PaceFrame(), 0);
    hl::setCounter(10 * Ms + Interval);
    EXPECT_EQ(engSystem::PaceFrame(), 1);
}

TEST_F(FramePacing, ResetFrameClockKeepsAPauseOutOfTheNextFrame) {
    hl::advanceTime(5000 * Ms);
    engSystem::ResetFrameClock();
    EXPECT_EQ(frameTime, 0.0f);
    EXPECT_EQ(engSystem::PaceFrame(), 0);
    hl::advanceTime(17 * Ms);
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(frameTime, 0.017f);
}

using WaitTimers = EngineTest;

TEST_F(WaitTimers, ExpireAtTheirDeadlineEvenAcrossTheClockWrapAndNeverUnset) {
    engSystem::InitWaits();
    hl::setMilliseconds(0xFFFFFF00u);
    EXPECT_EQ(engSystem::IsWaitOver(1), 0) << "unset";
    ASSERT_EQ(engSystem::SetWait(1, 0x200), 1);
    EXPECT_EQ(engSystem::IsWaitOver(1), 0);
    hl::advanceMilliseconds(0x1FF);
    EXPECT_EQ(engSystem::IsWaitOver(1), 0);
    hl::advanceMilliseconds(1);
    EXPECT_EQ(engSystem::IsWaitOver(1), 1);
    EXPECT_EQ(engSystem::IsWaitOver(2), 0);
}

TEST_F(WaitTimers, NumbersOutsideOneToTenAreRefusedWithTheBox) {
    for (int n : {0, 11}) {
        EXPECT_EQ(engSystem::SetWait(n, 10), 0);
        EXPECT_EQ(engSystem::IsWaitOver(n), 0);
    }
    ASSERT_EQ(hl::boxes().size(), 2u);
    EXPECT_EQ(hl::boxes()[1].title, "エラー発生");
    EXPECT_EQ(hl::boxes()[1].text, "engSystem::SetWait : ウェイトNoが範囲外です");
    for (const WaitTimer& timer : waitTimers) EXPECT_EQ(timer.set, 0);
}
