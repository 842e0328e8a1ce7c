#include "stages/stage3/stage3.h"

#include <span>

#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/enemy_slots.h"
#include "game/mid_boss_windows.h"
#include "game/resets.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "game/stage_frame.h"
#include "game/timeline.h"
#include "stages/stage3/boss3.h"
#include "stages/stage3/curving_missiles.h"

namespace {

constexpr int Stage = 3;

// Stage-3 pools by their names: family pool K.
constexpr int aimed(int k) { return findAimedPool(Stage, k); }
constexpr int volley(int k) { return findVolleyPool(Stage, k); }
constexpr int fan(int k) { return findFanPool(Stage, k); }
constexpr int sweep(int k) { return findSweepPool(Stage, k); }
constexpr int missiles(int k) { return findMissileStreamPool(Stage, k); }

// ---------------------------------------------------------------------------
// Boss pattern windows, on the counter's new value (bounds inclusive)
// ---------------------------------------------------------------------------
constexpr PatternWindow boss3PatternWindows[] = {
    {30, 60, tickFanWaves, fan(22)},
    {30, 60, tickFanWaves, fan(23)},
    {60, 80, tickVolleyTimers, volley(2)},
    {60, 80, tickVolleyTimers, volley(3)},
    {60, 80, tickVolleyTimers, volley(4)},
    {100, 200, spawnAimedVolley, aimed(16)},
    {100, 200, spawnAimedVolley, aimed(18)},
    {160, 200, spawnAimedVolley, aimed(1)},
    {160, 200, spawnAimedVolley, aimed(17)},
    {200, 300, tickVolleyTimers, volley(7)},
    {200, 300, tickVolleyTimers, volley(8)},
    {250, 280, spawnAimedVolley, aimed(9)},
    {250, 280, spawnAimedVolley, aimed(10)},
    {250, 280, spawnAimedVolley, aimed(11)},
    {250, 280, spawnAimedVolley, aimed(12)},
    {250, 280, spawnAimedVolley, aimed(13)},
    {250, 280, spawnAimedVolley, aimed(14)},
    {250, 280, spawnAimedVolley, aimed(2)},
    {250, 280, spawnAimedVolley, aimed(3)},
    {250, 280, spawnAimedVolley, aimed(4)},
    {250, 280, spawnAimedVolley, aimed(5)},
    {250, 280, spawnAimedVolley, aimed(6)},
    {250, 280, spawnAimedVolley, aimed(7)},
    {300, 500, spawnAimedVolley, aimed(19)},
    {300, 500, spawnAimedVolley, aimed(20)},
    {380, 500, spawnAimedVolley, aimed(1)},
    {380, 500, spawnAimedVolley, aimed(17)},
    {450, 500, tickVolleyTimers, volley(2)},
    {450, 500, tickVolleyTimers, volley(3)},
    {450, 500, tickVolleyTimers, volley(4)},
    {510, 540, spawnAimedVolley, aimed(9)},
    {510, 540, spawnAimedVolley, aimed(10)},
    {510, 540, spawnAimedVolley, aimed(11)},
    {510, 540, spawnAimedVolley, aimed(12)},
    {510, 540, spawnAimedVolley, aimed(13)},
    {510, 540, spawnAimedVolley, aimed(14)},
    {510, 540, spawnAimedVolley, aimed(2)},
    {510, 540, spawnAimedVolley, aimed(3)},
    {510, 540, spawnAimedVolley, aimed(4)},
    {510, 540, spawnAimedVolley, aimed(5)},
    {510, 540, spawnAimedVolley, aimed(6)},
    {510, 540, spawnAimedVolley, aimed(7)},
    {400, 500, tickVolleyTimers, volley(5)},
    {400, 500, tickVolleyTimers, volley(6)},
    {500, 550, tickFanWaves, fan(22)},
    {500, 550, tickFanWaves, fan(23)},
    {550, 800, tickVolleyTimers, volley(5)},
    {550, 800, tickVolleyTimers, volley(6)},
    {600, 750, spawnSweepVolley, sweep(1)},
    {600, 750, spawnSweepVolley, sweep(2)},
    {800, 950, tickVolleyTimers, volley(1)},
    {950, 1200, spawnAimedVolley, aimed(16)},
    {950, 1200, spawnAimedVolley, aimed(18)},
    {1000, 1200, spawnAimedVolley, aimed(19)},
    {1000, 1200, spawnAimedVolley, aimed(20)},
    {1050, 1200, spawnAimedVolley, aimed(1)},
    {1050, 1200, spawnAimedVolley, aimed(17)},
    {1200, 1250, spawnAimedVolley, aimed(9)},
    {1200, 1250, spawnAimedVolley, aimed(10)},
    {1200, 1250, spawnAimedVolley, aimed(11)},
    {1200, 1250, spawnAimedVolley, aimed(12)},
    {1200, 1250, spawnAimedVolley, aimed(13)},
    {1200, 1250, spawnAimedVolley, aimed(14)},
    {1200, 1250, spawnAimedVolley, aimed(15)},
    {1200, 1250, spawnAimedVolley, aimed(2)},
    {1200, 1250, spawnAimedVolley, aimed(3)},
    {1200, 1250, spawnAimedVolley, aimed(4)},
    {1200, 1250, spawnAimedVolley, aimed(5)},
    {1200, 1250, spawnAimedVolley, aimed(6)},
    {1200, 1250, spawnAimedVolley, aimed(7)},
    {1200, 1250, spawnAimedVolley, aimed(8)},
    {1250, 1500, spawnSweepVolley, sweep(1)},
    {1250, 1500, spawnSweepVolley, sweep(2)},
    {1250, 1500, spawnSweepVolley, sweep(3)},
    {1250, 1500, spawnSweepVolley, sweep(4)},
    {1510, 1900, tickMissileStream, missiles(1)},
    {1510, 1900, tickMissileStream, missiles(2)},
    {1510, 1900, tickMissileStream, missiles(3)},
    {1510, 1900, tickMissileStream, missiles(4)},
    {1510, 1900, tickMissileStream, missiles(5)},
    {1510, 1900, tickMissileStream, missiles(6)},
    {1920, 2100, tickFanWaves, fan(10)},
    {2120, 2300, tickFanWaves, fan(13)},
    {2320, 2500, tickFanWaves, fan(16)},
    {2520, 2700, tickFanWaves, fan(19)},
    {2720, 2900, tickFanWaves, fan(1)},
    {2920, 3100, tickFanWaves, fan(4)},
    {3120, 3300, tickFanWaves, fan(7)},
    {3320, 3500, tickFanWaves, fan(11)},
    {3320, 3500, tickFanWaves, fan(12)},
    {3520, 3700, tickFanWaves, fan(14)},
    {3520, 3700, tickFanWaves, fan(15)},
    {3720, 3900, tickFanWaves, fan(17)},
    {3720, 3900, tickFanWaves, fan(18)},
    {3920, 4100, tickFanWaves, fan(20)},
    {3920, 4100, tickFanWaves, fan(21)},
    {4120, 4300, tickFanWaves, fan(2)},
    {4120, 4300, tickFanWaves, fan(3)},
    {4320, 4500, tickFanWaves, fan(5)},
    {4320, 4500, tickFanWaves, fan(6)},
    {4520, 4700, tickFanWaves, fan(8)},
    {4520, 4700, tickFanWaves, fan(9)},
    {4720, 4900, tickFanWaves, fan(14)},
    {4720, 4900, tickFanWaves, fan(15)},
};

// ---------------------------------------------------------------------------
// Power-up windows (inclusive) and the enemy schedule (strict)
// ---------------------------------------------------------------------------
constexpr DistanceWindow powerUpWindows[] = {
    {100, 150, WindowBounds::Inclusive, dropPowerUpRow, 0},
    {300, 350, WindowBounds::Inclusive, dropPowerUpRow, 0},
    {500, 550, WindowBounds::Inclusive, dropPowerUpRow, 0},
    {800, 850, WindowBounds::Inclusive, dropPowerUpRow, 0},
    {1000, 1050, WindowBounds::Inclusive, dropPowerUpRow, 0},
};

// The large enemy (slot 23, 240x300) with turning enemies 8 and 9, which
// fire; turning enemies 10 and 11 only fly, smoke and die.
constexpr EscortedEnemy largeEnemy{23, 240, 300, 8, 360.0f, {8, 9}, 120, 4, {1, 2}, true, 720.0f, 880.0f};
constexpr EscortedEnemy outerEscorts{-1, 0, 0, 0, 0.0f, {10, 11}, 120, 4, {3, 4}, false, 690.0f, 860.0f};
void runLargeEnemy(int) {
    runEscortedEnemy(largeEnemy);
    runEscortedEnemy(outerEscorts);
}


constexpr WindowBounds S = WindowBounds::Strict;
constexpr DistanceWindow schedule[] = {
    {80, 190, S, spawnDropIn80x80, 5},     {80, 190, S, fireAimedShot, 5},
    {90, 240, S, spawnDropIn80x80, 6},     {90, 240, S, fireAimedShot, 6},
    {100, 180, S, spawnDropIn80x80, 7},    {100, 180, S, fireAimedShot, 7},   {100, 180, S, fireAimedFive, 7},
    {105, 180, S, spawnDropIn80x80, 8},    {105, 180, S, fireAimedShot, 8},   {105, 180, S, fireAimedFive, 8},
    {120, 200, S, spawnDropIn80x80, 9},
    {130, 200, S, spawnDropIn80x80, 10},
    {180, 360, S, spawnDropIn240x300, 15}, {180, 360, S, fireAimedFive, 15},
    {180, 360, S, spawnDropIn240x300, 16}, {180, 360, S, fireAimedFive, 16},
    {380, 1000, S, runLargeEnemy, 0},
    {1040, 1550, S, spawnDropIn240x300, 17}, {1040, 1550, S, fireAimedFive, 17},
    {1160, 1550, S, spawnDropIn240x300, 18}, {1160, 1550, S, fireAimedFive, 18},
    {1280, 1550, S, spawnDropIn240x440, 19}, {1280, 1550, S, fireAimedFive, 19},
    {1300, 1620, S, spawnDropIn240x440, 20}, {1300, 1620, S, fireAimedFive, 20},
    {1000, 1620, S, spawnDropIn80x80, 0},  {1000, 1620, S, fireAimedShot, 0},
    {1000, 1600, S, spawnDropIn80x80, 1},  {1000, 1600, S, fireAimedShot, 1},
    {1300, 1550, S, spawnDropIn80x80, 5},  {1300, 1550, S, fireAimedShot, 5},
    {1300, 1550, S, spawnDropIn80x80, 6},  {1300, 1550, S, fireAimedShot, 6},
    {1400, 1570, S, spawnDropIn80x80, 7},  {1400, 1570, S, fireAimedShot, 7}, {1400, 1570, S, fireAimedFive, 7},
    {1400, 1570, S, spawnDropIn80x80, 8},  {1400, 1570, S, fireAimedShot, 8}, {1400, 1570, S, fireAimedFive, 8},
    {1400, 1600, S, spawnDropIn80x80, 9},
    {1400, 1600, S, spawnDropIn80x80, 10},
    {1620, 1700, S, spawnMidBossWindow, 1},
    {1700, 2600, S, runMidBossWindow, 1},
    {2020, 2600, S, runMidBossArmFansWindow, 1},
    {2360, 2600, S, smokeMidBossArmsWindow, 1},
    {2480, 2600, S, killMidBossWindow, 1},
};

// ---------------------------------------------------------------------------
// Fixed lists of the frame
// ---------------------------------------------------------------------------
constexpr SideEnemyPair sideEnemies{2, 3, 2800.0f, 2870.0f, 11100.0f, 2};

// Every slot the stage kills drops a coin, so every one of them (0..20) is
// stepped and drawn: a coin left unstepped would hang unseen and pay on
// every frame the ship passes it.
constexpr PairedCall coinCalls[] = {
    {drawSlotCoin, stepSlotCoin, 0}, {drawSlotCoin, stepSlotCoin, 1}, {drawSlotCoin, stepSlotCoin, 2},
    {drawSlotCoin, stepSlotCoin, 3}, {drawSlotCoin, stepSlotCoin, 4}, {drawSlotCoin, stepSlotCoin, 5},
    {drawSlotCoin, stepSlotCoin, 6}, {drawSlotCoin, stepSlotCoin, 7}, {drawSlotCoin, stepSlotCoin, 8},
    {drawSlotCoin, stepSlotCoin, 9}, {drawSlotCoin, stepSlotCoin, 10}, {drawSlotCoin, stepSlotCoin, 11},
    {drawSlotCoin, stepSlotCoin, 12}, {drawSlotCoin, stepSlotCoin, 13}, {drawSlotCoin, stepSlotCoin, 14},
    {drawSlotCoin, stepSlotCoin, 15}, {drawSlotCoin, stepSlotCoin, 16}, {drawSlotCoin, stepSlotCoin, 17},
    {drawSlotCoin, stepSlotCoin, 18}, {drawSlotCoin, stepSlotCoin, 19}, {drawSlotCoin, stepSlotCoin, 20},
    {drawStageCoins, stepStageCoins, Stage},
};

constexpr SlotShotPass aimedFives[] = {
    {1, 0}, {2, 0}, {3, 1}, {4, 1}, {7, 0}, {8, 0}, {15, 1}, {16, 1}, {17, 1}, {18, 1}, {19, 0}, {20, 0}, {23, 1},
};

constexpr BossBand bossBand{stage3BossFrom, stage3BossUntil, stage3ForcedClearFrom, moveBoss3,
                            drawBoss3, runBoss3Defeat, &boss3, &boss3Timeline, boss3PatternHpBelow,
                            boss3TimelineCycle, boss3PatternWindows};

// Each shot pool's mover, then at once its draw.
constexpr PairedCall shotPoolCalls[] = {
    {moveFanShotPool, drawFanPool, fan(10)},
    {moveFanShotPool, drawFanPool, fan(11)},
    {moveFanShotPool, drawFanPool, fan(12)},
    {moveFanShotPool, drawFanPool, fan(13)},
    {moveFanShotPool, drawFanPool, fan(14)},
    {moveFanShotPool, drawFanPool, fan(15)},
    {moveFanShotPool, drawFanPool, fan(16)},
    {moveFanShotPool, drawFanPool, fan(17)},
    {moveFanShotPool, drawFanPool, fan(18)},
    {moveFanShotPool, drawFanPool, fan(19)},
    {moveFanShotPool, drawFanPool, fan(20)},
    {moveFanShotPool, drawFanPool, fan(21)},
    {moveFanShotPool, drawFanPool, fan(1)},
    {moveFanShotPool, drawFanPool, fan(2)},
    {moveFanShotPool, drawFanPool, fan(3)},
    {moveFanShotPool, drawFanPool, fan(4)},
    {moveFanShotPool, drawFanPool, fan(5)},
    {moveFanShotPool, drawFanPool, fan(6)},
    {moveFanShotPool, drawFanPool, fan(7)},
    {moveFanShotPool, drawFanPool, fan(8)},
    {moveFanShotPool, drawFanPool, fan(9)},
    {moveAimedShotPool, drawAimedPool, aimed(9)},
    {moveAimedShotPool, drawAimedPool, aimed(10)},
    {moveAimedShotPool, drawAimedPool, aimed(11)},
    {moveAimedShotPool, drawAimedPool, aimed(12)},
    {moveAimedShotPool, drawAimedPool, aimed(13)},
    {moveAimedShotPool, drawAimedPool, aimed(14)},
    {moveAimedShotPool, drawAimedPool, aimed(15)},
    {moveAimedShotPool, drawAimedPool, aimed(2)},
    {moveAimedShotPool, drawAimedPool, aimed(3)},
    {moveAimedShotPool, drawAimedPool, aimed(4)},
    {moveAimedShotPool, drawAimedPool, aimed(5)},
    {moveAimedShotPool, drawAimedPool, aimed(6)},
    {moveAimedShotPool, drawAimedPool, aimed(7)},
    {moveAimedShotPool, drawAimedPool, aimed(8)},
    {moveVolleyPool, drawVolleyPool, volley(7)},
    {moveVolleyPool, drawVolleyPool, volley(8)},
    {moveVolleyPool, drawVolleyPool, volley(5)},
    {moveVolleyPool, drawVolleyPool, volley(6)},
    {moveVolleyPool, drawVolleyPool, volley(1)},
    {moveAimedShotPool, drawAimedPool, aimed(16)},
    {moveAimedShotPool, drawAimedPool, aimed(18)},
    {moveAimedShotPool, drawAimedPool, aimed(1)},
    {moveAimedShotPool, drawAimedPool, aimed(17)},
    {moveAimedShotPool, drawAimedPool, aimed(19)},
    {moveAimedShotPool, drawAimedPool, aimed(20)},
    {moveFanShotPool, drawFanPool, fan(22)},
    {moveFanShotPool, drawFanPool, fan(23)},
    {moveVolleyPool, drawVolleyPool, volley(2)},
    {moveVolleyPool, drawVolleyPool, volley(3)},
    {moveVolleyPool, drawVolleyPool, volley(4)},
    {moveCurvingMissiles, drawMissileStreamPool, missiles(1)},
    {moveCurvingMissiles, drawMissileStreamPool, missiles(2)},
    {moveCurvingMissiles, drawMissileStreamPool, missiles(3)},
    {moveCurvingMissiles, drawMissileStreamPool, missiles(4)},
    {moveCurvingMissiles, drawMissileStreamPool, missiles(5)},
    {moveCurvingMissiles, drawMissileStreamPool, missiles(6)},
    {moveSweepPool, drawSweepPool, sweep(1)},
    {moveSweepPool, drawSweepPool, sweep(2)},
    {moveSweepPool, drawSweepPool, sweep(3)},
    {moveSweepPool, drawSweepPool, sweep(4)},
};
static_assert(namesOnlyFoundPools(boss3PatternWindows, shotPoolCalls));

constexpr LateStageFrame frame{Stage,      stage3ScrollRate, BackgroundScene::Stage3, powerUpWindows, sideEnemies,
                               bossBand,   schedule,       coinCalls,               shotPoolCalls,  aimedFives,
                               nullptr};

}  // namespace

void stage3Frame() { runLateStageFrame(frame); }

void installStage3() { addPoolResetHook(PoolResetPlace::AfterAllShots, parkMissileStreamPools); }
