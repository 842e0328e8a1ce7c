#include "platform/surface.h"
#include "platform/surface_kernels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

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

// The colour-keyed copy: every pixel whose low 24 bits differ from the key
// is written. This is the hot path of every frame (hundreds of sprites), so
// blocks of pixels are compared at once and their opaque pixels written
// through the comparison's mask, without branching on the picture's
// contents; the destination is never read.
struct KeyedCopy {
    uint32_t* d;
    size_t dstPitch;
    const uint32_t* s;
    size_t srcPitch;
    int w, h;
    uint32_t key;
};
using KeyedCopyFn = void (*)(const KeyedCopy& c);

void keyedCopyPlain(const KeyedCopy& c) {
    const uint32_t* s = c.s;
    uint32_t* d = c.d;
    for (int row = 0; row < c.h; ++row, s += c.srcPitch, d += c.dstPitch)
        for (int i = 0; i < c.w; ++i)
            if ((s[i] & 0x00FFFFFFu) != c.key) d[i] = s[i];
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) inline void keyedBlockAvx2(uint32_t* d, const uint32_t* s, __m256i low24, __m256i keys) {
    const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
    const __m256i clear = _mm256_cmpeq_epi32(_mm256_and_si256(p, low24), keys);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(d), _mm256_xor_si256(clear, _mm256_set1_epi32(-1)), p);
}

__attribute__((target("avx2"))) void keyedCopyAvx2(const KeyedCopy& c) {
    if (c.w < 8) return keyedCopyPlain(c);
    const __m256i low24 = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(c.key));
    const int whole = c.w - c.w % 8;
    const uint32_t* s = c.s;
    uint32_t* d = c.d;
    for (int row = 0; row < c.h; ++row, s += c.srcPitch, d += c.dstPitch) {
        for (int i = 0; i < whole; i += 8) keyedBlockAvx2(d + i, s + i, low24, keys);
        // The last pixels as one block ending at the row's end: pixels it
        // shares with the block before are simply written again.
        if (whole < c.w) keyedBlockAvx2(d + c.w - 8, s + c.w - 8, low24, keys);
    }
}

__attribute__((target("avx512f"))) void keyedCopyAvx512(const KeyedCopy& c) {
    const __m512i low24 = _mm512_set1_epi32(0x00FFFFFF);
    const __m512i keys = _mm512_set1_epi32(static_cast<int>(c.key));
    const __mmask16 tailLanes = static_cast<__mmask16>((1u << (c.w % 16)) - 1u);
    const int whole = c.w - c.w % 16;
    const uint32_t* s = c.s;
    uint32_t* d = c.d;
    for (int row = 0; row < c.h; ++row, s += c.srcPitch, d += c.dstPitch) {
        int i = 0;
        for (; i < whole; i += 16) {
            const __m512i p = _mm512_loadu_si512(s + i);
            const __mmask16 drawn = _mm512_mask_cmpneq_epi32_mask(0xFFFF, _mm512_and_si512(p, low24), keys);
            if (drawn != 0) _mm512_mask_storeu_epi32(d + i, drawn, p);  // skips runs of transparent pixels
        }
        if (i < c.w) {
            const __m512i p = _mm512_maskz_loadu_epi32(tailLanes, s + i);
            _mm512_mask_storeu_epi32(d + i, _mm512_mask_cmpneq_epi32_mask(tailLanes, _mm512_and_si512(p, low24), keys), p);
        }
    }
}

KeyedCopyFn keyedCopyFor(KeyedCopyLevel level) {
    switch (level) {
        case KeyedCopyLevel::Avx512: return __builtin_cpu_supports("avx512f") ? keyedCopyAvx512 : nullptr;
        case KeyedCopyLevel::Avx2: return __builtin_cpu_supports("avx2") ? keyedCopyAvx2 : nullptr;
        case KeyedCopyLevel::Plain: return keyedCopyPlain;
    }
    return nullptr;
}
#else
KeyedCopyFn keyedCopyFor(KeyedCopyLevel level) { return level == KeyedCopyLevel::Plain ? keyedCopyPlain : nullptr; }
#endif

KeyedCopyFn bestKeyedCopy() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();  // this runs among the static initialisers
#endif
    for (KeyedCopyLevel level : {KeyedCopyLevel::Avx512, KeyedCopyLevel::Avx2})
        if (KeyedCopyFn fn = keyedCopyFor(level)) return fn;
    return keyedCopyPlain;
}
KeyedCopyFn keyedCopy = bestKeyedCopy();
}  // namespace

bool useKeyedCopy(KeyedCopyLevel level) {
    if (KeyedCopyFn fn = keyedCopyFor(level)) {
        keyedCopy = fn;
        return true;
    }
    return false;
}

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
            std::memmove(d, s, static_cast<size_t>(w) * sizeof(uint32_t));
        return Result::Ok;
    }
    keyedCopy(KeyedCopy{d, static_cast<size_t>(dst->width), s, static_cast<size_t>(src->width), w, h, src->colorKey});
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
