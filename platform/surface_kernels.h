// The colour-keyed copy behind plat::blit comes in several forms; the best
// one the processor supports is chosen at start-up. Besides the dense copy,
// which compares every pixel of the rectangle, a keyed source can be copied
// through its index of opaque runs; blit chooses between the two per
// picture. Tests and benchmarks can pick another form or force a method to
// check or time it.
#pragma once

namespace plat {

enum class KeyedCopyLevel { Plain, Avx2, Avx512 };

// Switches blit's keyed copy to that form; false (nothing changed) when the
// processor lacks it.
bool useKeyedCopy(KeyedCopyLevel level);

// Auto: per picture, whichever of the two copies costs less with the current
// form (the normal setting). Dense / Runs: always that copy.
enum class KeyedCopyMethod { Auto, Dense, Runs };
void useKeyedCopyMethod(KeyedCopyMethod method);

}  // namespace plat
