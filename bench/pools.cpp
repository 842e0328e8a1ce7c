// Per-frame cost of what every stage frame runs whether or not anything is
// in flight: the three background columns (5000 tiles each) and the draw of
// every shot pool; the move and draw of one stage's aimed, volley and ring
// pools, and of its fan, sweep, salvo and missile pools, with every record
// armed, beside one clear and present of the back surface; and the cost of
// the pool reset between stages.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>

#include "app/main_loop.h"
#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "engine/variant.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/resets.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "platform/headless/headless.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage3/curving_missiles.h"
#include "support/allocation_count.h"
#include "support/every_pool.h"
#include "support/headless_game.h"


namespace {

void setUp() {
    setUpHeadlessGame();
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
    for (auto _ : state) everypool::draw();
}
BENCHMARK(BM_DrawEveryShotPool);

// The boss in the middle of the field and the ship out of every box, so
// that each armed record is flown, tested and blitted.
void placeBossAndShip(int stage) {
    BossBody& boss = bossOfStage(stage);
    boss.x = screenX(200.0f);
    boss.y = 50.0f;
    playerX = screenX(300.0f);
    playerY = 1000.0f;
    playerAlive = 1;
}

// Runs `each` with the row index of every pool of `stage` in a family table.
template <typename Row, std::size_t N, typename Each>
void forStagePools(const Row (&rows)[N], int stage, Each each) {
    for (std::size_t p = 0; p < N; ++p) {
        if (rows[p].stage == stage) each(static_cast<int>(p));
    }
}

// Every record of the stage's aimed, volley and ring pools armed by their
// own routines.
void armStagePools(int stage) {
    placeBossAndShip(stage);
    forStagePools(aimedPools, stage, spawnAimedVolley);
    forStagePools(volleyPools, stage, [](int p) {
        for (int i = 0; i < volleyPools[p].count; ++i) armVolleyShot(p, i, i - i % volleyPools[p].groupSize);
    });
    forStagePools(ringPools, stage, [](int p) {
        for (int k = 0; k < RingRecordCount; ++k) spawnRingShot(p, k, k);
    });
}

void moveAndDrawStagePools(int stage) {
    forStagePools(aimedPools, stage, [](int p) {
        moveAimedShotPool(p);
        drawAimedPool(p);
    });
    forStagePools(volleyPools, stage, [](int p) {
        moveVolleyPool(p);
        drawVolleyPool(p);
    });
    forStagePools(ringPools, stage, [](int p) {
        moveRingPool(p);
        drawRingPool(p);
    });
}

// Every record of the stage's boss fan pools, sweeps, salvos and missile
// streams armed by their own routines. The missiles' clocks are put between
// two bands, so that they stay where they were launched.
void armFanSweepSalvoMissilePools(int stage) {
    placeBossAndShip(stage);
    forStagePools(fanPools, stage, [](int p) {
        for (int i = 0; i < fanPools[p].count; ++i) spawnFanShot(p, i, i - i % fanPools[p].shotsPerWave);
    });
    forStagePools(sweepPools, stage, spawnSweepVolley);
    forStagePools(salvoPools, stage, armBossSalvo);
    forStagePools(missileStreamPools, stage, [](int p) {
        for (int j = 0; j < missileStreamPools[p].count; ++j) {
            launchCurvingMissile(p, j);
            missileStreamPoolRecords(p)[j].timer = 3.5f;
        }
    });
}

void moveAndDrawFanSweepSalvoMissilePools(int stage) {
    forStagePools(fanPools, stage, [](int p) {
        moveFanShotPool(p);
        drawFanPool(p);
    });
    forStagePools(sweepPools, stage, [](int p) {
        moveSweepPool(p);
        drawSweepPool(p);
    });
    forStagePools(salvoPools, stage, [](int p) {
        moveSalvoPool(p);
        drawSalvoPool(p);
    });
    forStagePools(missileStreamPools, stage, [](int p) {
        moveCurvingMissiles(p);
        drawMissileStreamPool(p);
    });
}

double microseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// One frame of the stage's pools that `arm` fills and `moveAndDraw` runs, in
// microseconds, with the cost of one full clear and present of the back
// surface measured in the same run and the ratio of the two; the
// allocations of all frames' pool routines.
void measureArmedFrame(benchmark::State& state, void (*arm)(int), void (*moveAndDraw)(int)) {
    setUp();
    const int stage = static_cast<int>(state.range(0));
    resetObjectPools();
    arm(stage);
    frameTime = 0.0f;  // every record stays where it was armed, and armed

    using Clock = std::chrono::steady_clock;
    constexpr int presents = 200;
    const Clock::time_point presentStart = Clock::now();
    for (int i = 0; i < presents; ++i) {
        engDraw::ClearScreen();
        engDraw::Present();
    }
    const double presentUs = microseconds(Clock::now() - presentStart) / presents;

    std::size_t frameAllocations = 0;
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        const std::size_t before = allocationCount();
        moveAndDraw(stage);
        frameAllocations += allocationCount() - before;
    }
    const double poolsUs = microseconds(Clock::now() - start) / static_cast<double>(state.iterations());
    state.counters["pools_us"] = poolsUs;
    state.counters["clear_present_us"] = presentUs;
    state.counters["ratio"] = poolsUs / presentUs;
    state.counters["allocations"] = static_cast<double>(frameAllocations);
    resetObjectPools();
}

void BM_MoveAndDrawStagePoolsArmed(benchmark::State& state) {
    measureArmedFrame(state, armStagePools, moveAndDrawStagePools);
}
BENCHMARK(BM_MoveAndDrawStagePoolsArmed)->Arg(1)->Arg(2)->Arg(3);

void BM_MoveAndDrawFanSweepSalvoMissilePoolsArmed(benchmark::State& state) {
    measureArmedFrame(state, armFanSweepSalvoMissilePools, moveAndDrawFanSweepSalvoMissilePools);
}
BENCHMARK(BM_MoveAndDrawFanSweepSalvoMissilePoolsArmed)->Arg(2)->Arg(3);

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
