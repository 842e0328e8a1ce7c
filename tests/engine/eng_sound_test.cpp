#include "engine/eng_sound.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/sound_files.h"
#include "support/sound_fixture.h"

using plat::headless::SoundEventKind;
using testsound::SoundFixture;

namespace {

constexpr const char* Shot = "SOUND/SHOT.WAV";

std::vector<plat::SoundBuffer> playedBuffers() {
    std::vector<plat::SoundBuffer> played;
    for (const auto& e : plat::headless::soundEvents()) {
        if (e.kind == SoundEventKind::Play) played.push_back(e.buffer);
    }
    return played;
}

float firstLeftSample() {
    float out[2 * 4];
    plat::headless::renderAudio(out, 4);
    return out[0];
}

class EngSoundTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        testsound::testResources()[Shot] = testsound::constantWave(8192, 200);
    }
};

}  // namespace

TEST_F(EngSoundTest, VoiceCountUpToTenByItsMagnitude) {
    EXPECT_EQ(engSound::LoadObject(Shot, 10), 0);
    EXPECT_EQ(soundSlots[0].voiceCount, 10);
    EXPECT_EQ(plat::headless::soundBufferCount(), 10);

    EXPECT_EQ(engSound::LoadObject(Shot, 11), -1);
    EXPECT_EQ(lastBoxText(), "engSound::LoadObject : ミックス数が多過ぎます");
    EXPECT_EQ(plat::headless::boxes().back().title, "エラー発生");
    EXPECT_EQ(engSound::LoadObject(Shot, INT_MIN), -1);
    EXPECT_EQ(plat::headless::boxes().size(), 2u);

    EXPECT_EQ(engSound::LoadObject(Shot, -3), 1);
    EXPECT_EQ(soundSlots[1].voiceCount, 3);
    EXPECT_EQ(plat::headless::soundBufferCount(), 13);

    // No voices at all: the slot is taken, and playing it does nothing.
    EXPECT_EQ(engSound::LoadObject(Shot, 0), 2);
    EXPECT_EQ(engSound::Play(2, -1), 0);
    EXPECT_EQ(engSound::Play(2, 0), 0);
    EXPECT_EQ(soundSlots[2].currentVoice, 0);
}

TEST_F(EngSoundTest, NamesAndSlotsAreBounded) {
    const std::string longest(30, 'N'), tooLong(31, 'N');
    testsound::testResources()[longest] = testsound::constantWave(1, 4);
    testsound::testResources()[tooLong] = testsound::constantWave(1, 4);
    EXPECT_EQ(engSound::LoadObject(tooLong.c_str(), 1), -1);
    EXPECT_EQ(lastBoxText(), "engSound::LoadObject : ファイル名またはリソース名が長すぎます");
    EXPECT_EQ(engSound::LoadObject(nullptr, 1), -1);
    EXPECT_EQ(engSound::LoadObject(longest.c_str(), 1), 0);
    EXPECT_EQ(std::string(soundSlots[0].name), longest);

    EXPECT_EQ(engSound::LoadObject("SOUND/NONE.WAV", 1), -1);
    EXPECT_EQ(lastBoxText(), "engSound::LoadObject : WAVEリソースが見つかりません");

    for (int slot = 1; slot < SoundSlotCount; ++slot) ASSERT_EQ(engSound::LoadObject(Shot, 1), slot);
    plat::headless::clearBoxes();
    EXPECT_EQ(engSound::LoadObject(Shot, 1), -1);
    EXPECT_EQ(lastBoxText(), "engSound::LoadObject : オブジェクト数が多過ぎます");
}

TEST_F(EngSoundTest, FileComesBeforeTheResourceOfTheSameName) {
    writeFile(Shot, testsound::constantWave(4096, 200));
    ASSERT_EQ(engSound::LoadObject(Shot, 1), 0);
    engSound::Play(0, -1);
    EXPECT_FLOAT_EQ(firstLeftSample(), 4096.0f / 32768.0f);

    // A file that is no WAVE falls back to the resource.
    writeFile("SOUND/BOM.WAV", {'R', 'I', 'F', 'F', 0, 0, 0, 0});
    testsound::testResources()["SOUND/BOM.WAV"] = testsound::constantWave(-8192, 200);
    ASSERT_EQ(engSound::LoadObject("SOUND/BOM.WAV", 1), 1);
    engSound::Play(1, -1);
    EXPECT_FLOAT_EQ(firstLeftSample(), (4096.0f - 8192.0f) / 32768.0f);
    EXPECT_TRUE(plat::headless::boxes().empty());
}

TEST_F(EngSoundTest, AFailedLoadGivesBackWhatItTook) {
    // A hostile file: the data chunk claims more than there is.
    std::vector<uint8_t> hostile = testsound::constantWave(1, 100);
    hostile[40] = 0xFF;
    testsound::testResources()["SOUND/BAD.WAV"] = hostile;
    EXPECT_EQ(engSound::LoadObject("SOUND/BAD.WAV", 1), -1);
    EXPECT_EQ(lastBoxText(), "engSound::LoadObject : WAVEリソースが見つかりません");

    // A format no buffer plays.
    testsound::testResources()["SOUND/24.WAV"] = testsound::pcmWave(1, 22050, 24, std::vector<uint8_t>(30, 1));
    EXPECT_EQ(engSound::LoadObject("SOUND/24.WAV", 2), -1);
    EXPECT_EQ(lastBoxText(), "engSound::LoadObject : サウンドバッファが生成できません");

    // Out of buffers after two of five voices.
    plat::headless::setSoundBufferLimit(2);
    EXPECT_EQ(engSound::LoadObject(Shot, 5), -1);
    EXPECT_EQ(lastBoxText(), "engSound::LoadObject : サウンドバッファが生成できません");
    EXPECT_EQ(plat::headless::soundBufferCount(), 0);
    EXPECT_EQ(soundSlots[0].inUse, 0);
    EXPECT_EQ(soundSlots[0].voices[0], 0);
    EXPECT_EQ(soundSlots[0].voiceCount, 1);

    plat::headless::setSoundBufferLimit(-1);
    EXPECT_EQ(engSound::LoadObject(Shot, 1), 0);  // the slot is free again
}

TEST_F(EngSoundTest, VoicesTakeTurnsAndPlayReturnsTheVoicePlusOne) {
    ASSERT_EQ(engSound::LoadObject(Shot, 3), 0);
    const plat::SoundBuffer* v = soundSlots[0].voices;
    EXPECT_EQ(engSound::Play(0, -1), 1);
    EXPECT_EQ(engSound::Play(0, -1), 2);
    EXPECT_EQ(engSound::Play(0, -1), 3);
    EXPECT_EQ(engSound::Play(0, -1), 1);
    EXPECT_EQ(engSound::Play(0, 2), 3);   // a chosen voice leaves the turn alone
    EXPECT_EQ(engSound::Play(0, -1), 2);
    EXPECT_EQ(playedBuffers(), (std::vector<plat::SoundBuffer>{v[0], v[1], v[2], v[0], v[2], v[1]}));
}

TEST_F(EngSoundTest, PlaysOutsideTheTableDoNothing) {
    ASSERT_EQ(engSound::LoadObject(Shot, 3), 0);
    plat::headless::clearSoundEvents();
    for (int slot : {-1, 70, 1000, 5}) EXPECT_EQ(engSound::Play(slot, -1), 0) << slot;
    for (int voice : {3, 9, 10, 1000}) EXPECT_EQ(engSound::Play(0, voice), 0) << voice;
    EXPECT_TRUE(plat::headless::soundEvents().empty());
    EXPECT_EQ(soundSlots[0].currentVoice, 0);
}

TEST_F(EngSoundTest, OneVoicePlayedTwiceRestarts) {
    std::vector<int16_t> ramp;
    for (int i = 1; i <= 100; ++i) ramp.push_back(static_cast<int16_t>(i * 100));
    testsound::testResources()["SOUND/RAMP.WAV"] = testsound::pcmWave(1, 48000, 16, testsound::samples16(ramp));
    ASSERT_EQ(engSound::LoadObject("SOUND/RAMP.WAV", 1), 0);
    EXPECT_EQ(engSound::Play(0, -1), 1);
    float out[2 * 10];
    plat::headless::renderAudio(out, 10);
    EXPECT_EQ(engSound::Play(0, -1), 1);
    plat::headless::renderAudio(out, 10);
    EXPECT_FLOAT_EQ(out[0], 100.0f / 32768.0f);  // the start alone, not the start over sample 11
    EXPECT_FLOAT_EQ(out[18], 1000.0f / 32768.0f);
    EXPECT_EQ(plat::headless::playCount(soundSlots[0].voices[0]), 2);
}

TEST_F(EngSoundTest, WithoutDeviceEverythingIsSilentAndQuiet) {
    engSound::Release();
    plat::headless::setAudioDeviceAvailable(false);
    EXPECT_EQ(engSound::Init(), 0);
    EXPECT_EQ(soundEnabled, 0);
    EXPECT_EQ(engSound::LoadObject(Shot, 1), -1);
    EXPECT_EQ(engSound::LoadObject(Shot, 20), -1);
    EXPECT_EQ(engSound::Play(0, -1), 0);
    EXPECT_TRUE(plat::headless::boxes().empty());
}

TEST_F(EngSoundTest, ReleaseAndResetFreeEveryBuffer) {
    ASSERT_EQ(engSound::LoadObject(Shot, 4), 0);
    ASSERT_EQ(engSound::LoadObject(Shot, 2), 1);
    engSound::ResetSlots();
    EXPECT_EQ(plat::headless::soundBufferCount(), 0);
    EXPECT_EQ(soundSlots[0].inUse, 0);
    EXPECT_EQ(soundSlots[1].voiceCount, 1);
    EXPECT_EQ(soundSlots[1].name[0], '\0');

    ASSERT_EQ(engSound::LoadObject(Shot, 2), 0);
    engSound::Release();
    EXPECT_FALSE(plat::audioIsOpen());
    EXPECT_EQ(plat::headless::soundBufferCount(), 0);
    EXPECT_EQ(soundSlots[0].voices[0], 0);
    EXPECT_EQ(engSound::Play(0, -1), 0);
    EXPECT_EQ(engSound::LoadObject(Shot, 1), -1);
}
