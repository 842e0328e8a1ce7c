#include "game/shots/sweep_salvo.h"

#include <cmath>

#include "engine/eng_system.h"
#include "game/player.h"

SweepShot sweepShotRecords[totalRecordCount(sweepPools)];
VolleyShot salvoShotRecords[totalRecordCount(salvoPools)];

SweepShot* sweepPoolRecords(int pool) { return recordsOfPool(sweepShotRecords, sweepPools, sweepPoolFirst, pool); }
VolleyShot* salvoPoolRecords(int pool) { return recordsOfPool(salvoShotRecords, salvoPools, salvoPoolFirst, pool); }

namespace {

bool lineHasLeft(const SweepShot& lead) {
    return lead.x + sweepLineMargin < 0.0f || lead.x > sweepLineRight || lead.y + sweepLineMargin < 0.0f ||
           lead.y > sweepLineBottom;
}

}  // namespace

void spawnSweepVolley(int pool) {
    SweepShot* records = sweepPoolRecords(pool);
    if (records == nullptr) return;
    const SweepPool& row = sweepPools[pool];
    const BossBody& boss = bossOfStage(row.stage);
    bool armed = false;
    for (int k = 0; k < row.count; ++k) {
        SweepShot& shot = records[k];
        if (shot.active != 0) continue;
        shot.active = 1;
        armed = true;
        shot.turnTimer = 0;
        shot.angle = row.startAngle;
        shot.driftX = 0;
        shot.driftY = 0;
        shot.x = boss.x + row.startX;
        shot.y = boss.y + row.startY;
    }
    // Arming any record sets the whole line's speeds.
    if (armed) {
        for (int j = 0; j < row.count; ++j) records[j].speed = sweepSpeeds[j];
    }
}

void moveSweepPool(int pool) {
    SweepShot* records = sweepPoolRecords(pool);
    if (records == nullptr) return;
    const SweepPool& row = sweepPools[pool];
    const float side = static_cast<float>(row.side);
    const float dt = frameTime;
    for (int k = 0; k < row.count; ++k) {
        SweepShot& shot = records[k];
        if (shot.active != 0) {
            // Cosine and sine in double of the float angle; the rest in float.
            const float cosine = static_cast<float>(std::cos(static_cast<double>(shot.angle)));
            const float sine = static_cast<float>(std::sin(static_cast<double>(shot.angle)));
            shot.x += side * cosine * shot.speed * dt;
            shot.y += side * sine * shot.speed * dt;  // a left-going line subtracts
            // The turn is a fixed step per frame, whatever the frame time.
            shot.turnTimer += sweepTurnRate * dt;
            if (shot.turnTimer >= 0.0f && shot.turnTimer <= sweepTurnEnd) shot.angle += side * row.turnStep;
            if (shot.turnTimer >= sweepTurnEnd) shot.turnTimer = sweepTurnHeld;
            // The drift held since the frame before, then this record's own.
            shot.y -= shot.driftY * dt;
            shot.x += side * shot.driftX * dt;
            shot.driftX = sweepDrifts[k];
            shot.driftY = sweepDrifts[k];
        }
        // Record 0 is the slowest: once it has left, the whole line has.
        if (lineHasLeft(records[0])) {
            shot.active = 0;
            shot.turnTimer = 0;
            shot.angle = row.startAngle;
            shot.driftX = 0;
            shot.driftY = 0;
        }
        // A retired record keeps its place but not its player box.
        if (shot.active != 0 && playerAlive == 1 && insidePlayerBox(shot.x, shot.y, sweepShotBox)) playerAlive = 0;
    }
}

void armBossSalvo(int pool) {
    VolleyShot* records = salvoPoolRecords(pool);
    if (records == nullptr) return;
    const SalvoPool& row = salvoPools[pool];
    const BossBody& boss = bossOfStage(row.stage);
    for (int k = 0; k < row.count; ++k) {
        if (records[k].active != 0) continue;
        records[k].active = 1;
        records[k].x = boss.x + row.startX;
        records[k].y = boss.y + row.startY;
    }
}

void moveSalvoPool(int pool) {
    VolleyShot* records = salvoPoolRecords(pool);
    if (records == nullptr) return;
    const SalvoPool& row = salvoPools[pool];
    const float dt = frameTime;
    for (int k = 0; k < row.count; ++k) {
        // The push comes once for every record of the pool, free ones too.
        for (int j = 0; j < row.count; ++j) {
            if (row.push[j] != 0.0f) records[j].x += row.push[j] * dt;
        }
        VolleyShot& shot = records[k];
        if (shot.active != 0) {
            shot.vy = row.fallSpeed;
            shot.y += shot.vy * dt;
            if (shot.y > salvoBottom) {
                shot.active = 0;
                parkRecord(shot);
            }
        }
        if (playerAlive == 1 && insidePlayerBox(shot.x, shot.y, salvoShotBox)) playerAlive = 0;
    }
}

void drawSweepPool(int pool) { drawPoolRow(sweepPoolRecords(pool), sweepPools, pool); }
void drawSalvoPool(int pool) { drawPoolRow(salvoPoolRecords(pool), salvoPools, pool); }

void parkSalvoPools() {
    for (VolleyShot& r : salvoShotRecords) parkVolleyShot(r);
}

void parkSweepPools() {
    for (SweepShot& r : sweepShotRecords) parkSweepShot(r);
}
