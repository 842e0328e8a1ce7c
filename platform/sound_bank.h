// The sound buffers behind plat::createSoundBuffer and friends: a fixed table
// shared by the main thread (which creates, plays and tunes buffers) and the
// audio callback (which mixes them).
//
// Installing and removing a buffer must happen while the callback cannot run
// (the device locked). Plays, stops and the controls are single atomic
// stores that the callback picks up at its next run, so they never wait.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/audio.h"
#include "platform/audio_mixer.h"

namespace plat::audio {

// 70 slots of up to 10 voices fit.
constexpr int SoundBankCapacity = 1024;
// The longest sound a buffer holds after conversion, in frames.
constexpr uint32_t MaxConvertedFrames = MaxSoundSeconds * MaxSoundRate;

struct SoundBank {
    struct Entry {
        std::vector<float> frames;  // interleaved stereo at the device's rate
        uint32_t recordedRate = 0;  // the sound's own rate, for frequency changes
        bool used = false;
        // Written by the main thread: bit 0 is 1 for play, 0 for stop; the
        // other bits count commands, so the callback sees each new one.
        std::atomic<uint32_t> command{0};
        std::atomic<int32_t> volume{VolumeMax};
        std::atomic<int32_t> pan{PanCenter};
        std::atomic<uint32_t> frequency{FrequencyOriginal};
        // Owned by the callback.
        uint32_t seenCommand = 0;
        mix::MixVoice voice;
    };
    int highWater = 0;  // entries at or above it are unused
    Entry entries[SoundBankCapacity];
};

// Main thread, callback locked out. Install returns 0 when the table is full.
// Remove hands the samples back through `freed`, so that they can be freed
// after the lock is let go.
SoundBuffer bankInstall(SoundBank& bank, std::vector<float>&& frames, uint32_t recordedRate);
bool bankRemove(SoundBank& bank, SoundBuffer buffer, std::vector<float>& freed);
int bankCount(const SoundBank& bank);

// Main thread, any time.
bool bankPlay(SoundBank& bank, SoundBuffer buffer);
bool bankStop(SoundBank& bank, SoundBuffer buffer);
bool bankSetVolume(SoundBank& bank, SoundBuffer buffer, int32_t volume);
bool bankSetPan(SoundBank& bank, SoundBuffer buffer, int32_t pan);
bool bankSetFrequency(SoundBank& bank, SoundBuffer buffer, uint32_t frequency);

// Audio callback: applies the commands given since the last run and adds
// every sounding buffer into `out` (frameCount stereo frames). Not clamped.
void bankMix(SoundBank& bank, float* out, uint32_t frameCount);

}  // namespace plat::audio
