// Every allocation of a benchmark program is counted (per thread), so that a benchmark
// can show that the routines it times allocate nothing.
#pragma once

#include <cstddef>

// Allocations made by the calling thread so far.
std::size_t allocationCount();
