// Every allocation of a benchmark program is counted, so that a benchmark
// can show that the routines it times allocate nothing.
#pragma once

#include <cstddef>

// Allocations made by the program so far.
std::size_t allocationCount();
