#include "game/puffs.h"

#include "assets/asset_list.h"
#include "engine/eng_system.h"

namespace {

constexpr Position freePuffPosition{-500.0f, -2550.0f};
constexpr int32_t PuffSize = 40, PuffFrames = 7;
constexpr float bandMargin = 40.0f;

void freePuff(Puff& puff, Position at) {
    puff.active = 0;
    puff.x = at.x;
    puff.y = at.y;
}

}  // namespace

void spawnPuffSet(Puff* puffs, Position from, int w, int h, bool smokes, bool unreadDraw) {
    if (puffs == nullptr || !smokes) return;
    for (int k = 0; k < PuffsPerSet; ++k) {
        Puff& puff = puffs[k];
        if (puff.active != 0) continue;
        const int32_t r = engSystem::Rand();
        const int32_t offset = w > PuffSize ? r % (w - PuffSize) : 0;
        puff.x = from.x + static_cast<float>(offset);
        puff.y = from.y + static_cast<float>((static_cast<int64_t>(h) - PuffSize) / 2);
        if (unreadDraw) engSystem::Rand();
        puff.vy = static_cast<float>(-(engSystem::Rand() % 100 + 100));
        puff.vx = static_cast<float>(engSystem::Rand() % 100 - 50);
        puff.active = 1;
        puff.frame = 0;
    }
}

void stepPuffSet(Puff* puffs, const Position* holders, int holderCount, int w, int h) {
    if (puffs == nullptr || holders == nullptr) return;
    const float dt = frameTime;
    for (int k = 0; k < PuffsPerSet; ++k) {
        Puff& puff = puffs[k];
        for (int j = 0; j < holderCount; ++j) {
            const Position& box = holders[j];
            if (puff.active != 0) {
                puff.x += puff.vx * dt;
                puff.y += puff.vy * dt;
            }
            const float reach = static_cast<float>(engSystem::Rand() % 100);
            if (puff.y < (box.y - static_cast<float>(h)) - reach || puff.x < box.x - bandMargin ||
                puff.x > (box.x + static_cast<float>(w)) + bandMargin) {
                freePuff(puff, freePuffPosition);
            }
        }
    }
}

void drawPuffSet(Puff* puffs) {
    if (puffs == nullptr) return;
    for (int k = 0; k < PuffsPerSet; ++k) {
        Puff& puff = puffs[k];
        if (puff.active == 0) continue;
        drawStripFrame(puff.frame, PuffFrames, imgZbak6b, PuffSize, PuffSize, pixelOf(puff.x), pixelOf(puff.y));
    }
}

void parkPuffSet(Puff* puffs) {
    if (puffs == nullptr) return;
    for (int k = 0; k < PuffsPerSet; ++k) freePuff(puffs[k], parkPosition);
}
