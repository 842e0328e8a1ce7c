#include "platform/sound_bank.h"

#include <algorithm>
#include <utility>

namespace plat {

bool soundSupported(const WaveFormat& format, uint64_t size) {
    if (format.formatTag != 1) return false;
    if (format.channels != 1 && format.channels != 2) return false;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
    if (format.blockAlign != format.channels * format.bitsPerSample / 8) return false;
    if (format.samplesPerSec < MinSoundRate || format.samplesPerSec > MaxSoundRate) return false;
    const uint64_t frames = size / format.blockAlign;
    return frames >= 1 && frames <= uint64_t{MaxSoundSeconds} * format.samplesPerSec;
}

}  // namespace plat

namespace plat::audio {

namespace {

SoundBank::Entry* entryOf(SoundBank& bank, SoundBuffer buffer) {
    if (buffer < 1 || buffer > SoundBankCapacity) return nullptr;
    SoundBank::Entry& entry = bank.entries[buffer - 1];
    return entry.used ? &entry : nullptr;
}

void sendCommand(SoundBank::Entry& entry, bool play) {
    const uint32_t serial = (entry.command.load(std::memory_order_relaxed) >> 1) + 1;
    entry.command.store((serial << 1) | (play ? 1u : 0u), std::memory_order_release);
}

}  // namespace

SoundBuffer bankInstall(SoundBank& bank, std::vector<float>&& frames, uint32_t recordedRate) {
    if (frames.size() < 2) return 0;
    for (int i = 0; i < SoundBankCapacity; ++i) {
        SoundBank::Entry& entry = bank.entries[i];
        if (entry.used) continue;
        entry.frames = std::move(frames);
        entry.recordedRate = recordedRate;
        entry.volume.store(VolumeMax, std::memory_order_relaxed);
        entry.pan.store(PanCenter, std::memory_order_relaxed);
        entry.frequency.store(FrequencyOriginal, std::memory_order_relaxed);
        entry.seenCommand = entry.command.load(std::memory_order_relaxed);
        entry.voice = mix::MixVoice{};
        entry.voice.frames = entry.frames.data();
        entry.voice.frameCount = static_cast<uint32_t>(entry.frames.size() / 2);
        entry.used = true;
        bank.highWater = std::max(bank.highWater, i + 1);
        return i + 1;
    }
    return 0;
}

bool bankRemove(SoundBank& bank, SoundBuffer buffer, std::vector<float>& freed) {
    SoundBank::Entry* entry = entryOf(bank, buffer);
    if (entry == nullptr) return false;
    entry->used = false;
    entry->voice = mix::MixVoice{};
    freed = std::move(entry->frames);
    entry->frames = std::vector<float>{};
    while (bank.highWater > 0 && !bank.entries[bank.highWater - 1].used) --bank.highWater;
    return true;
}

int bankCount(const SoundBank& bank) {
    int count = 0;
    for (int i = 0; i < bank.highWater; ++i) count += bank.entries[i].used ? 1 : 0;
    return count;
}

bool bankPlay(SoundBank& bank, SoundBuffer buffer) {
    SoundBank::Entry* entry = entryOf(bank, buffer);
    if (entry == nullptr) return false;
    sendCommand(*entry, true);
    return true;
}

bool bankStop(SoundBank& bank, SoundBuffer buffer) {
    SoundBank::Entry* entry = entryOf(bank, buffer);
    if (entry == nullptr) return false;
    sendCommand(*entry, false);
    return true;
}

bool bankSetVolume(SoundBank& bank, SoundBuffer buffer, int32_t volume) {
    SoundBank::Entry* entry = entryOf(bank, buffer);
    if (entry == nullptr || volume < VolumeMin || volume > VolumeMax) return false;
    entry->volume.store(volume, std::memory_order_relaxed);
    return true;
}

bool bankSetPan(SoundBank& bank, SoundBuffer buffer, int32_t pan) {
    SoundBank::Entry* entry = entryOf(bank, buffer);
    if (entry == nullptr || pan < PanLeft || pan > PanRight) return false;
    entry->pan.store(pan, std::memory_order_relaxed);
    return true;
}

bool bankSetFrequency(SoundBank& bank, SoundBuffer buffer, uint32_t frequency) {
    SoundBank::Entry* entry = entryOf(bank, buffer);
    if (entry == nullptr) return false;
    if (frequency != FrequencyOriginal && (frequency < FrequencyMin || frequency > FrequencyMax)) return false;
    entry->frequency.store(frequency, std::memory_order_relaxed);
    return true;
}

void bankMix(SoundBank& bank, float* out, uint32_t frameCount) {
    for (int i = 0; i < bank.highWater; ++i) {
        SoundBank::Entry& entry = bank.entries[i];
        if (!entry.used) continue;
        const uint32_t command = entry.command.load(std::memory_order_acquire);
        if (command != entry.seenCommand) {
            entry.seenCommand = command;
            entry.voice.position = 0;
            entry.voice.playing = (command & 1u) != 0;
        }
        if (!entry.voice.playing) continue;
        float left = 1.0f, right = 1.0f;
        mix::panGains(entry.pan.load(std::memory_order_relaxed), left, right);
        const float gain = mix::volumeGain(entry.volume.load(std::memory_order_relaxed));
        entry.voice.gainLeft = gain * left;
        entry.voice.gainRight = gain * right;
        entry.voice.step = mix::frequencyStep(entry.frequency.load(std::memory_order_relaxed), entry.recordedRate);
        mix::mixVoices(out, frameCount, &entry.voice, 1);
    }
}

}  // namespace plat::audio
