#include "stages/stage1/boss1.h"

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_states.h"
#include "game/play_state.h"

namespace {

constexpr BossScriptRow boss1ScriptRows[] = {
    // window on the clock, bounds, step, x, y, speed
    {0, 20, ScriptBounds::Inclusive, BossStep::ShowIntro, 160, 600, 400},
    {21, 59, ScriptBounds::AfterLow, BossStep::RaiseIntro, 160, 0, 0},
    {60, 90, ScriptBounds::AfterLow, BossStep::Place, 180, -360, 0},
    {91, 135, ScriptBounds::Inclusive, BossStep::Move, 0, 80, 0},
    {135, 162, ScriptBounds::Inclusive, BossStep::Place, 180, 0, 0},
    {162, 171, ScriptBounds::Inclusive, BossStep::Move, 80, 0, 0},
    {172, 190, ScriptBounds::Inclusive, BossStep::Move, -80, 0, 0},
    {191, 200, ScriptBounds::Inclusive, BossStep::Move, 80, 0, 0},
    {201, 210, ScriptBounds::Inclusive, BossStep::Move, 100, 50, 0},
    {211, 220, ScriptBounds::Inclusive, BossStep::Move, -100, -50, 0},
    {221, 230, ScriptBounds::Inclusive, BossStep::Move, -100, 50, 0},
    {231, 240, ScriptBounds::Inclusive, BossStep::Move, 100, -50, 0},
};

constexpr BossSpriteBand boss1Sprites[] = {{-anyHp, anyHp, &imgBoss11}};

// The base picture: 360x360, sinking at 150 px/s while the stage clock is
// in 140..1000, parked once below y 650.
constexpr int32_t baseSize = 360;
constexpr float baseX = 220.0f;
constexpr float baseSinkFrom = 140.0f, baseSinkUntil = 1000.0f;
constexpr float baseSinkSpeed = 150.0f;
constexpr float baseGoneY = 650.0f;
constexpr Position baseParkPosition{-100.0f, 2550.0f};

}  // namespace

const BossScript boss1Script{boss1ScriptRows, 241, 138, {&boss1IntroPicture, &imgBos111, 480, 480}};
const BossLook boss1Look{boss1Sprites, 440, 360, {{90, 140, 220, 50}, {70, 60, 300, 100}}};
const BossDefeat boss1Defeat{boss1BigBlasts, boss1SmallBlasts, 440, 360, 360};

void moveBoss1() { runBossScript(boss1, boss1Script); }

void drawBoss1() {
    drawBossBody(boss1, boss1Look, boss1SmokeStep);
    runBoss1Defeat();
}

void runBoss1Defeat() {
    if (stepBossDefeat(boss1, boss1Defeat)) handOverAfterDefeat(boss1WipeSteps, stateStage2);
}

void drawStage1Base() {
    MovingPicture& base = stage1BasePicture;
    engDraw::Blit(pixelOf(base.x), pixelOf(base.y), imgKiti01, 0, 0, baseSize, baseSize);
    base.x = screenX(baseX);
    if (baseSinkFrom <= scrollDistance && scrollDistance <= baseSinkUntil) base.y += baseSinkSpeed * frameTime;
    if (base.y > baseGoneY) {
        base.x = baseParkPosition.x;
        base.y = baseParkPosition.y;
    }
}
