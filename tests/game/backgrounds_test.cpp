#include "game/backgrounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <vector>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/play_state.h"
#include "support/coded_images.h"
#include "support/unculled_draws.h"

namespace {

class Backgrounds : public ::testing::Test {
protected:
    void SetUp() override {
        resetBackColumns();
        frameTime = 0.016f;
        scrollDistance = 100;
    }
    // Where tile 0 of a freshly stacked column stands after one call at distance d.
    static float yAfterOneCallAt(BackColumn column, float d) {
        resetBackColumns();
        scrollDistance = d;
        scrollBackColumn(column);
        return backTiles[column][0].y;
    }
    // Tile 0's position after one step at each speed in turn.
    static float movedBy(float speed) { return 120.0f + speed * 0.016f; }
    static float movedBy(float first, float second) { return movedBy(first) + second * 0.016f; }
    static constexpr float left = variant::windowed ? 0.0f : 220.0f;
};

TEST_F(Backgrounds, ColumnsMoveAtTheirSpeedForTheDistance) {
    struct Case {
        BackColumn column;
        float distance;
        float speed;
    };
    const Case cases[] = {
        {Back1S, -5, 130},   {Back2S, 700, 100},  {Back3S, 100, 140},  {Back3S, 575, 350},
        {Back3S, 9000, 150}, {Back4S, 425, 200},  {Back4S, 625, 450},  {Back4S, 1200, 240},
        {Back5S, 635, 2550}, {Back5S, 700, 400},  {Back8S, 605, 300},  {Back8S, 1149, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " at " << c.distance);
        EXPECT_EQ(yAfterOneCallAt(c.column, c.distance), movedBy(c.speed));
    }
}

TEST_F(Backgrounds, BothBandsApplyWhereTheyMeetAndNoneBelowZero) {
    EXPECT_EQ(yAfterOneCallAt(Back3S, 500), movedBy(140, 150));
    EXPECT_EQ(yAfterOneCallAt(Back5S, 650), movedBy(2550, 400));
    EXPECT_EQ(yAfterOneCallAt(Back4S, 1150), movedBy(360, 240));
    EXPECT_EQ(yAfterOneCallAt(Back8S, 1000), movedBy(250, 200));
    for (BackColumn column : {Back3S, Back4S, Back5S, Back8S}) {
        EXPECT_EQ(yAfterOneCallAt(column, -0.5f), 120.0f);
    }
}

TEST_F(Backgrounds, TilesKeepTheirColumnXAndDriftDoesNotAccumulate) {
    backTiles[Back3S][10].x = 99;
    scrollBackColumn(Back3S);
    EXPECT_EQ(backTiles[Back3S][10].x, left);
    EXPECT_EQ(backTiles[Back3S][BackTileCount - 1].y, -480.0f * (BackTileCount - 1) + 120 + 140 * 0.016f);
    for (BackTile& tile : backTiles[Back4S]) tile.drift = 50;
    for (BackTile& tile : backTiles[Back8S]) tile.drift = 50;
    scrollBackColumn(Back4S);
    scrollBackColumn(Back4S);
    scrollBackColumn(Back8S);
    EXPECT_EQ(backTiles[Back4S][0].x, left + 50 * 0.016f);
    EXPECT_EQ(backTiles[Back8S][0].x, left);
}

TEST_F(Backgrounds, ColumnRestacksOnceItsLastTileComesIntoView) {
    backTiles[Back1S][BackTileCount - 1].y = 0.5f;
    scrollBackColumn(Back1S);
    EXPECT_EQ(backTiles[Back1S][0].y, 0.0f);
    EXPECT_EQ(backTiles[Back1S][7].y, -480.0f * 7);
    EXPECT_EQ(backTiles[Back1S][0].x, left - 80.0f);  // the re-stack frame shows at x 140
    scrollBackColumn(Back1S);
    EXPECT_EQ(backTiles[Back1S][0].x, left);

    // 3S waits for y > 0, 8S re-stacks at y >= 0 and without the shift.
    backTiles[Back3S][BackTileCount - 1].y = 0.0f;
    backTiles[Back8S][BackTileCount - 1].y = 0.0f;
    scrollBackColumn(Back3S);
    scrollBackColumn(Back8S);
    EXPECT_EQ(backTiles[Back3S][0].y, movedBy(140));
    EXPECT_EQ(backTiles[Back8S][0].y, 0.0f);
    EXPECT_EQ(backTiles[Back8S][0].x, left);

    // The last tile is read before it moves for the others, after its own move for itself.
    resetBackColumns();
    backTiles[Back3S][BackTileCount - 1].y = -1.0f;
    scrollBackColumn(Back3S);
    EXPECT_EQ(backTiles[Back3S][0].y, movedBy(140));
    EXPECT_EQ(backTiles[Back3S][BackTileCount - 1].y, -480.0f * (BackTileCount - 1));
}

// The walk that blits only the tiles in the screen's rows, against the walk
// as it was: the same back surface and the same tiles, bit for bit, after
// every frame.
class CulledWalk : public ::testing::Test, protected testsupport::CodedDrawing {
protected:
    void SetUp() override {
        useScratchBack(screenX(220), 0, screenX(580), 600);
        int32_t* images[BackColumnCount] = {&imgBback1s, &imgBback2s, &imgBback3s,
                                            &imgBback4s, &imgBback5s, &imgBback8s};
        for (int column = 0; column < BackColumnCount; ++column) {
            makeImage(*images[column], column + 1, BackTileWidth, BackTileHeight);
        }
        resetBackColumns();
    }
    void TearDown() override { restoreDrawing(); }

    // One frame of the scene by both walks from the same tiles; false (and a
    // failure) when they part.
    bool sameFrame(BackgroundScene scene, int frame) {
        static BackTile before[BackColumnCount][BackTileCount];
        static BackTile unculledTiles[BackColumnCount][BackTileCount];
        static std::vector<uint32_t> unculledPixels;
        std::memcpy(before, backTiles, sizeof before);
        clearBack();
        unculled::scrollBackgrounds(scene);
        unculledPixels.assign(backSurface->pixels, backSurface->pixels + backSurface->width * backSurface->height);
        std::memcpy(unculledTiles, backTiles, sizeof unculledTiles);
        std::memcpy(backTiles, before, sizeof before);
        clearBack();
        scrollBackgrounds(scene);
        const bool samePixels =
            std::memcmp(backSurface->pixels, unculledPixels.data(), unculledPixels.size() * sizeof(uint32_t)) == 0;
        const bool sameTiles = std::memcmp(backTiles, unculledTiles, sizeof backTiles) == 0;
        EXPECT_TRUE(samePixels && sameTiles) << "scene " << static_cast<int>(scene) << " frame " << frame
                                             << (samePixels ? "" : ": pixels") << (sameTiles ? "" : ": tiles");
        return samePixels && sameTiles;
    }
};

// Which columns each scene draws, and that its front column is drawn last.
using BackgroundScenes = CulledWalk;

TEST_F(BackgroundScenes, EachSceneScrollsItsColumnsFrontOneLast) {
    // Bit k for column k (1S bit 0 .. 8S bit 5); stage 1, 2, 3, ship select, ending.
    const int members[] = {0b100101, 0b101010, 0b010101, 0b100101, 0b010110};
    const BackColumn front[] = {Back1S, Back2S, Back3S, Back1S, Back2S};
    scrollDistance = 100;
    frameTime = 0.016f;
    for (int scene = 0; scene < 5; ++scene) {
        resetBackColumns();
        scrollBackgrounds(static_cast<BackgroundScene>(scene));
        EXPECT_EQ(testsupport::codedTag(backAt(220, 300)), front[scene] + 1) << scene;
        for (int column = 0; column < BackColumnCount; ++column) {
            EXPECT_EQ(backTiles[column][0].y != 120.0f, ((members[scene] >> column) & 1) != 0) << scene;
        }
    }
}

TEST_F(CulledWalk, EveryScenePaintsAndMovesAsTheUnculledWalk) {
    // Every band and every shared end at the pacer's frame times, then long
    // frames that bring each column's last tile down into view again and
    // again (it re-stacks on its own).
    std::vector<float> distances{-5, 0};
    for (float d = 1; d < 1300; d += 7) distances.push_back(d);
    for (float end : {400.f, 450.f, 500.f, 530.f, 550.f, 560.f, 590.f, 600.f, 620.f, 650.f, 1000.f, 1150.f}) {
        distances.push_back(end);
    }
    for (int scene = 0; scene < 5; ++scene) {
        const auto s = static_cast<BackgroundScene>(scene);
        resetBackColumns();
        int frame = 0;
        for (float d : distances) {
            scrollDistance = d;
            frameTime = frame % 3 == 0 ? 0.016f : 0.017f;
            ASSERT_TRUE(sameFrame(s, frame++));
        }
        scrollDistance = 9000;
        frameTime = 150.0f;
        bool restacked[BackColumnCount] = {};
        for (int i = 0; i < 200; ++i) {
            ASSERT_TRUE(sameFrame(s, frame++));
            for (int c = 0; c < BackColumnCount; ++c) {
                restacked[c] = restacked[c] || backTiles[c][BackTileCount - 1].y == -480.0f * (BackTileCount - 1);
            }
        }
        EXPECT_EQ(std::count(std::begin(restacked), std::end(restacked), true), 3) << "every column of the scene";
    }
}

TEST_F(CulledWalk, PlacedTilesPaintAndMoveAsTheUnculledWalk) {
    // States the game never makes: whole columns re-stacking at once (the
    // last tile at 0 or past it, for each rule), tiles out of stacking order
    // across the screen's edges, far off, infinite and NaN, and drifts.
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float placed[] = {-480.5f, -480.0f, -479.9f, -0.5f, -0.0f, 0.0f, 0.5f,
                            599.9f,  600.0f,  1.0e9f,  -inf,  inf,   nan};
    for (int scene = 0; scene < 5; ++scene) {
        const auto s = static_cast<BackgroundScene>(scene);
        for (float lastY : {0.0f, 0.5f}) {
            resetBackColumns();
            for (auto& column : backTiles) {
                for (int k = 0; k < BackTileCount; ++k) column[k].y += 2399880.0f + lastY;
            }
            scrollDistance = 300;
            frameTime = 0.016f;
            ASSERT_TRUE(sameFrame(s, 0));
            ASSERT_TRUE(sameFrame(s, 1));
        }
        resetBackColumns();
        for (auto& column : backTiles) {
            for (int k = 0; k < 40; ++k) {
                column[k * 97 + 3].y = placed[k % std::size(placed)];
                column[k * 89 + 5].drift = k % 2 == 0 ? -0.0f : 35.5f;
            }
            column[BackTileCount - 1].y = -0.25f;
        }
        frameTime = 0.017f;
        for (int frame = 0; frame < 40; ++frame) {
            scrollDistance = frame < 20 ? 650.0f : 1150.0f;
            ASSERT_TRUE(sameFrame(s, frame));
        }
    }
}

TEST_F(CulledWalk, ALoneTileReachesTheCopyAsInTheUnculledWalk) {
    // One cut to zero size draws nothing, but on a lost back surface it is
    // the blit that restores it. The loss is met before any size test, so a
    // small stand-in back surface will do.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    plat::Surface* const back = backSurface;
    backSurface = plat::createSurface(1, 1);
    for (float y : {-480.5f, -480.0f, -479.5f, -0.5f, 0.0f, 599.5f, 600.0f, 600.5f, nan, 2e9f}) {
        bool reached[2];
        for (int walk = 0; walk < 2; ++walk) {
            for (BackTile& tile : backTiles[Back3S]) tile.y = -1.0e7f;
            backTiles[Back3S][17].y = y;
            backSurface->lost = true;
            walk == 0 ? unculled::scrollBackColumn(Back3S) : scrollBackColumn(Back3S);
            reached[walk] = !backSurface->lost;
        }
        EXPECT_EQ(reached[0], reached[1]) << y;
    }
    plat::destroySurface(backSurface);
    backSurface = back;
}

}  // namespace
