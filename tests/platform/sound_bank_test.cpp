#include "platform/sound_bank.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/sound_files.h"

using namespace plat;
using namespace plat::audio;

namespace {

WaveFormat pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
    WaveFormat f;
    f.formatTag = 1;
    f.channels = channels;
    f.samplesPerSec = rate;
    f.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    f.avgBytesPerSec = rate * f.blockAlign;
    f.bitsPerSample = bits;
    return f;
}

// A bank with one 16-bit mono sound of the given samples at 48000.
class SoundBankTest : public ::testing::Test {
protected:
    SoundBuffer install(const std::vector<int16_t>& values) {
        const std::vector<uint8_t> bytes = testsound::samples16(values);
        std::vector<float> frames;
        EXPECT_TRUE(convertWave(pcm(1, 48000, 16), bytes.data(), static_cast<uint32_t>(bytes.size()), 48000, frames));
        return bankInstall(bank, std::move(frames), 48000);
    }
    std::vector<float> mix(uint32_t frames) {
        std::vector<float> out(2 * frames, 0.0f);
        bankMix(bank, out.data(), frames);
        return out;
    }
    SoundBank bank;
};

}  // namespace

TEST(SoundConversion, SixteenBitMonoIsHeardOnBothSides) {
    const std::vector<uint8_t> bytes = testsound::samples16({16384, -32768, 0});
    std::vector<float> out;
    ASSERT_TRUE(convertWave(pcm(1, 48000, 16), bytes.data(), static_cast<uint32_t>(bytes.size()), 48000, out));
    EXPECT_EQ(out, (std::vector<float>{0.5f, 0.5f, -1.0f, -1.0f, 0.0f, 0.0f}));
}

TEST(SoundConversion, EightBitIsUnsignedAroundTheMiddle) {
    const std::vector<uint8_t> bytes = {128, 0, 192, 64};  // stereo: two frames
    std::vector<float> out;
    ASSERT_TRUE(convertWave(pcm(2, 48000, 8), bytes.data(), 4, 48000, out));
    EXPECT_EQ(out, (std::vector<float>{0.0f, -1.0f, 0.5f, -0.5f}));
}

TEST(SoundConversion, ChangesTheRateToTheDevice) {
    const std::vector<uint8_t> bytes = testsound::samples16(std::vector<int16_t>(11025, 8000));
    std::vector<float> out;
    ASSERT_TRUE(convertWave(pcm(1, 11025, 16), bytes.data(), static_cast<uint32_t>(bytes.size()), 48000, out));
    EXPECT_NEAR(static_cast<double>(out.size()) / 2, 48000.0, 48.0);  // one second either way
    EXPECT_NEAR(out[out.size() / 2], 8000.0f / 32768.0f, 1e-3);
}

TEST(SoundConversion, RefusesWhatTheBuffersNeverPlayed) {
    const std::vector<uint8_t> bytes(64, 0x40);
    std::vector<float> out;
    WaveFormat adpcm = pcm(1, 22050, 16);
    adpcm.formatTag = 2;
    WaveFormat badBlock = pcm(2, 22050, 16);
    badBlock.blockAlign = 2;
    for (const WaveFormat& f : {adpcm, pcm(1, 22050, 24), pcm(3, 22050, 16), pcm(1, 50, 8), pcm(1, 300000, 8), badBlock}) {
        EXPECT_FALSE(convertWave(f, bytes.data(), 64, 48000, out)) << f.formatTag << " " << f.channels << " "
                                                                   << f.bitsPerSample << " " << f.samplesPerSec;
        EXPECT_TRUE(out.empty());
    }
    EXPECT_FALSE(convertWave(pcm(1, 48000, 16), bytes.data(), 1, 48000, out));  // no whole frame
    EXPECT_FALSE(convertWave(pcm(1, 48000, 16), nullptr, 64, 48000, out));
    // A trailing half frame is left out.
    ASSERT_TRUE(convertWave(pcm(1, 48000, 16), bytes.data(), 5, 48000, out));
    EXPECT_EQ(out.size(), 4u);
}

TEST_F(SoundBankTest, PlayingAgainRestartsInsteadOfOverlapping) {
    const SoundBuffer buffer = install({1000, 2000, 3000, 4000, 5000, 6000});
    ASSERT_NE(buffer, 0);
    EXPECT_TRUE(mix(4)[0] == 0.0f);  // created silent

    ASSERT_TRUE(bankPlay(bank, buffer));
    const std::vector<float> first = mix(3);
    ASSERT_TRUE(bankPlay(bank, buffer));
    const std::vector<float> second = mix(4);

    EXPECT_FLOAT_EQ(first[4], 3000.0f / 32768.0f);
    EXPECT_FLOAT_EQ(second[0], 1000.0f / 32768.0f);  // from the start, alone
    EXPECT_FLOAT_EQ(second[6], 4000.0f / 32768.0f);
    const std::vector<float> rest = mix(4);
    EXPECT_FLOAT_EQ(rest[2], 6000.0f / 32768.0f);
    EXPECT_FLOAT_EQ(rest[4], 0.0f);  // played once, no looping
}

TEST_F(SoundBankTest, LastCommandWinsBetweenCallbacks) {
    const SoundBuffer buffer = install(std::vector<int16_t>(100, 16384));
    bankPlay(bank, buffer);
    bankStop(bank, buffer);
    EXPECT_EQ(mix(2)[0], 0.0f);
    bankStop(bank, buffer);
    bankPlay(bank, buffer);
    EXPECT_EQ(mix(2)[0], 0.5f);
    bankStop(bank, buffer);
    EXPECT_EQ(mix(2)[0], 0.0f);
}

TEST_F(SoundBankTest, ControlsApplyAndRefuseOutOfRange) {
    const SoundBuffer buffer = install(std::vector<int16_t>(100, 16384));
    EXPECT_TRUE(bankSetVolume(bank, buffer, -2000));
    EXPECT_TRUE(bankSetPan(bank, buffer, PanRight));
    EXPECT_FALSE(bankSetVolume(bank, buffer, 1));
    EXPECT_FALSE(bankSetPan(bank, buffer, PanLeft - 1));
    EXPECT_FALSE(bankSetFrequency(bank, buffer, 99));
    EXPECT_FALSE(bankSetFrequency(bank, buffer, FrequencyMax + 1));
    EXPECT_TRUE(bankSetFrequency(bank, buffer, 96000));
    bankPlay(bank, buffer);
    const std::vector<float> out = mix(60);
    EXPECT_FLOAT_EQ(out[0], 0.0f);         // the left side is gone
    EXPECT_NEAR(out[1], 0.05f, 1e-6);      // 0.5 at -20 dB
    EXPECT_EQ(out[2 * 50 + 1], 0.0f);      // twice as fast: 100 frames last 50
}

TEST_F(SoundBankTest, HandlesStayValidOnlyWhileInstalled) {
    const SoundBuffer a = install({1, 2}), b = install({3, 4});
    EXPECT_EQ(bankCount(bank), 2);
    std::vector<float> freed;
    EXPECT_TRUE(bankRemove(bank, a, freed));
    EXPECT_EQ(freed.size(), 4u);
    EXPECT_FALSE(bankRemove(bank, a, freed));
    EXPECT_FALSE(bankPlay(bank, a));
    EXPECT_FALSE(bankContains(bank, a));
    EXPECT_TRUE(bankContains(bank, b));
    for (SoundBuffer bad : {0, -1, SoundBankCapacity + 1}) {
        EXPECT_FALSE(bankPlay(bank, bad));
        EXPECT_FALSE(bankSetVolume(bank, bad, 0));
    }
    EXPECT_EQ(install({5, 6}), a);  // the freed entry is used again
}

TEST_F(SoundBankTest, RefusesWhenFull) {
    for (int i = 0; i < SoundBankCapacity; ++i) ASSERT_NE(bankInstall(bank, std::vector<float>{0, 0}, 48000), 0);
    EXPECT_EQ(bankInstall(bank, std::vector<float>{0, 0}, 48000), 0);
    EXPECT_EQ(bankInstall(bank, std::vector<float>{}, 48000), 0);
}
