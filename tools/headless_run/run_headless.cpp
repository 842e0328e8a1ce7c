// run-headless: the real game on the headless platform, as fast as the
// machine allows, with a scripted key timeline.
//
//   run-headless [SCRIPT...] [--COMMAND ARGS...]...
//
// SCRIPT files (first) hold the lines that parseRunScript reads; each --COMMAND with
// the words after it up to the next --COMMAND is one more such line, e.g.
//
//   run-headless --seed 7 --press 10 Return --press 80 F1 --down 80 Shift
//                --picture 3000 mid.bmp --stop-at 3
//
// Prints "frame N state S score P" for every state entered and a summary
// with the game's own time against the wall time. Exit status: 0 when the
// run went through (and reached the stop state, if one was asked for), 1
// otherwise, 2 on a bad script. A soak (random keys or memory readings)
// goes through as soakPassed says, e.g.
//
//   run-headless --seed 7 --soak 300000
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "headless_run/headless_run.h"

namespace {

void printUsage() {
    std::fputs(R"(usage: run-headless [SCRIPT...] [--COMMAND ARGS...]...

Plays the real game headless, as fast as the machine allows, from a key
script, and prints "frame N state S score P" for each state entered and a
summary. SCRIPT files hold one command a line ('#' starts a comment); each
--COMMAND with the words after it is one more line. Commands:
)",
               stdout);
    std::fputs(runScriptCommands, stdout);
    std::fputs(R"(
Exit status: 0 when the run went through (and reached the stop state, if
one was asked for), 1 otherwise, 2 on a bad script. For example:
  run-headless --seed 7 --press 10 Return --press 70 F1 --down 1 Shift --stop-at 3
)",
               stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printUsage();
            return 0;
        }
        if (std::strncmp(argv[i], "--", 2) == 0) {
            text += '\n';
            text += argv[i] + 2;
        } else if (text.empty() || text.back() == '\n') {
            std::ifstream file(argv[i]);
            if (!file) {
                std::fprintf(stderr, "run-headless: cannot read %s\n", argv[i]);
                return 2;
            }
            std::ostringstream contents;
            contents << file.rdbuf();
            text += contents.str();
            text += '\n';
        } else {
            text += ' ';
            text += argv[i];
        }
    }
    RunScript script;
    std::string error;
    if (!parseRunScript(text, script, error)) {
        std::fprintf(stderr, "run-headless: %s\n", error.c_str());
        return 2;
    }
    const RunResult result = runHeadless(script, stdout);
    bool ok = result.started && result.picturesFailed == 0 && !result.stuck;
    if (script.randomKeys || script.memoryWarmupFrames > 0) ok = soakPassed(script, result);
    if (script.stopState >= 0)
        ok = ok && !result.states.empty() && result.states.back().state == script.stopState;
    return ok ? 0 : 1;
}
