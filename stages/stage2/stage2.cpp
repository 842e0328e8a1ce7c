#include "stages/stage2/stage2.h"

#include <span>

#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/enemy_slots.h"
#include "game/game_states.h"
#include "game/stage_frame.h"
#include "game/timeline.h"
#include "stages/stage2/boss2.h"

namespace {

constexpr int Stage = 2;

// ---------------------------------------------------------------------------
// Boss pattern windows, on the counter's new value (bounds inclusive)
// ---------------------------------------------------------------------------
// TODO: the shot families' rows (volley timers, sweeps, aimed volleys, fan
// waves, salvos) as their routines land.
constexpr std::span<const PatternWindow> boss2PatternWindows{};

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

constexpr MidBossPhase midBoss{0, 1, 1620.0f, 1960.0f, 2080.0f, 2200.0f};
void runMidBoss(int) { runMidBossPhase(midBoss); }

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
    {1380, 1480, S, spawnMidBossWithArms, 0},
    {1480, 2200, S, runMidBoss, 0},
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
// TODO: the rows come with the shot families.
constexpr std::span<const PairedCall> shotPoolCalls{};

constexpr LateStageFrame frame{Stage,      stage2ScrollRate, BackgroundScene::Stage2, powerUpWindows, sideEnemies,
                               bossBand,   schedule,       coinCalls,               shotPoolCalls,  aimedFives,
                               checkStageExit};

}  // namespace

void stage2Frame() { runLateStageFrame(frame); }
