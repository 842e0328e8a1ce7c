// Volley timers and falling volleys: which calls fire which groups, how the
// shapes place a group, and one frame of drift, fall and retirement.
#include "game/shots/volley.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/player.h"

namespace {

class FallingVolleys : public ::testing::Test {
protected:
    void SetUp() override {
        parkVolleyPools();
        for (BossBody* boss : {&boss1, &boss2, &boss3}) *boss = BossBody{screenX(100.0f), 20.0f, 0, 1000, 0, 0};
        playerX = screenX(800.0f);  // out of every box
        playerAlive = 1;
        frameTime = 0.016f;
    }

    // (call, group) for every group the timer arms in `calls` calls; the
    // records are freed after each call so that every firing shows.
    static std::vector<std::pair<int, int>> firings(int pool, int calls) {
        const VolleyPool& row = volleyPools[pool];
        VolleyShot* records = volleyPoolRecords(pool);
        std::vector<std::pair<int, int>> fired;
        for (int call = 1; call <= calls; ++call) {
            tickVolleyTimers(pool);
            EXPECT_LT(records[0].timerCounter, row.cycle);
            for (int i = 0; i < row.count; ++i) {
                if (records[i].active != 0 && i % row.groupSize == 0) fired.emplace_back(call, i / row.groupSize);
                records[i].active = 0;
            }
        }
        return fired;
    }
};

TEST_F(FallingVolleys, ATimerFiresEachGroupAtItsCountOncePerCycle) {
    const int pool = findVolleyPool(2, 6);  // W 260
    const std::vector<std::pair<int, int>> expected = {{10, 0},  {20, 1},  {30, 2},  {40, 3},  {100, 4}, {110, 5},
                                                       {120, 6}, {180, 7}, {190, 8}, {200, 9}, {270, 0}};
    EXPECT_EQ(firings(pool, 270), expected);
    EXPECT_EQ(volleyPoolRecords(pool)[49].timerCounter, 10);
}

TEST_F(FallingVolleys, PairsWithoutACountNeverFire) {
    // Stage-1 volley pool 2: ten pairs, counts for pairs 1-8 only, W 150.
    const std::vector<std::pair<int, int>> cycle = {{10, 0}, {20, 1}, {30, 2}, {70, 3},
                                                    {80, 4}, {90, 5}, {130, 6}, {140, 7}};
    std::vector<std::pair<int, int>> expected = cycle;
    for (auto [call, group] : cycle) expected.emplace_back(call + 150, group);
    EXPECT_EQ(firings(findVolleyPool(1, 2), 300), expected);  // nothing when the counters are 0
}

TEST_F(FallingVolleys, AnArcStartsAsOneColumnAndFansOutWhileItFalls) {
    const int pool = findVolleyPool(1, 1);
    VolleyShot* arc = volleyPoolRecords(pool);
    armVolleyShot(pool, 3, 0);  // one record armed: the whole group takes the heights
    const float heights[7] = {174, 203, 214, 220, 214, 203, 174};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(arc[k].y, heights[k]) << k;
    EXPECT_TRUE(arc[3].active == 1 && arc[3].x == screenX(300.0f) && arc[0].active == 0);
    moveVolleyPool(pool);
    EXPECT_TRUE(arc[3].y == 220 + 200 * 0.016f && arc[3].vy == 200.0f && arc[3].x == screenX(300.0f));
    EXPECT_FLOAT_EQ(arc[0].x, parkPosition.x - 3.36f);  // parked records drift but do not fall
    EXPECT_EQ(arc[0].y, 174.0f);

    for (int i = 0; i < 7; ++i) armVolleyShot(pool, i, 0);
    EXPECT_EQ(arc[3].y, 220.0f);  // still falling: not re-armed, but back in the arc
    moveVolleyPool(pool);
    EXPECT_FLOAT_EQ(arc[6].x, screenX(300.0f) + 3.36f);
    armVolleyShot(pool, 7, 0);  // not in the group it names
    EXPECT_EQ(arc[7].active, 0);
}

TEST_F(FallingVolleys, PairsAndSpreadArcsPlaceTheirGroups) {
    const int pairs = findVolleyPool(3, 4);  // XL 80, XR 320, Y 180, ALT20
    VolleyShot* pair = volleyPoolRecords(pairs);
    armVolleyShot(pairs, 1, 0);
    EXPECT_TRUE(pair[0].x == screenX(180.0f) && pair[0].y == parkPosition.y && pair[0].active == 0);
    EXPECT_TRUE(pair[1].x == screenX(420.0f) && pair[1].y == 200.0f && pair[1].active == 1);
    moveVolleyPool(pairs);
    EXPECT_FLOAT_EQ(pair[0].x, screenX(180.0f) - 0.32f);
    EXPECT_FLOAT_EQ(pair[1].x, screenX(420.0f) + 0.32f);

    const int spread = findVolleyPool(2, 8);
    VolleyShot* group = volleyPoolRecords(spread) + 5;
    armVolleyShot(spread, 7, 5);
    const float xs[5] = {176, 198, 220, 242, 264}, ys[5] = {70, 93, 100, 93, 70};
    for (int p = 0; p < 5; ++p) EXPECT_TRUE(group[p].x == screenX(xs[p]) && group[p].y == ys[p]) << p;

    const int sliding = findVolleyPool(3, 5);  // FAN5 and 90 px/s to the right
    VolleyShot& first = volleyPoolRecords(sliding)[0];
    armVolleyShot(sliding, 0, 0);
    moveVolleyPool(sliding);
    EXPECT_FLOAT_EQ(first.x, screenX(250.0f) - 1.6f + 1.44f);
    EXPECT_TRUE(first.vx == 90.0f && first.y == 80 + 110 * 0.016f);
}

TEST_F(FallingVolleys, OnlyAShotBelow600RetiresAndAParkedShotCannotHit) {
    const int pool = findVolleyPool(3, 2);  // V 200, box -10..30; 0..30
    VolleyShot* pair = volleyPoolRecords(pool);
    frameTime = 1.0f / 64;  // a fall of 3.125 px: exact sums
    armVolleyShot(pool, 0, 0);
    armVolleyShot(pool, 1, 0);
    pair[0].y = 596.875f;
    pair[1].y = 597.0f;
    playerX = pair[1].x + 10;  // where pair[1] falls to, had it stayed
    playerY = 575;
    moveVolleyPool(pool);
    EXPECT_TRUE(pair[0].active == 1 && pair[0].y == 600.0f);
    EXPECT_TRUE(pair[1].active == 0 && pair[1].x == parkPosition.x && pair[1].y == parkPosition.y);
    EXPECT_EQ(playerAlive, 1);

    playerX = pair[0].x + 10;  // dx -10 and dy 30: both edges count
    playerY = 570;
    frameTime = 0;
    moveVolleyPool(pool);
    EXPECT_EQ(playerAlive, 0);

    VolleyShot& segment = segmentedPoolRecords(1)[1];  // the segmented columns fall by the same mover
    segment.active = 1;
    segment.y = 100;
    frameTime = 0.016f;
    moveSegmentedPool(1);
    EXPECT_FLOAT_EQ(segment.y, 101.92f);
}

}  // namespace
