// The player's ship: position, velocity, hit state, lives and power state,
// the keys that steer and fire it, the wreck fragments of its death sequence
// and the one falling power-up.
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

// The ship's speed by ship type: 160 px/s for type 1, 200 px/s for type 2.
constexpr float shipSpeedType1 = 160.0f;
constexpr float shipSpeedType2 = 200.0f;
// The play field the ship is held in (top-left of the sprite, full-screen x).
constexpr float playerMinX = 220.0f, playerMaxX = 520.0f;
constexpr float playerMinY = 220.0f, playerMaxY = 540.0f;
// In mouse control the cursor holds the ship at this offset from its corner.
constexpr int32_t mouseGripOffset = 30;
// The exhaust shows once the stage has scrolled this far.
constexpr float exhaustFromDistance = 70.0f;

// One KeyState (engSystem::GetKey) per polled key, in the order they are polled.
extern int32_t keyStateLeft, keyStateRight, keyStateUp, keyStateDown;
extern int32_t keyStateC, keyStateV, keyStateB, keyStateN, keyStateM;
extern int32_t keyStateShift, keyStateCtrl;

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
constexpr int WreckRingCount = 5;
constexpr int WreckRingSize = 16;
constexpr int WreckFragmentCount = WreckRingCount * WreckRingSize;  // five rings of 16
extern WreckFragment wreckFragments[WreckFragmentCount];
// The frame of the death sequence on which the ship is back.
constexpr int32_t wreckRespawnAge = 50;
// Frames the respawn guard lasts.
constexpr int32_t respawnGuardLength = 249;

struct PowerUpItem {
    float x, y;
    float speed;
    int32_t active;
    int32_t taken;
};
extern PowerUpItem powerUpItem;

// Once a frame, after the present: velocity from the keys, the weapons
// fired, the ship moved and held in the play field.
void movePlayer();
// Polls the keys, sets the velocity and steps the weapon sequencers
// (movePlayer only).
void pollPlayerKeys();
// Draws exhaust and ship, follows the mouse, runs the hit state and the
// respawn guard.
void updatePlayerShip();

// The death sequence, run by updatePlayerShip while the ship is down.
void spawnWreckRings();
void drawWreckFragments();
void stepWreckFragments();
// A fragment out of play: x -500, y 2550, every other field 0.
void parkWreckFragment(WreckFragment& fragment);

// The power-up out of play: parked, its speed and flags cleared (the resets).
void parkPowerUp();
// Puts the power-up at the top of the field unless it is already out.
void dropPowerUp();
void stepPowerUp();
// Applies a taken power-up, else draws the item.
void drawPowerUp();
