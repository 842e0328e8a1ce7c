// A fresh play field for the enemy and hit-pass tests: every enemy record
// reset, a known frame time, the explosion sound loaded on the headless audio
// layer, and a back surface for coded test images.
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
#include "support/coded_images.h"
#include "support/sound_fixture.h"

namespace enemytest {

// The pixel a coded test image holds at (x, y) of image `tag`.
constexpr uint32_t code(int tag, int x, int y) { return testsupport::codedPixel(tag, x, y); }

class EnemyFixture : public testsound::SoundFixture, protected testsupport::CodedDrawing {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        testsound::resources()["SOUND/BOM.WAV"] = testsound::constantWave(1000, 64);
        sndBom = engSound::LoadObject("SOUND/BOM.WAV", 1);
        ASSERT_GE(sndBom, 0);
        plat::headless::clearSoundEvents();
        useScratchBack(0, 0, variant::screenWidth, variant::screenHeight);
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
        restoreDrawing();
        SoundFixture::TearDown();
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
};

}  // namespace enemytest
