#include "platform/keyed_copy.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace plat {

namespace {

// ---------------------------------------------------------------------------
// Dense copies: every pixel whose low 24 bits differ from the key is
// written. Blocks of pixels are compared at once and their opaque pixels
// written through the comparison's mask, without branching on the picture's
// contents.
// ---------------------------------------------------------------------------

void denseCopyPlain(const KeyedCopy& c) {
    const uint32_t* s = c.s;
    uint32_t* d = c.d;
    for (int row = 0; row < c.h; ++row, s += c.srcPitch, d += c.dstPitch)
        for (int i = 0; i < c.w; ++i)
            if ((s[i] & 0x00FFFFFFu) != c.key) d[i] = s[i];
}

// ---------------------------------------------------------------------------
// Copies by runs. The walk over the index is shared; each form brings its
// own copy of one run (n >= 1 pixels), inlined into the walk.
// ---------------------------------------------------------------------------

// Calls copyRun(d, s, n) for each run of the rectangle's rows, cut to its
// columns.
template <class CopyRun>
[[gnu::always_inline]] inline void walkRuns(const RunCopy& c, CopyRun copyRun) {
    // Everything in locals: the vector stores may alias any memory, so
    // fields read through pointers would be read again after every store.
    const int left = c.rect.left, right = c.rect.right, bottom = c.rect.bottom;
    const Run* const runs = c.index->runs;
    const uint32_t* const rowStart = c.index->rowStart;
    const size_t srcPitch = static_cast<size_t>(c.src->width), dstPitch = c.dstPitch;
    const uint32_t* s = c.src->pixels + static_cast<size_t>(c.rect.top) * srcPitch;
    uint32_t* d = c.d;
    if (left == 0 && right == c.src->width) {
        // Whole rows (most sprites): no run to cut.
        for (int y = c.rect.top; y < bottom; ++y, s += srcPitch, d += dstPitch)
            for (const Run* run = runs + rowStart[y]; run != runs + rowStart[y + 1]; ++run)
                copyRun(d + run->begin, s + run->begin, run->end - run->begin);
        return;
    }
    for (int y = c.rect.top; y < bottom; ++y, s += srcPitch, d += dstPitch) {
        const Run* run = runs + rowStart[y];
        const Run* const rowEnd = runs + rowStart[y + 1];
        // Skip the runs that end left of the rectangle (a strip of animation
        // frames can have many).
        if (left > 0) run = std::partition_point(run, rowEnd, [left](const Run& r) { return r.end <= left; });
        for (; run != rowEnd && run->begin < right; ++run) {
            const int begin = std::max<int>(run->begin, left), end = std::min<int>(run->end, right);
            copyRun(d + (begin - left), s + begin, end - begin);
        }
    }
}

// Blocks of 4 pixels, then one block ending at the run's end (overlapping
// the one before: those pixels are written twice with the same value);
// shorter runs as two overlapping pairs or one pixel. Copies of a fixed
// size compile to single moves (16 bytes on most processors); a call of the
// C library's copy per run would cost more than most runs.
struct CopyRunPlain {
    void operator()(uint32_t* d, const uint32_t* s, int n) const {
        if (n >= 4) {
            int i = 0;
            for (; i + 4 <= n; i += 4) std::memcpy(d + i, s + i, 16);
            if (i < n) std::memcpy(d + n - 4, s + n - 4, 16);
        } else if (n >= 2) {
            std::memcpy(d, s, 8);
            std::memcpy(d + n - 2, s + n - 2, 8);
        } else {
            d[0] = s[0];
        }
    }
};
void runCopyPlain(const RunCopy& c) { walkRuns(c, CopyRunPlain{}); }

#if defined(__x86_64__) || defined(__i386__)

// The SSE2 and AVX2 dense copies read the destination's block and write it
// back whole, its transparent pixels as they were: a masked store would do
// the same and is many times slower on some processors.
__attribute__((target("sse2"))) inline void keyedBlockSse2(uint32_t* d, const uint32_t* s, __m128i low24, __m128i keys) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i clear = _mm_cmpeq_epi32(_mm_and_si128(p, low24), keys);
    const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_or_si128(_mm_and_si128(clear, old), _mm_andnot_si128(clear, p)));
}

__attribute__((target("sse2"))) void denseCopySse2(const KeyedCopy& c) {
    if (c.w < 4) return denseCopyPlain(c);
    const __m128i low24 = _mm_set1_epi32(0x00FFFFFF);
    const __m128i keys = _mm_set1_epi32(static_cast<int>(c.key));
    const int whole = c.w - c.w % 4;
    const uint32_t* s = c.s;
    uint32_t* d = c.d;
    for (int row = 0; row < c.h; ++row, s += c.srcPitch, d += c.dstPitch) {
        for (int i = 0; i < whole; i += 4) keyedBlockSse2(d + i, s + i, low24, keys);
        // The last pixels one by one: a block overlapping the one before
        // would read pixels that store has not yet passed on.
        for (int i = whole; i < c.w; ++i)
            if ((s[i] & 0x00FFFFFFu) != c.key) d[i] = s[i];
    }
}

__attribute__((target("avx2"))) inline void keyedBlockAvx2(uint32_t* d, const uint32_t* s, __m256i low24, __m256i keys) {
    const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
    const __m256i clear = _mm256_cmpeq_epi32(_mm256_and_si256(p, low24), keys);
    const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm256_blendv_epi8(p, old, clear));
}

__attribute__((target("avx2"))) void denseCopyAvx2(const KeyedCopy& c) {
    if (c.w < 8) return denseCopyPlain(c);
    const __m256i low24 = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(c.key));
    const int whole = c.w - c.w % 8;
    const uint32_t* s = c.s;
    uint32_t* d = c.d;
    for (int row = 0; row < c.h; ++row, s += c.srcPitch, d += c.dstPitch) {
        for (int i = 0; i < whole; i += 8) keyedBlockAvx2(d + i, s + i, low24, keys);
        // The last pixels: a block of 4, then one by one (see denseCopySse2).
        int i = whole;
        if (i + 4 <= c.w) {
            keyedBlockSse2(d + i, s + i, _mm256_castsi256_si128(low24), _mm256_castsi256_si128(keys));
            i += 4;
        }
        for (; i < c.w; ++i)
            if ((s[i] & 0x00FFFFFFu) != c.key) d[i] = s[i];
    }
}

// Whole blocks of 8, then one block ending at the run's end (overlapping
// the one before: those pixels are written twice with the same value);
// shorter runs as two overlapping halves of 4, 2 or 1 pixels. No masked
// store, which is slow on some processors.
struct CopyRunAvx2 {
    __attribute__((target("avx2"))) void operator()(uint32_t* d, const uint32_t* s, int n) const {
        if (n >= 8) {
            int i = 0;
            for (; i + 8 <= n; i += 8)
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i)));
            if (i < n)
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + n - 8),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + n - 8)));
        } else if (n >= 4) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_loadu_si128(reinterpret_cast<const __m128i*>(s)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n - 4),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 4)));
        } else if (n >= 2) {
            std::memcpy(d, s, 8);
            std::memcpy(d + n - 2, s + n - 2, 8);
        } else {
            d[0] = s[0];
        }
    }
};
__attribute__((target("avx2"))) void runCopyAvx2(const RunCopy& c) { walkRuns(c, CopyRunAvx2{}); }

__attribute__((target("avx512f"))) void denseCopyAvx512(const KeyedCopy& c) {
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

// Whole blocks of 16, then one block ending at the run's end (overlapping
// the one before, as the AVX2 copy does); shorter runs as the AVX2 copy
// copies them. No masked store: on some processors it costs more than the
// pixels it saves.
struct CopyRunAvx512 {
    __attribute__((target("avx512f"))) void operator()(uint32_t* d, const uint32_t* s, int n) const {
        if (n < 16) return CopyRunAvx2{}(d, s, n);
        int i = 0;
        for (; i + 16 <= n; i += 16) _mm512_storeu_si512(d + i, _mm512_loadu_si512(s + i));
        if (i < n) _mm512_storeu_si512(d + n - 16, _mm512_loadu_si512(s + n - 16));
    }
};
__attribute__((target("avx512f"))) void runCopyAvx512(const RunCopy& c) { walkRuns(c, CopyRunAvx512{}); }

// The plain copy by runs already moves 16 bytes at a time.
constexpr KeyedCopyForm sse2Form{denseCopySse2, runCopyPlain};
constexpr KeyedCopyForm avx2Form{denseCopyAvx2, runCopyAvx2};
constexpr KeyedCopyForm avx512Form{denseCopyAvx512, runCopyAvx512};
#endif

constexpr KeyedCopyForm plainForm{denseCopyPlain, runCopyPlain};

}  // namespace

const KeyedCopyForm* keyedCopyForm(KeyedCopyLevel level) {
    switch (level) {
        case KeyedCopyLevel::Plain: return &plainForm;
#if defined(__x86_64__) || defined(__i386__)
        case KeyedCopyLevel::Sse2: return __builtin_cpu_supports("sse2") ? &sse2Form : nullptr;
        case KeyedCopyLevel::Avx2: return __builtin_cpu_supports("avx2") ? &avx2Form : nullptr;
        case KeyedCopyLevel::Avx512: return __builtin_cpu_supports("avx512f") ? &avx512Form : nullptr;
#else
        default: break;
#endif
    }
    return nullptr;
}

}  // namespace plat
