// The whole game played unattended, twice in one process: on the opening
// screen Enter on its tenth frame, on ship select F1 sixty frames later, then
// no key: the three stages, the ending, and back to the opening screen; then
// the same again from that opening screen. On the way it saves pictures of
// each boss fight and each of the ending's scenes with the smoke-test
// artifacts (MD4_ARTIFACTS, else the test's scratch folder).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ending.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/boss_debris.h"
#include "game/boss_effects.h"
#include "game/enemy_slots.h"
#include "game/game_states.h"
#include "game/play_state.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "game/turning_enemies.h"
#include "headless_run/headless_run.h"
#include "platform/headless/headless_audio.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage3/curving_missiles.h"

namespace {

namespace hl = plat::headless;

constexpr int32_t enterOnFrame = 10, shipOnFrame = 70;  // of a run's opening screen, counted from 1
constexpr int32_t runFrameLimit = 1000000;
// No state of an unattended run lasts longer (the stages end by their forced
// clear about 30,000 frames in).
constexpr int32_t longestState = 45000;

// The states of one run in order, from the opening screen back to it.
constexpr int32_t runStates[] = {stateOpening, stateShipSelect, stateStage1, stateStage2,
                                 stateStage3,  stateEnding,     stateOpening};
// The first frame of each, counted from the run's opening screen (frame 1).
constexpr int32_t runStateFrames[] = {1, 11, 71, 30286, -1, -1, -1};

std::string picturePath(const std::string& name) {
    const char* dir = std::getenv("MD4_ARTIFACTS");
    const std::string folder = dir != nullptr && dir[0] != '\0' ? dir : ::testing::TempDir();
    ::mkdir(folder.c_str(), 0755);
    return folder + "/whole-run-" + (variant::windowed ? "windowed" : "full") + "-" + name + ".bmp";
}

// Pictures of the first run: a boss fight once its boss has come down and
// moves (its script clock past this), the ending's scenes by its clock.
constexpr float bossFightScriptClock = 150.0f;
struct EndingPicture {
    float clock;
    const char* name;
};
constexpr EndingPicture endingPictures[] = {
    {150, "ending-1-flight"}, {400, "ending-2-high-scores"}, {600, "ending-3-credits"},
    {800, "ending-4-picture"}, {1000, "ending-5-picture"},
};

struct Pictures {
    bool bossTaken[3] = {};
    size_t endingTaken = 0;
    int failed = 0;

    void take(const std::string& name) {
        if (!saveSurfaceBitmap(backSurface, picturePath(name).c_str())) ++failed;
    }
    void afterFrame() {
        const int stage = gameState == stateStage1 ? 1 : gameState == stateStage2 ? 2 : gameState == stateStage3 ? 3 : 0;
        if (stage > 0 && !bossTaken[stage - 1] && bossOfStage(stage).moveTimer >= bossFightScriptClock) {
            bossTaken[stage - 1] = true;
            take("stage" + std::to_string(stage) + "-boss");
        }
        if (gameState == stateEnding && endingTaken < std::size(endingPictures) &&
            scrollDistance >= endingPictures[endingTaken].clock)
            take(endingPictures[endingTaken++].name);
    }
};

int countOf(const std::vector<std::string>& commands, const std::string& command) {
    return static_cast<int>(std::count(commands.begin(), commands.end(), command));
}

bool parked(float x, float y) { return x == parkPosition.x && y == parkPosition.y; }

// How many records of every shot family, coin, enemy and boss are still in
// play (armed, alive, falling, or anywhere but parked).
template <typename Record, size_t N>
int shotsInPlay(const Record (&records)[N]) {
    int n = 0;
    for (const Record& r : records) n += r.active != 0 || !parked(r.x, r.y);
    return n;
}

void expectNothingArmed() {
    EXPECT_EQ(shotsInPlay(aimedShotRecords), 0);
    EXPECT_EQ(shotsInPlay(fanShotRecords), 0);
    EXPECT_EQ(shotsInPlay(ringShotRecords), 0);
    EXPECT_EQ(shotsInPlay(volleyShotRecords), 0);
    EXPECT_EQ(shotsInPlay(segmentedShotRecords), 0);
    EXPECT_EQ(shotsInPlay(salvoShotRecords), 0);
    EXPECT_EQ(shotsInPlay(sweepShotRecords), 0);
    int other = 0;
    for (const CurvingMissile& m : curvingMissileRecords)
        other += m.active != 0 || m.x != missileParkX || m.y != missileParkY;
    for (const auto& bank : turningEnemyFanShots) other += shotsInPlay(bank);
    for (const auto& puffs : turningEnemyPuffs) other += shotsInPlay(puffs);
    EXPECT_EQ(other, 0) << "missiles, turning enemies' fans and puffs";

    int enemies = 0;
    for (const EnemySlot& e : enemySlots) enemies += e.alive != 0 || e.dying != 0;
    for (const TurningEnemy& e : turningEnemies) enemies += e.alive != 0 || e.dying != 0;
    EXPECT_EQ(enemies, 0);
    int coins = 0;
    for (const Coin& c : slotCoins) coins += c.falling != 0 || c.taken != 0 || !parked(c.x, c.y);
    for (const auto& pool : stageCoins)
        for (const Coin& c : pool) coins += c.falling != 0 || c.taken != 0 || !parked(c.x, c.y);
    EXPECT_EQ(coins, 0);

    const float startHp[] = {boss1StartHp, boss2StartHp, boss3StartHp};
    for (int stage = 1; stage <= 3; ++stage) {
        const BossBody& boss = bossOfStage(stage);
        EXPECT_TRUE(parked(boss.x, boss.y)) << stage;
        EXPECT_EQ(boss.hp, startHp[stage - 1]) << stage;
        EXPECT_EQ(boss.moveTimer + boss.defeatTimer, 0.0f) << stage;
    }
    EXPECT_EQ(boss1Timeline + boss2Timeline + boss3Timeline, 0u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(boss1RingCounters[i] | missileStreamCounters[i], 0) << i;
    EXPECT_EQ(scrollDistance, 0.0f);
    EXPECT_EQ(stageMusicCounter, 0);
}

// Runs frames until the opening screen is entered again after state entry
// `since`, or the run ends, or a state outlasts any of a run. true when the
// opening screen came.
bool playToTheOpeningScreen(size_t since, Pictures* pictures) {
    for (;;) {
        const std::vector<StateEntry>& states = headlessStatesEntered();
        for (size_t i = since + 1; i < states.size(); ++i)
            if (states[i].state == stateOpening) return true;
        if (headlessFramesRun() - states.back().frame > longestState) return false;
        if (!runHeadlessFrame()) return false;
        if (pictures != nullptr) pictures->afterFrame();
    }
}

// The states entered from `first` on, with frames counted from the first.
std::vector<StateEntry> legsFrom(size_t first) {
    const std::vector<StateEntry>& states = headlessStatesEntered();
    std::vector<StateEntry> legs(states.begin() + static_cast<std::ptrdiff_t>(first), states.end());
    for (StateEntry& leg : legs) leg.frame -= states[first].frame - 1;
    return legs;
}

void expectRunStates(const std::vector<StateEntry>& legs, const char* which) {
    SCOPED_TRACE(which);
    ASSERT_GE(legs.size(), 1u);
    for (size_t i = 0; i < std::size(runStates) && i < legs.size(); ++i) {
        EXPECT_EQ(legs[i].state, runStates[i]) << i;
        if (runStateFrames[i] > 0) {
            EXPECT_EQ(legs[i].frame, runStateFrames[i]) << i;
        }
    }
}

}  // namespace

TEST(WholeRunScenario, ThreeStagesTheEndingAndARunAfterIt) {
    RunScript script;
    script.frameLimit = runFrameLimit;
    script.keys = {{enterOnFrame, plat::VirtualKey::Return, true}, {enterOnFrame + 1, plat::VirtualKey::Return, false},
                   {shipOnFrame, plat::VirtualKey::F1, true}, {shipOnFrame + 1, plat::VirtualKey::F1, false}};
    ASSERT_TRUE(startHeadlessRun(script));
    hl::clearMidiCommands();

    Pictures pictures;
    const bool firstReturned = playToTheOpeningScreen(0, &pictures);
    const std::vector<StateEntry> first = legsFrom(0);
    for (const StateEntry& leg : first) RecordProperty("first_run_state_" + std::to_string(leg.state), leg.frame);
    expectRunStates(first, "first run");
    EXPECT_EQ(pictures.failed, 0);
    if (!firstReturned) {
        endHeadlessRun();
        GTEST_SKIP() << "the run did not come back to the opening screen (" << first.size() << " states)";
    }
    EXPECT_EQ(countOf(hl::midiCommands(), "open MIDI/QTX4.MID"), 1) << "the ending's music";
    EXPECT_TRUE(std::all_of(std::begin(pictures.bossTaken), std::end(pictures.bossTaken), [](bool b) { return b; }));
    EXPECT_EQ(pictures.endingTaken, std::size(endingPictures));
    {
        SCOPED_TRACE("after the first run");
        expectNothingArmed();
    }

    // The second run from the opening screen the first one came back to.
    const size_t back = headlessStatesEntered().size() - 1;
    const int32_t opening = headlessStatesEntered()[back].frame;
    scheduleHeadlessKey({opening + enterOnFrame - 1, plat::VirtualKey::Return, true});
    scheduleHeadlessKey({opening + enterOnFrame, plat::VirtualKey::Return, false});
    scheduleHeadlessKey({opening + shipOnFrame - 1, plat::VirtualKey::F1, true});
    scheduleHeadlessKey({opening + shipOnFrame, plat::VirtualKey::F1, false});
    EXPECT_TRUE(playToTheOpeningScreen(back, nullptr));
    const std::vector<StateEntry> second = legsFrom(back);
    expectRunStates(second, "second run");
    ASSERT_EQ(second.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(second[i].frame, first[i].frame) << "state " << i;
    EXPECT_EQ(countOf(hl::midiCommands(), "open MIDI/QTX4.MID"), 2);
    {
        SCOPED_TRACE("after the second run");
        expectNothingArmed();
    }
    const RunResult result = endHeadlessRun();
    EXPECT_EQ(result.errorBoxes, 0);
    EXPECT_FALSE(result.quit);
}
