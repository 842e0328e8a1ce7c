// The game's kit and stages on the headless layer for the benchmarks: an
// 800x600 back surface clipped to the play field, every asset slot holding
// a plain grey picture big enough for any cut, the stages installed (their
// pools join the pool reset) and the play state, pools and background
// columns reset. Once per program.
#pragma once

#include "app/main_loop.h"
#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/backgrounds.h"
#include "game/resets.h"
#include "platform/headless/headless.h"

inline void setUpHeadlessGame() {
    static bool ready = false;
    if (ready) return;
    ready = true;
    plat::headless::reset();
    engDraw::Screen(800, 600, 3);
    engDraw::SetClip(220, 0, 580, 600);
    for (int i = 0; i < ImageAssetCount; ++i) {
        const int slot = FirstLoadSlot + i;
        plat::Surface* surface = plat::createSurface(480, 480);
        plat::fillRect(surface, plat::Rect{0, 0, 480, 480}, 0x404040u);
        imageSlots[slot].surface = surface;
        *imageAssets[i].global = slot;
    }
    installGame();
    engSystem::SeedRand(1);
    resetScrollAndPlayer();
    resetPlayState();
    resetObjectPools();
    resetBackColumns();
}
