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

TEST_F(FramePacing, DueOncePerIntervalWithWholeMillisecondFrameTime) {
    ASSERT_EQ(useQpc, 1);
    ASSERT_EQ(ticksPerFrame, Interval);

    hl::advanceTime(16 * Ms);
    EXPECT_EQ(engSystem::PaceFrame(), 0) << "16 ms is short of 1/60 s";
    hl::advanceTime(1 * Ms);
    EXPECT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(frameTime, 17.0f / 1000.0f);

    // A second call within the same interval is not due and leaves frameTime.
    frameTime = 0.5f;
    hl::advanceTime(5 * Ms);
    EXPECT_EQ(engSystem::PaceFrame(), 0);
    EXPECT_EQ(frameTime, 0.5f);
}

TEST_F(FramePacing, IntervalRestartsFromTheDueReadingAndLateFramesAreNotMadeUp) {
    hl::advanceTime(40 * Ms);  // two intervals late
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(lastTick, 40 * Ms);
    EXPECT_EQ(frameTime, 0.040f);
    // Only one frame for the missed interval; the next is one interval on.
    EXPECT_EQ(engSystem::PaceFrame(), 0);
    hl::setCounter(40 * Ms + Interval - 1);
    EXPECT_EQ(engSystem::PaceFrame(), 0);
    hl::setCounter(40 * Ms + Interval);
    EXPECT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(engSystem::NextFrameDeadline(), 40 * Ms + 2 * Interval);
}

TEST_F(FramePacing, FrameTimeComesFromTheMillisecondClockAcrossItsWrap) {
    // The counter decides when; the millisecond clock measures how long.
    hl::setMilliseconds(0xFFFFFFF8u);
    engSystem::SetFrameRate(60);
    hl::advanceCounter(Interval);
    hl::advanceMilliseconds(16);  // wraps past 0
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(frameTime, 0.016f);
    EXPECT_EQ(prevMs, 8u);
}

TEST_F(FramePacing, ClockGoingBackRestartsTheInterval) {
    hl::setCounter(100 * Ms);
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    hl::setCounter(50 * Ms);
    EXPECT_EQ(engSystem::PaceFrame(), 0);
    EXPECT_EQ(lastTick, 50 * Ms);
    hl::setCounter(50 * Ms + Interval - 1);
    EXPECT_EQ(engSystem::PaceFrame(), 0);
    hl::setCounter(50 * Ms + Interval);
    EXPECT_EQ(engSystem::PaceFrame(), 1);
}

TEST_F(FramePacing, WithoutPacingOrWithoutARateEveryCallIsDue) {
    paceWait = 0;
    EXPECT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(engSystem::PaceFrame(), 1);
    paceWait = 1;
    engSystem::SetFrameRate(0);
    EXPECT_EQ(ticksPerFrame, 0);
    EXPECT_EQ(engSystem::PaceFrame(), 1);
}

TEST_F(FramePacing, ResetFrameClockKeepsAPauseOutOfTheNextFrame) {
    hl::advanceTime(Interval);
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    hl::advanceTime(5000 * Ms);  // inactive for five seconds
    engSystem::ResetFrameClock();
    EXPECT_EQ(frameTime, 0.0f);
    EXPECT_EQ(engSystem::PaceFrame(), 0) << "the interval restarts at the reset";
    hl::advanceTime(17 * Ms);
    ASSERT_EQ(engSystem::PaceFrame(), 1);
    EXPECT_EQ(frameTime, 0.017f);
}

using WaitTimers = EngineTest;

TEST_F(WaitTimers, UnsetTimersNeverExpireAndSetOnesExpireAtTheirDeadline) {
    engSystem::InitWaits();
    hl::setMilliseconds(0x7FFFFFFFu);
    for (int n = 1; n <= WaitTimerCount; ++n) EXPECT_EQ(engSystem::IsWaitOver(n), 0) << n;
    hl::setMilliseconds(0xFFFFFFFFu);
    EXPECT_EQ(engSystem::IsWaitOver(1), 0);

    hl::setMilliseconds(5000);
    EXPECT_EQ(engSystem::SetWait(10, 1000), 1);
    hl::setMilliseconds(5999);
    EXPECT_EQ(engSystem::IsWaitOver(10), 0);
    EXPECT_EQ(engSystem::IsWaitOver(9), 0);
    hl::setMilliseconds(6000);
    EXPECT_EQ(engSystem::IsWaitOver(10), 1);
    hl::setMilliseconds(900000);
    EXPECT_EQ(engSystem::IsWaitOver(10), 1) << "a set timer stays expired";
    EXPECT_TRUE(hl::boxes().empty());
}

TEST_F(WaitTimers, DeadlineBeyondTheClockWrapIsStillAhead) {
    hl::setMilliseconds(0xFFFFFF00u);
    ASSERT_EQ(engSystem::SetWait(1, 0x200), 1);
    EXPECT_EQ(waitTimers[1].deadline, 0x100u);
    EXPECT_EQ(engSystem::IsWaitOver(1), 0);
    hl::advanceMilliseconds(0x1FF);
    EXPECT_EQ(engSystem::IsWaitOver(1), 0);
    hl::advanceMilliseconds(1);
    EXPECT_EQ(engSystem::IsWaitOver(1), 1);
}

TEST_F(WaitTimers, NumbersOutsideOneToTenAreRefused) {
    for (int n : {0, 11, -1}) {
        hl::clearBoxes();
        EXPECT_EQ(engSystem::SetWait(n, 10), 0);
        ASSERT_EQ(hl::boxes().size(), 1u);
        EXPECT_EQ(hl::boxes()[0].title, "エラー発生");
        EXPECT_EQ(hl::boxes()[0].text, "engSystem::SetWait : ウェイトNoが範囲外です");
        EXPECT_EQ(engSystem::IsWaitOver(n), 0);
    }
    for (const WaitTimer& timer : waitTimers) EXPECT_EQ(timer.set, 0) << "nothing stored";
    EXPECT_EQ(errorFlag, 1);
    EXPECT_EQ(hl::beepCount(), 3);
}

TEST_F(WaitTimers, InitWaitsUnsetsTimersAndResetsInput) {
    hl::setMilliseconds(100);
    engSystem::SetWait(3, 0);
    lastKey = 0x41;
    sysKeyMode = 1;
    fullScreen = 1;
    engSystem::InitWaits();
    EXPECT_EQ(engSystem::IsWaitOver(3), 0);
    EXPECT_EQ(lastKey, 0);
    EXPECT_EQ(sysKeyMode, 0);
    EXPECT_TRUE(hl::cursorClipActive()) << "the full-screen build confines the cursor";
    EXPECT_FALSE(hl::cursorVisible());

    engSystem::ReleaseCursorClip();
    fullScreen = 0;
    engSystem::InitWaits();
    EXPECT_FALSE(hl::cursorClipActive());
    EXPECT_TRUE(hl::cursorVisible());
}
