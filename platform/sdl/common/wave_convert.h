// Conversion of WAVE samples into the format the mixer plays: interleaved
// stereo float at the device's rate (SDL's resampler). Used by both layers'
// sound buffers.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/audio.h"

namespace plat::audio {

// Converts the samples to interleaved stereo float at `deviceRate` (a mono
// sound is heard on both sides). Trailing bytes short of a whole frame are
// left out. False for a sound the buffers do not take (plat::soundSupported)
// or a result longer than MaxConvertedFrames (a device of a strange rate).
bool convertWave(const WaveFormat& format, const uint8_t* samples, uint32_t size, int deviceRate,
                 std::vector<float>& out);

}  // namespace plat::audio
