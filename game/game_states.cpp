#include "game/game_states.h"

#include "engine/eng_draw.h"
#include "engine/eng_system.h"

void switchState(int32_t state) {
    gameState = state;
    previousState = 0;
}

void checkStageExit() {
    if (engSystem::IsWaitOver(1)) switchState(stateOpening);
}

void startClosingTransition() {
    screenTransition.step = 1;
    transitionRunning = 1;
}

void startOpeningWipe() {
    if (screenTransition.kind != silentTransitionKind) {
        engDraw::GrabScreen(SnapshotSlot, 0, 0, screenWidth, screenHeight);
    }
    screenTransition.step = screenTransition.stepCount;
    transitionRunning = -1;
}

void startOpeningWipe(int32_t steps) {
    screenTransition.kind = openingWipeKind;
    screenTransition.stepCount = steps;
    startOpeningWipe();
}

void presentFrame() {
    engDraw::SetVSync(1);
    engDraw::Present();
}

