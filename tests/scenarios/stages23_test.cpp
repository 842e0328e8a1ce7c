// Stages 2 and 3 played on the headless platform from the opening screen:
// Enter on frame 10 (ship select from frame 11), J on frame 40 (the hidden
// no-death mode: an untouched ship would lose its 999 lives, 16 a death,
// long before stage 2's forced clear, and the continue prompt would hold the
// stage), F1 on frame 70, so stage 1 runs from frame 71 and stage 2 from
// frame 30286 (tests/scenarios/stage1_test.cpp). The untouched run's frames
// of stages 2, 3 and the ending are asserted by the whole run
// (whole_run_test.cpp).
#include <gtest/gtest.h>

#include <string>

#include "game/game_states.h"
#include "headless_run/headless_run.h"
#include "program_runs.h"

using scenario::frameOfState;

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
