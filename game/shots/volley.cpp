#include "game/shots/volley.h"

VolleyShot volleyShotRecords[totalRecordCount(volleyPools)];
VolleyShot segmentedShotRecords[totalRecordCount(segmentedPools)];

VolleyShot* volleyPoolRecords(int pool) {
    return recordsOfPool(volleyShotRecords, volleyPools, volleyPoolFirst, pool);
}
VolleyShot* segmentedPoolRecords(int pool) {
    return recordsOfPool(segmentedShotRecords, segmentedPools, segmentedPoolFirst, pool);
}

void drawVolleyPool(int pool) { drawPoolRow(volleyPoolRecords(pool), volleyPools, pool); }
void drawSegmentedPool(int pool) { drawPoolRow(segmentedPoolRecords(pool), segmentedPools, pool); }

void parkVolleyPools() {
    for (VolleyShot& r : volleyShotRecords) parkVolleyShot(r);
    for (VolleyShot& r : segmentedShotRecords) parkVolleyShot(r);
}
