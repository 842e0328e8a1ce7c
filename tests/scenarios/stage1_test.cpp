// Stage 1 played on the headless platform from the opening screen: Enter on
// frame 10 (ship select from frame 11), F1 on frame 70, so the stage's first
// frame is frame 71.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/eng_system.h"
#include "game/game_flags.h"
#include "game/game_states.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/shots/shot_records.h"
#include "platform/headless/headless.h"
#include "stages/stage1/boss1.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage1/stage1.h"
#include "headless_run/headless_run.h"

namespace {

constexpr int32_t firstStageFrame = 71;

RunScript stage1Script(const std::string& extra = "") {
    RunScript script;
    std::string error;
    EXPECT_TRUE(parseRunScript("press 10 Return\npress 70 F1\nframes 40000\n" + extra, script, error)) << error;
    return script;
}

int32_t frameOfState(const RunResult& result, int32_t state) {
    for (const StateEntry& entry : result.states)
        if (entry.state == state) return entry.frame;
    return -1;
}

// Starts a run and plays it up to and including the stage's first frame.
void startInStage1(const std::string& extra = "") {
    ASSERT_TRUE(startHeadlessRun(stage1Script(extra)));
    while (headlessFramesRun() < firstStageFrame) ASSERT_TRUE(runHeadlessFrame());
    ASSERT_EQ(gameState, stateStage1);
}

// Runs frames until the state is left or `frames` have run; true when left.
bool leavesStage1Within(int frames) {
    for (int i = 0; i < frames && gameState == stateStage1; ++i) runHeadlessFrame();
    return gameState != stateStage1;
}

}  // namespace

TEST(Stage1Scenario, UntouchedStageEndsByTheForcedClearOnThePredictedFrame) {
    // The pacer's frame times run 16, 17, 17 ms, so the clock gains 20 x
    // 0.05 = 1 unit every three frames: 10000 units take 30000 frames. Its
    // single-precision sum rounds each step of 0.32 or 0.34 near 10000 (a
    // unit in the last place there is 1/1024), which costs five frames: the
    // clock first reads 10000.06 after 30005 stage frames, on frame 30075,
    // and the forced clear begins there. The defeat clock gains 10 x 0.016 on
    // that frame and 20 units a second (1/3 a frame) after it, so it passes
    // 70 on frame 30075 + 210 = 30285, and stage 2 runs from frame 30286.
    ASSERT_TRUE(startHeadlessRun(stage1Script("stop-at 3\n")));
    uint32_t highestPattern = 0;
    float longestScript = 0;
    while (runHeadlessFrame()) {
        highestPattern = std::max(highestPattern, boss1Timeline);
        longestScript = std::max(longestScript, boss1.moveTimer);
    }
    const RunResult result = endHeadlessRun();

    EXPECT_EQ(frameOfState(result, stateStage1), firstStageFrame);
    const int32_t stage2 = frameOfState(result, stateStage2);
    EXPECT_GE(stage2, 30285);
    EXPECT_LE(stage2, 30287);
    EXPECT_EQ(highestPattern, 0u) << "an untouched boss fires no pattern";
    EXPECT_GT(longestScript, 162.0f) << "the boss came down and swayed";
    EXPECT_EQ(result.errorBoxes, 0);
}

TEST(Stage1Scenario, FiringFromTheStartScoresAndEndsNoLater) {
    // C held from the first frame: the weapon fires once the ship may move.
    const RunResult result = runHeadless(stage1Script("down 1 C\nstop-at 3\n"));
    const int32_t stage2 = frameOfState(result, stateStage2);
    ASSERT_GT(stage2, 0);
    EXPECT_LE(stage2, 30287);
    EXPECT_GT(result.states.back().score, 0);
    RecordProperty("stage2_frame", stage2);
    RecordProperty("score", result.states.back().score);
}

TEST(Stage1Scenario, FirstFrameClearsAPauseAndTheShipWaitsFor150) {
    // S on ship select pauses; the stage's first frame clears it.
    startInStage1("press 40 S\ndown 72 Right\n");
    EXPECT_EQ(paused, 0);
    const int presents = plat::headless::presentCount();
    const float startX = playerX;
    while (scrollDistance < 149.5f) {
        ASSERT_TRUE(runHeadlessFrame());
        ASSERT_EQ(playerX, startX) << "at " << scrollDistance;
    }
    EXPECT_GT(plat::headless::presentCount(), presents);
    for (int i = 0; i < 3; ++i) runHeadlessFrame();
    EXPECT_GT(playerX, startX);
    endHeadlessRun();
}

TEST(Stage1Scenario, PatternsRunOnceTheBossHasLostMoreThanTenHp) {
    startInStage1();
    scrollDistance = 3000.0f;
    boss1.moveTimer = 150.0f;  // down on the field
    boss1.hp = 1010.0f;
    for (int i = 0; i < 20; ++i) runHeadlessFrame();
    EXPECT_EQ(boss1Timeline, 0u);
    boss1.hp = 1009.5f;
    for (int i = 0; i < 10; ++i) runHeadlessFrame();
    EXPECT_EQ(boss1Timeline, 10u);
    // Ring pools 3 and 4 fire their first shot when their counters reach 10.
    EXPECT_EQ(ringPoolRecords(findRingPool(1, 3))[0].active, 1);
    EXPECT_EQ(ringPoolRecords(findRingPool(1, 1))[0].active, 0) << "its window opens at 1400";
    endHeadlessRun();
}

TEST(Stage1Scenario, ForcedClearOutlivesAFrameThatJumpsPastTheBossBand) {
    startInStage1();
    scrollDistance = 10090.0f;
    runHeadlessFrame();
    ASSERT_EQ(boss1.hp, 0.0f);
    const float begun = boss1.defeatTimer;
    ASSERT_GT(begun, 0.0f);

    // A stalled frame carries the clock to 10110, past the band's end.
    frameTime = 1.0f;
    stage1Frame();
    ASSERT_GT(scrollDistance, 10100.0f);
    EXPECT_FLOAT_EQ(boss1.defeatTimer, begun + 20.0f) << "both defeat calls ran";
    EXPECT_TRUE(leavesStage1Within(200));
    EXPECT_EQ(gameState, stateStage2);
    endHeadlessRun();

    // Also when a single frame jumps from before the forced clear to past
    // the band: the clear begins there.
    startInStage1();
    scrollDistance = 9990.0f;
    frameTime = 6.0f;
    stage1Frame();
    EXPECT_EQ(boss1.hp, 0.0f);
    EXPECT_FLOAT_EQ(boss1.defeatTimer, 60.0f);
    EXPECT_TRUE(leavesStage1Within(100));
    endHeadlessRun();
}

TEST(Stage1Scenario, DefeatEndingInTheDrawSparesTheFreshBoss) {
    startInStage1();
    scrollDistance = 10050.0f;
    boss1.hp = 0.0f;
    boss1.defeatTimer = 69.95f;  // the draw's defeat call ends it
    runHeadlessFrame();
    EXPECT_EQ(gameState, stateStage2);
    EXPECT_EQ(boss1.hp, boss1StartHp) << "the forced clear left the reset boss alone";
    EXPECT_EQ(boss1.defeatTimer, 0.0f);
    endHeadlessRun();
}
