// Fan waves: fans (or the stage-2 rings of 12) from a muzzle on their owner,
// aimed at the player, wave after wave on a fixed cycle. The owner is the
// boss of a stage, or one of the side enemies that carry a bank of fan
// shots (the turning enemies); each bank is a row of this one table, and
// one routine per role serves every row. The stage-1 segmented columns are
// armed here too (their records, mover and draw are the volley family's).
#pragma once

#include <cstdint>
#include <iterator>

#include "engine/variant.h"
#include "game/shots/shot_records.h"

inline constexpr ShotPoolDraw plainVal40l{DrawStyle::Plain, &imgVal40l, nullptr, 0, 0, 39, 39, 0};
inline constexpr ShotPoolDraw plainVal40l1{DrawStyle::Plain, &imgVal40l1, nullptr, 0, 0, 39, 39, 0};
inline constexpr ShotPoolDraw plainVal40l2{DrawStyle::Plain, &imgVal40l2, nullptr, 0, 0, 39, 39, 0};
// The enemies' banks: the small 16x16 shot of a 24-frame strip, drawn 12 px
// in from the record's corner.
inline constexpr ShotPoolDraw animatedVal16241{DrawStyle::Animated, &imgVal16241, nullptr, 0, 0, 16, 16, 24, 12, 12};

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
constexpr float fanStep = piFraction(1, 15);      // 12 degrees between the shots of a fan
constexpr float fanHalfStep = piFraction(1, 30);  // the half width is (n - 1) of these
constexpr float ringStep = piFraction(1, 6);      // 30 degrees between the shots of a ring

constexpr int MaxFanWaves = 6;

// Whose muzzle a fan pool fires from; fanOwnerOrigin gives the point the
// muzzle offset is added to.
enum class FanOwner : int32_t {
    Boss,          // the boss of the row's stage, at its top-left
    TurningEnemy,  // turning enemy `ownerIndex`, at its top-left
    LeftArm,       // the left arm of mid-boss `ownerIndex`, 30 px right of its part 0
    RightArm,      // the right arm likewise
};

struct FanPool {
    int32_t stage, ordinal;             // stage-S fan pool K; 0, 0 for the banks of other owners
    ShotRecordType recordType;          // Fan or CompactFan
    int32_t count;
    int32_t shotsPerWave;               // n: wave g holds records gn .. gn + n - 1
    int32_t cycle;                      // W
    int32_t fireCounts[MaxFanWaves];    // by wave
    float muzzleX, muzzleY;             // offset from the owner's origin
    FanSpread spread;
    float speed;                        // px/s
    FanShotSize size;
    ShotPoolDraw draw;
    FanOwner owner = FanOwner::Boss;
    int32_t ownerIndex = 0;             // which enemy (bosses: the row's stage says)
    int32_t retiresOnClear = 0;         // 1: every shot retires while clearShots is 1
};

// The bank of 15 shots a side enemy carries: five fans of three, 40 ticks
// apart on a 260-tick cycle, large shots at 220 px/s from `muzzle`.
constexpr int32_t FanBankShots = 15;
constexpr FanPool fanBank(FanOwner owner, int32_t index, float muzzleX, float muzzleY, int32_t retiresOnClear) {
    return FanPool{0, 0, ShotRecordType::Fan, FanBankShots, 3, 260, {40, 80, 120, 160, 200}, muzzleX, muzzleY,
                   FanSpread::Fan, 220, FanShotSize::Large, animatedVal16241, owner, index, retiresOnClear};
}

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

    // the turning enemies' banks, enemy 0 to 11 (their shots also retire while clearShots is 1)
    fanBank(FanOwner::TurningEnemy, 0, 20, 20, 1), fanBank(FanOwner::TurningEnemy, 1, 20, 20, 1),
    fanBank(FanOwner::TurningEnemy, 2, 20, 20, 1), fanBank(FanOwner::TurningEnemy, 3, 20, 20, 1),
    fanBank(FanOwner::TurningEnemy, 4, 20, 20, 1), fanBank(FanOwner::TurningEnemy, 5, 20, 20, 1),
    fanBank(FanOwner::TurningEnemy, 6, 20, 20, 1), fanBank(FanOwner::TurningEnemy, 7, 20, 20, 1),
    fanBank(FanOwner::TurningEnemy, 8, 20, 20, 1), fanBank(FanOwner::TurningEnemy, 9, 20, 20, 1),
    fanBank(FanOwner::TurningEnemy, 10, 20, 20, 1), fanBank(FanOwner::TurningEnemy, 11, 20, 20, 1),

    // the mid-boss arms' banks, mid-boss 0 (stage 2) then 1 (stage 3): from 30 px right of part 0, the left
    // arm's fans leave 60 px further left, the right arm's 30 (at part 0's x), both 160 px below it
    fanBank(FanOwner::LeftArm, 0, -60, 160, 0), fanBank(FanOwner::RightArm, 0, -30, 160, 0),
    fanBank(FanOwner::LeftArm, 1, -60, 160, 0), fanBank(FanOwner::RightArm, 1, -30, 160, 0),
};
constexpr int FanPoolCount = static_cast<int>(std::size(fanPools));

inline constexpr auto fanPoolFirst = firstRecordIndices(fanPools);
extern FanShot fanShotRecords[totalRecordCount(fanPools)];

// The records of one pool (nullptr for a row that does not exist).
FanShot* fanPoolRecords(int pool);
// Row of stage-S pool K, -1 when there is none.
constexpr int findFanPool(int stage, int ordinal) { return findPoolRow(fanPools, stage, ordinal); }
// Row of the bank of owner `index` (a turning enemy's or a mid-boss's number), -1 when there is none.
constexpr int findFanBank(FanOwner owner, int index) {
    for (int p = 0; p < FanPoolCount; ++p) {
        if (fanPools[p].owner == owner && fanPools[p].ownerIndex == index) return p;
    }
    return -1;
}

// The point a row's muzzle offset is added to: the owner's top-left (for an
// arm, 30 px right of its part 0: the muzzle is x + 30 - 60 or x + 30 - 30,
// summed in that order).
Position fanOwnerOrigin(const FanPool& row);

// One step of the pool's fire timer: every counter +1, back to 0 at W; the
// waves whose counters equal their fire counts are armed record by record.
void tickFanWaves(int pool);
// Arms record i of the pool, if it is free, at the owner's muzzle, aimed at
// the player and turned by its place: in its wave of n (first: the wave's
// first record) for a fan, by i alone for a ring.
void spawnFanShot(int pool, int i, int first);
// Flies the active records, retires those beyond the size's bounds and tests
// them against the player (a shot that hits flies on).
void moveFanShotPool(int pool);
// The mover's work on any run of fan records: each active record flies
// (against its angle for flightSign -1), is parked once beyond the size's
// bounds (or, with retiresOnClear, while clearShots is 1) and is tested
// against the size's player box. Boss 1's ring spirals fly by it too.
void moveFanShots(FanShot* records, int count, FanShotSize size, bool retiresOnClear, float flightSign);
// The draw of one pool, right after its mover: drawShotPool with the row's style.
void drawFanPool(int pool);
// The draw of a side enemy's bank by the style its caller names: 1 the row's
// own (the small animated shot), 2 the large round shot; any other nothing.
void drawFanPoolInStyle(int pool, int style);

// The stage-1 segmented columns (rows of segmentedPools in the volley
// family): their fire timer, in columns of three, and the spawner it calls,
// which arms record i at the column's x and sets the y of the whole column.
// Both are the volley family's routines on the segmented rows.
void tickSegmentedWaves(int pool);
void spawnSegmentedShot(int pool, int i, int first);

// First frames the resets draw for fan records: 0..9 for the stage-2
// rings, 0..6 for every other fan pool (and for other fan-shot records
// parked the same way, such as boss 1's ring spirals).
constexpr int32_t stage2RingPhases = 10;
constexpr int32_t fanPhases = 7;
int32_t fanPhaseCount(const FanPool& pool);
// Every record of the fan pools of one owner and record type free and
// parked, pool after pool (one random frame each). The pool reset parks the
// bosses' Fan and CompactFan pools at different points of its order; the
// play-state reset parks the enemies' banks.
void parkFanPools(FanOwner owner, ShotRecordType type);
