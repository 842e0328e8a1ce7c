// Pieces of a stage frame that every stage runs from tables of its own: the
// enemy slots' move-and-draw pass, the enemy shots' step-and-draw passes,
// and the large enemy that comes down with two escorts early in a stage.
#pragma once

#include <cstdint>
#include <span>

// moveEnemy(slot, pattern, width, height), then drawEnemySlot(slot, kind).
struct EnemySlotPass {
    int32_t slot, pattern;
    int32_t width, height;
    int32_t kind;
};
void moveAndDrawEnemySlots(std::span<const EnemySlotPass> passes);

// A slot's single aimed shot or its five, stepped then drawn in a style.
struct SlotShotPass {
    int32_t slot, style;
};
void stepAndDrawAimedShots(std::span<const SlotShotPass> passes);
void stepAndDrawAimedFives(std::span<const SlotShotPass> passes);

// A large enemy slot with two turning enemies as its escorts. The escorts
// are not among the turning enemies the weapons test: the frame holds their
// hp at 50 and destroys them itself, with the large enemy.
struct EscortedEnemy {
    int32_t slot;
    int32_t width, height;
    int32_t kind;           // drawEnemySlot's sprite kind
    float entryX;           // full-screen x where it appears
    int32_t escorts[2];     // turning enemies: the first comes from the left, the second from the right
    int32_t escortSize;     // their moving box, escortSize x escortSize
    int32_t escortKind;     // drawTurningEnemy's sprite kind
};
// One frame of the group, by the stage clock (all windows strict): the
// large enemy appears at 380..480 (three random draws: its look, then its
// fall and side speeds); at 480..1000 it and its escorts move, draw and
// fire, the escorts come in at 480..700, smoke at 700..1000 and are
// destroyed with it at 880..1000. The escorts' fan waves tick twice a frame.
void runEscortedEnemy(const EscortedEnemy& group);
