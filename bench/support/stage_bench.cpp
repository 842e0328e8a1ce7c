#include "support/stage_bench.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/game_states.h"
#include "game/resets.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "headless_run/headless_run.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage3/curving_missiles.h"
#include "support/allocation_count.h"

namespace {

using Clock = std::chrono::steady_clock;

double percentile(std::vector<double>& samples, double share) {
    std::sort(samples.begin(), samples.end());
    const size_t index = std::min(samples.size() - 1, static_cast<size_t>(share * static_cast<double>(samples.size())));
    return samples[index];
}

// Record i of a pool armed as its group's timer would arm it.
template <typename Row>
void armByGroups(const Row& row, int pool, int groupSize, void (*arm)(int pool, int i, int first)) {
    for (int i = 0; i < row.count; ++i) arm(pool, i, i - i % groupSize);
}

}  // namespace

void makeEveryPictureReady() {
    for (int slot = FirstLoadSlot; slot < ImageSlotCount; ++slot) {
        engDraw::FillSlot(slot);
        if (plat::Surface* surface = imageSlots[slot].surface) plat::prepareKeyedCopy(surface);
    }
}

bool reachStage1() {
    RunScript script;
    std::string error;
    if (!parseRunScript("press 10 Return\npress 70 F1\n", script, error)) return false;
    if (!startHeadlessRun(script)) return false;
    while (gameState != stateStage1 || headlessFramesRun() < 71) {
        if (!runHeadlessFrame()) return false;
    }
    makeEveryPictureReady();
    return true;
}

void enterStage(int32_t state) {
    resetPlayState();
    resetObjectPools();
    gameState = previousState = state;
}

void armEveryPoolOf(int stage) {
    for (int p = 0; p < AimedPoolCount; ++p) {
        if (aimedPools[p].stage == stage) spawnAimedVolley(p);
    }
    for (int p = 0; p < VolleyPoolCount; ++p) {
        if (volleyPools[p].stage == stage) armByGroups(volleyPools[p], p, volleyPools[p].groupSize, armVolleyShot);
    }
    for (int p = 0; p < SegmentedPoolCount; ++p) {
        const VolleyPool& row = segmentedPools[p];
        if (row.stage == stage) armByGroups(row, p, row.groupSize, spawnSegmentedShot);
    }
    for (int p = 0; p < FanPoolCount; ++p) {
        const FanPool& row = fanPools[p];
        if (row.stage == stage && row.owner == FanOwner::Boss) armByGroups(row, p, row.shotsPerWave, spawnFanShot);
    }
    for (int p = 0; p < SweepPoolCount; ++p) {
        if (sweepPools[p].stage == stage) spawnSweepVolley(p);
    }
    for (int p = 0; p < SalvoPoolCount; ++p) {
        if (salvoPools[p].stage == stage) armBossSalvo(p);
    }
    for (int p = 0; p < RingPoolCount; ++p) {
        if (ringPools[p].stage != stage) continue;
        for (int k = 0; k < RingArmedRecords; ++k) spawnRingShot(p, k, k);
    }
    for (int p = 0; p < MissileStreamCount; ++p) {
        if (missileStreamPools[p].stage != stage) continue;
        for (int j = 0; j < missileStreamPools[p].count; ++j) launchCurvingMissile(p, j);
    }
}

void timeStageFrames(benchmark::State& state, void (*frame)(), void (*before)(), std::size_t frames) {
    std::vector<double> frameUs, presentUs;
    frameUs.reserve(frames);
    presentUs.reserve(frames);
    size_t frameAllocations = 0;
    for (auto _ : state) {
        for (size_t i = 0; i < frames; ++i) {
            if (before != nullptr) before();
            const Clock::time_point a = Clock::now();
            engDraw::ClearScreen();
            engDraw::Present();
            const Clock::time_point b = Clock::now();
            const size_t allocationsBefore = allocationCount();
            frame();
            frameAllocations += allocationCount() - allocationsBefore;
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
    state.counters["state"] = gameState;
}
