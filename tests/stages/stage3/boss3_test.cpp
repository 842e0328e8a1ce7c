#include "stages/stage3/boss3.h"

#include <gtest/gtest.h>

#include "engine/eng_sound.h"
#include "game/game_states.h"
#include "stages/boss_fixture.h"

namespace {

class Boss3 : public bosstest::BossFixture {
protected:
    static void from(float timer, float fullX, float y) { scriptFrom(boss3, moveBoss3, timer, fullX, y); }
};

TEST_F(Boss3, TheScriptWaitsDescendsDipsSwaysAndLoopsBackTo80) {
    from(0, 0, 0);  // t 1
    EXPECT_EQ(boss3.x, screenX(180.0f));
    EXPECT_EQ(boss3.y, -480.0f);

    from(29.5f, 180, -100);  // t 30.5: between the wait and the descent
    EXPECT_EQ(boss3.y, -100.0f);

    from(30, 180, -100);  // t 31: down 104 x 0.1
    EXPECT_FLOAT_EQ(boss3.y, -89.6f);

    from(74, 180, -30);  // t 75: the descent's last step, then the hold
    EXPECT_EQ(boss3.y, 0.0f);

    from(100, 180, 0);  // t 101: the dip down
    EXPECT_FLOAT_EQ(boss3.y, 6.0f);

    from(239, 170, 5);  // t 240: the last sway step, then (180, 0)
    EXPECT_EQ(boss3.x, screenX(180.0f));
    EXPECT_EQ(boss3.y, 0.0f);

    from(249, 150, 30);  // t 250: (180, 0), then the fast sway
    EXPECT_FLOAT_EQ(boss3.x, screenX(195.0f));
    EXPECT_EQ(boss3.y, 0.0f);

    from(320, 180, 0);  // t 321: right and up at double speed
    EXPECT_FLOAT_EQ(boss3.x, screenX(200.0f));
    EXPECT_FLOAT_EQ(boss3.y, -10.0f);

    from(330.5f, 180, 0);  // t 331.5: back to 80 without a move
    EXPECT_EQ(boss3.moveTimer, 80.0f);
    EXPECT_EQ(boss3.x, screenX(180.0f));
}

TEST_F(Boss3, SpriteAndSmokeSitWhereThisBossHasThem) {
    makeImage(imgBoss41_2, 5, 440, 380);
    boss3.x = screenX(150.0f);
    boss3.y = 20;
    boss3.hp = 70;
    boss3SmokeStep = 1;
    drawBoss3();
    EXPECT_EQ(backAt(150 + 400, 20 + 10), 0u);  // 70 draws the last sprite, not BOSS41_2
    EXPECT_EQ(backAt(150 + 140, 20 + 70 + 28), drawn(imgZbak3b, 80, 0));
    EXPECT_EQ(backAt(150 + 300, 20 + 150 + 28), drawn(imgZbak3b, 80, 0));

    boss3.hp = 300;
    drawBoss3();
    EXPECT_EQ(backAt(150 + 400, 20 + 10), drawn(imgBoss41_2, 400, 10));
}

TEST_F(Boss3, TheMusicStopsOnEveryDefeatCallBetween50And60) {
    boss3.hp = 0;
    frameTime = 0.016f;
    struct Case {
        float before;
        bool stops;
    };
    // The clock gains 0.16 first, then is tested.
    for (const Case c : {Case{49.8f, false}, Case{49.9f, true}, Case{59.8f, true}, Case{59.9f, false}}) {
        boss3.defeatTimer = c.before;
        midiOpen = 1;
        runBoss3Defeat();
        EXPECT_EQ(midiOpen, c.stops ? 0 : 1) << c.before;
    }
    midiOpen = 0;
}

TEST_F(Boss3, TheDefeatHandsOverToTheEnding) {
    boss3.x = screenX(180.0f);
    boss3.y = 0;
    boss3.hp = 0;
    frameTime = 0.016f;
    const auto r = seedAndPeek(5, 28);
    runBoss3Defeat();
    EXPECT_EQ(boss3BigBlasts[0].y, static_cast<float>(r[1] % 320));
    EXPECT_EQ(boss3SmallBlasts[0].x, static_cast<float>(screenX(180) + r[16] % 440 - 40));
    EXPECT_EQ(boss3SmallBlasts[0].y, static_cast<float>(r[17] % 310));

    boss3.defeatTimer = 69.9f;
    gameState = stateStage3;
    runBoss3Defeat();
    expectHandOver(stateEnding, 60);
    EXPECT_EQ(boss3.hp, 1000.0f);
}

}  // namespace
