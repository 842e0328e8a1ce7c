#include "game/shots/fan.h"

#include "game/mid_bosses.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/shots/volley.h"
#include "game/turning_enemies.h"

FanShot fanShotRecords[totalRecordCount(fanPools)];

namespace {

bool validFanPool(int pool) { return pool >= 0 && pool < FanPoolCount; }

static_assert(std::size(fanShotSizes) == 2 && static_cast<int>(FanShotSize::Large) == 1);
// A three-shot fan spans -12 .. +12 degrees: its half width is one step.
static_assert(2.0f * fanHalfStep == fanStep);

constexpr float armMuzzleBase = 30.0f;

}  // namespace

FanShot* fanPoolRecords(int pool) { return recordsOfPool(fanShotRecords, fanPools, fanPoolFirst, pool); }

Position fanOwnerOrigin(const FanPool& row) {
    switch (row.owner) {
    case FanOwner::Boss:
        return shotOwnerOrigin(stageBoss(row.stage));
    case FanOwner::TurningEnemy:
        return shotOwnerOrigin(turningEnemyOwner(row.ownerIndex));
    case FanOwner::LeftArm:
    case FanOwner::RightArm: {
        const ArmSide side = row.owner == FanOwner::LeftArm ? ArmSide::Left : ArmSide::Right;
        const EnemySlot* parts = armParts(row.ownerIndex, side);
        if (parts != nullptr) return {parts[0].x + armMuzzleBase, parts[0].y};
        break;
    }
    }
    return parkPosition;
}

void tickFanWaves(int pool) {
    FanShot* records = fanPoolRecords(pool);
    if (records == nullptr) return;
    const FanPool& row = fanPools[pool];
    tickFireTimer(records, row.count, row.shotsPerWave, row.cycle, row.fireCounts, &FanShot::waveCounter,
                  [pool](int i, int first) { spawnFanShot(pool, i, first); });
}

void spawnFanShot(int pool, int i, int first) {
    FanShot* records = fanPoolRecords(pool);
    if (records == nullptr) return;
    const FanPool& row = fanPools[pool];
    if (i < 0 || i >= row.count) return;
    FanShot& shot = records[i];
    if (shot.active != 0) return;
    const Position origin = fanOwnerOrigin(row);
    shot.active = 1;
    shot.speed = row.speed;
    shot.x = shot.startX = origin.x + row.muzzleX;
    shot.y = shot.startY = origin.y + row.muzzleY;
    const float turn = row.spread == FanSpread::Ring
                           ? static_cast<float>(i) * ringStep
                           : static_cast<float>(i - first) * fanStep -
                                 static_cast<float>(row.shotsPerWave - 1) * fanHalfStep;
    const FanShotSizeRule& size = fanShotSizes[static_cast<int>(row.size)];
    shot.angle = aimAngle(shot.x, shot.y, size.aimOffset, turn, shot.dx, shot.dy);
}

void moveFanShots(FanShot* records, int count, FanShotSize size, bool retiresOnClear, float flightSign) {
    if (records == nullptr) return;
    const FanShotSizeRule& rule = fanShotSizes[static_cast<int>(size)];
    const bool clearing = retiresOnClear && clearShots == 1;
    int32_t aliveCopy = playerAlive;
    for (int i = 0; i < count; ++i) {
        FanShot& shot = records[i];
        if (shot.active == 0) continue;
        flyAlongAngle(shot.x, shot.y, shot.angle, shot.speed, flightSign);
        if (shot.x > fanShotRight || shot.x < rule.left || shot.y > fanShotBottom || shot.y < rule.top || clearing) {
            shot.active = 0;
            parkRecord(shot);
        }
        testPlayerHit(aliveCopy, shot.x, shot.y, rule.box);
    }
}

void moveFanShotPool(int pool) {
    if (!validFanPool(pool)) return;
    const FanPool& row = fanPools[pool];
    moveFanShots(fanPoolRecords(pool), row.count, row.size, row.retiresOnClear != 0, 1.0f);
}

void drawFanPool(int pool) { drawPoolRow(fanPoolRecords(pool), fanPools, pool); }

void drawFanPoolInStyle(int pool, int style) {
    if (!validFanPool(pool)) return;
    if (style == 1) drawFanPool(pool);
    if (style == 2) drawShotPool(fanPoolRecords(pool), fanPools[pool].count, plainVal40l2);
}

void tickSegmentedWaves(int pool) {
    if (VolleyShot* records = segmentedPoolRecords(pool)) tickVolleyRecords(segmentedPools[pool], records);
}

void spawnSegmentedShot(int pool, int i, int first) {
    if (VolleyShot* records = segmentedPoolRecords(pool)) armVolleyRecord(segmentedPools[pool], records, i, first);
}

int32_t fanPhaseCount(const FanPool& pool) {
    return (pool.recordType == ShotRecordType::CompactFan && pool.spread == FanSpread::Ring) ? stage2RingPhases
                                                                                             : fanPhases;
}

void parkFanPools(FanOwner owner, ShotRecordType type) {
    for (int p = 0; p < FanPoolCount; ++p) {
        if (fanPools[p].owner != owner || fanPools[p].recordType != type) continue;
        FanShot* records = fanPoolRecords(p);
        for (int i = 0; i < fanPools[p].count; ++i) parkFanShot(records[i], fanPhaseCount(fanPools[p]));
    }
}
