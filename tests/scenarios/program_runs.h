// What the scenarios read from a run: the frame on which a state was
// entered, and the states that a run of the command-line program entered
// (each such run a fresh process, as a player starts the game).
#pragma once

#include <cstdio>
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

// The states from the program's lines "frame N state S score P".
inline std::vector<StateEntry> statesOfProgramRun(const std::string& args) {
    std::vector<StateEntry> states;
    const std::string command = std::string(MD4_RUN_HEADLESS) + " " + args;
    FILE* out = popen(command.c_str(), "r");
    if (out == nullptr) return states;
    char line[256];
    while (std::fgets(line, sizeof line, out) != nullptr) {
        StateEntry entry{};
        if (std::sscanf(line, "frame %d state %d score %d", &entry.frame, &entry.state, &entry.score) == 3)
            states.push_back(entry);
    }
    pclose(out);
    return states;
}

}  // namespace scenario
