#include "game/mid_bosses.h"

#include <gtest/gtest.h>

#include "enemy_fixture.h"
#include "game/mid_boss_arms.h"
#include "game/resets.h"

using enemytest::code;

namespace {

// With a frame time of 0.1 s every script clock gains exactly 1 a frame.
constexpr float tenthOfASecond = 0.1f;

class MidBosses : public enemytest::EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        resetMidBosses();
        resetMidBossArmPuffs();
        frameTime = tenthOfASecond;
    }
    // One frame of the stage's mid-boss list, without the puffs and fans.
    static void runFrame(int m, int kind) {
        moveMidBoss(m, 11, 160, 360);
        drawMidBoss(m, kind);
        drawMidBossLeftArm(m, kind);
        drawMidBossRightArm(m, kind);
    }
    // Body hovering at (360, 170); both arms' parts at their bases with
    // their clocks at `timer`.
    static void hoverWithArmsAt(int m, float timer) {
        midBoss[m] = EnemySlot{};
        midBoss[m].x = screenX(360.0f);
        midBoss[m].y = 170;
        midBoss[m].alive = 1;
        midBoss[m].timer = 85;
        for (int k = 0; k < ArmPartCount; ++k) {
            leftArm[m][k] = EnemySlot{0, 0, 0, 0, screenX(346.0f), 146, 0, 0, timer, 0, 0, 0, 1, 0};
            rightArm[m][k] = EnemySlot{0, 0, 0, 0, screenX(440.0f), 146, 0, 0, timer, 0, 0, 0, 1, 0};
        }
    }
};

TEST_F(MidBosses, TheBodyAndItsArmsArmAtTheTopWithThreeNumbersEach) {
    const auto r = seedAndPeek(21, 46);
    spawnMidBoss(1, 80, 360);
    const EnemySlot& body = midBoss[1];
    EXPECT_TRUE(body.x == screenX(360.0f) && body.y == -360.0f && body.alive == 1);
    EXPECT_TRUE(body.variant == r[0] % 4 && body.vy == 70.0f + static_cast<float>(r[1] % 70) &&
                body.vx == 20.0f + static_cast<float>(r[2] % 20));
    spawnLeftArm(1, 14, 46);
    spawnRightArm(1, 99, 99);  // neither number is read
    for (int k = 0; k < ArmPartCount; ++k) {
        EXPECT_TRUE(leftArm[1][k].x == screenX(346.0f) && leftArm[1][k].y == -384.0f) << k;
        EXPECT_TRUE(rightArm[1][k].x == screenX(440.0f) && rightArm[1][k].y == -384.0f) << k;
        EXPECT_EQ(leftArm[1][k].variant, r[3 + 3 * k] % 4);
    }
    // Live records and indexes outside the tables arm nothing and draw nothing.
    spawnMidBoss(1, 80, 360);
    spawnLeftArm(1, 14, 46);
    spawnMidBoss(2, 80, 360);
    spawnRightArm(-1, 14, 46);
    EXPECT_EQ(engSystem::Rand(), r[45]);
}

TEST_F(MidBosses, TheBodyWaitsDropsSnapsToTheHoverAndTheArmsFollow) {
    spawnMidBoss(0, 80, 360);
    spawnLeftArm(0, 14, 46);
    spawnRightArm(0, 14, 46);
    const EnemySlot& body = midBoss[0];
    for (int t = 1; t <= 30; ++t) runFrame(0, 1);
    EXPECT_TRUE(body.x == screenX(360.0f) && body.y == -360.0f && body.alive == 1);
    for (int t = 31; t <= 74; ++t) runFrame(0, 1);
    EXPECT_EQ(body.y, 212.0f);  // 44 drops of 13 px: 42 px below the hover point
    EXPECT_EQ(leftArm[0][3].y, 188.0f);
    runFrame(0, 1);  // 75: the last drop, then the snap
    EXPECT_TRUE(body.x == screenX(360.0f) && body.y == 170.0f);
    for (int k = 0; k < ArmPartCount; ++k) {
        EXPECT_TRUE(leftArm[0][k].x == screenX(346.0f) && leftArm[0][k].y == 146.0f) << k;
        EXPECT_TRUE(rightArm[0][k].x == screenX(440.0f) && rightArm[0][k].y == 146.0f) << k;
    }
    for (int t = 76; t <= 90; ++t) runFrame(0, 1);
    EXPECT_EQ(body.timer, 80.0f);  // hovers for good
    EXPECT_EQ(leftArm[0][0].timer, 90.0f);

    // The other patterns are the enemy slots'; the cull frees the record.
    midBoss[1] = EnemySlot{};
    midBoss[1].alive = 1;
    midBoss[1].vy = 100;
    moveMidBoss(1, 0, 160, 360);
    EXPECT_EQ(midBoss[1].y, 10.0f);
    midBoss[1].x = rightEdgeX(801.0f);
    moveMidBoss(1, 0, 160, 360);
    EXPECT_TRUE(midBoss[1].alive == 0 && midBoss[1].y == parkPosition.y);
}

TEST_F(MidBosses, TheTipSwingsOneStepPerPartThatIsNotDying) {
    hoverWithArmsAt(0, 131);  // 130..140: left tip out and down, right tip out and down
    drawMidBossLeftArm(0, 1);
    drawMidBossRightArm(0, 1);
    EXPECT_EQ(leftArm[0][0].x, screenX(339.0f));  // 7 x 10 px/s for 0.1 s
    EXPECT_FLOAT_EQ(leftArm[0][0].y, 149.5f);
    EXPECT_EQ(rightArm[0][0].x, screenX(447.0f));
    EXPECT_EQ(leftArm[0][6].x, screenX(346.0f));  // the other parts stay at the base
    EXPECT_EQ(leftArm[0][1].timer, 132.0f);

    hoverWithArmsAt(1, 161);  // 160..170: the right tip drops faster than the left
    rightArm[1][4].dying = 1;
    drawMidBossLeftArm(1, 2);
    drawMidBossRightArm(1, 2);
    EXPECT_NEAR(leftArm[1][0].y, 148.1f, 1e-3);
    EXPECT_EQ(rightArm[1][0].x, screenX(446.0f));  // six steps: one part is dying
    EXPECT_NEAR(rightArm[1][0].y, 150.8f, 1e-3);
    EXPECT_EQ(rightArm[1][4].timer, 161.0f);  // a dying part runs no script
    EXPECT_EQ(explosionSounds(), 1);

    // Where two swings meet they cancel; a hold puts the part, tip or not, at
    // the base; the clock wraps from 200 to 95.
    hoverWithArmsAt(0, 119);
    drawMidBossLeftArm(0, 1);
    EXPECT_EQ(leftArm[0][0].x, screenX(346.0f));
    leftArm[0][0].x = 0;
    for (EnemySlot& part : leftArm[0]) part.timer = 199;
    drawMidBossLeftArm(0, 1);
    EXPECT_EQ(leftArm[0][0].timer, 95.0f);
    for (EnemySlot& part : leftArm[0]) part.timer = 96;
    drawMidBossLeftArm(0, 1);
    EXPECT_EQ(leftArm[0][0].x, screenX(346.0f));

    // Another arm type neither draws nor runs the scripts.
    drawMidBossLeftArm(0, 3);
    EXPECT_EQ(leftArm[0][2].timer, 97.0f);
}

TEST_F(MidBosses, LinksSpreadFromTheBaseTowardsTheTipAfterTheFirstPart) {
    makeImage(imgSzak12_1, 3, 14, 46);
    makeImage(imgSzak12_3, 4, 1, 1);  // too small for its cut: the tip sprite is not drawn
    hoverWithArmsAt(0, 121);         // 120..130: the left tip swings back, 1 px per part
    leftArm[0][0].x = screenX(276.0f);
    leftArm[0][0].y = 286;
    drawMidBossLeftArm(0, 1);
    // The first part draws all six links on the parts' own places (x - 6);
    // the later ones step them by (-69..-64) / 7 = -9 and 140 / 7 = 20.
    EXPECT_EQ(backAt(340, 146), code(3, 0, 0));
    for (int j = 1; j <= 6; ++j) EXPECT_EQ(backAt(340 - 9 * j, 146 + 20 * j), code(3, 0, 0)) << j;
    EXPECT_EQ(leftArm[0][0].x, screenX(283.0f));

    // The right arm spreads only right and down: a tip up and to the left
    // leaves every link on its part.
    makeImage(imgSzak11_2, 5, 14, 46);
    makeImage(imgSzak11_4, 6, 60, 360);
    clearBack();
    hoverWithArmsAt(1, 96);
    for (EnemySlot& part : rightArm[1]) part.timer = 121;
    rightArm[1][0].x = screenX(370.0f);
    rightArm[1][0].y = 100;
    drawMidBossRightArm(1, 2);
    EXPECT_EQ(backAt(440, 146 + 45), code(5, 0, 45));
    EXPECT_EQ(backAt(440, 146 + 46), 0u);
    // The tip sprite hangs from the tip: (x, y - 148) for the right arm of type 2.
    // The last part draws it before its own step: at x 370 - 6.
    EXPECT_EQ(backAt(364, 100 - 148 + 200), code(6, 0, 200));
}

TEST_F(MidBosses, TheBodyDrawsItsKindAndDiesInFourBurstsWithoutACoin) {
    makeImage(imgSzak12_0, 7, 160, 360);
    hoverWithArmsAt(0, 100);
    drawMidBoss(0, 1);
    EXPECT_EQ(backAt(320, 30), code(7, 0, 0));  // 40 px left of and 140 px above the box
    EXPECT_EQ(midBoss[0].animFrame, 1);
    drawMidBoss(0, 3);  // no such kind
    EXPECT_EQ(midBoss[0].animFrame, 1);
    midBoss[0].alive = 0;  // drawn wherever it lies, alive or not
    clearBack();
    drawMidBoss(0, 1);
    EXPECT_EQ(backAt(320, 30), code(7, 0, 0));

    killMidBoss(0);
    killMidBossLeftArm(0);
    killMidBoss(0);  // already dying: nothing
    for (int frame = 1; frame <= 35; ++frame) {
        drawMidBoss(0, 1);
        drawMidBossLeftArm(0, 1);
    }
    EXPECT_EQ(midBoss[0].dying, 1);
    EXPECT_EQ(explosionSounds(), 4 * 8);  // four bursts each for the body and seven parts
    drawMidBoss(0, 1);
    drawMidBossLeftArm(0, 1);
    EXPECT_TRUE(midBoss[0].dying == 0 && midBoss[0].y == parkPosition.y && midBoss[0].vy == 0.0f);
    for (const EnemySlot& part : leftArm[0]) EXPECT_TRUE(part.alive == 0 && part.dying == 0 && part.x == -500.0f);
    for (const Coin& coin : slotCoins) EXPECT_EQ(coin.falling, 0);
    EXPECT_EQ(rightArm[0][0].dying, 0);

    killMidBossRightArm(2);  // outside the table
    drawMidBoss(-1, 1);
    moveMidBoss(2, 11, 160, 360);
}

TEST_F(MidBosses, ArmPuffsLeaveFromTheTipWithoutAHitPointTest) {
    hoverWithArmsAt(1, 100);
    leftArm[1][0].x = screenX(300.0f);
    leftArm[1][0].y = 200;
    const auto r = seedAndPeek(8, 65);
    spawnLeftArmPuffs(1, 80, 80);
    const Puff& first = leftArmPuffs[1][0];
    EXPECT_TRUE(first.active == 1 && first.x == screenX(300.0f) + static_cast<float>(r[0] % 40) && first.y == 220.0f);
    EXPECT_EQ(first.vy, static_cast<float>(-(r[2] % 100 + 100)));  // r[1] is drawn and not read
    EXPECT_EQ(first.vx, static_cast<float>(r[3] % 100 - 50));
    spawnLeftArmPuffs(1, 80, 80);  // a full set arms nothing and draws nothing
    spawnLeftArmPuffs(2, 80, 80);
    EXPECT_EQ(engSystem::Rand(), r[32]);

    // A box no wider than a puff: offset 0, the numbers still drawn.
    engSystem::SeedRand(8);
    spawnRightArmPuffs(1, 40, 80);
    for (const Puff& puff : rightArmPuffs[1]) EXPECT_EQ(puff.x, screenX(440.0f));
    EXPECT_EQ(engSystem::Rand(), r[32]);
}

TEST_F(MidBosses, APuffStepMovesSevenTimesAndTestsEveryPart) {
    hoverWithArmsAt(0, 100);
    frameTime = 0.02f;
    Puff* puffs = leftArmPuffs[0];
    // Part 3 stands 50 px right of the others: its band starts at x 356.
    leftArm[0][3].x = screenX(396.0f);
    puffs[0] = Puff{0, screenX(357.0f), 300, 0, -150, 1};
    puffs[1] = Puff{0, screenX(355.0f), 300, 0, -150, 1};
    const auto r = seedAndPeek(4, 57);
    stepLeftArmPuffs(0, 40, 40);
    EXPECT_EQ(engSystem::Rand(), r[56]);  // eight puffs times seven parts, free ones too
    EXPECT_TRUE(puffs[0].active == 1 && puffs[0].y == 279.0f);  // 7 x 3 px
    EXPECT_TRUE(puffs[1].active == 0 && puffs[1].x == -500.0f && puffs[1].y == -2550.0f);
    EXPECT_TRUE(puffs[2].active == 0 && puffs[2].y == -2550.0f);  // free puffs are tested too
}

TEST_F(MidBosses, ThePlayStateResetFreesTheMidBossesArmsAndPuffs) {
    hoverWithArmsAt(1, 150);
    leftArm[1][6].dying = 1;
    rightArmPuffs[0][7] = Puff{3, 10, 10, 5, 5, 1};
    resetPlayState();
    for (int m = 0; m < MidBossCount; ++m) {
        EXPECT_TRUE(midBoss[m].alive == 0 && midBoss[m].timer == 0.0f && midBoss[m].y == parkPosition.y);
        for (int k = 0; k < ArmPartCount; ++k) {
            for (const EnemySlot* part : {&leftArm[m][k], &rightArm[m][k]}) {
                EXPECT_TRUE(part->alive == 0 && part->dying == 0 && part->timer == 0.0f && part->x == -500.0f);
                EXPECT_TRUE(part->variant >= 0 && part->variant < 4);
            }
        }
        for (int k = 0; k < PuffsPerSet; ++k) {
            EXPECT_TRUE(leftArmPuffs[m][k].active == 0 && rightArmPuffs[m][k].active == 0);
            EXPECT_EQ(rightArmPuffs[m][k].y, parkPosition.y);
        }
    }
}

}  // namespace
