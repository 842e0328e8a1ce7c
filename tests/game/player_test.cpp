// The ship: keys and mouse, movement and its bounds, drawing, the death
// sequence with its lives and respawn guard, the power-up, the score bar, the
// continue prompt and the pause check.
#include <gtest/gtest.h>

#include "app/main_loop.h"  // onKeyDown: the S key pauses
#include "game/score_bar.h"
#include "support/player_fixture.h"

namespace {

class PlayerShip : public testplayer::PlayerFixture {
protected:
    static void hold(std::initializer_list<int> keys, bool down = true) {
        for (int key : keys) plat::headless::setKeyDown(key, down);
    }
    static void moveFrames(int count) {
        for (int i = 0; i < count; ++i) movePlayer();
    }
};
using namespace plat::VirtualKey;

TEST_F(PlayerShip, HeldArrowsMoveFromTheSecondPollAndStayInTheField) {
    const float x = playerX, y = playerY;
    hold({Right, Up});
    movePlayer();  // the first poll reads "pressed"
    EXPECT_EQ(playerX, x);
    movePlayer();
    EXPECT_EQ(playerX, x + 160.0f * 0.016f);
    EXPECT_EQ(playerY, y - 160.0f * 0.016f);
    shipType = 2;
    frameTime = 0.017f;
    movePlayer();
    EXPECT_EQ(playerX, x + 160.0f * 0.016f + 200.0f * 0.017f);

    hold({Left, Down});  // with both of an axis held, right and down win
    moveFrames(2);
    EXPECT_EQ(playerVX, 200.0f);
    EXPECT_EQ(playerVY, 200.0f);
    moveFrames(200);
    EXPECT_EQ(playerX, screenX(520.0f));
    EXPECT_EQ(playerY, 540.0f);
    hold({Right, Down}, false);
    moveFrames(200);
    EXPECT_EQ(playerX, screenX(220.0f));
    EXPECT_EQ(playerY, 220.0f);

    shipType = 0;  // no ship chosen: no speed
    movePlayer();
    EXPECT_EQ(playerVX, 0.0f);
}

TEST_F(PlayerShip, FireInputsStepTheirSequencersOncePerInput) {
    hold({Shift});
    moveFrames(4);
    EXPECT_EQ(weaponAShots[1].active, 0);
    movePlayer();  // the fourth held frame fires the first volley
    EXPECT_EQ(weaponAShots[1].active, 1);
    hold({Shift}, false);
    moveFrames(2);
    hold({Shift, 'C', Control, 'B', 'V', 'N', 'M'});
    moveFrames(2);  // pressed, then held: the count goes on where it stood
    EXPECT_EQ(weaponACounter, 4 + 2);
    EXPECT_EQ(weaponBCounter, 2);
    EXPECT_EQ(weaponCCounter + missileCounter + fanCounter, 3);

    hold({Shift, 'C', Control, 'B', 'V', 'N', 'M'}, false);
    mouseLeftDown = mouseRightDown = 1;  // the buttons need no first poll
    moveFrames(2);
    EXPECT_EQ(weaponACounter, 8);
    EXPECT_EQ(weaponBCounter, 4);
}

TEST_F(PlayerShip, ShipAndExhaustAreDrawnThenTheMousePinsTheShip) {
    playerX = screenX(300.8f);
    playerY = 400.6f;
    updatePlayerShip();
    EXPECT_EQ(backAt(300, 400), drawn(imgMyme1, 180, 0));
    EXPECT_EQ(backAt(359, 469), drawn(imgMyme1, 239, 69));
    EXPECT_EQ(backAt(300, 475), 0u);  // no exhaust before scroll distance 70
    scrollDistance = 70;
    for (int frame : {0, 1, 2, 0}) {
        updatePlayerShip();
        EXPECT_EQ(backAt(300, 475), drawn(imgMyme1f1, 60 * frame, 75));
    }

    controlKeyboard = 0;
    controlMouse = 1;
    mouseX = screenX(0) - 5;  // left of and above the window: negative
    mouseY = -20;
    clearBack();
    updatePlayerShip();
    EXPECT_EQ(backAt(300, 400), drawn(imgMyme1, 180, 0));  // where the last frame left it
    EXPECT_EQ(playerX, static_cast<float>(screenX(0) - 35));
    EXPECT_EQ(playerY, -50.0f);
    movePlayer();
    EXPECT_EQ(playerX, screenX(220.0f));
    EXPECT_EQ(playerY, 220.0f);
}

TEST_F(PlayerShip, AHitRunsFiftyFramesOfWreckAndCostsSixteenLives) {
    playerAlive = 0;
    laserArmed = shotPower = 1;
    for (int frame = 1; frame <= 50; ++frame) {
        updatePlayerShip();
        for (int ring = 0; ring < WreckRingCount; ++ring) {
            const int launchAge = ring == 0 ? 1 : 10 * ring;
            EXPECT_EQ(wreckFragments[16 * ring + 15].alive, frame >= launchAge ? 1 : 0) << frame;
        }
        EXPECT_EQ(lives, frame < 40 ? 999 : 999 - 16) << frame;
        EXPECT_EQ(playerAlive, frame < 50 ? 0 : 1) << frame;
    }
    EXPECT_EQ(laserArmed | shotPower, 0);
    EXPECT_EQ(plays(sndBom), 50);  // restarted every frame of the sequence
    EXPECT_EQ(respawnGuard, 1);

    for (int frame = 1; frame < respawnGuardLength; ++frame) updatePlayerShip();
    EXPECT_EQ(respawnGuard, 1);
    playerAlive = 0;  // forgiven in the next frame; the guard counts on
    updatePlayerShip();
    EXPECT_EQ(playerAlive, 1);
    updatePlayerShip();
    EXPECT_EQ(respawnGuard | respawnGuardFrames, 0);
    EXPECT_EQ(wreckFragments[64].age | wreckFragments[64].alive, 0);
    EXPECT_EQ(wreckFragments[64].y, parkPosition.y);

    noDeath = 1;
    playerAlive = 0;
    for (int frame = 0; frame < 60; ++frame) updatePlayerShip();
    EXPECT_EQ(playerAlive, 0);  // untouchable until a reset
    EXPECT_EQ(lives, 999 - 16);
    EXPECT_EQ(plays(sndBom), 50);
}

TEST_F(PlayerShip, NineHundredNinetyNineLivesLastSixtyTwoDeaths) {
    int deaths = 0;
    for (; continuePrompt == 0 && deaths < 70; ++deaths) {
        playerAlive = 0;
        for (int frame = 0; frame < 50 + respawnGuardLength && continuePrompt == 0; ++frame) {
            updatePlayerShip();
            enterContinuePrompt();
        }
    }
    EXPECT_EQ(deaths, 63);
    EXPECT_EQ(lives, -9);
}

TEST_F(PlayerShip, OnePowerUpFallsAtATimeAndArmsTheWeaponsWhenTaken) {
    engSystem::SeedRand(99);
    dropPowerUp();
    dropPowerUp();  // out already: no change, no draw
    engSystem::SeedRand(99);
    const int x = 210 + engSystem::Rand() % 320;
    EXPECT_EQ(powerUpItem.x, static_cast<float>(screenX(x)));
    EXPECT_EQ(powerUpItem.speed, static_cast<float>(100 + engSystem::Rand() % 130));
    stepPowerUp();
    EXPECT_EQ(powerUpItem.y, -60.0f + powerUpItem.speed * 0.016f);
    powerUpItem.y = 100.0f;
    drawPowerUp();
    EXPECT_EQ(backAt(x, 100), drawn(imgSpower1, 0, 0));
    powerUpItem.taken = 1;
    drawPowerUp();
    EXPECT_EQ(laserArmed & shotPower, 1);
    EXPECT_EQ(powerUpItem.active | powerUpItem.taken, 0);
    EXPECT_EQ(powerUpItem.y, parkPosition.y);
}

TEST_F(PlayerShip, TheScoreBarShowsItsDigitsAndLivesOnlyWhenNotNegative) {
    auto smallDigit = [](int d) { return drawn(imgMymy, 8 + 8 * d, 70); };
    highScore = 123456789;
    lives = 7;
    drawScoreBar();
    EXPECT_EQ(backAt(200, 0), 0u);  // the first digit lies left of the field
    for (int i = 1; i < 9; ++i) EXPECT_EQ(backAt(200 + 20 * i, 0), drawn(imgSuji09_2, 0, 0)) << i;
    for (int i = 0; i < 9; ++i) EXPECT_EQ(backAt(380 + 10 * i, 6), smallDigit(i + 1)) << i;
    EXPECT_EQ(backAt(386, 15), drawn(imgMymy, 22, 79));
    EXPECT_EQ(backAt(500, 6), smallDigit(0));
    EXPECT_EQ(backAt(520, 6), smallDigit(7));
    EXPECT_EQ(backAt(475, 6), drawn(imgMymy, 200, 70));

    clearBack();
    score = ScoreCap;
    lives = -9;
    drawScoreBar();
    for (int i = 1; i < 9; ++i) EXPECT_EQ(backAt(200 + 20 * i, 0), drawn(imgSuji09_2, 180, 0)) << i;
    EXPECT_EQ(backAt(500, 6), 0u);
    EXPECT_EQ(backAt(475, 6), drawn(imgMymy, 200, 70));  // the icon stays
}

TEST_F(PlayerShip, TheContinuePromptStopsTheStageAndOnlyYResumesIt) {
    EXPECT_FALSE(runPauseCheck());
    onKeyDown('S');  // paused by S: Y does not resume
    onKeyDown('Y');
    EXPECT_TRUE(runPauseCheck());
    onKeyDown('S');
    EXPECT_FALSE(runPauseCheck());
    lives = 1;
    enterContinuePrompt();
    EXPECT_EQ(continuePrompt, 0);

    for (PlayerShot& shot : weaponAShots) shot = PlayerShot{screenX(300), 100, 0, 10, 1};
    playerVX = 160;
    lives = 0;
    score = highScore = 4000;
    enterContinuePrompt();
    EXPECT_EQ(backAt(300, 190), drawn(imgContinu1, 0, 0));
    EXPECT_EQ(backAt(499, 289), drawn(imgContinu1, 199, 99));
    EXPECT_EQ(continuePrompt & paused, 1);
    EXPECT_EQ(playerAlive, 0);
    EXPECT_EQ(playerVX, 0.0f);
    EXPECT_EQ(weaponAShots[38].active, 0);
    EXPECT_EQ(weaponAShots[38].y, 500);
    EXPECT_EQ(weaponAShots[39].active, 1);  // flies on after the continue
    clearBack();
    enterContinuePrompt();
    EXPECT_EQ(backAt(300, 190), 0u);  // shown once

    onKeyDown('S');  // no toggle while the prompt is up
    EXPECT_TRUE(runPauseCheck());
    EXPECT_EQ(paused, 1);
    onKeyDown('Y');
    EXPECT_TRUE(runPauseCheck());  // this frame still ends
    EXPECT_EQ(paused | continuePrompt | score, 0);
    EXPECT_EQ(lives, 111);
    EXPECT_EQ(highScore, 4000);
    EXPECT_EQ(respawnGuard & playerAlive, 1);
    EXPECT_FALSE(runPauseCheck());
}

}  // namespace
