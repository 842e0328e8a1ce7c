#include "stages/stage1/ring_spirals.h"

#include "game/play_state.h"
#include "engine/eng_system.h"
#include "game/player.h"
#include "game/shots/fan.h"

int32_t boss1RingCounters[RingPoolCount];
FanShot ringShotRecords[totalRecordCount(ringPools)];

namespace {

const RingPool* rowOf(int pool) { return (pool >= 0 && pool < RingPoolCount) ? &ringPools[pool] : nullptr; }

bool ringShotGone(const FanShot& shot) {
    return shot.x > ringShotRight || shot.x < ringShotLeft || shot.y > ringShotBottom || shot.y < ringShotTop ||
           clearShots == 1;
}

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
    FanShot* records = ringPoolRecords(pool);
    const float sign = static_cast<float>(row->moverSign);
    int32_t aliveCopy = playerAlive;
    for (int k = 0; k < row->count; ++k) {
        FanShot& shot = records[k];
        if (shot.active == 0) continue;
        // One frame's steps along the angle, added or (sign -1) taken away.
        float stepX = 0.0f, stepY = 0.0f;
        flyAlongAngle(stepX, stepY, shot.angle, shot.speed);
        shot.x += sign * stepX;
        shot.y += sign * stepY;
        if (ringShotGone(shot)) {
            shot.active = 0;
            parkRecord(shot);
        }
        testPlayerHit(aliveCopy, shot.x, shot.y, ringShotBox);
    }
}

void drawRingPool(int pool) { drawPoolRow(ringPoolRecords(pool), ringPools, pool); }

void parkRingPools() {
    for (int32_t& counter : boss1RingCounters) counter = 0;
    for (FanShot& r : ringShotRecords) parkFanShot(r, fanPhases);
}
