// The colour-keyed copy behind plat::blit comes in several forms; the best
// one the processor supports is chosen at start-up. Tests and benchmarks can
// pick another to check or time it.
#pragma once

namespace plat {

enum class KeyedCopyLevel { Plain, Avx2, Avx512 };

// Switches blit's keyed copy to that form; false (nothing changed) when the
// processor lacks it.
bool useKeyedCopy(KeyedCopyLevel level);

}  // namespace plat
