#include "game/boss_routines.h"

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/enemy_slots.h"
#include "game/resets.h"
#include "game/game_states.h"

namespace {

constexpr float scriptClockRate = 10.0f;  // clock units per second
constexpr float introParkAbove = -480.0f;

// The blasts' strips: big 160x160 in 4 cells, small 60x60 in 10 cells.
struct BlastStrip {
    const int32_t* image;
    int32_t size, frames;
};
constexpr BlastStrip bigBlastStrip{&imgBbak1b, 160, 4};
constexpr BlastStrip smallBlastStrip{&imgZbak1b, 60, 10};
constexpr int32_t smokeSize = 80;
constexpr float smokeRise = 28.0f;  // px per smoke step

// The damage explosions' hp bands (low exclusive, high inclusive) and where
// they scatter the shared blasts.
struct HpBand {
    float low, high;
};
constexpr HpBand damageBands[] = {{470, 530}, {270, 330}, {120, 180}};
constexpr BlastSpread damageSpread{440, -100, 360, -100};

bool inScriptWindow(const BossScriptStep& step, float t) {
    const bool aboveLow = step.lowOpen ? t > step.low : t >= step.low;
    return aboveLow && t <= step.high;
}

void drawIntro(const BossScript& script) {
    const MovingPicture& p = *script.intro;
    engDraw::Blit(pixelOf(p.x), pixelOf(p.y), *script.introImage, 0, 0, script.introWidth, script.introHeight);
}

void runScriptStep(const BossScript& script, const BossScriptStep& step) {
    BossBody& boss = *script.body;
    switch (step.move) {
    case BossMove::ShowIntro:
        if (script.intro == nullptr) break;
        drawIntro(script);
        script.intro->x = screenX(step.a);
        script.intro->y = step.b;
        script.intro->speed = step.c;
        break;
    case BossMove::RaiseIntro:
        if (script.intro == nullptr) break;
        drawIntro(script);
        script.intro->x = screenX(step.a);
        script.intro->y -= script.intro->speed * frameTime;
        if (script.intro->y < introParkAbove) {
            script.intro->speed = 0;
            parkRecord(*script.intro);
        }
        break;
    case BossMove::Place:
        boss.x = screenX(step.a);
        boss.y = step.b;
        break;
    case BossMove::Slide:
        boss.x += step.a * frameTime;
        boss.y += step.b * frameTime;
        break;
    case BossMove::LoopTo:
        boss.moveTimer = step.a;
        break;
    }
}

// Draws one blast's cell, steps it, and puts it somewhere new around the boss.
void cycleBlast(BossBlast& blast, const BlastStrip& strip, const BossBody& boss, const BlastSpread& spread) {
    drawStripFrame(blast.frame, strip.frames, *strip.image, strip.size, strip.size, pixelOf(blast.x),
                   pixelOf(blast.y));
    blast.x = boss.x + static_cast<float>(engSystem::Rand() % spread.xRange + spread.xOffset);
    blast.y = boss.y + static_cast<float>(engSystem::Rand() % spread.yRange + spread.yOffset);
}

}  // namespace

void runBossScript(const BossScript& script) {
    BossBody& boss = *script.body;
    boss.moveTimer += scriptClockRate * frameTime;
    const float t = boss.moveTimer;
    for (const BossScriptStep& step : script.steps) {
        if (inScriptWindow(step, t)) runScriptStep(script, step);
    }
}

void drawBossDamageBlasts(const BossBody& boss) {
    for (const HpBand& band : damageBands) {
        if (!(boss.hp > band.low && boss.hp <= band.high)) continue;
        for (BossBlast& blast : boss1BigBlasts) {
            cycleBlast(blast, bigBlastStrip, boss, damageSpread);
            playExplosionSound();
        }
    }
}

void drawBoss(const BossLook& look) {
    BossBody& boss = *look.body;
    drawBossDamageBlasts(boss);

    for (const BossSpriteBand& band : look.sprites) {
        if (boss.hp > band.low && boss.hp <= band.high) {
            engDraw::Blit(pixelOf(boss.x), pixelOf(boss.y), *band.image, 0, 0, look.width, look.height);
        }
    }
    if (boss.hitFlag > 0) boss.hitFlag = 0;

    int32_t& step = *look.smokeStep;
    const float rise = smokeRise * static_cast<float>(step);
    for (const BossSmokePair& pair : look.smoke) {
        if (!(boss.hp > 0 && boss.hp <= pair.hpMax)) continue;
        const int32_t y = pixelOf(boss.y + (pair.dy + rise));
        const int32_t left = step * smokeSize;
        engDraw::Blit(pixelOf(boss.x + pair.leftX), y, imgZbak3b, left, 0, left + smokeSize, smokeSize);
        engDraw::Blit(pixelOf(boss.x + pair.rightX), y, imgZbak3b, left, 0, left + smokeSize, smokeSize);
    }
    step = (step >= 9) ? 0 : step + 1;

    runBossDefeat(look);
}

void runBossDefeat(const BossLook& look) {
    BossBody& boss = *look.body;
    if (boss.hp > 0) return;
    for (int i = 0; i < BigBlastCount; ++i) cycleBlast(look.defeatBigBlasts[i], bigBlastStrip, boss, look.bigSpread);
    for (int i = 0; i < SmallBlastCount; ++i) {
        cycleBlast(look.defeatSmallBlasts[i], smallBlastStrip, boss, look.smallSpread);
    }
    playExplosionSound();

    boss.defeatTimer += scriptClockRate * frameTime;
    if (boss.defeatTimer > look.musicStopLow && boss.defeatTimer < look.musicStopHigh) engSound::StopMidi();
    if (boss.defeatTimer > bossDefeatEnd) finishBossDefeat(look.wipeSteps, look.nextState);
}

void finishBossDefeat(int32_t wipeSteps, int32_t nextState) {
    resetPlayState();
    resetObjectPools();
    startOpeningWipe(wipeSteps);
    switchState(nextState);
}
