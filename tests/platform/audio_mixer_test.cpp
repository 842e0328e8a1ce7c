#include "platform/audio_mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/audio.h"

using namespace plat::mix;

namespace {

std::vector<float> stereo(std::initializer_list<float> left) {
    std::vector<float> out;
    for (float v : left) {
        out.push_back(v);
        out.push_back(-v);
    }
    return out;
}

MixVoice voiceOf(const std::vector<float>& frames) {
    MixVoice v;
    v.frames = frames.data();
    v.frameCount = static_cast<uint32_t>(frames.size() / 2);
    v.playing = true;
    return v;
}

int zeroCrossings(const std::vector<float>& out) {
    int count = 0;
    for (size_t i = 2; i < out.size(); i += 2) count += (out[i - 2] < 0) != (out[i] < 0) ? 1 : 0;
    return count;
}

}  // namespace

TEST(AudioMixer, AddsEachVoiceWithItsGainsAndStopsAtItsEnd) {
    const std::vector<float> sound = stereo({0.5f, 0.25f, -0.5f});
    MixVoice voices[2] = {voiceOf(sound), voiceOf(sound)};
    voices[1].gainLeft = 0.5f;
    voices[1].gainRight = 0.0f;
    std::vector<float> out(2 * 5, 0.1f);  // mixing adds to what is there

    mixVoices(out.data(), 5, voices, 2);

    EXPECT_FLOAT_EQ(out[0], 0.1f + 0.5f + 0.25f);
    EXPECT_FLOAT_EQ(out[1], 0.1f - 0.5f);
    EXPECT_FLOAT_EQ(out[4], 0.1f - 0.5f - 0.25f);
    EXPECT_FLOAT_EQ(out[6], 0.1f);  // past the end nothing is added
    EXPECT_FLOAT_EQ(out[9], 0.1f);
    EXPECT_FALSE(voices[0].playing);
    EXPECT_FALSE(voices[1].playing);
}

TEST(AudioMixer, ContinuesAVoiceAcrossCallsAndSkipsStoppedOnes) {
    std::vector<float> sound;
    for (int i = 0; i < 10; ++i) sound.insert(sound.end(), {i * 0.01f, 0.0f});
    MixVoice voices[2] = {voiceOf(sound), voiceOf(sound)};
    voices[1].playing = false;
    std::vector<float> first(2 * 4, 0.0f), second(2 * 4, 0.0f);

    mixVoices(first.data(), 4, voices, 2);
    mixVoices(second.data(), 4, voices, 2);

    EXPECT_FLOAT_EQ(first[6], 0.03f);
    EXPECT_FLOAT_EQ(second[0], 0.04f);  // the next call goes on where the last stopped
    EXPECT_TRUE(voices[0].playing);
    EXPECT_EQ(voices[0].position >> 32, 8u);
}

TEST(AudioMixer, ClampsTheSumToFullScale) {
    std::vector<float> out = {1.7f, -2.5f, 0.3f, -1.0f, 1.0f};
    clampSamples(out.data(), out.size());
    EXPECT_EQ(out, (std::vector<float>{1.0f, -1.0f, 0.3f, -1.0f, 1.0f}));
}

TEST(AudioMixer, VolumeIsAttenuationInHundredthsOfADecibel) {
    EXPECT_EQ(volumeGain(0), 1.0f);
    EXPECT_EQ(volumeGain(plat::VolumeMin), 0.0f);
    EXPECT_EQ(volumeGain(-20000), 0.0f);
    EXPECT_EQ(volumeGain(500), 1.0f);
    EXPECT_NEAR(volumeGain(-2000), 0.1f, 1e-6);   // -20 dB
    EXPECT_NEAR(volumeGain(-600), 0.50119f, 1e-4);  // -6 dB
}

TEST(AudioMixer, PanAttenuatesTheFarSideOnly) {
    float left = 0, right = 0;
    panGains(0, left, right);
    EXPECT_EQ(left, 1.0f);
    EXPECT_EQ(right, 1.0f);
    panGains(-600, left, right);
    EXPECT_EQ(left, 1.0f);
    EXPECT_NEAR(right, 0.50119f, 1e-4);
    panGains(2000, left, right);
    EXPECT_NEAR(left, 0.1f, 1e-6);
    EXPECT_EQ(right, 1.0f);
    panGains(plat::PanLeft, left, right);
    EXPECT_EQ(right, 0.0f);
}

TEST(AudioMixer, FrequencyRatioTwoDoublesTheZeroCrossings) {
    // 100 Hz recorded at 48000 frames a second.
    std::vector<float> sine;
    for (int i = 0; i < 48000; ++i) {
        const float v = static_cast<float>(std::sin(2.0 * M_PI * 100.0 * (i + 0.5) / 48000.0));
        sine.insert(sine.end(), {v, v});
    }
    MixVoice normal = voiceOf(sine), doubled = voiceOf(sine);
    doubled.step = frequencyStep(96000, 48000);
    EXPECT_EQ(doubled.step, 2 * UnitStep);
    std::vector<float> a(2 * 4800, 0.0f), b(2 * 4800, 0.0f);

    mixVoices(a.data(), 4800, &normal, 1);
    mixVoices(b.data(), 4800, &doubled, 1);

    EXPECT_EQ(zeroCrossings(a), 19);  // a tenth of a second of 100 Hz
    EXPECT_EQ(zeroCrossings(b), 39);
    EXPECT_EQ(doubled.position >> 32, 9600u);
}

TEST(AudioMixer, ResampledVoiceInterpolatesAndEnds) {
    const std::vector<float> sound = stereo({0.0f, 1.0f});
    MixVoice voice = voiceOf(sound);
    voice.step = frequencyStep(24000, 48000);  // half speed
    EXPECT_EQ(voice.step, UnitStep / 2);
    std::vector<float> out(2 * 6, 0.0f);

    mixVoices(out.data(), 6, &voice, 1);

    // 0, halfway, 1, then towards silence past the last frame.
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_FLOAT_EQ(out[2], 0.5f);
    EXPECT_FLOAT_EQ(out[4], 1.0f);
    EXPECT_FLOAT_EQ(out[6], 0.5f);
    EXPECT_FLOAT_EQ(out[8], 0.0f);
    EXPECT_FALSE(voice.playing);
    EXPECT_EQ(frequencyStep(plat::FrequencyOriginal, 22050), UnitStep);
}
