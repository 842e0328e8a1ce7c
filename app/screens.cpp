// The opening screen and the ship-select screen: one frame of each per
// paced frame, each presenting its own frame.
#include "app/screens.h"

#include "app/state_handlers.h"
#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/game_flags.h"
#include "game/game_states.h"
#include "game/hit_pass.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/resets.h"
#include "game/weapons.h"
#include "platform/window.h"

int32_t shipSelectCounter;

namespace {

// The opening screen rests this long after each present.
constexpr uint32_t openingRestMs = 5;

// A counter band of the preview and what it runs; bands are inclusive and
// each applies on its own, in this order.
struct PreviewStep {
    int32_t low, high;
    void (*run)();
};
constexpr PreviewStep previewSteps[] = {
    {10, 100, tickNarrowTripleFire},
    {110, 200, tickWideTripleFire},
    {210, 400, tickNarrowTripleFire},
    {410, 600, tickWideTripleFire},
    {210, 600, tickPod0Fire},
    {210, 600, tickPod1Fire},
    {210, 600, drawOptionPods},
};

// The two choices under the preview: the type-1 ship alone, the type-2 ship
// between its two pods.
struct ChoiceSprite {
    int32_t* image;
    int32_t left, top, right, bottom;
    int32_t x, y;  // full-screen position
};
const ChoiceSprite choiceSprites[] = {
    {&imgMyme1, 180, 0, 240, 70, 280, 410},
    {&imgMyme1, 180, 0, 240, 70, 465, 410},
    {&imgMyme1op1, 0, 0, 60, 60, 415, 410},
    {&imgMyme1op1, 0, 0, 60, 60, 515, 410},
};

void drawScreenPicture(int32_t image) {
    engDraw::Blit(screenX(screenPictureX), screenPictureY, image, 0, 0, screenPictureWidth, screenPictureHeight);
}

// What both screens do when a run is to begin.
void resetForNewRun() {
    resetScrollAndPlayer();
    resetPlayState();
    resetObjectPools();
    level = 1;
    gameMode = 1;
    gameSubMode = 0;
}

void startRunFromShipSelect() {
    resetForNewRun();
    lives = runStartLives;
    startOpeningWipe(shipSelectWipeSteps);
    switchState(stateStage1);
    lastKey = 0;
}

void runShipSelectPreview() {
    const int32_t c = ++shipSelectCounter;
    for (const PreviewStep& step : previewSteps) {
        if (c >= step.low && c <= step.high) step.run();
    }
    // The preview flies type 1 first, then type 2 with its pods; below 10
    // and past 400 it keeps the type it has.
    if (c >= 200 && c <= 400)
        shipType = 2;
    else if (c >= 10 && c <= 200)
        shipType = 1;
    if (c >= shipSelectCycle) shipSelectCounter = 0;
}

}  // namespace

void runOpeningScreen() {
    if (stateChanged) {
        blendBackground = 0;
        controlMouse = 0;
        controlKeyboard = 1;
        multiBurst = 1;
        noDeath = 0;
        shipType = 0;
    }
    engDraw::ClearScreen();
    drawScreenPicture(imgTitlec);
    presentFrame();
    plat::sleepMs(openingRestMs);

    if (lastKey != plat::VirtualKey::Return) return;
    shipType = 1;
    resetForNewRun();
    if (screenTransition.kind == 0) {
        // No wipe has run since start-up: hold the title for the closing
        // transition, then the loop enters ship select.
        startClosingTransition();
        returnState = stateShipSelect;
    } else {
        // The wipe of the kind and length the last one left.
        startOpeningWipe();
        switchState(stateShipSelect);
    }
    lastKey = 0;
}

void runShipSelect() {
    engDraw::ClearScreen();
    scrollBackgrounds(BackgroundScene::ShipSelect);
    runHitPass();
    updatePlayerShip();
    playerX = screenX(previewShipX);
    playerY = previewShipY;
    drawPlayerShots();

    runShipSelectPreview();

    for (const ChoiceSprite& sprite : choiceSprites) {
        engDraw::Blit(screenX(sprite.x), sprite.y, *sprite.image, sprite.left, sprite.top, sprite.right,
                      sprite.bottom);
    }
    drawScreenPicture(imgLevel0);
    presentFrame();

    switch (lastKey) {
        case plat::VirtualKey::Left:
        case plat::VirtualKey::F1:
            shipType = 1;
            startRunFromShipSelect();
            break;
        case plat::VirtualKey::Right:
        case plat::VirtualKey::F2:
            shipType = 2;
            startRunFromShipSelect();
            break;
        case plat::VirtualKey::K:
            controlMouse = 0;
            controlKeyboard = 1;
            lastKey = 0;
            break;
        case plat::VirtualKey::M:
            controlMouse = 1;
            controlKeyboard = 0;
            lastKey = 0;
            break;
        case plat::VirtualKey::J:
            noDeath = 1;  // nothing on the screen shows it
            lastKey = 0;
            break;
        default:
            break;
    }
}
