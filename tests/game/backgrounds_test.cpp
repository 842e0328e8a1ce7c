#include "game/backgrounds.h"

#include <gtest/gtest.h>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/play_state.h"

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

}  // namespace
