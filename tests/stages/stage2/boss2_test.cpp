#include "stages/stage2/boss2.h"

#include <gtest/gtest.h>

#include "game/game_states.h"
#include "game/play_state.h"
#include "stages/boss_fixture.h"

namespace {

class Boss2 : public bosstest::BossFixture {
protected:
    void SetUp() override {
        BossFixture::SetUp();
        makeImage(imgBoss71, 1, 500, 400);
        makeImage(imgBoss71_1, 2, 500, 400);
        makeImage(imgBoss71_2, 3, 500, 400);
        makeImage(imgBoss71_3, 4, 500, 400);
    }
    static void from(float timer, float fullX, float y) { scriptFrom(boss2, moveBoss2, timer, fullX, y); }
};

TEST_F(Boss2, TheIntroPictureRisesFromTheBottomAndIsParkedPastItsHeight) {
    from(0, 0, 0);  // t 1
    EXPECT_EQ(boss2IntroPicture.x, screenX(150.0f));
    EXPECT_EQ(boss2IntroPicture.y, 600.0f);
    EXPECT_EQ(boss2IntroPicture.speed, 500.0f);

    from(13, 0, 0);  // t 14: between the two intro windows, nothing moves
    EXPECT_EQ(boss2IntroPicture.y, 600.0f);

    from(14, 0, 0);  // t 15: up by 500 x 0.1
    EXPECT_EQ(boss2IntroPicture.y, 550.0f);

    boss2IntroPicture.y = -440;
    from(30, 0, 0);  // -490 is past -480
    EXPECT_EQ(boss2IntroPicture.x, parkPosition.x);
    EXPECT_EQ(boss2IntroPicture.y, parkPosition.y);
    EXPECT_EQ(boss2IntroPicture.speed, 0.0f);
}

TEST_F(Boss2, TheScriptPlacesDescendsSwaysAndLoopsBackTo145) {
    from(60, 0, 0);  // t 61
    EXPECT_EQ(boss2.x, screenX(150.0f));
    EXPECT_EQ(boss2.y, -400.0f);

    from(99, 150, -400);  // t 100: down 93 x 0.1
    EXPECT_FLOAT_EQ(boss2.y, -390.7f);

    from(134, 150, 50);  // t 135: the descent's last step, then the hold
    EXPECT_EQ(boss2.x, screenX(150.0f));
    EXPECT_EQ(boss2.y, 0.0f);

    from(161, 150, 0);  // t 162: the hold, then the first sway
    EXPECT_FLOAT_EQ(boss2.x, screenX(158.0f));

    from(170.5f, 150, 0);  // t 171.5: between two sways
    EXPECT_EQ(boss2.x, screenX(150.0f));

    from(240, 190, 0);  // t 241: back to (150, 0)
    EXPECT_EQ(boss2.x, screenX(150.0f));

    from(329, 150, 0);  // t 330: the last sway window
    EXPECT_FLOAT_EQ(boss2.x, screenX(160.0f));
    EXPECT_EQ(boss2.moveTimer, 330.0f);

    from(330.5f, 150, 0);  // t 331.5: back to 145 without a move
    EXPECT_EQ(boss2.moveTimer, 145.0f);
    EXPECT_EQ(boss2.x, screenX(150.0f));
    EXPECT_EQ(boss2.y, 0.0f);
}

TEST_F(Boss2, TheSpriteFollowsTheHpBandsWithInclusiveUpperBounds) {
    struct Case {
        float hp;
        int32_t* image;  // nullptr: no sprite
    };
    const Case cases[] = {
        {1000.5f, nullptr}, {1000, &imgBoss71}, {500.5f, &imgBoss71}, {500, &imgBoss71_1}, {300.5f, &imgBoss71_1},
        {300, &imgBoss71_2}, {150, &imgBoss71_3}, {-99.5f, &imgBoss71_3}, {-100, nullptr},
    };
    for (const Case& c : cases) {
        resetObjectPools();  // no blast of the case before lies over the sprite
        clearBack();
        boss2.x = screenX(150.0f);
        boss2.y = 100;
        boss2.hp = c.hp;
        boss2.hitFlag = 1;
        drawBoss2();
        const uint32_t expected = c.image != nullptr ? drawn(*c.image, 250, 390) : 0u;
        EXPECT_EQ(backAt(400, 490), expected) << "hp " << c.hp;
        EXPECT_EQ(boss2.hitFlag, 0);
    }
}

TEST_F(Boss2, TheSmokeRisesByStepFrom90And70Hp) {
    boss2.x = screenX(150.0f);
    boss2.y = 20;
    clearBack();
    boss2SmokeStep = 3;
    boss2.hp = 90;
    drawBoss2();
    EXPECT_EQ(backAt(150 + 150, 20 + 70 + 84), drawn(imgZbak3b, 240, 0));
    EXPECT_EQ(backAt(150 + 270 + 79, 20 + 70 + 84 + 79), drawn(imgZbak3b, 319, 79));
    EXPECT_EQ(backAt(150 + 90, 20 + 84), drawn(imgBoss71_3, 90, 84));
    EXPECT_EQ(boss2SmokeStep, 4);

    boss2SmokeStep = 9;
    boss2.hp = 70;
    drawBoss2();
    EXPECT_EQ(backAt(150 + 90, 20 + 252), drawn(imgZbak3b, 720, 0));
    EXPECT_EQ(backAt(150 + 330, 20 + 252), drawn(imgZbak3b, 720, 0));
    EXPECT_EQ(boss2SmokeStep, 0);
}

TEST_F(Boss2, TheDefeatRunsOnlyAtZeroHpAndHandsOverToStage3) {
    boss2.x = screenX(150.0f);
    boss2.y = 10;
    boss2.hp = 0.5f;
    runBoss2Defeat();
    EXPECT_EQ(explosionSounds(), 0);
    EXPECT_EQ(boss2.defeatTimer, 0.0f);

    boss2.hp = 0;
    frameTime = 0.016f;
    const auto r = seedAndPeek(11, 28);
    runBoss2Defeat();
    EXPECT_EQ(explosionSounds(), 1);
    EXPECT_FLOAT_EQ(boss2.defeatTimer, 0.16f);
    EXPECT_EQ(boss2BigBlasts[0].x, static_cast<float>(screenX(150) + r[0] % 500 - 100));
    EXPECT_EQ(boss2BigBlasts[0].y, static_cast<float>(10 + r[1] % 350));
    EXPECT_EQ(boss2SmallBlasts[0].x, static_cast<float>(screenX(150) + r[16] % 500 - 40));
    EXPECT_EQ(boss2SmallBlasts[5].y, static_cast<float>(10 + r[27] % 350));

    boss2.defeatTimer = 69.9f;
    scrollDistance = 11050;
    gameState = stateStage2;
    runBoss2Defeat();
    expectHandOver(stateStage3, 60);
    EXPECT_EQ(boss2.hp, 1000.0f);
    EXPECT_EQ(boss2.defeatTimer, 0.0f);
    EXPECT_EQ(scrollDistance, 0.0f);
}

}  // namespace
