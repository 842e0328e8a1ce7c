// The stage-1 boss: its script, its draw with damage blasts and smoke, its
// defeat and hand-over, and the base picture.
#include "stages/stage1/boss1.h"

#include <gtest/gtest.h>

#include "engine/eng_system.h"
#include "game/enemy_fixture.h"
#include "game/game_states.h"
#include "game/play_state.h"
#include "game/resets.h"

namespace {

enum Tag { BossTag = 1, IntroTag, BaseTag, BigBlastTag, SmallBlastTag, SmokeTag };

class Boss1 : public enemytest::EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        makeImage(imgBoss11, BossTag, 440, 360);
        makeImage(imgBos111, IntroTag, 480, 480);
        makeImage(imgKiti01, BaseTag, 360, 360);
        makeImage(imgBbak1b, BigBlastTag, 640, 160);
        makeImage(imgZbak1b, SmallBlastTag, 600, 60);
        makeImage(imgZbak3b, SmokeTag, 800, 80);
        resetObjectPools();
        scrollDistance = 0;
        gameState = stateStage1;
        previousState = stateStage1;
        screenTransition = ScreenTransition{};
        transitionRunning = 0;
    }
    void TearDown() override {
        screenTransition = ScreenTransition{};
        transitionRunning = 0;
        EnemyFixture::TearDown();
    }
    // Runs the script once with the clock put just before `t`.
    static void moveAt(float t) {
        boss1.moveTimer = t - 10.0f * frameTime;
        moveBoss1();
    }
};

TEST_F(Boss1, ScriptShowsTheIntroThenBringsTheBossDownAndSwaysInALoop) {
    moveAt(0.16f);
    EXPECT_EQ(boss1IntroPicture.x, screenX(160.0f));
    EXPECT_EQ(boss1IntroPicture.y, 600.0f);
    EXPECT_EQ(boss1IntroPicture.speed, 400.0f);
    moveAt(20.5f);  // between the two intro windows nothing happens
    EXPECT_EQ(boss1IntroPicture.y, 600.0f);
    boss1IntroPicture.y = 500.0f;
    moveAt(30.0f);
    EXPECT_FLOAT_EQ(boss1IntroPicture.y, 500.0f - 400.0f * 0.016f);
    EXPECT_EQ(backAt(221, 501), drawn(imgBos111, 61, 1)) << "drawn where it stood before the move";
    boss1IntroPicture.y = -475.0f;
    moveAt(40.0f);  // gone past -480: parked
    EXPECT_EQ(boss1IntroPicture.x, parkPosition.x);
    EXPECT_EQ(boss1IntroPicture.y, parkPosition.y);
    EXPECT_EQ(boss1IntroPicture.speed, 0.0f);

    moveAt(70.0f);
    EXPECT_EQ(boss1.x, screenX(180.0f));
    EXPECT_EQ(boss1.y, -360.0f);
    moveAt(100.0f);
    EXPECT_FLOAT_EQ(boss1.y, -360.0f + 80.0f * 0.016f);
    moveAt(150.0f);
    EXPECT_EQ(boss1.y, 0.0f);
    moveAt(205.0f);
    EXPECT_FLOAT_EQ(boss1.x, screenX(180.0f) + 100.0f * 0.016f);
    EXPECT_FLOAT_EQ(boss1.y, 50.0f * 0.016f);
    moveAt(241.0f);
    EXPECT_EQ(boss1.moveTimer, 138.0f);
}

TEST_F(Boss1, DamageBlastsSoundInTheirBandsAndSmokeShowsAtLowHp) {
    boss1.x = screenX(180.0f);
    boss1.y = 0.0f;
    for (float hp : {530.0f, 470.0f, 330.0f, 270.0f, 180.0f, 120.0f, 1020.0f}) {
        plat::headless::clearSoundEvents();
        boss1.hp = hp;
        boss1.defeatTimer = 0;
        drawBoss1();
        const bool inBand = hp == 530.0f || hp == 330.0f || hp == 180.0f;
        EXPECT_EQ(explosionSounds(), inBand ? BigBlastCount : 0) << hp;
    }

    boss1.hitFlag = 1;
    boss1.hp = 80.0f;
    boss1SmokeStep = 9;
    clearBack();
    drawBoss1();
    EXPECT_EQ(boss1.hitFlag, 0);
    EXPECT_EQ(boss1SmokeStep, 0);
    const int s = 9;
    EXPECT_EQ(backAt(180 + 140, 50 + 28 * s), drawn(imgZbak3b, s * 80, 0));
    EXPECT_EQ(backAt(490, 352), drawn(imgBoss11, 310, 352)) << "the second pair waits for 70";
    boss1.hp = 70.0f;
    drawBoss1();
    EXPECT_EQ(backAt(480, 100), drawn(imgZbak3b, 0, 0));
}

TEST_F(Boss1, DefeatRunsOnlyWithoutHpAndHandsOverToStage2After7Seconds) {
    boss1.hp = 0.5f;
    runBoss1Defeat();
    EXPECT_EQ(boss1.defeatTimer, 0.0f);
    EXPECT_EQ(explosionSounds(), 0);

    boss1.hp = 0.0f;
    scrollDistance = 5000.0f;
    runBoss1Defeat();
    EXPECT_FLOAT_EQ(boss1.defeatTimer, 0.16f);
    EXPECT_EQ(explosionSounds(), 1);
    EXPECT_EQ(gameState, stateStage1);

    boss1.defeatTimer = 69.9f;
    runBoss1Defeat();
    EXPECT_EQ(gameState, stateStage2);
    EXPECT_EQ(previousState, 0);
    EXPECT_EQ(screenTransition.kind, 3);
    EXPECT_EQ(screenTransition.stepCount, boss1WipeSteps);
    EXPECT_EQ(screenTransition.step, boss1WipeSteps);
    EXPECT_EQ(transitionRunning, -1);
    EXPECT_EQ(boss1.hp, boss1StartHp) << "the pools are reset";
    EXPECT_EQ(scrollDistance, 0.0f) << "the play state is reset";
}

TEST_F(Boss1, BaseStandsThenSinksFrom140AndIsParkedPast650) {
    resetScrollAndPlayer();
    scrollDistance = 139.0f;
    drawStage1Base();
    EXPECT_EQ(stage1BasePicture.y, 240.0f);
    EXPECT_EQ(backAt(220, 240), drawn(imgKiti01, 0, 0));
    scrollDistance = 140.0f;
    drawStage1Base();
    EXPECT_FLOAT_EQ(stage1BasePicture.y, 240.0f + 150.0f * 0.016f);
    stage1BasePicture.y = 649.0f;
    drawStage1Base();
    EXPECT_EQ(stage1BasePicture.x, -100.0f);
    EXPECT_EQ(stage1BasePicture.y, 2550.0f);
}

}  // namespace
