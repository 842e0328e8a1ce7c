// What the scenarios read from a run: the frame on which a state was
// entered, and the states that a run of the command-line program entered
// (each such run a fresh process, as a player starts the game).
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "headless_run/headless_run.h"

namespace scenario {

inline int32_t frameOfState(const std::vector<StateEntry>& states, int32_t state) {
    for (const StateEntry& entry : states)
        if (entry.state == state) return entry.frame;
    return -1;
}
inline int32_t frameOfState(const RunResult& result, int32_t state) { return frameOfState(result.states, state); }

// What the command-line program printed when run with `args` (shell
// words), and in `status` its wait status (-1 when it could not be started).
inline std::string programOutput(const std::string& args, int& status) {
    std::string text;
    FILE* out = popen((std::string(MD4_RUN_HEADLESS) + " " + args).c_str(), "r");
    if (out == nullptr) {
        status = -1;
        return text;
    }
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;) text.append(buffer, n);
    status = pclose(out);
    return text;
}

// The states from the program's lines "frame N state S score P".
inline std::vector<StateEntry> statesOfProgramRun(const std::string& args) {
    std::vector<StateEntry> states;
    int status = 0;
    std::istringstream lines(programOutput(args, status));
    for (std::string line; std::getline(lines, line);) {
        StateEntry entry{};
        if (std::sscanf(line.c_str(), "frame %d state %d score %d", &entry.frame, &entry.state, &entry.score) == 3)
            states.push_back(entry);
    }
    return states;
}

}  // namespace scenario
