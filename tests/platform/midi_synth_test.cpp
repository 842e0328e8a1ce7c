#include "platform/sdl/common/midi_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "platform/sdl/common/openmp_inline.h"
#include "platform/resources.h"
#include "platform/threads.h"
#include "support/sound_files.h"

using namespace plat::audio;

namespace {

// The smallest General MIDI soundfont starts fastest; "" when none.
std::string smallSoundFont() {
    const char* small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    return plat::fileSize(small) > 0 ? small : findSoundFont();
}

constexpr uint32_t Block = 512;  // frames of one device buffer at 48000

class MidiSynthTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string soundFont = smallSoundFont();
        if (soundFont.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
        ASSERT_TRUE(synth.start(48000, soundFont));
        ASSERT_TRUE(synth.waitForSoundFont());
    }
    // Renders `blocks` device buffers, counting end notices; returns the peak.
    float render(int blocks, size_t skip = 0) {
        float peak = 0;
        std::vector<float> block(2 * Block);
        for (int i = 0; i < blocks; ++i) {
            endNotices += synth.render(block.data(), Block) ? 1 : 0;
            for (size_t k = (i == 0 ? skip : 0); k < block.size(); ++k) peak = std::max(peak, std::fabs(block[k]));
        }
        return peak;
    }
    MidiSynth synth;
    int endNotices = 0;
};

}  // namespace

TEST_F(MidiSynthTest, PlaysASongToItsEndOnceAndAgainFromTheStart) {
    const testsound::Bytes song = testsound::shortSong();  // 58.6 buffers
    ASSERT_TRUE(synth.open(song.data(), song.size()));
    EXPECT_TRUE(synth.isStopped());
    ASSERT_TRUE(synth.seekToStart() && synth.play());
    EXPECT_FALSE(synth.isStopped());
    EXPECT_GT(render(24), 0.02f);
    render(32);
    EXPECT_EQ(endNotices, 0);
    render(42);
    EXPECT_EQ(endNotices, 1);  // one notice, at the last event, not at the end of the last note
    EXPECT_TRUE(synth.isStopped());
    EXPECT_LT(render(1), 0.01f);

    ASSERT_TRUE(synth.seekToStart() && synth.play());  // what the engine does on the notice
    EXPECT_GT(render(24), 0.02f);
    render(36);
    EXPECT_EQ(endNotices, 2);
}

TEST(MidiSynthSong, EventsAreTimedInFramesThroughTempoChanges) {
    // A note at 120 a minute; after a quarter note the tempo doubles, and
    // the note ends a quarter note later; an exclusive message with it.
    const testsound::Bytes song = testsound::midiFile({0x00, 0x90, 60, 100, 0x60, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,
                                                       0x60, 0x80, 60, 0, 0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7});
    MidiSynth::Song read;
    ASSERT_TRUE(MidiSynth::readSong(song.data(), song.size(), 48000, read));
    ASSERT_EQ(read.events.size(), 3u);  // the tempo and the end are timing, not events
    EXPECT_EQ(read.events[0].frame, 0u);
    EXPECT_EQ(read.events[1].frame, 24000u + 12000u);
    EXPECT_EQ(read.events[1].status, 0x80);
    EXPECT_EQ(read.events[2].status, 0xF0);
    EXPECT_EQ(read.events[2].exclusiveSize, 2u) << "the body, without its closing byte";
    EXPECT_EQ(read.endFrame, 36000u);
    testsound::Bytes broken = song;
    broken.resize(broken.size() - 6);
    EXPECT_FALSE(MidiSynth::readSong(broken.data(), broken.size(), 48000, read));
}

TEST(MidiSynthSong, TracksPlayTogetherByTickTimedByTheTempoOfAnyTrack) {
    // Track 0: a controller at tick 0, the tempo doubled at tick 96. Track 1:
    // a program at tick 0, a note at 96 with an escape beside it, its end at
    // 192.
    testsound::Bytes song = testsound::midiFile({0x00, 0xB0, 7, 100, 0x60, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90});
    song[11] = 2;
    const testsound::Bytes second = {0x00, 0xC0, 5,  0x60, 0x90, 60,   100, 0x00, 0xF7, 0x01,
                                     0xF8, 0x60, 0x80, 60, 0,    0x00, 0xFF, 0x2F, 0x00};
    song.insert(song.end(), {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(second.size())});
    song.insert(song.end(), second.begin(), second.end());
    MidiSynth::Song read;
    ASSERT_TRUE(MidiSynth::readSong(song.data(), song.size(), 48000, read));
    ASSERT_EQ(read.events.size(), 4u) << "the escape is passed over";
    const uint8_t statuses[] = {0xB0, 0xC0, 0x90, 0x80};  // at one tick, track 0 first
    const uint64_t frames[] = {0, 0, 24000, 24000 + 12000};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(read.events[i].status, statuses[i]) << i;
        EXPECT_EQ(read.events[i].frame, frames[i]) << i;
    }
    EXPECT_EQ(read.endFrame, 36000u) << "the later track's end";
}

TEST_F(MidiSynthTest, StopSilencesAtOnceAndGivesNoNotice) {
    const testsound::Bytes song = testsound::midiFile({0x00, 0x90, 60, 120, 0x81, 0x00, 0x80, 60, 0});
    ASSERT_TRUE(synth.open(song.data(), song.size()));
    synth.play();
    ASSERT_GT(render(10), 0.02f);
    ASSERT_TRUE(synth.stop());
    EXPECT_LT(render(2, 128), 1e-3f);  // silent after the synthesiser's first 64-frame step
    render(100);
    EXPECT_EQ(endNotices, 0);
    EXPECT_EQ(render(4), 0.0f) << "once the tails have died away, exact silence";
    // Playing again after the quiet stretch sounds at once.
    ASSERT_TRUE(synth.seekToStart() && synth.play());
    EXPECT_GT(render(10), 0.02f);
    EXPECT_EQ(synth.close(), 0);
    EXPECT_NE(synth.close(), 0);  // nothing open
    EXPECT_FALSE(synth.isStopped());
}

TEST_F(MidiSynthTest, RefusesWhatIsNoSongAndNeverRestartsAnEmptyOne) {
    const testsound::Bytes wave = testsound::constantWave(0, 16);
    EXPECT_FALSE(synth.open(wave.data(), wave.size()));
    EXPECT_FALSE(synth.isOpen());
    testsound::Bytes broken = testsound::shortSong();
    broken.resize(20);  // the track is missing
    EXPECT_FALSE(synth.open(broken.data(), broken.size()));
    const testsound::Bytes empty = testsound::midiFile({});  // nothing but its end
    ASSERT_TRUE(synth.open(empty.data(), empty.size()));
    synth.play();
    render(200);
    EXPECT_EQ(endNotices, 0);
    EXPECT_TRUE(synth.isStopped());
}

TEST(MidiSynthSoundFont, AnUnreadableSoundFontLeavesTheMusicSilentAndTheSongStill) {
    MidiSynth synth;
    ASSERT_TRUE(synth.start(48000, "/nonexistent/soundfont.sf2"));
    EXPECT_FALSE(synth.waitForSoundFont());
    const testsound::Bytes song = testsound::shortSong();
    ASSERT_TRUE(synth.open(song.data(), song.size()));
    ASSERT_TRUE(synth.play());
    std::vector<float> block(2 * Block, 1.0f);
    int notices = 0;
    for (int i = 0; i < 400; ++i) notices += synth.render(block.data(), Block) ? 1 : 0;
    EXPECT_EQ(notices, 0);
    EXPECT_FALSE(synth.isStopped());  // the song waits; it never ran
    for (float sample : block) ASSERT_EQ(sample, 0.0f);
}

extern "C" void GOMP_parallel(void (*body)(void*), void* data, unsigned threads, unsigned flags);

TEST(OneThreadOpenMpRegions, RunInlineOnTheCallerAndLargerOnesGoToTheLibrary) {
    ASSERT_TRUE(plat::audio::oneThreadOpenMpRegionsInline());
    struct Calls {
        std::atomic<int> count{0};
        std::atomic<bool> onCaller{true};
        std::thread::id caller = std::this_thread::get_id();
    } calls;
    const auto body = [](void* data) {
        auto* c = static_cast<Calls*>(data);
        ++c->count;
        if (std::this_thread::get_id() != c->caller) c->onCaller = false;
    };
    GOMP_parallel(body, &calls, 1, 0);
    EXPECT_EQ(calls.count, 1);
    EXPECT_TRUE(calls.onCaller);
    GOMP_parallel(body, &calls, 3, 0);
    EXPECT_EQ(calls.count, 4) << "a team of three runs the body three times";
    EXPECT_FALSE(calls.onCaller);
    // A region that names no number (libgomp would take OMP_NUM_THREADS,
    // whatever it says) runs inline too.
    calls.onCaller = true;
    GOMP_parallel(body, &calls, 0, 0);
    EXPECT_EQ(calls.count, 5);
    EXPECT_TRUE(calls.onCaller);
}

TEST(MidiSynthSoundFont, WithoutAThreadTheSoundFontIsLoadedAtStartAndThatIsSaid) {
    const std::string soundFont = smallSoundFont();
    if (soundFont.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
    MidiSynth synth;
    plat::failThreadStarts(1);
    ::testing::internal::CaptureStderr();
    const bool started = synth.start(48000, soundFont);
    const std::string said = ::testing::internal::GetCapturedStderr();
    plat::failThreadStarts(0);
    ASSERT_TRUE(started);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("no thread to load the soundfont"), std::string::npos) << said;
    EXPECT_TRUE(synth.waitForSoundFont());
    const testsound::Bytes song = testsound::shortSong();
    ASSERT_TRUE(synth.open(song.data(), song.size()));
    ASSERT_TRUE(synth.play());
    std::vector<float> block(2 * Block);
    float peak = 0;
    for (int i = 0; i < 20; ++i) {
        synth.render(block.data(), Block);
        for (float sample : block) peak = std::max(peak, std::fabs(sample));
    }
    EXPECT_GT(peak, 0.0f) << "the music plays";
}
