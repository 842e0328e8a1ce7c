// The soak of the headless run: random keys from the seed, surfaces lost
// and restored, memory read; the same seed plays the same game.
#include <gtest/gtest.h>

#include <string>

#include "headless_run/headless_run.h"
#include "support/address_sanitizer.h"

TEST(SoakTest, SameSeedSameGameWithSurfacesLostAndRestored) {
    RunScript script;
    std::string error;
    ASSERT_TRUE(parseRunScript("seed 5\nsoak 6000\nlose-surfaces 500\nmemory 1000\nstop-at 2 3\n", script, error))
        << error;
    EXPECT_TRUE(script.randomKeys);
    EXPECT_EQ(script.stopState, 2);
    EXPECT_EQ(script.stopEntry, 3);
    script.stopState = -1;
#if defined(UNDER_ADDRESS_SANITIZER)
    // The address sanitizer holds freed memory back for a while, so resident
    // memory in so short a run says nothing; its long soak reads it.
    script.memoryWarmupFrames = 0;
#endif

    const RunResult first = runHeadless(script);
    EXPECT_TRUE(soakPassed(script, first));
    EXPECT_EQ(first.frames, 6000);
    EXPECT_EQ(first.surfaceLosses, 12);
    EXPECT_EQ(first.errorBoxes, 0);
    EXPECT_GT(first.randomKeyDowns, 100);
    if (script.memoryWarmupFrames > 0) {
        EXPECT_GT(first.residentAfterWarmup, 0);
    }
    EXPECT_GT(first.framesInState[stateStage1], 0) << "the random player got into a stage";

    const RunResult second = runHeadless(script);
    ASSERT_EQ(second.states.size(), first.states.size());
    for (size_t i = 0; i < first.states.size(); ++i) {
        EXPECT_EQ(second.states[i].frame, first.states[i].frame) << i;
        EXPECT_EQ(second.states[i].score, first.states[i].score) << i;
    }

    // A run that stops early or ends is no soak.
    RunResult cut = first;
    cut.frames = 5999;
    EXPECT_FALSE(soakPassed(script, cut));
    if (script.memoryWarmupFrames > 0) {
        RunResult grown = first;
        grown.residentAtEnd = grown.residentAfterWarmup + grown.residentAfterWarmup / 10;
        EXPECT_FALSE(soakPassed(script, grown));
    }
}
