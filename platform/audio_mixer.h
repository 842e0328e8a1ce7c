// The software mixer of the audio device: sums voices into a stereo float
// buffer. Pure functions on plain data, so they are testable without a
// device; the device callback calls them with its own voice table.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat::mix {

// Positions and steps are 32.32 fixed point, in frames.
constexpr uint64_t UnitStep = uint64_t{1} << 32;

// One sounding buffer.
struct MixVoice {
    const float* frames = nullptr;  // interleaved stereo
    uint32_t frameCount = 0;
    uint64_t position = 0;          // next frame to read
    uint64_t step = UnitStep;       // frames read per frame written
    float gainLeft = 1.0f;
    float gainRight = 1.0f;
    bool playing = false;
};

// Adds every playing voice into `out` (frameCount interleaved stereo frames)
// and advances it; a voice that runs past its last frame stops.
void mixVoices(float* out, uint32_t frameCount, MixVoice* voices, size_t voiceCount);

// Limits every sample to -1..1.
void clampSamples(float* samples, size_t sampleCount);

// The output stage of the device: a soft knee per sample. Samples within
// +-LimitKnee pass unchanged, bit for bit; above it the curve bends away
// from the straight line with no corner (its slope is 1 at the knee and
// falls smoothly) and approaches +-LimitCeiling, which it never reaches, so
// no sum, however loud, is cut flat at full scale.
constexpr float LimitKnee = 0.5f;
constexpr float LimitCeiling = 0.98f;
void softLimit(float* samples, size_t sampleCount);

// Linear gain of a volume in hundredths of a decibel (0 full, -10000 silent).
float volumeGain(int32_t volume);
// Gains of the two sides for a pan of -10000 (left only) .. 10000 (right
// only): the far side is attenuated by the pan's hundredths of a decibel.
void panGains(int32_t pan, float& left, float& right);
// Step that plays a buffer recorded at `recordedRate` at `frequency` samples
// per second (0: the recorded rate). The buffer has already been converted
// to the device's rate, so the step is the ratio of the two.
uint64_t frequencyStep(uint32_t frequency, uint32_t recordedRate);

}  // namespace plat::mix
