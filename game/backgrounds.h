// The scrolling background: columns of 360x480 tiles, each column one
// bitmap sliding down the play field at its own speed. Callers draw several
// columns a frame, the farthest first; the colour key lets the farther
// columns show through the nearer ones.
#pragma once

#include <cstdint>
#include <limits>
#include <span>

struct BackTile {
    float x, y;   // top-left of the tile
    float drift;  // px/s sideways, for the columns that use it
};

constexpr int BackTileCount = 5000;
constexpr int BackTileWidth = 360;
constexpr int BackTileHeight = 480;

enum BackColumn : int { Back1S, Back2S, Back3S, Back4S, Back5S, Back8S, BackColumnCount };
extern BackTile backTiles[BackColumnCount][BackTileCount];

// Where the tiles stand after a reset: tile k at (220, 120 - 480k).
constexpr float backTileStartX = 220.0f;
constexpr float backTileStartY = 120.0f;
// 1S and 2S show their re-stack frame at this x.
constexpr float backRestackX = 140.0f;

// A speed that applies while scrollDistance lies in [low, high].
struct SpeedBand {
    float low, high;
    float speed;  // px/s
};
constexpr float openEnd = std::numeric_limits<float>::infinity();

struct BackColumnRule {
    int32_t* image;          // slot global of the column's bitmap
    float speed;                      // px/s when the column has no bands
    std::span<const SpeedBand> bands;  // empty: the constant speed
    bool driftsSideways;     // x := 220 + drift x frameTime
    bool restackAtZero;      // re-stack once the last tile's y >= 0 (else > 0)
    bool restackShiftsX;     // x := 140 for the re-stack frame
};
extern const BackColumnRule backColumns[BackColumnCount];

// Draws one column and then advances it.
void scrollBackColumn(int column);

// The columns each screen draws, farthest first.
enum class BackgroundScene : int { Stage1, Stage2, Stage3, ShipSelect, Ending };
void scrollBackgrounds(BackgroundScene scene);

// Every column back to its stacked start.
void resetBackColumns();
