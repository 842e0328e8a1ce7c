// What the culled background walk and pool draw save, against the routines
// as they were (tests/support/unculled_draws.h), timed in turn in the same
// run so that both see the same machine load:
//   BM_BackgroundScroll/scene/pictures  one frame of a scene's three columns;
//       with pictures 0 the columns' bitmaps are missing, so the blits
//       return at once and what is left is the walk over the tiles.
//   BM_EmptyPoolDraws  the draw of every shot pool after the pool reset
//       (every record parked).
// Counters: before_us and after_us per frame, and their ratio. Before the
// timing each benchmark checks that both routines give the same pixels and
// the same tile and record state, and fails if they do not.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/backgrounds.h"
#include "game/play_state.h"
#include "support/headless_game.h"
#include "support/every_pool.h"
#include "support/unculled_draws.h"

namespace {

using Clock = std::chrono::steady_clock;

// The benchmarks' game, with a band of the key colour in every picture so
// that keyed copies skip some runs, as the column bitmaps do.
void setUp() {
    static bool ready = false;
    if (ready) return;
    ready = true;
    setUpHeadlessGame();
    for (int i = 0; i < ImageAssetCount; ++i) {
        plat::Surface* surface = imageSlots[FirstLoadSlot + i].surface;
        plat::fillRect(surface, plat::Rect{100, 0, 200, 480}, 0u);
        plat::setColorKey(surface, 0u);
    }
}

// The pacer's frame times, 16, 17, 17 ms.
void stepFrameTime(int frame) { frameTime = frame % 3 == 0 ? 0.016f : 0.017f; }

std::vector<uint32_t> backPixels() {
    return std::vector<uint32_t>(backSurface->pixels,
                                 backSurface->pixels + static_cast<size_t>(backSurface->width) * backSurface->height);
}
void clearBack() { plat::fillRect(backSurface, plat::Rect{0, 0, backSurface->width, backSurface->height}, 0u); }

// Frames of a scene from a fresh stack through every speed band, each run by
// both routines from the same state: true when pixels and tiles agree.
bool backgroundsAgree(BackgroundScene scene) {
    static BackTile before[BackColumnCount][BackTileCount];
    static BackTile unculledTiles[BackColumnCount][BackTileCount];
    resetBackColumns();
    for (int frame = 0; frame < 400; ++frame) {
        stepFrameTime(frame);
        scrollDistance = static_cast<float>(frame * 3);
        std::memcpy(before, backTiles, sizeof before);
        clearBack();
        unculled::scrollBackgrounds(scene);
        const std::vector<uint32_t> unculledPixels = backPixels();
        std::memcpy(unculledTiles, backTiles, sizeof unculledTiles);
        std::memcpy(backTiles, before, sizeof before);
        clearBack();
        scrollBackgrounds(scene);
        if (backPixels() != unculledPixels || std::memcmp(backTiles, unculledTiles, sizeof backTiles) != 0) {
            return false;
        }
    }
    return true;
}

// Column bitmaps pointed at an empty slot (the last, which no asset takes)
// for a walk without pictures.
struct MissingColumnPictures {
    int32_t* images[BackColumnCount] = {&imgBback1s, &imgBback2s, &imgBback3s, &imgBback4s, &imgBback5s, &imgBback8s};
    int32_t saved[BackColumnCount] = {};
    explicit MissingColumnPictures(bool missing) {
        for (int c = 0; c < BackColumnCount; ++c) {
            saved[c] = *images[c];
            if (missing) *images[c] = ImageSlotCount - 1;
        }
    }
    ~MissingColumnPictures() {
        for (int c = 0; c < BackColumnCount; ++c) *images[c] = saved[c];
    }
};

// Times `before` and `after` in turn, once each per iteration.
template <typename Before, typename After>
void timeInTurn(benchmark::State& state, Before before, After after) {
    Clock::duration beforeTime{}, afterTime{};
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        before();
        const Clock::time_point t1 = Clock::now();
        after();
        afterTime += Clock::now() - t1;
        beforeTime += t1 - t0;
    }
    const double n = static_cast<double>(state.iterations());
    const double beforeUs = std::chrono::duration<double, std::micro>(beforeTime).count() / n;
    const double afterUs = std::chrono::duration<double, std::micro>(afterTime).count() / n;
    state.counters["before_us"] = beforeUs;
    state.counters["after_us"] = afterUs;
    state.counters["ratio"] = beforeUs / afterUs;
}

void BM_BackgroundScroll(benchmark::State& state) {
    setUp();
    const auto scene = static_cast<BackgroundScene>(state.range(0));
    const MissingColumnPictures pictures(state.range(1) == 0);
    if (!backgroundsAgree(scene)) {
        state.SkipWithError("the culled walk differs from the unculled one");
        return;
    }
    resetBackColumns();
    scrollDistance = 300;
    int frame = 0;
    timeInTurn(
        state,
        [&] {
            stepFrameTime(frame++);
            unculled::scrollBackgrounds(scene);
        },
        [&] { scrollBackgrounds(scene); });
}
BENCHMARK(BM_BackgroundScroll)->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})->ArgNames({"scene", "pictures"});

// Both draws from the same records: the same pixels and the same records
// after.
bool poolDrawsAgree() {
    const everypool::Records start;
    clearBack();
    everypool::drawUnculled();
    const std::vector<uint32_t> unculledPixels = backPixels();
    const everypool::Records unculledAfter;
    start.restore();
    clearBack();
    everypool::draw();
    return backPixels() == unculledPixels && everypool::Records{} == unculledAfter;
}

void BM_EmptyPoolDraws(benchmark::State& state) {
    setUp();
    resetObjectPools();
    if (!poolDrawsAgree()) {
        state.SkipWithError("the culled pool draw differs from the unculled one");
        return;
    }
    timeInTurn(state, everypool::drawUnculled, everypool::draw);
}
BENCHMARK(BM_EmptyPoolDraws);

}  // namespace

BENCHMARK_MAIN();
