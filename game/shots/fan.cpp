#include "game/shots/fan.h"

FanShot fanShotRecords[totalRecordCount(fanPools)];

FanShot* fanPoolRecords(int pool) { return recordsOfPool(fanShotRecords, fanPools, fanPoolFirst, pool); }

void drawFanPool(int pool) { drawPoolRow(fanPoolRecords(pool), fanPools, pool); }

int32_t fanPhaseCount(const FanPool& pool) {
    return (pool.recordType == ShotRecordType::CompactFan && pool.spread == FanSpread::Ring) ? stage2RingPhases
                                                                                             : fanPhases;
}

void parkFanPools(ShotRecordType type) {
    for (int p = 0; p < FanPoolCount; ++p) {
        if (fanPools[p].recordType != type) continue;
        FanShot* records = fanPoolRecords(p);
        for (int i = 0; i < fanPools[p].count; ++i) parkFanShot(records[i], fanPhaseCount(fanPools[p]));
    }
}
