// Fan waves: fans (or the stage-2 rings of 12) from a muzzle on the boss,
// aimed at the player.
#pragma once

#include <cstdint>
#include <iterator>

#include "engine/variant.h"
#include "game/shots/shot_records.h"

inline constexpr ShotPoolDraw plainVal40l{DrawStyle::Plain, &imgVal40l, nullptr, 0, 0, 39, 39, 0};
inline constexpr ShotPoolDraw plainVal40l1{DrawStyle::Plain, &imgVal40l1, nullptr, 0, 0, 39, 39, 0};
inline constexpr ShotPoolDraw plainVal40l2{DrawStyle::Plain, &imgVal40l2, nullptr, 0, 0, 39, 39, 0};

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

inline constexpr auto fanPoolFirst = firstRecordIndices(fanPools);
extern FanShot fanShotRecords[totalRecordCount(fanPools)];

// The records of one pool (nullptr for a row that does not exist).
FanShot* fanPoolRecords(int pool);
// Row of stage-S pool K, -1 when there is none.
constexpr int findFanPool(int stage, int ordinal) { return findPoolRow(fanPools, stage, ordinal); }

// The draw of one pool, right after its mover: drawShotPool with the row's style.
void drawFanPool(int pool);

// First frames the pool reset draws for fan records: 0..9 for the stage-2
// rings, 0..6 for every other fan pool (and for other fan-shot records
// parked the same way, such as boss 1's ring spirals).
constexpr int32_t stage2RingPhases = 10;
constexpr int32_t fanPhases = 7;
int32_t fanPhaseCount(const FanPool& pool);
// Every record of the fan pools of one record type free and parked, pool
// after pool (one random frame each). The reset parks the Fan pools and the
// CompactFan pools at different points of its order.
void parkFanPools(ShotRecordType type);
