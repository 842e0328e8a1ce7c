#include "game/backgrounds.h"

#include <iterator>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/play_state.h"
#include "game/shots/shot_records.h"

BackTile backTiles[BackColumnCount][BackTileCount];

namespace {

// Speeds by scrollDistance; at a shared end both bands apply.
constexpr SpeedBand bandsA[] = {
    {0, 500, 140}, {500, 530, 150}, {530, 560, 250}, {560, 590, 350}, {590, 620, 450},
    {620, 650, 550}, {650, 1000, 650}, {1000, 1150, 300}, {1150, openEnd, 150},
};
constexpr SpeedBand bandsB[] = {
    {0, 400, 180}, {400, 450, 200}, {450, 500, 250}, {500, 550, 320}, {550, 600, 390},
    {600, 650, 450}, {650, 1000, 400}, {1000, 1150, 360}, {1150, openEnd, 240},
};
constexpr SpeedBand bandsC[] = {
    {0, 500, 190}, {500, 530, 230}, {530, 560, 250}, {560, 590, 350}, {590, 620, 450},
    {620, 650, 2550}, {650, 1000, 400}, {1000, 1150, 300}, {1150, openEnd, 250},
};
constexpr SpeedBand bandsD[] = {
    {0, 500, 150}, {500, 530, 200}, {530, 560, 300}, {560, 590, 400}, {590, 620, 300},
    {620, 650, 400}, {650, 1000, 250}, {1000, 1150, 200}, {1150, openEnd, 150},
};


// The column lists of each scene, farthest first.
constexpr int MaxSceneColumns = 3;
struct SceneColumns {
    int count;
    BackColumn columns[MaxSceneColumns];
};
constexpr SceneColumns sceneColumns[] = {
    {3, {Back8S, Back3S, Back1S}},  // stage 1
    {3, {Back8S, Back4S, Back2S}},  // stage 2
    {3, {Back5S, Back1S, Back3S}},  // stage 3
    {3, {Back8S, Back3S, Back1S}},  // ship select
    {3, {Back5S, Back3S, Back2S}},  // ending
};

// A tile can show only while its rows reach into the screen's: -480 < y <
// screen height. (Its row cut towards 0 passes the same test; NaN and the far
// ends fail it.)
bool tileReachesScreen(float y) {
    return -static_cast<float>(BackTileHeight) < y && y < static_cast<float>(variant::screenHeight);
}

// The re-stack test of a column's last tile.
bool restackDue(const BackColumnRule& rule, float lastY) { return rule.restackAtZero ? lastY >= 0.0f : lastY > 0.0f; }

// One walk over the column: each tile is drawn where it stands if its rows
// reach into the screen, then moved one frame on: x from the column's x (and
// its drift), y by each speed in turn, one single addition per speed, so
// that each tile rounds as it always has. (The far tiles cannot be moved
// lazily by a column offset: a sum rounds by the size of the tile's own y.)
template <int Steps>
void drawAndMoveTiles(BackTile* tiles, int32_t slot, float fieldX, bool drifts, const float* speeds) {
    const float time = frameTime;
    float steps[Steps > 0 ? Steps : 1] = {};
    for (int s = 0; s < Steps; ++s) steps[s] = speeds[s] * time;
    for (int k = 0; k < BackTileCount; ++k) {
        BackTile& tile = tiles[k];
        if (tileReachesScreen(tile.y)) {
            engDraw::Blit(pixelOf(tile.x), pixelOf(tile.y), slot, 0, 0, BackTileWidth, BackTileHeight);
        }
        tile.x = drifts ? fieldX + tile.drift * time : fieldX;
        for (int s = 0; s < Steps; ++s) tile.y += steps[s];
    }
}

void restackTile(BackTile& tile, int k, const BackColumnRule& rule) {
    tile.y = -static_cast<float>(BackTileHeight) * static_cast<float>(k);
    if (rule.restackShiftsX) tile.x = screenX(backRestackX);
}

}  // namespace

const BackColumnRule backColumns[BackColumnCount] = {
    {&imgBback1s, 130, {}, false, false, true},
    {&imgBback2s, 100, {}, false, false, true},
    {&imgBback3s, 0, bandsA, false, false, false},
    {&imgBback4s, 0, bandsB, true, true, false},
    {&imgBback5s, 0, bandsC, true, true, false},
    {&imgBback8s, 0, bandsD, false, true, false},
};

void scrollBackColumn(int column) {
    if (column < 0 || column >= BackColumnCount) return;
    const BackColumnRule& rule = backColumns[column];
    BackTile* tiles = backTiles[column];

    // The speeds that apply at this distance: the constant one, or every band
    // that holds it (two where bands meet, none below 0).
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

    // The re-stack test reads the last tile before it moves for every other
    // tile, and after its own move for the last one.
    const float lastBefore = tiles[BackTileCount - 1].y;
    const float fieldX = screenX(backTileStartX);
    const int32_t slot = *rule.image;
    switch (speedCount) {
    case 0: drawAndMoveTiles<0>(tiles, slot, fieldX, rule.driftsSideways, speeds); break;
    case 1: drawAndMoveTiles<1>(tiles, slot, fieldX, rule.driftsSideways, speeds); break;
    default: drawAndMoveTiles<2>(tiles, slot, fieldX, rule.driftsSideways, speeds); break;
    }
    if (restackDue(rule, lastBefore)) {
        for (int k = 0; k < BackTileCount - 1; ++k) restackTile(tiles[k], k, rule);
    }
    if (restackDue(rule, tiles[BackTileCount - 1].y)) restackTile(tiles[BackTileCount - 1], BackTileCount - 1, rule);
}

void scrollBackgrounds(BackgroundScene scene) {
    const int index = static_cast<int>(scene);
    if (index < 0 || index >= static_cast<int>(std::size(sceneColumns))) return;
    const SceneColumns& list = sceneColumns[index];
    for (int i = 0; i < list.count; ++i) scrollBackColumn(list.columns[i]);
}

void resetBackColumns() {
    for (auto& column : backTiles) {
        for (int k = 0; k < BackTileCount; ++k) {
            column[k].x = screenX(backTileStartX);
            column[k].y = backTileStartY - static_cast<float>(BackTileHeight) * static_cast<float>(k);
            column[k].drift = 0.0f;
        }
    }
}
