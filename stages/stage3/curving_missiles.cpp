#include "stages/stage3/curving_missiles.h"

#include "engine/eng_system.h"

int32_t missileStreamCounters[MissileStreamCount];
CurvingMissile curvingMissileRecords[totalRecordCount(missileStreamPools)];

CurvingMissile* missileStreamPoolRecords(int pool) {
    return recordsOfPool(curvingMissileRecords, missileStreamPools, missileStreamPoolFirst, pool);
}

namespace {

constexpr int32_t missileParam = 20;

// The band that holds `timer`, nullptr between bands and beyond the last.
const MissileBand* bandOf(std::span<const MissileBand> bands, float timer) {
    for (const MissileBand& band : bands) {
        if (band.low <= timer && timer <= band.high) return &band;
    }
    return nullptr;
}

}  // namespace

void tickMissileStream(int pool) {
    if (pool < 0 || pool >= MissileStreamCount) return;
    int32_t count = missileStreamCounters[pool] + 1;
    if (count == missileStreamCycle) count = 0;
    missileStreamCounters[pool] = count;
    if (count % missileLaunchSpacing == 0) launchCurvingMissile(pool, count / missileLaunchSpacing);
}

void launchCurvingMissile(int pool, int j) {
    CurvingMissile* records = missileStreamPoolRecords(pool);
    if (records == nullptr) return;
    const MissileStreamPool& row = missileStreamPools[pool];
    if (j < 0 || j >= row.count || records[j].active != 0) return;
    const BossBody& boss = bossOfStage(row.stage);
    CurvingMissile& missile = records[j];
    missile.active = 1;
    missile.x = pixelOf(boss.x) + row.launchX;
    missile.y = pixelOf(boss.y) + row.launchY;
    missile.param = missileParam;
}

void moveCurvingMissiles(int pool) {
    CurvingMissile* records = missileStreamPoolRecords(pool);
    if (records == nullptr) return;
    const MissileStreamPool& row = missileStreamPools[pool];
    for (int j = 0; j < row.count; ++j) {
        CurvingMissile& missile = records[j];
        if (missile.active == 0) continue;
        missile.timer += row.timerRate * frameTime;
        if (const MissileBand* band = bandOf(row.bands, missile.timer)) {
            missile.x += row.stepXSign * band->stepX;
            missile.y += band->stepY;
        }
        if (missile.y > missileBottom) {
            missile.active = 0;
            missile.timer = 0;
        }
    }
}

void drawMissileStreamPool(int pool) { drawPoolRow(missileStreamPoolRecords(pool), missileStreamPools, pool); }

void parkMissileStreamPools() {
    for (int32_t& counter : missileStreamCounters) counter = 0;
    for (CurvingMissile& r : curvingMissileRecords) parkCurvingMissile(r);
}
