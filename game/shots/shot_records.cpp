#include "game/shots/shot_records.h"

#include <cmath>
#include <limits>
#include <type_traits>

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

int32_t stepStripFrame(int32_t& frame, int32_t frameCount) {
    if (frame < 0 || frame >= frameCount) frame = 0;
    const int32_t cell = frame;
    frame += 1;
    if (frame >= frameCount) frame = 0;
    return cell;
}

void drawStripFrame(int32_t& frame, int32_t frameCount, int32_t image, int32_t w, int32_t h, int32_t x, int32_t y) {
    const int32_t cell = stepStripFrame(frame, frameCount);
    engDraw::Blit(x, y, image, cell * w, 0, cell * w + w, h);
}

namespace {

int32_t wholePixel(float position) { return pixelOf(position); }
int32_t wholePixel(int32_t position) { return position; }

// A whole-pixel bound as a float, where a float holds it exactly (and the
// cut to whole pixels has not met its far limits); NaN, which no position
// passes, beyond that.
float looseBound(int64_t bound) {
    constexpr int64_t exact = int64_t{1} << 24;
    return (bound >= -exact && bound <= exact) ? static_cast<float>(bound) : std::numeric_limits<float>::quiet_NaN();
}

// What the clip test of one draw needs, worked out once per draw.
struct ShownBounds {
    int32_t offsetX, offsetY, cutWidth, cutHeight;
    // A first, loose test in the records' own units: a position at or past
    // these bounds is cut to a whole pixel that lies beyond the clip by more
    // than the cut (cutting towards 0 moves it at most one pixel inwards).
    float beforeX, pastX, beforeY, pastY;
};

ShownBounds shownBounds(const ShotPoolDraw& draw, int32_t cutWidth, int32_t cutHeight) {
    return {draw.offsetX,
            draw.offsetY,
            cutWidth,
            cutHeight,
            looseBound(int64_t{clipRect.left} - cutWidth - draw.offsetX - 1),
            looseBound(int64_t{clipRect.right} - draw.offsetX + 1),
            looseBound(int64_t{clipRect.top} - cutHeight - draw.offsetY - 1),
            looseBound(int64_t{clipRect.bottom} - draw.offsetY + 1)};
}

// Whether the clip leaves some of a record's blit: a parked record, or one
// retired off the field, would draw nothing, as Blit would return before
// copying. When shown, the record's whole-pixel place is in x and y.
template <typename Record>
bool shown(const ShownBounds& bounds, const Record& r, int32_t& x, int32_t& y) {
    if constexpr (std::is_floating_point_v<decltype(Record::x)>) {
        if (r.y >= bounds.pastY || r.y <= bounds.beforeY || r.x >= bounds.pastX || r.x <= bounds.beforeX) {
            return false;
        }
    }
    x = wholePixel(r.x) + bounds.offsetX;
    y = wholePixel(r.y) + bounds.offsetY;
    return !engDraw::ClippedAway(x, y, bounds.cutWidth, bounds.cutHeight);
}

// Hands blit(k, x, y) every record whose blit the clip does not cut away whole.
template <typename Record, typename BlitRecord>
void blitShownRecords(Record* records, int count, const ShotPoolDraw& draw, int32_t cutWidth, int32_t cutHeight,
                      BlitRecord blit) {
    const ShownBounds bounds = shownBounds(draw, cutWidth, cutHeight);
    for (int k = 0; k < count; ++k) {
        int32_t x = 0, y = 0;
        if (shown(bounds, records[k], x, y)) blit(k, x, y);
    }
}

template <typename Record>
void drawRecords(Record* records, int count, const ShotPoolDraw& draw) {
    if (records == nullptr || draw.image == nullptr) return;
    const int32_t slot = *draw.image;
    const int32_t w = draw.width, h = draw.height;
    switch (draw.style) {
    case DrawStyle::Plain:
        blitShownRecords(records, count, draw, w, h, [&](int, int32_t x, int32_t y) {
            engDraw::Blit(x, y, slot, draw.left, draw.top, draw.left + w, draw.top + h);
        });
        break;
    case DrawStyle::Animated:
        // Every record's frame steps on, shown or not.
        if constexpr (requires { records->frame; }) {
            const ShownBounds bounds = shownBounds(draw, w, h);
            for (int k = 0; k < count; ++k) {
                const int32_t cell = stepStripFrame(records[k].frame, draw.frames);
                int32_t x = 0, y = 0;
                if (shown(bounds, records[k], x, y)) engDraw::Blit(x, y, slot, cell * w, 0, cell * w + w, h);
            }
        }
        break;
    case DrawStyle::ActiveOnly:
        blitShownRecords(records, count, draw, w, h, [&](int k, int32_t x, int32_t y) {
            if (records[k].active != 0) engDraw::Blit(x, y, slot, 0, 0, w, h);
        });
        break;
    case DrawStyle::SweepLine:
        blitShownRecords(records, count, draw, w, h, [&](int k, int32_t x, int32_t y) {
            const int32_t* image = (k == SweepLeadRecord) ? draw.secondImage : draw.image;
            if (records[k].active != 0 && image != nullptr) engDraw::Blit(x, y, *image, 0, 0, w, h);
        });
        break;
    case DrawStyle::Chain:
        blitShownRecords(records, count, draw, w, h, [&](int k, int32_t x, int32_t y) {
            const int32_t cell = draw.frames > 0 ? k % draw.frames : 0;
            engDraw::Blit(x, y, slot, cell * w, 0, cell * w + w, h);
        });
        break;
    case DrawStyle::Alternating:
        // Cells of 40 x 40 whatever the row's cell size.
        blitShownRecords(records, count, draw, 40, 40, [&](int k, int32_t x, int32_t y) {
            if (k % 2 == 0) {
                engDraw::Blit(x, y, slot, 80, 0, 120, 40);
            } else {
                engDraw::Blit(x, y, slot, 160, 0, 200, 40);
            }
        });
        break;
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
