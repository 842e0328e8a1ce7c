// The clocks: a monotonic nanosecond counter, a millisecond clock since
// start, and sleeps to an absolute deadline.
#include <sys/prctl.h>

#include <cerrno>
#include <ctime>

#include "platform/precise_wait.h"
#include "platform/window.h"

namespace plat {

namespace {
constexpr int64_t NanosecondsPerSecond = 1'000'000'000;

int64_t monotonicNow() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * NanosecondsPerSecond + ts.tv_nsec;
}

const int64_t startTime = monotonicNow();

// Frames are due to the microsecond: ask the kernel not to defer our
// wake-ups by its default slack (50 us) to batch them with others. Set once,
// from the thread that waits for frames (the first to read the clock).
void tightenTimerSlack() {
    static const bool done = [] {
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        return true;
    }();
    (void)done;
}

void sleepUntilMonotonic(int64_t deadline) {
    tightenTimerSlack();
    timespec ts;
    ts.tv_sec = static_cast<time_t>(deadline / NanosecondsPerSecond);
    ts.tv_nsec = static_cast<long>(deadline % NanosecondsPerSecond);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}
}  // namespace

int64_t counter() { return monotonicNow(); }
int64_t counterFrequency() { return NanosecondsPerSecond; }

uint32_t milliseconds() { return static_cast<uint32_t>((monotonicNow() - startTime) / 1'000'000); }


void sleepMs(uint32_t ms) { sleepUntilMonotonic(monotonicNow() + static_cast<int64_t>(ms) * 1'000'000); }

void sleepUntil(int64_t deadline) {
    if (deadline <= 0) return;
    // Frames are waited for here: to the microsecond, not as late as the
    // kernel happens to wake us.
    static WakeMargin margin;
    waitPrecisely(deadline, margin, WaitClock{monotonicNow, sleepUntilMonotonic});
}

}  // namespace plat
