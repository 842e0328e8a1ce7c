#include "game/mid_boss_arms.h"

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

}  // namespace

void spawnLeftArmPuffs(int m, int w, int h) { spawnArmPuffs(m, ArmSide::Left, w, h); }
void spawnRightArmPuffs(int m, int w, int h) { spawnArmPuffs(m, ArmSide::Right, w, h); }
void stepLeftArmPuffs(int m, int w, int h) { stepArmPuffs(m, ArmSide::Left, w, h); }
void stepRightArmPuffs(int m, int w, int h) { stepArmPuffs(m, ArmSide::Right, w, h); }
void drawLeftArmPuffs(int m) { drawPuffSet(armPuffs(m, ArmSide::Left)); }
void drawRightArmPuffs(int m) { drawPuffSet(armPuffs(m, ArmSide::Right)); }

void resetMidBossArmPuffs() {
    for (int m = 0; m < MidBossCount; ++m) {
        parkPuffSet(leftArmPuffs[m]);
        parkPuffSet(rightArmPuffs[m]);
    }
}
