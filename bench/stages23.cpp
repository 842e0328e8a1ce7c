// Stages 2 and 3 of the real game with its own assets, on the headless
// layer: the heaviest frames of each, beside a bare clear and present in
// the same run (median and 99th percentile), with the allocations of every
// timed frame.
//
// Boss: the boss down on the field in a damage band (eight blasts and their
// sounds a frame), its patterns at their densest count, every pool of the
// stage armed, the side enemies, the drop-in enemies and their shots.
// MidBoss: the mid-boss come down with both arms firing and smoking, and
// again every pool of the stage armed.
// Frame times are 0 while timed: everything stays where it was armed.
#include <benchmark/benchmark.h>

#include "engine/eng_system.h"
#include "game/enemy_slots.h"
#include "game/game_states.h"
#include "game/mid_bosses.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/shots/fan.h"
#include "game/shots/shot_records.h"
#include "game/turning_enemies.h"
#include "headless_run/headless_run.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "stages/stage2/stage2.h"
#include "stages/stage3/stage3.h"
#include "support/stage_bench.h"

namespace {

constexpr size_t timedFrames = 2000;

struct StageSetup {
    int32_t state;
    int stage;
    void (*frame)();
    BossBody* boss;
    uint32_t* counter;
    uint32_t densestCount;
    int32_t sideEnemies[2];
    float midBossSpawn;  // inside the mid-boss's spawn window
    float midBossClock;  // where it is down with its arms firing
};
constexpr StageSetup stage2Setup{stateStage2, 2, stage2Frame, &boss2, &boss2Timeline, 500, {0, 1}, 1400.0f, 2000.0f};
constexpr StageSetup stage3Setup{stateStage3, 3, stage3Frame, &boss3, &boss3Timeline, 1200, {2, 3}, 1640.0f, 2400.0f};
const StageSetup* current = nullptr;

// Drop-in enemies in every slot the stage uses, each with its shots out.
void fillEnemySlots() {
    constexpr int32_t slots[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 16, 17, 18, 19, 20};
    for (int32_t slot : slots) {
        spawnDropInEnemy(slot, 80, 80);
        enemySlots[slot].y = 100.0f;
        fireAimedShot(slot);
        fireAimedFive(slot);
    }
}

void armEveryPool(const StageSetup& s) {
    armEveryPoolOf(s.stage);
    fillEnemySlots();
    for (int side = 0; side < 2; ++side) {
        const int32_t enemy = s.sideEnemies[side];
        spawnTurningEnemy(enemy, 80, 80, side + 1);
        turningEnemies[enemy].y = 200.0f;
        const int bank = findFanBank(FanOwner::TurningEnemy, enemy);
        for (int k = 0; k < FanShotsPerEnemy; ++k) spawnFanShot(bank, k, k - k % 3);
    }
}

// Before each timed frame: the counter one short of its densest count, the
// ship kept in play (every hit forgiven, so each mover goes on testing it),
// the sound recorder emptied (it would otherwise grow).
void beforeFrame() {
    *current->counter = current->densestCount - 1;
    playerAlive = 1;
    respawnGuard = 1;
    respawnGuardFrames = 0;
    lives = 999;
    plat::headless::clearSoundEvents();
}

// The run brought into the stage; false (the benchmark skipped) when it
// did not get there.
bool startInStage(benchmark::State& state, const StageSetup& s) {
    if (!reachStage1()) {
        state.SkipWithError("the run did not reach stage 1");
        return false;
    }
    current = &s;
    enterStage(s.state);
    plat::headless::setKeepPresentedFrames(true);  // the present copies the picture, as a test's does
    return true;
}

// Every pool armed, then the frames timed with frame times of 0.
void timeArmedFrames(benchmark::State& state, const StageSetup& s) {
    armEveryPool(s);
    frameTime = 0.0f;
    timeStageFrames(state, s.frame, beforeFrame, timedFrames);
}

void BossFrame(benchmark::State& state, const StageSetup& s) {
    if (!startInStage(state, s)) return;
    scrollDistance = 3000.0f;
    s.boss->moveTimer = 150.0f;  // held on the field
    frameTime = 0.016f;
    s.frame();
    s.boss->hp = 500.0f;  // patterns on, damage blasts on
    timeArmedFrames(state, s);
    endHeadlessRun();
}

void MidBossFrame(benchmark::State& state, const StageSetup& s) {
    if (!startInStage(state, s)) return;
    // From its spawn, play until it has come down and its arms fire.
    scrollDistance = s.midBossSpawn;
    while (scrollDistance < s.midBossClock) {
        frameTime = 0.017f;
        beforeFrame();
        s.frame();
    }
    timeArmedFrames(state, s);
    state.counters["mid_boss_alive"] = midBoss[s.stage - 2].alive;
    endHeadlessRun();
}

void Stage2Boss(benchmark::State& state) { BossFrame(state, stage2Setup); }
void Stage2MidBoss(benchmark::State& state) { MidBossFrame(state, stage2Setup); }
void Stage3Boss(benchmark::State& state) { BossFrame(state, stage3Setup); }
void Stage3MidBoss(benchmark::State& state) { MidBossFrame(state, stage3Setup); }
BENCHMARK(Stage2Boss)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Stage2MidBoss)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Stage3Boss)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Stage3MidBoss)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
