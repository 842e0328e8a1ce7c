// The whole game played unattended, twice in one process: on the opening
// screen Enter on its tenth frame, on ship select J (no death: the ship
// left where it starts would spend its 999 lives in stage 2 and stop at the
// continue prompt) and F1 sixty frames later, then no key: the three stages,
// each ended by its forced clear, the ending, and back to the opening
// screen; then the same again from that opening screen. On the way it saves
// pictures of each boss fight and each of the ending's scenes with the
// smoke-test artifacts (MD4_ARTIFACTS_DIR, the build's smoke-artifacts/).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/boss_debris.h"
#include "game/enemy_slots.h"
#include "game/mid_boss_arms.h"
#include "game/mid_bosses.h"
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

// Frames of a run's opening screen, counted from 1.
constexpr int32_t enterOnFrame = 10, noDeathOnFrame = 40, shipOnFrame = 70;
constexpr int32_t runFrameLimit = 1000000;
// No state of an unattended run lasts longer (the stages end by their forced
// clears 30,000 to 41,500 frames in).
constexpr int32_t longestState = 60000;

// The states of one run in order, from the opening screen back to it.
constexpr int32_t runStates[] = {stateOpening, stateShipSelect, stateStage1, stateStage2,
                                 stateStage3,  stateEnding,     stateOpening};
// The first frame of each, counted from the run's opening screen (frame 1).
// Each stage ends on its clock: the forced clear at 10000 units at 20 a
// second in stage 1 (worked out in the stage-1 scenario), at 11000 in stages
// 2 and 3, then the defeat; the ending returns at 1101 units at 18 a second
// (3,670 frames). Frame n lasts 16 ms when n is a multiple of 3, else 17 ms.
// Stage 2: 18 units a second, 0.9 every three frames: 11000 units in
// 36666.7 frames; summed in single precision the clock first reads 11000.21
// on frame 66953 (36668 stage frames). The defeat clock gains 10 x 0.017
// there and 20 units a second (1/3 a frame) after it, passing 70 on frame
// 66953 + 210 = 67163: stage 3 from frame 67164. Stage 3: 16 units a second,
// 0.8 every three frames: 41250 frames; the rounding gains 6, so the clock
// reads 11000.13 on frame 108407 (41244 stage frames), and the defeat ends
// on frame 108617: the ending from frame 108618.
constexpr int32_t runStateFrames[] = {1, 11, 71, 30286, 67164, 108618, 112288};

std::string picturePath(const std::string& name) {
    ::mkdir(MD4_ARTIFACTS_DIR, 0755);
    return std::string(MD4_ARTIFACTS_DIR) + "/whole-run-" + (variant::windowed ? "windowed" : "full") + "-" + name +
           ".bmp";
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

// What the first run is watched for, frame by frame: its pictures, and
// that the untouched bosses fire no pattern while boss 3 still comes down
// and sways.
struct FirstRunWatch {
    bool bossTaken[3] = {};
    size_t endingTaken = 0;
    int failed = 0;
    uint32_t highestPattern = 0;
    float longestStage3Script = 0;

    void take(const std::string& name) {
        if (!saveSurfaceBitmap(backSurface, picturePath(name).c_str())) ++failed;
    }
    void afterFrame() {
        highestPattern = std::max({highestPattern, boss1Timeline, boss2Timeline, boss3Timeline});
        if (gameState == stateStage3) longestStage3Script = std::max(longestStage3Script, boss3.moveTimer);
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
    for (const auto& puffs : turningEnemyPuffs) other += shotsInPlay(puffs);
    for (const auto& puffs : leftArmPuffs) other += shotsInPlay(puffs);
    for (const auto& puffs : rightArmPuffs) other += shotsInPlay(puffs);
    EXPECT_EQ(other, 0) << "missiles and puffs";

    int enemies = 0;
    const auto inPlay = [](const auto& e) { return e.alive != 0 || e.dying != 0; };
    for (const EnemySlot& e : enemySlots) enemies += inPlay(e);
    for (const TurningEnemy& e : turningEnemies) enemies += inPlay(e);
    for (int b = 0; b < MidBossCount; ++b) {
        enemies += inPlay(midBoss[b]);
        for (int k = 0; k < ArmPartCount; ++k) enemies += inPlay(leftArm[b][k]) + inPlay(rightArm[b][k]);
    }
    EXPECT_EQ(enemies, 0) << "enemy slots, turning enemies, mid-bosses and their arms";
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
bool playToTheOpeningScreen(size_t since, FirstRunWatch* watch) {
    for (;;) {
        const std::vector<StateEntry>& states = headlessStatesEntered();
        for (size_t i = since + 1; i < states.size(); ++i)
            if (states[i].state == stateOpening) return true;
        if (headlessFramesRun() - states.back().frame > longestState) return false;
        if (!runHeadlessFrame()) return false;
        if (watch != nullptr) watch->afterFrame();
    }
}

// The states entered from `first` on, with frames counted from the first.
std::vector<StateEntry> legsFrom(size_t first) {
    const std::vector<StateEntry>& states = headlessStatesEntered();
    std::vector<StateEntry> legs(states.begin() + static_cast<std::ptrdiff_t>(first), states.end());
    for (StateEntry& leg : legs) leg.frame -= states[first].frame - 1;
    return legs;
}

// The keys of a run whose opening screen has its first frame on `opening`.
void scheduleRunKeys(int32_t opening) {
    namespace vk = plat::VirtualKey;
    for (const auto& [frame, key] : {std::pair{enterOnFrame, vk::Return}, {noDeathOnFrame, int{'J'}}, {shipOnFrame, vk::F1}}) {
        scheduleHeadlessKey({opening + frame - 1, key, true});
        scheduleHeadlessKey({opening + frame, key, false});
    }
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
    ASSERT_TRUE(startHeadlessRun(script));
    scheduleRunKeys(1);
    hl::clearMidiCommands();

    FirstRunWatch pictures;
    const bool firstReturned = playToTheOpeningScreen(0, &pictures);
    const std::vector<StateEntry> first = legsFrom(0);
    for (const StateEntry& leg : first) RecordProperty("first_run_state_" + std::to_string(leg.state), leg.frame);
    expectRunStates(first, "first run");
    EXPECT_EQ(pictures.failed, 0);
    if (!firstReturned) {
        endHeadlessRun();
        FAIL() << "the run did not come back to the opening screen (" << first.size() << " states)";
    }
    EXPECT_EQ(countOf(hl::midiCommands(), "open MIDI/QTX4.MID"), 1) << "the ending's music";
    EXPECT_TRUE(std::all_of(std::begin(pictures.bossTaken), std::end(pictures.bossTaken), [](bool b) { return b; }));
    EXPECT_EQ(pictures.endingTaken, std::size(endingPictures));
    EXPECT_EQ(pictures.highestPattern, 0u) << "untouched bosses fire no pattern";
    EXPECT_GT(pictures.longestStage3Script, 162.0f) << "boss 3 came down and swayed";
    {
        SCOPED_TRACE("after the first run");
        expectNothingArmed();
    }

    // The second run from the opening screen the first one came back to.
    const size_t back = headlessStatesEntered().size() - 1;
    scheduleRunKeys(headlessStatesEntered()[back].frame);
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
