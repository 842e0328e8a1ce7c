#include "stages/stage2/boss2.h"

#include "assets/asset_list.h"
#include "game/boss_routines.h"
#include "game/game_states.h"

namespace {

constexpr BossScriptStep boss2Steps[] = {
    // low, high, low open, move, a, b, c
    {0, 13, false, BossMove::ShowIntro, 150, 600, 500},
    {14, 59, true, BossMove::RaiseIntro, 150, 0, 0},
    {60, 90, true, BossMove::Place, 150, -400, 0},
    {91, 135, false, BossMove::Slide, 0, 93, 0},
    {135, 162, false, BossMove::Place, 150, 0, 0},
    {162, 171, false, BossMove::Slide, 80, 0, 0},
    {172, 190, false, BossMove::Slide, -80, 0, 0},
    {191, 200, false, BossMove::Slide, 80, 0, 0},
    {201, 210, false, BossMove::Slide, 100, 0, 0},
    {211, 220, false, BossMove::Slide, -100, 0, 0},
    {221, 230, false, BossMove::Slide, -100, 0, 0},
    {231, 240, false, BossMove::Slide, 100, 0, 0},
    {241, 250, false, BossMove::Place, 150, 0, 0},
    {251, 270, false, BossMove::Slide, 100, 0, 0},
    {271, 290, false, BossMove::Slide, -100, 0, 0},
    {291, 310, false, BossMove::Slide, -100, 0, 0},
    {311, 330, false, BossMove::Slide, 100, 0, 0},
    {331, scriptOpenEnd, false, BossMove::LoopTo, 145, 0, 0},
};
constexpr BossScript boss2Script{&boss2, boss2Steps, &boss2IntroPicture, &imgBoss71, boss2Width, boss2Height};

constexpr BossSpriteBand boss2Sprites[] = {
    {500, 1000, &imgBoss71},
    {300, 500, &imgBoss71_1},
    {150, 300, &imgBoss71_2},
    {-100, 150, &imgBoss71_3},
};

constexpr BossLook boss2Look{
    &boss2,
    boss2Width,
    boss2Height,
    boss2Sprites,
    &boss2SmokeStep,
    {{90, 150, 270, 70}, {70, 90, 330, 0}},
    boss2BigBlasts,
    boss2SmallBlasts,
    {500, -100, 350, 0},
    {500, -40, 350, 0},
    0,
    0,  // the music plays on into stage 3
    boss2WipeSteps,
    stateStage3,
};

}  // namespace

void moveBoss2() { runBossScript(boss2Script); }
void drawBoss2() { drawBoss(boss2Look); }
void runBoss2Defeat() { runBossDefeat(boss2Look); }
