#include "stages/stage3/boss3.h"

#include "assets/asset_list.h"
#include "game/boss_routines.h"
#include "game/game_states.h"

namespace {

constexpr BossScriptStep boss3Steps[] = {
    // low, high, low open, move, a, b, c
    {0, 30, true, BossMove::Place, 180, -480, 0},
    {31, 75, false, BossMove::Slide, 0, 104, 0},
    {75, 90, false, BossMove::Place, 180, 0, 0},
    {91, 115, false, BossMove::Slide, 0, 60, 0},
    {116, 140, false, BossMove::Slide, 0, -60, 0},
    {141, 162, false, BossMove::Place, 180, 0, 0},
    {162, 171, false, BossMove::Slide, 80, 0, 0},
    {172, 190, false, BossMove::Slide, -80, 0, 0},
    {191, 200, false, BossMove::Slide, 80, 0, 0},
    {201, 210, false, BossMove::Slide, 100, 50, 0},
    {211, 220, false, BossMove::Slide, -100, -50, 0},
    {221, 230, false, BossMove::Slide, -100, 50, 0},
    {231, 240, false, BossMove::Slide, 100, -50, 0},
    {240, 250, false, BossMove::Place, 180, 0, 0},
    {250, 260, false, BossMove::Slide, 150, 0, 0},
    {261, 280, false, BossMove::Slide, -150, 0, 0},
    {281, 290, false, BossMove::Slide, 150, 0, 0},
    {291, 300, false, BossMove::Slide, 200, 100, 0},
    {301, 310, false, BossMove::Slide, -200, -100, 0},
    {311, 320, false, BossMove::Slide, -200, 100, 0},
    {321, 330, false, BossMove::Slide, 200, -100, 0},
    {331, scriptOpenEnd, false, BossMove::LoopTo, 80, 0, 0},
};
constexpr BossScript boss3Script{&boss3, boss3Steps, nullptr, nullptr, 0, 0};

constexpr BossSpriteBand boss3Sprites[] = {
    {500, 1000, &imgBoss41},
    {300, 500, &imgBoss41_1},
    {150, 300, &imgBoss41_2},
    {-100, 150, &imgBoss41_3},
};

constexpr BossLook boss3Look{
    &boss3,
    boss3Width,
    boss3Height,
    boss3Sprites,
    &boss3SmokeStep,
    {{90, 140, 220, 70}, {70, 60, 300, 150}},
    boss3BigBlasts,
    boss3SmallBlasts,
    {440, -100, 320, 0},
    {440, -40, 310, 0},
    boss3MusicStopLow,
    boss3MusicStopHigh,
    boss3WipeSteps,
    stateEnding,
};

}  // namespace

void moveBoss3() { runBossScript(boss3Script); }
void drawBoss3() { drawBoss(boss3Look); }
void runBoss3Defeat() { runBossDefeat(boss3Look); }
