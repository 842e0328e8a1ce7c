#include "platform/scaled_view.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
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

void scaleAcross(const ScaledView& view, const uint32_t* row, uint32_t* out) {
    const int width = view.view.right - view.view.left;
    const int32_t* first = view.columnFirst.data();
    const int32_t* second = view.columnSecond.data();
    const uint16_t* weight = view.columnWeight.data();
    int x = 0;
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

void mixRows(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* out, int width) {
    if (w == 0) {
        std::memcpy(out, a, static_cast<size_t>(width) * sizeof(uint32_t));
        return;
    }
    int x = 0;
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
    makeAxis(sourceHeight, height, v.rowFirst, v.rowSecond, v.rowWeight);
    if (!v.shown.assign(static_cast<size_t>(sourceWidth) * sourceHeight) ||
        !v.across.assign(v.oneToOne ? 0 : static_cast<size_t>(width) * sourceHeight)) {
        v.sourceWidth = 0;
        return false;
    }
    v.changed.assign(static_cast<size_t>(sourceHeight), 0);
    v.wholeTarget = true;
    return true;
}

void invalidateScaledView(ScaledView& v) { v.wholeTarget = true; }

int updateScaledView(ScaledView& v, const uint32_t* source, size_t sourcePitch, uint32_t* target,
                     size_t targetPitch, Rect* rects, int maxRects) {
    if (v.sourceWidth <= 0 || source == nullptr || target == nullptr || rects == nullptr || maxRects < 1) return 0;
    const int width = v.view.right - v.view.left, height = v.view.bottom - v.view.top;
    const size_t rowBytes = static_cast<size_t>(v.sourceWidth) * sizeof(uint32_t);

    // Which source rows differ from the picture last drawn.
    bool anyChanged = false;
    for (int y = 0; y < v.sourceHeight; ++y) {
        const uint32_t* row = source + static_cast<size_t>(y) * sourcePitch;
        uint32_t* shownRow = v.shown.data() + static_cast<size_t>(y) * v.sourceWidth;
        const bool differs = v.wholeTarget || std::memcmp(row, shownRow, rowBytes) != 0;
        v.changed[static_cast<size_t>(y)] = differs ? 1 : 0;
        if (!differs) continue;
        anyChanged = true;
        std::memcpy(shownRow, row, rowBytes);
        if (!v.oneToOne) scaleAcross(v, shownRow, v.across.data() + static_cast<size_t>(y) * width);
    }
    if (!anyChanged) return 0;

    const bool whole = v.wholeTarget;
    v.wholeTarget = false;
    if (whole) drawBars(v, target, targetPitch);

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
        if (!v.changed[static_cast<size_t>(r0)] && !v.changed[static_cast<size_t>(r1)]) {
            if (bandTop >= 0) closeBand(y);
            continue;
        }
        uint32_t* out = target + static_cast<size_t>(v.view.top + y) * targetPitch + v.view.left;
        if (v.oneToOne) {
            std::memcpy(out, v.shown.data() + static_cast<size_t>(y) * v.sourceWidth, rowBytes);
        } else {
            mixRows(v.across.data() + static_cast<size_t>(r0) * width, v.across.data() + static_cast<size_t>(r1) * width,
                    v.rowWeight[static_cast<size_t>(y)], out, width);
        }
        if (bandTop < 0) bandTop = y;
        if (firstTop < 0) firstTop = y;
    }
    if (bandTop >= 0) closeBand(height);

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
