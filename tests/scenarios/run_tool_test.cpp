// The headless run itself: its script, its frame clock, its notes of the
// states entered and its pictures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_states.h"
#include "headless_run/headless_run.h"
#include "program_runs.h"

namespace {

RunScript parsed(const std::string& text) {
    RunScript script;
    std::string error;
    EXPECT_TRUE(parseRunScript(text, script, error)) << error;
    return script;
}

}  // namespace

TEST(RunScriptTest, ReadsEveryCommandAndNamesTheBadLine) {
    const RunScript script = parsed(
        "# a comment line\n"
        "seed 42\n"
        "frames 500   # the rest of a line too\n"
        "stop-at 3\n"
        "press 10 Return\n"
        "press 40 f1 3\n"
        "down 50 Shift\n"
        "up 60 0x10\n"
        "picture 70 out.bmp\n");
    EXPECT_EQ(script.seed, 42u);
    EXPECT_EQ(script.frameLimit, 500);
    EXPECT_EQ(script.stopState, 3);
    const std::vector<std::vector<int32_t>> keys{{10, 0x0D, 1}, {11, 0x0D, 0}, {40, 0x70, 1},
                                                 {43, 0x70, 0}, {50, 0x10, 1}, {60, 0x10, 0}};
    ASSERT_EQ(script.keys.size(), keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(script.keys[i].frame, keys[i][0]) << i;
        EXPECT_EQ(script.keys[i].key, keys[i][1]) << i;
        EXPECT_EQ(script.keys[i].down, keys[i][2] == 1) << i;
    }
    ASSERT_EQ(script.pictures.size(), 1u);
    EXPECT_EQ(script.pictures[0].frame, 70);

    EXPECT_EQ(virtualKeyByName("ctrl"), 0x11);
    EXPECT_EQ(virtualKeyByName("m"), 'M');
    EXPECT_EQ(virtualKeyByName("F12"), 0x7B);
    EXPECT_EQ(virtualKeyByName("F13"), -1);
    EXPECT_EQ(virtualKeyByName("0x100"), -1);

    for (const char* bad : {"press 0 Return", "down 5 NoSuchKey", "jump 5", "press 5 A 0", "seed -1"}) {
        RunScript script;
        std::string error;
        EXPECT_FALSE(parseRunScript(std::string("seed 1\n") + bad, script, error)) << bad;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}

TEST(HeadlessRunTest, KeysReachTheirFramesAtSixtyFramesASecond) {
    // Enter on frame 10: the closing transition runs between frames, so
    // ship select's first frame is 11. F1 on frame 40 starts the run.
    const std::string picture = ::testing::TempDir() + "run_tool_frame_" + std::to_string(getpid()) + ".bmp";
    RunScript script = parsed("press 10 Return\npress 40 F1\nframes 300\nstop-at 2\n");
    script.pictures.push_back(ScriptedPicture{12, picture});
    ASSERT_TRUE(startHeadlessRun(script));
    std::set<float> frameTimes;
    while (runHeadlessFrame()) frameTimes.insert(frameTime);
    frameTimes.insert(frameTime);
    const RunResult result = endHeadlessRun();

    ASSERT_EQ(result.states.size(), 3u);
    EXPECT_EQ(result.states[0].frame, 1);
    EXPECT_EQ(result.states[0].state, stateOpening);
    EXPECT_EQ(result.states[1].frame, 11);
    EXPECT_EQ(result.states[1].state, stateShipSelect);
    EXPECT_EQ(result.states[2].frame, 41);
    EXPECT_EQ(result.states[2].state, stateStage1);
    EXPECT_EQ(result.frames, 40);
    EXPECT_EQ(result.errorBoxes, 0);
    EXPECT_EQ(frameTimes, (std::set<float>{0.016f, 0.017f}));
    // Forty frames of a 60 Hz display, measured from start-up to the last.
    EXPECT_NEAR(result.playedSeconds, 40.0 / 60.0, 0.001);

    std::ifstream file(picture, std::ios::binary);
    char header[26] = {};
    ASSERT_TRUE(file.read(header, sizeof header));
    EXPECT_EQ(std::string(header, 2), "BM");
    int32_t width = 0, height = 0;
    std::memcpy(&width, header + 18, 4);
    std::memcpy(&height, header + 22, 4);
    EXPECT_EQ(width, variant::screenWidth);
    EXPECT_EQ(height, variant::screenHeight);
    std::remove(picture.c_str());
}

TEST(HeadlessRunTest, EscapeEndsTheRun) {
    const RunResult result = runHeadless(parsed("press 5 Escape\nframes 100\n"));
    EXPECT_TRUE(result.quit);
    EXPECT_EQ(result.frames, 4);
}

TEST(RunToolProgram, HelpPrintsTheUsage) {
    for (const char* option : {"--help", "-h"}) {
        int status = 0;
        const std::string text = scenario::programOutput(option, status);
        ASSERT_NE(status, -1);
        EXPECT_EQ(status, 0) << option;
        EXPECT_EQ(text.rfind("usage: run-headless", 0), 0u) << option << ": " << text;
        EXPECT_NE(text.find("stop-at STATE"), std::string::npos) << option;
    }
}
