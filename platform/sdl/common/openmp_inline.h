// OpenMP regions of one thread, or of no number of their own, run inline, on
// the thread that enters them, without a thread team.
//
// FluidSynth mixes its effects (reverb, chorus) inside an OpenMP parallel
// region with as many threads as it renders on: one, here; and it loads the
// samples of a soundfont inside a region that takes as many threads as the
// OMP_* variables or the processors say. libgomp builds a team for every
// region (and frees it again when the team has a single thread, so every
// render would allocate on the audio thread), and ends the process when it
// cannot make a thread (a low process limit, a huge OMP_STACKSIZE) or
// overruns a stack on a huge OMP_NUM_THREADS. This layer defines
// GOMP_parallel itself (a program's own symbols come before those of its
// libraries) and calls the body of such a region directly, which is what a
// team of one does; only a region that names more threads goes to libgomp.
#pragma once

namespace plat::audio {

// True when this program's definition is the one every library calls.
bool oneThreadOpenMpRegionsInline();

}  // namespace plat::audio
