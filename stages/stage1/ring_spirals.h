// Boss 1's ring spirals: one shot every 10 frames, each turned 10 degrees
// further. Only stage 1 has them.
#pragma once

#include <cstdint>
#include <iterator>

#include "game/shots/shot_records.h"

constexpr int RingPoolCount = 6;
// The spiral counters, one per pool.
extern int32_t boss1RingCounters[RingPoolCount];

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

inline constexpr RingPool ringPools[RingPoolCount] = {
    {1, 1, RingRecordCount, 210, 130, -1, -1, animatedVal20241},
    {1, 2, RingRecordCount, 210, 130, 1, 1, animatedVal20241},
    {1, 3, RingRecordCount, 120, 130, -1, -1, animatedVal20241},
    {1, 4, RingRecordCount, 300, 130, 1, 1, animatedVal20241},
    {1, 5, RingRecordCount, 120, 130, 1, 1, animatedVal20241},
    {1, 6, RingRecordCount, 300, 130, -1, -1, animatedVal20241},
};

inline constexpr auto ringPoolFirst = firstRecordIndices(ringPools);
extern FanShot ringShotRecords[totalRecordCount(ringPools)];

// The records of one pool (nullptr for a row that does not exist).
FanShot* ringPoolRecords(int pool);
// Row of stage-S pool K, -1 when there is none.
constexpr int findRingPool(int stage, int ordinal) { return findPoolRow(ringPools, stage, ordinal); }

// One step of the pool's fire timer: the counter becomes 10 once it has
// reached 359, else counter + 1; at 10 record 0 fires, and where the old
// counter was 10k + 9 (k 1..34) record k fires, turned k steps.
void tickRingTimer(int pool);
// Arms record k, if it is free, at the pool's start point on boss1, flying
// at 110 px/s along turnSign x a x 10 degrees. No aim at the player.
void spawnRingShot(int pool, int k, int a);
// Flies the active records along their angle (against it for the pools of
// mover sign -1), parks those that leave the screen or are called back, and
// tests them against the player: the fan family's mover for small shots.
void moveRingPool(int pool);
// The draw of one pool, right after its mover: drawShotPool with the row's style.
void drawRingPool(int pool);
// The spiral counters at 0 and every ring record free and parked (one random
// frame 0..6 each, as fan records).
void parkRingPools();
