#include "stages/stage3/stage3.h"

#include <span>

#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/enemy_slots.h"
#include "game/resets.h"
#include "game/stage_frame.h"
#include "game/timeline.h"
#include "stages/stage3/boss3.h"
#include "stages/stage3/curving_missiles.h"

namespace {

constexpr int Stage = 3;

// ---------------------------------------------------------------------------
// Boss pattern windows, on the counter's new value (bounds inclusive)
// ---------------------------------------------------------------------------
// TODO: the shot families' rows (fan waves, volley timers, aimed volleys,
// sweeps, missile streams) as their routines land.
constexpr std::span<const PatternWindow> boss3PatternWindows{};

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

constexpr MidBossPhase midBoss{1, 2, 2020.0f, 2360.0f, 2480.0f, 2600.0f};
void runMidBoss(int) { runMidBossPhase(midBoss); }

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
    {1620, 1700, S, spawnMidBossWithArms, 1},
    {1700, 2600, S, runMidBoss, 0},
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
// TODO: the rows come with the shot families.
constexpr std::span<const PairedCall> shotPoolCalls{};

constexpr LateStageFrame frame{Stage,      stage3ScrollRate, BackgroundScene::Stage3, powerUpWindows, sideEnemies,
                               bossBand,   schedule,       coinCalls,               shotPoolCalls,  aimedFives,
                               nullptr};

}  // namespace

void stage3Frame() { runLateStageFrame(frame); }

void installStage3() { addPoolResetHook(PoolResetPlace::AfterAllShots, parkMissileStreamPools); }
