#include "game/mid_boss_windows.h"

#include "game/mid_boss_arms.h"
#include "game/mid_bosses.h"

namespace {

// Body kind and arm type by mid-boss.
constexpr int midBossLooks[MidBossCount] = {1, 2};
int lookOf(int m) { return m >= 0 && m < MidBossCount ? midBossLooks[m] : 0; }

constexpr int spawnHeight = 360, armDX = 14, armH = 46;
constexpr int moveW = 160, moveH = 360;
constexpr int puffStepBox = 40, puffSpawnBox = 80;
constexpr int fanStyle = 1;

}  // namespace

void spawnMidBossWindow(int m) {
    spawnMidBoss(m, 80, spawnHeight);
    spawnLeftArm(m, armDX, armH);
    spawnRightArm(m, armDX, armH);
}

void runMidBossWindow(int m) {
    moveMidBoss(m, 11, moveW, moveH);
    drawMidBoss(m, lookOf(m));
    stepLeftArmPuffs(m, puffStepBox, puffStepBox);
    drawLeftArmPuffs(m);
    stepRightArmPuffs(m, puffStepBox, puffStepBox);
    drawRightArmPuffs(m);
    drawMidBossLeftArm(m, lookOf(m));
    drawMidBossRightArm(m, lookOf(m));
}

void runMidBossArmFansWindow(int m) {
    tickLeftArmFanWaves(m);
    stepLeftArmFanShots(m);
    drawLeftArmFanShots(m, fanStyle);
    tickRightArmFanWaves(m);
    stepRightArmFanShots(m);
    drawRightArmFanShots(m, fanStyle);
}

void smokeMidBossArmsWindow(int m) {
    spawnLeftArmPuffs(m, puffSpawnBox, puffSpawnBox);
    spawnRightArmPuffs(m, puffSpawnBox, puffSpawnBox);
}

void killMidBossWindow(int m) {
    killMidBoss(m);
    killMidBossLeftArm(m);
    killMidBossRightArm(m);
}
