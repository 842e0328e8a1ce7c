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

// An event as its track holds it: the track (from 0), the tick from the
// track's start, the status (0x80..0xEF a channel message, 0xF0 system
// exclusive, 0xFF meta, with its type) and the bytes after the status and
// any length: a channel message's data, a meta or exclusive body.
struct MidiFileEvent {
    unsigned track = 0;
    uint64_t tick = 0;
    uint8_t status = 0;
    uint8_t metaType = 0;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};
using MidiEventVisitor = void (*)(const MidiFileEvent& event, void* context);
// midiFileSound, showing `visit` every event up to each track's end, in the
// order of the file. Events before a fault are shown too: keep what `visit`
// gathered only when the answer is true.
bool midiFileEvents(const uint8_t* bytes, size_t size, MidiEventVisitor visit, void* context);

}  // namespace plat
