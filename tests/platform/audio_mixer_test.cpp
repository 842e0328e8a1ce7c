#include "platform/audio_mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace plat::mix;

namespace {
MixVoice voiceOf(const std::vector<float>& frames) {
    MixVoice v;
    v.frames = frames.data();
    v.frameCount = static_cast<uint32_t>(frames.size() / 2);
    v.playing = true;
    return v;
}
}  // namespace

TEST(AudioMixer, AddsVoicesWithTheirGainsAcrossCallsUntilTheirEnd) {
    const std::vector<float> sound = {0.5f, -0.5f, 0.25f, -0.25f, -0.5f, 0.5f};
    MixVoice voices[3] = {voiceOf(sound), voiceOf(sound), voiceOf(sound)};
    voices[1].gainLeft = 0.5f;
    voices[1].gainRight = 0.0f;
    voices[2].playing = false;
    std::vector<float> first(2 * 2, 0.1f), second(2 * 3, 0.1f);  // mixing adds to what is there

    mixVoices(first.data(), 2, voices, 3);
    mixVoices(second.data(), 3, voices, 3);

    EXPECT_FLOAT_EQ(first[0], 0.1f + 0.5f + 0.25f);
    EXPECT_FLOAT_EQ(first[1], 0.1f - 0.5f);
    EXPECT_FLOAT_EQ(second[0], 0.1f - 0.5f - 0.25f);  // goes on where the last call stopped
    EXPECT_FLOAT_EQ(second[2], 0.1f);                 // nothing past the end
    EXPECT_FALSE(voices[0].playing);
    EXPECT_FALSE(voices[1].playing);
}

TEST(AudioMixer, VolumePanAndClampLaws) {
    EXPECT_EQ(volumeGain(0), 1.0f);
    EXPECT_EQ(volumeGain(-10000), 0.0f);
    EXPECT_NEAR(volumeGain(-2000), 0.1f, 1e-6);     // -20 dB
    EXPECT_NEAR(volumeGain(-600), 0.50119f, 1e-4);  // -6 dB
    float left = 0, right = 0;
    panGains(-600, left, right);
    EXPECT_EQ(left, 1.0f);
    EXPECT_NEAR(right, 0.50119f, 1e-4);
    panGains(10000, left, right);
    EXPECT_EQ(left, 0.0f);
    EXPECT_EQ(right, 1.0f);
    std::vector<float> out = {1.7f, -2.5f, 0.3f, -1.0f};
    clampSamples(out.data(), out.size());
    EXPECT_EQ(out, (std::vector<float>{1.0f, -1.0f, 0.3f, -1.0f}));
}

TEST(AudioMixer, FrequencyRatioTwoDoublesTheZeroCrossings) {
    std::vector<float> sine;  // 100 Hz recorded at 48000
    for (int i = 0; i < 48000; ++i) {
        const float v = static_cast<float>(std::sin(2.0 * M_PI * 100.0 * (i + 0.5) / 48000.0));
        sine.insert(sine.end(), {v, v});
    }
    auto crossings = [&](uint32_t frequency) {
        MixVoice voice = voiceOf(sine);
        voice.step = frequencyStep(frequency, 48000);
        std::vector<float> out(2 * 4800, 0.0f);
        mixVoices(out.data(), 4800, &voice, 1);
        int count = 0;
        for (size_t i = 2; i < out.size(); i += 2) count += (out[i - 2] < 0) != (out[i] < 0);
        return count;
    };
    EXPECT_EQ(crossings(0), 19);  // a tenth of a second
    EXPECT_EQ(crossings(96000), 39);
}

TEST(AudioMixer, SoftLimitPassesQuietSumsExactlyAndNeverReachesFullScale) {
    // Three voices of a 440 Hz sine, each at 0.15, 0.6 and 1.0 of full scale:
    // sums from 0.45 (below the knee) to 4.5 (far above it).
    for (float level : {0.15f, 0.6f, 1.0f, 1.5f}) {
        std::vector<float> sine;
        for (int i = 0; i < 4800; ++i) {
            const float v = level * static_cast<float>(std::sin(2.0 * M_PI * 440.0 * i / 48000.0));
            sine.insert(sine.end(), {v, -v});
        }
        MixVoice voices[3] = {voiceOf(sine), voiceOf(sine), voiceOf(sine)};
        std::vector<float> sum(sine.size(), 0.0f);
        mixVoices(sum.data(), 4800, voices, 3);
        std::vector<float> out = sum;
        softLimit(out.data(), out.size());
        for (size_t i = 0; i < out.size(); ++i) {
            if (std::fabs(sum[i]) <= LimitKnee) {
                ASSERT_EQ(out[i], sum[i]) << "level " << level;  // bit for bit
            }
            ASSERT_LT(std::fabs(out[i]), 1.0f) << "level " << level;
            ASSERT_EQ(std::signbit(out[i]), std::signbit(sum[i]));
            // Smooth: a step between neighbouring samples of a side is
            // never larger than the step of the sum itself.
            if (i >= 2) {
                ASSERT_LE(std::fabs(out[i] - out[i - 2]), std::fabs(sum[i] - sum[i - 2]) + 1e-6f);
            }
        }
    }
    // The curve keeps its order and stays below the ceiling at any size.
    std::vector<float> rising = {0.5f, 0.5001f, 0.75f, 1.0f, 2.0f, 1e6f, 1e30f, INFINITY};
    softLimit(rising.data(), rising.size());
    EXPECT_EQ(rising[0], 0.5f);
    EXPECT_NEAR(rising[1], 0.5001f, 1e-6f) << "slope 1 at the knee: no corner";
    for (size_t i = 1; i < rising.size(); ++i) EXPECT_LE(rising[i - 1], rising[i]);
    EXPECT_LE(rising.back(), LimitCeiling);
}
