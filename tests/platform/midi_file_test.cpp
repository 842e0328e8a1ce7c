// The check of MIDI files before the synthesiser's reader sees them.
#include "platform/midi_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "assets/standin/standin.h"
#include "support/sound_files.h"

using testsound::Bytes;

namespace {

bool sound(const Bytes& b) { return plat::midiFileSound(b.data(), b.size()); }

Bytes withTrack(Bytes track) {
    Bytes out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k'};
    for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<uint8_t>(track.size() >> shift));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

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
        {"F7 escape", withTrack({0, 0xF7, 1, 2})},
        {"real-time byte", withTrack({0, 0xF8})},
        {"chunk of a binary name", changed(14, {0x80})},
    };
    for (const auto& [what, bytes] : cases) EXPECT_FALSE(sound(bytes)) << what;
    for (size_t n = 0; n < good.size() - 4; ++n) EXPECT_FALSE(sound(Bytes(good.begin(), good.begin() + n))) << n;
    EXPECT_FALSE(plat::midiFileSound(nullptr, 100));
    EXPECT_TRUE(plat::midiHeaderSound(good.data(), plat::MidiHeaderSize));
    EXPECT_FALSE(plat::midiHeaderSound(good.data(), plat::MidiHeaderSize - 1));
}
