#include "platform/sdl/common/wave_convert.h"

#include <SDL.h>

#include <cstring>

#include "platform/sound_bank.h"

namespace plat::audio {

bool convertWave(const WaveFormat& format, const uint8_t* samples, uint32_t size, int deviceRate,
                 std::vector<float>& out) {
    if (!soundSupported(format, size) || samples == nullptr || deviceRate <= 0) return false;
    const uint32_t frameCount = size / format.blockAlign;
    // Frames after the change of rate, rounded up.
    const uint64_t expected =
        (uint64_t{frameCount} * static_cast<uint64_t>(deviceRate) + format.samplesPerSec - 1) / format.samplesPerSec;
    if (expected > MaxConvertedFrames) return false;

    SDL_AudioStream* stream =
        SDL_NewAudioStream(format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB, static_cast<Uint8>(format.channels),
                           static_cast<int>(format.samplesPerSec), AUDIO_F32SYS, 2, deviceRate);
    if (stream == nullptr) return false;
    // The stream holds back the last few frames for its resampler (a flush
    // does not give them up), so silence is fed after the sound until every
    // frame of it has come out.
    const size_t wantedBytes = static_cast<size_t>(expected) * 2 * sizeof(float);
    bool ok = SDL_AudioStreamPut(stream, samples, static_cast<int>(frameCount * format.blockAlign)) == 0;
    uint8_t silence[1024];  // a whole number of frames of any supported format
    std::memset(silence, format.bitsPerSample == 8 ? 128 : 0, sizeof silence);
    for (int round = 0; ok && static_cast<size_t>(SDL_AudioStreamAvailable(stream)) < wantedBytes; ++round) {
        ok = round < 4096 && SDL_AudioStreamPut(stream, silence, sizeof silence) == 0;
    }
    if (ok) {
        out.assign(wantedBytes / sizeof(float), 0.0f);
        ok = SDL_AudioStreamGet(stream, out.data(), static_cast<int>(wantedBytes)) == static_cast<int>(wantedBytes);
    }
    SDL_FreeAudioStream(stream);
    if (!ok) out.clear();
    return ok;
}

}  // namespace plat::audio
