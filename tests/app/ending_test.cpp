// The ending: the high-score table, the scenes by the clock, the streaks and
// the way back to the opening screen.
#include "app/ending.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/state_handlers.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/ending_streaks.h"
#include "game/game_states.h"
#include "game/play_state.h"
#include "game/score.h"
#include "platform/headless/headless_audio.h"
#include "platform/resources.h"
#include "support/engine_fixture.h"

namespace {

class Ending : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_EQ(loadAssetsAndOpen(), 1);
        score = 0;
        highScore = 0;
        lastKey = 0;
        gameState = stateEnding;
        stateChanged = 0;
        frameTime = 0;  // the clock stands still unless a test moves it
        for (Streak& s : endingStreaks) s = Streak{0, 100, 0, 0, 0};
    }
    void TearDown() override {
        plat::setResourceProvider(nullptr);
        EngineTest::TearDown();
    }
    static constexpr int32_t defaults[HighScoreRows] = {100000000, 70000000, 30000000, 20000000,
                                                        1000000,   700000,   50000};
};

TEST_F(Ending, HighScoreTakesTheFirstRowItReachesAndTheTableIsRefilledEachTime) {
    // 75,000,000 reaches 70,000,000 first, going down from the top row.
    highScore = 75000000;
    drawHighScores();
    EXPECT_EQ(highScoreTable[0], 100000000);
    EXPECT_EQ(highScoreTable[1], 75000000);
    EXPECT_EQ(highScoreTable[2], 30000000);

    // Refilled: the last placement does not stay.
    highScore = 40000;
    score = 40000;
    drawHighScores();
    for (int r = 0; r < HighScoreRows; ++r) EXPECT_EQ(highScoreTable[r], defaults[r]) << r;

    // The score reaching a row writes the high score there.
    highScore = 60000;
    score = 800000;
    drawHighScores();
    EXPECT_EQ(highScoreTable[5], 60000);
    EXPECT_EQ(highScoreTable[6], 50000);
}

TEST_F(Ending, ScenesFollowTheClockWithGapsBetweenThem) {
    const auto tableShownAt = [](float clock) {
        for (int32_t& row : highScoreTable) row = -1;
        scrollDistance = clock;
        runEndingSequence();
        return highScoreTable[0] != -1;
    };
    EXPECT_FALSE(tableShownAt(300.5f));
    EXPECT_TRUE(tableShownAt(301.0f));
    EXPECT_TRUE(tableShownAt(500.0f));
    EXPECT_FALSE(tableShownAt(500.5f));
    EXPECT_EQ(gameState, stateEnding);  // never left on the way
}

TEST_F(Ending, MusicOnTheFirstFrameAndBackToTheOpeningScreen) {
    plat::setResourceProvider([](const char* name, const uint8_t** data, size_t* size) {
        static const uint8_t song[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
        if (std::strcmp(name, "MIDI/QTX4.MID") != 0) return false;
        *data = song;
        *size = sizeof song;
        return true;
    });
    plat::headless::clearMidiCommands();
    stageMusicCounter = 0;
    stateChanged = 1;
    scrollDistance = 999;
    frameTime = 0.017f;
    runEndingSequence();
    EXPECT_FLOAT_EQ(scrollDistance, 0.017f * 18.0f);  // the clock restarts on entry
    ASSERT_FALSE(plat::headless::midiCommands().empty());
    EXPECT_EQ(plat::headless::midiCommands().front(), "open MIDI/QTX4.MID");

    stateChanged = 0;
    scrollDistance = 1101.0f - 0.017f * 18.0f;
    runEndingSequence();
    EXPECT_EQ(gameState, stateOpening);
    EXPECT_EQ(scrollDistance, 0);  // the play state was reset
    EXPECT_EQ(screenTransition.kind, 3);
    EXPECT_EQ(screenTransition.stepCount, 60);
    EXPECT_EQ(transitionRunning, -1);
}

TEST_F(Ending, SpaceOnTheFirstFrameLeavesAtOnce) {
    stateChanged = 1;
    lastKey = plat::VirtualKey::Space;
    runEndingSequence();
    EXPECT_EQ(gameState, stateOpening);
}

TEST_F(Ending, AStreakPastTheBottomRestartsFromTheRandomNumbersInOrder) {
    endingStreaks[3] = Streak{2, 50, 600.5f, 7, 0};
    engSystem::SeedRand(1234);
    const int r1 = engSystem::Rand(), r2 = engSystem::Rand(), r3 = engSystem::Rand(), r4 = engSystem::Rand();
    engSystem::SeedRand(1234);
    stepEndingStreaks(400, 300);
    const Streak& s = endingStreaks[3];
    EXPECT_EQ(s.kind, r1 % 7);
    EXPECT_EQ(s.x, static_cast<float>(r2 % 640));
    EXPECT_EQ(s.y, static_cast<float>(-(r3 % 50)));
    EXPECT_EQ(s.speed, static_cast<float>(300 + r4 % 400));
    EXPECT_EQ(s.driftX, 0);
    // Only that one restarted: the next number is the fifth of the sequence.
    engSystem::SeedRand(1234);
    for (int i = 0; i < 4; ++i) engSystem::Rand();
    const int r5 = engSystem::Rand();
    engSystem::SeedRand(1234);
    endingStreaks[3].y = 601;
    stepEndingStreaks(400, 300);
    EXPECT_EQ(engSystem::Rand(), r5);
}

}  // namespace
