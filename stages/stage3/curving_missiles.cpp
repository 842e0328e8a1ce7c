#include "stages/stage3/curving_missiles.h"

int32_t missileStreamCounters[MissileStreamCount];
CurvingMissile curvingMissileRecords[totalRecordCount(missileStreamPools)];

CurvingMissile* missileStreamPoolRecords(int pool) {
    return recordsOfPool(curvingMissileRecords, missileStreamPools, missileStreamPoolFirst, pool);
}

void drawMissileStreamPool(int pool) { drawPoolRow(missileStreamPoolRecords(pool), missileStreamPools, pool); }

void parkMissileStreamPools() {
    for (int32_t& counter : missileStreamCounters) counter = 0;
    for (CurvingMissile& r : curvingMissileRecords) parkCurvingMissile(r);
}
