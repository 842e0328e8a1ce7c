#include "stages/stage1/ring_spirals.h"

#include "game/shots/fan.h"

int32_t boss1RingCounters[RingPoolCount];
FanShot ringShotRecords[totalRecordCount(ringPools)];

namespace {

const RingPool* rowOf(int pool) { return (pool >= 0 && pool < RingPoolCount) ? &ringPools[pool] : nullptr; }

}  // namespace

FanShot* ringPoolRecords(int pool) { return recordsOfPool(ringShotRecords, ringPools, ringPoolFirst, pool); }

void tickRingTimer(int pool) {
    if (rowOf(pool) == nullptr) return;
    int32_t& counter = boss1RingCounters[pool];
    const int32_t old = counter;
    counter = (old >= ringCounterEnd) ? ringCounterStart : old + 1;
    if (counter == ringCounterStart) spawnRingShot(pool, 0, 0);
    for (int k = 1; k < RingArmedRecords; ++k) {
        if (old == 10 * k + 9) spawnRingShot(pool, k, k);
    }
}

void spawnRingShot(int pool, int k, int a) {
    const RingPool* row = rowOf(pool);
    if (row == nullptr || k < 0 || k >= row->count) return;
    FanShot& shot = ringPoolRecords(pool)[k];
    if (shot.active != 0) return;
    shot.active = 1;
    shot.speed = ringShotSpeed;
    shot.x = boss1.x + row->startX;
    shot.y = boss1.y + row->startY;
    shot.angle = static_cast<float>(row->turnSign * a * ringTurnDegrees * PiD / 180.0);
}

void moveRingPool(int pool) {
    const RingPool* row = rowOf(pool);
    if (row == nullptr) return;
    moveFanShots(ringPoolRecords(pool), row->count, FanShotSize::Small, true, static_cast<float>(row->moverSign));
}

void drawRingPool(int pool) { drawPoolRow(ringPoolRecords(pool), ringPools, pool); }

void parkRingPools() {
    for (int32_t& counter : boss1RingCounters) counter = 0;
    for (FanShot& r : ringShotRecords) parkFanShot(r, fanPhases);
}
