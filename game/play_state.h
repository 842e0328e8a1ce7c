// The stage clock and the per-stage flags and counters that the resets
// put back at the start of a run or a stage.
#pragma once

#include <cstdint>

extern float scrollDistance;        // the stage clock, grown by frameTime x 20, 18 or 16
extern int32_t stageMusicCounter;   // frames since the stage music was due
extern int32_t clearShots;          // 1: enemy shot movers retire every shot
extern int32_t timedMode;
extern int32_t gameOver;
extern int32_t weaponBLock;
extern int32_t multiBurst;          // 1 in every stage: explosions draw all bursts
extern int32_t timeLeft;
extern int32_t autoFire;
extern int32_t level;               // 1 from the start of a run
extern int32_t gameMode;            // 1 from the start of a run; points count in modes 1 and 2
extern int32_t gameSubMode;         // 0 from the start of a run
extern int32_t blendBackground;     // 0: the back column is drawn colour-keyed (never set otherwise)
extern int32_t powerUpCount;

// Counts a frame of the music of a stage or the ending: the song starts on
// the first frame after the play-state reset, and the count wraps at
// 100999999.
void tickStageMusic(const char* song);
