#include "platform/midi_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/sound_files.h"

using namespace plat::audio;

namespace {

constexpr int Rate = 48000;
constexpr uint32_t Block = 512;

// The smallest General MIDI soundfont installed, so that the test starts fast.
std::string testSoundFont() {
    const char* small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    FILE* f = std::fopen(small, "rb");
    if (f != nullptr) {
        std::fclose(f);
        return small;
    }
    return findSoundFont();
}

float peak(const std::vector<float>& samples) {
    float p = 0;
    for (float s : samples) p = std::max(p, std::fabs(s));
    return p;
}

class MidiSynthTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string soundFont = testSoundFont();
        if (soundFont.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
        ASSERT_TRUE(synth.start(Rate, soundFont));
    }
    // Renders `blocks` device buffers; returns their samples and counts the
    // end notices.
    std::vector<float> render(int blocks) {
        std::vector<float> all;
        std::vector<float> block(2 * Block);
        for (int i = 0; i < blocks; ++i) {
            if (synth.render(block.data(), Block)) ++endNotices;
            all.insert(all.end(), block.begin(), block.end());
        }
        return all;
    }
    MidiSynth synth;
    int endNotices = 0;
};

}  // namespace

TEST_F(MidiSynthTest, PlaysASongToItsEndAndAgainFromTheStart) {
    const std::vector<uint8_t> song = testsound::shortSong();  // 0.625 s
    ASSERT_TRUE(synth.open(song.data(), song.size()));
    EXPECT_TRUE(synth.isStopped());
    ASSERT_TRUE(synth.seekToStart());
    ASSERT_TRUE(synth.play());
    EXPECT_FALSE(synth.isStopped());

    EXPECT_GT(peak(render(24)), 0.02f);  // the first quarter second sounds
    EXPECT_EQ(endNotices, 0);
    render(40);                           // past the end (1.3 s in all)
    EXPECT_EQ(endNotices, 1);             // one notice, not one per buffer
    EXPECT_TRUE(synth.isStopped());

    EXPECT_LT(peak(render(1)), 0.01f);     // the last note has died away

    // What the engine does on the notice: back to the start, play again.
    ASSERT_TRUE(synth.seekToStart());
    ASSERT_TRUE(synth.play());
    EXPECT_GT(peak(render(24)), 0.02f);
    render(30);
    EXPECT_EQ(endNotices, 1);  // not before its full length (58.6 buffers)
    render(10);
    EXPECT_EQ(endNotices, 2);
}

TEST_F(MidiSynthTest, StopSilencesAtOnceAndGivesNoNotice) {
    const std::vector<uint8_t> song = testsound::midiFile({0x00, 0x90, 60, 120, 0x81, 0x00, 0x80, 60, 0});  // 128 ticks
    ASSERT_TRUE(synth.open(song.data(), song.size()));
    synth.seekToStart();
    synth.play();
    ASSERT_GT(peak(render(10)), 0.02f);

    ASSERT_TRUE(synth.stop());
    EXPECT_TRUE(synth.isStopped());
    // Silent after the synthesiser's first 64-frame step.
    const std::vector<float> after = render(2);
    EXPECT_LT(peak(std::vector<float>(after.begin() + 128, after.end())), 1e-3f);
    render(100);
    EXPECT_EQ(endNotices, 0);

    EXPECT_EQ(synth.close(), 0);
    EXPECT_FALSE(synth.isOpen());
    EXPECT_FALSE(synth.isStopped());
    EXPECT_NE(synth.close(), 0);  // nothing open
    EXPECT_FALSE(synth.play());
}

TEST_F(MidiSynthTest, OpeningAnotherSongClosesTheFirst) {
    const std::vector<uint8_t> first = testsound::midiFile({0x00, 0x90, 60, 120, 0x7F, 0x80, 60, 0});
    const std::vector<uint8_t> second = testsound::shortSong();
    ASSERT_TRUE(synth.open(first.data(), first.size()));
    synth.play();
    render(4);
    ASSERT_TRUE(synth.open(second.data(), second.size()));
    EXPECT_TRUE(synth.isStopped());
    render(200);
    EXPECT_EQ(endNotices, 0);  // the first song's end never comes
}

TEST_F(MidiSynthTest, RefusesBytesThatAreNoMidiFile) {
    const std::vector<uint8_t> wave = testsound::constantWave(0, 16);
    EXPECT_FALSE(synth.open(wave.data(), wave.size()));
    EXPECT_FALSE(synth.open(nullptr, 0));
    EXPECT_FALSE(synth.isOpen());
    EXPECT_FALSE(synth.seekToStart());
}

TEST_F(MidiSynthTest, ABrokenSongEndsWithoutANotice) {
    // A header that promises a track that is not there.
    std::vector<uint8_t> broken = testsound::shortSong();
    broken.resize(20);
    ASSERT_TRUE(synth.open(broken.data(), broken.size()));
    synth.play();
    render(20);
    EXPECT_EQ(endNotices, 0);
    EXPECT_TRUE(synth.isStopped());
}

TEST(MidiSynth, WithoutSynthesiserRendersSilence) {
    MidiSynth synth;
    EXPECT_FALSE(synth.start(Rate, ""));
    EXPECT_FALSE(synth.start(Rate, "/nonexistent/none.sf2"));
    EXPECT_FALSE(synth.ready());
    const std::vector<uint8_t> song = testsound::shortSong();
    EXPECT_FALSE(synth.open(song.data(), song.size()));
    std::vector<float> out(2 * Block, 0.5f);
    EXPECT_FALSE(synth.render(out.data(), Block));
    EXPECT_EQ(peak(out), 0.0f);
}

TEST(MidiSynth, SoundFontNamedByTheEnvironmentComesFirst) {
    const std::string path = ::testing::TempDir() + "chosen.sf2";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("RIFF", f);
    std::fclose(f);
    setenv("MD4_SOUNDFONT", path.c_str(), 1);
    EXPECT_EQ(findSoundFont(), path);
    setenv("MD4_SOUNDFONT", (path + ".missing").c_str(), 1);
    EXPECT_NE(findSoundFont(), path + ".missing");
    unsetenv("MD4_SOUNDFONT");
    std::remove(path.c_str());
}
