// The platform layer: standard MIDI files, checked as a whole before a song
// is played, so that a damaged or hostile song is refused rather than half
// read, and walked in time order for the music's sequencer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat {

// Bytes of the header chunk, all a reader needs to look at first.
constexpr size_t MidiHeaderSize = 14;
// More tracks than a song has; a track's number fits a byte in the walk.
constexpr unsigned MaxMidiTracks = 255;

// The most events, and of them note-ons, a song may play in any one second,
// and the most events in any one audio buffer's time. A busy arrangement
// plays under a hundred events a second, and a few hundred at once where it
// sets up its channels. What costs the synthesiser is the notes it sounds (a
// note-on past its polyphony takes a voice from another) and the events it
// must take within one buffer: a controller acts on every voice sounding on
// its channel, and a thousand at once hold the audio thread for two buffers.
constexpr uint32_t MaxMidiEventsPerSecond = 2000;
constexpr uint32_t MaxMidiNoteOnsPerSecond = 500;
constexpr uint32_t MaxMidiEventsPerBuffer = 500;
// About one audio buffer (512 frames at 48000 a second are 10.7 ms). A song
// is started again no sooner than the buffer after its end, so a song
// shorter than this loops once in this time, and one shorter than a second
// is counted as it loops.
constexpr double MidiBufferMicroseconds = 10000.0;

enum class MidiResult : int {
    Ok = 0,
    Damaged,   // not a well-formed standard MIDI file (see midiFileCheck)
    TooDense,  // more events or note-ons in a second or a buffer's time than allowed
};

// The header chunk: "MThd" of 6 bytes, format 0, 1 or 2, 1..MaxMidiTracks
// tracks and a division in ticks per quarter note (time-code divisions are
// not played).
bool midiHeaderSound(const uint8_t* bytes, size_t size);

// The whole file: a sound header, every chunk inside the file, and as many
// tracks as the header counts, each a run of well-formed events (a status
// before any data, data bytes below 0x80, lengths inside the track and as
// their kind requires) that ends inside its chunk. Chunks of other kinds
// (with plain names) are skipped. Then its events in time order (all tracks
// together, timed by the tempo events of any track), looped: in no second nor
// buffer's time more events or note-ons than above.
MidiResult midiFileCheck(const uint8_t* bytes, size_t size);
// midiFileCheck(...) == MidiResult::Ok.
bool midiFileSound(const uint8_t* bytes, size_t size);
// Why a file was refused, for a line on standard error.
const char* midiResultText(MidiResult result);

// An event as its song plays it: the track (from 0), the tick from the
// track's start, the microseconds from the song's start (through every tempo
// change so far, in any track), the status (0x80..0xEF a channel message,
// 0xF0 system exclusive, 0xF7 escape, 0xFF meta, with its type) and the
// bytes after the status and any length: a channel message's data, a meta,
// exclusive or escape body.
struct MidiFileEvent {
    unsigned track = 0;
    uint64_t tick = 0;
    double microseconds = 0;
    uint8_t status = 0;
    uint8_t metaType = 0;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};
using MidiEventVisitor = void (*)(const MidiFileEvent& event, void* context);
// Shows `visit` every event of a file whose structure is sound, once through,
// in the order a sequencer plays them: by time, and at one tick track by
// track in the order of the file. False, showing nothing, for a damaged
// file; the pace of the events is midiFileCheck's to judge.
bool midiFileEvents(const uint8_t* bytes, size_t size, MidiEventVisitor visit, void* context);

}  // namespace plat
