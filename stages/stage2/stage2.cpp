#include "stages/stage2/stage2.h"

#include <span>

#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/enemy_slots.h"
#include "game/game_states.h"
#include "game/mid_boss_windows.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "game/stage_frame.h"
#include "game/timeline.h"
#include "stages/stage2/boss2.h"

namespace {

constexpr int Stage = 2;

// Stage-2 pools by their names: family pool K.
constexpr int aimed(int k) { return findAimedPool(Stage, k); }
constexpr int volley(int k) { return findVolleyPool(Stage, k); }
constexpr int fan(int k) { return findFanPool(Stage, k); }
constexpr int sweep(int k) { return findSweepPool(Stage, k); }
constexpr int salvo(int k) { return findSalvoPool(Stage, k); }

// ---------------------------------------------------------------------------
// Boss pattern windows, on the counter's new value (bounds inclusive)
// ---------------------------------------------------------------------------
constexpr PatternWindow boss2PatternWindows[] = {
    {200, 250, tickVolleyTimers, volley(6)},
    {200, 250, tickVolleyTimers, volley(7)},
    {200, 250, tickVolleyTimers, volley(4)},
    {200, 250, tickVolleyTimers, volley(5)},
    {250, 400, tickVolleyTimers, volley(6)},
    {250, 400, tickVolleyTimers, volley(7)},
    {250, 400, tickVolleyTimers, volley(4)},
    {250, 400, tickVolleyTimers, volley(5)},
    {300, 500, spawnSweepVolley, sweep(1)},
    {300, 500, spawnSweepVolley, sweep(2)},
    {350, 380, spawnAimedVolley, aimed(4)},
    {350, 380, spawnAimedVolley, aimed(5)},
    {350, 380, spawnAimedVolley, aimed(6)},
    {350, 380, spawnAimedVolley, aimed(7)},
    {350, 380, spawnAimedVolley, aimed(8)},
    {350, 380, spawnAimedVolley, aimed(9)},
    {350, 380, spawnAimedVolley, aimed(10)},
    {350, 380, spawnAimedVolley, aimed(11)},
    {350, 380, spawnAimedVolley, aimed(12)},
    {350, 380, spawnAimedVolley, aimed(1)},
    {350, 380, spawnAimedVolley, aimed(2)},
    {350, 380, spawnAimedVolley, aimed(3)},
    {400, 500, tickFanWaves, fan(8)},
    {400, 500, tickFanWaves, fan(9)},
    {450, 500, tickVolleyTimers, volley(1)},
    {500, 700, tickVolleyTimers, volley(4)},
    {500, 700, tickVolleyTimers, volley(5)},
    {480, 580, tickVolleyTimers, volley(3)},
    {480, 580, tickVolleyTimers, volley(2)},
    {580, 700, tickVolleyTimers, volley(8)},
    {580, 700, tickVolleyTimers, volley(9)},
    {800, 900, spawnAimedVolley, aimed(4)},
    {800, 900, spawnAimedVolley, aimed(5)},
    {800, 900, spawnAimedVolley, aimed(6)},
    {800, 900, spawnAimedVolley, aimed(7)},
    {800, 900, spawnAimedVolley, aimed(8)},
    {800, 900, spawnAimedVolley, aimed(9)},
    {800, 900, spawnAimedVolley, aimed(10)},
    {800, 900, spawnAimedVolley, aimed(11)},
    {800, 900, spawnAimedVolley, aimed(12)},
    {800, 900, spawnAimedVolley, aimed(1)},
    {800, 900, spawnAimedVolley, aimed(2)},
    {800, 900, spawnAimedVolley, aimed(3)},
    {700, 900, spawnSweepVolley, sweep(1)},
    {700, 900, spawnSweepVolley, sweep(2)},
    {700, 1000, tickVolleyTimers, volley(4)},
    {700, 1000, tickVolleyTimers, volley(5)},
    {750, 1100, tickVolleyTimers, volley(6)},
    {750, 1100, tickVolleyTimers, volley(7)},
    {1050, 1300, tickVolleyTimers, volley(8)},
    {1050, 1300, tickVolleyTimers, volley(9)},
    {1320, 1500, tickFanWaves, fan(4)},
    {1320, 1500, tickFanWaves, fan(5)},
    {1520, 1800, tickFanWaves, fan(6)},
    {1520, 1800, tickFanWaves, fan(7)},
    {1820, 2000, tickFanWaves, fan(1)},
    {2020, 2300, tickFanWaves, fan(2)},
    {2020, 2300, tickFanWaves, fan(3)},
    {1, 30, armBossSalvo, salvo(1)},
    {1, 30, armBossSalvo, salvo(2)},
    {1, 30, armBossSalvo, salvo(3)},
    {1, 30, armBossSalvo, salvo(4)},
    {1, 30, armBossSalvo, salvo(5)},
    {1, 30, armBossSalvo, salvo(6)},
    {1, 30, armBossSalvo, salvo(7)},
    {1, 30, armBossSalvo, salvo(8)},
    {1, 30, armBossSalvo, salvo(9)},
};

// ---------------------------------------------------------------------------
// Power-up windows (inclusive) and the enemy schedule (strict)
// ---------------------------------------------------------------------------
constexpr DistanceWindow powerUpWindows[] = {
    {300, 350, WindowBounds::Inclusive, dropPowerUpRow, 0},
    {500, 550, WindowBounds::Inclusive, dropPowerUpRow, 0},
    {800, 850, WindowBounds::Inclusive, dropPowerUpRow, 0},
    {1000, 1050, WindowBounds::Inclusive, dropPowerUpRow, 0},
};

// The large enemy (slot 22, 120x300) with turning enemies 6 and 7.
constexpr EscortedEnemy largeEnemy{22, 120, 300, 81, 370.0f, {6, 7}, 80, 0};
void runLargeEnemy(int) { runEscortedEnemy(largeEnemy); }


constexpr WindowBounds S = WindowBounds::Strict;
constexpr DistanceWindow schedule[] = {
    {80, 150, S, spawnDropIn80x80, 5},    {80, 150, S, fireAimedShot, 5},
    {90, 160, S, spawnDropIn80x80, 6},    {90, 160, S, fireAimedShot, 6},
    {100, 180, S, spawnDropIn80x80, 7},   {100, 180, S, fireAimedShot, 7},    {100, 180, S, fireAimedFive, 7},
    {105, 180, S, spawnDropIn80x80, 8},   {105, 180, S, fireAimedShot, 8},    {105, 180, S, fireAimedFive, 8},
    {120, 200, S, spawnDropIn80x80, 9},
    {130, 200, S, spawnDropIn80x80, 10},
    {180, 250, S, spawnDropIn240x300, 15}, {180, 250, S, fireAimedFive, 15},
    {180, 250, S, spawnDropIn240x300, 16}, {180, 250, S, fireAimedFive, 16},
    {240, 300, S, spawnDropIn240x300, 17}, {240, 300, S, fireAimedFive, 17},
    {240, 300, S, spawnDropIn240x300, 18}, {240, 300, S, fireAimedFive, 18},
    {280, 350, S, spawnDropIn240x440, 19}, {280, 350, S, fireAimedFive, 19},
    {340, 400, S, spawnDropIn240x440, 20}, {340, 400, S, fireAimedFive, 20},
    {300, 400, S, spawnDropIn80x80, 0},   {300, 400, S, fireAimedShot, 0},
    {300, 400, S, spawnDropIn80x80, 1},   {300, 400, S, fireAimedShot, 1},
    {380, 1000, S, runLargeEnemy, 0},
    {1000, 1200, S, spawnDropIn80x80, 9},
    {1030, 1200, S, spawnDropIn80x80, 10},
    {1080, 1250, S, spawnDropIn240x300, 15}, {1080, 1250, S, fireAimedFive, 15},
    {1080, 1250, S, spawnDropIn240x300, 16}, {1080, 1250, S, fireAimedFive, 16},
    {1140, 1300, S, spawnDropIn240x300, 17}, {1140, 1300, S, fireAimedFive, 17},
    {1140, 1300, S, spawnDropIn240x300, 18}, {1140, 1300, S, fireAimedFive, 18},
    {1180, 1350, S, spawnDropIn240x440, 19}, {1180, 1350, S, fireAimedFive, 19},
    {1140, 1400, S, spawnDropIn240x440, 20}, {1140, 1400, S, fireAimedFive, 20},
    {1200, 1400, S, spawnDropIn80x80, 0},  {1200, 1400, S, fireAimedShot, 0},
    {1200, 1400, S, spawnDropIn80x80, 1},  {1200, 1400, S, fireAimedShot, 1},
    {1380, 1480, S, spawnMidBossWindow, 0},
    {1480, 2200, S, runMidBossWindow, 0},
    {1620, 2200, S, runMidBossArmFansWindow, 0},
    {1960, 2200, S, smokeMidBossArmsWindow, 0},
    {2080, 2200, S, killMidBossWindow, 0},
};

// ---------------------------------------------------------------------------
// Fixed lists of the frame
// ---------------------------------------------------------------------------
constexpr SideEnemyPair sideEnemies{0, 1, 2350.0f, 2450.0f, 11100.0f, 1};

constexpr PairedCall coinCalls[] = {
    {drawSlotCoin, stepSlotCoin, 0}, {drawSlotCoin, stepSlotCoin, 1}, {drawSlotCoin, stepSlotCoin, 5},
    {drawSlotCoin, stepSlotCoin, 6}, {drawSlotCoin, stepSlotCoin, 7}, {drawSlotCoin, stepSlotCoin, 8},
    {drawSlotCoin, stepSlotCoin, 9}, {drawSlotCoin, stepSlotCoin, 10}, {drawSlotCoin, stepSlotCoin, 15},
    {drawSlotCoin, stepSlotCoin, 16}, {drawSlotCoin, stepSlotCoin, 17}, {drawSlotCoin, stepSlotCoin, 18},
    {drawSlotCoin, stepSlotCoin, 19}, {drawSlotCoin, stepSlotCoin, 20}, {drawSlotCoin, stepSlotCoin, 22},
    {drawStageCoins, stepStageCoins, Stage},
};

constexpr SlotShotPass aimedFives[] = {
    {1, 0}, {2, 0}, {3, 1}, {4, 1}, {7, 0}, {8, 0}, {15, 1}, {16, 1}, {17, 1}, {18, 1}, {19, 0}, {20, 0}, {22, 1},
};

constexpr BossBand bossBand{stage2BossFrom, stage2BossUntil, stage2ForcedClearFrom, moveBoss2,
                            drawBoss2, runBoss2Defeat, &boss2, &boss2Timeline, boss2PatternHpBelow,
                            boss2TimelineCycle, boss2PatternWindows};

// Each shot pool's mover, then at once its draw.
constexpr PairedCall shotPoolCalls[] = {
    {moveAimedShotPool, drawAimedPool, aimed(4)},
    {moveAimedShotPool, drawAimedPool, aimed(5)},
    {moveAimedShotPool, drawAimedPool, aimed(6)},
    {moveAimedShotPool, drawAimedPool, aimed(7)},
    {moveAimedShotPool, drawAimedPool, aimed(8)},
    {moveAimedShotPool, drawAimedPool, aimed(9)},
    {moveAimedShotPool, drawAimedPool, aimed(10)},
    {moveAimedShotPool, drawAimedPool, aimed(11)},
    {moveAimedShotPool, drawAimedPool, aimed(12)},
    {moveAimedShotPool, drawAimedPool, aimed(1)},
    {moveAimedShotPool, drawAimedPool, aimed(2)},
    {moveAimedShotPool, drawAimedPool, aimed(3)},
    {moveFanShotPool, drawFanPool, fan(8)},
    {moveFanShotPool, drawFanPool, fan(9)},
    {moveVolleyPool, drawVolleyPool, volley(6)},
    {moveVolleyPool, drawVolleyPool, volley(7)},
    {moveVolleyPool, drawVolleyPool, volley(8)},
    {moveVolleyPool, drawVolleyPool, volley(9)},
    {moveVolleyPool, drawVolleyPool, volley(4)},
    {moveVolleyPool, drawVolleyPool, volley(5)},
    {moveVolleyPool, drawVolleyPool, volley(1)},
    {moveVolleyPool, drawVolleyPool, volley(3)},
    {moveVolleyPool, drawVolleyPool, volley(2)},
    {moveSalvoPool, drawSalvoPool, salvo(1)},
    {moveSalvoPool, drawSalvoPool, salvo(2)},
    {moveSalvoPool, drawSalvoPool, salvo(3)},
    {moveSalvoPool, drawSalvoPool, salvo(4)},
    {moveSalvoPool, drawSalvoPool, salvo(5)},
    {moveSalvoPool, drawSalvoPool, salvo(6)},
    {moveSalvoPool, drawSalvoPool, salvo(7)},
    {moveSalvoPool, drawSalvoPool, salvo(8)},
    {moveSalvoPool, drawSalvoPool, salvo(9)},
    {moveFanShotPool, drawFanPool, fan(4)},
    {moveFanShotPool, drawFanPool, fan(5)},
    {moveFanShotPool, drawFanPool, fan(6)},
    {moveFanShotPool, drawFanPool, fan(7)},
    {moveFanShotPool, drawFanPool, fan(1)},
    {moveFanShotPool, drawFanPool, fan(2)},
    {moveFanShotPool, drawFanPool, fan(3)},
    {moveSweepPool, drawSweepPool, sweep(1)},
    {moveSweepPool, drawSweepPool, sweep(2)},
};
static_assert(namesOnlyFoundPools(boss2PatternWindows, shotPoolCalls));

constexpr LateStageFrame frame{Stage,      stage2ScrollRate, BackgroundScene::Stage2, powerUpWindows, sideEnemies,
                               bossBand,   schedule,       coinCalls,               shotPoolCalls,  aimedFives,
                               checkStageExit};

}  // namespace

void stage2Frame() { runLateStageFrame(frame); }
