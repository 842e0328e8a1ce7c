// The random generator is seeded from the platform's seed (the calendar
// clock's seconds on a display, the script's seed headless) at start-up and
// by the play-state reset, and by nothing else: one seed and one script give
// one game, and a different seed another.
#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "engine/eng_system.h"
#include "game/bosses.h"
#include "game/game_states.h"
#include "game/resets.h"
#include "headless_run/headless_run.h"
#include "platform/headless/headless.h"

namespace hl = plat::headless;

TEST(SeedScenario, TheStartUpAndEveryResetSeedFromThePlatformOnly) {
    const auto startedWith = [](uint32_t seed) {
        RunScript script;
        script.seed = seed;
        EXPECT_TRUE(startHeadlessRun(script));
        const uint32_t state = engSystem::RandState();
        endHeadlessRun();
        return state;
    };
    const uint32_t started = startedWith(101);
    EXPECT_NE(startedWith(202), started) << "the start-up seeds from the platform";
    EXPECT_EQ(startedWith(101), started);

    ASSERT_TRUE(startHeadlessRun(RunScript{}));
    // The generator after `call`, with the platform's seed at `seed` and the
    // generator at `before`.
    const auto after = [](void (*call)(), uint32_t seed, uint32_t before) {
        hl::setRandomSeed(seed);
        engSystem::SeedRand(before);
        call();
        return engSystem::RandState();
    };
    struct Reset {
        const char* name;
        void (*call)();
        bool seeds;  // else it draws on from the generator as it finds it
    };
    const Reset resets[] = {
        {"resetPlayState", resetPlayState, true},
        {"resetObjectPools", resetObjectPools, false},
        {"resetScrollAndPlayer", resetScrollAndPlayer, false},
        {"T, back to the opening screen", [] { onKeyDown('T'); }, true},
        {"a stage's hand-over after its boss", [] { handOverAfterDefeat(0, stateStage2); }, true},
    };
    for (const Reset& reset : resets) {
        SCOPED_TRACE(reset.name);
        const uint32_t first = after(reset.call, 101, 7);
        const uint32_t otherSeed = after(reset.call, 202, 7);
        const uint32_t otherBefore = after(reset.call, 101, 8);
        if (reset.seeds) {
            EXPECT_NE(otherSeed, first) << "seeded from the platform";
            EXPECT_EQ(otherBefore, first) << "seeded afresh";
        } else {
            EXPECT_EQ(otherSeed, first) << "no seed of its own";
            EXPECT_NE(otherBefore, first) << "no seed of its own";
        }
    }
    endHeadlessRun();
}
