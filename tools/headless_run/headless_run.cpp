#include "headless_run/headless_run.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

#include "assets/standin/formats.h"
#include "assets/standin/standin.h"
#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "app/main_loop.h"
#include "game/game_flags.h"
#include "game/score.h"
#include "headless_run/state_digest.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"

namespace {

namespace hl = plat::headless;

// Loop turns without a frame after which a run counts as stuck (a closing
// transition takes ten, a message one).
constexpr int32_t TurnsWithoutFrameLimit = 100000;

// The soak's player. It draws from a generator of its own (so the game's
// random numbers stay the game's), holds moves and fire keys for a while as
// a player would, taps the screens' keys, pauses now and then (and ends any
// pause it sees after a moment), and rarely goes back to the opening
// screen, so that a long soak still plays whole stages through.
namespace vk = plat::VirtualKey;
constexpr int32_t moveKeys[] = {vk::Left, vk::Up, vk::Right, vk::Down};
constexpr int32_t fireKeys[] = {vk::Shift, 'C', vk::Control, 'B', 'V', 'N', 'M'};
constexpr int32_t tappedKeys[] = {vk::Return, vk::F1, vk::F2, 'K', 'M', 'Y'};
constexpr int32_t pauseKey = 'S', openingKey = 'T';
// One chance in so many a frame.
constexpr uint32_t moveKeyChange = 12, fireKeyChange = 40, keyTap = 90;
constexpr uint32_t pauseTap = 5000, openingTap = 150000;
constexpr uint32_t longestPause = 600;  // frames until S again

struct RandomPlayer {
    uint64_t state = 0;
    bool held[vk::Count] = {};
    int32_t tapped = -1;       // key to let go on the next frame
    int32_t resumeFrame = -1;  // frame of the S that ends the pause under way

    uint32_t next() {  // splitmix64, upper half
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    bool chance(uint32_t oneIn) { return next() % oneIn == 0; }
    template <size_t N>
    int32_t pick(const int32_t (&keys)[N]) {
        return keys[next() % N];
    }
};

struct Run {
    RunScript script;
    FILE* log = nullptr;
    RunResult result;
    size_t nextKey = 0;
    int32_t lastState = 0;
    int32_t stopEntries = 0;
    bool freshEntryNoted = false;
    bool over = false;
    int64_t startCounter = 0;
    std::chrono::steady_clock::time_point startWall;
    StateHandler savedHandlers[StateCount] = {};
    RandomPlayer player;
    // Frame times in microseconds, reserved for the whole run at its start.
    std::vector<float> frameWallMicros, frameCpuMicros;
};
Run run;

// Every state handler is called through one of these, so that frames are
// counted as they run.
template <int32_t State>
void countedHandler() {
    ++run.result.frames;
    ++run.result.framesInState[State];
    run.savedHandlers[State]();
}
template <size_t... States>
void installCountedHandlers(std::index_sequence<States...>) {
    ((stateHandlers[States] = run.savedHandlers[States] ? countedHandler<static_cast<int32_t>(States)> : nullptr),
     ...);
}

// What one process run of the program leaves behind that its start-up does
// not set again: the engine's resources, the headless layer, the transition.
void freshEngine() {
    engSound::Release();
    engDraw::FreeFontMemory();
    engDraw::Release();
    hl::reset();
    hl::resetAudio();
    screenTransition = ScreenTransition{};
    transitionRunning = 0;
    engSystem::StaticInit();
    plat::setWindowProc(engSystem::WindowProc);
    installGame();
    installStandinAssets();
}

bool earlierFrame(const ScriptedKey& a, const ScriptedKey& b) { return a.frame < b.frame; }

void deliverKey(int32_t key, bool down) {
    // The key table changes as the message is delivered, as it does on a
    // real display; the message is taken before the frame runs.
    hl::setKeyDown(key, down);
    plat::postMessage(
        plat::Message{down ? plat::MessageType::KeyDown : plat::MessageType::KeyUp, static_cast<uint32_t>(key), 0});
}

void deliverKeysFor(int32_t frame) {
    const std::vector<ScriptedKey>& keys = run.script.keys;
    for (; run.nextKey < keys.size() && keys[run.nextKey].frame <= frame; ++run.nextKey)
        deliverKey(keys[run.nextKey].key, keys[run.nextKey].down);
}

void playerKey(int32_t key, bool down) {
    RandomPlayer& p = run.player;
    p.held[key] = down;
    if (down) ++run.result.randomKeyDowns;
    deliverKey(key, down);
}

void toggleHeld(int32_t key) { playerKey(key, !run.player.held[key]); }

void tapKey(int32_t key) {
    deliverKey(key, true);
    deliverKey(key, false);
    ++run.result.randomKeyDowns;
}

// The random player's keys before `frame`.
void playRandomKeysFor(int32_t frame) {
    RandomPlayer& p = run.player;
    if (p.tapped >= 0) {
        playerKey(p.tapped, false);
        p.tapped = -1;
    }
    if (p.chance(moveKeyChange)) toggleHeld(p.pick(moveKeys));
    if (p.chance(fireKeyChange)) toggleHeld(p.pick(fireKeys));
    if (p.chance(keyTap)) {
        p.tapped = p.pick(tappedKeys);
        playerKey(p.tapped, true);
    }
    // A pause (ours, or one the game kept) ends a while after it is seen.
    bool tapPause = false;
    if (paused != 0 && continuePrompt == 0) {
        if (p.resumeFrame < 0) p.resumeFrame = frame + 1 + static_cast<int32_t>(p.next() % longestPause);
        tapPause = frame >= p.resumeFrame;
    } else {
        p.resumeFrame = -1;
        tapPause = p.chance(pauseTap);
    }
    if (tapPause) {
        tapKey(pauseKey);
        p.resumeFrame = -1;
    }
    if (p.chance(openingTap)) tapKey(openingKey);
}

// Notes a state the loop has switched to (or re-entered) since the last turn.
void noteStateEntry() {
    const bool switched = gameState != run.lastState;
    const bool reentered = previousState == 0 && gameState != 0 && !run.freshEntryNoted;
    if (previousState != 0) run.freshEntryNoted = false;
    if (!switched && !reentered) return;
    run.lastState = gameState;
    run.freshEntryNoted = previousState == 0;
    const StateEntry entry{run.result.frames + 1, gameState, score};
    run.result.states.push_back(entry);
    if (run.log) std::fprintf(run.log, "frame %d state %d score %d\n", entry.frame, entry.state, entry.score);
    if (entry.state == run.script.stopState && ++run.stopEntries >= run.script.stopEntry) run.over = true;
}

void savePicturesOf(int32_t frame) {
    for (const ScriptedPicture& picture : run.script.pictures) {
        if (picture.frame != frame) continue;
        if (!saveSurfaceBitmap(backSurface, picture.path.c_str())) {
            ++run.result.picturesFailed;
            if (run.log) std::fprintf(run.log, "frame %d: cannot write %s\n", frame, picture.path.c_str());
        }
    }
}

double threadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Median, 99th percentile and largest of the frames' times (reorders them).
FrameTimes summarised(std::vector<float>& t) {
    FrameTimes times;
    if (t.empty()) return times;
    const auto heaviest = std::max_element(t.begin(), t.end());
    times.max = *heaviest;
    times.heaviestFrame = static_cast<int32_t>(heaviest - t.begin()) + 1;
    const auto at = [&t](double fraction) {
        const auto n = std::min(t.size() - 1, static_cast<size_t>(fraction * static_cast<double>(t.size())));
        std::nth_element(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(n), t.end());
        return static_cast<double>(t[n]);
    };
    times.median = at(0.5);
    times.p99 = at(0.99);
    times.p999 = at(0.999);
    return times;
}

void logFrameTimes(const char* what, const FrameTimes& t) {
    std::fprintf(run.log, "frame %s time: median %.1f us, p99 %.1f us, p99.9 %.1f us, heaviest %.1f us (frame %d)\n",
                 what, t.median, t.p99, t.p999, t.max, t.heaviestFrame);
}

void logSummary() {
    const RunResult& r = run.result;
    std::fprintf(run.log, "frames %d played %.2f s wall %.3f s", r.frames, r.playedSeconds, r.wallSeconds);
    if (r.wallSeconds > 0)
        std::fprintf(run.log, " (%.0f times real time, %.0f frames a second)", r.playedSeconds / r.wallSeconds,
                     r.frames / r.wallSeconds);
    std::fprintf(run.log, "%s%s\n", r.quit ? ", the program ended" : "", r.stuck ? ", stuck" : "");
    if (run.script.timeFrames) {
        logFrameTimes("wall", r.frameWall);
        logFrameTimes("processor", r.frameCpu);
    }
    if (run.script.randomKeys || run.script.loseSurfacesEvery > 0) {
        std::fprintf(run.log, "random key presses %d, surface losses %d, frames by state:", r.randomKeyDowns,
                     r.surfaceLosses);
        for (int32_t state = 0; state < StateCount; ++state)
            if (r.framesInState[state] > 0) std::fprintf(run.log, " %d: %d", state, r.framesInState[state]);
        std::fprintf(run.log, "\n");
    }
    if (r.residentAfterWarmup > 0) {
        const double growth = static_cast<double>(r.residentAtEnd - r.residentAfterWarmup) /
                              static_cast<double>(r.residentAfterWarmup);
        std::fprintf(run.log, "resident memory: %.1f MiB after %d frames, %.1f MiB at the end (%+.2f %%)\n",
                     static_cast<double>(r.residentAfterWarmup) / 1048576.0, run.script.memoryWarmupFrames,
                     static_cast<double>(r.residentAtEnd) / 1048576.0, growth * 100.0);
    }
    for (const hl::Box& box : hl::boxes())
        std::fprintf(run.log, "error box: %s: %s\n", box.title.c_str(), box.text.c_str());
}

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

const char* const runScriptCommands = R"(  seed N                   the random seed (default 1)
  frames N                 end after N frames (default 200000)
  stop-at STATE [N]        end when the state (1, 2, 3, 4, 6, 12) is entered,
                           or entered for the N-th time
  down FRAME KEY           key down before frame FRAME (frames count from 1)
  up FRAME KEY             key up before frame FRAME
  press FRAME KEY [FRAMES] down before FRAME, up FRAMES (1) frames later
  picture FRAME PATH       the back surface after FRAME, as a bitmap
  random-keys              play with random keys from the seed (arrows, the
                           fire keys, S, Y, T, Enter, F1, F2, K, M; never Esc)
  lose-surfaces N          declare every surface lost after every N-th frame
  memory N                 read the resident memory after N frames and at the end
  time-frames              measure every frame (median, p99, p99.9, heaviest)
  digest N                 the game's state digest (state_digest.h) after
                           every N-th frame
  soak N                   N frames of random keys, every surface lost every
                           3,000 frames; it fails on an error box, a stuck
                           loop, or resident memory growing by more than 5 %
                           from its warm-up (10,000 frames at least) to the end
KEY is a name (Return, Escape, Space, Shift, Ctrl, Left, Up, Right, Down,
F1..F12, A..Z, 0..9) or a number (0x10).
)";

int32_t virtualKeyByName(const std::string& name) {
    namespace vk = plat::VirtualKey;
    struct Named {
        const char* name;
        int32_t key;
    };
    static constexpr Named names[] = {
        {"return", vk::Return}, {"enter", vk::Return}, {"escape", vk::Escape}, {"esc", vk::Escape},
        {"space", vk::Space},   {"shift", vk::Shift},  {"ctrl", vk::Control},  {"control", vk::Control},
        {"left", vk::Left},     {"up", vk::Up},        {"right", vk::Right},   {"down", vk::Down},
    };
    const std::string key = lowered(name);
    for (const Named& n : names)
        if (key == n.name) return n.key;
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0])))
        return std::toupper(static_cast<unsigned char>(key[0]));  // 'A'..'Z', '0'..'9'
    if (key.size() >= 2 && key[0] == 'f' && std::all_of(key.begin() + 1, key.end(), ::isdigit)) {
        const int n = std::atoi(key.c_str() + 1);
        if (n >= 1 && n <= 12) return vk::F1 + n - 1;
    }
    char* end = nullptr;
    const long number = std::strtol(key.c_str(), &end, 0);
    if (!key.empty() && end != nullptr && *end == '\0' && number > 0 && number < vk::Count)
        return static_cast<int32_t>(number);
    return -1;
}

bool parseRunScript(const std::string& text, RunScript& script, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string command;
        if (!(words >> command)) continue;
        const auto fail = [&](const char* what) {
            error = "line " + std::to_string(number) + ": " + what + ": " + line;
            return false;
        };
        long long a = 0;
        std::string keyName;
        if (command == "seed" || command == "frames" || command == "stop-at" || command == "lose-surfaces" ||
            command == "memory" || command == "soak" || command == "digest") {
            if (!(words >> a) || a < 0 || a > INT32_MAX) return fail("expected a number");
            const auto n = static_cast<int32_t>(a);
            if (command == "seed") script.seed = static_cast<uint32_t>(a);
            if (command == "frames") script.frameLimit = n;
            if (command == "lose-surfaces") script.loseSurfacesEvery = n;
            if (command == "memory") script.memoryWarmupFrames = n;
            if (command == "digest") script.digestEvery = n;
            if (command == "soak") {
                script.frameLimit = n;
                script.randomKeys = true;
                script.loseSurfacesEvery = SoakSurfaceLossEvery;
                script.memoryWarmupFrames = SoakWarmupFrames;
            }
            if (command == "stop-at") {
                script.stopState = n;
                long long entry = 1;
                if ((words >> entry) && entry < 1) return fail("the entry counts from 1");
                script.stopEntry = static_cast<int32_t>(std::min<long long>(entry, INT32_MAX));
            }
        } else if (command == "random-keys") {
            script.randomKeys = true;
        } else if (command == "time-frames") {
            script.timeFrames = true;
        } else if (command == "down" || command == "up" || command == "press") {
            if (!(words >> a >> keyName) || a < 1) return fail("expected a frame from 1 and a key");
            const int32_t key = virtualKeyByName(keyName);
            if (key < 0) return fail("unknown key");
            long long hold = 1;
            if (command == "press" && (words >> hold) && hold < 1) return fail("a press lasts a frame at least");
            const auto frame = static_cast<int32_t>(a);
            if (command != "up") script.keys.push_back(ScriptedKey{frame, key, true});
            if (command == "up") script.keys.push_back(ScriptedKey{frame, key, false});
            if (command == "press") script.keys.push_back(ScriptedKey{frame + static_cast<int32_t>(hold), key, false});
        } else if (command == "picture") {
            std::string path;
            if (!(words >> a >> path) || a < 1) return fail("expected a frame from 1 and a file");
            script.pictures.push_back(ScriptedPicture{static_cast<int32_t>(a), path});
        } else {
            return fail("unknown command");
        }
    }
    return true;
}

bool startHeadlessRun(const RunScript& script, FILE* log) {
    run = Run{};
    run.script = script;
    run.log = log;
    std::stable_sort(run.script.keys.begin(), run.script.keys.end(), earlierFrame);
    run.player.state = script.seed;
    if (script.timeFrames) {
        run.frameWallMicros.reserve(static_cast<size_t>(std::max(script.frameLimit, 0)));
        run.frameCpuMicros.reserve(static_cast<size_t>(std::max(script.frameLimit, 0)));
    }
    run.startWall = std::chrono::steady_clock::now();

    freshEngine();
    hl::setAutoAdvance(true);  // every wait for the next frame jumps to its deadline
    hl::setKeepPresentedFrames(false);  // pictures are taken of the back surface
    std::copy(std::begin(stateHandlers), std::end(stateHandlers), run.savedHandlers);
    installCountedHandlers(std::make_index_sequence<StateCount>{});

    // The calendar clock stands at the seed when the program starts: its
    // seeds at start-up and at each stage's reset follow from it.
    hl::setRandomSeed(run.script.seed);
    if (startGame() != GameStarted) {
        run.over = true;
        return false;
    }
    run.result.started = true;
    // The window has come up and has the focus.
    plat::postMessage(plat::Message{plat::MessageType::ActivateApp, 1, 0});
    run.startCounter = plat::counter();
    noteStateEntry();
    return true;
}

bool runHeadlessFrame() {
    if (run.over) return false;
    const auto frameStart = std::chrono::steady_clock::now();
    const double frameCpuStart = run.script.timeFrames ? threadCpuMicros() : 0;
    const int32_t target = run.result.frames + 1;
    if (run.script.randomKeys) playRandomKeysFor(target);
    for (int32_t turns = 0; run.result.frames < target; ++turns) {
        if (turns >= TurnsWithoutFrameLimit) {
            if (run.log) std::fprintf(run.log, "no frame runs any more\n");
            run.result.stuck = true;
            run.over = true;
            return false;
        }
        deliverKeysFor(target);
        if (!runLoopTurn()) {
            run.result.quit = true;
            run.over = true;
            noteStateEntry();
            return false;
        }
        noteStateEntry();
    }
    if (run.script.timeFrames) {
        run.frameCpuMicros.push_back(static_cast<float>(threadCpuMicros() - frameCpuStart));
        run.frameWallMicros.push_back(
            std::chrono::duration<float, std::micro>(std::chrono::steady_clock::now() - frameStart).count());
    }
    // The recorders would otherwise grow for the whole run (a soak changes
    // songs without end).
    hl::clearSoundEvents();
    if (run.script.randomKeys) hl::clearMidiCommands();
    const int32_t frame = run.result.frames;
    savePicturesOf(frame);
    if (run.log && run.script.digestEvery > 0 && frame % run.script.digestEvery == 0)
        printStateDigest(run.log, frame, stateDigest());
    if (run.script.loseSurfacesEvery > 0 && frame % run.script.loseSurfacesEvery == 0) {
        plat::loseAllSurfaces();
        ++run.result.surfaceLosses;
    }
    // The warm-up lasts at least its frames and until every picture that the
    // built-in set was still making has reached its slot.
    if (run.script.memoryWarmupFrames > 0 && run.result.residentAfterWarmup == 0 &&
        frame >= run.script.memoryWarmupFrames && engDraw::WaitingSlotCount() == 0)
        run.result.residentAfterWarmup = residentMemoryBytes();
    if (frame >= run.script.frameLimit) run.over = true;
    return !run.over;
}

int32_t headlessFramesRun() { return run.result.frames; }

const std::vector<StateEntry>& headlessStatesEntered() { return run.result.states; }

void scheduleHeadlessKey(const ScriptedKey& key) {
    std::vector<ScriptedKey>& keys = run.script.keys;
    keys.insert(std::upper_bound(keys.begin() + static_cast<std::ptrdiff_t>(run.nextKey), keys.end(), key, earlierFrame),
                key);
}

RunResult endHeadlessRun() {
    run.result.playedSeconds = static_cast<double>(plat::counter() - run.startCounter) / 1e9;
    run.result.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - run.startWall).count();
    run.result.errorBoxes = static_cast<int32_t>(hl::boxes().size());
    if (run.script.memoryWarmupFrames > 0) run.result.residentAtEnd = residentMemoryBytes();
    run.result.frameWall = summarised(run.frameWallMicros);
    run.result.frameCpu = summarised(run.frameCpuMicros);
    std::copy(std::begin(run.savedHandlers), std::end(run.savedHandlers), stateHandlers);
    engSound::Release();
    engDraw::FreeFontMemory();
    engDraw::Release();
    plat::releaseInstanceLock();
    instanceLocked = 0;
    if (run.log) logSummary();
    run.frameWallMicros = std::vector<float>{};
    run.frameCpuMicros = std::vector<float>{};
    return run.result;
}

RunResult runHeadless(const RunScript& script, FILE* log) {
    if (startHeadlessRun(script, log)) {
        while (runHeadlessFrame()) {
        }
    }
    return endHeadlessRun();
}

bool soakPassed(const RunScript& script, const RunResult& result) {
    const bool ran = result.started && !result.quit && !result.stuck && result.frames == script.frameLimit &&
                     result.errorBoxes == 0 && result.picturesFailed == 0;
    if (!ran || script.memoryWarmupFrames <= 0) return ran;
    return result.residentAfterWarmup > 0 &&
           static_cast<double>(result.residentAtEnd) <=
               static_cast<double>(result.residentAfterWarmup) * (1.0 + SoakMemoryGrowthLimit);
}

int64_t residentMemoryBytes() {
    // The second number of statm: resident pages.
    std::ifstream statm("/proc/self/statm");
    long long size = 0, resident = 0;
    if (!(statm >> size >> resident)) return 0;
    return resident * static_cast<int64_t>(sysconf(_SC_PAGESIZE));
}

bool saveSurfaceBitmap(const plat::Surface* surface, const char* path) {
    if (surface == nullptr || surface->pixels == nullptr || surface->width <= 0 || surface->height <= 0)
        return false;
    std::vector<uint8_t> file;
    standin::beginBmp(surface->width, surface->height, file);
    for (int y = surface->height; y-- > 0;)
        standin::appendBmpRow(surface->pixels + static_cast<size_t>(y) * static_cast<size_t>(surface->width),
                              surface->width, file);
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
