// Stage 1 of the real game with its own assets, on the headless layer.
//
// HeaviestFrame: one whole stage-1 frame (logic, draws and the headless
// present) in the boss phase with every pool of the stage's list armed and
// the boss's patterns running, beside one bare clear and present measured
// in the same run; median and 99th percentile of each, and the allocations
// of all timed frames.
//
// WholeStageHeadless: the stage played from its first frame to the forced
// clear's switch to stage 2 by the headless run, its wall time against the
// game's own time, and the allocations of its frames.
#include <benchmark/benchmark.h>

#include <chrono>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_states.h"
#include "game/play_state.h"
#include "game/player.h"
#include "headless_run/headless_run.h"
#include "platform/headless/headless.h"
#include "game/shots/shot_records.h"
#include "stages/stage1/stage1.h"
#include "support/allocation_count.h"
#include "support/stage_bench.h"

namespace {

using Clock = std::chrono::steady_clock;

// The boss down on the field and its patterns running.
void armEveryStage1Pool() {
    scrollDistance = 3000.0f;
    boss1.moveTimer = 150.0f;
    boss1.x = screenX(180.0f);
    boss1.y = 0.0f;
    boss1.hp = 1000.0f;
    armEveryPoolOf(1);
}

void HeaviestFrame(benchmark::State& state) {
    if (!reachStage1()) {
        state.SkipWithError("the run did not reach stage 1");
        return;
    }
    armEveryStage1Pool();
    plat::headless::setKeepPresentedFrames(true);  // the present copies the picture, as a test's does
    frameTime = 0.0f;  // everything stays where it was armed, and armed
    playerY = 1000.0f;  // out of every shot's box: each record is flown, tested and drawn

    timeStageFrames(state, stage1Frame, nullptr, 2000);
    endHeadlessRun();
}
BENCHMARK(HeaviestFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

void WholeStageHeadless(benchmark::State& state) {
    for (auto _ : state) {
        if (!reachStage1()) {
            state.SkipWithError("the run did not reach stage 1");
            return;
        }
        const int32_t firstFrame = headlessFramesRun();
        const int64_t firstTick = plat::counter();
        const size_t firstAllocations = allocationCount();
        const Clock::time_point start = Clock::now();
        while (gameState == stateStage1 && runHeadlessFrame()) {
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        const size_t stageAllocations = allocationCount() - firstAllocations;
        const double played = static_cast<double>(plat::counter() - firstTick) / 1e9;
        state.counters["stage_frames"] = headlessFramesRun() - firstFrame;
        state.counters["allocations"] = static_cast<double>(stageAllocations);
        state.counters["played_s"] = played;
        state.counters["wall_s"] = wall;
        state.counters["times_real_time"] = played / wall;
        state.counters["state"] = gameState;
        endHeadlessRun();
    }
}
BENCHMARK(WholeStageHeadless)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
