// Pieces of a stage frame that every stage runs from tables of its own: the
// enemy slots' move-and-draw pass, the enemy shots' step-and-draw passes,
// the large enemy that comes down with two escorts early in a stage, the
// side enemies of stages 2 and 3, the boss band, and the frame of stages 2
// and 3 as a whole.
#pragma once

#include <cstdint>
#include <span>

#include "game/backgrounds.h"
#include "game/shots/shot_records.h"
#include "game/timeline.h"

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

// The enemy slots of stages 2 and 3.
extern const EnemySlotPass lateStageEnemySlots[17];
// The slots' single aimed shots, the same in every stage.
extern const SlotShotPass slotAimedShotPasses[9];

// A large enemy slot with two turning enemies as its escorts. The escorts
// are not among the turning enemies the weapons test: the frame holds their
// hp at 50 and destroys them itself, with the large enemy. A group without a
// large enemy (slot -1) is a pair of escorts alone.
struct EscortedEnemy {
    int32_t slot;
    int32_t width, height;
    int32_t kind;           // drawEnemySlot's sprite kind
    float entryX;           // full-screen x where it appears
    int32_t escorts[2];     // turning enemies: the first comes from the left, the second from the right
    int32_t escortSize;     // their moving box, escortSize x escortSize
    int32_t escortKind;     // drawTurningEnemy's sprite kind
    int32_t escortTypes[2] = {1, 2};  // their turning patterns
    bool escortsFire = true;          // their fan waves
    float smokeFrom = 700.0f;         // held at 50 hp and smoking from here
    float destroyFrom = 880.0f;       // destroyed from here
};
// One frame of the group, by the stage clock (all windows strict): the
// large enemy appears at 380..480 (three random draws: its look, then its
// fall and side speeds); at 480..1000 it and its escorts move, draw and
// fire, the escorts come in at 480..700, smoke from smokeFrom and are
// destroyed with it from destroyFrom, up to 1000. Escorts that fire have
// their fan waves ticked twice a frame.
void runEscortedEnemy(const EscortedEnemy& group);

// Two turning enemies at the sides once the boss is up (stages 2 and 3):
// while from < clock < until, the left one is spawned below spawnUntil and
// the right one while from < clock < spawnUntil, each then has its fan waves
// ticked, and both smoke. Their fan shots move and draw on every frame.
struct SideEnemyPair {
    int32_t left, right;
    float from, spawnUntil, until;
    int32_t kind;  // drawTurningEnemy's sprite kind
};
void runSideEnemies(const SideEnemyPair& pair);
// Their puffs stepped and drawn, then both moved and drawn.
void moveAndDrawSideEnemies(const SideEnemyPair& pair);

// Drop-in enemies of the schedules, by their box.
void spawnDropIn80x80(int slot);
void spawnDropIn240x300(int slot);
void spawnDropIn240x440(int slot);
// dropPowerUp, as a schedule row (the argument is not read).
void dropPowerUpRow(int);

// The boss band of stages 2 and 3. While from < clock < until: the boss
// moved and drawn (its draw runs its defeat), its pattern counter stepped
// (0 < hp < patternsBelowHp, windows on counts 1..cycle), and from
// forcedClearFrom the forced clear: hp 0 and the defeat once more. Once the
// forced clear has begun, the band goes on until the defeat switches the
// state, even when a long frame has carried the clock past `until`. A
// defeat that ended in the draw has reset the clock to 0, so the fresh boss
// is not forced down in the same frame.
struct BossBand {
    float from, until, forcedClearFrom;
    void (*move)();
    void (*draw)();
    void (*defeat)();
    BossBody* body;
    uint32_t* counter;
    float patternsBelowHp;
    uint32_t cycle;
    std::span<const PatternWindow> patterns;
};
void runBossBand(const BossBand& band);

// The frame of stages 2 and 3.
struct LateStageFrame {
    int32_t stage;
    float scrollRate;  // stage clock units a second
    BackgroundScene scene;
    std::span<const DistanceWindow> powerUpWindows;
    SideEnemyPair sideEnemies;
    BossBand bossBand;
    std::span<const DistanceWindow> schedule;
    std::span<const PairedCall> coinCalls;      // draw, then step
    std::span<const PairedCall> shotPoolCalls;  // mover, then draw
    std::span<const SlotShotPass> aimedFives;
    void (*exitCheck)();  // nullptr: the stage has none
};
// One frame, in this order: the pause check (a paused frame ends there);
// the clock; backgrounds and fan pieces; the power-up and its windows; the
// side enemies; the boss band; the player's shots; the enemy slots; the
// side enemies moved; the schedule; the ship and its pods; the coins; the
// shot pools; the enemies' shots; the sparks; laser, score bar, continue
// prompt and the present; then the ship moved, the fan pieces stepped, the
// hit pass, and the exit check.
void runLateStageFrame(const LateStageFrame& frame);
