#include "game/boss_effects.h"

BossBlast boss1BigBlasts[BigBlastCount];
BossBlast boss1SmallBlasts[SmallBlastCount];
BossBlast boss2BigBlasts[BigBlastCount];
BossBlast boss2SmallBlasts[SmallBlastCount];
BossBlast boss3BigBlasts[BigBlastCount];
BossBlast boss3SmallBlasts[SmallBlastCount];

MovingPicture boss1IntroPicture;
MovingPicture boss2IntroPicture;
MovingPicture stage1BasePicture;

int32_t boss1SmokeStep, boss2SmokeStep, boss3SmokeStep;
