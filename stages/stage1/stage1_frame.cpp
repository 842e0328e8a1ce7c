// One frame of stage 1, and its timeline as tables.
#include <span>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/enemy_slots.h"
#include "game/game_flags.h"
#include "game/hit_pass.h"
#include "game/game_states.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score_bar.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/volley.h"
#include "game/stage_frame.h"
#include "game/timeline.h"
#include "game/weapons.h"
#include "stages/stage1/boss1.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage1/stage1.h"

namespace {

constexpr int Stage = 1;

// The stage clock: 20 units a second.
constexpr float scrollRate = 20.0f;
// The ship stands still until the clock reaches this.
constexpr float playerHeldUntil = 150.0f;

// The boss phase runs while the clock lies strictly inside this band. From
// forcedClearFrom on, a living boss is forced to 0 hp and its defeat runs a
// second time each frame; once that has begun, the phase goes on until the
// defeat switches the state, even when a long frame has carried the clock
// past the band (it would otherwise leave the stage without an end).
constexpr float bossBandFrom = 1460.0f, bossBandUntil = 10100.0f;
constexpr float forcedClearFrom = 10000.0f;
// The patterns run while 0 < hp < this, on a counter that wraps at the cycle.
constexpr float boss1PatternsBelowHp = 1010.0f;


constexpr EnemySlotPass enemySlotPasses[] = {
    // slot, pattern, w, h, kind
    {0, 1, 80, 80, 1},  {1, 2, 80, 80, 1},   {2, 2, 80, 80, 1},  {3, 3, 80, 80, 2},  {4, 4, 80, 80, 2},
    {5, 5, 80, 80, 0},  {6, 6, 80, 80, 0},   {7, 7, 80, 80, 0},  {8, 8, 80, 80, 0},  {9, 9, 80, 80, 5},
    {10, 10, 80, 80, 6}, {11, 5, 80, 80, 0}, {12, 6, 80, 80, 0}, {13, 7, 80, 80, 4}, {14, 8, 80, 80, 4},
};

// The large enemy (slot 21, 240x300) with turning enemies 4 and 5.
constexpr EscortedEnemy largeEnemy{21, 240, 300, 8, 360.0f, {4, 5}, 120, 4};

constexpr DistanceWindow dropInWindows[] = {
    {120, 350, WindowBounds::Strict, spawnDropIn80x80, 9},
    {120, 350, WindowBounds::Strict, spawnDropIn80x80, 10},
    {250, 350, WindowBounds::Strict, spawnDropIn80x80, 0},
    {250, 350, WindowBounds::Strict, fireAimedShot, 0},
    {300, 400, WindowBounds::Strict, spawnDropIn80x80, 1},
    {300, 400, WindowBounds::Strict, fireAimedShot, 1},
    {300, 400, WindowBounds::Strict, fireAimedFive, 1},
    {350, 400, WindowBounds::Strict, spawnDropIn80x80, 3},
    {350, 400, WindowBounds::Strict, fireAimedShot, 3},
    {350, 400, WindowBounds::Strict, fireAimedFive, 3},
    {950, 1200, WindowBounds::Strict, spawnDropIn80x80, 5},
    {950, 1200, WindowBounds::Strict, fireAimedShot, 5},
    {950, 1250, WindowBounds::Strict, spawnDropIn80x80, 6},
    {950, 1250, WindowBounds::Strict, fireAimedShot, 6},
    {1050, 1200, WindowBounds::Strict, spawnDropIn80x80, 7},
    {1050, 1200, WindowBounds::Strict, fireAimedShot, 7},
    {1050, 1200, WindowBounds::Strict, fireAimedFive, 7},
    {1050, 1200, WindowBounds::Strict, spawnDropIn80x80, 8},
    {1050, 1200, WindowBounds::Strict, fireAimedShot, 8},
    {1050, 1200, WindowBounds::Strict, fireAimedFive, 8},
    {1200, 1300, WindowBounds::Strict, spawnDropIn80x80, 9},
    {1300, 1400, WindowBounds::Strict, spawnDropIn80x80, 10},
    {1300, 1450, WindowBounds::Strict, spawnDropIn80x80, 11},
    {1300, 1450, WindowBounds::Strict, spawnDropIn80x80, 12},
    {1350, 1500, WindowBounds::Strict, spawnDropIn80x80, 13},
    {1350, 1500, WindowBounds::Strict, spawnDropIn80x80, 14},
};

constexpr DistanceWindow powerUpWindows[] = {
    {500, 550, WindowBounds::Inclusive, dropPowerUpRow, 0},
    {800, 850, WindowBounds::Inclusive, dropPowerUpRow, 0},
    {950, 1000, WindowBounds::Inclusive, dropPowerUpRow, 0},
};

// Stage-1 pools by their names: family pool K.
constexpr int aimed(int k) { return findAimedPool(Stage, k); }
constexpr int volley(int k) { return findVolleyPool(Stage, k); }
constexpr int segmented(int k) { return findSegmentedPool(Stage, k); }
constexpr int ring(int k) { return findRingPool(Stage, k); }
constexpr int fan(int k) { return findFanPool(Stage, k); }

// The boss's patterns, on the counter's new value.
constexpr PatternWindow boss1Patterns[] = {
    {1, 200, tickFanWaves, fan(4)},
    {600, 900, tickFanWaves, fan(4)},
    {1400, 1900, tickFanWaves, fan(4)},
    {2300, 2800, spawnAimedVolley, aimed(2)},
    {2300, 2800, spawnAimedVolley, aimed(10)},
    {3300, 3600, spawnAimedVolley, aimed(2)},
    {3300, 3600, spawnAimedVolley, aimed(10)},
    {3600, 4250, spawnAimedVolley, aimed(3)},
    {3600, 4250, spawnAimedVolley, aimed(4)},
    {3600, 4250, spawnAimedVolley, aimed(5)},
    {3600, 4250, spawnAimedVolley, aimed(6)},
    {3600, 4250, spawnAimedVolley, aimed(7)},
    {3600, 4250, spawnAimedVolley, aimed(8)},
    {1, 3000, tickRingTimer, ring(3)},
    {1, 3000, tickRingTimer, ring(4)},
    {1400, 4300, tickRingTimer, ring(1)},
    {1400, 4300, tickRingTimer, ring(2)},
    {2000, 4300, tickRingTimer, ring(5)},
    {2000, 4300, tickRingTimer, ring(6)},
    {100, 170, spawnAimedVolley, aimed(2)},
    {100, 170, spawnAimedVolley, aimed(10)},
    {170, 200, spawnAimedVolley, aimed(3)},
    {170, 200, spawnAimedVolley, aimed(4)},
    {170, 200, spawnAimedVolley, aimed(5)},
    {170, 200, spawnAimedVolley, aimed(6)},
    {170, 200, spawnAimedVolley, aimed(7)},
    {170, 200, spawnAimedVolley, aimed(8)},
    {200, 300, tickFanWaves, fan(3)},
    {250, 460, tickFanWaves, fan(1)},
    {400, 580, tickFanWaves, fan(2)},
    {500, 600, tickVolleyTimers, volley(3)},
    {500, 600, tickVolleyTimers, volley(2)},
    {600, 800, tickVolleyTimers, volley(4)},
    {600, 800, tickVolleyTimers, volley(5)},
    {600, 720, spawnAimedVolley, aimed(2)},
    {600, 720, spawnAimedVolley, aimed(10)},
    {720, 760, spawnAimedVolley, aimed(3)},
    {720, 760, spawnAimedVolley, aimed(4)},
    {720, 760, spawnAimedVolley, aimed(5)},
    {720, 760, spawnAimedVolley, aimed(6)},
    {720, 760, spawnAimedVolley, aimed(7)},
    {720, 760, spawnAimedVolley, aimed(8)},
    {800, 900, tickSegmentedWaves, segmented(1)},
    {800, 900, tickSegmentedWaves, segmented(2)},
    {800, 900, tickVolleyTimers, volley(3)},
    {800, 900, tickVolleyTimers, volley(2)},
    {900, 1100, tickVolleyTimers, volley(1)},
    {1100, 1400, spawnAimedVolley, aimed(3)},
    {1100, 1400, spawnAimedVolley, aimed(4)},
    {1100, 1400, spawnAimedVolley, aimed(5)},
    {1100, 1400, spawnAimedVolley, aimed(6)},
    {1100, 1400, spawnAimedVolley, aimed(7)},
    {1100, 1400, spawnAimedVolley, aimed(8)},
};

constexpr PairedCall coinCalls[] = {
    {drawSlotCoin, stepSlotCoin, 0},  {drawSlotCoin, stepSlotCoin, 1},  {drawSlotCoin, stepSlotCoin, 2},
    {drawSlotCoin, stepSlotCoin, 3},  {drawSlotCoin, stepSlotCoin, 4},  {drawSlotCoin, stepSlotCoin, 5},
    {drawSlotCoin, stepSlotCoin, 6},  {drawSlotCoin, stepSlotCoin, 7},  {drawSlotCoin, stepSlotCoin, 8},
    {drawSlotCoin, stepSlotCoin, 9},  {drawSlotCoin, stepSlotCoin, 10}, {drawSlotCoin, stepSlotCoin, 11},
    {drawSlotCoin, stepSlotCoin, 12}, {drawSlotCoin, stepSlotCoin, 13}, {drawSlotCoin, stepSlotCoin, 14},
    {drawSlotCoin, stepSlotCoin, 21}, {drawStageCoins, stepStageCoins, Stage},
};

// Each shot pool's mover, then at once its draw.
constexpr PairedCall shotPoolCalls[] = {
    {moveAimedShotPool, drawAimedPool, aimed(3)},   {moveAimedShotPool, drawAimedPool, aimed(4)},
    {moveAimedShotPool, drawAimedPool, aimed(5)},   {moveAimedShotPool, drawAimedPool, aimed(6)},
    {moveAimedShotPool, drawAimedPool, aimed(7)},   {moveAimedShotPool, drawAimedPool, aimed(8)},
    {moveAimedShotPool, drawAimedPool, aimed(2)},   {moveAimedShotPool, drawAimedPool, aimed(10)},
    {moveFanShotPool, drawFanPool, fan(3)},         {moveFanShotPool, drawFanPool, fan(4)},
    {moveFanShotPool, drawFanPool, fan(1)},
    {moveVolleyPool, drawVolleyPool, volley(4)},    {moveVolleyPool, drawVolleyPool, volley(5)},
    {moveVolleyPool, drawVolleyPool, volley(3)},    {moveVolleyPool, drawVolleyPool, volley(2)},
    {moveSegmentedPool, drawSegmentedPool, segmented(1)},
    {moveSegmentedPool, drawSegmentedPool, segmented(2)},
    {moveVolleyPool, drawVolleyPool, volley(1)},
    {moveFanShotPool, drawFanPool, fan(2)},
    {moveRingPool, drawRingPool, ring(1)},          {moveRingPool, drawRingPool, ring(2)},
    {moveRingPool, drawRingPool, ring(3)},          {moveRingPool, drawRingPool, ring(4)},
    {moveRingPool, drawRingPool, ring(5)},          {moveRingPool, drawRingPool, ring(6)},
};

static_assert(namesOnlyFoundPools(boss1Patterns, shotPoolCalls), "every pool the tables name exists");

constexpr SlotShotPass aimedFivePasses[] = {
    {1, 0}, {2, 0}, {3, 1}, {4, 1}, {7, 0}, {8, 0}, {21, 1},
};

constexpr BossBand bossBand{bossBandFrom, bossBandUntil, forcedClearFrom, moveBoss1,
                            drawBoss1, runBoss1Defeat, &boss1, &boss1Timeline, boss1PatternsBelowHp,
                            boss1TimelineCycle, boss1Patterns};

}  // namespace

void stage1Frame() {
    if (stateChanged) {
        paused = 0;
        continuePrompt = 0;
    } else if (runPauseCheck()) {
        return;
    }

    tickStageMusic(StageMusicFile);

    engDraw::ClearScreen();
    scrollDistance += scrollRate * frameTime;

    scrollBackgrounds(BackgroundScene::Stage1);
    drawStage1Base();
    drawFanPieces();

    runBossBand(bossBand);

    drawPlayerShots();
    moveAndDrawEnemySlots(enemySlotPasses);
    runEscortedEnemy(largeEnemy);
    runDistanceWindows(dropInWindows, scrollDistance);

    drawPowerUp();
    stepPowerUp();
    runDistanceWindows(powerUpWindows, scrollDistance);

    runPairedCalls(coinCalls);

    updatePlayerShip();
    drawOptionPods();
    tickPod0Fire();
    tickPod1Fire();

    runPairedCalls(shotPoolCalls);
    stepAndDrawAimedShots(slotAimedShotPasses);
    stepAndDrawAimedFives(aimedFivePasses);
    drawDebris(Stage);
    stepBossDebris(Stage);

    runLaser();
    drawScoreBar();
    enterContinuePrompt();
    presentFrame();

    if (scrollDistance >= playerHeldUntil) movePlayer();
    stepFanPieces();
    runHitPass();

    checkStageExit();
}
