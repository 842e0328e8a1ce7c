#include "game/mid_boss_arms.h"

#include "game/shots/fan.h"

Puff leftArmPuffs[MidBossCount][PuffsPerSet];
Puff rightArmPuffs[MidBossCount][PuffsPerSet];

namespace {

Puff* armPuffs(int m, ArmSide side) {
    if (m < 0 || m >= MidBossCount) return nullptr;
    return side == ArmSide::Left ? leftArmPuffs[m] : rightArmPuffs[m];
}

void spawnArmPuffs(int m, ArmSide side, int w, int h) {
    const EnemySlot* parts = armParts(m, side);
    if (parts == nullptr) return;
    spawnPuffSet(armPuffs(m, side), Position{parts[0].x, parts[0].y}, w, h, true, true);
}

void stepArmPuffs(int m, ArmSide side, int w, int h) {
    const EnemySlot* parts = armParts(m, side);
    if (parts == nullptr) return;
    Position holders[ArmPartCount];
    for (int j = 0; j < ArmPartCount; ++j) holders[j] = Position{parts[j].x, parts[j].y};
    stepPuffSet(armPuffs(m, side), holders, ArmPartCount, w, h);
}

// The fan rows of the arms, [side][m].
constexpr int armFanRows[2][MidBossCount] = {
    {findFanBank(FanOwner::LeftArm, 0), findFanBank(FanOwner::LeftArm, 1)},
    {findFanBank(FanOwner::RightArm, 0), findFanBank(FanOwner::RightArm, 1)},
};
static_assert(MidBossCount == 2 && armFanRows[0][0] >= 0 && armFanRows[0][1] >= 0 && armFanRows[1][0] >= 0 &&
              armFanRows[1][1] >= 0);

// The arm's row, -1 (which every fan routine ignores) for an m outside the
// table.
int armFanRow(int m, ArmSide side) {
    if (m < 0 || m >= MidBossCount) return -1;
    return armFanRows[side == ArmSide::Left ? 0 : 1][m];
}

}  // namespace

void spawnLeftArmPuffs(int m, int w, int h) { spawnArmPuffs(m, ArmSide::Left, w, h); }
void spawnRightArmPuffs(int m, int w, int h) { spawnArmPuffs(m, ArmSide::Right, w, h); }
void stepLeftArmPuffs(int m, int w, int h) { stepArmPuffs(m, ArmSide::Left, w, h); }
void stepRightArmPuffs(int m, int w, int h) { stepArmPuffs(m, ArmSide::Right, w, h); }
void drawLeftArmPuffs(int m) { drawPuffSet(armPuffs(m, ArmSide::Left)); }
void drawRightArmPuffs(int m) { drawPuffSet(armPuffs(m, ArmSide::Right)); }

void tickLeftArmFanWaves(int m) { tickFanWaves(armFanRow(m, ArmSide::Left)); }
void tickRightArmFanWaves(int m) { tickFanWaves(armFanRow(m, ArmSide::Right)); }
void spawnLeftArmFanShot(int m, int k, int first) { spawnFanShot(armFanRow(m, ArmSide::Left), k, first); }
void spawnRightArmFanShot(int m, int k, int first) { spawnFanShot(armFanRow(m, ArmSide::Right), k, first); }
void stepLeftArmFanShots(int m) { moveFanShotPool(armFanRow(m, ArmSide::Left)); }
void stepRightArmFanShots(int m) { moveFanShotPool(armFanRow(m, ArmSide::Right)); }
void drawLeftArmFanShots(int m, int style) { drawFanPoolInStyle(armFanRow(m, ArmSide::Left), style); }
void drawRightArmFanShots(int m, int style) { drawFanPoolInStyle(armFanRow(m, ArmSide::Right), style); }

void resetMidBossArms() {
    parkFanPools(FanOwner::LeftArm, ShotRecordType::Fan);
    parkFanPools(FanOwner::RightArm, ShotRecordType::Fan);
    for (int m = 0; m < MidBossCount; ++m) {
        parkPuffSet(leftArmPuffs[m]);
        parkPuffSet(rightArmPuffs[m]);
    }
}
