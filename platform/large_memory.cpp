#include "platform/large_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace plat {

namespace {
constexpr size_t HugePage = size_t{2} << 20;

size_t roundedSize(size_t bytes) { return (bytes + HugePage - 1) / HugePage * HugePage; }
}  // namespace

void* allocateLargeBlock(size_t bytes) {
    if (bytes == 0) return nullptr;
    const size_t size = roundedSize(bytes);
    // Map a huge page more than needed and keep the aligned part, so that
    // the block can be made of whole huge pages.
    void* mapped = mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<uintptr_t>(mapped);
    const uintptr_t aligned = (start + HugePage - 1) / HugePage * HugePage;
    if (aligned > start) munmap(mapped, aligned - start);
    const uintptr_t end = start + size + HugePage;
    if (end > aligned + size) munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);  // a hint: nothing changes without them
    return reinterpret_cast<void*>(aligned);
}

void freeLargeBlock(void* block, size_t bytes) {
    if (block != nullptr && bytes != 0) munmap(block, roundedSize(bytes));
}

void bringInPages(void* memory, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    // Only the whole pages inside the range: its edges may share a page with
    // other memory, which faults in as it always does.
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<uintptr_t>(memory);
    const uintptr_t first = (start + page - 1) / page * page, end = (start + bytes) / page * page;
    if (memory != nullptr && end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)memory;
    (void)bytes;
#endif
}

}  // namespace plat
