// The stage's own pool table fits its records, as the kit's families do.
#include "stages/stage1/ring_spirals.h"

#include <gtest/gtest.h>

#include "support/pool_tables.h"

namespace {

TEST(PoolTables, RingSpiralsHaveTheirOwnRecordsAndKnownImages) {
    testsupport::expectRowsFit(ringShotRecords, ringPools, ringPoolRecords);
}

}  // namespace
