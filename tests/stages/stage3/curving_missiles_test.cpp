// The stage's own pool table fits its records, as the kit's families do.
#include "stages/stage3/curving_missiles.h"

#include <gtest/gtest.h>

#include "support/pool_tables.h"

namespace {

TEST(PoolTables, MissileStreamsHaveTheirOwnRecordsAndKnownImages) {
    testsupport::expectRowsFit(curvingMissileRecords, missileStreamPools, missileStreamPoolRecords);
}

}  // namespace
