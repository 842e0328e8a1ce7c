#include "game/mid_bosses.h"

#include <gtest/gtest.h>

#include "enemy_fixture.h"
#include "game/mid_boss_arms.h"
#include "game/mid_boss_windows.h"
#include "game/resets.h"
#include "game/shots/fan.h"

using enemytest::code;

namespace {

class MidBosses : public enemytest::EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        resetMidBosses();
        resetMidBossArms();
        frameTime = 0.1f;  // every script clock gains exactly 1 a frame
    }
    // Body hovering at (360, 170); both arms' parts at their bases with
    // their clocks at `timer`.
    static void hoverWithArmsAt(int m, float timer) {
        midBoss[m] = EnemySlot{0, 0, 0, 0, screenX(360.0f), 170, 0, 0, 85, 0, 0, 0, 1, 0};
        for (int k = 0; k < ArmPartCount; ++k) {
            leftArm[m][k] = EnemySlot{0, 0, 0, 0, screenX(346.0f), 146, 0, 0, timer, 0, 0, 0, 1, 0};
            rightArm[m][k] = EnemySlot{0, 0, 0, 0, screenX(440.0f), 146, 0, 0, timer, 0, 0, 0, 1, 0};
        }
    }
    static const FanShot* armBank(FanOwner arm, int m) { return fanPoolRecords(findFanBank(arm, m)); }
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
    killMidBossRightArm(2);
    drawMidBoss(-1, 1);
    moveMidBoss(2, 11, 160, 360);
    EXPECT_EQ(engSystem::Rand(), r[45]);
}

TEST_F(MidBosses, TheTipSwingsOneStepPerPartThatIsNotDying) {
    hoverWithArmsAt(0, 131);  // 130..140: both tips out and down
    drawMidBossLeftArm(0, 1);
    drawMidBossRightArm(0, 1);
    EXPECT_TRUE(leftArm[0][0].x == screenX(339.0f) && leftArm[0][0].y == 149.5f);  // 7 x (10, 5) px/s
    EXPECT_EQ(rightArm[0][0].x, screenX(447.0f));
    EXPECT_TRUE(leftArm[0][6].x == screenX(346.0f) && leftArm[0][6].timer == 132.0f);

    hoverWithArmsAt(1, 161);  // 160..170: the right tip drops faster than the left
    rightArm[1][4].dying = 1;
    drawMidBossLeftArm(1, 2);
    drawMidBossRightArm(1, 2);
    EXPECT_NEAR(leftArm[1][0].y, 148.1f, 1e-3);
    EXPECT_EQ(rightArm[1][0].x, screenX(446.0f));  // six steps: one part is dying
    EXPECT_NEAR(rightArm[1][0].y, 150.8f, 1e-3);
    EXPECT_TRUE(rightArm[1][4].timer == 161.0f && explosionSounds() == 1);  // it explodes instead

    // Where two swings meet they cancel; the clock wraps from 200 to 95; a
    // hold puts every part, the tip too, at the base; another type does nothing.
    hoverWithArmsAt(0, 119);
    drawMidBossLeftArm(0, 1);
    EXPECT_EQ(leftArm[0][0].x, screenX(346.0f));
    for (EnemySlot& part : leftArm[0]) part.timer = 199;
    drawMidBossLeftArm(0, 1);
    EXPECT_EQ(leftArm[0][0].timer, 95.0f);
    drawMidBossLeftArm(0, 1);
    EXPECT_EQ(leftArm[0][0].x, screenX(346.0f));
    drawMidBossLeftArm(0, 3);
    EXPECT_EQ(leftArm[0][2].timer, 96.0f);
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

    // The right arm spreads only right and down: a tip up and to the left
    // leaves every link on its part. Its tip sprite hangs at (x, y - 148).
    makeImage(imgSzak11_2, 5, 14, 46);
    makeImage(imgSzak11_4, 6, 60, 360);
    clearBack();
    hoverWithArmsAt(1, 121);
    rightArm[1][0].x = screenX(370.0f);
    rightArm[1][0].y = 100;
    drawMidBossRightArm(1, 2);
    EXPECT_EQ(backAt(440, 146 + 45), code(5, 0, 45));
    EXPECT_EQ(backAt(440, 146 + 46), 0u);
    EXPECT_EQ(backAt(364, 100 - 148 + 200), code(6, 0, 200));  // drawn last before the seventh step
}

TEST_F(MidBosses, TheBodyIsDrawnByKindWhereverItLies) {
    makeImage(imgSzak12_0, 7, 160, 360);
    hoverWithArmsAt(0, 100);
    midBoss[0].alive = 0;
    drawMidBoss(0, 1);
    EXPECT_EQ(backAt(320, 30), code(7, 0, 0));  // 40 px left of and 140 px above the box
    EXPECT_EQ(midBoss[0].animFrame, 1);
    drawMidBoss(0, 3);  // no such kind
    EXPECT_EQ(midBoss[0].animFrame, 1);
}

TEST_F(MidBosses, ArmPuffsLeaveFromTheTipWithoutAHitPointTest) {
    hoverWithArmsAt(1, 100);
    leftArm[1][0].x = screenX(300.0f);
    leftArm[1][0].y = 200;
    const auto r = seedAndPeek(8, 33);
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
    leftArm[0][3].x = screenX(396.0f);  // part 3's band starts at x 356
    puffs[0] = Puff{0, screenX(357.0f), 300, 0, -150, 1};
    puffs[1] = Puff{0, screenX(355.0f), 300, 0, -150, 1};
    const auto r = seedAndPeek(4, 57);
    stepLeftArmPuffs(0, 40, 40);
    EXPECT_EQ(engSystem::Rand(), r[56]);  // eight puffs times seven parts, free ones too
    EXPECT_TRUE(puffs[0].active == 1 && puffs[0].y == 279.0f);  // 7 x 3 px
    EXPECT_TRUE(puffs[1].active == 0 && puffs[1].x == -500.0f && puffs[1].y == -2550.0f);
}

TEST_F(MidBosses, ArmFansLeaveBelowPartZeroAndTheMiddleShotFliesAtTheAimPoint) {
    hoverWithArmsAt(1, 100);
    leftArm[1][0].x = screenX(300.0f);
    leftArm[1][0].y = 100;
    playerX = screenX(370.0f);  // aim point (380, 400)
    playerY = 390;
    const FanShot* left = armBank(FanOwner::LeftArm, 1);
    const FanShot* right = armBank(FanOwner::RightArm, 1);
    for (int tick = 1; tick <= 40; ++tick) {
        tickLeftArmFanWaves(1);
        tickRightArmFanWaves(1);
    }
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(left[k].active == 1 && left[k].x == screenX(270.0f) && left[k].y == 260.0f) << k;
        EXPECT_TRUE(right[k].active == 1 && right[k].x == screenX(440.0f) && right[k].y == 306.0f) << k;
    }
    EXPECT_EQ(left[3].active, 0);
    stepLeftArmFanShots(1);
    stepRightArmFanShots(1);
    // The middle shots stay on the lines from their muzzles to (380, 400).
    EXPECT_NEAR((left[1].x - screenX(270.0f)) * 140 - (left[1].y - 260) * 110, 0, 1e-2);
    EXPECT_NEAR((right[1].x - screenX(440.0f)) * 94 - (right[1].y - 306) * -60, 0, 1e-2);

    spawnLeftArmFanShot(1, 15, 12);  // no such record
    spawnRightArmFanShot(2, 0, 0);   // no such mid-boss
    EXPECT_EQ(left[14].active, 0);
}

TEST_F(MidBosses, BothDropHoverFireSmokeAndDieAsTheTimelinesCallThem) {
    for (int m = 0; m < MidBossCount; ++m) {
        plat::headless::clearSoundEvents();
        const EnemySlot& body = midBoss[m];
        spawnMidBossWindow(m);
        for (int frame = 1; frame <= 100; ++frame) {
            runMidBossWindow(m);
            const float partY = leftArm[m][3].y;
            if (frame == 30) {
                EXPECT_TRUE(body.y == -360.0f && partY == -384.0f);  // held above the screen
            }
            if (frame == 74) {
                EXPECT_TRUE(body.y == 212.0f && partY == 188.0f);  // 44 drops of 13 px: 42 below the hover
            }
            if (frame == 75) {
                EXPECT_TRUE(body.y == 170.0f && partY == 146.0f);  // the snap
            }
        }
        EXPECT_TRUE(body.x == screenX(360.0f) && body.y == 170.0f && body.timer == 90.0f - 10.0f) << m;
        EXPECT_EQ(rightArm[m][6].x, screenX(440.0f));
        for (int frame = 1; frame <= 40; ++frame) {
            runMidBossWindow(m);
            runMidBossArmFansWindow(m);
        }
        EXPECT_EQ(armBank(FanOwner::LeftArm, m)[2].active + armBank(FanOwner::RightArm, m)[0].active, 2) << m;
        runMidBossWindow(m);
        runMidBossArmFansWindow(m);
        smokeMidBossArmsWindow(m);
        EXPECT_EQ(leftArmPuffs[m][7].active + rightArmPuffs[m][0].active, 2) << m;
        // Killed every frame: each record explodes from the next frame on,
        // 36 frames and four sounds, and lies parked; no coin falls.
        for (int frame = 1; frame <= 37; ++frame) {
            runMidBossWindow(m);
            runMidBossArmFansWindow(m);
            smokeMidBossArmsWindow(m);
            killMidBossWindow(m);
        }
        EXPECT_EQ(explosionSounds(), 4 * (1 + 2 * ArmPartCount)) << m;
        EXPECT_TRUE(body.alive == 0 && body.x == -500.0f && leftArm[m][0].y == parkPosition.y) << m;
        EXPECT_EQ(slotCoins[0].falling, 0);
    }
}

TEST_F(MidBosses, ThePlayStateResetFreesTheMidBossesArmsPuffsAndFans) {
    hoverWithArmsAt(1, 150);
    leftArm[1][6].dying = 1;
    rightArmPuffs[0][7] = Puff{3, 10, 10, 5, 5, 1};
    FanShot& shot = fanPoolRecords(findFanBank(FanOwner::RightArm, 1))[14];
    shot = FanShot{40, 100, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    resetPlayState();
    EXPECT_TRUE(shot.active == 0 && shot.waveCounter == 0 && shot.frame < 7 && shot.y == parkPosition.y);
    EXPECT_TRUE(rightArmPuffs[0][7].active == 0 && rightArmPuffs[0][7].y == parkPosition.y);
    for (int m = 0; m < MidBossCount; ++m) {
        EXPECT_TRUE(midBoss[m].alive == 0 && midBoss[m].timer == 0.0f && midBoss[m].y == parkPosition.y);
        for (int k = 0; k < ArmPartCount; ++k) {
            for (const EnemySlot* part : {&leftArm[m][k], &rightArm[m][k]}) {
                EXPECT_TRUE(part->alive == 0 && part->dying == 0 && part->timer == 0.0f && part->x == -500.0f);
            }
        }
    }
}

}  // namespace
