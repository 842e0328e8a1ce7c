// Stages 2 and 3 played on the headless platform from the opening screen:
// Enter on frame 10 (ship select from frame 11), J on frame 40 (the hidden
// no-death mode: an untouched ship would lose its 999 lives, 16 a death,
// long before stage 2's forced clear, and the continue prompt would hold the
// stage), F1 on frame 70, so stage 1 runs from frame 71 and stage 2 from
// frame 30286 (tests/scenarios/stage1_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/eng_system.h"
#include "game/game_states.h"
#include "game/shots/shot_records.h"
#include "headless_run/headless_run.h"
#include "program_runs.h"

namespace {

using scenario::frameOfState;

RunScript throughRun(const std::string& extra) {
    RunScript script;
    std::string error;
    EXPECT_TRUE(parseRunScript("press 10 Return\npress 40 J\npress 70 F1\nframes 120000\nstop-at 4\n" + extra,
                               script, error))
        << error;
    return script;
}

}  // namespace

TEST(Stages23Scenario, UntouchedBossesFallToTheForcedClearsOnThePredictedFrames) {
    // Frame n lasts 16 ms when n is a multiple of 3, else 17 ms.
    // Stage 2: 18 units a second, 0.9 every three frames: 11000 units in
    // 36666.7 frames; summed in single precision the clock first reads
    // 11000.21 on frame 66953 (36668 stage frames). The defeat clock gains
    // 10 x 0.017 there and 20 units a second (1/3 a frame) after it, passing
    // 70 on frame 66953 + 210 = 67163: stage 3 from frame 67164.
    // Stage 3: 16 units a second, 0.8 every three frames: 41250 frames; the
    // rounding gains 6, so the clock reads 11000.13 on frame 108407 (41244
    // stage frames), and the defeat ends on frame 108617: the ending from
    // frame 108618.
    ASSERT_TRUE(startHeadlessRun(throughRun("")));
    uint32_t highestPattern = 0;
    float longestStage3Script = 0;
    while (runHeadlessFrame()) {
        highestPattern = std::max({highestPattern, boss2Timeline, boss3Timeline});
        if (gameState == stateStage3) longestStage3Script = std::max(longestStage3Script, boss3.moveTimer);
    }
    const RunResult result = endHeadlessRun();

    EXPECT_EQ(frameOfState(result, stateStage2), 30286);
    EXPECT_EQ(frameOfState(result, stateStage3), 67164);
    EXPECT_EQ(frameOfState(result, stateEnding), 108618);
    EXPECT_EQ(highestPattern, 0u) << "untouched bosses fire no pattern";
    EXPECT_GT(longestStage3Script, 162.0f) << "boss 3 came down and swayed";
    EXPECT_EQ(result.errorBoxes, 0);
}

TEST(Stages23Scenario, OneSeedAndOneScriptReplayOneGame) {
    // The fire key held from the start: the bosses are hit, fire their
    // patterns and fall before their forced clears. Each run in a fresh
    // process of the command-line program.
    const std::string args =
        "--seed 4242 --press 10 Return --press 40 J --press 70 F1 --down 1 Shift --stop-at 4 --frames 120000";
    const std::vector<StateEntry> first = scenario::statesOfProgramRun(args);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.back().state, stateEnding);
    EXPECT_LT(frameOfState(first, stateStage3), 67164);
    EXPECT_LT(frameOfState(first, stateEnding), 108618);
    for (const StateEntry& entry : first) {
        RecordProperty("state_" + std::to_string(entry.state) + "_frame", entry.frame);
        RecordProperty("state_" + std::to_string(entry.state) + "_score", entry.score);
    }

    const std::vector<StateEntry> again = scenario::statesOfProgramRun(args);
    ASSERT_EQ(again.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(again[i].frame, first[i].frame) << i;
        EXPECT_EQ(again[i].state, first[i].state) << i;
        EXPECT_EQ(again[i].score, first[i].score) << i;
    }
}
