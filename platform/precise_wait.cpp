#include "platform/precise_wait.h"

#include <algorithm>
#include <functional>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace plat {

namespace {
// Lets the other hyperthread of the core run while this one waits.
inline void relax() {
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#endif
}
}  // namespace

void noteWakeLateness(WakeMargin& margin, int64_t lateness) {
    margin.lateness[margin.next] = std::max<int64_t>(lateness, 0);
    margin.next = (margin.next + 1) % WakeMargin::History;
    int64_t recent[WakeMargin::History];
    std::copy(std::begin(margin.lateness), std::end(margin.lateness), recent);
    std::nth_element(std::begin(recent), recent + 2, std::end(recent), std::greater<>());
    margin.ns = std::clamp(recent[2] + WakeMargin::GuardNs, WakeMargin::MinNs, WakeMargin::MaxNs);
}

int64_t waitPrecisely(int64_t deadline, WakeMargin& margin, const WaitClock& clock) {
    int64_t now = clock.now();
    const int64_t wake = deadline - margin.ns;
    if (now < wake) {
        clock.sleepUntil(wake);
        now = clock.now();
        noteWakeLateness(margin, now - wake);
    }
    while (now < deadline) {
        relax();
        now = clock.now();
    }
    return now;
}

}  // namespace plat
