// What the three bosses draw around themselves: the explosion blasts of
// their damage and defeat, their intro pictures, their smoke steps, and the
// picture of the player's base at the start of stage 1.
#pragma once

#include <cstdint>

struct BossBlast {
    int32_t frame;  // animation frame
    float x, y;
};
constexpr int BigBlastCount = 8;    // 160x160 frames, 4 to a strip
constexpr int SmallBlastCount = 6;  // 60x60 frames, 10 to a strip

// Boss 1's big blasts also serve the damage explosions of bosses 2 and 3;
// the defeats of bosses 2 and 3 have sets of their own.
extern BossBlast boss1BigBlasts[BigBlastCount];
extern BossBlast boss1SmallBlasts[SmallBlastCount];
extern BossBlast boss2BigBlasts[BigBlastCount];
extern BossBlast boss2SmallBlasts[SmallBlastCount];
extern BossBlast boss3BigBlasts[BigBlastCount];
extern BossBlast boss3SmallBlasts[SmallBlastCount];

// A large picture that slides across the field.
struct MovingPicture {
    float x, y;
    float speed;  // px/s
};
extern MovingPicture boss1IntroPicture;
extern MovingPicture boss2IntroPicture;
extern MovingPicture stage1BasePicture;

// Steps 0..9 of the low-hp smoke sprites.
extern int32_t boss1SmokeStep, boss2SmokeStep, boss3SmokeStep;
