// Falling volleys, and the stage-1 segmented columns, which are the same
// records moved and drawn the same way.
#pragma once

#include <cstdint>
#include <iterator>
#include <span>

#include "engine/variant.h"
#include "game/shots/shot_records.h"

inline constexpr ShotPoolDraw plainVal405{DrawStyle::Plain, &imgVal405, nullptr, 120, 0, 40, 40, 0};
inline constexpr ShotPoolDraw chainVal404{DrawStyle::Chain, &imgVal404, nullptr, 0, 0, 40, 40, 7};
inline constexpr ShotPoolDraw chainVal402{DrawStyle::Chain, &imgVal402, nullptr, 0, 0, 40, 40, 5};
inline constexpr ShotPoolDraw alternatingVal405{DrawStyle::Alternating, &imgVal405, nullptr, 0, 0, 40, 40, 0};

enum class VolleyShape : int32_t {
    Arc,        // x of the armed record := bx + X; y of every record of the group := by + Y[place]
    Pair,       // x of both records := bx + XL, bx + XR; y of the armed record := by + Y
    SpreadArc,  // x and y of every record of the group from the spread offsets around bx + X
    Column,     // as an arc: x of the armed record := bx + X; y of the three records := by + Y[place]
};

constexpr int MaxVolleyGroups = 10;
constexpr int MaxGroupSize = 7;

struct VolleyPool {
    int32_t stage, ordinal;
    int32_t count;
    int32_t groupSize;                     // G: group g holds records gG .. gG + G - 1
    int32_t cycle;                         // W: the counters run 1 .. W - 1, 0
    std::span<const int32_t> fireCounts;   // by group; a count of W or more never fires, nor
                                           // does a group past the end of the list
    VolleyShape shape;
    float shapeX[2];                       // X, or XL and XR of a pair
    float shapeY[MaxGroupSize];            // by place in the group; a pair's Y in [0]
    std::span<const float> drift;          // px/s by place in the group; empty: none
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

// Fire counts by group. The pairs of stage-1 and stage-2 volley pools 2 and 3
// have counts for pairs 1-8 only: pairs 9 and 10 are moved and drawn but
// never fired.
inline constexpr int32_t countsEvery25[] = {25, 50, 75, 100, 125};
inline constexpr int32_t countsPairsCycle150[] = {10, 20, 30, 70, 80, 90, 130, 140};
inline constexpr int32_t countsPairsCycle140[] = {10, 20, 30, 40, 50, 80, 90, 100, 110, 120};
inline constexpr int32_t countsEvery20[] = {20, 40, 60, 80, 100, 120, 140, 160, 180, 200};
inline constexpr int32_t countsEvery80[] = {80, 160, 240, 320, 400, 480, 560, 640, 720, 800};
inline constexpr int32_t countsArcsCycle260[] = {10, 20, 30, 40, 100, 110, 120, 180, 190, 200};
inline constexpr int32_t countsEvery10[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
inline constexpr int32_t countsArcsCycle150[] = {10, 20, 30, 40, 50, 80, 90, 100, 120, 130};
inline constexpr int32_t countsArcsCycle200[] = {10, 20, 30, 60, 70, 80, 110, 120, 130, 140};
inline constexpr int32_t countsEvery60[] = {60, 120, 180, 240, 300, 360, 420, 480, 540, 600};

inline constexpr VolleyPool volleyPools[] = {
    // stage 1 (boss1)
    {1, 1, 35, 7, 140, countsEvery25, VolleyShape::Arc, {200, 0},
     {154, 183, 194, 200, 194, 183, 154}, driftArc7, 0, 200, {-10, 30, 0, 30}, chainVal404},
    {1, 2, 20, 2, 150, countsPairsCycle150, VolleyShape::Pair, {120, 280},
     {130}, driftAlt120, 0, 250, {0, 20, 0, 20}, alternatingVal405},
    {1, 3, 20, 2, 150, countsPairsCycle150, VolleyShape::Pair, {120, 280},
     {130}, {}, 0, 280, {0, 20, 0, 20}, plainVal405},
    {1, 4, 20, 2, 140, countsPairsCycle140, VolleyShape::Pair, {110, 310},
     {170}, {}, 0, 200, {10, 30, 20, 30}, plainVall20},
    {1, 5, 20, 2, 140, countsPairsCycle140, VolleyShape::Pair, {75, 345},
     {150}, {}, 0, 200, {10, 30, 20, 30}, plainVall20},

    // stage 2 (boss2)
    {2, 1, 50, 5, 230, countsEvery20, VolleyShape::Arc, {240, 0},
     {110, 133, 140, 133, 110}, driftFan5, 0, 130, {10, 30, 20, 30}, animatedVal20241},
    {2, 2, 20, 2, 150, countsPairsCycle150, VolleyShape::Pair, {150, 310},
     {130}, driftAlt120, 0, 250, {0, 20, 0, 20}, alternatingVal405},
    {2, 3, 20, 2, 150, countsPairsCycle150, VolleyShape::Pair, {150, 310},
     {130}, {}, 0, 280, {0, 20, 0, 20}, plainVal405},
    {2, 4, 50, 5, 860, countsEvery80, VolleyShape::Arc, {200, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 120, {0, 20, 0, 20}, chainVal402},
    {2, 5, 50, 5, 860, countsEvery80, VolleyShape::Arc, {260, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 120, {0, 20, 0, 20}, chainVal402},
    {2, 6, 50, 5, 260, countsArcsCycle260, VolleyShape::Arc, {110, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 120, {0, 20, 0, 20}, chainVal402},
    {2, 7, 50, 5, 260, countsArcsCycle260, VolleyShape::Arc, {350, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 120, {0, 20, 0, 20}, chainVal402},
    {2, 8, 50, 5, 150, countsEvery10, VolleyShape::SpreadArc, {120, 0},
     {50, 73, 80, 73, 50}, driftFan5Edge, 0, 180, {10, 30, 20, 30}, animatedVal20241},
    {2, 9, 50, 5, 150, countsEvery10, VolleyShape::SpreadArc, {360, 0},
     {50, 73, 80, 73, 50}, driftFan5Edge, 0, 180, {10, 30, 20, 30}, animatedVal20241},

    // stage 3 (boss3)
    {3, 1, 50, 5, 150, countsArcsCycle150, VolleyShape::Arc, {210, 0},
     {60, 83, 90, 83, 60}, driftFan5, 0, 210, {10, 30, 20, 30}, plainVall20},
    {3, 2, 20, 2, 140, countsPairsCycle140, VolleyShape::Pair, {120, 280},
     {200}, {}, 0, 200, {-10, 30, 0, 30}, plainVal405},
    {3, 3, 20, 2, 140, countsPairsCycle140, VolleyShape::Pair, {100, 300},
     {180}, {}, 0, 200, {-10, 30, 0, 30}, plainVal405},
    {3, 4, 20, 2, 140, countsPairsCycle140, VolleyShape::Pair, {80, 320},
     {180}, driftAlt20, 0, 200, {-10, 30, 0, 30}, plainVal405},
    {3, 5, 50, 5, 200, countsArcsCycle200, VolleyShape::Arc, {150, 0},
     {60, 83, 90, 83, 60}, driftFan5, 90, 110, {10, 30, 20, 30}, plainVall20},
    {3, 6, 50, 5, 200, countsArcsCycle200, VolleyShape::Arc, {270, 0},
     {60, 83, 90, 83, 60}, driftFan5, -90, 110, {10, 30, 20, 30}, plainVall20},
    {3, 7, 50, 5, 720, countsEvery60, VolleyShape::Arc, {90, 0},
     {30, 53, 60, 53, 30}, driftFan5, 0, 280, {10, 30, 20, 30}, plainVall20},
    {3, 8, 50, 5, 720, countsEvery60, VolleyShape::Arc, {330, 0},
     {30, 53, 60, 53, 30}, driftFan5, 0, 280, {10, 30, 20, 30}, plainVall20},
};
constexpr int VolleyPoolCount = static_cast<int>(std::size(volleyPools));

// The stage-1 segmented columns: armed by their own timers, three shots one
// above the other, then moved and drawn as falling volleys.
inline constexpr VolleyPool segmentedPools[] = {
    {1, 1, 30, 3, 800, countsEvery60, VolleyShape::Column, {90, 0},
     {90, 113, 120}, driftSeg3Right, 0, 120, {10, 30, 20, 30}, plainVall20},
    {1, 2, 30, 3, 800, countsEvery60, VolleyShape::Column, {330, 0},
     {90, 113, 120}, driftSeg3Left, 0, 120, {10, 30, 20, 30}, plainVall20},
};
constexpr int SegmentedPoolCount = static_cast<int>(std::size(segmentedPools));

inline constexpr auto volleyPoolFirst = firstRecordIndices(volleyPools);
inline constexpr auto segmentedPoolFirst = firstRecordIndices(segmentedPools);
extern VolleyShot volleyShotRecords[totalRecordCount(volleyPools)];
extern VolleyShot segmentedShotRecords[totalRecordCount(segmentedPools)];

// The records of one pool (nullptr for a row that does not exist).
VolleyShot* volleyPoolRecords(int pool);
VolleyShot* segmentedPoolRecords(int pool);
// Row of stage-S pool K, -1 when there is none.
constexpr int findVolleyPool(int stage, int ordinal) { return findPoolRow(volleyPools, stage, ordinal); }
constexpr int findSegmentedPool(int stage, int ordinal) { return findPoolRow(segmentedPools, stage, ordinal); }

// One step of the pool's fire timer: every record's counter runs 1 .. W - 1,
// 0 (never W); then each group whose count the counters now equal is armed,
// record by record in index order. Groups without a count never fire.
void tickVolleyTimers(int pool);
// Arms record i (of the group whose first record is `first`) if it is free
// and places the group in the pool's shape, at offsets from the boss of the
// pool's stage. An active record is left as it is.
void armVolleyShot(int pool, int i, int first);
// Drift of every record, parked ones too; then for the active ones the fall
// (and the sideways speed), retiring to the park position once y > 600, and
// the player test.
void moveVolleyPool(int pool);
// The draw of one pool, right after its mover: drawShotPool with the row's style.
void drawVolleyPool(int pool);

// The same three on any row of volley records and its records: the
// segmented columns, in a table of their own, are armed, moved and drawn
// as volleys.
void tickVolleyRecords(const VolleyPool& row, VolleyShot* records);
void armVolleyRecord(const VolleyPool& row, VolleyShot* records, int i, int first);
void moveVolleyRecords(const VolleyPool& row, VolleyShot* records);
void moveSegmentedPool(int pool);
void drawSegmentedPool(int pool);
// Every record of the volley pools, then of the segmented pools, free and
// parked (one random frame each).
void parkVolleyPools();
