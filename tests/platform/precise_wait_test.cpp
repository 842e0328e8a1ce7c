// The frame wait: sleep until shortly before the deadline, then read the
// clock; the margin follows how late the sleeps wake.
#include "platform/precise_wait.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int64_t Us = 1000;

// A clock that moves 1 us per reading, and a sleep that wakes `lateness`
// after its target.
int64_t fakeNow;
int64_t lateness;
std::vector<int64_t> sleptUntil;
int64_t readClock() { return fakeNow += Us; }
void sleepTo(int64_t target) {
    sleptUntil.push_back(target);
    if (target + lateness > fakeNow) fakeNow = target + lateness;
}
const plat::WaitClock fakeClock{readClock, sleepTo};

TEST(PreciseWait, SleepsToTheMarginThenReadsTheClockUpToTheDeadline) {
    plat::WakeMargin margin;
    margin.ns = 200 * Us;
    fakeNow = 0;
    lateness = 50 * Us;
    sleptUntil.clear();
    const int64_t reached = plat::waitPrecisely(10'000 * Us, margin, fakeClock);
    ASSERT_EQ(sleptUntil.size(), 1u);
    EXPECT_EQ(sleptUntil[0], 9'800 * Us);
    EXPECT_GE(reached, 10'000 * Us);
    EXPECT_LE(reached, 10'001 * Us) << "the clock is read up to the deadline, not slept past";

    // A sleep that wakes after the deadline returns at once; one already
    // inside the margin does not sleep at all.
    lateness = 400 * Us;
    const int64_t deadline = fakeNow + 300 * Us;
    const int64_t late = plat::waitPrecisely(deadline, margin, fakeClock);
    EXPECT_EQ(late, sleptUntil.back() + 401 * Us) << "the reading after the sleep";
    EXPECT_GT(late, deadline);
    sleptUntil.clear();
    const int64_t soon = fakeNow + 10 * Us;
    EXPECT_GE(plat::waitPrecisely(soon, margin, fakeClock), soon);
    EXPECT_TRUE(sleptUntil.empty());
}

TEST(PreciseWait, MarginFollowsMostLatenessesNotStrayOnesAndStaysInBounds) {
    plat::WakeMargin margin;
    for (int i = 0; i < plat::WakeMargin::History; ++i) plat::noteWakeLateness(margin, 60 * Us);
    EXPECT_EQ(margin.ns, 80 * Us);
    plat::noteWakeLateness(margin, 5000 * Us);
    plat::noteWakeLateness(margin, 3000 * Us);
    EXPECT_EQ(margin.ns, 80 * Us) << "two stray wake-ups";
    plat::noteWakeLateness(margin, 150 * Us);
    EXPECT_EQ(margin.ns, 170 * Us);
    plat::noteWakeLateness(margin, 4000 * Us);
    EXPECT_EQ(margin.ns, plat::WakeMargin::MaxNs);
    for (int i = 0; i < plat::WakeMargin::History; ++i) plat::noteWakeLateness(margin, -5 * Us);
    EXPECT_EQ(margin.ns, plat::WakeMargin::MinNs) << "an early wake counts as on time";
}

}  // namespace
