// Waiting for a deadline to the microsecond. A sleep of the kernel wakes up
// tens of microseconds late on an idle machine and more on a busy one, and
// a frame started late is never made up, so the wait sleeps until shortly
// before the deadline and spends the rest reading the clock. How far ahead
// it wakes (the margin) follows how late its recent sleeps woke: a little
// above most of them, within fixed bounds.
#pragma once

#include <cstdint>

namespace plat {

struct WakeMargin {
    static constexpr int History = 16;
    static constexpr int64_t MinNs = 20'000;
    static constexpr int64_t MaxNs = 200'000;
    static constexpr int64_t GuardNs = 20'000;  // above the lateness it aims to absorb
    int64_t lateness[History] = {};              // of the last sleeps, ns
    int next = 0;
    int64_t ns = 200'000;                        // the margin now
};

// Records how late a sleep woke and sets the margin: the third-largest of
// the recent latenesses (one or two stray ones do not move it) plus the
// guard, within MinNs..MaxNs.
void noteWakeLateness(WakeMargin& margin, int64_t lateness);

// The clock and the sleep the wait uses (the real ones, or a test's).
struct WaitClock {
    int64_t (*now)();
    void (*sleepUntil)(int64_t deadline);  // may wake late, never early
};

// Returns once clock.now() >= deadline, with the reading it saw. Sleeps
// until deadline - margin if that is still ahead, then reads the clock
// until the deadline.
int64_t waitPrecisely(int64_t deadline, WakeMargin& margin, const WaitClock& clock);

}  // namespace plat
