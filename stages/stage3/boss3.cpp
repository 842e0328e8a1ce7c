#include "stages/stage3/boss3.h"

#include "assets/asset_list.h"
#include "engine/eng_sound.h"
#include "game/game_states.h"

namespace {

constexpr BossScriptRow boss3ScriptRows[] = {
    // window on the clock, bounds, step, x, y, speed
    {0, 30, ScriptBounds::AfterLow, BossStep::Place, 180, -480, 0},
    {31, 75, ScriptBounds::Inclusive, BossStep::Move, 0, 104, 0},
    {75, 90, ScriptBounds::Inclusive, BossStep::Place, 180, 0, 0},
    {91, 115, ScriptBounds::Inclusive, BossStep::Move, 0, 60, 0},
    {116, 140, ScriptBounds::Inclusive, BossStep::Move, 0, -60, 0},
    {141, 162, ScriptBounds::Inclusive, BossStep::Place, 180, 0, 0},
    {162, 171, ScriptBounds::Inclusive, BossStep::Move, 80, 0, 0},
    {172, 190, ScriptBounds::Inclusive, BossStep::Move, -80, 0, 0},
    {191, 200, ScriptBounds::Inclusive, BossStep::Move, 80, 0, 0},
    {201, 210, ScriptBounds::Inclusive, BossStep::Move, 100, 50, 0},
    {211, 220, ScriptBounds::Inclusive, BossStep::Move, -100, -50, 0},
    {221, 230, ScriptBounds::Inclusive, BossStep::Move, -100, 50, 0},
    {231, 240, ScriptBounds::Inclusive, BossStep::Move, 100, -50, 0},
    {240, 250, ScriptBounds::Inclusive, BossStep::Place, 180, 0, 0},
    {250, 260, ScriptBounds::Inclusive, BossStep::Move, 150, 0, 0},
    {261, 280, ScriptBounds::Inclusive, BossStep::Move, -150, 0, 0},
    {281, 290, ScriptBounds::Inclusive, BossStep::Move, 150, 0, 0},
    {291, 300, ScriptBounds::Inclusive, BossStep::Move, 200, 100, 0},
    {301, 310, ScriptBounds::Inclusive, BossStep::Move, -200, -100, 0},
    {311, 320, ScriptBounds::Inclusive, BossStep::Move, -200, 100, 0},
    {321, 330, ScriptBounds::Inclusive, BossStep::Move, 200, -100, 0},
};

constexpr BossSpriteBand boss3Sprites[] = {
    {500, 1000, &imgBoss41},
    {300, 500, &imgBoss41_1},
    {150, 300, &imgBoss41_2},
    {-100, 150, &imgBoss41_3},
};

}  // namespace

const BossScript boss3Script{boss3ScriptRows, 331, 80, {nullptr, nullptr, 0, 0}};
const BossLook boss3Look{boss3Sprites, 440, 380, {{90, 140, 220, 70}, {70, 60, 300, 150}}};
const BossDefeat boss3Defeat{boss3BigBlasts, boss3SmallBlasts, 440, 320, 310};

void moveBoss3() { runBossScript(boss3, boss3Script); }

void drawBoss3() {
    drawBossBody(boss3, boss3Look, boss3SmokeStep);
    runBoss3Defeat();
}

void runBoss3Defeat() {
    const bool over = stepBossDefeat(boss3, boss3Defeat);
    // The stage music ends during the explosions.
    if (boss3.hp <= 0.0f && boss3MusicStopAbove < boss3.defeatTimer && boss3.defeatTimer < boss3MusicStopBelow)
        engSound::StopMidi();
    if (over) handOverAfterDefeat(boss3WipeSteps, stateEnding);
}
