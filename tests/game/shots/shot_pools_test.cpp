// Consistency of the pool tables: every row's records, names, shapes and
// images fit together, so the family routines can trust the rows.
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"

#include <gtest/gtest.h>


#include "support/pool_tables.h"

namespace {

using testsupport::expectRowsFit;

// Whether a family's pools of one stage are numbered 1, 2, ... up to the
// highest ordinal, each once, but for the ordinals of `unbuilt` (bit k set:
// ordinal k has no pool).
template <typename Row, std::size_t N>
constexpr bool numberedWithoutGaps(const Row (&rows)[N], int stage, uint32_t unbuilt = 0) {
    int highest = 0;
    for (const Row& row : rows)
        if (row.stage == stage && row.ordinal > highest) highest = row.ordinal;
    for (int ordinal = 1; ordinal <= highest; ++ordinal) {
        int rowsNamed = 0;
        for (const Row& row : rows) rowsNamed += row.stage == stage && row.ordinal == ordinal ? 1 : 0;
        if (rowsNamed != ((unbuilt >> ordinal) & 1 ? 0 : 1)) return false;
    }
    return highest > 0;
}

TEST(PoolTables, EveryPoolHasItsOwnRecordsAndKnownImages) {
    expectRowsFit(aimedShotRecords, aimedPools, aimedPoolRecords);
    expectRowsFit(volleyShotRecords, volleyPools, volleyPoolRecords);
    expectRowsFit(segmentedShotRecords, segmentedPools, segmentedPoolRecords);
    expectRowsFit(fanShotRecords, fanPools, fanPoolRecords);
    expectRowsFit(sweepShotRecords, sweepPools, sweepPoolRecords);
    expectRowsFit(salvoShotRecords, salvoPools, salvoPoolRecords);
}

TEST(PoolTables, PoolsAreNamedByStageAndOrdinalWithoutGapsOrRepeats) {
    // Stage-1 aimed pools 1 and 9 are never armed and not built.
    static_assert(findAimedPool(1, 10) == 7 && findAimedPool(1, 9) == -1);
    for (int stage = 1; stage <= 3; ++stage) {
        SCOPED_TRACE(stage);
        EXPECT_TRUE(numberedWithoutGaps(aimedPools, stage, stage == 1 ? (1u << 1) | (1u << 9) : 0));
        EXPECT_TRUE(numberedWithoutGaps(volleyPools, stage));
        EXPECT_TRUE(numberedWithoutGaps(fanPools, stage));
    }
    EXPECT_TRUE(numberedWithoutGaps(sweepPools, 3));
}

void expectVolleyRowFits(const VolleyPool& pool) {
    SCOPED_TRACE(testing::Message() << "stage " << pool.stage << " pool " << pool.ordinal);
    const int groups = pool.count / pool.groupSize;
    ASSERT_LE(groups, MaxVolleyGroups);
    // Pools 2 and 3 of stages 1 and 2 list counts for their first eight pairs only.
    const bool eightPairs = pool.stage < 3 && pool.shape == VolleyShape::Pair && pool.cycle == 150;
    EXPECT_EQ(pool.fireCounts.size(), static_cast<std::size_t>(eightPairs ? 8 : groups));
    EXPECT_LT(pool.fireCounts.back(), pool.cycle);
    for (std::size_t g = 1; g < pool.fireCounts.size(); ++g) EXPECT_LT(pool.fireCounts[g - 1], pool.fireCounts[g]);
    // A chain shows each group as one picture of G cells.
    if (pool.draw.style == DrawStyle::Chain) {
        EXPECT_EQ(pool.draw.frames, pool.groupSize);
    }
}

TEST(PoolTables, VolleyRowsFitTheirGroups) {
    for (const VolleyPool& pool : volleyPools) expectVolleyRowFits(pool);
    for (const VolleyPool& pool : segmentedPools) expectVolleyRowFits(pool);
}

TEST(PoolTables, FanRowsFitTheirWaves) {
    for (const FanPool& pool : fanPools) {
        SCOPED_TRACE(testing::Message() << "stage " << pool.stage << " pool " << pool.ordinal);
        ASSERT_EQ(pool.count % pool.shotsPerWave, 0);
        const int waves = pool.count / pool.shotsPerWave;
        ASSERT_LE(waves, MaxFanWaves);
        for (int g = 0; g < waves; ++g) {
            EXPECT_LT(pool.fireCounts[g], pool.cycle);
            if (g > 0) {
                EXPECT_LT(pool.fireCounts[g - 1], pool.fireCounts[g]);
            }
        }
        // A fan has a middle shot on the aim line; a ring is 12 shots round.
        EXPECT_EQ(pool.shotsPerWave, pool.spread == FanSpread::Ring ? 12 : pool.shotsPerWave | 1);
        // The bosses draw the shot of their size; the enemies' banks a small
        // shot 12 px in from a large shot's corner.
        if (pool.owner == FanOwner::Boss) {
            EXPECT_EQ(pool.draw.width, pool.size == FanShotSize::Small ? 20 : 39);
        } else {
            EXPECT_TRUE(pool.size == FanShotSize::Large && pool.draw.offsetX == 12 && pool.draw.offsetY == 12);
        }
    }
}

}  // namespace
