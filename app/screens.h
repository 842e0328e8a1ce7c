// The opening screen (state 1) and the ship-select screen (state 12). Their
// frame routines, runOpeningScreen and runShipSelect, are declared with the
// other state handlers in app/state_handlers.h.
#pragma once

#include <cstdint>

// Frame counter of the ship-select preview, 0..599; kept across visits.
extern int32_t shipSelectCounter;
constexpr int32_t shipSelectCycle = 600;

// The pictures of both screens: 360x480, over the play field.
constexpr int32_t screenPictureX = 220, screenPictureY = 60;
constexpr int32_t screenPictureWidth = 360, screenPictureHeight = 480;

// Where the preview holds the ship on the ship-select screen.
constexpr float previewShipX = 370.0f, previewShipY = 190.0f;

// Lives a run starts with once a ship is chosen.
constexpr int32_t runStartLives = 999;
// Length of the wipe from ship select into stage 1.
constexpr int32_t shipSelectWipeSteps = 26;
