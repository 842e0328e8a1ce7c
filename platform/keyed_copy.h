// The colour-keyed copy behind plat::blit, in its forms (see
// surface_kernels.h). Two ways to copy a keyed rectangle:
//  - dense: every pixel of the rectangle is compared with the key;
//  - by runs: the source's index lists, row by row, the runs of pixels that
//    differ from its key; only those are copied, each as one block, and the
//    transparent pixels are never read.
// Both write exactly the source's non-key pixels, so their results are the
// same; which is faster depends on the picture (see surface.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/surface.h"
#include "platform/surface_kernels.h"

namespace plat {

// Opaque pixels [begin, end) of one row of a surface.
struct Run {
    uint16_t begin, end;
};
static_assert(MaxSurfaceSide <= UINT16_MAX, "run bounds are 16-bit");

constexpr int KeyedCopyLevels = 4;  // Plain, Sse2, Avx2, Avx512

struct KeyRuns {
    bool valid = false;                       // false: pixels or key changed since it was built
    bool runsFaster[KeyedCopyLevels] = {};    // per KeyedCopyLevel: the copy by runs beats the dense copy here
    uint32_t* rowStart = nullptr;             // height + 1: row y's runs are runs[rowStart[y] .. rowStart[y + 1])
    Run* runs = nullptr;
    size_t capacity = 0;                      // runs the buffer holds
};

// A dense keyed copy of a w x h rectangle from s to d.
struct KeyedCopy {
    uint32_t* d;
    size_t dstPitch;
    const uint32_t* s;
    size_t srcPitch;
    int w, h;
    uint32_t key;
};

// A copy by runs of src's rectangle `rect` to d (where its top-left pixel
// goes); src and d never share memory.
struct RunCopy {
    uint32_t* d;
    size_t dstPitch;
    const Surface* src;
    const KeyRuns* index;
    Rect rect;
};

struct KeyedCopyForm {
    void (*dense)(const KeyedCopy& c);
    void (*byRuns)(const RunCopy& c);
};

// The form's two copies, or nullptr when the processor lacks it.
const KeyedCopyForm* keyedCopyForm(KeyedCopyLevel level);

}  // namespace plat
