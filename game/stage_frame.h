// Pieces that the stage frames share, each driven by the stage's own rows:
// the frame of stages 2 and 3 as a whole, the boss band, the enemy slots'
// movers and draws, their shots and coins, the large enemy with its
// escorts, the side enemies and the mid-boss phase; and the calls that the
// stages' schedule tables name.
#pragma once

#include <cstdint>
#include <span>

#include "game/shots/shot_records.h"
#include "game/timeline.h"

// ---------------------------------------------------------------------------
// The boss band
// ---------------------------------------------------------------------------
// While from < scrollDistance < until: the boss moved and drawn (its draw
// runs its defeat), its pattern counter stepped (0 < hp < hpBelow, windows
// on counts 1..cycle), and from forcedClearFrom the forced clear: hp 0 and
// the defeat once more. Once the forced clear has begun, the band runs on
// until the state switches, even where a long frame carried the clock past
// `until`. A defeat that ends inside the draw resets the stage clock to 0,
// so the fresh boss is not forced down in the same frame.
struct BossBand {
    float from, until, forcedClearFrom;
    void (*move)();
    void (*draw)();
    void (*defeat)();
    BossBody* body;
    uint32_t* counter;
    float hpBelow;
    uint32_t cycle;
    std::span<const PatternWindow> windows;
};
void runBossBand(const BossBand& band);

// ---------------------------------------------------------------------------
// Enemy slots, their shots and their coins
// ---------------------------------------------------------------------------
// moveEnemy(slot, pattern, w, h), then drawEnemySlot(slot, kind).
struct EnemySlotRow {
    int32_t slot, pattern, w, h, kind;
};
void moveAndDrawEnemySlots(std::span<const EnemySlotRow> rows);

// A slot's shot (or line of five) stepped, then drawn in its style.
struct EnemyShotRow {
    int32_t slot, style;
};
void stepAndDrawAimedShots(std::span<const EnemyShotRow> rows);
void stepAndDrawAimedFives(std::span<const EnemyShotRow> rows);

// drawSlotCoin then stepSlotCoin for each slot.
void drawAndStepSlotCoins(std::span<const int32_t> slots);

// The enemy slots of stages 2 and 3, and their shots, in frame order.
extern const EnemySlotRow lateStageEnemySlots[17];
extern const EnemyShotRow lateStageAimedShots[9];

// ---------------------------------------------------------------------------
// The large enemy and its escorts
// ---------------------------------------------------------------------------
// The large enemy comes in at (x, -300) unless its slot is alive: variant,
// fall and side speeds from three random numbers, in that order.
void enterLargeEnemy(int slot, float fullX);

// One frame of a large enemy (slot -1: none) and its two escorts, the
// turning enemies escorts[0] (from the left) and escorts[1] (from the
// right), while the stage clock lies in 480..1000: the large enemy moved and
// drawn, the escorts' puffs and the escorts moved and drawn, the line of
// five fired, the escorts spawned until 700; from smokeFrom their hp held
// at 50 and their smoke spawned; escorts that fire have their fan waves
// ticked twice a frame; from killFrom all of them killed.
struct LargeEnemyGroup {
    int32_t slot;
    int32_t width, height, kind;
    int32_t escorts[2];
    int32_t escortTypes[2];
    int32_t escortSize;     // the escorts' box for moveTurningEnemy
    int32_t escortKind;
    bool escortsFire;
    float smokeFrom, killFrom;
};
void runLargeEnemyGroup(const LargeEnemyGroup& group);

// ---------------------------------------------------------------------------
// Side enemies (stages 2 and 3)
// ---------------------------------------------------------------------------
// Two turning enemies that come in once the boss is up: while from < clock
// < until, the left one is spawned below spawnUntil and the right one while
// from < clock < spawnUntil, each then has its fan waves ticked, and both
// smoke. Their fan shots move and draw on every frame.
struct SideEnemyPair {
    int32_t left, right;
    float from, spawnUntil, until;
    int32_t kind;  // drawTurningEnemy
};
void runSideEnemies(const SideEnemyPair& pair);
// Their puffs stepped and drawn, then both moved and drawn.
void moveAndDrawSideEnemies(const SideEnemyPair& pair);

// ---------------------------------------------------------------------------
// The mid-boss phase (stages 2 and 3)
// ---------------------------------------------------------------------------
// Mid-boss m with both arms, as the stage's schedule calls it while the
// clock lies in its window: body moved and drawn, arm puffs, arms drawn;
// from armsFrom the arms' fan waves; from smokeFrom the arms smoke; from
// killFrom all of it killed (each bound strict, up to `until`).
struct MidBossPhase {
    int32_t m;
    int32_t kind;  // drawMidBoss and the arms' type
    float armsFrom, smokeFrom, killFrom, until;
};
void runMidBossPhase(const MidBossPhase& phase);
// spawnMidBoss(m, 80, 360), then both arms (14, 46).
void spawnMidBossWithArms(int m);

// ---------------------------------------------------------------------------
// Calls of the schedule tables (one int: the enemy slot)
// ---------------------------------------------------------------------------
void spawnDropIn80x80(int slot);
void spawnDropIn240x300(int slot);
void spawnDropIn240x440(int slot);
// dropPowerUp, for a schedule row (the argument is not read).
void dropPowerUpRow(int);

// ---------------------------------------------------------------------------
// The frame of stages 2 and 3
// ---------------------------------------------------------------------------
// A shot pool's mover and, right after it, its draw.
struct PoolPass {
    TimelineCall move, draw;
    int32_t pool;
};

struct LateStageFrame {
    int32_t stage;
    float scrollRate;                    // stage clock units a second
    void (*backgrounds[3])();            // farthest first
    std::span<const DistanceWindow> powerUpWindows;
    SideEnemyPair sideEnemies;
    BossBand bossBand;
    std::span<const DistanceWindow> schedule;
    std::span<const int32_t> coinSlots;
    std::span<const PoolPass> shotPools;
    std::span<const EnemyShotRow> aimedFives;
    void (*exitCheck)();                 // nullptr: the stage has none
};

// One frame, in this order: the pause check (a paused frame ends there);
// the clock; backgrounds and fan pieces; the power-up and its windows; the
// side enemies; the boss band; the player's shots; the enemy slots; the
// side enemies moved; the schedule; the ship and its pods; the coins; the
// shot pools; the enemies' shots; the sparks; laser, score bar, continue
// prompt and the present; then the ship moved, the fan pieces stepped, the
// hit pass, and the exit check.
void runLateStageFrame(const LateStageFrame& frame);
