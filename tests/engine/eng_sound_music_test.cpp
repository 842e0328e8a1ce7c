#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/eng_sound.h"
#include "platform/window.h"
#include "support/sound_files.h"
#include "support/sound_fixture.h"

using testsound::SoundFixture;

namespace {

using Commands = std::vector<std::string>;

// Hands queued end notices to the engine as the window procedure does: only
// while a song is open and the player says it has stopped.
int deliverEndNotices() {
    int delivered = 0;
    plat::Message msg;
    while (plat::peekMessage(msg)) {
        if (msg.type != plat::MessageType::MidiNotify || msg.wParam != plat::MidiNotifySuccessful) continue;
        ++delivered;
        if (midiOpen && engSound::MidiStopped()) engSound::LoopMidi();
    }
    return delivered;
}

class EngSoundMusicTest : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        testsound::testResources()["MIDI/QTX1.MID"] = testsound::shortSong();
        testsound::testResources()["MIDI/QTX4.MID"] = testsound::shortSong();
    }
    static const Commands& commands() { return plat::headless::midiCommands(); }
};

}  // namespace

TEST_F(EngSoundMusicTest, ALoopingSongStartsAgainAtItsEnd) {
    EXPECT_EQ(engSound::PlayMidi("MIDI/QTX1.MID", 1), 1);
    EXPECT_EQ(midiOpen, 1);
    EXPECT_EQ(midiLoop, 1);
    EXPECT_EQ(commands(), (Commands{"open MIDI/QTX1.MID", "seek", "play"}));
    EXPECT_FALSE(engSound::MidiStopped());

    for (int pass = 0; pass < 3; ++pass) {
        plat::headless::clearMidiCommands();
        ASSERT_TRUE(plat::headless::endSong());
        EXPECT_TRUE(engSound::MidiStopped());
        EXPECT_EQ(deliverEndNotices(), 1);
        EXPECT_EQ(commands(), (Commands{"seek", "play"}));
        EXPECT_TRUE(plat::headless::songPlaying());
    }
    EXPECT_TRUE(plat::headless::boxes().empty());
}

TEST_F(EngSoundMusicTest, ASongWithoutLoopClosesAtItsEnd) {
    engSound::PlayMidi("MIDI/QTX4.MID", 0);
    plat::headless::clearMidiCommands();
    ASSERT_TRUE(plat::headless::endSong());
    deliverEndNotices();
    EXPECT_EQ(commands(), (Commands{"stop", "close"}));
    EXPECT_EQ(midiOpen, 0);
    EXPECT_EQ(plat::headless::openSongName(), "");
}

TEST_F(EngSoundMusicTest, AfterStopNothingRestarts) {
    engSound::PlayMidi("MIDI/QTX1.MID", 1);
    EXPECT_EQ(engSound::StopMidi(), 0);
    EXPECT_EQ(midiOpen, 0);
    EXPECT_EQ(commands(), (Commands{"open MIDI/QTX1.MID", "seek", "play", "stop", "close"}));
    EXPECT_FALSE(plat::headless::endSong());
    // A notice already under way when the song was stopped changes nothing.
    plat::postMessage(plat::Message{plat::MessageType::MidiNotify, plat::MidiNotifySuccessful, 0});
    EXPECT_EQ(deliverEndNotices(), 1);
    EXPECT_EQ(commands().size(), 5u);
    EXPECT_EQ(engSound::StopMidi(), 0);  // nothing open
    EXPECT_EQ(commands().size(), 5u);
}

TEST_F(EngSoundMusicTest, PlayingAnotherSongClosesTheFirst) {
    engSound::PlayMidi("MIDI/QTX1.MID", 1);
    plat::headless::clearMidiCommands();
    engSound::PlayMidi("MIDI/QTX4.MID", 1);
    EXPECT_EQ(commands(), (Commands{"stop", "close", "open MIDI/QTX4.MID", "seek", "play"}));
    EXPECT_EQ(plat::headless::openSongName(), "MIDI/QTX4.MID");
    // A stale notice of the first song finds the second one playing.
    plat::postMessage(plat::Message{plat::MessageType::MidiNotify, plat::MidiNotifySuccessful, 0});
    plat::headless::clearMidiCommands();
    deliverEndNotices();
    EXPECT_TRUE(commands().empty());
}

TEST_F(EngSoundMusicTest, AMissingSongPlaysNothingAndSaysNothing) {
    EXPECT_EQ(engSound::PlayMidi("MIDI/NONE.MID", 1), 0);
    EXPECT_EQ(midiOpen, 1);
    EXPECT_EQ(commands(), (Commands{"seek", "play"}));
    EXPECT_FALSE(engSound::MidiStopped());
    EXPECT_FALSE(plat::headless::endSong());
    EXPECT_NE(engSound::StopMidi(), 0);  // closing what never opened fails
    EXPECT_EQ(midiOpen, 0);
    EXPECT_TRUE(plat::headless::boxes().empty());

    // Bytes that are no song are not opened either.
    testsound::testResources()["MIDI/BAD.MID"] = testsound::constantWave(0, 4);
    EXPECT_EQ(engSound::PlayMidi("MIDI/BAD.MID", 1), 0);
    EXPECT_FALSE(engSound::MidiStopped());
}

TEST_F(EngSoundMusicTest, TheFileInTheProgramDirectoryComesFirst) {
    testsound::testResources().erase("MIDI/QTX1.MID");
    writeFile("MIDI/QTX1.MID", testsound::shortSong());
    EXPECT_EQ(engSound::PlayMidi("MIDI/QTX1.MID", 1), 1);
    EXPECT_TRUE(plat::headless::songPlaying());
}

TEST_F(EngSoundMusicTest, ReleaseClosesTheSong) {
    engSound::PlayMidi("MIDI/QTX1.MID", 1);
    engSound::Release();
    EXPECT_EQ(midiOpen, 0);
    EXPECT_FALSE(plat::headless::songPlaying());
    EXPECT_FALSE(engSound::MidiStopped());
}
