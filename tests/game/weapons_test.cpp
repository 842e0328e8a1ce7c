// The weapons: sequencer cadences, what each spawner arms with and without
// power, the pods, the drawing of the shots, and the fan pieces and the
// laser with what they hit.
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "support/player_fixture.h"

namespace {

class Weapons : public testplayer::PlayerFixture {
protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        playerX = screenX(300.7f);
        playerY = 400.4f;
    }
    static int activeShots(const PlayerShot* pool, int count) {
        int n = 0;
        for (int i = 0; i < count; ++i) n += pool[i].active;
        return n;
    }
    static void expectShot(const PlayerShot& shot, int fullScreenX, int y, int stepX, int stepY) {
        EXPECT_EQ(shot.active, 1);
        EXPECT_EQ(shot.x, screenX(fullScreenX));
        EXPECT_EQ(shot.y, y);
        EXPECT_EQ(shot.stepX, stepX);
        EXPECT_EQ(shot.stepY, stepY);
    }
    // A fan piece that is at (x, y) after the next step: the sine of the
    // float right angle is just below 1, so 31 times it climbs 30 px.
    static FanPiece& pieceAt(int fullScreenX, int y) {
        return fanPieces[0] = FanPiece{screenX(fullScreenX), y + 30, -31, 1, std::numbers::pi_v<float> / 2};
    }
};

TEST_F(Weapons, SequencersFireOnTheirCountsThroughTheirRecords) {
    for (int call = 1; call <= 100; ++call) {
        tickNarrowTripleFire();
        ASSERT_EQ(activeShots(weaponAShots, WeaponAShotCount), call / 4) << call;
    }
    EXPECT_EQ(weaponAShots[25].active, 1);
    EXPECT_EQ(weaponAShots[0].active | weaponACounter, 0);  // record 0 never; wrapped at 100
    for (int call = 0; call < 4; ++call) tickNarrowTripleFire();  // record 1 busy: skipped
    EXPECT_EQ(plays(sndShot), 25);

    for (int call = 0; call < 100; ++call) tickSpreadFire();
    EXPECT_EQ(activeShots(weaponBShots, WeaponBShotCount), 25 * 6);
    EXPECT_EQ(weaponBShots[5 * 26 + 25].active, 1);
    for (int call = 1; call <= 147; ++call) tickMissileFire();
    EXPECT_EQ(missiles[149].active & missiles[199].active, 1);
    EXPECT_EQ(missiles[150].active | missileCounter, 0);

    for (int call = 1; call <= 48; ++call) {
        tickFanFire();
        int pieces = 0;
        for (const FanPiece& piece : fanPieces) pieces += piece.active;
        EXPECT_EQ(pieces, call < 24 ? 5 * (call / 3) : 40) << call;  // groups 1..7, then 0 joins
    }
    EXPECT_EQ(fanCounter, 0);
    EXPECT_EQ(fanPieces[7].x, screenX(290));
    EXPECT_EQ(fanPieces[7].y, 390);
    EXPECT_EQ(fanPieces[7].angle, static_cast<float>(270 * std::numbers::pi / 180));
}

TEST_F(Weapons, PowerAddsSideShotsMissilesAndSpeed) {
    fireNarrowTriple(1, 27, 53);
    expectShot(weaponAShots[1], 300, 362, 0, 10);
    EXPECT_EQ(weaponAShots[27].active | laserLeft[0].tracking, 0);
    fireSpreadShot(1, 27, 53, 79, 105, 131);  // six shots whatever the power
    expectShot(weaponBShots[1], 300, 362, 0, 10);
    expectShot(weaponBShots[27], 285, 428, 2, 10);
    expectShot(weaponBShots[53], 285, 428, 1, 10);
    expectShot(weaponBShots[79], 300, 428, 0, 10);
    expectShot(weaponBShots[131], 315, 428, 2, 10);
    fireMissileSet(1, 51, 101, 151);
    EXPECT_EQ(missiles[1].active | missiles[51].active, 0);
    EXPECT_EQ(missiles[151].x, screenX(328));
    EXPECT_EQ(missiles[151].y, 410);

    laserArmed = shotPower = 1;
    fireNarrowTriple(2, 28, 54);
    expectShot(weaponAShots[2], 300, 362, 0, 20);
    expectShot(weaponAShots[28], 285, 362, 4, 20);
    expectShot(weaponAShots[54], 315, 362, 4, 20);
    EXPECT_EQ(laserLeft[15].tracking & laserRight[15].tracking, 1);
    fireWideTriple(2, 28, 54);
    expectShot(weaponCShots[28], 270, 362, 6, 20);
    fireSpreadShot(2, 28, 54, 80, 106, 132);
    expectShot(weaponBShots[132], 315, 428, 4, 20);
    fireMissileSet(2, 52, 102, 152);
    EXPECT_EQ(missiles[2].x, screenX(312));
    EXPECT_EQ(missiles[52].active, 1);
    EXPECT_EQ(plays(sndShot), 5);  // one per volley
}

TEST_F(Weapons, PodsCircleTheShipAndFireOnlyForShipTypeTwo) {
    for (int call = 0; call < 8; ++call) tickPod0Fire();
    EXPECT_EQ(pod0Counter, 0);
    shipType = 2;
    drawOptionPods();  // drawn parked, then placed round the ship
    EXPECT_EQ(optionPods[1].x, playerX - 60.0f);
    EXPECT_EQ(optionPods[1].angle, static_cast<float>(std::numbers::pi_v<float> - 0.034906585));
    EXPECT_EQ(optionPods[0].angle, static_cast<float>(2 * std::numbers::pi));  // 0 or below wraps
    optionPods[1].x = screenX(240.6f);
    optionPods[1].y = 399.5f;
    for (int call = 0; call < 196; ++call) tickPod1Fire();
    expectShot(podShots[51], 262, 405, 0, 12);
    EXPECT_EQ(activeShots(podShots, PodShotCount), 49);
    EXPECT_EQ(pod1Counter, 0);
}

TEST_F(Weapons, ShotsAreDrawnOnePicturePerBandWithAFlashInTheirFirstFrame) {
    fireNarrowTriple(1, 27, 53);  // centre shot at (300, 362)
    weaponAShots[27] = PlayerShot{screenX(400), 100, 2, 10, 1};
    weaponBShots[3 * 26 + 4] = PlayerShot{screenX(400), 200, 0, 10, 1};
    weaponBShots[5 * 26 + 4] = PlayerShot{screenX(460), 200, 2, 10, 1};
    weaponBShots[5 * 26 + 5] = PlayerShot{screenX(500), 200, 2, 10, 0};  // free
    weaponCShots[2 * 26 + 1] = PlayerShot{screenX(300), 100, 3, 10, 1};
    missiles[120] = Missile{screenX(400), 300, 0.0f, 1};
    podShots[10] = PlayerShot{screenX(460), 300, 0, 12, 1};
    drawPlayerShots();
    EXPECT_EQ(backAt(325, 362), drawn(imgRay1, 0, 0));  // centred on the ship's middle
    EXPECT_EQ(backAt(421, 100), drawn(imgRay11, 0, 0));
    EXPECT_EQ(backAt(422, 200), drawn(imgFlhst2, 0, 0));
    EXPECT_EQ(backAt(482, 200), drawn(imgFlhst33, 0, 0));
    EXPECT_EQ(backAt(522, 200), 0u);
    EXPECT_EQ(backAt(314, 100), drawn(imgFlw3_2, 0, 0));
    EXPECT_EQ(backAt(402, 300), drawn(imgHomingl1, 0, 0));
    EXPECT_EQ(backAt(460, 300), 0u);  // pod shots are ship type 2's
    EXPECT_EQ(backAt(312, 380), drawn(imgSflhv1, 0, 0));

    clearBack();
    shipType = 2;
    drawPlayerShots();
    EXPECT_EQ(backAt(312, 380), 0u);  // the flash shows in one frame
    EXPECT_EQ(backAt(460, 300), drawn(imgMyme1op1st1, 0, 0));
}

TEST_F(Weapons, FanPiecesPassThroughEnemiesAndStopAtALargeTarget) {
    FanPiece& piece = pieceAt(300, 300);
    enemySlots[3].x = screenX(340.0f);  // the corners of the box
    enemySlots[3].y = 360.0f;
    enemySlots[20].x = screenX(250.0f);
    enemySlots[20].y = 250.0f;
    enemySlots[20].hitGate = 1;  // the pieces pass the gate that stops shots
    enemySlots[21] = enemySlots[3];  // beyond the slots the weapons hit
    enemySlots[9].x = screenX(300.0f);
    enemySlots[9].y = 9.9f;  // too high
    turningEnemies[2].x = screenX(300.0f);
    turningEnemies[2].y = 300.0f;
    turningEnemies[1] = turningEnemies[4] = turningEnemies[2];
    turningEnemies[1].hp = 1.0f;
    stepFanPieces();
    EXPECT_EQ(enemySlots[3].dying & enemySlots[20].dying, 1);
    EXPECT_EQ(enemySlots[21].dying | enemySlots[9].dying, 0);
    EXPECT_EQ(turningEnemies[2].hp, 2000.0f - 0.016f * 100.0f);
    EXPECT_EQ(turningEnemies[1].dying, 1);
    EXPECT_EQ(turningEnemies[4].hp, 2000.0f);
    EXPECT_EQ(score, 4 * 100);
    EXPECT_EQ(piece.active, 1);

    pieceAt(300, 300);
    boss1.x = screenX(220.0f);  // box 300..520, 110..300
    boss1.y = 100.0f;
    boss3 = boss1;
    boss2.x = screenX(250.0f);
    boss2.y = 100.0f;
    spareBossA = boss1;
    spareBossA.y = -1.0f;  // above the top edge
    score = 0;
    stepFanPieces();
    EXPECT_EQ(boss1.hitFlag & boss3.hitFlag & boss2.hitFlag, 1);  // later targets at the old place
    EXPECT_EQ(spareBossA.hitFlag, 0);
    EXPECT_EQ(score, 4 * 100 + 100 + 100 + 250);  // the enemies again, every frame
    EXPECT_EQ(boss2.hp, 1000.0f - 0.016f * 100.0f);
    EXPECT_EQ(piece.active, 0);
    EXPECT_EQ(piece.x, 5000);

    piece = FanPiece{rightEdgeX(790), 300, -30, 1, std::numbers::pi_v<float>};  // flies right
    stepFanPieces();
    EXPECT_EQ(piece.active, 0);
    EXPECT_EQ(piece.y, 500);
}

TEST_F(Weapons, TheLaserCyclesItsBeamsAndKillsInFourFramesOfEightyOne) {
    playerX = screenX(300.0f);
    playerY = 400.0f;
    laserArmed = 1;
    shipType = 2;
    runLaser();
    EXPECT_EQ(laserFrame, 0);  // ship type 1 only
    shipType = 1;
    fireNarrowTriple(1, 27, 53);  // every laser record tracks the ship
    // The left beam kills at (playerX + 30, playerY - 166), the right one 120
    // further right. Slot 23 is beyond the weapons' slots but not the laser's.
    enemySlots[23].x = screenX(330.0f);
    enemySlots[23].y = 234.0f;
    enemySlots[22].x = screenX(370.0f);
    enemySlots[22].y = 154.0f;
    enemySlots[2].x = screenX(331.0f);
    enemySlots[2].y = 200.0f;
    std::vector<int> killFrames;
    for (int frame = 1; frame <= 81; ++frame) {
        const int32_t before = score;
        runLaser();
        if (score != before) killFrames.push_back(frame);
        if (frame == 1) {
            EXPECT_EQ(backAt(230, 300), drawn(imgMyrcl51g, 20, 70));  // left half at the left records
            EXPECT_EQ(backAt(340, 240), drawn(imgRpanel3r, 40, 0));
        }
        if (frame == 16) {
            EXPECT_EQ(backAt(230, 300), drawn(imgMyrcl66g, 20, 70));
        }
        if (frame == 41) {
            EXPECT_EQ(backAt(340, 300), drawn(imgMyrcl51g, 130, 70));  // the right half at the right records
        }
    }
    EXPECT_EQ(laserFrame, 0);
    EXPECT_EQ(killFrames, (std::vector<int>{15, 16, 55, 56}));
    // All 16 left records on slot 23, only the first 8 right ones on slot 22.
    EXPECT_EQ(score, 4 * (16 + 8) * 500);
    EXPECT_EQ(enemySlots[2].dying, 0);

    laserArmed = 0;
    runLaser();
    EXPECT_EQ(laserFrame, 0);  // the counter stands
}

}  // namespace
