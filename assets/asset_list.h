// The game's asset list: one slot global per image and per sound, filled
// once at start-up by loadAllAssets in the order of image_list.inc.
#pragma once

#include <cstdint>

#define IMAGE(global, file, slot, width, height, paint, kind, a, b) extern int32_t global;
#define IMAGE_AGAIN(global, file, slot) extern int32_t global;
#include "assets/image_list.inc"
#undef IMAGE_AGAIN
#undef IMAGE

extern int32_t sndShot;  // "SOUND/SHOT.WAV"
extern int32_t sndBom;   // "SOUND/BOM.WAV"

struct ImageAsset {
    int32_t* global;
    const char* file;
    int32_t expectedSlot;   // the slot it takes when every earlier load succeeds
    int32_t width, height;  // of the built-in picture; 0 x 0 for a file loaded again
};
constexpr int ImageAssetCount = 248;
extern const ImageAsset imageAssets[ImageAssetCount];

// The image after which the two sounds are loaded (the 234th).
constexpr int SoundsAfterImage = 234;

constexpr const char* StageMusicFile = "MIDI/QTX1.MID";
constexpr const char* EndingMusicFile = "MIDI/QTX4.MID";

// Brings the screen up and loads every image and sound. Returns 0, having
// loaded nothing, when the screen could not be brought up (its error box has
// been shown), else 1. The program hands over to the opening screen after it
// (loadAssetsAndOpen).
int loadAllAssets();
