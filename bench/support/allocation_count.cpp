#include "support/allocation_count.h"

#include <cstdlib>
#include <new>

namespace {
// Per thread: the standin workers allocate while a benchmark times the
// main thread's frames, and must neither race with it nor count for it.
thread_local std::size_t allocations = 0;
}  // namespace

std::size_t allocationCount() { return allocations; }

// The compiler takes the free() in the replaced delete for a mismatch with
// the built-in new it inlines elsewhere; both are ours and match.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop
