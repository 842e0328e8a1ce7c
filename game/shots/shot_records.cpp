#include "game/shots/shot_records.h"

#include <cmath>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/enemy_slots.h"
#include "game/player.h"
#include "game/turning_enemies.h"

BossBody boss1, boss2, boss3;
uint32_t boss1Timeline, boss2Timeline, boss3Timeline;

BossBody& bossOfStage(int stage) {
    if (stage == 2) return boss2;
    if (stage == 3) return boss3;
    return boss1;
}

Position shotOwnerOrigin(const ShotOwner& owner) {
    switch (owner.kind) {
    case ShotOwnerKind::StageBoss: {
        const BossBody& boss = bossOfStage(owner.index);
        return {boss.x, boss.y};
    }
    case ShotOwnerKind::EnemySlot:
        if (owner.index >= 0 && owner.index < EnemySlotCount) {
            return {enemySlots[owner.index].x, enemySlots[owner.index].y};
        }
        break;
    case ShotOwnerKind::TurningEnemy:
        if (owner.index >= 0 && owner.index < TurningEnemyCount) {
            return {turningEnemies[owner.index].x, turningEnemies[owner.index].y};
        }
        break;
    }
    return parkPosition;
}

float aimAngle(float startX, float startY, float aimOffset, float angleOffset, float& dx, float& dy) {
    dx = (playerX + aimOffset) - startX;
    dy = (playerY + aimOffset) - startY;
    float angle;
    if (dx == 0.0f) {
        angle = piTimes(0.5) + angleOffset;
    } else {
        const float quotient = dy / dx;
        angle = static_cast<float>(std::atan(static_cast<double>(quotient))) + angleOffset;
    }
    if (dx < 0.0f || (dx == 0.0f && dy <= 0.0f)) angle += Pi;
    return angle;
}

void flyAlongAngle(float& x, float& y, float angle, float speed) {
    const float sine = static_cast<float>(std::sin(static_cast<double>(angle)));
    const float cosine = static_cast<float>(std::cos(static_cast<double>(angle)));
    y += sine * speed * frameTime;
    x += cosine * speed * frameTime;
}

void flyAlongAngle(float& x, float& y, float angle, float speed, float sign) {
    float stepX = 0.0f, stepY = 0.0f;
    flyAlongAngle(stepX, stepY, angle, speed);
    y += sign * stepY;
    x += sign * stepX;
}

void parkAimedShot(AimedShot& shot) {
    shot = AimedShot{};
    shot.frame = engSystem::Rand() % 10;
    parkRecord(shot);
}

void parkFanShot(FanShot& shot, int32_t phaseCount) {
    shot = FanShot{};
    shot.frame = engSystem::Rand() % phaseCount;
    parkRecord(shot);
}

void parkVolleyShot(VolleyShot& shot) {
    shot = VolleyShot{};
    shot.frame = engSystem::Rand() % 10;
    parkRecord(shot);
}

void parkSweepShot(SweepShot& shot) {
    shot = SweepShot{};
    parkRecord(shot);
}

void parkCurvingMissile(CurvingMissile& missile) {
    missile = CurvingMissile{};
    missile.x = missileParkX;
    missile.y = missileParkY;
}

bool insidePlayerBox(float x, float y, const HitBox& box) {
    const float dx = x - playerX;
    const float dy = y - playerY;
    return box.x0 <= dx && dx <= box.x1 && box.y0 <= dy && dy <= box.y1;
}

bool testPlayerHit(int32_t& aliveCopy, float x, float y, const HitBox& box) {
    if (aliveCopy == 0 || !insidePlayerBox(x, y, box)) return false;
    playerAlive = 0;
    aliveCopy = 0;
    return true;
}

void drawStripFrame(int32_t& frame, int32_t frameCount, int32_t image, int32_t w, int32_t h, int32_t x, int32_t y) {
    if (frame < 0 || frame >= frameCount) frame = 0;
    engDraw::Blit(x, y, image, frame * w, 0, frame * w + w, h);
    frame += 1;
    if (frame >= frameCount) frame = 0;
}

namespace {

int32_t wholePixel(float position) { return pixelOf(position); }
int32_t wholePixel(int32_t position) { return position; }

template <typename Record>
void drawRecords(Record* records, int count, const ShotPoolDraw& draw) {
    if (records == nullptr || draw.image == nullptr) return;
    const int32_t slot = *draw.image;
    const int32_t w = draw.width, h = draw.height;
    for (int k = 0; k < count; ++k) {
        Record& r = records[k];
        const int32_t x = wholePixel(r.x) + draw.offsetX, y = wholePixel(r.y) + draw.offsetY;
        switch (draw.style) {
        case DrawStyle::Plain:
            engDraw::Blit(x, y, slot, draw.left, draw.top, draw.left + w, draw.top + h);
            break;
        case DrawStyle::Animated:
            if constexpr (requires { r.frame; }) drawStripFrame(r.frame, draw.frames, slot, w, h, x, y);
            break;
        case DrawStyle::ActiveOnly:
            if (r.active != 0) engDraw::Blit(x, y, slot, 0, 0, w, h);
            break;
        case DrawStyle::SweepLine:
            if (r.active != 0) {
                const int32_t* image = (k == SweepLeadRecord) ? draw.secondImage : draw.image;
                if (image != nullptr) engDraw::Blit(x, y, *image, 0, 0, w, h);
            }
            break;
        case DrawStyle::Chain: {
            const int32_t cell = draw.frames > 0 ? k % draw.frames : 0;
            engDraw::Blit(x, y, slot, cell * w, 0, cell * w + w, h);
            break;
        }
        case DrawStyle::Alternating:
            if (k % 2 == 0) {
                engDraw::Blit(x, y, slot, 80, 0, 120, 40);
            } else {
                engDraw::Blit(x, y, slot, 160, 0, 200, 40);
            }
            break;
        }
    }
}

}  // namespace

void drawShotPool(AimedShot* records, int count, const ShotPoolDraw& draw) { drawRecords(records, count, draw); }
void drawShotPool(FanShot* records, int count, const ShotPoolDraw& draw) { drawRecords(records, count, draw); }
void drawShotPool(VolleyShot* records, int count, const ShotPoolDraw& draw) { drawRecords(records, count, draw); }
void drawShotPool(SweepShot* records, int count, const ShotPoolDraw& draw) { drawRecords(records, count, draw); }
void drawShotPool(CurvingMissile* records, int count, const ShotPoolDraw& draw) {
    drawRecords(records, count, draw);
}
