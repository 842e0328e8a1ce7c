#include "engine/eng_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "engine/eng_system.h"

#include "support/sound_fixture.h"

using namespace testsound;

namespace {

constexpr const char* Shot = "SOUND/SHOT.WAV";

float firstLeftSample() {
    float out[2 * 4];
    plat::headless::renderAudio(out, 4);
    return out[0];
}

class EngSoundTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        resources()[Shot] = constantWave(8192, 200);
    }
};

}  // namespace

TEST_F(EngSoundTest, VoiceCountUpToTenByItsMagnitude) {
    EXPECT_EQ(engSound::LoadObject(Shot, 10), 0);
    EXPECT_EQ(plat::headless::soundBufferCount(), 10);
    EXPECT_EQ(engSound::LoadObject(Shot, 11), -1);
    EXPECT_EQ(lastBox(), "engSound::LoadObject : ミックス数が多過ぎます");
    EXPECT_EQ(plat::headless::boxes().back().title, "エラー発生");
    EXPECT_EQ(engSound::LoadObject(Shot, INT_MIN), -1);
    EXPECT_EQ(engSound::LoadObject(Shot, -3), 1);
    EXPECT_EQ(soundSlots[1].voiceCount, 3);
    EXPECT_EQ(plat::headless::soundBufferCount(), 13);
}

TEST_F(EngSoundTest, NamesAndSlotsAreBounded) {
    const std::string longest(30, 'N'), tooLong(31, 'N');
    resources()[longest] = resources()[tooLong] = constantWave(1, 4);
    EXPECT_EQ(engSound::LoadObject(tooLong.c_str(), 1), -1);
    EXPECT_EQ(lastBox(), "engSound::LoadObject : ファイル名またはリソース名が長すぎます");
    EXPECT_EQ(engSound::LoadObject(longest.c_str(), 1), 0);
    EXPECT_EQ(std::string(soundSlots[0].name), longest);
    EXPECT_EQ(engSound::LoadObject("SOUND/NONE.WAV", 1), -1);
    EXPECT_EQ(lastBox(), "engSound::LoadObject : WAVEリソースが見つかりません");
    for (int slot = 1; slot < SoundSlotCount; ++slot) ASSERT_EQ(engSound::LoadObject(Shot, 1), slot);
    EXPECT_EQ(engSound::LoadObject(Shot, 1), -1);
    EXPECT_EQ(lastBox(), "engSound::LoadObject : オブジェクト数が多過ぎます");
}

TEST_F(EngSoundTest, TheFileComesFirstAndABrokenOneFallsBackToTheResource) {
    writeFile(Shot, constantWave(4096, 200));
    ASSERT_EQ(engSound::LoadObject(Shot, 1), 0);
    engSound::Play(0, -1);
    EXPECT_FLOAT_EQ(firstLeftSample(), 4096.0f / 32768.0f);
    writeFile("SOUND/BOM.WAV", {'R', 'I', 'F', 'F', 0, 0, 0, 0});
    resources()["SOUND/BOM.WAV"] = constantWave(-8192, 200);
    ASSERT_EQ(engSound::LoadObject("SOUND/BOM.WAV", 1), 1);
    engSound::Play(1, -1);
    EXPECT_FLOAT_EQ(firstLeftSample(), (4096.0f - 8192.0f) / 32768.0f);
    EXPECT_TRUE(plat::headless::boxes().empty());
}

TEST_F(EngSoundTest, NoFileIsReadThroughAPathTooLongForItAndThatIsSaid) {
    const std::string deep = appDirText + std::string(engSystem::FilePathSize, 'd') + "/";
    plat::headless::setAppDirectory(deep.c_str());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(engSound::LoadObject(Shot, 1), 0);  // the built-in sound
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("its path is too long); the built-in one is used instead"), std::string::npos) << said;
}

TEST_F(EngSoundTest, AFailedLoadGivesBackWhatItTook) {
    Bytes hostile = constantWave(1, 100);
    hostile[40] = 0xFF;  // the data claims more than there is
    resources()["SOUND/BAD.WAV"] = hostile;
    EXPECT_EQ(engSound::LoadObject("SOUND/BAD.WAV", 1), -1);
    EXPECT_EQ(lastBox(), "engSound::LoadObject : WAVEリソースが見つかりません");
    resources()["SOUND/24.WAV"] = pcmWave(1, 22050, 24, Bytes(30, 1));
    EXPECT_EQ(engSound::LoadObject("SOUND/24.WAV", 2), -1);
    EXPECT_EQ(lastBox(), "engSound::LoadObject : サウンドバッファが生成できません");

    plat::headless::setSoundBufferLimit(2);  // out of buffers after two of five voices
    EXPECT_EQ(engSound::LoadObject(Shot, 5), -1);
    EXPECT_EQ(plat::headless::soundBufferCount(), 0);
    EXPECT_EQ(soundSlots[0].voices[0], 0);
    EXPECT_EQ(soundSlots[0].voiceCount, 1);
    plat::headless::setSoundBufferLimit(-1);
    EXPECT_EQ(engSound::LoadObject(Shot, 1), 0);  // the slot is free again
}

TEST_F(EngSoundTest, VoicesTakeTurnsAndPlaysOutsideTheTableDoNothing) {
    ASSERT_EQ(engSound::LoadObject(Shot, 3), 0);
    ASSERT_EQ(engSound::LoadObject(Shot, 0), 1);  // a slot without voices
    const plat::SoundBuffer* v = soundSlots[0].voices;
    for (int expected : {1, 2, 3, 1}) EXPECT_EQ(engSound::Play(0, -1), expected);
    EXPECT_EQ(engSound::Play(0, 2), 3);  // a chosen voice leaves the turn alone
    EXPECT_EQ(engSound::Play(0, -1), 2);
    for (auto [slot, voice] : {std::pair{-1, -1}, {70, -1}, {5, -1}, {1, -1}, {1, 0}, {0, 3}, {0, 10}, {0, 1000}}) {
        EXPECT_EQ(engSound::Play(slot, voice), 0) << slot << "," << voice;
    }
    std::vector<plat::SoundBuffer> played;
    for (const auto& e : plat::headless::soundEvents()) {
        if (e.kind == plat::headless::SoundEventKind::Play) played.push_back(e.buffer);
    }
    EXPECT_EQ(played, (std::vector<plat::SoundBuffer>{v[0], v[1], v[2], v[0], v[2], v[1]}));
}

TEST_F(EngSoundTest, WithoutDeviceEverythingIsSilentAndQuiet) {
    engSound::Release();
    plat::headless::setAudioDeviceAvailable(false);
    EXPECT_EQ(engSound::Init(), 0);
    EXPECT_EQ(engSound::LoadObject(Shot, 20), -1);
    EXPECT_EQ(engSound::Play(0, -1), 0);
    EXPECT_TRUE(plat::headless::boxes().empty());
}

TEST_F(EngSoundTest, ResetAndReleaseFreeEveryBuffer) {
    ASSERT_EQ(engSound::LoadObject(Shot, 4), 0);
    engSound::ResetSlots();
    EXPECT_EQ(plat::headless::soundBufferCount(), 0);
    EXPECT_EQ(soundSlots[0].inUse, 0);
    EXPECT_EQ(soundSlots[0].name[0], '\0');
    ASSERT_EQ(engSound::LoadObject(Shot, 2), 0);
    engSound::Release();
    EXPECT_FALSE(plat::audioIsOpen());
    EXPECT_EQ(plat::headless::soundBufferCount(), 0);
    EXPECT_EQ(engSound::Play(0, -1), 0);
}
