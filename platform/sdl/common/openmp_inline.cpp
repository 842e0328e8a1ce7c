#include "platform/sdl/common/openmp_inline.h"

#include <dlfcn.h>

extern "C" {

// The entry point GCC emits for "#pragma omp parallel" (libgomp's GOMP_4.0).
// `threads` is the region's own num_threads, 0 when it names none (libgomp
// would then take OMP_NUM_THREADS or the number of processors). Only a
// region that names more than one thread goes to libgomp; every other one
// runs on the calling thread, where the work-sharing constructs inside the
// body (for, single, task, barrier, critical) act as they do for one thread.
void GOMP_parallel(void (*body)(void*), void* data, unsigned threads, unsigned flags) {
    using Parallel = void (*)(void (*)(void*), void*, unsigned, unsigned);
    if (threads > 1) {
        static const auto library = reinterpret_cast<Parallel>(dlvsym(RTLD_NEXT, "GOMP_parallel", "GOMP_4.0"));
        if (library != nullptr) return library(body, data, threads, flags);
    }
    body(data);
}

}  // extern "C"

namespace plat::audio {

bool oneThreadOpenMpRegionsInline() {
    return dlsym(RTLD_DEFAULT, "GOMP_parallel") == reinterpret_cast<void*>(&GOMP_parallel);
}

}  // namespace plat::audio
