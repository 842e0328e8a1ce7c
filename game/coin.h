// A coin that falls for the player to pick up: the coin an enemy slot drops,
// and the record type of the stage coin pools.
#pragma once

#include <cstdint>

struct Coin {
    float x, y;          // top-left of the 30x30 coin
    float vy;            // fall speed, px/s
    int32_t pickupGate;  // the hit pass awards the coin only while this is 0
    int32_t falling;     // 1 while the coin is in play
    int32_t taken;       // 1 after the player took it: the pick-up burst plays
    int32_t loopCount;   // burst loops played (0..1)
    int32_t frame;       // burst frame, 0..9
};

// The pick-up burst: frames 0..9 of 80x80, played twice.
constexpr int32_t coinBurstLastFrame = 9;
constexpr int32_t coinBurstLastLoop = 1;

// Every coin routine below serves the slot coins and the stage coin pools
// alike.

// Out of play: parked, with its speed, gate, flags and burst cleared.
void parkCoin(Coin& coin);
// A falling coin sinks by its speed; any coin below y 600 stops falling and
// is parked (its other fields kept).
void stepCoin(Coin& coin);
// The coin picture (`coinImage`, 30x30) while it is not taken; once taken,
// one frame of the pick-up burst, and after the second loop the coin leaves
// play. The coin goes on falling while its burst plays.
void drawCoin(Coin& coin, int32_t coinImage);
