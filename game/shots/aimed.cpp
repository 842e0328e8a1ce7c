#include "game/shots/aimed.h"

#include "engine/eng_system.h"
#include "game/enemy_slots.h"
#include "game/play_state.h"
#include "game/player.h"

static_assert(SlotShotOwners == EnemySlotCount);

namespace {

// The enemy slots' rows stand in slot order, so a slot's row is a sum.
constexpr bool slotRowsInSlotOrder() {
    for (int slot = 0; slot < SlotShotOwners; ++slot) {
        const AimedPool& shot = aimedPools[slotAimedShotPool(slot)];
        const AimedPool& line = aimedPools[slotAimedFivePool(slot)];
        if (shot.owner.kind != ShotOwnerKind::EnemySlot || shot.owner.index != slot) return false;
        if (line.owner.kind != ShotOwnerKind::EnemySlot || line.owner.index != slot) return false;
        if (shot.ordinal != SlotShotOrdinal || line.ordinal != SlotLineOrdinal) return false;
    }
    return true;
}
static_assert(firstSlotShotRow >= 0 && firstSlotLineRow >= 0 && slotRowsInSlotOrder());

const AimedPool* rowOf(int pool) {
    return (pool >= 0 && pool < AimedPoolCount) ? &aimedPools[pool] : nullptr;
}

// Record 0 decides for the whole line.
bool lineGone(const AimedShot& lead, LineExit exit) {
    const bool beyondEdge = lead.x + aimedLineMargin < 0.0f || lead.x > aimedLineRight ||
                            lead.y + aimedLineMargin < 0.0f || lead.y > aimedLineBottom;
    return beyondEdge || (exit != LineExit::InPlace && clearShots == 1);
}

// For the first 300/260 s after arming the shot drifts outwards at half its
// speed and down at a tenth of it; then the clock is held at its end.
void sideStep(AimedShot& shot, SideStep side) {
    const float t = shot.sideStepTimer + sideStepRate * frameTime;
    shot.sideStepTimer = t;
    if (t <= sideStepEnd) {
        const float d = shot.speed * frameTime;
        shot.x = (side == SideStep::Left) ? shot.x - 0.5f * d : shot.x + 0.5f * d;
        shot.y = shot.y + d / 10.0f;
    }
    if (t > sideStepEnd) shot.sideStepTimer = sideStepEnd;
}

}  // namespace

AimedShot aimedShotRecords[totalRecordCount(aimedPools)];

AimedShot* aimedPoolRecords(int pool) { return recordsOfPool(aimedShotRecords, aimedPools, aimedPoolFirst, pool); }

void spawnAimedVolley(int pool) {
    const AimedPool* row = rowOf(pool);
    if (row == nullptr) return;
    AimedShot* records = aimedPoolRecords(pool);
    const Position origin = shotOwnerOrigin(row->owner);
    bool armed = false;
    for (int k = 0; k < row->count; ++k) {
        AimedShot& shot = records[k];
        if (shot.active != 0) continue;
        shot.active = 1;
        armed = true;
        if (row->sideStep != SideStep::None) shot.sideStepTimer = 0.0f;
        shot.x = shot.startX = (origin.x + row->centreX) + row->sideX;
        shot.y = shot.startY = origin.y + row->emitterY;
        if (row->speeds == nullptr) {
            engSystem::Rand();  // drawn and not used
            shot.speed = static_cast<float>(drawnSpeedBase + engSystem::Rand() % drawnSpeedSpread);
        }
        shot.angle = aimAngle(shot.x, shot.y, row->aimOffset, row->turn, shot.dx, shot.dy);
    }
    // A line with a speed table: arming any record sets the whole line's speeds.
    if (armed && row->speeds != nullptr) {
        for (int j = 0; j < row->count; ++j) records[j].speed = row->speeds[j];
    }
}

void moveAimedShotPool(int pool) {
    const AimedPool* row = rowOf(pool);
    if (row == nullptr) return;
    AimedShot* records = aimedPoolRecords(pool);
    int32_t aliveCopy = playerAlive;
    for (int k = 0; k < row->count; ++k) {
        AimedShot& shot = records[k];
        if (shot.active != 0) {
            if (row->sideStep != SideStep::None) sideStep(shot, row->sideStep);
            flyAlongAngle(shot.x, shot.y, shot.angle, shot.speed);
        }
        if (lineGone(records[0], row->exit)) {
            shot.active = 0;
            if (row->exit == LineExit::ParkedOrCalledBack) parkRecord(shot);
        }
        testPlayerHit(aliveCopy, shot.x, shot.y, row->box);
    }
}

void drawAimedPool(int pool) { drawPoolRow(aimedPoolRecords(pool), aimedPools, pool); }

void parkAimedPool(int pool) {
    const AimedPool* row = rowOf(pool);
    if (row == nullptr) return;
    AimedShot* records = aimedPoolRecords(pool);
    for (int k = 0; k < row->count; ++k) parkAimedShot(records[k]);
}

void parkAimedPools() {
    for (int pool = 0; pool < AimedPoolCount; ++pool) {
        if (aimedPools[pool].owner.kind == ShotOwnerKind::StageBoss) parkAimedPool(pool);
    }
}
