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

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_states.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/volley.h"
#include "headless_run/headless_run.h"
#include "platform/headless/headless.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage1/stage1.h"
#include "support/allocation_count.h"

namespace {

using Clock = std::chrono::steady_clock;

// Enter on frame 10, F1 on frame 70: the stage runs from frame 71.
bool reachStage1() {
    RunScript script;
    std::string error;
    if (!parseRunScript("press 10 Return\npress 70 F1\n", script, error)) return false;
    if (!startHeadlessRun(script)) return false;
    while (gameState != stateStage1 || headlessFramesRun() < 71) {
        if (!runHeadlessFrame()) return false;
    }
    return true;
}

// Every record of every stage-1 pool the frame moves and draws, armed by
// the pool's own routines, with the boss down on the field and its
// patterns running.
void armEveryStage1Pool() {
    scrollDistance = 3000.0f;
    boss1.moveTimer = 150.0f;
    boss1.x = screenX(180.0f);
    boss1.y = 0.0f;
    boss1.hp = 1000.0f;
    for (int p = 0; p < AimedPoolCount; ++p) {
        if (aimedPools[p].stage == 1) spawnAimedVolley(p);
    }
    for (int p = 0; p < VolleyPoolCount; ++p) {
        const VolleyPool& row = volleyPools[p];
        if (row.stage != 1) continue;
        for (int i = 0; i < row.count; ++i) armVolleyShot(p, i, i - i % row.groupSize);
    }
    for (int p = 0; p < SegmentedPoolCount; ++p) {
        const VolleyPool& row = segmentedPools[p];
        for (int i = 0; i < row.count; ++i) spawnSegmentedShot(p, i, i - i % row.groupSize);
    }
    for (int p = 0; p < FanPoolCount; ++p) {
        const FanPool& row = fanPools[p];
        if (row.stage != 1 || row.owner != FanOwner::Boss) continue;
        for (int i = 0; i < row.count; ++i) spawnFanShot(p, i, i - i % row.shotsPerWave);
    }
    for (int p = 0; p < RingPoolCount; ++p) {
        for (int k = 0; k < RingArmedRecords; ++k) spawnRingShot(p, k, k);
    }
}

double percentile(std::vector<double>& samples, double share) {
    std::sort(samples.begin(), samples.end());
    const size_t index = std::min(samples.size() - 1, static_cast<size_t>(share * static_cast<double>(samples.size())));
    return samples[index];
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

    constexpr size_t frames = 2000;
    std::vector<double> frameUs, presentUs;
    frameUs.reserve(frames);
    presentUs.reserve(frames);
    size_t frameAllocations = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < frames; ++i) {
            const Clock::time_point a = Clock::now();
            engDraw::ClearScreen();
            engDraw::Present();
            const Clock::time_point b = Clock::now();
            const size_t before = allocationCount();
            stage1Frame();
            frameAllocations += allocationCount() - before;
            const Clock::time_point c = Clock::now();
            presentUs.push_back(std::chrono::duration<double, std::micro>(b - a).count());
            frameUs.push_back(std::chrono::duration<double, std::micro>(c - b).count());
        }
    }
    state.counters["frame_median_us"] = percentile(frameUs, 0.5);
    state.counters["frame_p99_us"] = percentile(frameUs, 0.99);
    state.counters["clear_present_median_us"] = percentile(presentUs, 0.5);
    state.counters["clear_present_p99_us"] = percentile(presentUs, 0.99);
    state.counters["allocations"] = static_cast<double>(frameAllocations);
    state.counters["state"] = gameState;  // still 2: the boss lived through it
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
