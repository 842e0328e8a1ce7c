// The check of MIDI files before the synthesiser's reader sees them.
#include "platform/midi_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "assets/standin/standin.h"
#include "platform/sdl/common/midi_synth.h"
#include "platform/resources.h"
#include "support/sound_files.h"

using testsound::Bytes;

namespace {

bool sound(const Bytes& b) { return plat::midiFileSound(b.data(), b.size()); }

Bytes withTrack(Bytes track, uint16_t division = 96) {
    Bytes out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, static_cast<uint8_t>(division >> 8),
                 static_cast<uint8_t>(division), 'M', 'T', 'r', 'k'};
    for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<uint8_t>(track.size() >> shift));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

void putVarLength(Bytes& out, uint32_t value) {
    for (int shift = 21; shift > 0; shift -= 7)
        if (value >> shift) out.push_back(static_cast<uint8_t>(0x80 | ((value >> shift) & 0x7F)));
    out.push_back(static_cast<uint8_t>(value & 0x7F));
}

// `events` events at one instant, `delta` ticks after the last ones: note-ons
// first, then controllers.
struct Burst {
    uint32_t delta;
    int events, noteOns;
};

// A song of bursts, at 2000 ticks a second (1000 a quarter, the default
// tempo), ending `endDelta` ticks after the last.
Bytes bursts(std::initializer_list<Burst> all, uint32_t endDelta = 2000) {
    Bytes track;
    for (const Burst& b : all) {
        for (int i = 0; i < b.events; ++i) {
            putVarLength(track, i == 0 ? b.delta : 0);
            if (i < b.noteOns) {
                track.insert(track.end(), {0x90, static_cast<uint8_t>(30 + i % 60), 100});
            } else {
                track.insert(track.end(), {0xB0, 7, 100});
            }
        }
    }
    putVarLength(track, endDelta);
    track.insert(track.end(), {0xFF, 0x2F, 0});
    return withTrack(track, 1000);
}

plat::MidiResult check(const Bytes& b) { return plat::midiFileCheck(b.data(), b.size()); }

}  // namespace

TEST(MidiFile, SongsOfTheGameAndOfTheTestsPass) {
    EXPECT_TRUE(sound(testsound::shortSong()));
    EXPECT_TRUE(sound(testsound::midiFile({})));
    // Running status, after a channel message and after a meta event; a
    // chunk of another kind before the track; a track ended by its chunk.
    EXPECT_TRUE(sound(testsound::midiFile({0, 0x90, 60, 100, 10, 62, 100, 0, 0xFF, 0x01, 1, 'x', 0, 0x02, 1, 'y'})));
    Bytes extra = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96, 'X', 'F', 'I', 'H', 0, 0, 0, 2, 7, 7};
    const Bytes track = withTrack({0, 0xC0, 5});
    extra.insert(extra.end(), track.begin() + 14, track.end());
    EXPECT_TRUE(sound(extra));
    // Escapes: bytes sent as they are (a real-time byte among them), then
    // more by running status.
    EXPECT_TRUE(sound(testsound::midiFile({0, 0xF7, 2, 0xF8, 0xF7, 0, 1, 0x7F, 0, 0x90, 60, 100})));
    for (const char* name : {"MIDI/QTX1.MID", "MIDI/QTX4.MID"}) {
        Bytes song;
        ASSERT_TRUE(makeStandinFile(name, song)) << name;
        EXPECT_TRUE(sound(song)) << name;
    }
}

TEST(MidiFile, DamagedOrHostileFilesAreRefused) {
    const Bytes good = testsound::shortSong();
    auto changed = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
        return b;
    };
    const std::pair<std::string, Bytes> cases[] = {
        {"not MThd", changed(0, {'X'})},
        {"header of 7 bytes", changed(7, {7})},
        {"format 3", changed(9, {3})},
        {"no tracks", changed(11, {0})},
        {"256 tracks", changed(10, {1, 0})},
        {"two tracks, one there", changed(11, {2})},
        {"time-code division", changed(12, {0xE7, 40})},
        {"division 0", changed(12, {0, 0})},
        {"track longer than the file", changed(21, {0xFF})},
        {"track of 0xFFFFFFF4", changed(18, {0xFF, 0xFF, 0xFF, 0xF4})},
        {"data before any status", withTrack({0, 60, 100})},
        {"five-byte delta", withTrack({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100})},
        {"data byte of 0x80 and above", withTrack({0, 0x90, 60, 0xC0})},
        {"message cut by the track's end", withTrack({0, 0x90, 60})},
        {"meta longer than the track", withTrack({0, 0xFF, 0x01, 0x7F, 'x'})},
        {"tempo of two bytes", withTrack({0, 0xFF, 0x51, 2, 1, 2})},
        {"end of track with data", withTrack({0, 0xFF, 0x2F, 1, 0})},
        {"sysex longer than the track", withTrack({0, 0xF0, 0x10, 1, 2})},
        {"escape longer than the track", withTrack({0, 0xF7, 3, 1, 2})},
        {"song position", withTrack({0, 0xF2, 0, 0})},
        {"tune request", withTrack({0, 0xF6})},
        {"real-time byte", withTrack({0, 0xF8})},
        {"real-time byte after a note", withTrack({0, 0x90, 60, 100, 0, 0xFE})},
        {"chunk of a binary name", changed(14, {0x80})},
    };
    for (const auto& [what, bytes] : cases) EXPECT_FALSE(sound(bytes)) << what;
    for (size_t n = 0; n < good.size() - 4; ++n) EXPECT_FALSE(sound(Bytes(good.begin(), good.begin() + n))) << n;
    EXPECT_FALSE(plat::midiFileSound(nullptr, 100));
    EXPECT_TRUE(plat::midiHeaderSound(good.data(), plat::MidiHeaderSize));
    EXPECT_FALSE(plat::midiHeaderSound(good.data(), plat::MidiHeaderSize - 1));
}

TEST(MidiFile, SongsWhoseEventsComeFasterThanTheSynthesiserPlaysAreRefused) {
    // The game's songs and the 0.625 s test song pass (above).
    using plat::MidiResult;
    // At the bounds (bursts a buffer's time apart, seconds apart), past each,
    // and past one across the loop's join.
    EXPECT_EQ(check(bursts({{0, 500, 125}, {20, 500, 125}, {20, 500, 125}, {20, 500, 125}, {1940, 500, 125},
                            {20, 500, 125}, {20, 500, 125}, {20, 500, 125}},
                           1940)),
              MidiResult::Ok);
    EXPECT_EQ(check(bursts({{0, 501, 0}})), MidiResult::TooDense);
    EXPECT_EQ(check(bursts({{0, 500, 0}, {19, 1, 0}})), MidiResult::TooDense);
    EXPECT_EQ(check(bursts({{0, 500, 0}, {20, 500, 0}, {20, 500, 0}, {20, 500, 0}, {1939, 1, 0}})),
              MidiResult::TooDense);
    EXPECT_EQ(check(bursts({{0, 251, 251}, {20, 250, 250}})), MidiResult::TooDense);
    EXPECT_EQ(check(bursts({{0, 500, 0}, {20, 500, 0}, {18960, 500, 0}, {20, 500, 0}, {20, 500, 0}}, 1000)),
              MidiResult::TooDense);
    EXPECT_EQ(check(bursts({{0, 500, 0}, {20, 500, 0}, {18960, 500, 0}, {20, 500, 0}, {20, 500, 0}}, 3000)),
              MidiResult::Ok);
    // A loop shorter than a second plays its events as often as it loops;
    // even an instant one loops no faster than once a buffer's time.
    EXPECT_EQ(check(bursts({{0, 400, 0}}, 500)), MidiResult::Ok);
    EXPECT_EQ(check(bursts({{0, 300, 0}, {20, 300, 0}}, 480)), MidiResult::TooDense);
    EXPECT_EQ(check(bursts({{0, 20, 0}}, 0)), MidiResult::Ok);
    EXPECT_EQ(check(bursts({{0, 21, 0}}, 0)), MidiResult::TooDense);

    // 20 KB of notes a quarter apart with the tempo (in the first track) at
    // 1 us a quarter; 1 MB of note-ons at one instant.
    Bytes tempo = {0, 0xFF, 0x51, 3, 0, 0, 1, 0, 0xFF, 0x2F, 0};
    Bytes notes;
    while (notes.size() < 20000) notes.insert(notes.end(), {0x60, 0x90, 60, 100, 0x60, 0x80, 60, 0});
    notes.insert(notes.end(), {0, 0xFF, 0x2F, 0});
    Bytes fast = withTrack(tempo);
    fast[9] = 1;
    fast[11] = 2;
    const Bytes second = withTrack(notes);
    fast.insert(fast.end(), second.begin() + 14, second.end());
    EXPECT_EQ(check(fast), MidiResult::TooDense);
    fast[26] = 0x07;  // 458,753 us a quarter
    EXPECT_EQ(check(fast), MidiResult::Ok);
    Bytes flood = {0, 0x90, 60, 100};
    while (flood.size() < (1u << 20) - 40) flood.insert(flood.end(), {0, 61, 100});
    EXPECT_EQ(check(testsound::midiFile(flood)), MidiResult::TooDense);
}

TEST(MidiFile, ASongWithEscapesPlaysItsNotes) {
    const char* small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    const std::string soundFont = plat::fileSize(small) > 0 ? small : plat::audio::findSoundFont();
    if (soundFont.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
    plat::audio::MidiSynth synth;
    ASSERT_TRUE(synth.start(48000, soundFont) && synth.waitForSoundFont());
    const Bytes song = testsound::midiFile({0, 0xF7, 2, 0xF8, 0xF7, 0, 0x90, 60, 100, 0x60, 0x80, 60, 0});
    ASSERT_TRUE(synth.open(song.data(), song.size()));
    ASSERT_TRUE(synth.play());
    std::vector<float> block(2 * 512);
    float peak = 0;
    for (int i = 0; i < 20; ++i) {
        synth.render(block.data(), 512);
        for (float v : block) peak = std::max(peak, std::fabs(v));
    }
    EXPECT_GT(peak, 0.02f);
}
