#include "game/shots/aimed.h"

AimedShot aimedShotRecords[totalRecordCount(aimedPools)];

AimedShot* aimedPoolRecords(int pool) { return recordsOfPool(aimedShotRecords, aimedPools, aimedPoolFirst, pool); }

void drawAimedPool(int pool) { drawPoolRow(aimedPoolRecords(pool), aimedPools, pool); }

void parkAimedPools() {
    for (AimedShot& r : aimedShotRecords) parkAimedShot(r);
}
