#include "headless_run/headless_run.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "assets/standin/formats.h"
#include "assets/standin/standin.h"
#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "app/main_loop.h"
#include "game/score.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"

namespace {

namespace hl = plat::headless;

// Loop turns without a frame after which a run counts as stuck (a closing
// transition takes ten, a message one).
constexpr int32_t TurnsWithoutFrameLimit = 100000;

struct Run {
    RunScript script;
    FILE* log = nullptr;
    RunResult result;
    size_t nextKey = 0;
    int32_t lastState = 0;
    bool freshEntryNoted = false;
    bool over = false;
    int64_t startCounter = 0;
    std::chrono::steady_clock::time_point startWall;
    StateHandler savedHandlers[StateCount] = {};
};
Run run;

// Every state handler is called through one of these, so that frames are
// counted as they run.
template <int32_t State>
void countedHandler() {
    ++run.result.frames;
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

void deliverKeysFor(int32_t frame) {
    const std::vector<ScriptedKey>& keys = run.script.keys;
    for (; run.nextKey < keys.size() && keys[run.nextKey].frame <= frame; ++run.nextKey) {
        const ScriptedKey& key = keys[run.nextKey];
        // The key table changes as the message is delivered, as it does on
        // a real display; the message is taken before the frame runs.
        hl::setKeyDown(key.key, key.down);
        plat::postMessage(plat::Message{key.down ? plat::MessageType::KeyDown : plat::MessageType::KeyUp,
                                        static_cast<uint32_t>(key.key), 0});
    }
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
    if (entry.state == run.script.stopState) run.over = true;
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

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

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
        if (command == "seed" || command == "frames" || command == "stop-at") {
            if (!(words >> a) || a < 0) return fail("expected a number");
            if (command == "seed") script.seed = static_cast<uint32_t>(a);
            if (command == "frames") script.frameLimit = static_cast<int32_t>(a);
            if (command == "stop-at") script.stopState = static_cast<int32_t>(a);
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
    std::stable_sort(run.script.keys.begin(), run.script.keys.end(),
                     [](const ScriptedKey& a, const ScriptedKey& b) { return a.frame < b.frame; });
    run.startWall = std::chrono::steady_clock::now();

    freshEngine();
    hl::setAutoAdvance(true);  // every wait for the next frame jumps to its deadline
    hl::setKeepPresentedFrames(false);  // pictures are taken of the back surface
    std::copy(std::begin(stateHandlers), std::end(stateHandlers), run.savedHandlers);
    installCountedHandlers(std::make_index_sequence<StateCount>{});

    // The calendar clock stands at the seed when the program starts: its
    // seeds at start-up and at each stage's reset follow from it.
    hl::setCalendarStart(run.script.seed);
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
    const int32_t target = run.result.frames + 1;
    for (int32_t turns = 0; run.result.frames < target; ++turns) {
        if (turns >= TurnsWithoutFrameLimit) {
            if (run.log) std::fprintf(run.log, "no frame runs any more\n");
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
    hl::clearSoundEvents();  // the recorder would otherwise grow for the whole run
    savePicturesOf(run.result.frames);
    if (run.result.frames >= run.script.frameLimit) run.over = true;
    return !run.over;
}

int32_t headlessFramesRun() { return run.result.frames; }

RunResult endHeadlessRun() {
    run.result.playedSeconds = static_cast<double>(plat::counter() - run.startCounter) / 1e9;
    run.result.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - run.startWall).count();
    run.result.errorBoxes = static_cast<int32_t>(hl::boxes().size());
    std::copy(std::begin(run.savedHandlers), std::end(run.savedHandlers), stateHandlers);
    engSound::Release();
    engDraw::FreeFontMemory();
    engDraw::Release();
    plat::releaseInstanceLock();
    instanceLocked = 0;
    if (run.log) {
        std::fprintf(run.log, "frames %d played %.2f s wall %.3f s", run.result.frames, run.result.playedSeconds,
                     run.result.wallSeconds);
        if (run.result.wallSeconds > 0)
            std::fprintf(run.log, " (%.0f times real time)", run.result.playedSeconds / run.result.wallSeconds);
        std::fprintf(run.log, "%s\n", run.result.quit ? ", the program ended" : "");
        for (const hl::Box& box : hl::boxes())
            std::fprintf(run.log, "error box: %s: %s\n", box.title.c_str(), box.text.c_str());
    }
    return run.result;
}

RunResult runHeadless(const RunScript& script, FILE* log) {
    if (startHeadlessRun(script, log)) {
        while (runHeadlessFrame()) {
        }
    }
    return endHeadlessRun();
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
