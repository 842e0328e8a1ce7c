// Sweeps (lines of 7 that leave the boss diagonally and curve downwards)
// and salvos (clusters of 2 to 4 shots that fall from one point and spread).
#pragma once

#include <cstdint>
#include <iterator>

#include "engine/variant.h"
#include "game/shots/shot_records.h"

inline constexpr ShotPoolDraw animatedVal1{DrawStyle::Animated, &imgVal1, nullptr, 0, 0, 16, 16, 16};
inline constexpr ShotPoolDraw sweepLineDrawLeft{DrawStyle::SweepLine, &imgVal3017a, &imgVal3015a, 0, 0, 30, 30, 0};
inline constexpr ShotPoolDraw sweepLineDrawRight{DrawStyle::SweepLine, &imgVal3018a, &imgVal3016a, 0, 0, 30, 30, 0};

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

inline constexpr auto sweepPoolFirst = firstRecordIndices(sweepPools);
inline constexpr auto salvoPoolFirst = firstRecordIndices(salvoPools);
extern SweepShot sweepShotRecords[totalRecordCount(sweepPools)];
extern VolleyShot salvoShotRecords[totalRecordCount(salvoPools)];

// The records of one pool (nullptr for a row that does not exist).
SweepShot* sweepPoolRecords(int pool);
VolleyShot* salvoPoolRecords(int pool);
// Row of stage-S pool K, -1 when there is none.
constexpr int findSweepPool(int stage, int ordinal) { return findPoolRow(sweepPools, stage, ordinal); }
constexpr int findSalvoPool(int stage, int ordinal) { return findPoolRow(salvoPools, stage, ordinal); }

// Sweeps. The spawner arms every retired record of the line at the boss +
// start, at the start angle, and with each record it arms writes the speeds
// of all seven. The mover flies each active record along its angle (mirrored
// for a left-going line), turns it by the turn step every frame for its
// first 0.85 s, slides it by the drift it held since the frame before, and
// retires the whole line in place once record 0 is off the screen. Only
// active records test the player.
void spawnSweepVolley(int pool);
void moveSweepPool(int pool);

// Salvos. The spawner places every free record of the pool at the boss +
// start. The mover, for each record in turn, pushes every pushed record of
// the pool sideways (so n pushes per frame, free records too), lets an
// active record fall, parks it below y 600, and tests it against the player.
void armBossSalvo(int pool);
void moveSalvoPool(int pool);

// The draw of one pool, right after its mover: drawShotPool with the row's style.
void drawSweepPool(int pool);
void drawSalvoPool(int pool);
// Every record of the salvo pools free and parked (one random frame each).
void parkSalvoPools();
// Every record of the sweep pools free and parked.
void parkSweepPools();
