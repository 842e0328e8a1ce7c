// Every shot pool of the three bosses, as data.
//
// Each family has one constant table whose rows are its pools, in the order
// that names them: row i of a table is "stage-S family pool K" with S and K
// given in the row, found with find...Pool(S, K). A row holds every constant
// of its pool (record count, geometry, speeds, timer cycle and fire counts,
// player box, draw style and image); the records of all pools of a family
// lie in one fixed global array, pool after pool, reached with
// ...PoolRecords(row).
//
// The routines of each role (arming, fire timers, moving, drawing) are one
// routine per family that reads a row. Drawing is here, the reset is
// resetObjectPools; the arming, timing and moving of each family come with
// the family's own work and read the same rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>

#include "assets/asset_list.h"
#include "engine/variant.h"
#include "stages/stage1/shot_records.h"

// ---------------------------------------------------------------------------
// Table helpers
// ---------------------------------------------------------------------------
template <typename Row, std::size_t N>
constexpr std::array<int32_t, N> firstRecordIndices(const Row (&rows)[N]) {
    std::array<int32_t, N> first{};
    int32_t next = 0;
    for (std::size_t i = 0; i < N; ++i) {
        first[i] = next;
        next += rows[i].count;
    }
    return first;
}

template <typename Row, std::size_t N>
constexpr int32_t totalRecordCount(const Row (&rows)[N]) {
    int32_t total = 0;
    for (const Row& row : rows) total += row.count;
    return total;
}

// Row index of stage-S pool K of a family table, -1 when it has no such pool.
template <typename Row, std::size_t N>
constexpr int findPoolRow(const Row (&rows)[N], int stage, int ordinal) {
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].stage == stage && rows[i].ordinal == ordinal) return static_cast<int>(i);
    }
    return -1;
}

// A fixed turn of pi * num / den radians, as a single-precision constant.
constexpr float piFraction(double num, double den) { return static_cast<float>(PiD * num / den); }

// ---------------------------------------------------------------------------
// Draw styles and images used by the pools
// ---------------------------------------------------------------------------
inline constexpr ShotPoolDraw plainVall301{DrawStyle::Plain, &imgVall301, nullptr, 0, 0, 30, 30, 0};
inline constexpr ShotPoolDraw plainVall302{DrawStyle::Plain, &imgVall302, nullptr, 0, 0, 30, 30, 0};
inline constexpr ShotPoolDraw plainVall3011{DrawStyle::Plain, &imgVall3011, nullptr, 0, 0, 30, 30, 0};
inline constexpr ShotPoolDraw plainVall20{DrawStyle::Plain, &imgVall20, nullptr, 0, 0, 20, 20, 0};
inline constexpr ShotPoolDraw plainVal405{DrawStyle::Plain, &imgVal405, nullptr, 120, 0, 40, 40, 0};
inline constexpr ShotPoolDraw plainVal40l{DrawStyle::Plain, &imgVal40l, nullptr, 0, 0, 39, 39, 0};
inline constexpr ShotPoolDraw plainVal40l1{DrawStyle::Plain, &imgVal40l1, nullptr, 0, 0, 39, 39, 0};
inline constexpr ShotPoolDraw plainVal40l2{DrawStyle::Plain, &imgVal40l2, nullptr, 0, 0, 39, 39, 0};
inline constexpr ShotPoolDraw animatedVal20241{DrawStyle::Animated, &imgVal20241, nullptr, 0, 0, 20, 20, 24};
inline constexpr ShotPoolDraw animatedVal1{DrawStyle::Animated, &imgVal1, nullptr, 0, 0, 16, 16, 16};
inline constexpr ShotPoolDraw chainVal404{DrawStyle::Chain, &imgVal404, nullptr, 0, 0, 40, 40, 7};
inline constexpr ShotPoolDraw chainVal402{DrawStyle::Chain, &imgVal402, nullptr, 0, 0, 40, 40, 5};
inline constexpr ShotPoolDraw alternatingVal405{DrawStyle::Alternating, &imgVal405, nullptr, 0, 0, 40, 40, 0};
inline constexpr ShotPoolDraw activeRay4{DrawStyle::ActiveOnly, &imgRay4, nullptr, 0, 0, 30, 30, 0};
inline constexpr ShotPoolDraw activeRay5{DrawStyle::ActiveOnly, &imgRay5, nullptr, 0, 0, 40, 40, 0};
inline constexpr ShotPoolDraw activeRay6{DrawStyle::ActiveOnly, &imgRay6, nullptr, 0, 0, 50, 50, 0};
inline constexpr ShotPoolDraw sweepLineDrawLeft{DrawStyle::SweepLine, &imgVal3017a, &imgVal3015a, 0, 0, 30, 30, 0};
inline constexpr ShotPoolDraw sweepLineDrawRight{DrawStyle::SweepLine, &imgVal3018a, &imgVal3016a, 0, 0, 30, 30, 0};

// ---------------------------------------------------------------------------
// Aimed volleys: lines of aimed shots from one emitter on the boss
// ---------------------------------------------------------------------------
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

// ---------------------------------------------------------------------------
// Falling volleys (and the segmented columns, which move and draw the same)
// ---------------------------------------------------------------------------
enum class VolleyShape : int32_t {
    Arc,        // x of the armed record := bx + X; y of every record of the group := by + Y[place]
    Pair,       // x of both records := bx + XL, bx + XR; y of the armed record := by + Y
    SpreadArc,  // x and y of every record of the group from the spread offsets around bx + X
    Column,     // x of the armed record := bx + X; y of the three records := by + Y[place]
};

constexpr int MaxVolleyGroups = 10;
constexpr int MaxGroupSize = 7;

struct VolleyPool {
    int32_t stage, ordinal;
    int32_t count;
    int32_t groupSize;                     // G: group g holds records gG .. gG + G - 1
    int32_t cycle;                         // W: the counters run 1 .. W - 1, 0
    int32_t fireCounts[MaxVolleyGroups];   // by group; a count of W or more never fires
    VolleyShape shape;
    float shapeX[2];                       // X, or XL and XR of a pair
    float shapeY[MaxGroupSize];            // by place in the group; a pair's Y in [0]
    const float* drift;                    // px/s by place in the group; nullptr: none
    float sidewaysSpeed;                   // S, 0 where the pool has none
    float fallSpeed;                       // V
    HitBox box;
    ShotPoolDraw draw;
};

// Drift patterns, px/s by place in the group.
inline constexpr float driftArc7[7] = {-210, -140, -70, 0, 70, 140, 210};
inline constexpr float driftFan5[5] = {-100, -50, 0, 50, 100};
inline constexpr float driftFan5Edge[5] = {-100, 0, 0, 0, 100};
inline constexpr float driftAlt120[2] = {-120, 120};
inline constexpr float driftAlt20[2] = {-20, 20};
inline constexpr float driftSeg3Right[3] = {30, 60, 90};
inline constexpr float driftSeg3Left[3] = {-30, -60, -90};

// The spread arc's x offsets around its centre, by place.
inline constexpr float spreadArcX[5] = {-44, -22, 0, 22, 44};
// A volley shot retires once y > 600.
constexpr float volleyBottom = 600.0f;

inline constexpr VolleyPool volleyPools[] = {
    // stage 1 (boss1)
    {1, 1, 35, 7, 140, {25, 50, 75, 100, 125}, VolleyShape::Arc, {200, 0},
     {154, 183, 194, 200, 194, 183, 154}, driftArc7, 0, 200, {-10, 30, 0, 30}, chainVal404},
    {1, 2, 20, 2, 150, {10, 20, 30, 70, 80, 90, 130, 140, 150, 160}, VolleyShape::Pair, {120, 280},
     {130}, driftAlt120, 0, 250, {0, 20, 0, 20}, alternatingVal405},
    {1, 3, 20, 2, 150, {10, 20, 30, 70, 80, 90, 130, 140, 150, 160}, VolleyShape::Pair, {120, 280},
     {130}, nullptr, 0, 280, {0, 20, 0, 20}, plainVal405},
    {1, 4, 20, 2, 140, {10, 20, 30, 40, 50, 80, 90, 100, 110, 120}, VolleyShape::Pair, {110, 310},
     {170}, nullptr, 0, 200, {10, 30, 20, 30}, plainVall20},
    {1, 5, 20, 2, 140, {10, 20, 30, 40, 50, 80, 90, 100, 110, 120}, VolleyShape::Pair, {75, 345},
     {150}, nullptr, 0, 200, {10, 30, 20, 30}, plainVall20},

    // stage 2 (boss2)
    {2, 1, 50, 5, 230, {20, 40, 60, 80, 100, 120, 140, 160, 180, 200}, VolleyShape::Arc, {240, 0},
     {110, 133, 140, 133, 110}, driftFan5, 0, 130, {10, 30, 20, 30}, animatedVal20241},
    {2, 2, 20, 2, 150, {10, 20, 30, 70, 80, 90, 130, 140, 150, 160}, VolleyShape::Pair, {150, 310},
     {130}, driftAlt120, 0, 250, {0, 20, 0, 20}, alternatingVal405},
    {2, 3, 20, 2, 150, {10, 20, 30, 70, 80, 90, 130, 140, 150, 160}, VolleyShape::Pair, {150, 310},
     {130}, nullptr, 0, 280, {0, 20, 0, 20}, plainVal405},
    {2, 4, 50, 5, 860, {80, 160, 240, 320, 400, 480, 560, 640, 720, 800}, VolleyShape::Arc, {200, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 120, {0, 20, 0, 20}, chainVal402},
    {2, 5, 50, 5, 860, {80, 160, 240, 320, 400, 480, 560, 640, 720, 800}, VolleyShape::Arc, {260, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 120, {0, 20, 0, 20}, chainVal402},
    {2, 6, 50, 5, 260, {10, 20, 30, 40, 100, 110, 120, 180, 190, 200}, VolleyShape::Arc, {110, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 120, {0, 20, 0, 20}, chainVal402},
    {2, 7, 50, 5, 260, {10, 20, 30, 40, 100, 110, 120, 180, 190, 200}, VolleyShape::Arc, {350, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 120, {0, 20, 0, 20}, chainVal402},
    {2, 8, 50, 5, 150, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, VolleyShape::SpreadArc, {120, 0},
     {50, 73, 80, 73, 50}, driftFan5Edge, 0, 180, {10, 30, 20, 30}, animatedVal20241},
    {2, 9, 50, 5, 150, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, VolleyShape::SpreadArc, {360, 0},
     {50, 73, 80, 73, 50}, driftFan5Edge, 0, 180, {10, 30, 20, 30}, animatedVal20241},

    // stage 3 (boss3)
    {3, 1, 50, 5, 150, {10, 20, 30, 40, 50, 80, 90, 100, 120, 130}, VolleyShape::Arc, {210, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 210, {10, 30, 20, 30}, plainVall20},
    {3, 2, 20, 2, 140, {10, 20, 30, 40, 50, 80, 90, 100, 110, 120}, VolleyShape::Pair, {120, 280},
     {200}, nullptr, 0, 200, {-10, 30, 0, 30}, plainVal405},
    {3, 3, 20, 2, 140, {10, 20, 30, 40, 50, 80, 90, 100, 110, 120}, VolleyShape::Pair, {100, 300},
     {180}, nullptr, 0, 200, {-10, 30, 0, 30}, plainVal405},
    {3, 4, 20, 2, 140, {10, 20, 30, 40, 50, 80, 90, 100, 110, 120}, VolleyShape::Pair, {80, 320},
     {180}, driftAlt20, 0, 200, {-10, 30, 0, 30}, plainVal405},
    {3, 5, 50, 5, 200, {10, 20, 30, 60, 70, 80, 110, 120, 130, 140}, VolleyShape::Arc, {150, 0},
     {60, 83, 90, 83, 60}, driftFan5, 90, 110, {10, 30, 20, 30}, plainVall20},
    {3, 6, 50, 5, 200, {10, 20, 30, 60, 70, 80, 110, 120, 130, 140}, VolleyShape::Arc, {270, 0},
     {60, 83, 90, 83, 60}, driftFan5, -90, 110, {10, 30, 20, 30}, plainVall20},
    {3, 7, 50, 5, 720, {60, 120, 180, 240, 300, 360, 420, 480, 540, 600}, VolleyShape::Arc, {90, 0},
     {30, 53, 60, 53, 30}, driftFan5, 0, 280, {10, 30, 20, 30}, plainVall20},
    {3, 8, 50, 5, 720, {60, 120, 180, 240, 300, 360, 420, 480, 540, 600}, VolleyShape::Arc, {330, 0},
     {30, 53, 60, 53, 30}, driftFan5, 0, 280, {10, 30, 20, 30}, plainVall20},
};
constexpr int VolleyPoolCount = static_cast<int>(std::size(volleyPools));

// The stage-1 segmented columns: armed by their own timers, three shots one
// above the other, then moved and drawn as falling volleys.
inline constexpr VolleyPool segmentedPools[] = {
    {1, 1, 30, 3, 800, {60, 120, 180, 240, 300, 360, 420, 480, 540, 600}, VolleyShape::Column, {90, 0},
     {90, 113, 120}, driftSeg3Right, 0, 120, {10, 30, 20, 30}, plainVall20},
    {1, 2, 30, 3, 800, {60, 120, 180, 240, 300, 360, 420, 480, 540, 600}, VolleyShape::Column, {330, 0},
     {90, 113, 120}, driftSeg3Left, 0, 120, {10, 30, 20, 30}, plainVall20},
};
constexpr int SegmentedPoolCount = static_cast<int>(std::size(segmentedPools));

// ---------------------------------------------------------------------------
// Fan waves: fans (or rings of 12) from a muzzle on the boss, aimed at the player
// ---------------------------------------------------------------------------
enum class FanSpread : int32_t {
    Fan,   // offset (i - first) x 12 degrees - (n - 1) x 6 degrees
    Ring,  // offset i x 30 degrees, i the record's index in the whole pool
};
enum class FanShotSize : int32_t { Small, Large };

// What a shot size fixes: the aim point, the screen bounds and the player box.
struct FanShotSizeRule {
    float aimOffset;  // added to playerX and to playerY
    float left, top;  // retired when x < left or y < top (or beyond the right and bottom)
    HitBox box;
};
inline constexpr FanShotSizeRule fanShotSizes[] = {
    {20, -20, -20, {10, 30, 20, 30}},  // small, 20x20
    {10, -40, -40, {-10, 30, 0, 30}},  // large, 39x39
};
constexpr float fanShotRight = rightEdgeX(800.0f);
constexpr float fanShotBottom = 600.0f;
constexpr float fanStep = piFraction(1, 15);   // 12 degrees between the shots of a fan
constexpr float ringStep = piFraction(1, 6);   // 30 degrees between the shots of a ring

constexpr int MaxFanWaves = 6;

struct FanPool {
    int32_t stage, ordinal;
    ShotRecordType recordType;          // Fan or CompactFan
    int32_t count;
    int32_t shotsPerWave;               // n: wave g holds records gn .. gn + n - 1
    int32_t cycle;                      // W
    int32_t fireCounts[MaxFanWaves];    // by wave
    float muzzleX, muzzleY;             // offset from the boss
    FanSpread spread;
    float speed;                        // px/s
    FanShotSize size;
    ShotPoolDraw draw;
};

inline constexpr FanPool fanPools[] = {
    // stage 1 (boss1)
    {1, 1, ShotRecordType::Fan, 35, 7, 190, {30, 60, 90, 120, 150}, 210, 130, FanSpread::Fan, 200,
     FanShotSize::Small, plainVall20},
    {1, 2, ShotRecordType::Fan, 35, 7, 190, {20, 40, 60, 80, 100}, 210, 130, FanSpread::Fan, 200,
     FanShotSize::Small, animatedVal20241},
    {1, 3, ShotRecordType::Fan, 25, 5, 260, {40, 80, 120, 160, 200}, 210, 130, FanSpread::Fan, 220,
     FanShotSize::Small, animatedVal20241},
    {1, 4, ShotRecordType::Fan, 25, 5, 260, {40, 80, 120, 160, 200}, 200, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l},

    // stage 2 (boss2)
    {2, 1, ShotRecordType::Fan, 55, 11, 260, {40, 80, 120, 160, 200}, 230, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l2},
    {2, 2, ShotRecordType::Fan, 55, 11, 260, {40, 80, 120, 160, 200}, 100, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l2},
    {2, 3, ShotRecordType::Fan, 55, 11, 260, {40, 80, 120, 160, 200}, 360, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l2},
    {2, 4, ShotRecordType::Fan, 15, 3, 260, {40, 80, 120, 160, 200}, 130, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l2},
    {2, 5, ShotRecordType::Fan, 15, 3, 260, {40, 80, 120, 160, 200}, 330, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l2},
    {2, 6, ShotRecordType::Fan, 35, 7, 260, {40, 80, 120, 160, 200}, 110, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l2},
    {2, 7, ShotRecordType::Fan, 35, 7, 260, {40, 80, 120, 160, 200}, 350, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l2},
    {2, 8, ShotRecordType::CompactFan, 72, 12, 200, {30, 50, 90, 110, 130, 150}, 140, 130, FanSpread::Ring,
     140, FanShotSize::Small, animatedVal20241},
    {2, 9, ShotRecordType::CompactFan, 72, 12, 200, {30, 50, 90, 110, 130, 150}, 340, 130, FanSpread::Ring,
     140, FanShotSize::Small, animatedVal20241},

    // stage 3 (boss3): seven triples (centre muzzle and two mirrored side muzzles), then two small fans
    {3, 1, ShotRecordType::Fan, 55, 11, 260, {40, 80, 120, 160, 200}, 200, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 2, ShotRecordType::Fan, 55, 11, 260, {40, 80, 120, 160, 200}, 70, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 3, ShotRecordType::Fan, 55, 11, 260, {40, 80, 120, 160, 200}, 330, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 4, ShotRecordType::Fan, 65, 13, 260, {40, 80, 120, 160, 200}, 200, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 5, ShotRecordType::Fan, 65, 13, 260, {40, 80, 120, 160, 200}, 60, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 6, ShotRecordType::Fan, 65, 13, 260, {40, 80, 120, 160, 200}, 340, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 7, ShotRecordType::Fan, 75, 15, 260, {40, 80, 120, 160, 200}, 200, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 8, ShotRecordType::Fan, 75, 15, 260, {40, 80, 120, 160, 200}, 50, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 9, ShotRecordType::Fan, 75, 15, 260, {40, 80, 120, 160, 200}, 350, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 10, ShotRecordType::Fan, 15, 3, 260, {40, 80, 120, 160, 200}, 200, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 11, ShotRecordType::Fan, 15, 3, 260, {40, 80, 120, 160, 200}, 100, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 12, ShotRecordType::Fan, 15, 3, 260, {40, 80, 120, 160, 200}, 300, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 13, ShotRecordType::Fan, 25, 5, 260, {40, 80, 120, 160, 200}, 200, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 14, ShotRecordType::Fan, 25, 5, 260, {40, 80, 120, 160, 200}, 80, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 15, ShotRecordType::Fan, 25, 5, 260, {40, 80, 120, 160, 200}, 320, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 16, ShotRecordType::Fan, 35, 7, 260, {40, 80, 120, 160, 200}, 200, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 17, ShotRecordType::Fan, 35, 7, 260, {40, 80, 120, 160, 200}, 80, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 18, ShotRecordType::Fan, 35, 7, 260, {40, 80, 120, 160, 200}, 320, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 19, ShotRecordType::Fan, 45, 9, 260, {40, 80, 120, 160, 200}, 200, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 20, ShotRecordType::Fan, 45, 9, 260, {40, 80, 120, 160, 200}, 70, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 21, ShotRecordType::Fan, 45, 9, 260, {40, 80, 120, 160, 200}, 330, 130, FanSpread::Fan, 220,
     FanShotSize::Large, plainVal40l1},
    {3, 22, ShotRecordType::CompactFan, 15, 3, 200, {20, 40, 90, 110, 160}, 60, 100, FanSpread::Fan, 150,
     FanShotSize::Small, animatedVal20241},
    {3, 23, ShotRecordType::CompactFan, 15, 3, 200, {20, 40, 90, 110, 160}, 360, 100, FanSpread::Fan, 150,
     FanShotSize::Small, animatedVal20241},
};
constexpr int FanPoolCount = static_cast<int>(std::size(fanPools));

// ---------------------------------------------------------------------------
// Sweeps: lines of 7 that leave the boss diagonally and curve downwards
// ---------------------------------------------------------------------------
constexpr int SweepRecordCount = 7;

struct SweepPool {
    int32_t stage, ordinal;
    int32_t count;
    float startX, startY;  // offset from the boss
    float startAngle;
    int32_t side;          // -1 left-going, +1 right-going
    float turnStep;        // radians per frame while turning
    ShotPoolDraw draw;
};

inline constexpr float sweepSpeeds[SweepRecordCount] = {163, 171, 178, 184, 188, 191, 193};
inline constexpr float sweepDrifts[SweepRecordCount] = {16, 9, 2, -5, -12, -19, -26};
constexpr float sweepTurnRate = 20.0f;  // turnTimer per second
constexpr float sweepTurnEnd = 17.0f;   // the turn stops once turnTimer reaches this
constexpr float sweepTurnHeld = 18.0f;  // and turnTimer is held here
constexpr float sweepLineMargin = 30.0f;
constexpr float sweepLineRight = rightEdgeX(800.0f);
constexpr float sweepLineBottom = 600.0f;
constexpr HitBox sweepShotBox{0, 30, 10, 30};

inline constexpr SweepPool sweepPools[] = {
    {2, 1, 7, 185, 30, -piFraction(1, 5), -1, piFraction(1, 140), sweepLineDrawLeft},
    {2, 2, 7, 285, 30, piFraction(1, 5), 1, piFraction(1, 140), sweepLineDrawRight},
    {3, 1, 7, 205, 30, -piFraction(1, 5), -1, piFraction(1, 140), sweepLineDrawLeft},
    {3, 2, 7, 205, 30, piFraction(1, 5), 1, piFraction(1, 140), sweepLineDrawRight},
    {3, 3, 7, 165, 20, -piFraction(1, 5), -1, piFraction(1, 160), sweepLineDrawLeft},
    {3, 4, 7, 245, 20, piFraction(1, 5), 1, piFraction(1, 160), sweepLineDrawRight},
};
constexpr int SweepPoolCount = static_cast<int>(std::size(sweepPools));

// ---------------------------------------------------------------------------
// Salvos: clusters of 2 to 4 shots that fall from one point and spread
// ---------------------------------------------------------------------------
constexpr int MaxSalvoRecords = 4;

struct SalvoPool {
    int32_t stage, ordinal;
    int32_t count;
    float startX, startY;          // offset from the boss
    float push[MaxSalvoRecords];   // px/s by record, applied once per record of the pool each frame
    float fallSpeed;
    ShotPoolDraw draw;
};

constexpr HitBox salvoShotBox{14, 30, 24, 30};
constexpr float salvoBottom = 600.0f;

inline constexpr SalvoPool salvoPools[] = {
    {2, 1, 2, 242, 200, {-15, 15}, 140, animatedVal1},
    {2, 2, 2, 212, 110, {-15, 15}, 140, animatedVal1},
    {2, 3, 2, 272, 110, {-15, 15}, 140, animatedVal1},
    {2, 4, 3, 242, 200, {-13, 0, 13}, 120, animatedVal1},
    {2, 5, 3, 192, 150, {-13, 0, 13}, 120, animatedVal1},
    {2, 6, 3, 292, 150, {-13, 0, 13}, 120, animatedVal1},
    {2, 7, 3, 162, 110, {-13, 0, 13}, 120, animatedVal1},
    {2, 8, 3, 322, 110, {-13, 0, 13}, 120, animatedVal1},
    {2, 9, 4, 242, 200, {-7, 7, -20, 20}, 110, animatedVal1},
};
constexpr int SalvoPoolCount = static_cast<int>(std::size(salvoPools));

// ---------------------------------------------------------------------------
// Boss-1 ring spirals: one shot every 10 frames, each turned 10 degrees further
// ---------------------------------------------------------------------------
constexpr int RingRecordCount = 36;   // records 0..34 are ever armed
constexpr int RingArmedRecords = 35;

struct RingPool {
    int32_t stage, ordinal;
    int32_t count;
    float startX, startY;  // offset from boss1
    int32_t turnSign;      // record k's angle is turnSign x k x 10 degrees
    int32_t moverSign;     // +1 flies along the angle, -1 against it
    ShotPoolDraw draw;
};

constexpr float ringShotSpeed = 110.0f;
constexpr double ringTurnDegrees = 10.0;
constexpr int32_t ringCounterStart = 10;  // the counter restarts here
constexpr int32_t ringCounterEnd = 359;   // and does so once it is this or more
constexpr float ringShotRight = rightEdgeX(800.0f);
constexpr float ringShotLeft = -20.0f, ringShotTop = -20.0f, ringShotBottom = 600.0f;
constexpr HitBox ringShotBox{10, 30, 20, 30};

inline constexpr RingPool ringPools[RingPoolCount] = {
    {1, 1, RingRecordCount, 210, 130, -1, -1, animatedVal20241},
    {1, 2, RingRecordCount, 210, 130, 1, 1, animatedVal20241},
    {1, 3, RingRecordCount, 120, 130, -1, -1, animatedVal20241},
    {1, 4, RingRecordCount, 300, 130, 1, 1, animatedVal20241},
    {1, 5, RingRecordCount, 120, 130, 1, 1, animatedVal20241},
    {1, 6, RingRecordCount, 300, 130, -1, -1, animatedVal20241},
};

// ---------------------------------------------------------------------------
// Curving missile streams of the stage-3 boss (they never harm the ship)
// ---------------------------------------------------------------------------
constexpr int MissileStreamRecordCount = 50;
constexpr int32_t missileStreamCycle = 150;   // counter 0..149
constexpr int32_t missileLaunchSpacing = 3;   // a launch on every third count
constexpr int32_t missileBottom = 600;

// Whole-pixel steps per frame while the missile's clock lies in [low, high].
struct MissileBand {
    float low, high;
    int32_t stepX, stepY;  // for a left-hand stream; right-hand streams negate stepX
};

inline constexpr MissileBand missileBandsHook3[] = {
    {0, 3, -6, 0}, {4, 6, -6, 3}, {7, 9, -6, 6}, {10, 12, -3, 6}, {13, 15, 0, 6},
    {16, 18, 1, 6}, {19, 21, 2, 6}, {22, 250, 3, 6},
};
inline constexpr MissileBand missileBandsHook5[] = {
    {0, 3, -6, 0}, {4, 6, -6, 3}, {7, 9, -6, 6}, {10, 12, -3, 6}, {13, 15, 0, 6},
    {16, 18, 1, 6}, {19, 21, 2, 6}, {22, 24, 3, 6}, {25, 27, 4, 6}, {28, 250, 5, 6},
};
inline constexpr MissileBand missileBandsHook10[] = {
    {0, 3, -6, 0}, {4, 6, -6, 3}, {7, 9, -6, 6}, {10, 12, -3, 6}, {13, 15, 0, 6},
    {16, 18, 1, 6}, {19, 21, 2, 6}, {22, 24, 3, 6}, {25, 27, 4, 6}, {28, 30, 5, 6},
    {31, 33, 6, 6}, {34, 36, 7, 6}, {37, 39, 8, 6}, {40, 280, 10, 6},
};

struct MissileStreamPool {
    int32_t stage, ordinal;
    int32_t count;
    int32_t stepXSign;            // +1 left-hand stream, -1 right-hand stream
    int32_t launchX, launchY;     // offset from the boss's position cut to whole pixels
    float timerRate;              // clock units per second
    std::span<const MissileBand> bands;
    ShotPoolDraw draw;
};

inline constexpr MissileStreamPool missileStreamPools[MissileStreamCount] = {
    {3, 1, MissileStreamRecordCount, 1, 135, 135, 20, missileBandsHook3, activeRay4},
    {3, 2, MissileStreamRecordCount, -1, 275, 135, 20, missileBandsHook3, activeRay4},
    {3, 3, MissileStreamRecordCount, 1, 130, 130, 30, missileBandsHook5, activeRay5},
    {3, 4, MissileStreamRecordCount, -1, 270, 130, 30, missileBandsHook5, activeRay5},
    {3, 5, MissileStreamRecordCount, 1, 125, 105, 40, missileBandsHook10, activeRay6},
    {3, 6, MissileStreamRecordCount, -1, 265, 105, 40, missileBandsHook10, activeRay6},
};

// ---------------------------------------------------------------------------
// Record storage: each family's pools, one after another
// ---------------------------------------------------------------------------
inline constexpr auto aimedPoolFirst = firstRecordIndices(aimedPools);
inline constexpr auto volleyPoolFirst = firstRecordIndices(volleyPools);
inline constexpr auto segmentedPoolFirst = firstRecordIndices(segmentedPools);
inline constexpr auto fanPoolFirst = firstRecordIndices(fanPools);
inline constexpr auto sweepPoolFirst = firstRecordIndices(sweepPools);
inline constexpr auto salvoPoolFirst = firstRecordIndices(salvoPools);
inline constexpr auto ringPoolFirst = firstRecordIndices(ringPools);
inline constexpr auto missileStreamPoolFirst = firstRecordIndices(missileStreamPools);

extern AimedShot aimedShotRecords[totalRecordCount(aimedPools)];
extern VolleyShot volleyShotRecords[totalRecordCount(volleyPools)];
extern VolleyShot segmentedShotRecords[totalRecordCount(segmentedPools)];
extern FanShot fanShotRecords[totalRecordCount(fanPools)];
extern SweepShot sweepShotRecords[totalRecordCount(sweepPools)];
extern VolleyShot salvoShotRecords[totalRecordCount(salvoPools)];
extern FanShot ringShotRecords[totalRecordCount(ringPools)];
extern CurvingMissile curvingMissileRecords[totalRecordCount(missileStreamPools)];

// The records of one pool (nullptr for a row that does not exist).
AimedShot* aimedPoolRecords(int pool);
VolleyShot* volleyPoolRecords(int pool);
VolleyShot* segmentedPoolRecords(int pool);
FanShot* fanPoolRecords(int pool);
SweepShot* sweepPoolRecords(int pool);
VolleyShot* salvoPoolRecords(int pool);
FanShot* ringPoolRecords(int pool);
CurvingMissile* missileStreamPoolRecords(int pool);

// Row of stage-S pool K of each family, -1 when there is none.
constexpr int findAimedPool(int stage, int ordinal) { return findPoolRow(aimedPools, stage, ordinal); }
constexpr int findVolleyPool(int stage, int ordinal) { return findPoolRow(volleyPools, stage, ordinal); }
constexpr int findSegmentedPool(int stage, int ordinal) { return findPoolRow(segmentedPools, stage, ordinal); }
constexpr int findFanPool(int stage, int ordinal) { return findPoolRow(fanPools, stage, ordinal); }
constexpr int findSweepPool(int stage, int ordinal) { return findPoolRow(sweepPools, stage, ordinal); }
constexpr int findSalvoPool(int stage, int ordinal) { return findPoolRow(salvoPools, stage, ordinal); }
constexpr int findRingPool(int stage, int ordinal) { return findPoolRow(ringPools, stage, ordinal); }
constexpr int findMissileStreamPool(int stage, int ordinal) {
    return findPoolRow(missileStreamPools, stage, ordinal);
}

// The draw of one pool, right after its mover: drawShotPool with the row's style.
void drawAimedPool(int pool);
void drawVolleyPool(int pool);
void drawSegmentedPool(int pool);
void drawFanPool(int pool);
void drawSweepPool(int pool);
void drawSalvoPool(int pool);
void drawRingPool(int pool);
void drawMissileStreamPool(int pool);
