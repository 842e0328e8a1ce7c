// One-thread OpenMP regions run inline, without a thread team.
//
// FluidSynth mixes its effects (reverb, chorus) inside an OpenMP parallel
// region with as many threads as it renders on: one, here. libgomp builds a
// team for every region and frees it again when the team has a single
// thread, so every render would allocate on the audio thread. This layer
// defines GOMP_parallel itself (a program's own symbols come before those
// of its libraries): a region of one thread calls its body directly, which
// is what a team of one does; a region of more threads goes to libgomp.
#pragma once

namespace plat::audio {

// True when this program's definition is the one every library calls.
bool oneThreadOpenMpRegionsInline();

}  // namespace plat::audio
