// Aimed volleys: lines of aimed shots from one emitter on the boss.
#pragma once

#include <cstdint>
#include <iterator>

#include "engine/variant.h"
#include "game/shots/shot_records.h"

inline constexpr ShotPoolDraw plainVall301{DrawStyle::Plain, &imgVall301, nullptr, 0, 0, 30, 30, 0};
inline constexpr ShotPoolDraw plainVall302{DrawStyle::Plain, &imgVall302, nullptr, 0, 0, 30, 30, 0};
inline constexpr ShotPoolDraw plainVall3011{DrawStyle::Plain, &imgVall3011, nullptr, 0, 0, 30, 30, 0};

enum class SideStep : int32_t { None, Left, Right };

// What retires a line, tested on record 0 after its flight: beyond the
// screen edge, and for the enemies' shots also every shot called back
// (clearShots 1). The bosses' and the enemies' lines stay where they are;
// an enemy's single shot is parked.
enum class LineExit : int32_t { InPlace, InPlaceOrCalledBack, ParkedOrCalledBack };

struct AimedPool {
    int32_t stage, ordinal;  // stage 0: an enemy slot's shots, named by their owner
    int32_t count;
    ShotOwner owner;
    float centreX;        // cx: added to the owner's x first
    float sideX;          // ex: added next (negative for a left emitter)
    float emitterY;       // ey: added to the owner's y
    float aimOffset;      // a
    float turn;           // angle offset, added before the half turn
    const float* speeds;  // px/s by record index; nullptr: a drawn speed per shot
    SideStep sideStep;
    HitBox box;           // the player box
    LineExit exit;
    ShotPoolDraw draw;    // the enemies' shots have none: their draws take a style per call
};

inline constexpr float aimedSpeedsS5[5] = {260, 280, 300, 320, 340};
inline constexpr float aimedSpeedsS8[8] = {260, 280, 300, 320, 340, 360, 380, 400};
inline constexpr float aimedSpeedsF5[5] = {170, 200, 230, 250, 270};

// A line retires when record 0 has x + 30 < 0, x > right, y + 30 < 0 or y > 600.
constexpr float aimedLineMargin = 30.0f;
constexpr float aimedLineRight = rightEdgeX(800.0f);
constexpr float aimedLineBottom = 600.0f;
constexpr HitBox aimedShotBox{0, 30, 10, 30};
// A shot without a speed table draws one number that is not used, then its
// speed: 130 + rand() % 50 px/s.
constexpr int32_t drawnSpeedBase = 130, drawnSpeedSpread = 50;
// Side-step pools drift while their clock, at 260 per second, stays at 300 or below.
constexpr float sideStepRate = 260.0f;
constexpr float sideStepEnd = 300.0f;

// The enemy slots' shots: slot k owns one aimed shot and one line of five,
// each a pool of its own. They fly by the same rules as the bosses' lines
// with their own emitter, speeds, player box and line exit.
constexpr int32_t SlotShotOrdinal = 1, SlotLineOrdinal = 2;
constexpr int SlotShotOwners = 24;
constexpr HitBox slotShotBox{10, 30, 20, 30};
constexpr HitBox slotLineBox{10, 30, 10, 30};
inline constexpr ShotPoolDraw noPoolDraw{DrawStyle::Plain, nullptr, nullptr, 0, 0, 0, 0, 0};
constexpr AimedPool slotShotRow(int slot) {
    return {0, SlotShotOrdinal, 1, enemySlotOwner(slot), 25, 0, 50, 15, 0, nullptr, SideStep::None, slotShotBox,
            LineExit::ParkedOrCalledBack, noPoolDraw};
}
constexpr AimedPool slotLineRow(int slot) {
    return {0, SlotLineOrdinal, 5, enemySlotOwner(slot), 25, 0, 25, 15, 0, aimedSpeedsS5, SideStep::None,
            slotLineBox, LineExit::InPlaceOrCalledBack, noPoolDraw};
}

inline constexpr AimedPool aimedPools[] = {
    // stage, pool, records, owner, cx, ex, ey, a, turn, speeds, side-step,
    // player box, line exit, draw
    {1, 2, 5, stageBoss(1), 205, -100, 100, 15, 0, aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {1, 3, 5, stageBoss(1), 205, -120, 100, 15, piFraction(1, 10), aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {1, 4, 5, stageBoss(1), 205, -120, 100, 9, 0, aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {1, 5, 5, stageBoss(1), 205, -120, 100, 9, -piFraction(1, 10), aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {1, 6, 5, stageBoss(1), 205, 120, 100, 15, piFraction(1, 10), aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {1, 7, 5, stageBoss(1), 205, 120, 100, 15, 0, aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {1, 8, 5, stageBoss(1), 205, 120, 100, 15, -piFraction(1, 10), aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {1, 10, 5, stageBoss(1), 205, 100, 100, 15, 0, aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},

    {2, 1, 5, stageBoss(2), 235, 120, 100, 15, 0, aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall302},
    {2, 2, 5, stageBoss(2), 235, 120, 100, 15, piFraction(1, 10), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {2, 3, 5, stageBoss(2), 235, 120, 100, 15, piFraction(1, 5), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {2, 4, 5, stageBoss(2), 235, -120, 100, 15, piFraction(3, 10), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {2, 5, 5, stageBoss(2), 235, -120, 100, 15, piFraction(1, 5), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {2, 6, 5, stageBoss(2), 235, -120, 100, 15, piFraction(1, 10), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {2, 7, 5, stageBoss(2), 235, -120, 100, 15, 0, aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall302},
    {2, 8, 5, stageBoss(2), 235, -120, 100, 15, -piFraction(1, 10), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {2, 9, 5, stageBoss(2), 235, -120, 100, 15, -piFraction(1, 5), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {2, 10, 5, stageBoss(2), 235, 120, 100, 15, -piFraction(3, 10), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {2, 11, 5, stageBoss(2), 235, 120, 100, 15, -piFraction(1, 5), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},
    {2, 12, 5, stageBoss(2), 235, 120, 100, 15, -piFraction(1, 10), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall301},

    {3, 1, 5, stageBoss(3), 205, -100, 100, 15, 0, aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 2, 5, stageBoss(3), 205, 120, 100, 15, -piFraction(1, 2), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 3, 5, stageBoss(3), 205, 120, 100, 15, -piFraction(1, 3), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 4, 5, stageBoss(3), 205, 120, 100, 15, -piFraction(1, 6), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 5, 5, stageBoss(3), 205, 120, 100, 15, 0, aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 6, 5, stageBoss(3), 205, 120, 100, 15, piFraction(1, 6), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 7, 5, stageBoss(3), 205, 120, 100, 15, piFraction(1, 3), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 8, 5, stageBoss(3), 205, 120, 100, 15, piFraction(1, 2), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 9, 5, stageBoss(3), 205, -120, 100, 15, piFraction(1, 2), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 10, 5, stageBoss(3), 205, -120, 100, 15, piFraction(1, 3), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 11, 5, stageBoss(3), 205, -120, 100, 15, piFraction(1, 6), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 12, 5, stageBoss(3), 205, -120, 100, 15, 0, aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 13, 5, stageBoss(3), 205, -120, 100, 15, -piFraction(1, 6), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 14, 5, stageBoss(3), 205, -120, 100, 15, -piFraction(1, 3), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 15, 5, stageBoss(3), 205, -120, 100, 15, -piFraction(1, 2), aimedSpeedsF5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 16, 8, stageBoss(3), 205, -100, 100, 15, 0, aimedSpeedsS8, SideStep::Left,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 17, 5, stageBoss(3), 205, 100, 100, 15, 0, aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 18, 8, stageBoss(3), 205, 100, 100, 15, 0, aimedSpeedsS8, SideStep::Right,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 19, 5, stageBoss(3), 205, -130, 140, 15, 0, aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},
    {3, 20, 5, stageBoss(3), 205, 130, 140, 15, 0, aimedSpeedsS5, SideStep::None,
     aimedShotBox, LineExit::InPlace, plainVall3011},

    // the enemy slots' single shots, then their lines of five, slots 0..23
    slotShotRow(0), slotShotRow(1), slotShotRow(2), slotShotRow(3), slotShotRow(4), slotShotRow(5),
    slotShotRow(6), slotShotRow(7), slotShotRow(8), slotShotRow(9), slotShotRow(10), slotShotRow(11),
    slotShotRow(12), slotShotRow(13), slotShotRow(14), slotShotRow(15), slotShotRow(16), slotShotRow(17),
    slotShotRow(18), slotShotRow(19), slotShotRow(20), slotShotRow(21), slotShotRow(22), slotShotRow(23),
    slotLineRow(0), slotLineRow(1), slotLineRow(2), slotLineRow(3), slotLineRow(4), slotLineRow(5),
    slotLineRow(6), slotLineRow(7), slotLineRow(8), slotLineRow(9), slotLineRow(10), slotLineRow(11),
    slotLineRow(12), slotLineRow(13), slotLineRow(14), slotLineRow(15), slotLineRow(16), slotLineRow(17),
    slotLineRow(18), slotLineRow(19), slotLineRow(20), slotLineRow(21), slotLineRow(22), slotLineRow(23),
};
constexpr int AimedPoolCount = static_cast<int>(std::size(aimedPools));

inline constexpr auto aimedPoolFirst = firstRecordIndices(aimedPools);
extern AimedShot aimedShotRecords[totalRecordCount(aimedPools)];

// The records of one pool (nullptr for a row that does not exist).
AimedShot* aimedPoolRecords(int pool);
// Row of stage-S pool K, -1 when there is none.
constexpr int findAimedPool(int stage, int ordinal) { return findPoolRow(aimedPools, stage, ordinal); }

// Row of the first pool of an owner with the given ordinal, -1 when there is none.
constexpr int findOwnedAimedPool(ShotOwner owner, int ordinal) {
    for (int i = 0; i < AimedPoolCount; ++i) {
        const AimedPool& row = aimedPools[i];
        if (row.owner.kind == owner.kind && row.owner.index == owner.index && row.ordinal == ordinal) return i;
    }
    return -1;
}
// Rows of enemy slot `slot`'s single shot and line of five, -1 for no slot.
// The slots' rows stand in slot order, so these are sums.
inline constexpr int firstSlotShotRow = findOwnedAimedPool(enemySlotOwner(0), SlotShotOrdinal);
inline constexpr int firstSlotLineRow = findOwnedAimedPool(enemySlotOwner(0), SlotLineOrdinal);
constexpr int slotAimedShotPool(int slot) {
    return (slot >= 0 && slot < SlotShotOwners) ? firstSlotShotRow + slot : -1;
}
constexpr int slotAimedFivePool(int slot) {
    return (slot >= 0 && slot < SlotShotOwners) ? firstSlotLineRow + slot : -1;
}

// Arms every free record of the pool from the owner's emitter towards the
// player (aim rule of the shot records), the line's speeds rising from
// record 0; a line in flight arms nothing.
void spawnAimedVolley(int pool);
// Flies the active records (side-step pools drift outwards first), frees
// the whole line once record 0 is beyond the screen edge, and tests every
// record, active or not, against the player.
void moveAimedShotPool(int pool);
// The draw of one pool, right after its mover: drawShotPool with the row's style.
void drawAimedPool(int pool);
// Every record of one pool free and parked (one random frame each).
void parkAimedPool(int pool);
// The pools of the three bosses free and parked, row after row (the enemy
// slots' pools are parked with the slots).
void parkAimedPools();
