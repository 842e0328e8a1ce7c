// A fresh play field for the enemy and hit-pass tests: every enemy record
// reset, a known frame time, the explosion sound loaded on the headless audio
// layer, and a back surface for test images whose pixels encode their own
// source position.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/enemy_slots.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/turning_enemies.h"
#include "platform/headless/headless_audio.h"
#include "support/sound_fixture.h"

namespace enemytest {

// The pixel a coded test image holds at (x, y) of image `tag`.
constexpr uint32_t code(int tag, int x, int y) {
    return (static_cast<uint32_t>(tag) << 20) | (static_cast<uint32_t>(y) << 10) | static_cast<uint32_t>(x);
}

class EnemyFixture : public testsound::SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        testsound::resources()["SOUND/BOM.WAV"] = testsound::constantWave(1000, 64);
        sndBom = engSound::LoadObject("SOUND/BOM.WAV", 1);
        ASSERT_GE(sndBom, 0);
        plat::headless::clearSoundEvents();
        savedBack = backSurface;
        savedClip = clipRect;
        backSurface = plat::createSurface(variant::screenWidth, variant::screenHeight);
        engDraw::SetClip(0, 0, variant::screenWidth, variant::screenHeight);
        resetEnemySlots();
        resetTurningEnemies();
        frameTime = 0.016f;
        playerX = screenX(370.0f);
        playerY = 520.0f;
        playerAlive = 1;
        clearShots = 0;
        multiBurst = 1;
    }
    void TearDown() override {
        for (int32_t* global : usedImages) {
            plat::destroySurface(imageSlots[*global].surface);
            imageSlots[*global].surface = nullptr;
            *global = -1;  // no later test draws through it
        }
        plat::destroySurface(backSurface);
        backSurface = savedBack;
        clipRect = savedClip;
        SoundFixture::TearDown();
    }
    // A keyed image in a spare slot whose every pixel reads code(tag, x, y).
    void makeImage(int32_t& global, int tag, int width, int height) {
        plat::Surface* surface = plat::createSurface(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) surface->pixels[y * width + x] = code(tag, x, y);
        }
        plat::setColorKey(surface, 0);
        global = 400 + tag;
        imageSlots[global].surface = surface;
        usedImages.push_back(&global);
    }
    static uint32_t backAt(int fullScreenX, int y) {
        return backSurface->pixels[y * backSurface->width + screenX(fullScreenX)];
    }
    static int explosionSounds() {
        int plays = 0;
        for (const auto& event : plat::headless::soundEvents()) {
            plays += event.kind == plat::headless::SoundEventKind::Play ? 1 : 0;
        }
        return plays;
    }
    // Seeds the generator and returns the numbers it will give next.
    static std::vector<int> seedAndPeek(uint32_t seed, int count) {
        engSystem::SeedRand(seed);
        std::vector<int> values;
        for (int i = 0; i < count; ++i) values.push_back(engSystem::Rand());
        engSystem::SeedRand(seed);
        return values;
    }

    plat::Surface* savedBack = nullptr;
    ClipRect savedClip{};
    std::vector<int32_t*> usedImages;
};

}  // namespace enemytest
