// The platform layer: drawing surfaces, the screen and text.
//
// Surfaces are our own 32-bit pixel buffers (0x00RRGGBB; the top byte is
// always 0). Every copy and fill works on them directly, so drawing behaves
// the same with and without a display. A surface can be "lost" (its contents
// taken away, as when the display is taken from the program): an operation
// that meets a lost surface fails with Result::SurfaceLost until the surface
// is restored and the engine has drawn or loaded its picture again. The
// headless layer can declare every surface lost so that the restore path is
// testable.
#pragma once

#include <cstdint>

namespace plat {

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

// Where the opaque pixels of a keyed surface lie (kept by the keyed copy).
struct KeyRuns;

struct Surface {
    int width = 0;
    int height = 0;
    uint32_t* pixels = nullptr;  // width * height, row after row
    bool lost = false;
    bool hasColorKey = false;
    uint32_t colorKey = 0;       // compared on the low 24 bits
    // The keyed copy's index of opaque runs, built from the pixels and key
    // by the first keyed copy, and again after they change. Code that writes
    // `pixels` directly must call surfacePixelsChanged afterwards; the
    // functions declared here do so themselves.
    mutable KeyRuns* keyRuns = nullptr;
};

enum class Result : int {
    Ok = 0,
    SurfaceLost,   // source or destination lost: restore and reload
    InvalidRect,   // rectangle not inside the surfaces: nothing copied
    NoSurface,     // null surface
};

// Largest width or height a surface may have.
constexpr int MaxSurfaceSide = 8192;

// A new zero-filled surface, or nullptr (bad size, no memory).
Surface* createSurface(int width, int height);
void destroySurface(Surface* surface);

// Clears the lost flag and the contents (which a loss does not keep).
Result restoreSurface(Surface* surface);
// Marks every live surface lost (test hook of the headless layer, also used
// by the SDL layer if it ever loses its device).
void loseAllSurfaces();

void setColorKey(Surface* surface, uint32_t pixel);
void clearColorKey(Surface* surface);

// Tells the keyed copy that `pixels` were written other than through the
// calls here, so that what it knows of the picture is stale.
void surfacePixelsChanged(Surface* surface);

// Builds the keyed copy's index of the surface's opaque runs now, as a
// loader with time to spare may, rather than in the first keyed copy.
void prepareKeyedCopy(const Surface* surface);

// Copies src's rectangle to (x, y) of dst. keyed: pixels equal to src's
// colour key (on 24 bits) are skipped. A rectangle that is not wholly inside
// both surfaces is rejected (InvalidRect) and nothing is copied; an empty
// rectangle (right == left or bottom == top) copies nothing and succeeds.
Result blit(Surface* dst, int x, int y, const Surface* src, const Rect& srcRect, bool keyed);

// Fills the rectangle (clamped to nothing outside the surface) with pixel.
Result fillRect(Surface* dst, const Rect& rect, uint32_t pixel);

// Converts a colour given as 0x00BBGGRR (the order the game's colour values
// use) to the surfaces' 0x00RRGGBB pixel.
constexpr uint32_t pixelFromColorRef(uint32_t colorRef) {
    return ((colorRef & 0xFFu) << 16) | (colorRef & 0xFF00u) | ((colorRef >> 16) & 0xFFu);
}

// ---------------------------------------------------------------------------
// The screen
// ---------------------------------------------------------------------------

// Shows srcRect of `back` in the window (full screen: scaled to fit with its
// aspect kept). waitVBlank: wait for the display's vertical blank first.
// `primary` stands for the visible screen: when it or `back` is lost the
// call returns SurfaceLost and shows nothing. The headless layer copies the
// picture into `primary` and counts the presents.
Result presentFrame(Surface* primary, const Surface* back, const Rect& srcRect, bool waitVBlank);

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

struct Font;

// face 0: the Mincho (serif) face, 1: the Gothic (sans) face.
// height in pixels, angle in degrees (counter-clockwise), weight 400 normal
// / 700 bold. nullptr when no font can be opened.
Font* createFont(int face, int height, int angleDegrees, int weight, bool italic, bool underline);
void destroyFont(Font* font);
// Draws UTF-8 text with its top-left at (x, y). Colours are pixels
// (0x00RRGGBB). opaque: the text's box is filled with `background` first.
// Returns false when nothing could be drawn.
bool drawText(Surface* dst, Font* font, int x, int y, const char* text, uint32_t foreground,
              uint32_t background, bool opaque);

}  // namespace plat
