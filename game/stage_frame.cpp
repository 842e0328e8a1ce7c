#include "game/stage_frame.h"

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/enemy_slots.h"
#include "game/hit_pass.h"
#include "game/mid_boss_arms.h"
#include "game/mid_bosses.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score_bar.h"
#include "game/turning_enemies.h"
#include "game/weapons.h"

namespace {

// Every turning enemy and every drop-in is spawned in an 80x80 box; puffs
// leave an 80x80 box and are held by a 40x40 one.
constexpr int spawnBox = 80;
constexpr int puffHoldBox = 40;
constexpr int32_t fromLeft = 1, fromRight = 2;
constexpr int32_t largeEnemyPattern = 11;
constexpr float heldEscortHp = 50.0f;
constexpr int32_t fanShotStyle = 1;

// The large enemy's window and its escorts' spawning.
constexpr float largeEnemyFrom = 480.0f, largeEnemyUntil = 1000.0f;
constexpr float escortSpawnUntil = 700.0f;

constexpr float largeEnemyStartY = -300.0f;
constexpr int32_t largeEnemyVariants = 3;
constexpr int32_t largeEnemyFallBase = 70, largeEnemyFallRange = 70;
constexpr int32_t largeEnemySideBase = 20, largeEnemySideRange = 20;

constexpr int32_t midBossPattern = 11;
constexpr int midBossWidth = 160, midBossHeight = 360;
constexpr int midBossSpawnWidth = 80;
constexpr int armOffset = 14, armHeight = 46;

bool between(float low, float value, float high) { return low < value && value < high; }

}  // namespace

// ---------------------------------------------------------------------------
// The boss band
// ---------------------------------------------------------------------------

void runBossBand(const BossBand& band) {
    const float d = scrollDistance;
    const bool forcedClear = d >= band.forcedClearFrom;
    if (!(between(band.from, d, band.until) || forcedClear)) return;
    band.move();
    band.draw();
    stepBossPatterns(*band.counter, band.body->hp, band.hpBelow, band.cycle, band.windows);
    if (scrollDistance >= band.forcedClearFrom) {
        band.body->hp = 0;
        band.defeat();
    }
}

// ---------------------------------------------------------------------------
// Enemy slots, their shots and their coins
// ---------------------------------------------------------------------------

const EnemySlotRow lateStageEnemySlots[17] = {
    {0, 1, 80, 80, 4},     {1, 2, 80, 80, 4},     {2, 2, 80, 80, 4},     {3, 3, 80, 80, 2},
    {4, 4, 80, 80, 2},     {5, 5, 80, 80, 0},     {6, 6, 80, 80, 0},     {7, 7, 80, 80, 0},
    {8, 8, 80, 80, 0},     {9, 9, 80, 80, 5},     {10, 10, 80, 80, 6},   {15, 0, 240, 450, 7},
    {16, 0, 240, 450, 7},  {17, 3, 240, 450, 9},  {18, 4, 240, 450, 9},  {19, 0, 240, 660, 10},
    {20, 0, 240, 660, 10},
};

const EnemyShotRow lateStageAimedShots[9] = {
    {0, 0}, {1, 1}, {2, 1}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 1}, {8, 1},
};

void moveAndDrawEnemySlots(std::span<const EnemySlotRow> rows) {
    for (const EnemySlotRow& row : rows) {
        moveEnemy(row.slot, row.pattern, row.w, row.h);
        drawEnemySlot(row.slot, row.kind);
    }
}

void stepAndDrawAimedShots(std::span<const EnemyShotRow> rows) {
    for (const EnemyShotRow& row : rows) {
        stepAimedShot(row.slot);
        drawAimedShot(row.slot, row.style);
    }
}

void stepAndDrawAimedFives(std::span<const EnemyShotRow> rows) {
    for (const EnemyShotRow& row : rows) {
        stepAimedFive(row.slot);
        drawAimedFive(row.slot, row.style);
    }
}

void drawAndStepSlotCoins(std::span<const int32_t> slots) {
    for (const int32_t slot : slots) {
        drawSlotCoin(slot);
        stepSlotCoin(slot);
    }
}

// ---------------------------------------------------------------------------
// The large enemy and its escorts
// ---------------------------------------------------------------------------

void enterLargeEnemy(int slot, float fullX) {
    if (slot < 0 || slot >= EnemySlotCount) return;
    EnemySlot& e = enemySlots[slot];
    if (e.alive != 0) return;
    e.variant = engSystem::Rand() % largeEnemyVariants;
    e.x = screenX(fullX);
    e.y = largeEnemyStartY;
    e.vy = static_cast<float>(largeEnemyFallBase + engSystem::Rand() % largeEnemyFallRange);
    e.vx = static_cast<float>(largeEnemySideBase + engSystem::Rand() % largeEnemySideRange);
    e.alive = 1;
    e.dying = 0;
    e.burstStage = 0;
    e.burstFrame = 0;
    e.animFrame = 0;
    e.timer = 0;
    e.angle = 0;
}

void runLargeEnemyGroup(const LargeEnemyGroup& group) {
    const float d = scrollDistance;
    if (!between(largeEnemyFrom, d, largeEnemyUntil)) return;
    const bool hasLarge = group.slot >= 0;
    if (hasLarge) {
        moveEnemy(group.slot, largeEnemyPattern, group.width, group.height);
        drawEnemySlot(group.slot, group.kind);
    }
    for (const int32_t e : group.escorts) {
        stepTurningEnemyPuffs(e, puffHoldBox, puffHoldBox);
        drawTurningEnemyPuffs(e);
    }
    for (int side = 0; side < 2; ++side) {
        moveTurningEnemy(group.escorts[side], group.escortTypes[side], group.escortSize, group.escortSize);
        drawTurningEnemy(group.escorts[side], group.escortKind);
    }
    if (hasLarge) fireAimedFive(group.slot);
    for (int side = 0; side < 2; ++side) {
        if (between(largeEnemyFrom, d, escortSpawnUntil)) {
            spawnTurningEnemy(group.escorts[side], spawnBox, spawnBox, side == 0 ? fromLeft : fromRight);
        }
        if (group.escortsFire) tickEnemyFanWaves(group.escorts[side]);
    }
    if (between(group.smokeFrom, d, largeEnemyUntil)) {
        for (const int32_t e : group.escorts) {
            turningEnemies[e].hp = heldEscortHp;
            spawnTurningEnemyPuffs(e, spawnBox, spawnBox);
        }
    }
    if (group.escortsFire) {
        for (const int32_t e : group.escorts) {
            tickEnemyFanWaves(e);
            stepEnemyFanShots(e);
            drawEnemyFanShots(e, fanShotStyle);
        }
    }
    if (between(group.killFrom, d, largeEnemyUntil)) {
        if (hasLarge) killEnemySlot(group.slot);
        for (const int32_t e : group.escorts) killTurningEnemy(e);
    }
}

// ---------------------------------------------------------------------------
// Side enemies
// ---------------------------------------------------------------------------

void runSideEnemies(const SideEnemyPair& pair) {
    const float d = scrollDistance;
    if (between(pair.from, d, pair.until)) {
        if (d < pair.spawnUntil) spawnTurningEnemy(pair.left, spawnBox, spawnBox, fromLeft);
        tickEnemyFanWaves(pair.left);
        if (between(pair.from, d, pair.spawnUntil)) spawnTurningEnemy(pair.right, spawnBox, spawnBox, fromRight);
        tickEnemyFanWaves(pair.right);
        spawnTurningEnemyPuffs(pair.left, spawnBox, spawnBox);
        spawnTurningEnemyPuffs(pair.right, spawnBox, spawnBox);
    }
    stepEnemyFanShots(pair.left);
    drawEnemyFanShots(pair.left, fanShotStyle);
    stepEnemyFanShots(pair.right);
    drawEnemyFanShots(pair.right, fanShotStyle);
}

void moveAndDrawSideEnemies(const SideEnemyPair& pair) {
    stepTurningEnemyPuffs(pair.left, puffHoldBox, puffHoldBox);
    drawTurningEnemyPuffs(pair.left);
    stepTurningEnemyPuffs(pair.right, puffHoldBox, puffHoldBox);
    drawTurningEnemyPuffs(pair.right);
    moveTurningEnemy(pair.left, fromLeft, spawnBox, spawnBox);
    drawTurningEnemy(pair.left, pair.kind);
    moveTurningEnemy(pair.right, fromRight, spawnBox, spawnBox);
    drawTurningEnemy(pair.right, pair.kind);
}

// ---------------------------------------------------------------------------
// The mid-boss phase
// ---------------------------------------------------------------------------

void runMidBossPhase(const MidBossPhase& phase) {
    const int m = phase.m;
    const float d = scrollDistance;
    moveMidBoss(m, midBossPattern, midBossWidth, midBossHeight);
    drawMidBoss(m, phase.kind);
    stepLeftArmPuffs(m, puffHoldBox, puffHoldBox);
    drawLeftArmPuffs(m);
    stepRightArmPuffs(m, puffHoldBox, puffHoldBox);
    drawRightArmPuffs(m);
    drawMidBossLeftArm(m, phase.kind);
    drawMidBossRightArm(m, phase.kind);
    if (between(phase.armsFrom, d, phase.until)) {
        // TODO: the arms' fan waves (tick, step, draw of each arm) once they land.
    }
    if (between(phase.smokeFrom, d, phase.until)) {
        spawnLeftArmPuffs(m, spawnBox, spawnBox);
        spawnRightArmPuffs(m, spawnBox, spawnBox);
    }
    if (between(phase.killFrom, d, phase.until)) {
        killMidBoss(m);
        killMidBossLeftArm(m);
        killMidBossRightArm(m);
    }
}

void spawnMidBossWithArms(int m) {
    spawnMidBoss(m, midBossSpawnWidth, midBossHeight);
    spawnLeftArm(m, armOffset, armHeight);
    spawnRightArm(m, armOffset, armHeight);
}

// ---------------------------------------------------------------------------
// Calls of the schedule tables
// ---------------------------------------------------------------------------

void spawnDropIn80x80(int slot) { spawnDropInEnemy(slot, 80, 80); }
void spawnDropIn240x300(int slot) { spawnDropInEnemy(slot, 240, 300); }
void spawnDropIn240x440(int slot) { spawnDropInEnemy(slot, 240, 440); }
void dropPowerUpRow(int) { dropPowerUp(); }

// ---------------------------------------------------------------------------
// The frame of stages 2 and 3
// ---------------------------------------------------------------------------

void runLateStageFrame(const LateStageFrame& frame) {
    if (runPauseCheck()) return;
    engDraw::ClearScreen();
    scrollDistance += frame.scrollRate * frameTime;

    for (void (*scrollColumn)() : frame.backgrounds) scrollColumn();
    drawFanPieces();

    drawPowerUp();
    stepPowerUp();
    runDistanceWindows(frame.powerUpWindows, scrollDistance);

    runSideEnemies(frame.sideEnemies);
    runBossBand(frame.bossBand);

    drawPlayerShots();
    moveAndDrawEnemySlots(lateStageEnemySlots);
    moveAndDrawSideEnemies(frame.sideEnemies);
    runDistanceWindows(frame.schedule, scrollDistance);

    updatePlayerShip();
    drawOptionPods();
    tickPod0Fire();
    tickPod1Fire();
    drawAndStepSlotCoins(frame.coinSlots);
    drawStageCoins(frame.stage);
    stepStageCoins(frame.stage);

    for (const PoolPass& pass : frame.shotPools) {
        pass.move(pass.pool);
        pass.draw(pass.pool);
    }

    stepAndDrawAimedShots(lateStageAimedShots);
    stepAndDrawAimedFives(frame.aimedFives);

    drawDebris(frame.stage);
    stepBossDebris(frame.stage);
    runLaser();
    drawScoreBar();
    enterContinuePrompt();
    engDraw::SetVSync(1);
    engDraw::Present();

    movePlayer();
    stepFanPieces();
    runHitPass();
    if (frame.exitCheck != nullptr) frame.exitCheck();
}
