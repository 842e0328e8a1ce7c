// The timeline runner: which rows run on which values, and in what order.
#include <gtest/gtest.h>

#include <vector>

#include "game/timeline.h"

namespace {

std::vector<int> made;
void note(int arg) { made.push_back(arg); }

std::vector<int> distanceCalls(std::span<const DistanceWindow> windows, float distance) {
    made.clear();
    runDistanceWindows(windows, distance);
    return made;
}

}  // namespace

TEST(TimelineTest, DistanceWindowsStrictOrInclusiveRowByRowInTableOrder) {
    const DistanceWindow windows[] = {
        {120, 350, WindowBounds::Strict, note, 1},
        {500, 550, WindowBounds::Inclusive, note, 2},
        {300, 400, WindowBounds::Strict, note, 3},
        {120, 350, WindowBounds::Strict, note, 4},
    };
    EXPECT_EQ(distanceCalls(windows, 120.0f), (std::vector<int>{}));
    EXPECT_EQ(distanceCalls(windows, 120.001f), (std::vector<int>{1, 4}));
    EXPECT_EQ(distanceCalls(windows, 340.0f), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(distanceCalls(windows, 350.0f), (std::vector<int>{3}));
    EXPECT_EQ(distanceCalls(windows, 500.0f), (std::vector<int>{2}));
    EXPECT_EQ(distanceCalls(windows, 550.0f), (std::vector<int>{2}));
    EXPECT_EQ(distanceCalls(windows, 550.01f), (std::vector<int>{}));
}

TEST(TimelineTest, BossPatternsSeeOneToTheCycleOnlyWhileHpIsBelowTheMark) {
    // Two windows that meet at 3 both run there; the last value of the
    // cycle is seen by the windows before it is stored as 0.
    const PatternWindow windows[] = {{1, 3, note, 1}, {3, 4, note, 2}};
    uint32_t counter = 0;
    made.clear();
    stepBossPatterns(counter, 1020.0f, 1010.0f, 4, windows);  // untouched boss
    stepBossPatterns(counter, 1010.0f, 1010.0f, 4, windows);
    stepBossPatterns(counter, 0.0f, 1010.0f, 4, windows);     // defeated
    EXPECT_EQ(counter, 0u);
    EXPECT_TRUE(made.empty());

    std::vector<uint32_t> seen;
    for (int frame = 0; frame < 5; ++frame) {
        stepBossPatterns(counter, 1009.5f, 1010.0f, 4, windows);
        seen.push_back(counter);
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2, 3, 0, 1}));
    EXPECT_EQ(made, (std::vector<int>{1, 1, 1, 2, 2, 1}));
}
