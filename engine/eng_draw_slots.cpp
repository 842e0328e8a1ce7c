// engDraw: the image-slot table, colour keys, the clip rectangle and the
// clipped blits onto the back surface.
#include <cstdint>
#include <limits>

#include "engine/eng_draw.h"

ImageSlot imageSlots[ImageSlotCount];
int32_t keyColor;
ClipRect clipRect;

namespace {

bool slotInRange(int slot) { return slot >= 0 && slot < ImageSlotCount; }

bool fitsInt32(int64_t v) {
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// The one clipped blit behind Blit and BlitOpaque. A rectangle the clip cuts
// below zero size draws nothing (ClippedAway); one cut to exactly zero is
// still handed to the copy. The four cuts run in this order (right, bottom,
// left, top). The sums are taken in 64 bits so that far-off coordinates
// cannot overflow.
int clippedBlit(int x, int y, int slot, int left, int top, int right, int bottom, bool keyed) {
    int64_t dx = x, dy = y, l = left, t = top, r = right, b = bottom;
    if (engDraw::ClippedAway(dx, dy, r - l, b - t)) return 0;
    if (dx + (r - l) > clipRect.right) r = clipRect.right - dx + l;
    if (dy + (b - t) > clipRect.bottom) b = clipRect.bottom - dy + t;
    if (dx < clipRect.left) {
        l += clipRect.left - dx;
        dx = clipRect.left;
    }
    if (dy < clipRect.top) {
        t += clipRect.top - dy;
        dy = clipRect.top;
    }
    engDraw::FillSlot(slot);  // a slot is never drawn from before its picture is in
    if (!slotInRange(slot) || imageSlots[slot].surface == nullptr) return static_cast<int>(plat::Result::NoSurface);
    if (!fitsInt32(l) || !fitsInt32(t) || !fitsInt32(r) || !fitsInt32(b))
        return static_cast<int>(plat::Result::InvalidRect);

    const plat::Rect src{static_cast<int32_t>(l), static_cast<int32_t>(t), static_cast<int32_t>(r),
                         static_cast<int32_t>(b)};
    const plat::Result result =
        plat::blit(backSurface, static_cast<int>(dx), static_cast<int>(dy), imageSlots[slot].surface, src, keyed);
    if (result == plat::Result::SurfaceLost) engDraw::Restore();
    return static_cast<int>(result);
}

}  // namespace

namespace engDraw {

int32_t MatchColor(plat::Surface* surface, int32_t color) {
    // The colour is written into the first pixel and read back as the
    // surface's own value; the pixel is then put back. -1 reads the first
    // pixel as it is.
    if (surface == nullptr || surface->lost) return -1;
    const uint32_t saved = surface->pixels[0];
    if (color != -1) surface->pixels[0] = plat::pixelFromColorRef(static_cast<uint32_t>(color) & 0x00FFFFFFu);
    const uint32_t value = surface->pixels[0];
    if (color != -1) {
        surface->pixels[0] = saved;
        plat::surfacePixelsChanged(surface);
    }
    return static_cast<int32_t>(value);
}

void SetColorKey(plat::Surface* surface, int32_t color) {
    if (surface == nullptr) return;
    plat::setColorKey(surface, static_cast<uint32_t>(MatchColor(surface, color)));
}

void SetKeyColor(int32_t color) { keyColor = color; }

void SetClip(int left, int top, int right, int bottom) { clipRect = ClipRect{left, top, right, bottom}; }

int Blit(int x, int y, int slot, int left, int top, int right, int bottom) {
    return clippedBlit(x, y, slot, left, top, right, bottom, true);
}

int BlitOpaque(int x, int y, int slot, int left, int top, int right, int bottom) {
    return clippedBlit(x, y, slot, left, top, right, bottom, false);
}

int GrabScreen(int slot, int left, int top, int right, int bottom) {
    FillSlot(slot);
    if (!slotInRange(slot) || imageSlots[slot].surface == nullptr) return static_cast<int>(plat::Result::NoSurface);
    const plat::Result result =
        plat::blit(imageSlots[slot].surface, 0, 0, backSurface, plat::Rect{left, top, right, bottom}, false);
    if (result == plat::Result::SurfaceLost) Restore();
    return static_cast<int>(result);
}

}  // namespace engDraw
