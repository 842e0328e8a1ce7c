// Aimed volleys: arming a line from the owner's emitter, its flight, the
// side-step, the line exit on record 0 and the player test on every record.
#include "game/shots/aimed.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/player.h"

namespace {

class AimedVolleys : public ::testing::Test {
protected:
    void SetUp() override {
        parkAimedPools();
        for (BossBody* boss : {&boss1, &boss2, &boss3}) *boss = BossBody{screenX(200.0f), 50.0f, 0, 1000, 0, 0};
        playerAlive = 1;
        frameTime = 0.016f;
    }
    // The player placed so that the aim point (player + 15) is (x, y).
    static void aimAt(float x, float y) {
        playerX = x - 15;
        playerY = y - 15;
    }
};

TEST_F(AimedVolleys, ALineLeavesTheEmitterTogetherWithRisingSpeeds) {
    struct Case {
        int stage, ordinal;
        float emitterX, emitterY, speed0, speed4;  // with the boss at (200, 50)
    };
    const Case cases[] = {{1, 2, 305, 150, 260, 340}, {2, 1, 555, 150, 170, 270}, {3, 19, 275, 190, 260, 340}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << " pool " << c.ordinal);
        const int pool = findAimedPool(c.stage, c.ordinal);
        const AimedShot* line = aimedPoolRecords(pool);
        aimAt(screenX(c.emitterX), 450);  // straight below: dx 0
        spawnAimedVolley(pool);
        for (int k = 0; k < 5; ++k) {
            EXPECT_TRUE(line[k].active == 1 && line[k].x == screenX(c.emitterX) && line[k].y == c.emitterY);
            EXPECT_TRUE(line[k].angle == piTimes(0.5) && line[k].dy == 450 - c.emitterY);
        }
        EXPECT_TRUE(line[0].speed == c.speed0 && line[4].speed == c.speed4);
        moveAimedShotPool(pool);
        EXPECT_FLOAT_EQ(line[4].y, c.emitterY + c.speed4 * 0.016f);
        EXPECT_EQ(line[0].x, screenX(c.emitterX));
        aimAt(screenX(100.0f), 100);
        spawnAimedVolley(pool);  // in flight: arms nothing
        EXPECT_EQ(line[2].angle, piTimes(0.5));
    }
}

TEST_F(AimedVolleys, AimOffsetAndTurnOfEachPool) {
    // Stage-1 pools 3, 4 and 5 fire from (285, 150); pools 4 and 5 aim 9 into the ship, pool 3 15.
    playerX = screenX(276.0f);
    playerY = 441;
    for (int ordinal : {3, 4, 5}) spawnAimedVolley(findAimedPool(1, ordinal));
    EXPECT_EQ(aimedPoolRecords(findAimedPool(1, 4))[0].angle, piTimes(0.5));
    EXPECT_EQ(aimedPoolRecords(findAimedPool(1, 5))[0].angle, piTimes(0.5) - piFraction(1, 10));
    const AimedShot& turned = aimedPoolRecords(findAimedPool(1, 3))[0];
    EXPECT_TRUE(turned.dx == 6.0f && turned.dy == 306.0f);
    EXPECT_EQ(turned.angle, static_cast<float>(std::atan(static_cast<double>(306.0f / 6.0f))) + piFraction(1, 10));

    aimAt(screenX(205.0f), 450);  // to the left of (305, 150): a half turn more
    spawnAimedVolley(findAimedPool(1, 2));
    EXPECT_NEAR(aimedPoolRecords(findAimedPool(1, 2))[0].angle, PiD - std::atan(3.0), 1e-6);

    aimAt(screenX(525.0f), 450);  // straight below: +pi/2 fires left, -pi/2 right
    spawnAimedVolley(findAimedPool(3, 2));
    spawnAimedVolley(findAimedPool(3, 8));
    EXPECT_EQ(aimedPoolRecords(findAimedPool(3, 2))[0].angle, 0.0f);
    EXPECT_EQ(aimedPoolRecords(findAimedPool(3, 8))[0].angle, Pi);
}

TEST_F(AimedVolleys, RecordZeroRetiresTheWholeLineInPlace) {
    const int pool = findAimedPool(1, 2);
    AimedShot* line = aimedPoolRecords(pool);
    aimAt(screenX(305.0f), 450);
    spawnAimedVolley(pool);
    line[4].y = 700;  // below the screen, but record 0 is inside
    moveAimedShotPool(pool);
    EXPECT_EQ(line[4].active, 1);
    line[0].y = 598;
    const float y4 = line[4].y + 340 * 0.016f;
    moveAimedShotPool(pool);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(line[k].active, 0) << k;
    EXPECT_TRUE(line[4].y == y4 && line[4].x == screenX(305.0f));  // not parked

    spawnAimedVolley(pool);  // the right-hand edge is the screen's in either build
    line[0].angle = 0;
    line[0].x = rightEdgeX(800.0f) - 5;
    moveAimedShotPool(pool);
    EXPECT_EQ(line[3].active, 1);
    moveAimedShotPool(pool);
    EXPECT_EQ(line[3].active, 0);

    playerX = line[4].x;  // free records are tested too
    playerY = line[4].y - 10;
    moveAimedShotPool(pool);
    EXPECT_EQ(playerAlive, 0);
}

TEST_F(AimedVolleys, SideStepPoolsDriftOutwardsUntilTheirClockPasses300) {
    const int left = findAimedPool(3, 16), right = findAimedPool(3, 18);
    aimAt(screenX(305.0f), 450);
    spawnAimedVolley(left);
    const AimedShot& first = aimedPoolRecords(left)[0];
    EXPECT_EQ(aimedPoolRecords(left)[7].speed, 400.0f);
    moveAimedShotPool(left);
    const float d = 260 * 0.016f;
    EXPECT_FLOAT_EQ(first.sideStepTimer, 4.16f);
    EXPECT_FLOAT_EQ(first.x, screenX(305.0f) - 0.5f * d);
    EXPECT_FLOAT_EQ(first.y, 150 + d / 10 + d);

    aimAt(screenX(505.0f), 450);
    spawnAimedVolley(right);
    AimedShot& lead = aimedPoolRecords(right)[0];
    lead.sideStepTimer = 299;  // passes 300 in this frame: flight alone, the clock held
    moveAimedShotPool(right);
    EXPECT_TRUE(lead.sideStepTimer == 300.0f && lead.x == screenX(505.0f));
}

}  // namespace
