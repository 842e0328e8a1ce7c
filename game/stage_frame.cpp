#include "game/stage_frame.h"

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/enemy_slots.h"
#include "game/play_state.h"
#include "game/turning_enemies.h"

namespace {

// The group's windows on the stage clock.
constexpr float entryFrom = 380.0f, onFrom = 480.0f, escortsUntil = 700.0f, onUntil = 1000.0f;
constexpr float destroyFrom = 880.0f;
constexpr float entryY = -300.0f;
constexpr int32_t entryLooks = 3;
constexpr int32_t fallSpeedBase = 70, fallSpeedSpread = 70;
constexpr int32_t sideSpeedBase = 20, sideSpeedSpread = 20;
constexpr float escortHeldHp = 50.0f;
// The escorts' smoke puffs, and the moving box of their puffs.
constexpr int32_t escortPuffSize = 80, puffStepSize = 40;
// The escorts' fan waves in the small animated style.
constexpr int32_t escortFanStyle = 1;
// The large enemy moves by its pattern 11; the escorts by turning patterns 1
// and 2, coming in from the left and the right.
constexpr int32_t largeEnemyPattern = 11;
constexpr int32_t escortSides[2] = {1, 2};
constexpr int32_t escortSpawnSize = 80;

bool inside(float low, float high) { return low < scrollDistance && scrollDistance < high; }

void enterLargeEnemy(const EscortedEnemy& group) {
    EnemySlot& e = enemySlots[group.slot];
    if (e.alive != 0) return;
    e.variant = engSystem::Rand() % entryLooks;
    e.x = screenX(group.entryX);
    e.y = entryY;
    e.vy = static_cast<float>(fallSpeedBase + engSystem::Rand() % fallSpeedSpread);
    e.vx = static_cast<float>(sideSpeedBase + engSystem::Rand() % sideSpeedSpread);
    e.alive = 1;
    e.dying = 0;
    e.burstStage = e.burstFrame = e.animFrame = 0;
    e.timer = 0.0f;
    e.angle = 0.0f;
}

}  // namespace

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

void runEscortedEnemy(const EscortedEnemy& group) {
    if (group.slot < 0 || group.slot >= EnemySlotCount) return;
    if (inside(entryFrom, onFrom)) enterLargeEnemy(group);
    if (!inside(onFrom, onUntil)) return;

    const int32_t a = group.escorts[0], b = group.escorts[1];
    moveEnemy(group.slot, largeEnemyPattern, group.width, group.height);
    drawEnemySlot(group.slot, group.kind);
    for (int32_t escort : group.escorts) {
        stepTurningEnemyPuffs(escort, puffStepSize, puffStepSize);
        drawTurningEnemyPuffs(escort);
    }
    for (int i = 0; i < 2; ++i) {
        moveTurningEnemy(group.escorts[i], escortSides[i], group.escortSize, group.escortSize);
        drawTurningEnemy(group.escorts[i], group.escortKind);
    }
    fireAimedFive(group.slot);
    for (int i = 0; i < 2; ++i) {
        if (inside(onFrom, escortsUntil))
            spawnTurningEnemy(group.escorts[i], escortSpawnSize, escortSpawnSize, escortSides[i]);
        tickEnemyFanWaves(group.escorts[i]);
    }
    if (inside(escortsUntil, onUntil)) {
        for (int32_t escort : {a, b}) {
            if (escort >= 0 && escort < TurningEnemyCount) turningEnemies[escort].hp = escortHeldHp;
            spawnTurningEnemyPuffs(escort, escortPuffSize, escortPuffSize);
        }
    }
    for (int32_t escort : group.escorts) {
        tickEnemyFanWaves(escort);
        stepEnemyFanShots(escort);
        drawEnemyFanShots(escort, escortFanStyle);
    }
    if (inside(destroyFrom, onUntil)) {
        killEnemySlot(group.slot);
        killTurningEnemy(a);
        killTurningEnemy(b);
    }
}
