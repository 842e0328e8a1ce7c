#include "game/player.h"

float playerX, playerY;
float playerVX, playerVY;
int32_t playerAlive;
int32_t respawnGuard;
int32_t respawnGuardFrames;
int32_t lives;
int32_t exhaustFrame;
int32_t laserArmed, shotPower;

WreckFragment wreckFragments[WreckFragmentCount];
PowerUpItem powerUpItem;
