// The body of the audio device's callback, shared by the SDL layer and the
// benchmarks: the song, then every sounding buffer on top, through the soft
// knee of the output stage (platform/audio_mixer.h).
#pragma once

#include <cstdint>

#include "platform/sdl/common/midi_synth.h"
#include "platform/sound_bank.h"

namespace plat::audio {

// Most frames the device asks for at once, so that an effect is never
// more than this late.
constexpr uint32_t DeviceBufferFrames = 512;

// Fills `out` with frameCount interleaved stereo frames. Returns true when
// the song reached its end during this call and its end notice is due. No
// allocation, no waiting.
bool renderAudio(SoundBank& bank, MidiSynth& music, float* out, uint32_t frameCount);

}  // namespace plat::audio
