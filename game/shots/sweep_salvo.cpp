#include "game/shots/sweep_salvo.h"

SweepShot sweepShotRecords[totalRecordCount(sweepPools)];
VolleyShot salvoShotRecords[totalRecordCount(salvoPools)];

SweepShot* sweepPoolRecords(int pool) { return recordsOfPool(sweepShotRecords, sweepPools, sweepPoolFirst, pool); }
VolleyShot* salvoPoolRecords(int pool) { return recordsOfPool(salvoShotRecords, salvoPools, salvoPoolFirst, pool); }

void drawSweepPool(int pool) { drawPoolRow(sweepPoolRecords(pool), sweepPools, pool); }
void drawSalvoPool(int pool) { drawPoolRow(salvoPoolRecords(pool), salvoPools, pool); }

void parkSalvoPools() {
    for (VolleyShot& r : salvoShotRecords) parkVolleyShot(r);
}

void parkSweepPools() {
    for (SweepShot& r : sweepShotRecords) parkSweepShot(r);
}
