// The played game pinned: three scripted runs (scenarios/pinned/*.run) of
// the command-line program, each a process of its own, compared line by line
// with what the same build gave when they were recorded: the frame each state
// is entered with the score there, and the state digest
// (headless_run/state_digest.h) every 1,000 frames. A difference is named by
// its frame and by the first part of the state that differs.
//
// Record again only for an intended change of the game's behaviour, and say
// why in the commit:
//   MD4_RECORD_PINNED=1 ctest --test-dir build -R PinnedRun
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/variant.h"
#include "program_runs.h"

namespace {

std::string expectationPath(const std::string& run) {
    return std::string(MD4_PINNED_DIR) + "/" + run + (variant::windowed ? ".windowed" : ".full") + ".expected";
}

// The lines "frame N ..." of a run's output (not its summary "frames ...").
std::vector<std::string> frameLines(std::istream& in) {
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("frame ", 0) == 0 && line.size() > 6 && std::isdigit(static_cast<unsigned char>(line[6])))
            lines.push_back(line);
    return lines;
}

// "frame N state S score P" or "frame N digest NAME HASH ...": the frame,
// the line's kind and its named values.
struct Line {
    int32_t frame = 0;
    std::string kind;
    std::vector<std::pair<std::string, std::string>> values;
};

Line parsed(const std::string& text) {
    Line line;
    std::istringstream words(text);
    std::string word, name, value;
    words >> word >> line.frame >> line.kind;
    if (line.kind != "digest") {
        words >> value;
        line.values.emplace_back(line.kind, value);
    }
    while (words >> name >> value) line.values.emplace_back(name, value);
    return line;
}

// Where a run first departs from its recording, in words; empty when it
// does not.
std::string firstDifference(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
    for (size_t i = 0; i < expected.size() || i < actual.size(); ++i) {
        if (i >= actual.size()) return "the run ended before `" + expected[i] + "`";
        if (i >= expected.size()) return "the run went on to `" + actual[i] + "`";
        if (expected[i] == actual[i]) continue;
        const Line e = parsed(expected[i]), a = parsed(actual[i]);
        if (e.frame == a.frame && e.kind == a.kind && e.values.size() == a.values.size()) {
            std::string parts;
            for (size_t k = 0; k < e.values.size(); ++k)
                if (e.values[k] != a.values[k])
                    parts += (parts.empty() ? "" : ", ") + e.values[k].first + " (expected " + e.values[k].second +
                             ", got " + a.values[k].second + ")";
            return "frame " + std::to_string(e.frame) + ", " + e.kind + ": " + parts;
        }
        return "frame " + std::to_string(std::min(e.frame, a.frame)) + ": expected `" + expected[i] + "`, got `" +
               actual[i] + "`";
    }
    return "";
}

// Plays scenarios/pinned/RUN.run and holds it against its recording (or,
// with MD4_RECORD_PINNED=1, records it).
void expectAsRecorded(const std::string& run) {
    const std::string script = std::string(MD4_PINNED_DIR) + "/" + run + ".run";
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    const std::string text = scenario::programOutput(script, status);
    ASSERT_NE(status, -1) << script;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    ::testing::Test::RecordProperty("wall_seconds", std::to_string(wall.count()));
    EXPECT_EQ(status, 0) << script << "\n" << text.substr(text.size() > 2000 ? text.size() - 2000 : 0);
    std::istringstream output(text);
    const std::vector<std::string> actual = frameLines(output);
    ASSERT_FALSE(actual.empty());

    const std::string path = expectationPath(run);
    const char* record = std::getenv("MD4_RECORD_PINNED");
    if (record != nullptr && std::string(record) == "1") {
        std::ofstream file(path);
        for (const std::string& line : actual) file << line << "\n";
        ASSERT_TRUE(file.flush()) << "cannot write " << path;
        std::printf("recorded %s (%zu lines)\n", path.c_str(), actual.size());
        return;
    }
    std::ifstream file(path);
    const std::vector<std::string> expected = frameLines(file);
    const std::string again = "If the game's behaviour was meant to change, record again (and say why in the "
                              "commit): MD4_RECORD_PINNED=1 ctest --test-dir " MD4_BUILD_DIR " -R PinnedRun";
    ASSERT_FALSE(expected.empty()) << "no recording in " << path << ". " << again;
    const std::string difference = firstDifference(expected, actual);
    EXPECT_TRUE(difference.empty()) << run << " departs from " << path << " first at " << difference << ".\n"
                                    << again;
}

}  // namespace

TEST(PinnedRun, FireHeldThroughTheWholeGame) { expectAsRecorded("fireHeld"); }
TEST(PinnedRun, UntouchedWithTheNoDeathKey) { expectAsRecorded("untouched"); }
TEST(PinnedRun, FiftyThousandFramesOfRandomKeys) { expectAsRecorded("randomKeys"); }
