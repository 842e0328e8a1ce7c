#include "stages/stage3/stage3.h"

#include <gtest/gtest.h>

#include "game/enemy_slots.h"
#include "game/hit_pass.h"
#include "game/turning_enemies.h"
#include "stages/stage_frame_fixture.h"

namespace {

class Stage3Frame : public stagetest::StageFrameTest {
protected:
    static int frames(int count) { return runFrames(stateStage3, stage3Frame, count); }
    static int activeFanShots(int enemy) {
        int count = 0;
        const FanShot* bank = turningEnemyFanShots(enemy);
        for (int k = 0; k < FanShotsPerEnemy; ++k) count += bank[k].active;
        return count;
    }
};

TEST_F(Stage3Frame, TheClockStepsBy16AndTheStageHasNoExitCheck) {
    engSystem::SetWait(1, 0);
    frameTime = 0.017f;
    frames(1);
    EXPECT_FLOAT_EQ(scrollDistance, 0.272f);
    EXPECT_EQ(gameState, stateStage3);
}

TEST_F(Stage3Frame, TheCounterMovesBelow780HpAndWrapsAfterCount4900) {
    scrollDistance = 3000;
    boss3.hp = 780;
    frames(1);
    EXPECT_EQ(boss3Timeline, 0u);
    boss3.hp = 779.5f;
    frames(1);
    EXPECT_EQ(boss3Timeline, 1u);
    boss3Timeline = 4899;
    frames(1);
    EXPECT_EQ(boss3Timeline, 0u);

    scrollDistance = 2649;  // the boss comes at 2650
    boss3Timeline = 5;
    frames(1);
    EXPECT_EQ(boss3Timeline, 5u);
}

TEST_F(Stage3Frame, EscortsEightAndNineFireTenAndElevenOnlyFly) {
    scrollDistance = 500;
    int shots[12] = {};
    for (int n = 0; n < 150; ++n) {  // to 538.4
        frames(1);
        for (int e : {8, 9, 10, 11}) shots[e] += activeFanShots(e);
    }
    for (int e : {8, 9, 10, 11}) EXPECT_EQ(turningEnemies[e].alive, 1) << e;
    EXPECT_GT(shots[8], 0);
    EXPECT_GT(shots[9], 0);
    EXPECT_EQ(shots[10], 0);
    EXPECT_EQ(shots[11], 0);

    scrollDistance = 861;  // 10 and 11 die first; 8, 9 and slot 23 from 880
    frames(1);
    EXPECT_EQ(turningEnemies[10].dying, 1);
    EXPECT_EQ(turningEnemies[8].dying, 0);
    EXPECT_EQ(turningEnemies[8].hp, 50.0f);
    scrollDistance = 881;
    frames(1);
    EXPECT_EQ(turningEnemies[8].dying, 1);
    EXPECT_EQ(enemySlots[23].dying, 1);
}

TEST_F(Stage3Frame, ACoinOfSlot17FallsIsTakenAndLeavesPlay) {
    scrollDistance = 5000;  // no schedule window, no side enemy spawn
    EnemySlot& e = enemySlots[17];
    e.x = playerX - 20;
    e.y = playerY - 120;  // the coin starts 100 px above the ship
    dropSlotCoin(17);
    const Coin& coin = slotCoins[17];
    const float y0 = coin.y;
    frames(1);
    EXPECT_GT(coin.y, y0);
    EXPECT_EQ(score, 0);

    // Falling onto the ship it is taken, pays while its burst plays over
    // the ship, and then leaves play.
    frames(200);
    EXPECT_GT(score, 0);
    EXPECT_EQ(coin.falling, 0);
    EXPECT_EQ(coin.taken, 0);
    const int32_t paid = score;
    frames(60);
    EXPECT_EQ(score, paid);
    EXPECT_EQ(score % SlotCoinPoints, 0);
}

}  // namespace
