#include "stages/stage1/shot_pools.h"

AimedShot aimedShotRecords[totalRecordCount(aimedPools)];
VolleyShot volleyShotRecords[totalRecordCount(volleyPools)];
VolleyShot segmentedShotRecords[totalRecordCount(segmentedPools)];
FanShot fanShotRecords[totalRecordCount(fanPools)];
SweepShot sweepShotRecords[totalRecordCount(sweepPools)];
VolleyShot salvoShotRecords[totalRecordCount(salvoPools)];
FanShot ringShotRecords[totalRecordCount(ringPools)];
CurvingMissile curvingMissileRecords[totalRecordCount(missileStreamPools)];

namespace {

template <typename Record, typename Row, std::size_t N, std::size_t M>
Record* recordsOf(Record (&storage)[M], const Row (&)[N], const std::array<int32_t, N>& first, int pool) {
    if (pool < 0 || static_cast<std::size_t>(pool) >= N) return nullptr;
    return storage + first[static_cast<std::size_t>(pool)];
}

template <typename Record, typename Row, std::size_t N>
void drawRow(Record* records, const Row (&rows)[N], int pool) {
    if (records == nullptr || pool < 0 || static_cast<std::size_t>(pool) >= N) return;
    const Row& row = rows[static_cast<std::size_t>(pool)];
    drawShotPool(records, row.count, row.draw);
}

}  // namespace

AimedShot* aimedPoolRecords(int pool) { return recordsOf(aimedShotRecords, aimedPools, aimedPoolFirst, pool); }
VolleyShot* volleyPoolRecords(int pool) {
    return recordsOf(volleyShotRecords, volleyPools, volleyPoolFirst, pool);
}
VolleyShot* segmentedPoolRecords(int pool) {
    return recordsOf(segmentedShotRecords, segmentedPools, segmentedPoolFirst, pool);
}
FanShot* fanPoolRecords(int pool) { return recordsOf(fanShotRecords, fanPools, fanPoolFirst, pool); }
SweepShot* sweepPoolRecords(int pool) { return recordsOf(sweepShotRecords, sweepPools, sweepPoolFirst, pool); }
VolleyShot* salvoPoolRecords(int pool) { return recordsOf(salvoShotRecords, salvoPools, salvoPoolFirst, pool); }
FanShot* ringPoolRecords(int pool) { return recordsOf(ringShotRecords, ringPools, ringPoolFirst, pool); }
CurvingMissile* missileStreamPoolRecords(int pool) {
    return recordsOf(curvingMissileRecords, missileStreamPools, missileStreamPoolFirst, pool);
}

void drawAimedPool(int pool) { drawRow(aimedPoolRecords(pool), aimedPools, pool); }
void drawVolleyPool(int pool) { drawRow(volleyPoolRecords(pool), volleyPools, pool); }
void drawSegmentedPool(int pool) { drawRow(segmentedPoolRecords(pool), segmentedPools, pool); }
void drawFanPool(int pool) { drawRow(fanPoolRecords(pool), fanPools, pool); }
void drawSweepPool(int pool) { drawRow(sweepPoolRecords(pool), sweepPools, pool); }
void drawSalvoPool(int pool) { drawRow(salvoPoolRecords(pool), salvoPools, pool); }
void drawRingPool(int pool) { drawRow(ringPoolRecords(pool), ringPools, pool); }
void drawMissileStreamPool(int pool) { drawRow(missileStreamPoolRecords(pool), missileStreamPools, pool); }
