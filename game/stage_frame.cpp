#include "game/stage_frame.h"

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/boss_debris.h"
#include "game/enemy_slots.h"
#include "game/game_states.h"
#include "game/hit_pass.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score_bar.h"
#include "game/turning_enemies.h"
#include "game/weapons.h"

namespace {

// The group's windows on the stage clock.
constexpr float entryFrom = 380.0f, onFrom = 480.0f, escortsUntil = 700.0f, onUntil = 1000.0f;
constexpr float entryY = -300.0f;
// It draws its explosion style from the first three only.
constexpr int32_t entryLooks = 3;
constexpr float escortHeldHp = 50.0f;
// Smoke puffs leave an 80x80 box and are held by a 40x40 one.
constexpr int32_t escortPuffSize = 80, puffStepSize = 40;
// Fan waves of turning enemies in the small animated style.
constexpr int32_t escortFanStyle = 1;
// The large enemy moves by its pattern 11; turning enemies come in from the
// left (side 1) and the right (side 2) in an 80x80 box.
constexpr int32_t largeEnemyPattern = 11;
constexpr int32_t escortSides[2] = {1, 2};
constexpr int32_t escortSpawnSize = 80;

bool inside(float low, float high) { return low < scrollDistance && scrollDistance < high; }

void enterLargeEnemy(const EscortedEnemy& group) {
    EnemySlot& e = enemySlots[group.slot];
    if (e.alive != 0) return;
    armEnemyRecord(e, screenX(group.entryX), entryY, entryLooks);
}

}  // namespace

// ---------------------------------------------------------------------------
// Enemy slots and their shots
// ---------------------------------------------------------------------------

const EnemySlotPass lateStageEnemySlots[17] = {
    // slot, pattern, w, h, kind
    {0, 1, 80, 80, 4},     {1, 2, 80, 80, 4},     {2, 2, 80, 80, 4},    {3, 3, 80, 80, 2},
    {4, 4, 80, 80, 2},     {5, 5, 80, 80, 0},     {6, 6, 80, 80, 0},    {7, 7, 80, 80, 0},
    {8, 8, 80, 80, 0},     {9, 9, 80, 80, 5},     {10, 10, 80, 80, 6},  {15, 0, 240, 450, 7},
    {16, 0, 240, 450, 7},  {17, 3, 240, 450, 9},  {18, 4, 240, 450, 9}, {19, 0, 240, 660, 10},
    {20, 0, 240, 660, 10},
};

const SlotShotPass slotAimedShotPasses[9] = {
    {0, 0}, {1, 1}, {2, 1}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 1}, {8, 1},
};

void moveAndDrawEnemySlots(std::span<const EnemySlotPass> passes) {
    for (const EnemySlotPass& p : passes) {
        moveEnemy(p.slot, p.pattern, p.width, p.height);
        drawEnemySlot(p.slot, p.kind);
    }
}

void stepAndDrawAimedShots(std::span<const SlotShotPass> passes) {
    for (const SlotShotPass& p : passes) {
        stepAimedShot(p.slot);
        drawAimedShot(p.slot, p.style);
    }
}

void stepAndDrawAimedFives(std::span<const SlotShotPass> passes) {
    for (const SlotShotPass& p : passes) {
        stepAimedFive(p.slot);
        drawAimedFive(p.slot, p.style);
    }
}

// ---------------------------------------------------------------------------
// The large enemy and its escorts
// ---------------------------------------------------------------------------

void runEscortedEnemy(const EscortedEnemy& group) {
    const bool hasLarge = group.slot >= 0 && group.slot < EnemySlotCount;
    if (hasLarge && inside(entryFrom, onFrom)) enterLargeEnemy(group);
    if (!inside(onFrom, onUntil)) return;

    if (hasLarge) {
        moveEnemy(group.slot, largeEnemyPattern, group.width, group.height);
        drawEnemySlot(group.slot, group.kind);
    }
    for (int32_t escort : group.escorts) {
        stepTurningEnemyPuffs(escort, puffStepSize, puffStepSize);
        drawTurningEnemyPuffs(escort);
    }
    for (int i = 0; i < 2; ++i) {
        moveTurningEnemy(group.escorts[i], group.escortTypes[i], group.escortSize, group.escortSize);
        drawTurningEnemy(group.escorts[i], group.escortKind);
    }
    if (hasLarge) fireAimedFive(group.slot);
    for (int i = 0; i < 2; ++i) {
        if (inside(onFrom, escortsUntil))
            spawnTurningEnemy(group.escorts[i], escortSpawnSize, escortSpawnSize, escortSides[i]);
        if (group.escortsFire) tickEnemyFanWaves(group.escorts[i]);
    }
    if (inside(group.smokeFrom, onUntil)) {
        for (int32_t escort : group.escorts) {
            if (escort >= 0 && escort < TurningEnemyCount) turningEnemies[escort].hp = escortHeldHp;
            spawnTurningEnemyPuffs(escort, escortPuffSize, escortPuffSize);
        }
    }
    if (group.escortsFire) {
        for (int32_t escort : group.escorts) {
            tickEnemyFanWaves(escort);
            stepEnemyFanShots(escort);
            drawEnemyFanShots(escort, escortFanStyle);
        }
    }
    if (inside(group.destroyFrom, onUntil)) {
        if (hasLarge) killEnemySlot(group.slot);
        for (int32_t escort : group.escorts) killTurningEnemy(escort);
    }
}

// ---------------------------------------------------------------------------
// Side enemies
// ---------------------------------------------------------------------------

void runSideEnemies(const SideEnemyPair& pair) {
    if (inside(pair.from, pair.until)) {
        if (scrollDistance < pair.spawnUntil)
            spawnTurningEnemy(pair.left, escortSpawnSize, escortSpawnSize, escortSides[0]);
        tickEnemyFanWaves(pair.left);
        if (inside(pair.from, pair.spawnUntil))
            spawnTurningEnemy(pair.right, escortSpawnSize, escortSpawnSize, escortSides[1]);
        tickEnemyFanWaves(pair.right);
        spawnTurningEnemyPuffs(pair.left, escortPuffSize, escortPuffSize);
        spawnTurningEnemyPuffs(pair.right, escortPuffSize, escortPuffSize);
    }
    for (int32_t enemy : {pair.left, pair.right}) {
        stepEnemyFanShots(enemy);
        drawEnemyFanShots(enemy, escortFanStyle);
    }
}

void moveAndDrawSideEnemies(const SideEnemyPair& pair) {
    for (int32_t enemy : {pair.left, pair.right}) {
        stepTurningEnemyPuffs(enemy, puffStepSize, puffStepSize);
        drawTurningEnemyPuffs(enemy);
    }
    moveTurningEnemy(pair.left, escortSides[0], escortSpawnSize, escortSpawnSize);
    drawTurningEnemy(pair.left, pair.kind);
    moveTurningEnemy(pair.right, escortSides[1], escortSpawnSize, escortSpawnSize);
    drawTurningEnemy(pair.right, pair.kind);
}

void spawnDropIn80x80(int slot) { spawnDropInEnemy(slot, 80, 80); }
void spawnDropIn240x300(int slot) { spawnDropInEnemy(slot, 240, 300); }
void spawnDropIn240x440(int slot) { spawnDropInEnemy(slot, 240, 440); }
void dropPowerUpRow(int) { dropPowerUp(); }

// ---------------------------------------------------------------------------
// The boss band and the frame of stages 2 and 3
// ---------------------------------------------------------------------------

void runBossBand(const BossBand& band) {
    if (!(inside(band.from, band.until) || scrollDistance >= band.forcedClearFrom)) return;
    band.move();
    band.draw();
    stepBossPatterns(*band.counter, band.body->hp, band.patternsBelowHp, band.cycle, band.patterns);
    if (scrollDistance >= band.forcedClearFrom) {
        band.body->hp = 0.0f;
        band.defeat();
    }
}

void runLateStageFrame(const LateStageFrame& frame) {
    if (runPauseCheck()) return;
    engDraw::ClearScreen();
    scrollDistance += frame.scrollRate * frameTime;

    scrollBackgrounds(frame.scene);
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
    runPairedCalls(frame.coinCalls);

    runPairedCalls(frame.shotPoolCalls);
    stepAndDrawAimedShots(slotAimedShotPasses);
    stepAndDrawAimedFives(frame.aimedFives);

    drawDebris(frame.stage);
    stepBossDebris(frame.stage);
    runLaser();
    drawScoreBar();
    enterContinuePrompt();
    presentFrame();

    movePlayer();
    stepFanPieces();
    runHitPass();
    if (frame.exitCheck != nullptr) frame.exitCheck();
}
