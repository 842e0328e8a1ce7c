// The running game loop: frames a second, processor use and frame
// lateness, on a still screen (the opening screen) and in stage 1 with the
// fire key held (entered as a player does, Enter then F1; the ship never
// dies, so the stage goes on), with the loop as the game runs it (sleeping
// until the next frame is due), and on the still screen once more polling
// without ever yielding, as a baseline.
//
// Runs on the real platform layer, without a display or on an X display:
//   SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ./bench_pacing
//   DISPLAY=:n SDL_AUDIODRIVER=dummy ./bench_pacing
// bench/pacing.py runs it so, beside a baseline build, several times.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/main_loop.h"
#include "app/state_handlers.h"
#include "assets/asset_list.h"
#include "assets/standin/standin.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_flags.h"
#include "game/game_states.h"
#include "platform/window.h"

namespace {

int64_t frameDue;                 // counter reading at which the next frame falls due
std::vector<int64_t> lateness;    // handler start minus due reading, per frame
int64_t frameWork;                // counter ticks spent inside the handler
// Start-up as the program runs it: from the engine's static set-up to the
// end of the opening screen's first frame (its present included).
int64_t startupBegin = -1, startupEnd = -1;

StateHandler gameHandlers[StateCount];

// Every state's handler, timed.
void timedHandler() {
    const int64_t start = plat::counter();
    lateness.push_back(start - frameDue);
    gameHandlers[gameState]();
    frameWork += plat::counter() - start;
}

bool startGame() {
    static bool started = false;
    static bool ok = false;
    if (started) return ok;
    started = true;
    startupBegin = plat::counter();
    engSystem::StaticInit();
    plat::setWindowProc(engSystem::WindowProc);
    installGame();
    installStandinAssets();
    engSystem::ResetGlobals();
    plat::WindowDesc desc;
    desc.title = AppTitle;
    desc.fullScreen = fullScreen != 0;
    desc.clientWidth = variant::screenWidth;
    desc.clientHeight = variant::screenHeight;
    if (!plat::createWindow(desc)) return false;
    plat::showWindow(true);
    loadAssetsAndOpen();
    runOpeningScreen();  // the first frame, presented
    startupEnd = plat::counter();
    for (int state = 0; state < StateCount; ++state) {
        gameHandlers[state] = stateHandlers[state];
        if (gameHandlers[state] != nullptr) stateHandlers[state] = timedHandler;
    }
    // Let the work that start-up leaves to threads (the rest of the asset
    // set, the soundfont) finish, so the figures are those of a still screen.
    plat::sleepMs(3000);
    ok = true;
    return ok;
}

// Processor time of the whole process (with the audio thread), or of the
// calling thread alone.
double cpuSeconds(int who = RUSAGE_SELF) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentileUs(std::vector<int64_t> values, double fraction) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * static_cast<double>(values.size())));
    return static_cast<double>(values[index]) * 1e6 / static_cast<double>(plat::counterFrequency());
}

// The same loop polling: messages, then the pacer, never yielding.
void pollingTurn() {
    plat::Message msg;
    if (plat::peekMessage(msg)) {
        plat::dispatchMessage(msg);
        return;
    }
    if (engSystem::PaceFrame()) stateHandlerFor(gameState)();
}

void post(plat::MessageType type, int key) { plat::postMessage(plat::Message{type, static_cast<uint32_t>(key), 0}); }

// Runs the loop until the counter reaches `end`.
void runLoopUntil(int64_t end) {
    while (plat::counter() < end) {
        frameDue = engSystem::NextFrameDeadline();
        runLoopTurn();
    }
}

// From the opening screen into stage 1 as a player gets there (Enter, F1,
// each held a fifth of a second), then the fire key down.
bool enterStage1WithFireHeld() {
    const int64_t second = plat::counterFrequency();
    for (const int key : {plat::VirtualKey::Return, plat::VirtualKey::F1}) {
        post(plat::MessageType::KeyDown, key);
        runLoopUntil(plat::counter() + second / 5);
        post(plat::MessageType::KeyUp, key);
        runLoopUntil(plat::counter() + 2 * second);
    }
    noDeath = 1;
    post(plat::MessageType::KeyDown, plat::VirtualKey::Shift);
    runLoopUntil(plat::counter() + second);
    return gameState == stateStage1;
}

enum class Scene { Still, Stage1FireHeld };

// Runs the loop for state.range(0) seconds.
void measure(benchmark::State& state, bool yielding, Scene scene = Scene::Still) {
    const double runSeconds = static_cast<double>(state.range(0));
    if (!startGame()) {
        state.SkipWithError("no window");
        return;
    }
    for (auto _ : state) {
        gameState = stateOpening;
        previousState = 0;
        engSystem::SetActive(1);
        engSystem::ResetFrameClock();
        if (scene == Scene::Stage1FireHeld && !enterStage1WithFireHeld()) {
            state.SkipWithError("the game did not reach stage 1");
            return;
        }
        lateness.clear();
        frameWork = 0;
        lateness.reserve(static_cast<size_t>(runSeconds * 70));
        const int64_t frequency = plat::counterFrequency();
        const int64_t start = plat::counter();
        const int64_t end = start + static_cast<int64_t>(runSeconds * static_cast<double>(frequency));
        const double cpuStart = cpuSeconds();
        const double loopCpuStart = cpuSeconds(RUSAGE_THREAD);
        while (plat::counter() < end) {
            frameDue = engSystem::NextFrameDeadline();
            if (yielding)
                runLoopTurn();
            else
                pollingTurn();
        }
        const double wall = static_cast<double>(plat::counter() - start) / static_cast<double>(frequency);
        state.counters["cpu_pct"] = 100.0 * (cpuSeconds() - cpuStart) / wall;
        state.counters["loop_thread_cpu_pct"] = 100.0 * (cpuSeconds(RUSAGE_THREAD) - loopCpuStart) / wall;
        // The frames' own drawing and present, apart from the loop around them.
        state.counters["frame_work_pct"] = 100.0 * static_cast<double>(frameWork) / static_cast<double>(frequency) / wall;
        state.counters["frames_per_s"] = static_cast<double>(lateness.size()) / wall;
        state.counters["late_p50_us"] = percentileUs(lateness, 0.50);
        state.counters["late_p99_us"] = percentileUs(lateness, 0.99);
        state.counters["late_max_us"] = percentileUs(lateness, 1.0);
        state.counters["state"] = gameState;
        if (yielding) {
            state.counters["startup_ms"] =
                1e3 * static_cast<double>(startupEnd - startupBegin) / static_cast<double>(frequency);
        }
    }
}

void BM_GameLoopYielding(benchmark::State& state) { measure(state, true); }
void BM_GameLoopPolling(benchmark::State& state) { measure(state, false); }
void BM_Stage1FireHeld(benchmark::State& state) { measure(state, true, Scene::Stage1FireHeld); }

}  // namespace

// The still screens first: stage 1 leaves its play and the fire key behind.
BENCHMARK(BM_GameLoopYielding)->Arg(20)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_GameLoopPolling)->Arg(5)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_Stage1FireHeld)->Arg(20)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
