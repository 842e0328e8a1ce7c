// A stage's timeline as data: tables of windows, each row naming one call
// and its int argument (a pool's row in its family table, an enemy slot, or
// whatever the call takes), run in table order by one routine per kind of
// window. A stage file holds its tables and its frame routine; what a
// window does on a frame is the row's call, made once per frame the window
// holds. Rows that share an edge both run on the edge frame.
#pragma once

#include <cstdint>
#include <span>

using TimelineCall = void (*)(int);

// A window on a boss's pattern counter, bounds inclusive.
struct PatternWindow {
    uint32_t first, last;
    TimelineCall call;
    int32_t arg;
};

// Windows on the stage clock (scrollDistance) are strict or inclusive, row
// by row.
enum class WindowBounds : int32_t { Strict, Inclusive };
struct DistanceWindow {
    float low, high;
    WindowBounds bounds;
    TimelineCall call;
    int32_t arg;
};

// Two calls on one argument, the second right after the first: a shot
// pool's mover and its draw, a coin's draw and its step.
struct PairedCall {
    TimelineCall first, second;
    int32_t arg;
};

// Makes the call of every row whose window holds the value.
void runPatternWindows(std::span<const PatternWindow> windows, uint32_t counter);
void runDistanceWindows(std::span<const DistanceWindow> windows, float distance);
void runPairedCalls(std::span<const PairedCall> calls);

// Whether every row names a pool that exists: a family's find...Pool gives
// -1 for a pool it does not have.
constexpr bool namesOnlyFoundPools(std::span<const PatternWindow> windows, std::span<const PairedCall> calls) {
    for (const PatternWindow& window : windows)
        if (window.arg < 0) return false;
    for (const PairedCall& call : calls)
        if (call.arg < 0) return false;
    return true;
}

// One frame of a boss's pattern counter. Only while 0 < hp < hpBelow: the
// counter goes up by 1, the windows run on its new value, and a value of
// `cycle` or more is then stored as 0 (so the windows see 1..cycle).
void stepBossPatterns(uint32_t& counter, float hp, float hpBelow, uint32_t cycle,
                      std::span<const PatternWindow> windows);
