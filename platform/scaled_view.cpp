#include "platform/scaled_view.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace plat {

namespace {

constexpr uint32_t Black = 0;

// The two source texels and the weight of the second (0..256) for each of
// `out` pixels spread over `in` texels, sampled at the pixels' centres and
// clamped at the edges, as linear texture filtering samples.
void makeAxis(int in, int out, std::vector<int32_t>& first, std::vector<int32_t>& second,
              std::vector<uint16_t>& weight) {
    first.assign(static_cast<size_t>(out), 0);
    second.assign(static_cast<size_t>(out), 0);
    weight.assign(static_cast<size_t>(out), 0);
    const int64_t den = 2 * static_cast<int64_t>(out);
    for (int o = 0; o < out; ++o) {
        // The centre of pixel o, in texels (texel i's centre at i).
        const int64_t num = (2 * static_cast<int64_t>(o) + 1) * in - out;
        int64_t texel = 0, w = 0;
        if (num > 0) {
            texel = num / den;
            w = ((num % den) * 256 + den / 2) / den;
            if (w == 256) {
                ++texel;
                w = 0;
            }
        }
        if (texel >= in - 1) {
            texel = in - 1;
            w = 0;
        }
        first[static_cast<size_t>(o)] = static_cast<int32_t>(texel);
        second[static_cast<size_t>(o)] = static_cast<int32_t>(std::min<int64_t>(texel + 1, in - 1));
        weight[static_cast<size_t>(o)] = static_cast<uint16_t>(w);
    }
}

// a to b by w / 256, per channel, rounded down.
inline uint32_t mix(uint32_t a, uint32_t b, uint32_t w) {
    const uint32_t v = 256 - w;
    const uint32_t rb = (((a & 0xFF00FFu) * v + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
    const uint32_t g = (((a & 0x00FF00u) * v + (b & 0x00FF00u) * w) >> 8) & 0x00FF00u;
    return rb | g;
}

#if defined(__SSE2__)
// a to b by the 16-bit weights (w for b, 256 - w for a) of each channel of
// four pixels: the same as mix, four pixels at a time.
inline __m128i mix4(__m128i a, __m128i b, __m128i wLow, __m128i wHigh) {
    const __m128i zero = _mm_setzero_si128(), full = _mm_set1_epi16(256);
    const __m128i low = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), _mm_sub_epi16(full, wLow)),
                                                     _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), wLow)),
                                       8);
    const __m128i high = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), _mm_sub_epi16(full, wHigh)),
                                                      _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), wHigh)),
                                        8);
    return _mm_packus_epi16(low, high);
}
#endif

#if defined(__x86_64__) || defined(__i386__)
bool haveAvx2() {
    static const bool have = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return have;
}

// a + (b - a) * w / 256 rounded down, per 16-bit channel, with w2 = 2w:
// (b - a) * 128 fits 16 bits, and the high half of its product with 2w is
// the quotient rounded down. Equal to mix.
__attribute__((target("avx2"))) inline __m256i mix16(__m256i a, __m256i b, __m256i w2) {
    return _mm256_add_epi16(a, _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_sub_epi16(b, a), 7), w2));
}

// The leading blocks of 8 columns: the 9 source pixels from the block's
// base loaded at once and spread to the columns.
__attribute__((target("avx2"))) int scaleBlocksAvx2(const ScaledView& view, const uint32_t* row, uint32_t* out) {
    const __m256i zero = _mm256_setzero_si256();
    for (int k = 0; k < view.blocks; ++k) {
        const uint32_t* base = row + view.blockBase[static_cast<size_t>(k)];
        const __m256i offsets = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(view.blockOffset.data() + 8 * k));
        const __m256i a = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(base)), offsets);
        const __m256i b = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + 1)), offsets);
        const int16_t* w = view.blockWeight.data() + 32 * k;
        const __m256i low = mix16(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero),
                                  _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w)));
        const __m256i high = mix16(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero),
                                   _mm256_loadu_si256(reinterpret_cast<const __m256i*>(w + 16)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 8 * k), _mm256_packus_epi16(low, high));
    }
    return 8 * view.blocks;
}

__attribute__((target("avx2"))) int mixRowsAvx2(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* out, int width) {
    const __m256i zero = _mm256_setzero_si256(), w2 = _mm256_set1_epi16(static_cast<int16_t>(2 * w));
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + x));
        const __m256i q = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + x));
        const __m256i low = mix16(_mm256_unpacklo_epi8(p, zero), _mm256_unpacklo_epi8(q, zero), w2);
        const __m256i high = mix16(_mm256_unpackhi_epi8(p, zero), _mm256_unpackhi_epi8(q, zero), w2);
        _mm256_stream_si256(reinterpret_cast<__m256i*>(out + x), _mm256_packus_epi16(low, high));
    }
    return x;
}

bool haveAvx512() {
    static const bool have = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512bw") != 0;
    }();
    return have;
}

__attribute__((target("avx512bw"))) inline __m512i mix16(__m512i a, __m512i b, __m512i w2) {
    return _mm512_add_epi16(a, _mm512_mulhi_epi16(_mm512_slli_epi16(_mm512_sub_epi16(b, a), 7), w2));
}

__attribute__((target("avx512bw"))) int scaleBlocksAvx512(const ScaledView& view, const uint32_t* row, uint32_t* out) {
    const __m512i zero = _mm512_setzero_si512();
    for (int k = 0; k < view.blocks; ++k) {
        const uint32_t* base = row + view.blockBase[static_cast<size_t>(k)];
        const __m512i offsets = _mm512_loadu_si512(view.blockOffset.data() + 16 * k);
        const __m512i a = _mm512_maskz_permutexvar_epi32(0xFFFF, offsets, _mm512_loadu_si512(base));
        const __m512i b = _mm512_maskz_permutexvar_epi32(0xFFFF, offsets, _mm512_loadu_si512(base + 1));
        const int16_t* w = view.blockWeight.data() + 64 * k;
        const __m512i low = mix16(_mm512_unpacklo_epi8(a, zero), _mm512_unpacklo_epi8(b, zero), _mm512_loadu_si512(w));
        const __m512i high = mix16(_mm512_unpackhi_epi8(a, zero), _mm512_unpackhi_epi8(b, zero), _mm512_loadu_si512(w + 32));
        _mm512_storeu_si512(out + 16 * k, _mm512_packus_epi16(low, high));
    }
    return 16 * view.blocks;
}

__attribute__((target("avx512bw"))) int mixRowsAvx512(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* out, int width) {
    const __m512i zero = _mm512_setzero_si512(), w2 = _mm512_set1_epi16(static_cast<int16_t>(2 * w));
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m512i p = _mm512_loadu_si512(a + x);
        const __m512i q = _mm512_loadu_si512(b + x);
        const __m512i low = mix16(_mm512_unpacklo_epi8(p, zero), _mm512_unpacklo_epi8(q, zero), w2);
        const __m512i high = mix16(_mm512_unpackhi_epi8(p, zero), _mm512_unpackhi_epi8(q, zero), w2);
        _mm512_stream_si512(reinterpret_cast<__m512i*>(out + x), _mm512_packus_epi16(low, high));
    }
    return x;
}
#endif

void scaleAcross(const ScaledView& view, const uint32_t* row, uint32_t* out) {
    const int width = view.view.right - view.view.left;
    const int32_t* first = view.columnFirst.data();
    const int32_t* second = view.columnSecond.data();
    const uint16_t* weight = view.columnWeight.data();
    int x = 0;
#if defined(__x86_64__) || defined(__i386__)
    if (view.blockWidth == 16) x = scaleBlocksAvx512(view, row, out);
    if (view.blockWidth == 8) x = scaleBlocksAvx2(view, row, out);
#endif
#if defined(__SSE2__)
    // Both texels of a column are read as one pair, which the last columns
    // (clamped to the edge) would read past.
    const uint16_t* weights4 = view.columnWeight4.data();
    for (; x + 4 <= view.pairedColumns; x += 4) {
        const auto pair = [&](int i) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + first[x + i])); };
        // [a0 b0 a1 b1] and [a2 b2 a3 b3] to [a0 a1 a2 a3] and [b0 b1 b2 b3].
        const __m128i p01 = _mm_shuffle_epi32(_mm_unpacklo_epi64(pair(0), pair(1)), _MM_SHUFFLE(3, 1, 2, 0));
        const __m128i p23 = _mm_shuffle_epi32(_mm_unpacklo_epi64(pair(2), pair(3)), _MM_SHUFFLE(3, 1, 2, 0));
        const __m128i a = _mm_unpacklo_epi64(p01, p23), b = _mm_unpackhi_epi64(p01, p23);
        const __m128i wLow = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights4 + 4 * x));
        const __m128i wHigh = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights4 + 4 * x + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), mix4(a, b, wLow, wHigh));
    }
#endif
    for (; x < width; ++x) out[x] = mix(row[first[x]], row[second[x]], weight[x]);
}

// A window row from two rows scaled across. With AVX2 the row is written
// past the caches (streaming stores from a 64-byte boundary on): nothing
// here reads it again, and the picture's rows stay cached.
void mixRows(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* out, int width) {
    int x = 0;
#if defined(__x86_64__) || defined(__i386__)
    if (haveAvx2()) {
        for (; x < width && (reinterpret_cast<uintptr_t>(out + x) & 63) != 0; ++x) out[x] = mix(a[x], b[x], w);
        if (haveAvx512()) x += mixRowsAvx512(a + x, b + x, w, out + x, width - x);
        x += mixRowsAvx2(a + x, b + x, w, out + x, width - x);
    }
#endif
    if (x == 0 && w == 0) {
        std::memcpy(out, a, static_cast<size_t>(width) * sizeof(uint32_t));
        return;
    }
#if defined(__SSE2__)
    const __m128i weights = _mm_set1_epi16(static_cast<int16_t>(w));
    for (; x + 4 <= width; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                         mix4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x)), weights, weights));
#endif
    for (; x < width; ++x) out[x] = mix(a[x], b[x], w);
}

void fillRow(uint32_t* row, int from, int to) {
    if (to > from) std::memset(row + from, 0, static_cast<size_t>(to - from) * sizeof(uint32_t));
    static_assert(Black == 0);
}

// Black everywhere outside the view.
void drawBars(const ScaledView& v, uint32_t* target, size_t pitch) {
    for (int y = 0; y < v.targetHeight; ++y) {
        uint32_t* row = target + static_cast<size_t>(y) * pitch;
        if (y < v.view.top || y >= v.view.bottom) {
            fillRow(row, 0, v.targetWidth);
        } else {
            fillRow(row, 0, v.view.left);
            fillRow(row, v.view.right, v.targetWidth);
        }
    }
}

// Each slot of the ring is a row and 4 KiB long, so that its row can start
// at any offset within a page (see placeAcross).
size_t acrossSlotPitch(int width) { return static_cast<size_t>(width) + 1024 + 16; }

// The blocks of columns that the widest kernel the processor has draws (16
// columns with AVX-512, 8 with AVX2, none without): from the left, while a
// block's texels and their right neighbours lie within its width plus one
// pixels from its base, inside the row.
void setUpBlocks(ScaledView& v, int width) {
    v.blocks = 0;
    v.blockWidth = 0;
    v.blockBase.clear();
    v.blockOffset.clear();
    v.blockWeight.clear();
#if defined(__x86_64__) || defined(__i386__)
    const int n = haveAvx512() ? 16 : haveAvx2() ? 8 : 0;
    if (n == 0) return;
    v.blockWidth = n;
    for (int x = 0; x + n <= width; x += n) {
        const int32_t base = v.columnFirst[static_cast<size_t>(x)];
        if (v.columnFirst[static_cast<size_t>(x + n - 1)] - base > n - 1 || base + n >= v.sourceWidth) break;
        v.blockBase.push_back(base);
        for (int i = 0; i < n; ++i) v.blockOffset.push_back(v.columnFirst[static_cast<size_t>(x + i)] - base);
        // Widened to 16 bits, each 4 pixels of a 128-bit lane go 2 to the low
        // half (the first two) and 2 to the high half, 4 channels each.
        for (int half = 0; half < 2; ++half)
            for (int lane = 0; lane < n / 4; ++lane)
                for (int i = 0; i < 2; ++i)
                    for (int channel = 0; channel < 4; ++channel)
                        v.blockWeight.push_back(static_cast<int16_t>(
                            2 * v.columnWeight[static_cast<size_t>(x + 4 * lane + 2 * half + i)]));
        ++v.blocks;
    }
#else
    (void)width;
#endif
}

}  // namespace

Rect fitPicture(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight) {
    const float want = static_cast<float>(sourceWidth) / static_cast<float>(sourceHeight);
    const float real = static_cast<float>(targetWidth) / static_cast<float>(targetHeight);
    if (std::fabs(want - real) < 0.0001f) return Rect{0, 0, targetWidth, targetHeight};
    if (want > real) {
        const float scale = static_cast<float>(targetWidth) / static_cast<float>(sourceWidth);
        const int height = static_cast<int>(std::floor(static_cast<float>(sourceHeight) * scale));
        const int top = (targetHeight - height) / 2;
        return Rect{0, top, targetWidth, top + height};
    }
    const float scale = static_cast<float>(targetHeight) / static_cast<float>(sourceHeight);
    const int width = static_cast<int>(std::floor(static_cast<float>(sourceWidth) * scale));
    const int left = (targetWidth - width) / 2;
    return Rect{left, 0, left + width, targetHeight};
}

bool setUpScaledView(ScaledView& v, int sourceWidth, int sourceHeight, int targetWidth, int targetHeight) {
    // For a picture of the same size the one last drawn is kept: a window
    // set up again (resized) is repainted from it before the next frame.
    const bool keepShown = v.sourceWidth == sourceWidth && v.sourceHeight == sourceHeight;
    v.sourceWidth = 0;  // no view until it is all set up
    if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return false;
    v.sourceWidth = sourceWidth;
    v.sourceHeight = sourceHeight;
    v.targetWidth = targetWidth;
    v.targetHeight = targetHeight;
    v.view = fitPicture(sourceWidth, sourceHeight, targetWidth, targetHeight);
    const int width = v.view.right - v.view.left, height = v.view.bottom - v.view.top;
    if (width <= 0 || height <= 0) {
        v.sourceWidth = 0;
        return false;
    }
    v.oneToOne = width == sourceWidth && height == sourceHeight;
    makeAxis(sourceWidth, width, v.columnFirst, v.columnSecond, v.columnWeight);
    v.columnWeight4.resize(v.columnWeight.size() * 4);
    for (size_t i = 0; i < v.columnWeight.size(); ++i) std::fill_n(v.columnWeight4.begin() + 4 * i, 4, v.columnWeight[i]);
    v.pairedColumns = 0;
    while (v.pairedColumns < width && v.columnFirst[static_cast<size_t>(v.pairedColumns)] + 1 < sourceWidth) ++v.pairedColumns;
    setUpBlocks(v, width);
    makeAxis(sourceHeight, height, v.rowFirst, v.rowSecond, v.rowWeight);
    if ((!keepShown && !v.shown.assign(static_cast<size_t>(sourceWidth) * sourceHeight)) ||
        !v.across.assign(v.oneToOne ? 0 : 2 * acrossSlotPitch(width))) {
        v.sourceWidth = 0;
        return false;
    }
    v.acrossRow[0] = v.acrossRow[1] = -1;
    v.changed.assign(static_cast<size_t>(sourceHeight), 0);
    v.wholeTarget = true;
    return true;
}

void invalidateScaledView(ScaledView& v) { v.wholeTarget = true; }

namespace {

// Where in its slot of the ring source row r goes. A window row is mixed
// from two scaled rows, loads and stores advancing together; a load whose
// address lies a little behind a store just made in the low 12 bits (which
// the processor compares first) waits for that store as if it depended on
// it, at every step. So the row is put where it lies 0 to 2 KiB ahead, in
// those bits, of every window row that reads it (from row y on).
uint32_t* placeAcross(const ScaledView& v, uint32_t* slot, int r, int y, const uint32_t* target, size_t targetPitch) {
    const int height = v.view.bottom - v.view.top;
    const auto at = [](const void* p) { return reinterpret_cast<uintptr_t>(p); };
    for (uintptr_t shift = 0; shift < 4096; shift += 64) {
        bool clear = true;
        for (int u = y; clear && u < height && (v.rowFirst[static_cast<size_t>(u)] == r || v.rowSecond[static_cast<size_t>(u)] == r); ++u) {
            const uint32_t* windowRow = target + static_cast<size_t>(v.view.top + u) * targetPitch + v.view.left;
            clear = ((at(slot) + shift - at(windowRow)) & 4095) < 2048;
        }
        if (clear) return slot + shift / sizeof(uint32_t);
    }
    return slot;
}

// The view's row scaled across from source row r (already in `shown`),
// kept in the ring of two: rows come in order, so the other row of the ring
// is the one the same window row reads too.
const uint32_t* acrossRow(ScaledView& v, int r, int other, int y, const uint32_t* target, size_t targetPitch) {
    for (int i = 0; i < 2; ++i)
        if (v.acrossRow[i] == r) return v.acrossAt[i];
    const int slot = v.acrossRow[0] == other ? 1 : 0;
    uint32_t* out = placeAcross(v, v.across.data() + static_cast<size_t>(slot) * acrossSlotPitch(v.view.right - v.view.left), r, y,
                                target, targetPitch);
    scaleAcross(v, v.shown.data() + static_cast<size_t>(r) * v.sourceWidth, out);
    v.acrossRow[slot] = r;
    v.acrossAt[slot] = out;
    return out;
}

}  // namespace

int updateScaledView(ScaledView& v, const uint32_t* source, size_t sourcePitch, uint32_t* target,
                     size_t targetPitch, Rect* rects, int maxRects) {
    if (v.sourceWidth <= 0 || source == nullptr || target == nullptr || rects == nullptr || maxRects < 1) return 0;
    const int width = v.view.right - v.view.left, height = v.view.bottom - v.view.top;
    const size_t rowBytes = static_cast<size_t>(v.sourceWidth) * sizeof(uint32_t);
    const bool whole = v.wholeTarget;

    // Source rows are compared with the picture last drawn as the window
    // rows come to them; a changed one is taken into it.
    int compared = 0;
    bool anyChanged = false;
    const auto compareUpTo = [&](int last) {
        for (; compared <= last; ++compared) {
            const uint32_t* row = source + static_cast<size_t>(compared) * sourcePitch;
            uint32_t* shownRow = v.shown.data() + static_cast<size_t>(compared) * v.sourceWidth;
            const bool differs = whole || std::memcmp(row, shownRow, rowBytes) != 0;
            v.changed[static_cast<size_t>(compared)] = differs ? 1 : 0;
            if (!differs) continue;
            anyChanged = true;
            if (row != shownRow) std::memcpy(shownRow, row, rowBytes);
            // Its scaled row, if the ring holds one, is stale.
            for (int& held : v.acrossRow)
                if (held == compared) held = -1;
        }
    };
    if (whole) {
        v.wholeTarget = false;
        drawBars(v, target, targetPitch);
    }

    // The view's rows that read a changed source row, in bands.
    int count = 0;
    int bandTop = -1, firstTop = -1, lastBottom = -1;
    const auto closeBand = [&](int bottom) {
        if (count < maxRects) rects[count] = Rect{v.view.left, v.view.top + bandTop, v.view.right, v.view.top + bottom};
        ++count;
        lastBottom = bottom;
        bandTop = -1;
    };
    for (int y = 0; y < height; ++y) {
        const int32_t r0 = v.oneToOne ? y : v.rowFirst[static_cast<size_t>(y)];
        const int32_t r1 = v.oneToOne ? y : v.rowSecond[static_cast<size_t>(y)];
        compareUpTo(std::max(r0, r1));
        if (!v.changed[static_cast<size_t>(r0)] && !v.changed[static_cast<size_t>(r1)]) {
            if (bandTop >= 0) closeBand(y);
            continue;
        }
        uint32_t* out = target + static_cast<size_t>(v.view.top + y) * targetPitch + v.view.left;
        if (v.oneToOne) {
            std::memcpy(out, v.shown.data() + static_cast<size_t>(y) * v.sourceWidth, rowBytes);
        } else {
            const uint32_t weight = v.rowWeight[static_cast<size_t>(y)];
            const uint32_t* first = acrossRow(v, r0, r1, y, target, targetPitch);
            mixRows(first, weight == 0 ? first : acrossRow(v, r1, r0, y, target, targetPitch), weight, out, width);
        }
        if (bandTop < 0) bandTop = y;
        if (firstTop < 0) firstTop = y;
    }
    if (bandTop >= 0) closeBand(height);
    compareUpTo(v.sourceHeight - 1);  // rows no window row reads (a smaller view)
#if defined(__SSE2__)
    _mm_sfence();  // the streaming stores are done before the window is shown
#endif
    if (!anyChanged) return 0;

    if (whole) {
        rects[0] = Rect{0, 0, v.targetWidth, v.targetHeight};
        return 1;
    }
    if (count > maxRects) {
        // Too many bands to name: one rectangle over all of them.
        rects[0] = Rect{v.view.left, v.view.top + firstTop, v.view.right, v.view.top + lastBottom};
        return 1;
    }
    return count;
}

void viewToPicture(const ScaledView& v, int& x, int& y) {
    const int width = v.view.right - v.view.left, height = v.view.bottom - v.view.top;
    if (width <= 0 || height <= 0) return;
    x = static_cast<int>(static_cast<float>(x - v.view.left) * static_cast<float>(v.sourceWidth) / static_cast<float>(width));
    y = static_cast<int>(static_cast<float>(y - v.view.top) * static_cast<float>(v.sourceHeight) / static_cast<float>(height));
}

void pictureToView(const ScaledView& v, int& x, int& y) {
    const int width = v.view.right - v.view.left, height = v.view.bottom - v.view.top;
    if (v.sourceWidth <= 0 || v.sourceHeight <= 0) return;
    x = v.view.left + static_cast<int>(static_cast<float>(x) * static_cast<float>(width) / static_cast<float>(v.sourceWidth));
    y = v.view.top + static_cast<int>(static_cast<float>(y) * static_cast<float>(height) / static_cast<float>(v.sourceHeight));
}

}  // namespace plat
