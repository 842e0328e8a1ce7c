// The real game on the headless platform, run as fast as the machine allows.
//
// A run starts the program as its entry does (instance lock, window, assets,
// frame clock), sets the random seed, and turns the real main loop. The
// headless clocks jump to each deadline the pacer sets, so the pacer finds
// one frame due per deadline with the whole-millisecond frame times a
// 60-frames-a-second display gives (16 and 17 ms). Keys come from a script:
// down and up at given frames. Per state entered the run notes the frame and
// the score; at chosen frames it saves the back surface as a bitmap. The
// seed is where the headless calendar clock starts: every seeding of the
// random generator (at start-up, at each stage's reset) reads that clock,
// so one seed and one script give one game.
//
// A soak plays instead with random keys drawn from the seed (on a generator
// of its own, so the game's random numbers stay the game's), declares every
// surface lost every few thousand frames, and reads the resident memory
// after a warm-up and at the end.
//
// Frames are counted from 1: frame N is the N-th call of a state handler. A
// key scripted for frame N is in the queue before frame N runs, so frame N
// sees it (lastKey and the held state). A state entered "at frame N" has N as
// its first frame.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "game/game_states.h"
#include "platform/surface.h"

struct ScriptedKey {
    int32_t frame;
    int32_t key;  // virtual-key code
    bool down;
};

struct ScriptedPicture {
    int32_t frame;     // saved after this frame has run
    std::string path;  // a .bmp file
};

struct RunScript {
    uint32_t seed = 1;
    int32_t frameLimit = 200000;  // the run ends after this many frames
    int32_t stopState = -1;       // the run ends when this state is entered
    int32_t stopEntry = 1;        // ... for the stopEntry-th time
    std::vector<ScriptedKey> keys;
    std::vector<ScriptedPicture> pictures;
    bool randomKeys = false;         // random play besides the scripted keys
    int32_t loseSurfacesEvery = 0;   // every surface lost after each such frame; 0 never
    int32_t memoryWarmupFrames = 0;  // resident memory read after these frames and at the end; 0 never
    bool timeFrames = false;         // each frame's wall and processor time measured
    int32_t digestEvery = 0;         // the state digest logged after each such frame; 0 never
};

// The frames a soak warms up for before its first memory reading, how often
// it declares the surfaces lost, and how much the resident memory may grow
// from the warm-up reading to the end.
constexpr int32_t SoakWarmupFrames = 10000;
constexpr int32_t SoakSurfaceLossEvery = 3000;
constexpr double SoakMemoryGrowthLimit = 0.05;

struct StateEntry {
    int32_t frame;  // the state's first frame
    int32_t state;
    int32_t score;  // when it was entered
};

// Times of the frames of a run, in microseconds.
struct FrameTimes {
    double median = 0, p99 = 0, p999 = 0, max = 0;
    int32_t heaviestFrame = 0;  // which frame took `max`
};

struct RunResult {
    bool started = false;      // the start-up went through
    bool quit = false;         // the program ended (Esc, close)
    int32_t frames = 0;        // frames run
    std::vector<StateEntry> states;
    double playedSeconds = 0;  // the game's own clock over the run
    double wallSeconds = 0;    // what the run took on this machine
    int32_t errorBoxes = 0;    // error boxes the program showed
    int32_t picturesFailed = 0;
    bool stuck = false;        // loop turns went on without a frame
    int32_t surfaceLosses = 0;
    int32_t randomKeyDowns = 0;
    int64_t residentAfterWarmup = 0;  // bytes; 0 when not read
    int64_t residentAtEnd = 0;
    int32_t framesInState[StateCount] = {};
    // With timeFrames: the frames' wall time, and the processor time of the
    // running thread (which a busy machine's other work does not inflate).
    FrameTimes frameWall, frameCpu;
};

// Reads script lines into `script`; false with a message in `error` on the
// first line it cannot read. One command a line, '#' starts a comment; the
// commands and keys are listed in runScriptCommands (which run-headless
// --help prints).
extern const char* const runScriptCommands;
bool parseRunScript(const std::string& text, RunScript& script, std::string& error);
int32_t virtualKeyByName(const std::string& name);  // -1 when unknown

// A whole run. With a log, one line per state entered and a summary.
RunResult runHeadless(const RunScript& script, FILE* log = nullptr);

// The same, a frame at a time, for tests and benchmarks that look inside
// the run between frames. startHeadlessRun brings up a fresh engine and the
// program (false when the start-up failed); runHeadlessFrame runs loop turns
// until one more frame has run (false once the run is over: the program
// ended, the frame limit, the stop state); endHeadlessRun releases the
// engine and hands back the result.
//
// A run brings up the engine and the program afresh, but the game's own
// globals that only a fresh process sets to zero (held-key states, the
// screens' counters) carry over from an earlier run in the same process;
// runs that must replay each other run in processes of their own (the
// command-line program).
bool startHeadlessRun(const RunScript& script, FILE* log = nullptr);
bool runHeadlessFrame();
int32_t headlessFramesRun();
const std::vector<StateEntry>& headlessStatesEntered();
// One more key for a later frame of the running run (a frame already run
// counts as the next).
void scheduleHeadlessKey(const ScriptedKey& key);
RunResult endHeadlessRun();

// Whether a soak went through: started, never ended nor stuck, every frame
// run, no error box, and the resident memory at the end at most
// SoakMemoryGrowthLimit above the warm-up reading.
bool soakPassed(const RunScript& script, const RunResult& result);

// The process's resident memory in bytes (0 when it cannot be read).
int64_t residentMemoryBytes();

// A surface as a 24-bit bitmap file. false when it cannot be written.
bool saveSurfaceBitmap(const plat::Surface* surface, const char* path);
