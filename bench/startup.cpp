// Start-up with the built-in asset set, on the headless layer.
//
// ColdStart is the figure that matters: from a fresh process to the first
// presented frame of the opening screen (installing the set starts its
// background workers; the loader takes every slot, and the slots whose
// pictures are still being made wait for them, but the title's, which the
// first frame fills). It runs once, first, while the set is still unmade;
// "waiting" says how many slots were still waiting then. The others break it
// down: making the whole set on a single thread, and loading it again once
// made, every slot filled (decoding and slots only).
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "assets/asset_list.h"
#include "assets/standin/standin.h"
#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"

namespace {

void freshEngine() {
    engSound::Release();
    engDraw::FreeFontMemory();
    engDraw::Release();
    plat::headless::reset();
    plat::headless::resetAudio();
}

// The first frame of the opening screen: a cleared screen with the title.
void presentTitleFrame() {
    engDraw::ClearScreen();
    engDraw::Blit(220, 60, imgTitlec, 0, 0, 360, 480);
    engDraw::Present();
}

void ColdStart(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        installStandinAssets();
        const auto installed = std::chrono::steady_clock::now();
        loadAllAssets();
        presentTitleFrame();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        state.counters["install_ms"] = std::chrono::duration<double, std::milli>(installed - start).count();
        state.counters["errors"] = static_cast<double>(plat::headless::boxes().size());
        state.counters["presents"] = plat::headless::presentCount();
        state.counters["waiting"] = engDraw::WaitingSlotCount();
    }
}
BENCHMARK(ColdStart)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void MakeWholeSetOnOneThread(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    size_t total = 0;
    for (auto _ : state) {
        total = 0;
        for (int i = 0; i < standinFileCount(); ++i) {
            makeStandinFile(standinFileName(i), bytes);
            total += bytes.size();
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(total);
}
BENCHMARK(MakeWholeSetOnOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

void LoadMadeSet(benchmark::State& state) {
    installStandinAssets();
    for (int i = 0; i < standinFileCount(); ++i) {  // every file made before timing
        const uint8_t* data;
        size_t size;
        standinResource(standinFileName(i), &data, &size);
    }
    for (auto _ : state) {
        freshEngine();
        loadAllAssets();
        presentTitleFrame();
        for (int slot = 0; slot < ImageSlotCount; ++slot) engDraw::FillSlot(slot);
    }
}
BENCHMARK(LoadMadeSet)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
