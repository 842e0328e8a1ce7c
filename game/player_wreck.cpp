// The ship's death sequence: five rings of 16 wreck fragments launched from
// where it was hit, the lives it costs, and the respawn on its 50th frame.
#include <cmath>
#include <numbers>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/player.h"
#include "game/shots/shot_records.h"

namespace {

// Ring r launches on the frame its fragments reach this age.
constexpr int32_t ringLaunchAge[WreckRingCount] = {1, 10, 20, 30, 40};
// The ring whose every fragment costs a life.
constexpr int lifeRing = WreckRingCount - 1;
// Fragments count guard frames from the respawn age up to this age.
constexpr int32_t guardCountLastAge = 250;

constexpr int fragmentMinSpeed = 120;
constexpr int fragmentSpeedSpan = 100;
// The point every fragment's base direction is taken towards.
constexpr float aimPointX = 20.0f, aimPointY = 20.0f;
// Each record turns its direction this much further than the one before it.
constexpr double recordTurn = std::numbers::pi / 8;

// A fragment leaves play beyond these bounds.
constexpr float leaveLeft = -60.0f, leaveTop = -60.0f;
constexpr float leaveRight = 800.0f, leaveBottom = 600.0f;

// The 15-frame cycle of cells: row 0 columns 0..7, then row 1 columns 1..7.
constexpr int cellSize = 60;
constexpr int32_t lastTickOfRow0 = 7;
constexpr int32_t firstTickOfRow1 = 8;
constexpr int32_t lastTickOfRow1 = 14;
constexpr int32_t ticksPerCycle = 15;

void launchFragment(WreckFragment& f, int record) {
    f.alive = 1;
    f.x = f.launchX = playerX;
    f.y = f.launchY = playerY;
    f.speed = static_cast<float>(fragmentMinSpeed + engSystem::Rand() % fragmentSpeedSpan);
    f.aimDX = screenX(aimPointX) - f.x;
    f.aimDY = aimPointY - f.y;
    const double turn = record * recordTurn;
    double angle;
    if (f.aimDX == 0) {
        angle = std::numbers::pi / 2 + turn;
    } else {
        angle = std::atan(static_cast<double>(f.aimDY / f.aimDX)) + turn;
    }
    if (f.aimDX < 0 || (f.aimDX == 0 && f.aimDY <= 0)) angle += std::numbers::pi;
    f.angle = static_cast<float>(angle);
}

}  // namespace

void parkWreckFragment(WreckFragment& fragment) {
    fragment = WreckFragment{};
    parkRecord(fragment);
}

void spawnWreckRings() {
    for (WreckFragment& f : wreckFragments) {
        f.age += 1;
        if (f.age >= wreckRespawnAge && f.age <= guardCountLastAge) {
            f.guardCount += 1;
            playerAlive = 1;
            respawnGuard = 1;
        }
    }
    for (int ring = 0; ring < WreckRingCount; ++ring) {
        for (int j = 0; j < WreckRingSize; ++j) {
            const int record = ring * WreckRingSize + j;
            WreckFragment& f = wreckFragments[record];
            if (f.age != ringLaunchAge[ring] || f.alive != 0) continue;
            launchFragment(f, record);
            if (ring == lifeRing) lives -= 1;
        }
    }
}

void stepWreckFragments() {
    for (WreckFragment& f : wreckFragments) {
        if (f.alive == 0) continue;
        f.y = static_cast<float>(f.y + std::sin(static_cast<double>(f.angle)) * f.speed * frameTime);
        f.x = static_cast<float>(f.x + std::cos(static_cast<double>(f.angle)) * f.speed * frameTime);
        if (f.x > rightEdgeX(leaveRight) || f.x < leaveLeft || f.y > leaveBottom || f.y < leaveTop) {
            parkWreckFragment(f);
        }
    }
}

void drawWreckFragments() {
    for (WreckFragment& f : wreckFragments) {
        const int left = cellSize * f.frameColumn;
        const int top = cellSize * f.frameRow;
        engDraw::Blit(pixelOf(f.x), pixelOf(f.y), imgGfbak1, left, top, left + cellSize,
                      top + cellSize);
        f.frameTick += 1;
        if (f.frameTick >= 1 && f.frameTick <= lastTickOfRow0) f.frameColumn += 1;
        if (f.frameTick == firstTickOfRow1) {
            f.frameColumn = 1;
            f.frameRow = 1;
        }
        if (f.frameTick > firstTickOfRow1 && f.frameTick <= lastTickOfRow1) f.frameColumn += 1;
        if (f.frameTick >= ticksPerCycle) {
            f.frameColumn = 0;
            f.frameRow = 0;
            f.frameTick = 0;
        }
    }
}
