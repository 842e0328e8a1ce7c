#include "platform/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace plat {

namespace {
// Every live surface, so that a loss can reach all of them.
std::vector<Surface*>& liveSurfaces() {
    static std::vector<Surface*> surfaces;
    return surfaces;
}

bool rectInside(const Rect& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.left <= r.right && r.top <= r.bottom && r.right <= width &&
           r.bottom <= height;
}
}  // namespace

Surface* createSurface(int width, int height) {
    if (width <= 0 || height <= 0 || width > MaxSurfaceSide || height > MaxSurfaceSide) return nullptr;
    auto* pixels = static_cast<uint32_t*>(std::calloc(static_cast<size_t>(width) * height, sizeof(uint32_t)));
    if (pixels == nullptr) return nullptr;
    auto* s = new (std::nothrow) Surface;
    if (s == nullptr) {
        std::free(pixels);
        return nullptr;
    }
    s->width = width;
    s->height = height;
    s->pixels = pixels;
    liveSurfaces().push_back(s);
    return s;
}

void destroySurface(Surface* surface) {
    if (surface == nullptr) return;
    auto& all = liveSurfaces();
    all.erase(std::remove(all.begin(), all.end(), surface), all.end());
    std::free(surface->pixels);
    delete surface;
}

Result restoreSurface(Surface* surface) {
    if (surface == nullptr) return Result::NoSurface;
    if (surface->lost) {
        std::memset(surface->pixels, 0, static_cast<size_t>(surface->width) * surface->height * sizeof(uint32_t));
        surface->lost = false;
    }
    return Result::Ok;
}

void loseAllSurfaces() {
    for (Surface* s : liveSurfaces()) s->lost = true;
}

void setColorKey(Surface* surface, uint32_t pixel) {
    if (surface == nullptr) return;
    surface->hasColorKey = true;
    surface->colorKey = pixel & 0x00FFFFFFu;
}

void clearColorKey(Surface* surface) {
    if (surface == nullptr) return;
    surface->hasColorKey = false;
    surface->colorKey = 0;
}

Result blit(Surface* dst, int x, int y, const Surface* src, const Rect& srcRect, bool keyed) {
    if (dst == nullptr || src == nullptr) return Result::NoSurface;
    if (dst->lost || src->lost) return Result::SurfaceLost;
    const int w = srcRect.right - srcRect.left;
    const int h = srcRect.bottom - srcRect.top;
    if (!rectInside(srcRect, src->width, src->height)) return Result::InvalidRect;
    const Rect dstRect{x, y, x + w, y + h};
    if (!rectInside(dstRect, dst->width, dst->height)) return Result::InvalidRect;
    if (w == 0 || h == 0) return Result::Ok;

    const uint32_t* s = src->pixels + static_cast<size_t>(srcRect.top) * src->width + srcRect.left;
    uint32_t* d = dst->pixels + static_cast<size_t>(y) * dst->width + x;
    if (!keyed || !src->hasColorKey) {
        for (int row = 0; row < h; ++row, s += src->width, d += dst->width)
            std::memcpy(d, s, static_cast<size_t>(w) * sizeof(uint32_t));
        return Result::Ok;
    }
    const uint32_t key = src->colorKey;
    for (int row = 0; row < h; ++row, s += src->width, d += dst->width) {
        for (int i = 0; i < w; ++i) {
            const uint32_t p = s[i];
            d[i] = ((p & 0x00FFFFFFu) == key) ? d[i] : p;
        }
    }
    return Result::Ok;
}

Result fillRect(Surface* dst, const Rect& rect, uint32_t pixel) {
    if (dst == nullptr) return Result::NoSurface;
    if (dst->lost) return Result::SurfaceLost;
    const int l = std::max(rect.left, 0), t = std::max(rect.top, 0);
    const int r = std::min(rect.right, dst->width), b = std::min(rect.bottom, dst->height);
    if (r <= l || b <= t) return Result::Ok;
    for (int row = t; row < b; ++row) {
        uint32_t* d = dst->pixels + static_cast<size_t>(row) * dst->width;
        std::fill(d + l, d + r, pixel);
    }
    return Result::Ok;
}

}  // namespace plat
