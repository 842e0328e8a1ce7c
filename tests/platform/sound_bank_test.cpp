#include "platform/sound_bank.h"

#include <gtest/gtest.h>

#include "platform/sdl/common/wave_convert.h"
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
    f.bitsPerSample = bits;
    return f;
}

std::vector<float> convert(const WaveFormat& f, const testsound::Bytes& bytes) {
    std::vector<float> out;
    const bool ok = convertWave(f, bytes.data(), static_cast<uint32_t>(bytes.size()), 48000, out);
    EXPECT_EQ(ok, !out.empty());
    return out;
}

}  // namespace

TEST(SoundConversion, MakesStereoFloatAtTheDeviceRate) {
    EXPECT_EQ(convert(pcm(1, 48000, 16), testsound::samples16({16384, -32768, 0})),
              (std::vector<float>{0.5f, 0.5f, -1.0f, -1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(convert(pcm(2, 48000, 8), {128, 0, 192, 64, 7}),  // a trailing part frame is left out
              (std::vector<float>{0.0f, -1.0f, 0.5f, -0.5f}));
    // One second at 11025 is one second at 48000, to the last frame.
    const std::vector<float> resampled = convert(pcm(1, 11025, 16), testsound::samples16(std::vector<int16_t>(11025, 8000)));
    EXPECT_EQ(resampled.size(), 2u * 48000);
    EXPECT_NEAR(resampled[48000], 8000.0f / 32768.0f, 1e-3);
}

TEST(SoundConversion, RefusesWhatTheBuffersNeverPlayed) {
    WaveFormat adpcm = pcm(1, 22050, 16), badBlock = pcm(2, 22050, 16);
    adpcm.formatTag = 2;
    badBlock.blockAlign = 2;
    for (const WaveFormat& f : {adpcm, badBlock, pcm(1, 22050, 24), pcm(3, 22050, 16), pcm(1, 99, 8), pcm(1, 200001, 8)}) {
        EXPECT_TRUE(convert(f, testsound::Bytes(64, 0x40)).empty()) << f.formatTag << "/" << f.channels << "/"
                                                                    << f.bitsPerSample << "/" << f.samplesPerSec;
    }
    EXPECT_TRUE(convert(pcm(1, 48000, 16), {1}).empty());  // no whole frame
}

TEST(SoundBank, PlayRestartsFromTheStartAndTheLastCommandWins) {
    SoundBank bank;
    const SoundBuffer buffer = bankInstall(bank, convert(pcm(1, 48000, 16), testsound::samples16({1000, 2000, 3000, 4000})), 48000);
    ASSERT_NE(buffer, 0);
    auto mix = [&](uint32_t frames) {
        std::vector<float> out(2 * frames, 0.0f);
        bankMix(bank, out.data(), frames);
        return out;
    };
    EXPECT_EQ(mix(2)[0], 0.0f);  // silent until played
    bankPlay(bank, buffer);
    EXPECT_FLOAT_EQ(mix(3)[4], 3000.0f / 32768.0f);
    bankPlay(bank, buffer);
    const std::vector<float> again = mix(5);
    EXPECT_FLOAT_EQ(again[0], 1000.0f / 32768.0f);  // from the start, alone
    EXPECT_EQ(again[8], 0.0f);                       // once, no looping
    bankPlay(bank, buffer);
    bankStop(bank, buffer);
    EXPECT_EQ(mix(1)[0], 0.0f);
}

TEST(SoundBank, ControlsAndHandles) {
    SoundBank bank;
    const SoundBuffer buffer = bankInstall(bank, std::vector<float>(2 * 100, 0.5f), 48000);
    EXPECT_TRUE(bankSetVolume(bank, buffer, -2000));
    EXPECT_TRUE(bankSetPan(bank, buffer, PanRight));
    EXPECT_TRUE(bankSetFrequency(bank, buffer, 96000));
    EXPECT_FALSE(bankSetVolume(bank, buffer, 1));
    EXPECT_FALSE(bankSetPan(bank, buffer, PanLeft - 1));
    EXPECT_FALSE(bankSetFrequency(bank, buffer, 99));
    bankPlay(bank, buffer);
    std::vector<float> out(2 * 60, 0.0f);
    bankMix(bank, out.data(), 60);
    EXPECT_EQ(out[0], 0.0f);                // the left side is gone
    EXPECT_NEAR(out[1], 0.05f, 1e-6);       // 0.5 at -20 dB
    EXPECT_EQ(out[2 * 50 + 1], 0.0f);       // twice as fast: 100 frames last 50

    std::vector<float> freed;
    EXPECT_TRUE(bankRemove(bank, buffer, freed));
    EXPECT_EQ(freed.size(), 200u);
    for (SoundBuffer bad : {buffer, 0, -1, SoundBankCapacity + 1}) EXPECT_FALSE(bankPlay(bank, bad)) << bad;
    for (int i = 0; i < SoundBankCapacity; ++i) ASSERT_EQ(bankInstall(bank, {0, 0}, 48000), i + 1);
    EXPECT_EQ(bankInstall(bank, {0, 0}, 48000), 0);  // full
}
