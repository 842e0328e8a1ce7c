// A play field for the boss tests: the enemy fixture's sound and back
// surface, coded pictures for the blasts and the smoke, and the loop and
// transition globals that a defeat's hand-over writes, put back afterwards.
#pragma once

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/boss_effects.h"
#include "game/resets.h"
#include "game/enemy_fixture.h"

namespace bosstest {

class BossFixture : public enemytest::EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        savedTransition = screenTransition;
        savedRunning = transitionRunning;
        savedState = gameState;
        savedPrevious = previousState;
        resetObjectPools();
        makeImage(imgBbak1b, 20, 640, 160);
        makeImage(imgZbak1b, 21, 600, 60);
        makeImage(imgZbak3b, 22, 800, 80);
        frameTime = 0.1f;  // the boss clock gains exactly 1 a call
    }
    void TearDown() override {
        screenTransition = savedTransition;
        transitionRunning = savedRunning;
        gameState = savedState;
        previousState = savedPrevious;
        resetObjectPools();
        EnemyFixture::TearDown();
    }
    // Runs one script call from clock `timer` with the boss at (fullX, y).
    static void scriptFrom(BossBody& boss, void (*move)(), float timer, float fullX, float y) {
        boss.moveTimer = timer;
        boss.x = screenX(fullX);
        boss.y = y;
        move();
    }

    // What every defeat leaves when it ends the stage.
    static void expectHandOver(int32_t nextState, int32_t wipeSteps) {
        EXPECT_EQ(gameState, nextState);
        EXPECT_EQ(previousState, 0);
        EXPECT_EQ(screenTransition.kind, 3);
        EXPECT_EQ(screenTransition.stepCount, wipeSteps);
        EXPECT_EQ(screenTransition.step, wipeSteps);
        EXPECT_EQ(transitionRunning, -1);
    }

private:
    ScreenTransition savedTransition{};
    int32_t savedRunning = 0, savedState = 0, savedPrevious = 0;
};

}  // namespace bosstest
