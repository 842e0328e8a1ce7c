#include "game/shots/volley.h"

#include "engine/eng_system.h"
#include "game/player.h"

namespace {

// Every row's lists fit its groups, so that no routine reads past them.
constexpr bool rowFits(const VolleyPool& row) {
    if (row.groupSize < 1 || row.groupSize > MaxGroupSize || row.count % row.groupSize != 0) return false;
    if (row.cycle < 1 || row.fireCounts.size() > static_cast<std::size_t>(row.count / row.groupSize)) return false;
    if (!row.drift.empty() && row.drift.size() != static_cast<std::size_t>(row.groupSize)) return false;
    if (row.shape == VolleyShape::Pair) return row.groupSize == 2;
    if (row.shape == VolleyShape::SpreadArc) return row.groupSize == static_cast<int32_t>(std::size(spreadArcX));
    return true;
}
template <std::size_t N>
constexpr bool rowsFit(const VolleyPool (&rows)[N]) {
    for (const VolleyPool& row : rows) {
        if (!rowFits(row)) return false;
    }
    return true;
}
static_assert(rowsFit(volleyPools) && rowsFit(segmentedPools));

const VolleyPool* rowOf(const VolleyPool* rows, int rowCount, int pool) {
    return (pool >= 0 && pool < rowCount) ? &rows[pool] : nullptr;
}

// The arc and the column keep x of the armed record and the height profile
// of the whole group; the pair the two x of the pair and y of the armed
// record; the spread arc both, for the whole group.
void placeGroup(const VolleyPool& row, VolleyShot* records, int i, int first) {
    const BossBody& boss = bossOfStage(row.stage);
    const float bx = boss.x, by = boss.y;
    switch (row.shape) {
    case VolleyShape::Arc:
    case VolleyShape::Column:
        records[i].x = bx + row.shapeX[0];
        for (int place = 0; place < row.groupSize; ++place) records[first + place].y = by + row.shapeY[place];
        break;
    case VolleyShape::Pair:
        records[first].x = bx + row.shapeX[0];
        records[first + 1].x = bx + row.shapeX[1];
        records[i].y = by + row.shapeY[0];
        break;
    case VolleyShape::SpreadArc:
        for (int place = 0; place < row.groupSize; ++place) {
            records[first + place].x = bx + row.shapeX[0] + spreadArcX[place];
            records[first + place].y = by + row.shapeY[place];
        }
        break;
    }
}

}  // namespace

VolleyShot volleyShotRecords[totalRecordCount(volleyPools)];
VolleyShot segmentedShotRecords[totalRecordCount(segmentedPools)];

VolleyShot* volleyPoolRecords(int pool) {
    return recordsOfPool(volleyShotRecords, volleyPools, volleyPoolFirst, pool);
}
VolleyShot* segmentedPoolRecords(int pool) {
    return recordsOfPool(segmentedShotRecords, segmentedPools, segmentedPoolFirst, pool);
}

void tickVolleyRecords(const VolleyPool& row, VolleyShot* records) {
    tickFireTimer(records, row.count, row.groupSize, row.cycle, row.fireCounts, &VolleyShot::timerCounter,
                  [&row, records](int i, int first) { armVolleyRecord(row, records, i, first); });
}

void armVolleyRecord(const VolleyPool& row, VolleyShot* records, int i, int first) {
    // The group must lie inside the pool and hold record i.
    if (first < 0 || first % row.groupSize != 0 || first + row.groupSize > row.count) return;
    if (i < first || i >= first + row.groupSize) return;
    if (records[i].active != 0) return;
    records[i].active = 1;
    placeGroup(row, records, i, first);
}

void moveVolleyRecords(const VolleyPool& row, VolleyShot* records) {
    if (!row.drift.empty()) {
        for (int i = 0; i < row.count; ++i) {
            records[i].x += row.drift[static_cast<std::size_t>(i % row.groupSize)] * frameTime;
        }
    }
    int32_t aliveCopy = playerAlive;
    for (int i = 0; i < row.count; ++i) {
        VolleyShot& shot = records[i];
        if (shot.active == 0) continue;
        shot.vy = row.fallSpeed;
        if (row.sidewaysSpeed != 0.0f) shot.vx = row.sidewaysSpeed;
        shot.y += row.fallSpeed * frameTime;
        if (row.sidewaysSpeed != 0.0f) shot.x += row.sidewaysSpeed * frameTime;
        if (shot.y > volleyBottom) {
            shot.active = 0;
            parkRecord(shot);
        }
        testPlayerHit(aliveCopy, shot.x, shot.y, row.box);
    }
}

void tickVolleyTimers(int pool) {
    if (const VolleyPool* row = rowOf(volleyPools, VolleyPoolCount, pool)) {
        tickVolleyRecords(*row, volleyPoolRecords(pool));
    }
}

void armVolleyShot(int pool, int i, int first) {
    if (const VolleyPool* row = rowOf(volleyPools, VolleyPoolCount, pool)) {
        armVolleyRecord(*row, volleyPoolRecords(pool), i, first);
    }
}

void moveVolleyPool(int pool) {
    if (const VolleyPool* row = rowOf(volleyPools, VolleyPoolCount, pool)) {
        moveVolleyRecords(*row, volleyPoolRecords(pool));
    }
}

void moveSegmentedPool(int pool) {
    if (const VolleyPool* row = rowOf(segmentedPools, SegmentedPoolCount, pool)) {
        moveVolleyRecords(*row, segmentedPoolRecords(pool));
    }
}

void drawVolleyPool(int pool) { drawPoolRow(volleyPoolRecords(pool), volleyPools, pool); }
void drawSegmentedPool(int pool) { drawPoolRow(segmentedPoolRecords(pool), segmentedPools, pool); }

void parkVolleyPools() {
    for (VolleyShot& r : volleyShotRecords) parkVolleyShot(r);
    for (VolleyShot& r : segmentedShotRecords) parkVolleyShot(r);
}
