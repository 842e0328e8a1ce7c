#include "platform/surface.h"

#include "platform/keyed_copy.h"
#include "platform/large_memory.h"
#include "platform/surface_kernels.h"

#include <algorithm>
#include <chrono>
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

// The chosen form of the keyed copy (none until the forms are timed or a
// caller picks one) and how blit picks between its dense copy and its copy
// by runs.
KeyedCopyLevel keyedCopyLevel = KeyedCopyLevel::Plain;
const KeyedCopyForm* keyedCopy = nullptr;
KeyedCopyMethod keyedCopyMethod = KeyedCopyMethod::Auto;
void measureKeyedCopies();
}  // namespace

bool useKeyedCopy(KeyedCopyLevel level) {
    if (const KeyedCopyForm* form = keyedCopyForm(level)) {
        keyedCopy = form;
        keyedCopyLevel = level;
        return true;
    }
    return false;
}

void useKeyedCopyMethod(KeyedCopyMethod method) { keyedCopyMethod = method; }

// ---------------------------------------------------------------------------
// The index of opaque runs
// ---------------------------------------------------------------------------
// Sprites are drawn hundreds of times a frame, are mostly transparent round
// their shapes, and their pixels and keys change only when pictures load or
// are restored. So a keyed source keeps, row by row, the runs of pixels that
// differ from its key, and a keyed copy writes just those runs, one block
// copy each, never looking at the transparent pixels. The index is built by
// the first keyed copy after the key was set or the pixels or the key
// changed; its memory grows only while building, never per copy.

namespace {

bool transparent(uint32_t pixel, uint32_t key) { return (pixel & 0x00FFFFFFu) == key; }

// Calls onRun(begin, end) for every opaque run of the row, left to right.
template <class OnRun>
void scanRow(const uint32_t* row, int width, uint32_t key, OnRun onRun) {
    int x = 0;
    while (x < width) {
        while (x < width && transparent(row[x], key)) ++x;
        const int begin = x;
        while (x < width && !transparent(row[x], key)) ++x;
        if (x > begin) onRun(begin, x);
    }
}

// What each copy of each form (indexed by KeyedCopyLevel) costs here, in
// nanoseconds: the dense copy pays for every pixel of the rectangle (it
// compares them all); the copy by runs pays for each run (finding and
// starting it) and for each opaque pixel. Measured by measureKeyedCopies.
struct CopyCost {
    double densePixel, run, runPixel;
};
CopyCost copyCosts[KeyedCopyLevels];
bool keyedCopiesMeasured = false;
KeyedCopyLevel measuredLevel = KeyedCopyLevel::Plain;

// Makes room for more runs: twice as many, at least one a row to start.
bool growRuns(KeyRuns& index, size_t rows) {
    const size_t capacity = std::max(index.capacity * 2, rows);
    auto* grown = static_cast<Run*>(std::realloc(index.runs, capacity * sizeof(Run)));
    if (grown == nullptr) return false;
    index.runs = grown;
    index.capacity = capacity;
    return true;
}

// Builds the index of src under its current key; false when there is no
// memory for it (the dense copy then does the work).
bool buildKeyRuns(const Surface* src) {
    KeyRuns* index = src->keyRuns;
    if (index == nullptr) {
        index = new (std::nothrow) KeyRuns;
        if (index == nullptr) return false;
        index->rowStart = static_cast<uint32_t*>(std::malloc((static_cast<size_t>(src->height) + 1) * sizeof(uint32_t)));
        if (index->rowStart == nullptr) {
            delete index;
            return false;
        }
        src->keyRuns = index;
    }
    // One pass over the pixels; the run buffer doubles when it is full.
    const uint32_t key = src->colorKey;
    size_t count = 0, opaque = 0;
    bool outOfMemory = false;
    for (int y = 0; y < src->height && !outOfMemory; ++y) {
        index->rowStart[y] = static_cast<uint32_t>(count);
        scanRow(src->pixels + static_cast<size_t>(y) * src->width, src->width, key, [&](int begin, int end) {
            if (count == index->capacity && !growRuns(*index, static_cast<size_t>(src->height))) {
                outOfMemory = true;
                return;
            }
            index->runs[count++] = Run{static_cast<uint16_t>(begin), static_cast<uint16_t>(end)};
            opaque += static_cast<size_t>(end - begin);
        });
    }
    if (outOfMemory) return false;
    index->rowStart[src->height] = static_cast<uint32_t>(count);

    index->valid = true;
    if (!keyedCopiesMeasured) measureKeyedCopies();  // which builds indexes of its own
    const double area = static_cast<double>(src->width) * src->height;
    for (int level = 0; level < KeyedCopyLevels; ++level) {
        const CopyCost& c = copyCosts[level];
        index->runsFaster[level] =
            static_cast<double>(count) * c.run + static_cast<double>(opaque) * c.runPixel < area * c.densePixel;
    }
    return true;
}

// src's index, built if it is stale; nullptr when it cannot be built.
const KeyRuns* keyRunsOf(const Surface* src) {
    if (src->keyRuns != nullptr && src->keyRuns->valid) return src->keyRuns;
    return buildKeyRuns(src) ? src->keyRuns : nullptr;
}

void forgetKeyRuns(const Surface* surface) {
    if (surface->keyRuns != nullptr) surface->keyRuns->valid = false;
}

void freeKeyRuns(Surface* surface) {
    if (surface->keyRuns == nullptr) return;
    std::free(surface->keyRuns->runs);
    std::free(surface->keyRuns->rowStart);
    delete surface->keyRuns;
    surface->keyRuns = nullptr;
}

// ---------------------------------------------------------------------------
// Timing the forms
// ---------------------------------------------------------------------------
// Two 32x32 sample pictures: a disc (one run a row, as most sprites) and
// stripes of 3 opaque and 2 transparent pixels (many short runs). Each copy
// is timed as the best of a few rounds; the two copies by runs give the
// cost of a run and of a pixel, the dense copy of the disc that of a pixel.
// The form chosen is the one that copies the two samples fastest, each by
// its faster copy.

constexpr int SampleSide = 32;

struct Sample {
    uint32_t pixels[SampleSide * SampleSide];
    Surface surface;
    size_t runs = 0, opaque = 0;
};

bool sampleOpaque(int kind, int x, int y) {
    if (kind == 1) return x % 5 < 3;
    const int dx = 2 * x + 1 - SampleSide, dy = 2 * y + 1 - SampleSide;
    return dx * dx + dy * dy < (SampleSide - 4) * (SampleSide - 4);
}

// Nanoseconds of one call of `copy`: the best of several rounds.
template <class Copy>
double timeCopy(Copy copy) {
    using Clock = std::chrono::steady_clock;
    constexpr int Rounds = 7, Calls = 4;
    double best = 1e18;
    for (int round = 0; round < Rounds; ++round) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < Calls; ++i) copy();
        best = std::min(best, std::chrono::duration<double, std::nano>(Clock::now() - start).count() / Calls);
    }
    return best;
}

void measureKeyedCopies() {
    keyedCopiesMeasured = true;
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
#endif
    static Sample samples[2];
    static uint32_t target[SampleSide * SampleSide];
    for (int kind = 0; kind < 2; ++kind) {
        Sample& sample = samples[kind];
        for (int y = 0; y < SampleSide; ++y)
            for (int x = 0; x < SampleSide; ++x)
                sample.pixels[y * SampleSide + x] = sampleOpaque(kind, x, y) ? 0x406080u + static_cast<uint32_t>(x + y) : 0u;
        sample.surface = Surface{};
        sample.surface.width = sample.surface.height = SampleSide;
        sample.surface.pixels = sample.pixels;
        sample.surface.hasColorKey = true;
        if (!buildKeyRuns(&sample.surface)) {
            // No memory for an index: the widest form, untimed (the dense
            // copy does the work).
            for (int level = 0; level < KeyedCopyLevels; ++level)
                if (keyedCopyForm(static_cast<KeyedCopyLevel>(level)) != nullptr) measuredLevel = static_cast<KeyedCopyLevel>(level);
            for (Sample& built : samples) freeKeyRuns(&built.surface);
            if (keyedCopy == nullptr) useKeyedCopy(measuredLevel);
            return;
        }
        sample.runs = sample.surface.keyRuns->rowStart[SampleSide];
        sample.opaque = 0;
        for (size_t i = 0; i < sample.runs; ++i)
            sample.opaque += static_cast<size_t>(sample.surface.keyRuns->runs[i].end - sample.surface.keyRuns->runs[i].begin);
    }
    const Rect whole{0, 0, SampleSide, SampleSide};
    double bestTime = 1e18;
    for (int level = 0; level < KeyedCopyLevels; ++level) {
        const KeyedCopyForm* form = keyedCopyForm(static_cast<KeyedCopyLevel>(level));
        if (form == nullptr) continue;
        double dense[2], runs[2];
        for (int kind = 0; kind < 2; ++kind) {
            const Sample& sample = samples[kind];
            dense[kind] = timeCopy([&] {
                form->dense(KeyedCopy{target, SampleSide, sample.pixels, SampleSide, SampleSide, SampleSide, 0});
            });
            runs[kind] = timeCopy([&] { form->byRuns(RunCopy{target, SampleSide, &sample.surface, sample.surface.keyRuns, whole}); });
        }
        // runs[k] = runs_k * run + opaque_k * runPixel, for both samples.
        const double r0 = static_cast<double>(samples[0].runs), p0 = static_cast<double>(samples[0].opaque);
        const double r1 = static_cast<double>(samples[1].runs), p1 = static_cast<double>(samples[1].opaque);
        const double det = r0 * p1 - r1 * p0;
        CopyCost& cost = copyCosts[level];
        cost.densePixel = std::min(dense[0], dense[1]) / (SampleSide * SampleSide);
        cost.run = std::max((runs[0] * p1 - runs[1] * p0) / det, 0.01);
        cost.runPixel = std::max((r0 * runs[1] - r1 * runs[0]) / det, 0.01);
        const double time = std::min(dense[0], runs[0]) + std::min(dense[1], runs[1]);
        if (time < bestTime) {
            bestTime = time;
            measuredLevel = static_cast<KeyedCopyLevel>(level);
        }
    }
    for (Sample& sample : samples) freeKeyRuns(&sample.surface);
    if (keyedCopy == nullptr) useKeyedCopy(measuredLevel);
}

}  // namespace

KeyedCopyLevel useMeasuredKeyedCopy() {
    if (!keyedCopiesMeasured) measureKeyedCopies();
    useKeyedCopy(measuredLevel);
    return measuredLevel;
}

void surfacePixelsChanged(Surface* surface) {
    if (surface != nullptr) forgetKeyRuns(surface);
}

namespace {
size_t pixelBytes(int width, int height) { return static_cast<size_t>(width) * height * sizeof(uint32_t); }

// Screen-sized surfaces come in huge pages (platform/large_memory.h).
uint32_t* allocatePixels(int width, int height) {
    const size_t bytes = pixelBytes(width, height);
    if (bytes >= LargeBlockMinimum) return static_cast<uint32_t*>(allocateLargeBlock(bytes));
    return static_cast<uint32_t*>(std::calloc(bytes, 1));
}

void freePixels(uint32_t* pixels, int width, int height) {
    const size_t bytes = pixelBytes(width, height);
    if (bytes >= LargeBlockMinimum)
        freeLargeBlock(pixels, bytes);
    else
        std::free(pixels);
}
}  // namespace

Surface* createSurface(int width, int height) {
    if (width <= 0 || height <= 0 || width > MaxSurfaceSide || height > MaxSurfaceSide) return nullptr;
    uint32_t* pixels = allocatePixels(width, height);
    if (pixels == nullptr) return nullptr;
    auto* s = new (std::nothrow) Surface;
    if (s == nullptr) {
        freePixels(pixels, width, height);
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
    freeKeyRuns(surface);
    freePixels(surface->pixels, surface->width, surface->height);
    delete surface;
}

Result restoreSurface(Surface* surface) {
    if (surface == nullptr) return Result::NoSurface;
    if (surface->lost) {
        std::memset(surface->pixels, 0, static_cast<size_t>(surface->width) * surface->height * sizeof(uint32_t));
        surface->lost = false;
        forgetKeyRuns(surface);
    }
    return Result::Ok;
}

void loseAllSurfaces() {
    for (Surface* s : liveSurfaces()) {
        s->lost = true;
        forgetKeyRuns(s);
    }
}

void setColorKey(Surface* surface, uint32_t pixel) {
    if (surface == nullptr) return;
    const uint32_t key = pixel & 0x00FFFFFFu;
    if (!surface->hasColorKey || surface->colorKey != key) forgetKeyRuns(surface);
    surface->hasColorKey = true;
    surface->colorKey = key;
    // The index is built by the first keyed copy: many pictures are loaded
    // long before they are drawn, some never are, and indexing them all
    // would hold up the start.
}

void prepareKeyedCopy(const Surface* surface) {
    if (surface != nullptr && surface->hasColorKey && !surface->lost) keyRunsOf(surface);
}

void clearColorKey(Surface* surface) {
    if (surface == nullptr) return;
    surface->hasColorKey = false;
    surface->colorKey = 0;
    forgetKeyRuns(surface);
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
    surfacePixelsChanged(dst);
    if (!keyed || !src->hasColorKey) {
        for (int row = 0; row < h; ++row, s += src->width, d += dst->width)
            std::memmove(d, s, static_cast<size_t>(w) * sizeof(uint32_t));
        return Result::Ok;
    }
    if (!keyedCopiesMeasured) measureKeyedCopies();
    // A copy within one surface stays with the dense copy, whose order of
    // reads and writes decides what overlapping rectangles give.
    const KeyRuns* index = src != dst && keyedCopyMethod != KeyedCopyMethod::Dense ? keyRunsOf(src) : nullptr;
    if (index != nullptr &&
        (keyedCopyMethod == KeyedCopyMethod::Runs || index->runsFaster[static_cast<int>(keyedCopyLevel)]))
        keyedCopy->byRuns(RunCopy{d, static_cast<size_t>(dst->width), src, index, srcRect});
    else
        keyedCopy->dense(KeyedCopy{d, static_cast<size_t>(dst->width), s, static_cast<size_t>(src->width), w, h, src->colorKey});
    return Result::Ok;
}

Result fillRect(Surface* dst, const Rect& rect, uint32_t pixel) {
    if (dst == nullptr) return Result::NoSurface;
    if (dst->lost) return Result::SurfaceLost;
    const int l = std::max(rect.left, 0), t = std::max(rect.top, 0);
    const int r = std::min(rect.right, dst->width), b = std::min(rect.bottom, dst->height);
    if (r <= l || b <= t) return Result::Ok;
    surfacePixelsChanged(dst);
    for (int row = t; row < b; ++row) {
        uint32_t* d = dst->pixels + static_cast<size_t>(row) * dst->width;
        // Black, as every frame is cleared, is all zero bytes: memset fills
        // with the widest stores there are.
        if (pixel == 0)
            std::memset(d + l, 0, static_cast<size_t>(r - l) * sizeof(uint32_t));
        else
            std::fill(d + l, d + r, pixel);
    }
    return Result::Ok;
}

}  // namespace plat
