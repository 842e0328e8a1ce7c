#include "game/bosses.h"

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/enemy_slots.h"
#include "game/game_states.h"
#include "game/resets.h"

namespace {

// The blasts: 160x160 frames of "IMAGE/BBAK1B.BMP" (4) and 60x60 frames of
// "IMAGE/ZBAK1B.BMP" (10).
constexpr int32_t bigBlastSize = 160, bigBlastFrames = 4;
constexpr int32_t smallBlastSize = 60, smallBlastFrames = 10;
// The damage explosions run while hp lies in one of these bands
// (above < hp <= upTo), each band on its own.
struct HpBand {
    float above, upTo;
};
constexpr HpBand damageBands[] = {{470, 530}, {270, 330}, {120, 180}};
// Damage blasts are re-placed over this much of the boss, from 100 px above
// and left of its corner.
constexpr int32_t damageSpreadX = 440, damageSpreadY = 360;
constexpr float damageLead = 100.0f;
// Defeat blasts start this far left of the spread.
constexpr float bigDefeatLead = 100.0f, smallDefeatLead = 40.0f;
// Smoke: 80x80 frames of "IMAGE/ZBAK3B.BMP", 10 steps, 28 px lower a step.
constexpr int32_t smokeSize = 80, smokeSteps = 10;
constexpr float smokeDrop = 28.0f;

bool holds(const BossScriptRow& row, float t) {
    const bool aboveLow = row.bounds == ScriptBounds::AfterLow ? t > row.low : t >= row.low;
    return aboveLow && t <= row.high;
}

void drawIntro(const BossIntro& intro) {
    engDraw::Blit(pixelOf(intro.picture->x), pixelOf(intro.picture->y), *intro.image, 0, 0, intro.width,
                  intro.height);
}

// Draws a blast's frame where it is, then moves it to a random place over
// the boss: x + rand() % spreadX - leadX, y + rand() % spreadY - leadY.
void drawAndReplaceBlast(BossBlast& blast, int32_t image, int32_t size, int32_t frames, const BossBody& boss,
                         int32_t spreadX, float leadX, int32_t spreadY, float leadY) {
    drawStripFrame(blast.frame, frames, image, size, size, pixelOf(blast.x), pixelOf(blast.y));
    blast.x = boss.x + static_cast<float>(engSystem::Rand() % spreadX) - leadX;
    blast.y = boss.y + static_cast<float>(engSystem::Rand() % spreadY) - leadY;
}

}  // namespace

void runBossScript(BossBody& boss, const BossScript& script) {
    boss.moveTimer += bossScriptRate * frameTime;
    const float t = boss.moveTimer;
    for (const BossScriptRow& row : script.rows) {
        if (!holds(row, t)) continue;
        switch (row.step) {
            case BossStep::ShowIntro:
                drawIntro(script.intro);
                script.intro.picture->x = screenX(row.x);
                script.intro.picture->y = row.y;
                script.intro.picture->speed = row.speed;
                break;
            case BossStep::RaiseIntro: {
                MovingPicture& picture = *script.intro.picture;
                drawIntro(script.intro);
                picture.x = screenX(row.x);
                picture.y -= picture.speed * frameTime;
                if (picture.y < bossIntroGoneY) {
                    picture.speed = 0.0f;
                    parkRecord(picture);
                }
                break;
            }
            case BossStep::Place:
                boss.x = screenX(row.x);
                boss.y = row.y;
                break;
            case BossStep::Move:
                boss.x += row.x * frameTime;
                boss.y += row.y * frameTime;
                break;
        }
    }
    if (t >= script.rewindAt) boss.moveTimer = script.rewindTo;
}

void drawBossBody(BossBody& boss, const BossLook& look, int32_t& smokeStep) {
    for (const HpBand& band : damageBands) {
        if (!(band.above < boss.hp && boss.hp <= band.upTo)) continue;
        for (BossBlast& blast : boss1BigBlasts) {
            drawAndReplaceBlast(blast, imgBbak1b, bigBlastSize, bigBlastFrames, boss, damageSpreadX, damageLead,
                                damageSpreadY, damageLead);
            playExplosionSound();
        }
    }

    for (const BossSpriteBand& band : look.sprites) {
        if (band.above < boss.hp && boss.hp <= band.upTo)
            engDraw::Blit(pixelOf(boss.x), pixelOf(boss.y), *band.image, 0, 0, look.width, look.height);
    }
    if (boss.hitFlag > 0) boss.hitFlag = 0;

    if (smokeStep < 0 || smokeStep >= smokeSteps) smokeStep = 0;
    const int32_t s = smokeStep;
    for (const BossSmoke& smoke : look.smoke) {
        if (!(0.0f < boss.hp && boss.hp <= smoke.hpUpTo)) continue;
        const int32_t y = pixelOf(boss.y + smoke.dy + smokeDrop * static_cast<float>(s));
        for (float dx : {smoke.leftX, smoke.rightX})
            engDraw::Blit(pixelOf(boss.x + dx), y, imgZbak3b, s * smokeSize, 0, s * smokeSize + smokeSize, smokeSize);
    }
    smokeStep = s + 1 < smokeSteps ? s + 1 : 0;
}

bool stepBossDefeat(BossBody& boss, const BossDefeat& defeat) {
    if (boss.hp > 0.0f) return false;
    for (int i = 0; i < BigBlastCount; ++i) {
        drawAndReplaceBlast(defeat.bigBlasts[i], imgBbak1b, bigBlastSize, bigBlastFrames, boss, defeat.spreadX,
                            bigDefeatLead, defeat.spreadY, 0.0f);
    }
    for (int i = 0; i < SmallBlastCount; ++i) {
        drawAndReplaceBlast(defeat.smallBlasts[i], imgZbak1b, smallBlastSize, smallBlastFrames, boss,
                            defeat.spreadX, smallDefeatLead, defeat.smallSpreadY, 0.0f);
    }
    playExplosionSound();
    boss.defeatTimer += bossScriptRate * frameTime;
    return boss.defeatTimer > bossDefeatEnd;
}

void handOverAfterDefeat(int32_t wipeSteps, int32_t nextState) {
    resetPlayState();
    resetObjectPools();
    startOpeningWipe(wipeSteps);
    switchState(nextState);
}
