// The player's ship: position, velocity, hit state, lives and power state,
// the wreck fragments of its death sequence and the one falling power-up.
#pragma once

#include <cstdint>

extern float playerX, playerY;    // top-left of the 60x70 ship sprite
extern float playerVX, playerVY;  // px/s
extern int32_t playerAlive;       // 1 alive, 0 hit
extern int32_t respawnGuard;      // 1 while a hit is forgiven
extern int32_t respawnGuardFrames;
extern int32_t lives;             // may go negative
extern int32_t exhaustFrame;      // 0..2
extern int32_t laserArmed, shotPower;  // power-up state

// Where a new run puts the ship (full-screen x; see screenX).
constexpr float playerStartX = 370.0f;
constexpr float playerStartY = 520.0f;

struct WreckFragment {
    float x, y;
    float aimDX, aimDY;
    float launchX, launchY;
    float angle;
    float speed;
    int32_t alive;
    int32_t frameColumn, frameRow;
    int32_t frameTick;
    int32_t age;
    int32_t guardCount;
};
constexpr int WreckFragmentCount = 80;  // five rings of 16
extern WreckFragment wreckFragments[WreckFragmentCount];

struct PowerUpItem {
    float x, y;
    float speed;
    int32_t active;
    int32_t taken;
};
extern PowerUpItem powerUpItem;
