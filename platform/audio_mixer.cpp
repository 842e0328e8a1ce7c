#include "platform/audio_mixer.h"

#include <algorithm>
#include <cmath>

#include "platform/audio.h"

namespace plat::mix {

namespace {

// The plain case: the voice plays at the device's rate.
void mixUnitStep(float* out, uint32_t frameCount, MixVoice& voice) {
    const uint32_t start = static_cast<uint32_t>(voice.position >> 32);
    const uint32_t available = voice.frameCount - start;
    const uint32_t count = std::min(available, frameCount);
    const float* in = voice.frames + size_t{start} * 2;
    for (uint32_t i = 0; i < count; ++i) {
        out[2 * i] += in[2 * i] * voice.gainLeft;
        out[2 * i + 1] += in[2 * i + 1] * voice.gainRight;
    }
    voice.position += uint64_t{count} << 32;
    if (count == available) voice.playing = false;
}

// Any other rate: linear interpolation between neighbouring frames; past the
// last frame the sound fades towards silence.
void mixResampled(float* out, uint32_t frameCount, MixVoice& voice) {
    const uint64_t end = uint64_t{voice.frameCount} << 32;
    for (uint32_t i = 0; i < frameCount; ++i) {
        if (voice.position >= end) {
            voice.playing = false;
            return;
        }
        const uint32_t index = static_cast<uint32_t>(voice.position >> 32);
        const float fraction = static_cast<float>(voice.position & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
        const float* a = voice.frames + size_t{index} * 2;
        float nextLeft = 0.0f, nextRight = 0.0f;
        if (index + 1 < voice.frameCount) {
            nextLeft = a[2];
            nextRight = a[3];
        }
        const float left = a[0] + (nextLeft - a[0]) * fraction;
        const float right = a[1] + (nextRight - a[1]) * fraction;
        out[2 * i] += left * voice.gainLeft;
        out[2 * i + 1] += right * voice.gainRight;
        voice.position += voice.step;
    }
    if (voice.position >= end) voice.playing = false;
}

}  // namespace

void mixVoices(float* out, uint32_t frameCount, MixVoice* voices, size_t voiceCount) {
    for (size_t v = 0; v < voiceCount; ++v) {
        MixVoice& voice = voices[v];
        if (!voice.playing) continue;
        if (voice.frames == nullptr || (voice.position >> 32) >= voice.frameCount || voice.step == 0) {
            voice.playing = false;
            continue;
        }
        if (voice.step == UnitStep && (voice.position & 0xFFFFFFFFu) == 0) {
            mixUnitStep(out, frameCount, voice);
        } else {
            mixResampled(out, frameCount, voice);
        }
    }
}

void clampSamples(float* samples, size_t sampleCount) {
    for (size_t i = 0; i < sampleCount; ++i) samples[i] = std::clamp(samples[i], -1.0f, 1.0f);
}

void softLimit(float* samples, size_t sampleCount) {
    constexpr float room = LimitCeiling - LimitKnee;
    for (size_t i = 0; i < sampleCount; ++i) {
        const float magnitude = std::fabs(samples[i]);
        if (!(magnitude > LimitKnee)) continue;
        // over / (1 + over) rises from 0 with slope 1 towards 1: the sample
        // rises from the knee towards the ceiling. An infinite sum lands on
        // the ceiling itself.
        const float over = (magnitude - LimitKnee) / room;
        const float bent = std::isinf(over) ? LimitCeiling : LimitKnee + room * (over / (1.0f + over));
        samples[i] = std::copysign(std::min(bent, LimitCeiling), samples[i]);
    }
}

float volumeGain(int32_t volume) {
    if (volume <= VolumeMin) return 0.0f;
    if (volume >= VolumeMax) return 1.0f;
    return static_cast<float>(std::pow(10.0, volume / 2000.0));
}

void panGains(int32_t pan, float& left, float& right) {
    pan = std::clamp(pan, PanLeft, PanRight);
    left = pan > 0 ? volumeGain(-pan) : 1.0f;
    right = pan < 0 ? volumeGain(pan) : 1.0f;
}

uint64_t frequencyStep(uint32_t frequency, uint32_t recordedRate) {
    if (frequency == FrequencyOriginal || recordedRate == 0) return UnitStep;
    return (uint64_t{frequency} << 32) / recordedRate;
}

}  // namespace plat::mix
