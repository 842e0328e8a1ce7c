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

struct AimedPool {
    int32_t stage, ordinal;
    int32_t count;
    float centreX;        // cx: added to the boss's x first
    float sideX;          // ex: added next (negative for a left emitter)
    float emitterY;       // ey: added to the boss's y
    float aimOffset;      // a
    float turn;           // angle offset, added before the half turn
    const float* speeds;  // px/s by record index
    SideStep sideStep;
    ShotPoolDraw draw;
};

inline constexpr float aimedSpeedsS5[5] = {260, 280, 300, 320, 340};
inline constexpr float aimedSpeedsS8[8] = {260, 280, 300, 320, 340, 360, 380, 400};
inline constexpr float aimedSpeedsF5[5] = {170, 200, 230, 250, 270};

// A line retires when record 0 has x + 30 < 0, x > right, y + 30 < 0 or y > 600.
constexpr float aimedLineMargin = 30.0f;
constexpr float aimedLineRight = rightEdgeX(800.0f);
constexpr float aimedLineBottom = 600.0f;
constexpr HitBox aimedShotBox{0, 30, 10, 30};
// Side-step pools drift while their clock, at 260 per second, stays at 300 or below.
constexpr float sideStepRate = 260.0f;
constexpr float sideStepEnd = 300.0f;

inline constexpr AimedPool aimedPools[] = {
    // stage, pool, records, cx, ex, ey, a, turn, speeds, side-step, draw
    {1, 2, 5, 205, -100, 100, 15, 0, aimedSpeedsS5, SideStep::None, plainVall301},
    {1, 3, 5, 205, -120, 100, 15, piFraction(1, 10), aimedSpeedsS5, SideStep::None, plainVall301},
    {1, 4, 5, 205, -120, 100, 9, 0, aimedSpeedsS5, SideStep::None, plainVall301},
    {1, 5, 5, 205, -120, 100, 9, -piFraction(1, 10), aimedSpeedsS5, SideStep::None, plainVall301},
    {1, 6, 5, 205, 120, 100, 15, piFraction(1, 10), aimedSpeedsS5, SideStep::None, plainVall301},
    {1, 7, 5, 205, 120, 100, 15, 0, aimedSpeedsS5, SideStep::None, plainVall301},
    {1, 8, 5, 205, 120, 100, 15, -piFraction(1, 10), aimedSpeedsS5, SideStep::None, plainVall301},
    {1, 10, 5, 205, 100, 100, 15, 0, aimedSpeedsS5, SideStep::None, plainVall301},

    {2, 1, 5, 235, 120, 100, 15, 0, aimedSpeedsF5, SideStep::None, plainVall302},
    {2, 2, 5, 235, 120, 100, 15, piFraction(1, 10), aimedSpeedsF5, SideStep::None, plainVall301},
    {2, 3, 5, 235, 120, 100, 15, piFraction(1, 5), aimedSpeedsF5, SideStep::None, plainVall301},
    {2, 4, 5, 235, -120, 100, 15, piFraction(3, 10), aimedSpeedsF5, SideStep::None, plainVall301},
    {2, 5, 5, 235, -120, 100, 15, piFraction(1, 5), aimedSpeedsF5, SideStep::None, plainVall301},
    {2, 6, 5, 235, -120, 100, 15, piFraction(1, 10), aimedSpeedsF5, SideStep::None, plainVall301},
    {2, 7, 5, 235, -120, 100, 15, 0, aimedSpeedsF5, SideStep::None, plainVall302},
    {2, 8, 5, 235, -120, 100, 15, -piFraction(1, 10), aimedSpeedsF5, SideStep::None, plainVall301},
    {2, 9, 5, 235, -120, 100, 15, -piFraction(1, 5), aimedSpeedsF5, SideStep::None, plainVall301},
    {2, 10, 5, 235, 120, 100, 15, -piFraction(3, 10), aimedSpeedsF5, SideStep::None, plainVall301},
    {2, 11, 5, 235, 120, 100, 15, -piFraction(1, 5), aimedSpeedsF5, SideStep::None, plainVall301},
    {2, 12, 5, 235, 120, 100, 15, -piFraction(1, 10), aimedSpeedsF5, SideStep::None, plainVall301},

    {3, 1, 5, 205, -100, 100, 15, 0, aimedSpeedsS5, SideStep::None, plainVall3011},
    {3, 2, 5, 205, 120, 100, 15, -piFraction(1, 2), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 3, 5, 205, 120, 100, 15, -piFraction(1, 3), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 4, 5, 205, 120, 100, 15, -piFraction(1, 6), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 5, 5, 205, 120, 100, 15, 0, aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 6, 5, 205, 120, 100, 15, piFraction(1, 6), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 7, 5, 205, 120, 100, 15, piFraction(1, 3), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 8, 5, 205, 120, 100, 15, piFraction(1, 2), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 9, 5, 205, -120, 100, 15, piFraction(1, 2), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 10, 5, 205, -120, 100, 15, piFraction(1, 3), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 11, 5, 205, -120, 100, 15, piFraction(1, 6), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 12, 5, 205, -120, 100, 15, 0, aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 13, 5, 205, -120, 100, 15, -piFraction(1, 6), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 14, 5, 205, -120, 100, 15, -piFraction(1, 3), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 15, 5, 205, -120, 100, 15, -piFraction(1, 2), aimedSpeedsF5, SideStep::None, plainVall3011},
    {3, 16, 8, 205, -100, 100, 15, 0, aimedSpeedsS8, SideStep::Left, plainVall3011},
    {3, 17, 5, 205, 100, 100, 15, 0, aimedSpeedsS5, SideStep::None, plainVall3011},
    {3, 18, 8, 205, 100, 100, 15, 0, aimedSpeedsS8, SideStep::Right, plainVall3011},
    {3, 19, 5, 205, -130, 140, 15, 0, aimedSpeedsS5, SideStep::None, plainVall3011},
    {3, 20, 5, 205, 130, 140, 15, 0, aimedSpeedsS5, SideStep::None, plainVall3011},
};
constexpr int AimedPoolCount = static_cast<int>(std::size(aimedPools));

inline constexpr auto aimedPoolFirst = firstRecordIndices(aimedPools);
extern AimedShot aimedShotRecords[totalRecordCount(aimedPools)];

// The records of one pool (nullptr for a row that does not exist).
AimedShot* aimedPoolRecords(int pool);
// Row of stage-S pool K, -1 when there is none.
constexpr int findAimedPool(int stage, int ordinal) { return findPoolRow(aimedPools, stage, ordinal); }

// The draw of one pool, right after its mover: drawShotPool with the row's style.
void drawAimedPool(int pool);
// Every record of every aimed pool free and parked (one random frame each).
void parkAimedPools();
