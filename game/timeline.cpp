#include "game/timeline.h"

namespace {

bool holds(const DistanceWindow& window, float distance) {
    if (window.bounds == WindowBounds::Strict) return window.low < distance && distance < window.high;
    return window.low <= distance && distance <= window.high;
}

}  // namespace

void runPatternWindows(std::span<const PatternWindow> windows, uint32_t counter) {
    for (const PatternWindow& window : windows) {
        if (window.first <= counter && counter <= window.last) window.call(window.arg);
    }
}

void runDistanceWindows(std::span<const DistanceWindow> windows, float distance) {
    for (const DistanceWindow& window : windows) {
        if (holds(window, distance)) window.call(window.arg);
    }
}

void runPairedCalls(std::span<const PairedCall> calls) {
    for (const PairedCall& call : calls) {
        call.first(call.arg);
        call.second(call.arg);
    }
}

void stepBossPatterns(uint32_t& counter, float hp, float hpBelow, uint32_t cycle,
                      std::span<const PatternWindow> windows) {
    if (!(0.0f < hp && hp < hpBelow)) return;
    counter += 1;
    runPatternWindows(windows, counter);
    if (counter >= cycle) counter = 0;
}
