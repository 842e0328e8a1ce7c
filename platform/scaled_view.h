// The picture as a window without a GPU shows it: scaled to the window with
// its aspect kept (black bars), filtered linearly as a GPU's texture
// sampling would (bilinear, texel centres, 8-bit weights), drawn by us into
// the window's own pixel buffer.
//
// The view remembers the picture it last drew, so that a frame redraws only
// the window rows whose source rows changed: a still screen costs one
// comparison of the picture and nothing more. A frame is drawn in one pass
// down the window: each source row is compared as the first window row that
// reads it comes, scaled across once into a small ring of rows that stays
// in the cache, and mixed down into the window. Everything it needs is
// allocated when it is set up for a size, never per frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/large_memory.h"
#include "platform/surface.h"

namespace plat {

struct ScaledView {
    int sourceWidth = 0, sourceHeight = 0;
    int targetWidth = 0, targetHeight = 0;
    Rect view;              // where the picture lands in the target
    bool oneToOne = false;  // the view is the picture's own size
    // Per column / row of the view: the two source texels and the weight of
    // the second, 0..256.
    std::vector<int32_t> columnFirst, columnSecond, rowFirst, rowSecond;
    std::vector<uint16_t> columnWeight, rowWeight;
    std::vector<uint16_t> columnWeight4;  // each column's weight four times, once per channel
    int pairedColumns = 0;                // leading columns whose texels lie side by side
    // Leading blocks of 8 or 16 columns (as wide as the processor's vectors)
    // whose texels all lie within that many pixels plus one from the block's
    // base (when the picture is enlarged): per block the base, each column's
    // texel less the base, and the columns' weights (doubled) per channel in
    // the order the pixels are widened to 16 bits.
    int blocks = 0, blockWidth = 0;
    std::vector<int32_t> blockBase, blockOffset;
    std::vector<int16_t> blockWeight;
    LargeArray<uint32_t> shown;     // the picture last drawn, sourceWidth per row
    LargeArray<uint32_t> across;    // two slots for source rows scaled across
    int acrossRow[2] = {-1, -1};    // which source row each holds, -1 none
    uint32_t* acrossAt[2] = {};     // where in its slot that row lies
    std::vector<uint8_t> changed;   // per source row, during an update
    bool wholeTarget = true;        // the next update draws everything, bars too
};

// Where a picture goes in a target with its aspect kept, as a renderer with
// a logical size places it: the full width or height, centred, the other
// side rounded down.
Rect fitPicture(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);

// Sets the view up for these sizes (allocating its tables); the next update
// draws the whole target. The picture last drawn (view.shown) is kept when
// the source's size is the same. false for a size that is not positive.
bool setUpScaledView(ScaledView& view, int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);
// The next update draws the whole target again (the window was exposed).
void invalidateScaledView(ScaledView& view);

// Draws into `target` (targetWidth x targetHeight, `targetPitch` pixels a
// row) what changed of `source` (sourceWidth x sourceHeight) since the last
// update, or all of it after set-up or invalidation (`source` may then be
// view.shown, the picture last drawn). Writes the target
// rectangles it changed to `rects` (at most `maxRects`; more bands are
// joined) and returns their number, 0 when nothing changed.
int updateScaledView(ScaledView& view, const uint32_t* source, size_t sourcePitch, uint32_t* target,
                     size_t targetPitch, Rect* rects, int maxRects);

// Window pixel to picture pixel (for the pointer) and back (for the cursor
// rectangle), as a renderer with a logical size maps them.
void viewToPicture(const ScaledView& view, int& x, int& y);
void pictureToView(const ScaledView& view, int& x, int& y);

}  // namespace plat
