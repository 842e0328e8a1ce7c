// Aimed volleys: arming a line from the owner's emitter, its flight, the
// side-step, the line exit on record 0 and the player test on every record.
#include "game/shots/aimed.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/play_state.h"
#include "game/player.h"

namespace {

class AimedVolleys : public ::testing::Test {
protected:
    void SetUp() override {
        engSystem::SeedRand(7);
        parkAimedPools();
        for (BossBody* boss : {&boss1, &boss2, &boss3}) *boss = BossBody{screenX(200.0f), 50.0f, 0, 1000, 0, 0};
        playerAlive = 1;
        clearShots = 0;
        frameTime = 0.016f;
    }
    // The player placed so that the aim point (player + a) is (x, y).
    static void aimAt(float x, float y, float a) {
        playerX = x - a;
        playerY = y - a;
    }
};

TEST_F(AimedVolleys, ALineLeavesTheEmitterTogetherWithRisingSpeeds) {
    struct Case {
        int stage, ordinal;
        float emitterX;  // boss.x + cx + ex with the boss at 200
        float speed0, speed4;
    };
    for (const Case& c : {Case{1, 2, 305, 260, 340}, Case{2, 1, 555, 170, 270}, Case{3, 19, 275, 260, 340}}) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << " pool " << c.ordinal);
        const int pool = findAimedPool(c.stage, c.ordinal);
        const float emitterY = c.stage == 3 ? 190.0f : 150.0f;
        aimAt(screenX(c.emitterX), 450, 15);  // straight below: dx 0
        spawnAimedVolley(pool);
        const AimedShot* line = aimedPoolRecords(pool);
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(line[k].active, 1);
            EXPECT_TRUE(line[k].x == screenX(c.emitterX) && line[k].y == emitterY);
            EXPECT_TRUE(line[k].startX == line[k].x && line[k].startY == emitterY);
            EXPECT_EQ(line[k].angle, piTimes(0.5));
            EXPECT_EQ(line[k].dy, 450 - emitterY);
        }
        EXPECT_TRUE(line[0].speed == c.speed0 && line[4].speed == c.speed4);

        moveAimedShotPool(pool);
        EXPECT_FLOAT_EQ(line[0].y, emitterY + c.speed0 * 0.016f);
        EXPECT_FLOAT_EQ(line[4].y, emitterY + c.speed4 * 0.016f);
        EXPECT_EQ(line[0].x, screenX(c.emitterX));

        // A line in flight arms nothing.
        aimAt(screenX(100.0f), 100, 15);
        spawnAimedVolley(pool);
        EXPECT_FLOAT_EQ(line[0].y, emitterY + c.speed0 * 0.016f);
        EXPECT_EQ(line[2].angle, piTimes(0.5));
    }
}

TEST_F(AimedVolleys, AimOffsetAndTurnOfEachPool) {
    // Stage-1 pools 3, 4 and 5 share the emitter 285, 150; pools 4 and 5 aim 9 into the ship, pool 3 15.
    playerX = screenX(276.0f);
    playerY = 441;
    for (int ordinal : {3, 4, 5}) spawnAimedVolley(findAimedPool(1, ordinal));
    EXPECT_EQ(aimedPoolRecords(findAimedPool(1, 4))[0].angle, piTimes(0.5));
    EXPECT_EQ(aimedPoolRecords(findAimedPool(1, 5))[0].angle, piTimes(0.5) - piFraction(1, 10));
    const AimedShot& turned = aimedPoolRecords(findAimedPool(1, 3))[0];
    EXPECT_TRUE(turned.dx == 6.0f && turned.dy == 306.0f);
    EXPECT_EQ(turned.angle, static_cast<float>(std::atan(static_cast<double>(306.0f / 6.0f))) + piFraction(1, 10));

    // Aim point to the left: a half turn more (stage-1 pool 2 from 305, 150).
    aimAt(screenX(205.0f), 450, 15);
    spawnAimedVolley(findAimedPool(1, 2));
    EXPECT_NEAR(aimedPoolRecords(findAimedPool(1, 2))[0].angle, PiD - std::atan(3.0), 1e-6);

    // Straight below the emitter, +pi/2 fires to the left and -pi/2 to the right (stage 3 from 525, 150).
    aimAt(screenX(525.0f), 450, 15);
    spawnAimedVolley(findAimedPool(3, 2));
    spawnAimedVolley(findAimedPool(3, 8));
    EXPECT_EQ(aimedPoolRecords(findAimedPool(3, 2))[0].angle, 0.0f);
    EXPECT_EQ(aimedPoolRecords(findAimedPool(3, 8))[0].angle, Pi);
}

TEST_F(AimedVolleys, RecordZeroRetiresTheWholeLineInPlace) {
    const int pool = findAimedPool(1, 2);
    aimAt(screenX(305.0f), 450, 15);
    spawnAimedVolley(pool);
    AimedShot* line = aimedPoolRecords(pool);
    line[4].y = 700;  // far ahead, below the screen: the line flies on while record 0 is inside
    moveAimedShotPool(pool);
    EXPECT_EQ(line[4].active, 1);

    line[0].y = 598;
    const float y4 = line[4].y + 340 * 0.016f;
    moveAimedShotPool(pool);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(line[k].active, 0) << k;
    EXPECT_FLOAT_EQ(line[4].y, y4);  // left where it was, not parked
    EXPECT_EQ(line[4].x, screenX(305.0f));

    // The right-hand edge is the screen's in either build.
    spawnAimedVolley(pool);
    line[0].angle = 0;
    line[0].x = rightEdgeX(800.0f) - 5;
    moveAimedShotPool(pool);
    EXPECT_EQ(line[3].active, 1);
    moveAimedShotPool(pool);
    EXPECT_EQ(line[3].active, 0);

    // Free records are tested too: the first one inside the box hits.
    playerX = line[4].x;
    playerY = line[4].y - 10;
    moveAimedShotPool(pool);
    EXPECT_EQ(playerAlive, 0);
}

TEST_F(AimedVolleys, SideStepPoolsDriftOutwardsForTheirFirst300Units) {
    const int left = findAimedPool(3, 16), right = findAimedPool(3, 18);
    aimAt(screenX(305.0f), 450, 15);
    spawnAimedVolley(left);
    AimedShot* line = aimedPoolRecords(left);
    EXPECT_EQ(aimedPools[left].count, 8);
    EXPECT_EQ(line[7].speed, 400.0f);
    moveAimedShotPool(left);
    const float d = 260 * 0.016f;
    EXPECT_FLOAT_EQ(line[0].sideStepTimer, 4.16f);
    EXPECT_FLOAT_EQ(line[0].x, screenX(305.0f) - 0.5f * d);
    EXPECT_FLOAT_EQ(line[0].y, 150 + d / 10 + d);

    aimAt(screenX(505.0f), 450, 15);
    spawnAimedVolley(right);
    AimedShot& lead = aimedPoolRecords(right)[0];
    lead.sideStepTimer = 299;  // passes 300 in this frame: flight alone, the clock held
    moveAimedShotPool(right);
    EXPECT_EQ(lead.sideStepTimer, 300.0f);
    EXPECT_EQ(lead.x, screenX(505.0f));
    moveAimedShotPool(right);
    EXPECT_EQ(lead.sideStepTimer, 300.0f);
}

TEST_F(AimedVolleys, EachOwnerResolvesToItsOwnTopLeft) {
    boss2.x = 12;
    boss2.y = 34;
    const Position boss = shotOwnerOrigin(aimedPools[findAimedPool(2, 5)].owner);
    EXPECT_TRUE(boss.x == 12 && boss.y == 34);
    EXPECT_EQ(aimedPools[slotAimedFivePool(23)].owner.index, 23);
    EXPECT_EQ(slotAimedShotPool(24), -1);
    const Position none = shotOwnerOrigin(enemySlotOwner(24));
    EXPECT_TRUE(none.x == parkPosition.x && none.y == parkPosition.y);
}

}  // namespace
