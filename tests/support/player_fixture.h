// A play state for the ship and weapon tests: a back surface of this build's
// size clipped to the play field, each image the ship and its weapons draw as
// a picture whose pixels tell which image and source pixel landed there, the
// two sounds loaded, and ship, weapons and targets at their start.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/enemy_slots.h"
#include "game/game_flags.h"
#include "game/hit_pass.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score.h"
#include "game/turning_enemies.h"
#include "game/weapons.h"
#include "support/coded_images.h"
#include "support/sound_fixture.h"

namespace testplayer {

struct TestImage {
    int32_t* global;
    int width, height;
};
// An image's tag is its place in this list plus one.
inline const TestImage testImages[] = {
    {&imgMyme1, 240, 70},     {&imgMyme1f1, 180, 80},  {&imgGfbak1, 480, 120},  {&imgSpower1, 60, 60},
    {&imgFbom1, 80, 80},      {&imgMyme1op1, 60, 60},  {&imgRpanel3r, 60, 50},  {&imgMyrcl51g, 240, 280},
    {&imgMyrcl66g, 240, 280}, {&imgSuji09_2, 200, 25}, {&imgMymy, 224, 80},     {&imgContinu1, 200, 100},
    {&imgRay1, 10, 30},       {&imgRay11, 18, 30},     {&imgFlhst2, 16, 24},    {&imgFlhst33, 16, 24},
    {&imgFlw3_2, 32, 24},     {&imgSflhv1, 36, 28},    {&imgHomingl1, 16, 32},  {&imgMyme1op1st1, 16, 24},
};

class PlayerFixture : public testsound::SoundFixture, protected testsupport::CodedDrawing {
protected:
    void SetUp() override {
        testsound::SoundFixture::SetUp();
        screenTransition = ScreenTransition{};
        testsound::resources()["SOUND/SHOT.WAV"] = testsound::constantWave(1000, 64);
        testsound::resources()["SOUND/BOM.WAV"] = testsound::constantWave(2000, 64);
        sndShot = engSound::LoadObject("SOUND/SHOT.WAV", 1);
        sndBom = engSound::LoadObject("SOUND/BOM.WAV", 1);
        useScratchBack(screenX(220), 0, screenX(580), 600);
        for (int tag = 1; tag <= static_cast<int>(std::size(testImages)); ++tag) {
            const TestImage& image = testImages[tag - 1];
            makeImage(*image.global, tag, image.width, image.height);
        }

        playerVX = playerVY = 0;
        respawnGuard = respawnGuardFrames = exhaustFrame = laserArmed = shotPower = 0;
        for (int32_t* key : {&keyStateLeft, &keyStateRight, &keyStateUp, &keyStateDown, &keyStateC, &keyStateV,
                             &keyStateB, &keyStateN, &keyStateM, &keyStateShift, &keyStateCtrl}) {
            *key = KeyUp;
        }
        controlMouse = noDeath = paused = continuePrompt = 0;
        mouseX = mouseY = mouseLeftDown = mouseRightDown = lastKey = score = 0;
        scrollDistance = 0;
        gameMode = 1;  // points count, as in every run
        gameSubMode = 0;
        resetWeapons();
        laserFrame = 0;
        for (WreckFragment& fragment : wreckFragments) parkWreckFragment(fragment);
        powerUpItem = PowerUpItem{parkPosition.x, parkPosition.y, 0.0f, 0, 0};
        playerX = screenX(playerStartX);
        playerY = playerStartY;
        playerAlive = shipType = controlKeyboard = 1;
        lives = 999;
        highScore = 500;
        frameTime = 0.016f;
        for (EnemySlot& slot : enemySlots) {
            slot = EnemySlot{0, 0, 0, 0, parkPosition.x, parkPosition.y, 0, 0, 0, 0, 0, 0, 0, 0};
        }
        for (TurningEnemy& enemy : turningEnemies) {
            enemy = TurningEnemy{0, 0, 0, 0, parkPosition.x, parkPosition.y, 0, 0, 0, 0, 2000, 0, 0, 0};
        }
        for (BossBody* boss : {&boss1, &boss2, &boss3, &spareBossA, &spareBossB}) {
            *boss = BossBody{parkPosition.x, parkPosition.y, 0.0f, 1000.0f, 0.0f, 0};
        }
    }
    void TearDown() override {
        restoreDrawing();
        testsound::SoundFixture::TearDown();
    }

    static int plays(int32_t sound) { return plat::headless::playCount(soundSlots[sound].voices[0]); }
};

}  // namespace testplayer
