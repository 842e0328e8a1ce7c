#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>

#include "engine/eng_sound.h"
#include "support/sound_fixture.h"

using namespace testsound;
using Commands = std::vector<std::string>;

namespace {

// Hands queued end notices to the engine as the window procedure does: only
// while a song is open and the player says it has stopped.
void deliverEndNotices() {
    plat::Message msg;
    while (plat::peekMessage(msg)) {
        if (msg.type == plat::MessageType::MidiNotify && msg.wParam == plat::MidiNotifySuccessful && midiOpen &&
            engSound::MidiStopped()) {
            engSound::LoopMidi();
        }
    }
}

class EngSoundMusicTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        resources()["MIDI/QTX1.MID"] = resources()["MIDI/QTX4.MID"] = shortSong();
    }
    static const Commands& commands() { return plat::headless::midiCommands(); }
    static void postNotice() { plat::postMessage({plat::MessageType::MidiNotify, plat::MidiNotifySuccessful, 0}); }
};

}  // namespace

TEST_F(EngSoundMusicTest, ALoopingSongStartsAgainAtEveryEnd) {
    EXPECT_EQ(engSound::PlayMidi("MIDI/QTX1.MID", 1), 1);
    EXPECT_EQ(commands(), (Commands{"open MIDI/QTX1.MID", "seek", "play"}));
    for (int pass = 0; pass < 3; ++pass) {
        plat::headless::clearMidiCommands();
        ASSERT_TRUE(plat::headless::endSong());
        deliverEndNotices();
        EXPECT_EQ(commands(), (Commands{"seek", "play"}));
        EXPECT_TRUE(plat::headless::songPlaying());
    }
}

TEST_F(EngSoundMusicTest, WithoutLoopingTheSongClosesAtItsEnd) {
    engSound::PlayMidi("MIDI/QTX4.MID", 0);
    plat::headless::clearMidiCommands();
    ASSERT_TRUE(plat::headless::endSong());
    deliverEndNotices();
    EXPECT_EQ(commands(), (Commands{"stop", "close"}));
    EXPECT_EQ(midiOpen, 0);
}

TEST_F(EngSoundMusicTest, AfterStopNothingRestarts) {
    engSound::PlayMidi("MIDI/QTX1.MID", 1);
    EXPECT_EQ(engSound::StopMidi(), 0);
    EXPECT_EQ(midiOpen, 0);
    EXPECT_FALSE(plat::headless::endSong());
    postNotice();  // one already under way changes nothing
    deliverEndNotices();
    EXPECT_EQ(commands(), (Commands{"open MIDI/QTX1.MID", "seek", "play", "stop", "close"}));
}

TEST_F(EngSoundMusicTest, PlayingAnotherSongClosesTheFirstAndIgnoresItsLateNotice) {
    engSound::PlayMidi("MIDI/QTX1.MID", 1);
    plat::headless::clearMidiCommands();
    writeFile("MIDI/QTX4.MID", shortSong());  // the file comes before the resource
    resources().erase("MIDI/QTX4.MID");
    engSound::PlayMidi("MIDI/QTX4.MID", 1);
    postNotice();
    deliverEndNotices();
    EXPECT_EQ(commands(), (Commands{"stop", "close", "open MIDI/QTX4.MID", "seek", "play"}));
    EXPECT_TRUE(plat::headless::songPlaying());
}

TEST_F(EngSoundMusicTest, AMissingSongPlaysNothingAndSaysNothing) {
    EXPECT_EQ(engSound::PlayMidi("MIDI/NONE.MID", 1), 0);
    EXPECT_EQ(midiOpen, 1);
    EXPECT_FALSE(engSound::MidiStopped());
    EXPECT_FALSE(plat::headless::endSong());
    EXPECT_NE(engSound::StopMidi(), 0);  // closing what never opened fails
    resources()["MIDI/BAD.MID"] = constantWave(0, 4);
    EXPECT_EQ(engSound::PlayMidi("MIDI/BAD.MID", 1), 0);
    EXPECT_TRUE(plat::headless::boxes().empty());
    engSound::Release();
    EXPECT_EQ(midiOpen, 0);
}

TEST_F(EngSoundMusicTest, ARefusedSongFileIsSaidOnceAndTheBuiltInSongPlays) {
    // A track that runs past the file, a text file, and a song too large to
    // be one (not read: only its header is looked at).
    Bytes cut = shortSong();
    cut.resize(cut.size() - 3);
    const std::pair<const char*, Bytes> files[] = {
        {"MIDI/QTX1.MID", cut}, {"MIDI/QTX4.MID", Bytes{'h', 'e', 'l', 'l', 'o'}}};
    for (const auto& [name, bytes] : files) writeFile(name, bytes);
    writeFile("MIDI/BIG.MID", shortSong());
    std::filesystem::resize_file(appDir / "MIDI/BIG.MID", MaxSongFileSize + 1);
    resources()["MIDI/BIG.MID"] = shortSong();
    for (const char* name : {"MIDI/QTX1.MID", "MIDI/QTX4.MID", "MIDI/BIG.MID"}) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(engSound::PlayMidi(name, 1), 1) << name;
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(appDirText + name), std::string::npos) << said;
        EXPECT_NE(said.find("the built-in one is used instead"), std::string::npos) << said;
        EXPECT_TRUE(plat::headless::songPlaying()) << name;
    }
    EXPECT_TRUE(plat::headless::boxes().empty());
}
