// The score bar, the continue prompt and the pause check.
#include "game/score_bar.h"

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/game_flags.h"
#include "game/player.h"
#include "game/score.h"
#include "game/weapons.h"

namespace {

// Large digits: "IMAGE/SUJI09_2.BMP", 20x25 cells side by side.
constexpr int bigDigitWidth = 20, bigDigitHeight = 25;
constexpr int scoreLeft = 200, scoreTop = 0;
// Small digits: "IMAGE/MYMY.BMP", 7x10 cells 8 px apart from x 8, at y 70.
constexpr int smallDigitLeft = 8, smallDigitPitch = 8, smallDigitWidth = 7;
constexpr int smallDigitTop = 70, smallDigitBottom = 80;
constexpr int smallDigitSpacing = 10;
constexpr int highScoreLeft = 380, livesLeft = 500, smallRowTop = 6;
// The lives icon in the same sheet.
constexpr int livesIconLeft = 200, livesIconRight = 224;
constexpr int livesIconX = 475;

constexpr int continueWidth = 200, continueHeight = 100;
constexpr int continueX = 300, continueY = 190;
// Weapon-A shots the prompt clears; the rest fly on after a continue.
constexpr int promptClearsShots = 39;

constexpr int32_t keyY = 'Y';

void drawSmallDigits(const char* text, int digits, int x, int y) {
    for (int i = 0; i < digits && text[i] != '\0'; ++i) {
        if (text[i] < '0' || text[i] > '9') continue;
        const int left = smallDigitLeft + smallDigitPitch * (text[i] - '0');
        engDraw::Blit(x + smallDigitSpacing * i, y, imgMymy, left, smallDigitTop, left + smallDigitWidth,
                      smallDigitBottom);
    }
}

}  // namespace

void drawBigDigits(const char* text, int digits, int x, int y) {
    for (int i = 0; i < digits && text[i] != '\0'; ++i) {
        if (text[i] < '0' || text[i] > '9') continue;
        const int left = bigDigitWidth * (text[i] - '0');
        engDraw::Blit(x + bigDigitWidth * i, y, imgSuji09_2, left, 0, left + bigDigitWidth, bigDigitHeight);
    }
}

void drawScoreBar() {
    char text[engSystem::FormatShortSize];
    engSystem::FormatShort(text, "%09d", score);
    drawBigDigits(text, 9, screenX(scoreLeft), scoreTop);
    engSystem::FormatShort(text, "%09d", highScore);
    drawSmallDigits(text, 9, screenX(highScoreLeft), smallRowTop);
    if (lives >= 0) {
        engSystem::FormatShort(text, "%03d", lives);
        drawSmallDigits(text, 3, screenX(livesLeft), smallRowTop);
    }
    engDraw::Blit(screenX(livesIconX), smallRowTop, imgMymy, livesIconLeft, smallDigitTop, livesIconRight,
                  smallDigitBottom);
}

void enterContinuePrompt() {
    if (lives > 0 || continuePrompt != 0) return;
    // Nothing is presented while paused, so this frame stays on the screen.
    engDraw::Blit(screenX(continueX), continueY, imgContinu1, 0, 0, continueWidth, continueHeight);
    continuePrompt = 1;
    paused = 1;
    playerAlive = 0;
    playerVX = 0;
    playerVY = 0;
    for (int i = 0; i < promptClearsShots; ++i) {
        weaponAShots[i].active = 0;
        weaponAShots[i].x = weaponParkX;
        weaponAShots[i].y = weaponParkY;
    }
}

bool runPauseCheck() {
    if (paused == 0) return false;
    if (continuePrompt == 1 && lastKey == keyY) {
        paused = 0;
        continuePrompt = 0;
        lives = ContinueLives;
        score = 0;
        respawnGuard = 1;
        playerAlive = 1;
    }
    return true;
}
