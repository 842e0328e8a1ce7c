#include "game/mid_bosses.h"

#include <iterator>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"

EnemySlot midBoss[MidBossCount];
EnemySlot leftArm[MidBossCount][ArmPartCount];
EnemySlot rightArm[MidBossCount][ArmPartCount];

namespace {

bool validMidBoss(int m) { return m >= 0 && m < MidBossCount; }

// The body's pattern 11: above the screen until the clock passes 30, the
// drop, then the hover point for good (the clock cycles 80..90).
constexpr PathStep midBossSteps[] = {
    {{0, 30, true}, PathAction::PlaceAtTop, 0, 0},
    {{31, 75, false}, PathAction::Move, 0, 130},
    {{75, 90, false}, PathAction::PlaceAtHover, 0, 0},
};
constexpr ScriptedPath midBossPath{midBossSteps, 90.0f, 80.0f};
constexpr float midBossStartX = 360.0f;  // full-screen x

// Bodies by kind: the picture hangs 40 px left of and 140 px above the box.
const EnemySprite midBossSprites[] = {
    {1, &imgZfire2, 2, {{12, -96}, {48, -96}}, &imgSzak12_0, 160, 360, -40, -140},
    {2, &imgZfire2, 2, {{12, -96}, {48, -96}}, &imgSzak11_0, 160, 360, -40, -140},
};
constexpr int32_t MidBossLastBurst = 3;  // four bursts, bodies and parts alike

// ---------------------------------------------------------------------------
// Arms
// ---------------------------------------------------------------------------

// Where an arm is fixed to the body, and which way its links may spread
// sideways (the left arm's only to the left, the right arm's only to the
// right; both only downwards).
struct ArmMount {
    float baseDX, baseDY;  // from the body's (x, y)
    int32_t spreadSign;    // -1 left, +1 right
};
constexpr ArmMount armMounts[] = {{-14, -24, -1}, {80, -24, 1}};
constexpr int sideIndex(ArmSide side) { return side == ArmSide::Left ? 0 : 1; }

// The pictures of an arm by side and type: six links (from part 6 to part 1,
// stepped towards the tip) and the tall tip sprite hanging from the tip.
struct ArmLook {
    const int32_t* link;
    int32_t linkDX;
    const int32_t* tip;
    int32_t tipDX, tipDY;
};
constexpr int32_t LinkWidth = 14, LinkHeight = 46;
constexpr int32_t TipWidth = 60, TipHeight = 360;
constexpr int ArmTypeCount = 2;
const ArmLook armLooks[2][ArmTypeCount] = {
    {{&imgSzak12_1, -6, &imgSzak12_3, -50, -134}, {&imgSzak11_1, 0, &imgSzak11_3, -45, -148}},
    {{&imgSzak12_2, 6, &imgSzak12_4, 2, -134}, {&imgSzak11_2, 0, &imgSzak11_4, 0, -148}},
};

// Each part's script on its own clock (10 units a second): holds put the
// part at the base, the drop moves the part itself down with the body, and
// every swing moves the tip, whichever part runs it. Every band that holds
// the clock applies, in order.
enum class ArmAction { Hold, Drop, Swing };
struct ArmStep {
    ScriptBand band;
    ArmAction action;
    float tipSpeed[2][2];  // swing: px/s of the tip, [left, right][x, y]
};
constexpr float armClockRate = 10.0f;
constexpr float armDropSpeed = 130.0f;
constexpr ArmStep armScript[] = {
    {{0, 30, true}, ArmAction::Hold, {}},
    {{31, 75, false}, ArmAction::Drop, {}},
    {{75, 90, false}, ArmAction::Hold, {}},
    {{90, 110, false}, ArmAction::Hold, {}},
    {{110, 120, false}, ArmAction::Swing, {{-10, 0}, {10, 0}}},
    {{120, 130, false}, ArmAction::Swing, {{10, 0}, {-10, 0}}},
    {{130, 140, false}, ArmAction::Swing, {{-10, 5}, {10, 5}}},
    {{140, 150, false}, ArmAction::Swing, {{10, -5}, {-10, -5}}},
    {{150, 160, false}, ArmAction::Hold, {}},
    {{160, 170, false}, ArmAction::Swing, {{-10, 3}, {10, 8}}},
    {{170, 180, false}, ArmAction::Swing, {{10, -3}, {-10, -8}}},
    {{180, 190, false}, ArmAction::Swing, {{-10, 8}, {10, 3}}},
    {{190, 200, false}, ArmAction::Swing, {{10, -8}, {-10, -3}}},
};
constexpr float armScriptEnd = 200.0f;
constexpr float armLoopStart = 95.0f;
constexpr int32_t linkDivisions = 7;

void runArmScript(EnemySlot& part, EnemySlot& tip, const EnemySlot& body, int side) {
    const float dt = frameTime;
    part.timer += armClockRate * dt;
    const float t = part.timer;
    for (const ArmStep& step : armScript) {
        if (!step.band.contains(t)) continue;
        switch (step.action) {
        case ArmAction::Hold:
            part.x = body.x + armMounts[side].baseDX;
            part.y = body.y + armMounts[side].baseDY;
            break;
        case ArmAction::Drop: part.y += armDropSpeed * dt; break;
        case ArmAction::Swing:
            tip.x += step.tipSpeed[side][0] * dt;
            tip.y += step.tipSpeed[side][1] * dt;
            break;
        }
    }
    if (part.timer >= armScriptEnd) part.timer = armLoopStart;
}

// The six links at the parts' own positions plus j steps (link j on part
// 7 - j), then the tip sprite.
void drawArmChain(const EnemySlot* parts, const ArmLook& look, int32_t bx, int32_t by) {
    for (int j = 1; j < ArmPartCount; ++j) {
        const EnemySlot& holder = parts[ArmPartCount - j];
        engDraw::Blit(pixelOf(holder.x) + j * bx + look.linkDX, pixelOf(holder.y) + j * by, *look.link, 0, 0,
                      LinkWidth, LinkHeight);
    }
    engDraw::Blit(pixelOf(parts[0].x) + look.tipDX, pixelOf(parts[0].y) + look.tipDY, *look.tip, 0, 0, TipWidth,
                  TipHeight);
}

void drawArm(int m, ArmSide side, int type) {
    EnemySlot* parts = armParts(m, side);
    if (parts == nullptr) return;
    const int s = sideIndex(side);
    const EnemySlot& body = midBoss[m];
    EnemySlot& tip = parts[0];
    int32_t bx = 0, by = 0;
    for (int k = 0; k < ArmPartCount; ++k) {
        EnemySlot& part = parts[k];
        if (part.dying >= 1) {
            explodeEnemyRecord(part, MidBossLastBurst);
            continue;
        }
        if (type < 1 || type > ArmTypeCount) continue;
        drawArmChain(parts, armLooks[s][type - 1], bx, by);
        runArmScript(part, tip, body, s);
        if (part.timer >= 0.0f && part.timer <= armScriptEnd) {
            const EnemySlot& base = parts[ArmPartCount - 1];
            bx = pixelOf(tip.x - base.x) / linkDivisions;
            by = pixelOf(tip.y - base.y) / linkDivisions;
            if (bx * armMounts[s].spreadSign <= 0) bx = 0;
            if (by <= 0) by = 0;
        }
    }
}

void spawnArm(int m, ArmSide side, float dx) {
    EnemySlot* parts = armParts(m, side);
    if (parts == nullptr) return;
    const EnemySlot& body = midBoss[m];
    for (int k = 0; k < ArmPartCount; ++k) {
        if (parts[k].alive != 0) continue;
        armEnemyRecord(parts[k], body.x + dx, body.y + armMounts[sideIndex(side)].baseDY);
    }
}

void killArm(int m, ArmSide side) {
    EnemySlot* parts = armParts(m, side);
    if (parts == nullptr) return;
    for (int k = 0; k < ArmPartCount; ++k) {
        if (parts[k].dying == 0) parts[k].dying = 1;
    }
}

}  // namespace

EnemySlot* armParts(int m, ArmSide side) {
    if (!validMidBoss(m)) return nullptr;
    return side == ArmSide::Left ? leftArm[m] : rightArm[m];
}

void spawnMidBoss(int m, int /*w*/, int h) {
    if (!validMidBoss(m)) return;
    EnemySlot& body = midBoss[m];
    if (body.alive != 0) return;
    armEnemyRecord(body, screenX(midBossStartX), -static_cast<float>(h));
}

void spawnLeftArm(int m, int dx, int /*h*/) { spawnArm(m, ArmSide::Left, -static_cast<float>(dx)); }

void spawnRightArm(int m, int /*dx*/, int /*h*/) { spawnArm(m, ArmSide::Right, armMounts[1].baseDX); }

void moveMidBoss(int m, int pattern, int w, int h) {
    if (!validMidBoss(m)) return;
    moveEnemyRecord(midBoss[m], pattern, w, h, midBossPath);
}

void drawMidBoss(int m, int kind) {
    if (!validMidBoss(m)) return;
    EnemySlot& body = midBoss[m];
    if (!drawLiveEnemyRecord(body, midBossSprites, kind)) explodeEnemyRecord(body, MidBossLastBurst);
}

void drawMidBossLeftArm(int m, int type) { drawArm(m, ArmSide::Left, type); }

void drawMidBossRightArm(int m, int type) { drawArm(m, ArmSide::Right, type); }

void killMidBoss(int m) {
    if (!validMidBoss(m)) return;
    if (midBoss[m].dying == 0) midBoss[m].dying = 1;
}

void killMidBossLeftArm(int m) { killArm(m, ArmSide::Left); }

void killMidBossRightArm(int m) { killArm(m, ArmSide::Right); }

void resetMidBosses() {
    for (int m = 0; m < MidBossCount; ++m) {
        parkEnemyRecord(midBoss[m]);
        for (EnemySlot& part : leftArm[m]) parkEnemyRecord(part);
        for (EnemySlot& part : rightArm[m]) parkEnemyRecord(part);
    }
}
