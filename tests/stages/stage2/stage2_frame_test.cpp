#include "stages/stage2/stage2.h"

#include <gtest/gtest.h>

#include "game/enemy_slots.h"
#include "game/mid_bosses.h"
#include "game/turning_enemies.h"
#include "stages/stage_frame_fixture.h"

namespace {

class Stage2Frame : public stagetest::StageFrameTest {
protected:
    static int frames(int count) { return runFrames(stateStage2, stage2Frame, count); }
};

TEST_F(Stage2Frame, TheClockStepsBy18AndTheShipMovesFromTheFirstFrame) {
    paused = 1;
    stateChanged = 1;  // unlike stage 1, the first frame clears nothing
    frames(1);
    EXPECT_EQ(scrollDistance, 0.0f);
    EXPECT_EQ(paused, 1);

    paused = 0;
    frameTime = 0.017f;
    plat::headless::setKeyDown(plat::VirtualKey::Left, true);
    const float x = playerX;
    frames(1);  // the key is read from the first frame on: pressed, then held
    EXPECT_FLOAT_EQ(scrollDistance, 0.306f);
    frames(1);
    EXPECT_FLOAT_EQ(playerX, x - 2.72f);  // 160 px/s
}

TEST_F(Stage2Frame, TheCounterMovesBelow980HpAndWrapsAfterCount2300) {
    scrollDistance = 3000;
    boss2.hp = 980;
    frames(1);
    EXPECT_EQ(boss2Timeline, 0u);
    boss2.hp = 979.5f;
    frames(1);
    EXPECT_EQ(boss2Timeline, 1u);
    boss2Timeline = 2299;
    frames(1);
    EXPECT_EQ(boss2Timeline, 0u);
    frames(1);
    EXPECT_EQ(boss2Timeline, 1u);

    scrollDistance = 2199;  // before the band nothing moves
    boss2Timeline = 5;
    frames(1);
    EXPECT_EQ(boss2Timeline, 5u);
}

TEST_F(Stage2Frame, SideEnemiesComeOnlyBelow2450) {
    frameTime = 0;
    scrollDistance = 2440;
    frames(1);
    EXPECT_EQ(turningEnemies[0].alive, 1);
    EXPECT_EQ(turningEnemies[1].alive, 1);

    resetPlayState();
    scrollDistance = 2450;
    frames(1);
    EXPECT_EQ(turningEnemies[0].alive, 0);
    EXPECT_EQ(turningEnemies[1].alive, 0);
}

TEST_F(Stage2Frame, TheLargeEnemyAndTheMidBossKeepTheirWindows) {
    frameTime = 0;
    scrollDistance = 400;
    frames(1);
    EXPECT_EQ(enemySlots[22].alive, 1);
    EXPECT_EQ(enemySlots[22].x, screenX(370.0f));
    EXPECT_EQ(enemySlots[22].y, -300.0f);

    scrollDistance = 600;  // escorts spawned, not yet held
    frames(1);
    EXPECT_EQ(turningEnemies[6].alive, 1);
    EXPECT_EQ(turningEnemies[7].alive, 1);
    scrollDistance = 880;  // held at 50 hp and smoking; the kill is strict
    frames(1);
    EXPECT_EQ(turningEnemies[6].hp, 50.0f);
    EXPECT_EQ(turningEnemies[7].dying, 0);
    EXPECT_EQ(enemySlots[22].dying, 0);
    scrollDistance = 881;
    frames(1);
    EXPECT_EQ(turningEnemies[7].dying, 1);
    EXPECT_EQ(enemySlots[22].dying, 1);

    scrollDistance = 1400;
    frames(1);
    EXPECT_EQ(midBoss[0].alive, 1);
    scrollDistance = 2080;
    frames(1);
    EXPECT_EQ(midBoss[0].dying, 0);
    scrollDistance = 2081;
    frames(1);
    EXPECT_EQ(midBoss[0].dying, 1);
}

TEST_F(Stage2Frame, TheForcedClearRunsTheDefeatTwiceAFrameUntilStage3) {
    scrollDistance = 10999.9f;  // 18 x 0.016 = 0.288 a frame
    boss2.hp = 900;
    // Frame 1 forces hp 0 after the draw: one defeat call (0.16); every later
    // frame makes two (0.32). 0.16 + 0.32 x 219 > 70 on frame 220.
    EXPECT_EQ(frames(400), 220);
    EXPECT_EQ(gameState, stateStage3);
    EXPECT_EQ(screenTransition.stepCount, 60);
    // The defeat ended in the draw's call: the fresh boss is left alone.
    EXPECT_EQ(boss2.hp, 1000.0f);
    EXPECT_EQ(boss2.defeatTimer, 0.0f);
    EXPECT_EQ(scrollDistance, 0.0f);
}

TEST_F(Stage2Frame, ALongFramePastTheBandCannotStopABegunForcedClear) {
    scrollDistance = 11090;
    boss2.hp = 0;
    boss2.defeatTimer = 10;
    frameTime = 1.0f;  // one stalled frame: the clock jumps to 11108
    frames(1);
    EXPECT_FLOAT_EQ(boss2.defeatTimer, 30.0f);
    frameTime = 0.016f;
    EXPECT_EQ(frames(400), 125);  // 30 + 0.32 x 125 > 70
    EXPECT_EQ(gameState, stateStage3);
}

TEST_F(Stage2Frame, TheStageEndsAtItsExitCheck) {
    engSystem::SetWait(1, 0);
    frames(1);
    EXPECT_EQ(gameState, stateOpening);
}

}  // namespace
