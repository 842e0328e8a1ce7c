// The opening and ship-select screens, driven through the real loop from the
// loader's end, as a player starts a run.
#include <gtest/gtest.h>

#include <vector>

#include "app/screens.h"
#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_flags.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score.h"
#include "game/weapons.h"
#include "platform/headless/headless.h"
#include "platform/resources.h"
#include "support/bmp_fixtures.h"
#include "support/engine_fixture.h"

namespace hl = plat::headless;
namespace vk = plat::VirtualKey;

namespace {

constexpr uint32_t titleColour = 0xA0B0C0, levelColour = 0x405060;
constexpr uint32_t shipPixel(int x, int y) { return 0x100000u | (static_cast<uint32_t>(y) << 8) | static_cast<uint32_t>(x); }

struct Frame {
    int32_t state, stateChanged;
    int presentsBefore;
    int64_t counter;
    uint32_t ms;
};
std::vector<Frame> frames;
StateHandler realHandlers[StateCount];
template <int32_t State>
void recordThenRun() {
    frames.push_back(Frame{State, stateChanged, hl::presentCount(), plat::counter(), plat::milliseconds()});
    realHandlers[State]();
}

std::vector<uint8_t> picture(int w, int h, uint32_t (*pixel)(int x, int y)) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(pixel(x, y));
    return testbmp::make(24, w, h, pixels);
}

class Screens : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        testbmp::add("IMAGE/TITLEC.BMP", picture(360, 480, [](int, int) { return titleColour; }));
        // Black (clear) but for two bands: rows 0..9 and 350..359 (y 410..419).
        testbmp::add("IMAGE/LEVEL0.BMP", picture(360, 480, [](int, int y) {
                         return y < 10 || (y >= 350 && y < 360) ? levelColour : 0u;
                     }));
        testbmp::add("IMAGE/MYME1.BMP", picture(240, 70, shipPixel));
        testbmp::serve();
        ASSERT_EQ(loadAssetsAndOpen(), 1);
        appActive = 1;
        shipSelectCounter = 0;
        std::copy(std::begin(stateHandlers), std::end(stateHandlers), realHandlers);
        stateHandlers[stateOpening] = recordThenRun<stateOpening>;
        stateHandlers[stateShipSelect] = recordThenRun<stateShipSelect>;
        stateHandlers[stateStage1] = recordThenRun<stateStage1>;
        frames.clear();
        engSystem::ResetFrameClock();
        hl::setAutoAdvance(true);
    }
    void TearDown() override {
        testbmp::clear();
        plat::setResourceProvider(nullptr);
        EngineTest::TearDown();
    }
    static void runFrames(size_t count) {
        const size_t target = frames.size() + count;
        for (int turn = 0; turn < 100000 && frames.size() < target; ++turn) ASSERT_TRUE(runLoopTurn());
        ASSERT_EQ(frames.size(), target);
    }
    static void press(int key) {
        testsupport::postKeyDown(key);
        runFrames(1);
    }
    static int activeShots() {
        int count = 0;
        for (const PlayerShot& shot : weaponAShots) count += shot.active;
        for (const PlayerShot& shot : weaponCShots) count += shot.active;
        return count;
    }
    static uint32_t at(plat::Surface* s, int fullX, int y) { return s->pixels[y * s->width + screenX(fullX)]; }
    // Runs state-1 frames, Enter, and the first ship-select frame.
    static void enterShipSelect() {
        runFrames(1);
        press(vk::Return);
        runFrames(1);
        ASSERT_EQ(frames.back().state, stateShipSelect);
    }
};

}  // namespace

TEST_F(Screens, FirstEnterHoldsTheTitleForTenPresentsLaterOnesWipeIntoShipSelect) {
    runFrames(1);
    EXPECT_EQ(at(primarySurface, 220, 60), titleColour);
    EXPECT_EQ(at(primarySurface, 579, 539), titleColour);
    EXPECT_EQ(at(primarySurface, 300, 540), 0u);
    EXPECT_EQ(plat::milliseconds() - frames.back().ms, 5u) << "rests 5 ms after its present";
    press(vk::F1);  // not a key of this screen
    press(vk::Return);
    EXPECT_TRUE(shipType == 1 && level == 1 && gameMode == 1 && gameSubMode == 0 && lastKey == 0);
    runFrames(1);
    const Frame& enter = frames[2];
    const Frame& first = frames[3];
    EXPECT_TRUE(first.state == stateShipSelect && first.stateChanged == 1);
    EXPECT_EQ(first.presentsBefore - enter.presentsBefore, 1 + 10);
    EXPECT_LE(first.counter - enter.counter, 17'000'000) << "the ten presents are unpaced";

    press(vk::F2);
    runFrames(30);
    press('T');
    EXPECT_TRUE(frames.back().state == stateOpening && frames.back().stateChanged == 1);
    press(vk::Return);
    runFrames(1);
    EXPECT_TRUE(frames.back().state == stateShipSelect && frames.back().stateChanged == 1);
    EXPECT_EQ(frames.back().presentsBefore - frames.end()[-2].presentsBefore, 1) << "no closing presents";
    EXPECT_TRUE(screenTransition.kind == 3 && screenTransition.stepCount == 26);
    EXPECT_EQ(at(imageSlots[1].surface, 221, 61), titleColour) << "the title is wiped away";
    int wipeFrames = 1;
    for (; transitionRunning == -1 && wipeFrames < 40; ++wipeFrames) runFrames(1);
    EXPECT_EQ(wipeFrames, 26);
}

TEST_F(Screens, EachChoiceKeyStartsARunWithItsShipBehindTheWipe) {
    const struct {
        int key, type;
    } choices[] = {{vk::Left, 1}, {vk::F1, 1}, {vk::Right, 2}, {vk::F2, 2}};
    for (const auto& choice : choices) {
        gameState = stateOpening;
        previousState = 0;
        enterShipSelect();
        shipSelectCounter = choice.type == 1 ? 300 : 50;  // the preview shows the other ship
        runFrames(30);  // past the wipe into ship select
        ASSERT_NE(shipType, choice.type);
        ASSERT_GT(activeShots(), 0);
        // The two ships shown, the picture's band drawn over their tops.
        EXPECT_EQ(at(primarySurface, 285, 430), shipPixel(185, 20));
        EXPECT_EQ(at(primarySurface, 470, 479), shipPixel(185, 69));
        EXPECT_EQ(at(primarySurface, 285, 415), levelColour);
        EXPECT_EQ(at(primarySurface, 220, 60), levelColour);
        score = 1234;
        press(choice.key);
        runFrames(1);
        const Frame& stage = frames.back();
        EXPECT_TRUE(stage.state == stateStage1 && stage.stateChanged == 1) << choice.key;
        EXPECT_EQ(shipType, choice.type);
        EXPECT_TRUE(lives == 999 && score == 0 && level == 1 && gameMode == 1 && lastKey == 0);
        EXPECT_TRUE(screenTransition.kind == 3 && screenTransition.stepCount == 26 && transitionRunning == -1);
        EXPECT_EQ(screenTransition.step, 25) << "one step shown by the stage's first frame";
        EXPECT_TRUE(playerX == screenX(playerStartX) && playerY == playerStartY);
        EXPECT_EQ(activeShots(), 0) << "the preview's shots are gone";
        EXPECT_EQ(at(imageSlots[1].surface, 285, 430), shipPixel(185, 20)) << "the wipe shows ship select";
    }
}

TEST_F(Screens, ControlKeysAndJKeepTheScreenAndTLeavesIt) {
    enterShipSelect();
    mouseX = mouseY = 5;
    press('M');
    EXPECT_TRUE(controlMouse == 1 && controlKeyboard == 0 && lastKey == 0);
    press('K');
    EXPECT_TRUE(playerX == screenX(previewShipX) && playerY == previewShipY) << "pinned in mouse mode too";
    EXPECT_TRUE(controlMouse == 0 && controlKeyboard == 1);
    press('J');
    runFrames(1);
    EXPECT_TRUE(noDeath == 1 && lastKey == 0 && frames.back().state == stateShipSelect);
    press('T');
    EXPECT_TRUE(frames.back().state == stateOpening && frames.back().stateChanged == 1 && noDeath == 0);
}

TEST_F(Screens, ThePreviewFliesEachShipAndFiresByTheCounter) {
    enterShipSelect();
    shipSelectCounter = 0;
    for (int c = 1; c <= 615; ++c) {
        const int32_t a = weaponACounter, wide = weaponCCounter, pod = pod0Counter, type = shipType;
        runFrames(1);
        const int k = c > 600 ? c - 600 : c;
        EXPECT_EQ(a != weaponACounter, (k >= 10 && k <= 100) || (k >= 210 && k <= 400)) << c;
        EXPECT_EQ(wide != weaponCCounter, (k >= 110 && k <= 200) || (k >= 410 && k <= 600)) << c;
        EXPECT_EQ(pod != pod0Counter, k >= 210 && k <= 600) << c;
        EXPECT_EQ(shipType, k >= 200 ? 2 : k >= 10 ? 1 : type) << c;
        if (c == 13) {  // the first volley leaves the pinned ship
            EXPECT_TRUE(weaponAShots[1].x == screenX(370) && weaponAShots[1].y == 190 - 38);
        }
    }
    EXPECT_EQ(shipSelectCounter, 15);
}
