#include "app/ending.h"

#include "app/state_handlers.h"
#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/ending_streaks.h"
#include "game/game_states.h"
#include "game/hit_pass.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/resets.h"
#include "game/score.h"
#include "game/score_bar.h"
#include "game/weapons.h"

int32_t highScoreTable[HighScoreRows];

namespace {

constexpr float endingClockRate = 18.0f;  // clock units per second
constexpr int32_t endingWipeSteps = 60;
constexpr int32_t streakRestartRange = 400, streakRestartBase = 300;

// The scenes by the clock, inclusive; a clock between two scenes shows none.
struct ClockBand {
    float first, last;
    bool holds(float d) const { return d >= first && d <= last; }
};
constexpr ClockBand flightScene{0, 300};
constexpr ClockBand tableScene{301, 500};
constexpr ClockBand creditScene{501, 700};
constexpr ClockBand firstPictureScene{701, 900};
constexpr ClockBand lastPictureScene{901, 1100};

constexpr int32_t highScoreDefaults[HighScoreRows] = {100000000, 70000000, 30000000, 20000000,
                                                      1000000,   700000,   50000};

// Where the pictures and the table stand (full-screen x).
constexpr int logoX = 250, logoY = 100, logoWidth = 300, logoHeight = 100;
constexpr int panelX = 200, panelY = 100, panelWidth = 400, panelHeight = 100;
constexpr int rowNumberX = 230, rowDigitsX = 310, firstRowY = 225, rowPitch = 40;
constexpr int pictureWidth = 360, pictureHeight = 480;
constexpr int creditPictureX = 220, creditPictureY = 60;
constexpr int closingPictureX = 220, closingPictureY = 120;
constexpr int creditX = 280, firstCreditY = 140, creditPitch = 20;

constexpr int32_t creditFace = 1;  // "標準ゴシック"
constexpr int32_t creditHeight = 12;
constexpr int32_t creditTextColour = 0x00FFFFFF;  // white, 0x00BBGGRR
constexpr int32_t creditBackColour = 0x00800000;  // navy

// What the program is made of.
constexpr const char* creditLines[] = {
    "MIRVANE DELTA 4 ENCORE",
    "Game and engine: the ENCORE team",
    "Window, input and sound: SDL2",
    "Text: SDL2_ttf with FreeType, fontconfig",
    "Music: FluidSynth",
    "Fonts: IPA Mincho, IPA Gothic",
    "Soundfont: General MIDI (FluidR3, TimGM6mb)",
};
static_assert(std::size(creditLines) == 7);

void drawPicture(int32_t image, int x, int y, int width, int height) {
    engDraw::Blit(screenX(x), y, image, 0, 0, width, height);
}

// The ship flies and fires over the logo; the hit pass runs as in a stage.
void runFlightScene() {
    stepEndingStreaks(streakRestartRange, streakRestartBase);
    drawFanPieces();
    drawPlayerShots();
    runLaser();
    updatePlayerShip();
    drawOptionPods();
    tickPod0Fire();
    tickPod1Fire();
    drawScoreBar();
    drawPicture(imgMygoodn, logoX, logoY, logoWidth, logoHeight);
    movePlayer();
    runHitPass();
    stepFanPieces();
}

void runCreditScene() {
    drawPicture(imgLevel0, creditPictureX, creditPictureY, pictureWidth, pictureHeight);
    for (int i = 0; i < static_cast<int>(std::size(creditLines)); ++i)
        drawCreditLine(screenX(creditX), firstCreditY + creditPitch * i, creditLines[i]);
}

void returnToOpeningScreen() {
    resetPlayState();
    resetObjectPools();
    resetScrollAndPlayer();
    startOpeningWipe(endingWipeSteps);
    switchState(stateOpening);
}

}  // namespace

void drawCreditLine(int x, int y, const char* text) {
    engDraw::SelectFont(creditFace, creditHeight, 0, 0, 0, 0);
    engDraw::SetTextColor(creditTextColour, creditBackColour, 0);
    engDraw::PutText(x, y, text);
    engDraw::ReleaseFont();
}

void drawHighScores() {
    for (int r = 0; r < HighScoreRows; ++r) highScoreTable[r] = highScoreDefaults[r];
    for (int r = 0; r < HighScoreRows; ++r) {
        if (highScore >= highScoreTable[r] || score >= highScoreTable[r]) {
            highScoreTable[r] = highScore;
            break;
        }
    }
    drawPicture(imgRanking1, panelX, panelY, panelWidth, panelHeight);
    for (int r = 0; r < HighScoreRows; ++r) {
        const int y = firstRowY + rowPitch * r;
        char text[engSystem::FormatShortSize];
        engSystem::FormatShort(text, "%d", r + 1);
        drawBigDigits(text, 1, screenX(rowNumberX), y);
        engSystem::FormatShort(text, "%09d", highScoreTable[r]);
        drawBigDigits(text, 9, screenX(rowDigitsX), y);
    }
}

void runEndingSequence() {
    if (stateChanged) scrollDistance = 0;

    tickStageMusic(EndingMusicFile);

    engDraw::ClearScreen();
    scrollDistance += frameTime * endingClockRate;
    stepEndingStreaks(streakRestartRange, streakRestartBase);

    const float d = scrollDistance;
    if (flightScene.holds(d)) runFlightScene();
    if (tableScene.holds(d)) drawHighScores();
    if (creditScene.holds(d)) runCreditScene();
    if (firstPictureScene.holds(d)) {
        scrollBackgrounds(BackgroundScene::Ending);
        drawPicture(imgLrcg1, closingPictureX, closingPictureY, pictureWidth, pictureHeight);
    }
    if (lastPictureScene.holds(d)) {
        stepEndingStreaks(streakRestartRange, streakRestartBase);
        drawPicture(imgLrcg2, closingPictureX, closingPictureY, pictureWidth, pictureHeight);
    }

    presentFrame();

    if (d >= endingEndClock || lastKey == plat::VirtualKey::Space) returnToOpeningScreen();
}
