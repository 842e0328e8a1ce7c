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
        scrollDistance = 0;
    }
    // Where tile 0 of a freshly stacked column stands after one call at distance d.
    float yAfterOneCallAt(BackColumn column, float d) {
        resetBackColumns();
        scrollDistance = d;
        scrollBackColumn(column);
        return backTiles[column][0].y;
    }
    // Tile 0's position after one step at each of the given speeds, in turn.
    static float movedBy(float speed) { return 120.0f + speed * 0.016f; }
    static float movedBy(float first, float second) { return movedBy(first) + second * 0.016f; }
    static constexpr float left = variant::windowed ? 0.0f : 220.0f;
};

TEST_F(Backgrounds, ConstantColumnsMoveAtTheirOwnSpeed) {
    EXPECT_EQ(yAfterOneCallAt(Back1S, 0), movedBy(130));
    EXPECT_EQ(yAfterOneCallAt(Back2S, 700), movedBy(100));
    // Their speed does not depend on the distance, not even below 0.
    EXPECT_EQ(yAfterOneCallAt(Back1S, -5), movedBy(130));
}

TEST_F(Backgrounds, BandColumnsFollowTheirTables) {
    struct Case {
        BackColumn column;
        float distance;
        float speed;
    };
    const Case cases[] = {
        {Back3S, 100, 140},   {Back3S, 515, 150},  {Back3S, 575, 350},  {Back3S, 800, 650},
        {Back3S, 1100, 300},  {Back3S, 9000, 150}, {Back4S, 200, 180},  {Back4S, 425, 200},
        {Back4S, 525, 320},   {Back4S, 625, 450},  {Back4S, 1200, 240}, {Back5S, 300, 190},
        {Back5S, 635, 2550},  {Back5S, 700, 400},  {Back5S, 2000, 250}, {Back8S, 50, 150},
        {Back8S, 605, 300},   {Back8S, 640, 400},  {Back8S, 900, 250},  {Back8S, 1149, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " at " << c.distance);
        EXPECT_EQ(yAfterOneCallAt(c.column, c.distance), movedBy(c.speed));
    }
}

TEST_F(Backgrounds, BothBandsApplyWhereTheyMeet) {
    // Each band's step is added on its own.
    EXPECT_EQ(yAfterOneCallAt(Back3S, 500), movedBy(140, 150));
    EXPECT_EQ(yAfterOneCallAt(Back5S, 650), movedBy(2550, 400));
    EXPECT_EQ(yAfterOneCallAt(Back4S, 1150), movedBy(360, 240));
    EXPECT_EQ(yAfterOneCallAt(Back8S, 0), movedBy(150));
    EXPECT_EQ(yAfterOneCallAt(Back8S, 1000), movedBy(250, 200));
}

TEST_F(Backgrounds, NegativeDistanceHoldsTheBandColumnsStill) {
    for (BackColumn column : {Back3S, Back4S, Back5S, Back8S}) {
        EXPECT_EQ(yAfterOneCallAt(column, -0.5f), 120.0f);
    }
}

TEST_F(Backgrounds, EveryTileMovesAndKeepsItsColumnX) {
    scrollDistance = 100;
    backTiles[Back3S][10].x = 99;
    scrollBackColumn(Back3S);
    for (int k : {0, 10, 2500, BackTileCount - 1}) {
        EXPECT_EQ(backTiles[Back3S][k].x, left);
        EXPECT_FLOAT_EQ(backTiles[Back3S][k].y, 120.0f - 480.0f * static_cast<float>(k) + 140 * 0.016f);
    }
}

TEST_F(Backgrounds, DriftingColumnsOffsetXWithoutAccumulating) {
    for (BackTile& tile : backTiles[Back4S]) tile.drift = 50;
    scrollDistance = 10;
    scrollBackColumn(Back4S);
    scrollBackColumn(Back4S);
    EXPECT_FLOAT_EQ(backTiles[Back4S][0].x, left + 50 * 0.016f);
    // 8S has no drift rule.
    for (BackTile& tile : backTiles[Back8S]) tile.drift = 50;
    scrollBackColumn(Back8S);
    EXPECT_EQ(backTiles[Back8S][0].x, left);
}

TEST_F(Backgrounds, ColumnRestacksOnceItsLastTileComesIntoView) {
    scrollDistance = 100;
    backTiles[Back1S][BackTileCount - 1].y = 0.5f;
    scrollBackColumn(Back1S);
    EXPECT_EQ(backTiles[Back1S][0].y, 0.0f);
    EXPECT_EQ(backTiles[Back1S][7].y, -480.0f * 7);
    EXPECT_EQ(backTiles[Back1S][BackTileCount - 1].y, -480.0f * (BackTileCount - 1));
    // 1S shows its re-stack frame 80 pixels left, then returns.
    EXPECT_EQ(backTiles[Back1S][0].x, left - 80.0f);
    scrollBackColumn(Back1S);
    EXPECT_EQ(backTiles[Back1S][0].x, left);
}

TEST_F(Backgrounds, RestackTestIsStrictForSomeColumnsAndInclusiveForOthers) {
    scrollDistance = 100;
    backTiles[Back3S][BackTileCount - 1].y = 0.0f;
    backTiles[Back8S][BackTileCount - 1].y = 0.0f;
    scrollBackColumn(Back3S);
    scrollBackColumn(Back8S);
    EXPECT_FLOAT_EQ(backTiles[Back3S][0].y, 120 + 140 * 0.016f);  // 3S waits for y > 0
    EXPECT_EQ(backTiles[Back8S][0].y, 0.0f);                       // 8S re-stacks at y >= 0
    EXPECT_EQ(backTiles[Back8S][0].x, left);                       // without the x shift
}

TEST_F(Backgrounds, LastTileDecidesByItsOwnPositionAfterItMoved) {
    // The last tile is read before it moves for every other tile, and after
    // its own move for itself.
    scrollDistance = 100;
    backTiles[Back3S][BackTileCount - 1].y = -1.0f;
    scrollBackColumn(Back3S);
    EXPECT_FLOAT_EQ(backTiles[Back3S][0].y, 120 + 140 * 0.016f);
    EXPECT_EQ(backTiles[Back3S][BackTileCount - 1].y, -480.0f * (BackTileCount - 1));
}

TEST_F(Backgrounds, EachSceneScrollsItsOwnColumns) {
    struct Case {
        BackgroundScene scene;
        bool moves[BackColumnCount];  // 1S 2S 3S 4S 5S 8S
    };
    const Case cases[] = {
        {BackgroundScene::Stage1, {true, false, true, false, false, true}},
        {BackgroundScene::Stage2, {false, true, false, true, false, true}},
        {BackgroundScene::Stage3, {true, false, true, false, true, false}},
        {BackgroundScene::ShipSelect, {true, false, true, false, false, true}},
        {BackgroundScene::Ending, {false, true, true, false, true, false}},
    };
    scrollDistance = 100;
    for (const Case& c : cases) {
        resetBackColumns();
        scrollBackgrounds(c.scene);
        for (int column = 0; column < BackColumnCount; ++column) {
            SCOPED_TRACE(testing::Message() << "scene " << static_cast<int>(c.scene) << " column " << column);
            EXPECT_EQ(backTiles[column][0].y != 120.0f, c.moves[column]);
        }
    }
}

}  // namespace
