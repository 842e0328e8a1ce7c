// Stage 1 played with the weapon firing from the start to the clear. Every
// few frames the background columns and every shot pool, as the game left
// them, are drawn once by the culled routines and once by the unculled ones
// (support/unculled_draws.h) from the same state onto a spare back surface:
// the same pixels and the same tiles and records after. The game's own
// state is put back, so the run goes on as it would have.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/game_states.h"
#include "headless_run/headless_run.h"
#include "platform/surface.h"
#include "support/every_pool.h"
#include "support/unculled_draws.h"

namespace {

// The pixels and the state one way of drawing leaves.
struct Drawn {
    std::vector<uint32_t> pixels;
    std::vector<BackTile> tiles;
    everypool::Records records;
};

Drawn drawFrom(const BackTile (&tiles)[BackColumnCount][BackTileCount], const everypool::Records& records,
               bool unculledDraws) {
    std::memcpy(backTiles, tiles, sizeof backTiles);
    records.restore();
    plat::fillRect(backSurface, plat::Rect{0, 0, backSurface->width, backSurface->height}, 0u);
    if (unculledDraws) {
        unculled::scrollBackgrounds(BackgroundScene::Stage1);
        everypool::drawUnculled();
    } else {
        scrollBackgrounds(BackgroundScene::Stage1);
        everypool::draw();
    }
    const BackTile* first = &backTiles[0][0];
    return Drawn{{backSurface->pixels, backSurface->pixels + backSurface->width * backSurface->height},
                 {first, first + BackColumnCount * BackTileCount},
                 everypool::Records{}};
}

TEST(CulledDrawsInStage1, PaintAndLeaveTheStateAsTheUnculledDraws) {
    RunScript script;
    std::string error;
    ASSERT_TRUE(parseRunScript("press 10 Return\npress 70 F1\ndown 1 C\nframes 40000\nstop-at 3\n", script, error));
    ASSERT_TRUE(startHeadlessRun(script));
    static BackTile tiles[BackColumnCount][BackTileCount];
    plat::Surface* const spare = plat::createSurface(variant::screenWidth, variant::screenHeight);
    int compared = 0, withShotsInFlight = 0;
    while (runHeadlessFrame()) {
        if (gameState != stateStage1 || headlessFramesRun() % 16 != 0) continue;
        std::memcpy(tiles, backTiles, sizeof tiles);
        const everypool::Records records;
        plat::Surface* const back = backSurface;
        backSurface = spare;
        const Drawn unculledDrawn = drawFrom(tiles, records, true);
        const Drawn drawn = drawFrom(tiles, records, false);
        backSurface = back;
        std::memcpy(backTiles, tiles, sizeof tiles);
        records.restore();

        ASSERT_TRUE(drawn.pixels == unculledDrawn.pixels) << "frame " << headlessFramesRun();
        ASSERT_TRUE(std::memcmp(drawn.tiles.data(), unculledDrawn.tiles.data(), sizeof tiles) == 0)
            << "frame " << headlessFramesRun();
        ASSERT_TRUE(drawn.records == unculledDrawn.records) << "frame " << headlessFramesRun();
        ++compared;
        withShotsInFlight += everypool::Records::active() > 0;
    }
    plat::destroySurface(spare);
    const RunResult result = endHeadlessRun();
    EXPECT_EQ(result.states.back().state, stateStage2) << "the stage was played to its clear";
    EXPECT_GT(compared, 400);
    EXPECT_GT(withShotsInFlight, 150) << "shots were in flight in many of the frames compared";
}

}  // namespace
