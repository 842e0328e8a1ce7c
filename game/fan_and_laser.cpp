// The two weapons that move and strike by themselves: the fan pieces of
// weapon E and the laser of ship type 1.
#include <cmath>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/enemy_slots.h"
#include "game/game_flags.h"
#include "game/hit_pass.h"
#include "game/player.h"
#include "game/shots/shot_records.h"
#include "game/weapons.h"

namespace {

bool within(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

// ---------------------------------------------------------------------------
// Fan pieces
// ---------------------------------------------------------------------------

// A piece leaves play beyond these bounds.
constexpr int32_t fanLeaveLeft = -80, fanLeaveTop = -80;
constexpr int32_t fanLeaveRight = 800, fanLeaveBottom = 600;
constexpr int fanPieceSize = 80;

void strikeWithFanPiece(FanPiece& piece) {
    hitEnemies(piece.x, piece.y, HitWeapon::FanPiece);
    // A large target that is hit stops the piece.
    if (hitLargeTargets(piece.x, piece.y, HitWeapon::FanPiece)) {
        piece.active = 0;
        piece.x = piece.y = retiredShotPosition;
    }
}

// ---------------------------------------------------------------------------
// Laser
// ---------------------------------------------------------------------------

constexpr int muzzleWidth = 60, muzzleHeight = 50;
constexpr float muzzleOffsetY = -160.0f;
// Tracking records follow the ship at these offsets.
constexpr float leftBeamOffsetX = -90.0f, rightBeamOffsetX = 30.0f, beamOffsetY = -170.0f;
// Each beam image holds the left beam in its left half, the right in its right.
constexpr int beamHalfWidth = 120, beamHeight = 280;
constexpr int beamFrameCount = 16;
int32_t* const beamImages[beamFrameCount] = {
    &imgMyrcl51g, &imgMyrcl52g, &imgMyrcl53g, &imgMyrcl54g, &imgMyrcl55g, &imgMyrcl56g, &imgMyrcl57g, &imgMyrcl58g,
    &imgMyrcl59g, &imgMyrcl60g, &imgMyrcl61g, &imgMyrcl62g, &imgMyrcl63g, &imgMyrcl64g, &imgMyrcl65g, &imgMyrcl66g,
};
// The 81-frame cycle: the left beam shows on frames 1..16, the right on
// 41..56; the beams kill on frames 15, 16, 55 and 56.
constexpr int32_t leftBeamFirstFrame = 1;
constexpr int32_t rightBeamFirstFrame = 41;
constexpr int32_t laserCycleEnd = 81;
constexpr int32_t laserKillFrames[] = {15, 16, 55, 56};
// Right records that take part in the kill test after all 16 left ones.
constexpr int rightRecordsTested = 8;
// The kill point within a record's beam, and the enemy box it must be in.
constexpr int32_t killPointX = 120, killPointY = 4;
constexpr int32_t laserTargetMinY = -10;
constexpr int32_t laserBoxSize = 80;
constexpr int32_t laserPoints = 500;

void drawBeam(const LaserRecord& record, int frame, int sourceLeft) {
    engDraw::Blit(record.x, record.y, *beamImages[frame], sourceLeft, 0, sourceLeft + beamHalfWidth, beamHeight);
}

bool isKillFrame(int32_t frame) {
    for (int32_t killFrame : laserKillFrames) {
        if (frame == killFrame) return true;
    }
    return false;
}

void strikeWithBeam(const LaserRecord& record) {
    const int32_t x = record.x + killPointX, y = record.y + killPointY;
    for (int slot = 0; slot < EnemySlotCount; ++slot) {
        const EnemySlot& enemy = enemySlots[slot];
        const int32_t ex = pixelOf(enemy.x), ey = pixelOf(enemy.y);
        if (ey < laserTargetMinY) continue;
        if (!within(x, ex, ex + laserBoxSize) || !within(y, ey, ey + laserBoxSize)) continue;
        killEnemySlot(slot);
        addScore(laserPoints);
    }
}

}  // namespace

void stepFanPieces() {
    for (FanPiece& piece : fanPieces) {
        if (piece.active == 0) continue;
        // Whole pixels per frame, without frameTime.
        piece.y += static_cast<int32_t>(std::sin(static_cast<double>(piece.angle)) * piece.speed);
        piece.x += static_cast<int32_t>(std::cos(static_cast<double>(piece.angle)) * piece.speed);
        if (piece.x < fanLeaveLeft || piece.x > rightEdgeX(fanLeaveRight) || piece.y > fanLeaveBottom ||
            piece.y < fanLeaveTop) {
            piece.active = 0;
            piece.x = weaponParkX;
            piece.y = weaponParkY;
            continue;
        }
        strikeWithFanPiece(piece);
    }
}

void drawFanPieces() {
    for (int i = 0; i < FanPiecesUsed; ++i) {
        engDraw::Blit(fanPieces[i].x, fanPieces[i].y, imgFbom1, 0, 0, fanPieceSize, fanPieceSize);
    }
}

void runLaser() {
    if (shipType != 1 || laserArmed != 1) return;
    engDraw::Blit(pixelOf(playerX), pixelOf(playerY + muzzleOffsetY), imgRpanel3r, 0, 0, muzzleWidth,
                  muzzleHeight);
    laserFrame += 1;

    const int32_t beamY = pixelOf(playerY + beamOffsetY);
    for (LaserRecord& record : laserLeft) {
        if (record.tracking == 0) continue;
        record.x = pixelOf(playerX + leftBeamOffsetX);
        record.y = beamY;
    }
    for (LaserRecord& record : laserRight) {
        if (record.tracking == 0) continue;
        record.x = pixelOf(playerX + rightBeamOffsetX);
        record.y = beamY;
    }

    const int32_t leftFrame = laserFrame - leftBeamFirstFrame;
    if (leftFrame >= 0 && leftFrame < beamFrameCount) drawBeam(laserLeft[leftFrame], leftFrame, 0);
    const int32_t rightFrame = laserFrame - rightBeamFirstFrame;
    if (rightFrame >= 0 && rightFrame < beamFrameCount) drawBeam(laserRight[rightFrame], rightFrame, beamHalfWidth);

    if (laserFrame >= laserCycleEnd) laserFrame = 0;

    if (!isKillFrame(laserFrame)) return;
    // Every left record, then the first right ones: no index runs past a table.
    for (const LaserRecord& record : laserLeft) strikeWithBeam(record);
    for (int i = 0; i < rightRecordsTested; ++i) strikeWithBeam(laserRight[i]);
}
