#include "stages/stage2/boss2.h"

#include "assets/asset_list.h"
#include "game/game_states.h"

namespace {

constexpr BossScriptRow boss2ScriptRows[] = {
    // window on the clock, bounds, step, x, y, speed
    {0, 13, ScriptBounds::Inclusive, BossStep::ShowIntro, 150, 600, 500},
    {14, 59, ScriptBounds::AfterLow, BossStep::RaiseIntro, 150, 0, 0},
    {60, 90, ScriptBounds::AfterLow, BossStep::Place, 150, -400, 0},
    {91, 135, ScriptBounds::Inclusive, BossStep::Move, 0, 93, 0},
    {135, 162, ScriptBounds::Inclusive, BossStep::Place, 150, 0, 0},
    {162, 171, ScriptBounds::Inclusive, BossStep::Move, 80, 0, 0},
    {172, 190, ScriptBounds::Inclusive, BossStep::Move, -80, 0, 0},
    {191, 200, ScriptBounds::Inclusive, BossStep::Move, 80, 0, 0},
    {201, 210, ScriptBounds::Inclusive, BossStep::Move, 100, 0, 0},
    {211, 220, ScriptBounds::Inclusive, BossStep::Move, -100, 0, 0},
    {221, 230, ScriptBounds::Inclusive, BossStep::Move, -100, 0, 0},
    {231, 240, ScriptBounds::Inclusive, BossStep::Move, 100, 0, 0},
    {241, 250, ScriptBounds::Inclusive, BossStep::Place, 150, 0, 0},
    {251, 270, ScriptBounds::Inclusive, BossStep::Move, 100, 0, 0},
    {271, 290, ScriptBounds::Inclusive, BossStep::Move, -100, 0, 0},
    {291, 310, ScriptBounds::Inclusive, BossStep::Move, -100, 0, 0},
    {311, 330, ScriptBounds::Inclusive, BossStep::Move, 100, 0, 0},
};

constexpr BossSpriteBand boss2Sprites[] = {
    {500, 1000, &imgBoss71},
    {300, 500, &imgBoss71_1},
    {150, 300, &imgBoss71_2},
    {-100, 150, &imgBoss71_3},
};

}  // namespace

const BossScript boss2Script{boss2ScriptRows, 331, 145, {&boss2IntroPicture, &imgBoss71, 500, 400}};
const BossLook boss2Look{boss2Sprites, 500, 400, {{90, 150, 270, 70}, {70, 90, 330, 0}}};
const BossDefeat boss2Defeat{boss2BigBlasts, boss2SmallBlasts, 500, 350, 350};

void moveBoss2() { runBossScript(boss2, boss2Script); }

void drawBoss2() {
    drawBossBody(boss2, boss2Look, boss2SmokeStep);
    runBoss2Defeat();
}

// The music plays on into stage 3.
void runBoss2Defeat() {
    if (stepBossDefeat(boss2, boss2Defeat)) handOverAfterDefeat(boss2WipeSteps, stateStage3);
}
