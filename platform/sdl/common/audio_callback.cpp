#include "platform/sdl/common/audio_callback.h"

namespace plat::audio {

bool renderAudio(SoundBank& bank, MidiSynth& music, float* out, uint32_t frameCount) {
    const bool songEnded = music.render(out, frameCount);
    bankMix(bank, out, frameCount);
    mix::softLimit(out, size_t{frameCount} * 2);
    return songEnded;
}

}  // namespace plat::audio
