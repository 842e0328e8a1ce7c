#include "stages/stage1/ring_spirals.h"

#include "game/shots/fan.h"

int32_t boss1RingCounters[RingPoolCount];
FanShot ringShotRecords[totalRecordCount(ringPools)];

FanShot* ringPoolRecords(int pool) { return recordsOfPool(ringShotRecords, ringPools, ringPoolFirst, pool); }

void drawRingPool(int pool) { drawPoolRow(ringPoolRecords(pool), ringPools, pool); }

void parkRingPools() {
    for (int32_t& counter : boss1RingCounters) counter = 0;
    for (FanShot& r : ringShotRecords) parkFanShot(r, fanPhases);
}
