// Our own present without a GPU: the 800x600 picture scaled into a window's
// pixels (platform/scaled_view.h), per window size, when every row changed
// (a scrolling stage) and when none did (a still screen).
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/scaled_view.h"

namespace {

constexpr int PictureWidth = 800, PictureHeight = 600;

std::vector<uint32_t> pictureWithSeed(uint32_t seed) {
    std::vector<uint32_t> p(static_cast<size_t>(PictureWidth) * PictureHeight);
    for (size_t i = 0; i < p.size(); ++i) p[i] = (static_cast<uint32_t>(i) * 2654435761u + seed) & 0x00FFFFFFu;
    return p;
}

void present(benchmark::State& state, bool moving) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const std::vector<uint32_t> pictures[2] = {pictureWithSeed(1), pictureWithSeed(2)};
    std::vector<uint32_t> window(static_cast<size_t>(width) * height);
    plat::ScaledView view;
    plat::setUpScaledView(view, PictureWidth, PictureHeight, width, height);
    plat::Rect rects[16];
    plat::updateScaledView(view, pictures[0].data(), PictureWidth, window.data(), width, rects, 16);
    int turn = 0;
    for (auto _ : state) {
        if (moving) turn ^= 1;
        benchmark::DoNotOptimize(plat::updateScaledView(view, pictures[turn].data(), PictureWidth, window.data(),
                                                        width, rects, 16));
    }
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
}

void BM_PresentMoving(benchmark::State& state) { present(state, true); }
void BM_PresentStill(benchmark::State& state) { present(state, false); }

}  // namespace

BENCHMARK(BM_PresentMoving)->Args({800, 600})->Args({1280, 720})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentStill)->Args({1280, 720})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
