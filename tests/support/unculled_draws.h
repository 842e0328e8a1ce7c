// The background walk and the shot-pool draw as they were before they
// learned to skip what cannot show: one walk that tests, draws and moves
// every tile of a column, and a draw that hands every record to Blit. Kept
// word for word as the reference the tests and the benchmark hold the
// culled routines against (same pixels, same state, frame after frame).
#pragma once

#include <cstdint>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/backgrounds.h"
#include "game/play_state.h"
#include "game/shots/shot_records.h"

namespace unculled {

inline void scrollBackColumn(int column) {
    if (column < 0 || column >= BackColumnCount) return;
    const BackColumnRule& rule = backColumns[column];
    BackTile* tiles = backTiles[column];

    float speeds[2];
    int speedCount = 0;
    if (rule.bands.empty()) {
        speeds[speedCount++] = rule.speed;
    } else {
        for (const SpeedBand& band : rule.bands) {
            if (speedCount < 2 && band.low <= scrollDistance && scrollDistance <= band.high) {
                speeds[speedCount++] = band.speed;
            }
        }
    }

    const float fieldX = screenX(backTileStartX);
    const int32_t slot = *rule.image;
    const BackTile& last = tiles[BackTileCount - 1];
    for (int k = 0; k < BackTileCount; ++k) {
        BackTile& tile = tiles[k];
        const int32_t y = pixelOf(tile.y);
        if (y > -BackTileHeight && y < variant::screenHeight) {
            engDraw::Blit(pixelOf(tile.x), y, slot, 0, 0, BackTileWidth, BackTileHeight);
        }
        tile.x = rule.driftsSideways ? fieldX + tile.drift * frameTime : fieldX;
        for (int s = 0; s < speedCount; ++s) tile.y += speeds[s] * frameTime;
        const bool restack = rule.restackAtZero ? last.y >= 0.0f : last.y > 0.0f;
        if (restack) {
            tile.y = -static_cast<float>(BackTileHeight) * static_cast<float>(k);
            if (rule.restackShiftsX) tile.x = screenX(backRestackX);
        }
    }
}

// The columns of a scene, farthest first (as scrollBackgrounds lists them).
inline void scrollBackgrounds(BackgroundScene scene) {
    constexpr BackColumn columns[][3] = {
        {Back8S, Back3S, Back1S}, {Back8S, Back4S, Back2S}, {Back5S, Back1S, Back3S},
        {Back8S, Back3S, Back1S}, {Back5S, Back3S, Back2S},
    };
    for (BackColumn column : columns[static_cast<int>(scene)]) unculled::scrollBackColumn(column);
}

inline int32_t wholePixel(float position) { return pixelOf(position); }
inline int32_t wholePixel(int32_t position) { return position; }

template <typename Record>
void drawShotPool(Record* records, int count, const ShotPoolDraw& draw) {
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

}  // namespace unculled
