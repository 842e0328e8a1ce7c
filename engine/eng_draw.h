// engDraw: the screen and its surfaces, the image-slot table, clipped
// colour-keyed blits, frame present with screen transitions, and text.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/surface.h"

// ---------------------------------------------------------------------------
// Screen
// ---------------------------------------------------------------------------
extern plat::Surface* primarySurface;  // stands for the visible screen
extern plat::Surface* backSurface;     // every frame is drawn here
extern int32_t screenWidth, screenHeight;
extern int32_t colorDepth;
extern int32_t hardwareFlag;
extern plat::Rect presentSrc;
extern plat::Rect presentDest;

// ---------------------------------------------------------------------------
// Image slots
// ---------------------------------------------------------------------------
constexpr int ImageSlotCount = 500;
constexpr int FirstLoadSlot = 4;     // slots 0..3 are the internal screen-sized ones
constexpr int SlotNameLength = 30;   // characters, without the terminator

struct ImageSlot {
    plat::Surface* surface;
    char name[SlotNameLength + 1];   // empty: free; "*...": created empty
    int32_t kind;                    // 0: loaded from a bitmap
    int32_t memoryKind;              // used when reloading after a loss
    int32_t colorKey;                // colour value (0x00BBGGRR), 0 = black
    uint16_t width;
    uint16_t height;
    int32_t waiting;                 // SlotWaiting...: loaded, its picture still to come
};
// A slot loaded while its picture was still being made waits for it: it is
// taken (name, key) but has no surface yet. Its first use fills it, and so
// does the idle time between frames, whichever comes first; the game never
// sees the difference. The values say which load it came from.
constexpr int32_t SlotWaitingLoad = 1, SlotWaitingSwap = 2;
extern ImageSlot imageSlots[ImageSlotCount];

extern int32_t keyColor;             // colour key given to the next load
struct ClipRect {
    int32_t left, top, right, bottom;
};
extern ClipRect clipRect;

// ---------------------------------------------------------------------------
// Screen transitions
// ---------------------------------------------------------------------------
struct ScreenTransition {
    int32_t kind;       // 0..12 draw, 13 and above only count steps
    int32_t step;       // non-zero while a transition runs
    int32_t stepCount;  // length of an opening transition, in presents
};
extern ScreenTransition screenTransition;
// The image slot an opening transition wipes away: the switching code grabs
// the screen into it first.
constexpr int SnapshotSlot = 1;
extern int32_t transitionRunning;    // -1 opening, +1 closing, 0 none
extern int32_t vsyncFlag;

namespace engDraw {

int Screen(int width, int height, int type);
int GetDesktopDepth();
int ClearScreen();
int Restore();
void Release();

// Empties a slot: no surface, no name, kind 0, memory kind 2, key 0, size 0.
void ClearSlot(ImageSlot& slot);

int LoadObject(const char* name, int memoryKind);
int SwapObject(const char* name, int slot, int memoryKind);
// The largest picture the game draws, told by the asset loader: a bitmap
// wider or taller is refused like a damaged one. 0 (and the start) leaves
// only the largest surface as the bound.
void SetPictureLimit(int width, int height);
// Fills a waiting slot now, waiting for its picture if need be (every use of
// a slot calls this first). false when the picture could not be loaded
// (its error box has been shown, the slot stays without a surface).
bool FillSlot(int slot);
// Fills one waiting slot whose picture is ready, without waiting; false when
// there was none (the platform's idle work while slots wait).
bool FillReadySlot();
int WaitingSlotCount();
// Draws a decoded bitmap's rectangle (0 = its whole width / height) onto the
// whole surface, stretched to fit. 0 on success.
int CopyBitmap(plat::Surface* surface, const plat::Surface* bitmap, int sourceX, int sourceY, int width,
               int height);
int32_t MatchColor(plat::Surface* surface, int32_t color);
void SetColorKey(plat::Surface* surface, int32_t color);
void SetKeyColor(int32_t color);
void SetClip(int left, int top, int right, int bottom);
// Whether the clip rectangle cuts a width x height blit at (x, y) away
// whole, so that Blit and BlitOpaque return 0 without copying (one cut to
// exactly zero size still reaches the copy). Both blits ask it first; a
// caller with many far-off sprites may ask it to skip them cheaply.
inline bool ClippedAway(int64_t x, int64_t y, int64_t width, int64_t height) {
    const int64_t left = std::max<int64_t>(x, clipRect.left);
    const int64_t right = std::min<int64_t>(x + width, clipRect.right);
    const int64_t top = std::max<int64_t>(y, clipRect.top);
    const int64_t bottom = std::min<int64_t>(y + height, clipRect.bottom);
    return right < left || bottom < top;
}
int Blit(int x, int y, int slot, int left, int top, int right, int bottom);
int BlitOpaque(int x, int y, int slot, int left, int top, int right, int bottom);
int GrabScreen(int slot, int left, int top, int right, int bottom);

int Present();
void SetVSync(int32_t flag);

void InitFonts();
void SelectFont(int face, int height, int angle, int bold, int italic, int underline);
void SetTextColor(int32_t textColor, int32_t backgroundColor, int transparent);
int PutText(int x, int y, const char* text);
void ReleaseFont();
void FreeFontMemory();

}  // namespace engDraw
