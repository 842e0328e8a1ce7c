#include "game/play_state.h"

#include "engine/eng_sound.h"

float scrollDistance;
int32_t stageMusicCounter;
int32_t clearShots;
int32_t timedMode;
int32_t gameOver;
int32_t weaponBLock;
int32_t multiBurst;
int32_t timeLeft;
int32_t autoFire;
int32_t level;
int32_t gameMode;
int32_t gameSubMode;
int32_t blendBackground;
int32_t powerUpCount;

void tickStageMusic(const char* song) {
    constexpr int32_t wrap = 100999999;
    stageMusicCounter += 1;
    if (stageMusicCounter == 1) engSound::PlayMidi(song, 1);
    if (stageMusicCounter >= wrap) stageMusicCounter = 0;
}
