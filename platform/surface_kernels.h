// The colour-keyed copy behind plat::blit comes in several forms. Besides
// the dense copy, which compares every pixel of the rectangle, a keyed
// source can be copied through its index of opaque runs; blit chooses
// between the two per picture. Both choices follow what the copies cost on
// the machine that runs them: the first keyed copy times every form the
// processor has on small sample pictures (well under a millisecond), then
// uses the fastest. Tests and benchmarks can pick another form or force a
// method to check or time it.
#pragma once

namespace plat {

enum class KeyedCopyLevel { Plain, Sse2, Avx2, Avx512 };

// Switches blit's keyed copy to that form; false (nothing changed) when the
// processor lacks it.
bool useKeyedCopy(KeyedCopyLevel level);
// Back to the form the timings chose (timing the forms first if no keyed
// copy has yet); returns it.
KeyedCopyLevel useMeasuredKeyedCopy();

// Auto: per picture, whichever of the two copies costs less with the current
// form (the normal setting). Dense / Runs: always that copy.
enum class KeyedCopyMethod { Auto, Dense, Runs };
void useKeyedCopyMethod(KeyedCopyMethod method);

}  // namespace plat
