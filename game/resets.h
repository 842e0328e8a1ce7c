// The resets that put the shared play state back to a known start.
//
// They sit in the kit so that stages and screens alike can call them. The
// pools only one stage has (boss 1's ring spirals, stage 3's missile
// streams) live in that stage's library, which the kit does not see: each
// such stage adds the routine that parks its pools to resetObjectPools at
// start-up (its install routine, called by the program's top before the
// first frame). The reset calls the hooks at fixed places of its order of
// record types, because the parks draw the records' random first frames and
// the order of random draws is behaviour.
#pragma once

#include <cstdint>

// A new run: the background columns, the stage-1 base picture, the player's
// position, score, lives and power state. Draws no random numbers.
void resetScrollAndPlayer();
// Everything that belongs to one stage: seeds the random generator from the
// clock, then clears the player's weapons and effects, the enemies and their
// shots, the spark pools and the per-stage flags and counters. Keeps score,
// lives, ship type, position and the background columns.
void resetPlayState();
// Every boss and every shot pool of the three stages free and parked, the
// pattern counters at 0 and the bosses at their starting hit points.
void resetObjectPools();

// Where resetObjectPools runs the parks a stage added.
enum class PoolResetPlace : int32_t {
    AfterFullFans,  // fan records, between the full fans and the compact fans
    AfterAllShots,  // after the sweeps
};
using PoolParkHook = void (*)();
// Adds a park routine at a place; the routines of one place run in the order
// they were added. Adding one that is there already changes nothing. Room for
// MaxPoolResetHooks in all.
constexpr int MaxPoolResetHooks = 8;
void addPoolResetHook(PoolResetPlace place, PoolParkHook park);
