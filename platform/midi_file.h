// The platform layer: standard MIDI files, checked before the synthesiser's
// reader sees them, so that a damaged or hostile song is refused as a whole
// rather than half read.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat {

// Bytes of the header chunk, all a reader needs to look at first.
constexpr size_t MidiHeaderSize = 14;
// More tracks than a song has (and than the synthesiser's reader counts).
constexpr unsigned MaxMidiTracks = 255;

// The header chunk: "MThd" of 6 bytes, format 0, 1 or 2, 1..MaxMidiTracks
// tracks and a division in ticks per quarter note (time-code divisions are
// not played).
bool midiHeaderSound(const uint8_t* bytes, size_t size);

// The whole file: a sound header, every chunk inside the file, and as many
// tracks as the header counts, each a run of well-formed events (a status
// before any data, data bytes below 0x80, lengths inside the track and as
// their kind requires) that ends inside its chunk. Chunks of other kinds
// (with plain names) are skipped.
bool midiFileSound(const uint8_t* bytes, size_t size);

}  // namespace plat
