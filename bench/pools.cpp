// Per-frame cost of what every stage frame runs whether or not anything is
// in flight: the three background columns (5000 tiles each) and the draw of
// every shot pool; and the cost of the pool reset between stages.
#include <benchmark/benchmark.h>

#include "app/main_loop.h"
#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/play_state.h"
#include "game/resets.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "platform/headless/headless.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage3/curving_missiles.h"

namespace {

void setUp() {
    static bool ready = false;
    if (ready) return;
    ready = true;
    plat::headless::reset();
    engDraw::Screen(800, 600, 3);
    engDraw::SetClip(220, 0, 580, 600);
    // Every asset slot gets a plain grey picture big enough for any cut.
    for (int i = 0; i < ImageAssetCount; ++i) {
        const int slot = FirstLoadSlot + i;
        plat::Surface* surface = plat::createSurface(480, 480);
        plat::fillRect(surface, plat::Rect{0, 0, 480, 480}, 0x404040u);
        imageSlots[slot].surface = surface;
        *imageAssets[i].global = slot;
    }
    installGame();  // the stages' pools join the pool reset
    engSystem::SeedRand(1);
    resetScrollAndPlayer();
    resetPlayState();
    resetObjectPools();
    frameTime = 0.0f;  // the same picture every frame
    scrollDistance = 100;
}

void BM_StageBackgrounds(benchmark::State& state) {
    setUp();
    for (auto _ : state) scrollBackgrounds(BackgroundScene::Stage3);
}
BENCHMARK(BM_StageBackgrounds);

void BM_DrawEveryShotPool(benchmark::State& state) {
    setUp();
    for (auto _ : state) {
        for (int p = 0; p < AimedPoolCount; ++p) drawAimedPool(p);
        for (int p = 0; p < VolleyPoolCount; ++p) drawVolleyPool(p);
        for (int p = 0; p < SegmentedPoolCount; ++p) drawSegmentedPool(p);
        for (int p = 0; p < FanPoolCount; ++p) drawFanPool(p);
        for (int p = 0; p < SweepPoolCount; ++p) drawSweepPool(p);
        for (int p = 0; p < SalvoPoolCount; ++p) drawSalvoPool(p);
        for (int p = 0; p < RingPoolCount; ++p) drawRingPool(p);
        for (int p = 0; p < MissileStreamCount; ++p) drawMissileStreamPool(p);
    }
}
BENCHMARK(BM_DrawEveryShotPool);

void BM_StepAndDrawOneSparkPool(benchmark::State& state) {
    setUp();
    for (auto _ : state) {
        drawDebris(1);
        stepBossDebris(1);
    }
}
BENCHMARK(BM_StepAndDrawOneSparkPool);

void BM_ResetObjectPools(benchmark::State& state) {
    setUp();
    for (auto _ : state) resetObjectPools();
}
BENCHMARK(BM_ResetObjectPools);

}  // namespace

BENCHMARK_MAIN();
