// Curving missile streams of the stage-3 boss (they never harm the ship).
#pragma once

#include <cstdint>
#include <iterator>
#include <span>

#include "engine/variant.h"
#include "game/shots/shot_records.h"

inline constexpr ShotPoolDraw activeRay4{DrawStyle::ActiveOnly, &imgRay4, nullptr, 0, 0, 30, 30, 0};
inline constexpr ShotPoolDraw activeRay5{DrawStyle::ActiveOnly, &imgRay5, nullptr, 0, 0, 40, 40, 0};
inline constexpr ShotPoolDraw activeRay6{DrawStyle::ActiveOnly, &imgRay6, nullptr, 0, 0, 50, 50, 0};

constexpr int MissileStreamCount = 6;
// The stream counters, one per pool.
extern int32_t missileStreamCounters[MissileStreamCount];

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

inline constexpr auto missileStreamPoolFirst = firstRecordIndices(missileStreamPools);
extern CurvingMissile curvingMissileRecords[totalRecordCount(missileStreamPools)];

// The records of one pool (nullptr for a row that does not exist).
CurvingMissile* missileStreamPoolRecords(int pool);
// Row of stage-S pool K, -1 when there is none.
constexpr int findMissileStreamPool(int stage, int ordinal) {
    return findPoolRow(missileStreamPools, stage, ordinal);
}

// One frame of a stream's timer (stage 3's missile window runs it every
// frame): the stream's counter steps on through 0..149, and on every third
// count (0, 3, ..., 147) launches missile count / 3.
void tickMissileStream(int pool);
// Arms missile j of the pool, if it is free, at the boss's position cut to
// whole pixels plus the stream's offset. Its clock is left as it is (0 from
// the reset or its last retirement).
void launchCurvingMissile(int pool, int j);
// Each active missile's clock runs on at the stream's rate; the band that
// holds the new value gives the whole-pixel step of this frame (none between
// bands or beyond the last). A missile below y 600 is freed where it is.
// Missiles never harm the ship.
void moveCurvingMissiles(int pool);

// The draw of one pool, right after its mover: drawShotPool with the row's style.
void drawMissileStreamPool(int pool);
// The stream counters at 0 and every missile free at the missile park position.
void parkMissileStreamPools();
