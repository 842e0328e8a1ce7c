// Consistency of the pool tables: every row's records, names, shapes and
// images fit together, so the family routines can trust the rows.
#include "stages/stage1/shot_pools.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

bool isAssetSlotGlobal(const int32_t* global) {
    for (const ImageAsset& asset : imageAssets) {
        if (asset.global == global) return true;
    }
    return false;
}

template <typename Row, std::size_t N>
std::vector<int> ordinalsOf(const Row (&rows)[N], int stage) {
    std::vector<int> ordinals;
    for (const Row& row : rows) {
        if (row.stage == stage) ordinals.push_back(row.ordinal);
    }
    return ordinals;
}

std::vector<int> range(int from, int to) {
    std::vector<int> values;
    for (int v = from; v <= to; ++v) values.push_back(v);
    return values;
}

// Each pool's records are its own slice of the family's array: pools follow
// one another without gaps or overlaps, and together fill the array.
template <typename Record, std::size_t M, typename Row, std::size_t N>
void expectPoolsTileStorage(Record (&storage)[M], const Row (&rows)[N], Record* (*recordsOf)(int)) {
    Record* next = storage;
    for (std::size_t i = 0; i < N; ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(rows[i].count, 0);
        EXPECT_EQ(recordsOf(static_cast<int>(i)), next);
        next += rows[i].count;
    }
    EXPECT_EQ(next, storage + M);
    EXPECT_EQ(recordsOf(-1), nullptr);
    EXPECT_EQ(recordsOf(static_cast<int>(N)), nullptr);
}

TEST(PoolTables, EveryPoolHasItsOwnRecords) {
    expectPoolsTileStorage(aimedShotRecords, aimedPools, aimedPoolRecords);
    expectPoolsTileStorage(volleyShotRecords, volleyPools, volleyPoolRecords);
    expectPoolsTileStorage(segmentedShotRecords, segmentedPools, segmentedPoolRecords);
    expectPoolsTileStorage(fanShotRecords, fanPools, fanPoolRecords);
    expectPoolsTileStorage(sweepShotRecords, sweepPools, sweepPoolRecords);
    expectPoolsTileStorage(salvoShotRecords, salvoPools, salvoPoolRecords);
    expectPoolsTileStorage(ringShotRecords, ringPools, ringPoolRecords);
    expectPoolsTileStorage(curvingMissileRecords, missileStreamPools, missileStreamPoolRecords);
}

TEST(PoolTables, PoolsAreNamedByStageAndOrdinalWithoutGapsOrRepeats) {
    // Stage-1 aimed pools 1 and 9 are never armed and not built.
    EXPECT_EQ(ordinalsOf(aimedPools, 1), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 10}));
    EXPECT_EQ(ordinalsOf(aimedPools, 2), range(1, 12));
    EXPECT_EQ(ordinalsOf(aimedPools, 3), range(1, 20));
    EXPECT_EQ(ordinalsOf(volleyPools, 1), range(1, 5));
    EXPECT_EQ(ordinalsOf(volleyPools, 2), range(1, 9));
    EXPECT_EQ(ordinalsOf(volleyPools, 3), range(1, 8));
    EXPECT_EQ(ordinalsOf(segmentedPools, 1), range(1, 2));
    EXPECT_EQ(ordinalsOf(fanPools, 1), range(1, 4));
    EXPECT_EQ(ordinalsOf(fanPools, 2), range(1, 9));
    EXPECT_EQ(ordinalsOf(fanPools, 3), range(1, 23));
    EXPECT_EQ(ordinalsOf(sweepPools, 2), range(1, 2));
    EXPECT_EQ(ordinalsOf(sweepPools, 3), range(1, 4));
    EXPECT_EQ(ordinalsOf(salvoPools, 2), range(1, 9));
    EXPECT_EQ(ordinalsOf(ringPools, 1), range(1, 6));
    EXPECT_EQ(ordinalsOf(missileStreamPools, 3), range(1, 6));
    EXPECT_EQ(AimedPoolCount + VolleyPoolCount + SegmentedPoolCount + FanPoolCount + SweepPoolCount +
                  SalvoPoolCount + RingPoolCount + MissileStreamCount,
              40 + 22 + 2 + 36 + 6 + 9 + 6 + 6);
}

TEST(PoolTables, PoolsAreFoundByName) {
    static_assert(findAimedPool(1, 2) == 0);
    static_assert(findAimedPool(1, 10) == 7);
    static_assert(findAimedPool(1, 1) == -1 && findAimedPool(1, 9) == -1);
    EXPECT_EQ(aimedPools[findAimedPool(3, 16)].count, 8);
    EXPECT_EQ(aimedPools[findAimedPool(3, 16)].sideStep, SideStep::Left);
    EXPECT_EQ(aimedPools[findAimedPool(3, 18)].sideStep, SideStep::Right);
    EXPECT_EQ(volleyPools[findVolleyPool(2, 8)].shape, VolleyShape::SpreadArc);
    EXPECT_EQ(fanPools[findFanPool(2, 9)].spread, FanSpread::Ring);
    EXPECT_EQ(fanPools[findFanPool(3, 23)].muzzleX, 360.0f);
    EXPECT_EQ(sweepPools[findSweepPool(2, 2)].startX, 285.0f);
    EXPECT_EQ(salvoPools[findSalvoPool(2, 9)].count, 4);
    EXPECT_EQ(missileStreamPools[findMissileStreamPool(3, 5)].timerRate, 40.0f);
    EXPECT_EQ(findFanPool(1, 5), -1);
    EXPECT_EQ(findVolleyPool(4, 1), -1);
    EXPECT_EQ(findSegmentedPool(1, 3), -1);
}

TEST(PoolTables, EveryImageIsAnAssetOfTheList) {
    std::vector<const ShotPoolDraw*> draws;
    for (const auto& row : aimedPools) draws.push_back(&row.draw);
    for (const auto& row : volleyPools) draws.push_back(&row.draw);
    for (const auto& row : segmentedPools) draws.push_back(&row.draw);
    for (const auto& row : fanPools) draws.push_back(&row.draw);
    for (const auto& row : sweepPools) draws.push_back(&row.draw);
    for (const auto& row : salvoPools) draws.push_back(&row.draw);
    for (const auto& row : ringPools) draws.push_back(&row.draw);
    for (const auto& row : missileStreamPools) draws.push_back(&row.draw);
    for (const ShotPoolDraw* draw : draws) {
        EXPECT_TRUE(isAssetSlotGlobal(draw->image));
        EXPECT_GT(draw->width, 0);
        EXPECT_GT(draw->height, 0);
        if (draw->style == DrawStyle::SweepLine) {
            EXPECT_TRUE(isAssetSlotGlobal(draw->secondImage));
        } else {
            EXPECT_EQ(draw->secondImage, nullptr);
        }
        if (draw->style == DrawStyle::Animated) {
            EXPECT_GT(draw->frames, 0);
        }
    }
}

// The drift pattern a volley row names, with its length.
std::pair<const float*, int> knownDrift(const float* drift) {
    const std::pair<const float*, int> patterns[] = {
        {driftArc7, 7}, {driftFan5, 5}, {driftFan5Edge, 5}, {driftAlt120, 2},
        {driftAlt20, 2}, {driftSeg3Right, 3}, {driftSeg3Left, 3},
    };
    for (const auto& pattern : patterns) {
        if (pattern.first == drift) return pattern;
    }
    return {nullptr, 0};
}

void expectVolleyRowFits(const VolleyPool& pool) {
    SCOPED_TRACE(testing::Message() << "stage " << pool.stage << " pool " << pool.ordinal);
    ASSERT_GT(pool.groupSize, 0);
    EXPECT_EQ(pool.count % pool.groupSize, 0);
    const int groups = pool.count / pool.groupSize;
    EXPECT_LE(groups, MaxVolleyGroups);
    EXPECT_LE(pool.groupSize, MaxGroupSize);
    // Fire counts rise group by group; all but the never-armed tail pairs lie inside the cycle.
    for (int g = 1; g < groups; ++g) {
        EXPECT_LT(pool.fireCounts[g - 1], pool.fireCounts[g]);
    }
    EXPECT_GT(pool.fireCounts[0], 0);
    EXPECT_LT(pool.fireCounts[0], pool.cycle);
    if (pool.drift != nullptr) {
        EXPECT_EQ(knownDrift(pool.drift).second, pool.groupSize);
    }
    switch (pool.shape) {
    case VolleyShape::Pair:
        EXPECT_EQ(pool.groupSize, 2);
        EXPECT_LT(pool.shapeX[0], pool.shapeX[1]);
        break;
    case VolleyShape::Column:
        EXPECT_EQ(pool.groupSize, 3);
        break;
    case VolleyShape::Arc:
    case VolleyShape::SpreadArc:
        // A symmetric arc, deepest in the middle.
        for (int p = 0; p < pool.groupSize; ++p) {
            EXPECT_EQ(pool.shapeY[p], pool.shapeY[pool.groupSize - 1 - p]);
            EXPECT_GT(pool.shapeY[p], 0.0f);
        }
        EXPECT_GT(pool.shapeY[pool.groupSize / 2], pool.shapeY[0]);
        break;
    }
    EXPECT_LE(pool.box.x0, pool.box.x1);
    EXPECT_LE(pool.box.y0, pool.box.y1);
    // A chain shows each group as one picture of G cells.
    if (pool.draw.style == DrawStyle::Chain) {
        EXPECT_EQ(pool.draw.frames, pool.groupSize);
    }
    // The alternating draw shows the two shots of a pair.
    if (pool.draw.style == DrawStyle::Alternating) {
        EXPECT_EQ(pool.groupSize, 2);
    }
}

TEST(PoolTables, VolleyRowsFitTheirShapes) {
    for (const VolleyPool& pool : volleyPools) expectVolleyRowFits(pool);
    for (const VolleyPool& pool : segmentedPools) expectVolleyRowFits(pool);
    // Pairs 9 and 10 of the 150-cycle pair pools keep counts that never fire.
    const VolleyPool& pairs = volleyPools[findVolleyPool(1, 2)];
    EXPECT_GE(pairs.fireCounts[8], pairs.cycle);
    EXPECT_GE(pairs.fireCounts[9], pairs.cycle);
}

TEST(PoolTables, FanRowsFitTheirWaves) {
    for (const FanPool& pool : fanPools) {
        SCOPED_TRACE(testing::Message() << "stage " << pool.stage << " pool " << pool.ordinal);
        ASSERT_GT(pool.shotsPerWave, 0);
        EXPECT_EQ(pool.count % pool.shotsPerWave, 0);
        const int waves = pool.count / pool.shotsPerWave;
        EXPECT_LE(waves, MaxFanWaves);
        for (int g = 0; g < waves; ++g) {
            EXPECT_GT(pool.fireCounts[g], 0);
            EXPECT_LT(pool.fireCounts[g], pool.cycle);
            if (g > 0) {
                EXPECT_LT(pool.fireCounts[g - 1], pool.fireCounts[g]);
            }
        }
        if (pool.spread == FanSpread::Fan) {
            EXPECT_EQ(pool.shotsPerWave % 2, 1);  // the middle shot flies at the aim point
        } else {
            EXPECT_EQ(pool.shotsPerWave, 12);  // a full circle in 30 degree steps
        }
        EXPECT_TRUE(pool.recordType == ShotRecordType::Fan || pool.recordType == ShotRecordType::CompactFan);
        // The picture matches the size: 20x20 small, 39x39 large.
        const int32_t side = pool.size == FanShotSize::Small ? 20 : 39;
        EXPECT_EQ(pool.draw.width, side);
        EXPECT_EQ(pool.draw.height, side);
    }
    // The triples of stage 3 mirror their side muzzles about the centre one.
    for (int first = 1; first <= 19; first += 3) {
        const FanPool& centre = fanPools[findFanPool(3, first)];
        const FanPool& left = fanPools[findFanPool(3, first + 1)];
        const FanPool& right = fanPools[findFanPool(3, first + 2)];
        EXPECT_EQ(centre.muzzleX, 200.0f);
        EXPECT_EQ(centre.muzzleX - left.muzzleX, right.muzzleX - centre.muzzleX);
        EXPECT_EQ(left.count, centre.count);
        EXPECT_EQ(right.count, centre.count);
    }
}

TEST(PoolTables, AimedRowsFitTheirSpeedTables) {
    for (const AimedPool& pool : aimedPools) {
        SCOPED_TRACE(testing::Message() << "stage " << pool.stage << " pool " << pool.ordinal);
        const bool eight = pool.speeds == aimedSpeedsS8;
        EXPECT_EQ(pool.count, eight ? 8 : 5);
        EXPECT_EQ(eight, pool.sideStep != SideStep::None);
        // Record 0 is the slowest, so it is always the rear of the line.
        for (int k = 1; k < pool.count; ++k) {
            EXPECT_LT(pool.speeds[k - 1], pool.speeds[k]);
        }
        EXPECT_EQ(pool.draw.style, DrawStyle::Plain);
    }
}

TEST(PoolTables, SweepSalvoRingAndMissileRowsFit) {
    for (const SweepPool& pool : sweepPools) {
        EXPECT_EQ(pool.count, SweepRecordCount);
        EXPECT_EQ(pool.side == -1, pool.startAngle < 0.0f);  // left-going lines start up-left
        EXPECT_EQ(pool.draw.style, DrawStyle::SweepLine);
        EXPECT_EQ(pool.draw.image, pool.side < 0 ? &imgVal3017a : &imgVal3018a);
    }
    for (const SalvoPool& pool : salvoPools) {
        ASSERT_LE(pool.count, MaxSalvoRecords);
        float sum = 0;
        for (int k = 0; k < pool.count; ++k) sum += pool.push[k];
        EXPECT_EQ(sum, 0.0f);  // the cluster spreads evenly both ways
        EXPECT_EQ(pool.draw.style, DrawStyle::Animated);
        EXPECT_EQ(pool.draw.frames, 16);
    }
    for (const RingPool& pool : ringPools) {
        EXPECT_EQ(pool.count, RingRecordCount);
        EXPECT_EQ(pool.turnSign, pool.moverSign);
    }
    for (const MissileStreamPool& pool : missileStreamPools) {
        SCOPED_TRACE(pool.ordinal);
        EXPECT_EQ(pool.count, MissileStreamRecordCount);
        EXPECT_EQ(pool.stepXSign, pool.ordinal % 2 == 1 ? 1 : -1);
        EXPECT_EQ(pool.draw.style, DrawStyle::ActiveOnly);
        // Bands rise without overlapping; every band falls by 6 once the missile tips over.
        for (int b = 0; b < pool.bandCount; ++b) {
            EXPECT_LE(pool.bands[b].low, pool.bands[b].high);
            if (b > 0) {
                EXPECT_LT(pool.bands[b - 1].high, pool.bands[b].low);
            }
            if (b >= 2) {
                EXPECT_EQ(pool.bands[b].stepY, 6);
            }
        }
    }
    // The mirrored streams share one band table.
    EXPECT_EQ(missileStreamPools[0].bands, missileStreamPools[1].bands);
    EXPECT_EQ(missileStreamPools[4].bandCount, 14);
    EXPECT_EQ(missileStreamPools[4].bands[13].high, 280.0f);
}

TEST(PoolTables, RightHandBoundsFollowTheBuild) {
    EXPECT_EQ(aimedLineRight, variant::windowed ? 360.0f : 800.0f);
    EXPECT_EQ(fanShotRight, aimedLineRight);
    EXPECT_EQ(sweepLineRight, aimedLineRight);
    EXPECT_EQ(ringShotRight, aimedLineRight);
}

}  // namespace
