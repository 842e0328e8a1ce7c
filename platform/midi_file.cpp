#include "platform/midi_file.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace plat {

namespace {

constexpr int64_t MicrosecondsPerSecond = 1000000;
constexpr double DefaultMicrosecondsPerQuarter = 500000.0;  // 120 a minute until a tempo event

uint32_t readBe32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}
uint16_t readBe16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

// Reads a variable-length number (at most four bytes) at `at`, moving past it.
bool readVarLength(const uint8_t* track, size_t size, size_t& at, uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= size) return false;
        const uint8_t byte = track[at++];
        value = (value << 7) | (byte & 0x7Fu);
        if ((byte & 0x80u) == 0) return true;
    }
    return false;
}

// Data bytes of a channel message by the status's high nibble.
int channelDataBytes(uint8_t status) { return (status & 0xF0u) == 0xC0u || (status & 0xF0u) == 0xD0u ? 1 : 2; }

// The length a meta event of `type` must have, or -1 for any.
int metaLength(uint8_t type) {
    switch (type) {
        case 0x2F: return 0;  // end of track
        case 0x51: return 3;  // tempo
        case 0x54: return 5;  // time-code offset
        case 0x58: return 4;  // time signature
        case 0x59: return 2;  // key signature
        default: return -1;
    }
}

// A track read one event at a time; `tick` is that of the last event read.
struct TrackReader {
    const uint8_t* track = nullptr;
    size_t size = 0;
    size_t at = 0;
    uint8_t runningStatus = 0;
    uint64_t tick = 0;
};

// One event as read: its status (the running one where the file leaves it
// out), its meta type, and where its status byte and data lie in the track.
struct MidiEvent {
    uint8_t status = 0;
    uint8_t metaType = 0;
    bool statusWritten = false;
    size_t statusAt = 0;
    size_t data = 0;
    uint32_t length = 0;
};

enum class Step { Event, End, Damaged };

// Running status carries the last status of any kind: data after a meta,
// exclusive or escape event continues an event of that kind. A
// track may end with its chunk rather than its end event; after the end
// event the rest is not read.
Step readEvent(TrackReader& r, MidiEvent& e) {
    if (r.at >= r.size) return Step::End;
    uint32_t delta = 0;
    if (!readVarLength(r.track, r.size, r.at, delta) || r.at >= r.size) return Step::Damaged;
    r.tick += delta;
    uint8_t status = r.track[r.at];
    e.statusWritten = (status & 0x80u) != 0;
    e.statusAt = r.at;
    if (e.statusWritten) {
        ++r.at;
    } else if (r.runningStatus != 0) {
        status = r.runningStatus;  // the data byte is read below
    } else {
        return Step::Damaged;  // data with no status before it
    }
    r.runningStatus = status;
    e.status = status;
    e.metaType = 0;

    if (status == 0xFF) {  // meta event: type, length, data
        if (r.at >= r.size || (r.track[r.at] & 0x80u)) return Step::Damaged;
        e.metaType = r.track[r.at++];
        if (!readVarLength(r.track, r.size, r.at, e.length) || e.length > r.size - r.at) return Step::Damaged;
        const int expected = metaLength(e.metaType);
        if (expected >= 0 && e.length != static_cast<uint32_t>(expected)) return Step::Damaged;
    } else if (status == 0xF0 || status == 0xF7) {  // system exclusive or escape: length, data
        if (!readVarLength(r.track, r.size, r.at, e.length) || e.length > r.size - r.at) return Step::Damaged;
    } else if (status > 0xF0) {
        return Step::Damaged;  // system-common and real-time messages have no place in a file
    } else {
        e.length = static_cast<uint32_t>(channelDataBytes(status));
        if (e.length > r.size - r.at) return Step::Damaged;
        for (size_t i = 0; i < e.length; ++i)
            if (r.track[r.at + i] & 0x80u) return Step::Damaged;
    }
    e.data = r.at;
    r.at += e.length;
    if (status == 0xFF && e.metaType == 0x2F) r.at = r.size;
    return Step::Event;
}

// A chunk name of plain ASCII (anything else marks a damaged file).
bool plainChunkName(const uint8_t* name) {
    for (int i = 0; i < 4 && name[i] != 0; ++i)
        if (name[i] & 0x80u) return false;
    return true;
}

// The tracks of a file whose header is sound, each at its start.
struct Song {
    TrackReader tracks[MaxMidiTracks];
    unsigned count = 0;
    uint16_t division = 0;
};

// Finds the tracks the header counts and reads each through: false when a
// chunk or an event is damaged.
bool findTracks(const uint8_t* bytes, size_t size, Song& song) {
    const unsigned tracksWanted = readBe16(bytes + 10);
    song.division = readBe16(bytes + 12);
    song.count = 0;
    size_t at = MidiHeaderSize;
    while (song.count < tracksWanted) {
        if (size - at < 8) return false;
        const uint32_t length = readBe32(bytes + at + 4);
        if (length > size - at - 8) return false;
        if (std::memcmp(bytes + at, "MTrk", 4) == 0) {
            TrackReader& start = song.tracks[song.count++];
            start = TrackReader{bytes + at + 8, length, 0, 0, 0};
            TrackReader reader = start;
            MidiEvent event;
            Step step;
            while ((step = readEvent(reader, event)) == Step::Event) {
            }
            if (step == Step::Damaged) return false;
        } else if (!plainChunkName(bytes + at)) {
            return false;
        }
        at += 8 + static_cast<size_t>(length);
    }
    return true;
}

// The times of the last `Capacity` events counted: one more within `Span`
// microseconds of the oldest is one too many.
template <uint32_t Capacity, int64_t Span>
struct Window {
    double times[Capacity];
    uint32_t oldest = 0, count = 0;

    bool add(double us) {
        if (count == Capacity && us - times[oldest] < static_cast<double>(Span)) return false;
        times[oldest] = us;
        oldest = (oldest + 1) % Capacity;
        count = std::min(count + 1, Capacity);
        return true;
    }
};

struct Windows {
    Window<MaxMidiEventsPerSecond, MicrosecondsPerSecond> events;
    Window<MaxMidiNoteOnsPerSecond, MicrosecondsPerSecond> noteOns;
    Window<MaxMidiEventsPerBuffer, static_cast<int64_t>(MidiBufferMicroseconds)> buffer;

    bool add(double us, bool noteOn) {
        return events.add(us) && buffer.add(us) && (!noteOn || noteOns.add(us));
    }
};

// Plays the song's events in time order, all tracks together (at one tick,
// track by track, as a sequencer plays them), from `offset` microseconds on,
// into the windows when there are any and to `visit` when there is one,
// until one falls at `until` or later; `end` takes the time of the last one.
// False when a second or a buffer's time holds too many.
bool playSong(const Song& song, double offset, double until, Windows* windows, double& end,
              MidiEventVisitor visit = nullptr, void* context = nullptr) {
    TrackReader readers[MaxMidiTracks];
    MidiEvent next[MaxMidiTracks];
    uint8_t queue[MaxMidiTracks];  // a heap of track numbers, the earliest next event first
    static_assert(MaxMidiTracks <= 256, "track numbers are kept in bytes");
    unsigned waiting = 0;
    for (unsigned i = 0; i < song.count; ++i) {
        readers[i] = song.tracks[i];
        if (readEvent(readers[i], next[i]) == Step::Event) queue[waiting++] = static_cast<uint8_t>(i);
    }
    const auto later = [&](uint8_t a, uint8_t b) {
        return readers[a].tick != readers[b].tick ? readers[a].tick > readers[b].tick : a > b;
    };
    std::make_heap(queue, queue + waiting, later);

    double usPerTick = DefaultMicrosecondsPerQuarter / song.division, tempoAtUs = offset;
    uint64_t tempoAtTick = 0;
    end = offset;
    while (waiting > 0) {
        std::pop_heap(queue, queue + waiting, later);
        const unsigned i = queue[waiting - 1];
        const TrackReader& r = readers[i];
        const MidiEvent& e = next[i];
        const double us = tempoAtUs + static_cast<double>(r.tick - tempoAtTick) * usPerTick;
        if (us >= until) break;
        end = us;
        // A track's end is no event for the synthesiser; it only marks the
        // song's length.
        const bool trackEnd = e.status == 0xFF && e.metaType == 0x2F;
        const uint8_t* data = r.track + e.data;
        const bool noteOn = (e.status & 0xF0u) == 0x90u && data[1] != 0;
        if (!trackEnd && windows != nullptr && !windows->add(us, noteOn)) return false;
        if (visit != nullptr) visit(MidiFileEvent{i, r.tick, us, e.status, e.metaType, data, e.length}, context);
        if (e.status == 0xFF && e.metaType == 0x51) {
            const uint32_t usPerQuarter = (uint32_t{data[0]} << 16) | (uint32_t{data[1]} << 8) | data[2];
            usPerTick = static_cast<double>(usPerQuarter) / song.division;
            tempoAtUs = us;
            tempoAtTick = r.tick;
        }
        if (readEvent(readers[i], next[i]) == Step::Event) {
            std::push_heap(queue, queue + waiting, later);
        } else {
            --waiting;
        }
    }
    return true;
}

}  // namespace

bool midiHeaderSound(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr || size < MidiHeaderSize || std::memcmp(bytes, "MThd", 4) != 0) return false;
    const uint32_t length = readBe32(bytes + 4);
    const uint16_t format = readBe16(bytes + 8), tracks = readBe16(bytes + 10), division = readBe16(bytes + 12);
    return length == 6 && format <= 2 && tracks >= 1 && tracks <= MaxMidiTracks && division != 0 &&
           (division & 0x8000u) == 0;
}

MidiResult midiFileCheck(const uint8_t* bytes, size_t size) {
    Song song;
    if (!midiHeaderSound(bytes, size) || !findTracks(bytes, size, song)) return MidiResult::Damaged;
    Windows windows;
    double length = 0;
    if (!playSong(song, 0, std::numeric_limits<double>::infinity(), &windows, length)) return MidiResult::TooDense;
    // Then as it loops, until every second that starts within the first
    // loop has been counted whole.
    const double period = std::max(length, MidiBufferMicroseconds);
    const double until = period + static_cast<double>(MicrosecondsPerSecond);
    for (double offset = period; offset < until; offset += period) {
        double ignored = 0;
        if (!playSong(song, offset, until, &windows, ignored)) return MidiResult::TooDense;
    }
    return MidiResult::Ok;
}

bool midiFileSound(const uint8_t* bytes, size_t size) { return midiFileCheck(bytes, size) == MidiResult::Ok; }

const char* midiResultText(MidiResult result) {
    switch (result) {
        case MidiResult::Ok: return "a sound MIDI file";
        case MidiResult::Damaged: return "a damaged MIDI file";
        case MidiResult::TooDense:
            return "its events come too fast: over 2000 a second, 500 notes a second or 500 in 10 ms";
    }
    return "";
}

bool midiFileEvents(const uint8_t* bytes, size_t size, MidiEventVisitor visit, void* context) {
    Song song;
    if (!midiHeaderSound(bytes, size) || !findTracks(bytes, size, song)) return false;
    double end = 0;
    return playSong(song, 0, std::numeric_limits<double>::infinity(), nullptr, end, visit, context);
}

}  // namespace plat
