#include "game/ending_streaks.h"

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/shots/shot_records.h"

Streak endingStreaks[StreakCount];

namespace {

// Piece k of "IMAGE/MYMY.BMP": a 3x10 cut from x 139 + 3k, y 70.
constexpr int pieceLeft = 139, pieceWidth = 3, pieceTop = 70, pieceBottom = 80;
constexpr int kindCount = 7;
constexpr float fallOutY = 600.0f;
// Restarts fall in from x 0..639 (the same range in both builds) and up to
// 49 px above the top.
constexpr int restartRangeX = 640, restartRangeY = 50;
// The reset scatters them wider: x -400..839, y 0..479, 100..199 px/s.
constexpr int resetRangeX = 1240, resetLeftX = 400, resetRangeY = 480;
constexpr int resetSpeedBase = 100, resetSpeedRange = 100;

}  // namespace

void rerollEndingStreaks() {
    for (Streak& s : endingStreaks) {
        s.kind = engSystem::Rand() % kindCount;
        s.x = static_cast<float>(engSystem::Rand() % resetRangeX - resetLeftX);
        s.y = static_cast<float>(engSystem::Rand() % resetRangeY);
        s.driftX = 0;
        s.speed = static_cast<float>(resetSpeedBase + engSystem::Rand() % resetSpeedRange);
    }
}

void stepEndingStreaks(int32_t a, int32_t b) {
    for (Streak& s : endingStreaks) {
        const int left = pieceLeft + pieceWidth * s.kind;
        engDraw::Blit(pixelOf(s.x), pixelOf(s.y), imgMymy, left, pieceTop, left + pieceWidth,
                      pieceBottom);
        s.driftX = 0;
        s.x += s.driftX * frameTime;
        s.y += s.speed * frameTime;
        if (s.y > fallOutY) {
            s.kind = engSystem::Rand() % kindCount;
            s.x = static_cast<float>(engSystem::Rand() % restartRangeX);
            s.y = static_cast<float>(-(engSystem::Rand() % restartRangeY));
            // A range of 0 would divide by zero: such a restart takes speed b.
            s.speed = static_cast<float>(b + (a > 0 ? engSystem::Rand() % a : 0));
        }
    }
}
