#include "platform/midi_file.h"

#include <cstring>

namespace plat {

namespace {

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

// Running status carries the last status of any kind, as the synthesiser's
// reader keeps it: data after a meta event continues that meta event.
bool trackSound(const uint8_t* track, size_t size, MidiFileEvent& event, MidiEventVisitor visit, void* context) {
    size_t at = 0;
    uint8_t runningStatus = 0;
    event.tick = 0;
    while (at < size) {
        uint32_t delta = 0;
        if (!readVarLength(track, size, at, delta) || at >= size) return false;
        event.tick += delta;
        uint8_t status = track[at];
        if (status & 0x80u) {
            ++at;
        } else if (runningStatus != 0) {
            status = runningStatus;  // the data byte is read below
        } else {
            return false;  // data with no status before it
        }
        runningStatus = status;

        if (status == 0xFF) {  // meta event: type, length, data
            if (at >= size || (track[at] & 0x80u)) return false;
            const uint8_t type = track[at++];
            uint32_t length = 0;
            if (!readVarLength(track, size, at, length) || length > size - at) return false;
            const int expected = metaLength(type);
            if (expected >= 0 && length != static_cast<uint32_t>(expected)) return false;
            event.metaType = type;
            event.size = length;
        } else if (status == 0xF0) {  // system exclusive: length, data
            uint32_t length = 0;
            if (!readVarLength(track, size, at, length) || length > size - at) return false;
            event.size = length;
        } else if (status >= 0xF0) {
            return false;  // other system messages have no place in a file
        } else {
            const int count = channelDataBytes(status);
            if (static_cast<size_t>(count) > size - at) return false;
            for (int i = 0; i < count; ++i)
                if (track[at + i] & 0x80u) return false;
            event.size = static_cast<uint32_t>(count);
        }
        event.status = status;
        event.data = track + at;
        at += event.size;
        if (visit != nullptr) visit(event, context);
        if (status == 0xFF && event.metaType == 0x2F) return true;  // end of track: the rest is not read
    }
    return true;  // a track may end with its chunk rather than its end event
}

// A chunk name of plain ASCII (anything else marks a damaged file).
bool plainChunkName(const uint8_t* name) {
    for (int i = 0; i < 4 && name[i] != 0; ++i)
        if (name[i] & 0x80u) return false;
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

bool midiFileSound(const uint8_t* bytes, size_t size) { return midiFileEvents(bytes, size, nullptr, nullptr); }

bool midiFileEvents(const uint8_t* bytes, size_t size, MidiEventVisitor visit, void* context) {
    if (!midiHeaderSound(bytes, size)) return false;
    const unsigned tracksWanted = readBe16(bytes + 10);
    unsigned tracks = 0;
    size_t at = MidiHeaderSize;
    while (tracks < tracksWanted) {
        if (size - at < 8) return false;
        const uint32_t length = readBe32(bytes + at + 4);
        if (length > size - at - 8) return false;
        if (std::memcmp(bytes + at, "MTrk", 4) == 0) {
            MidiFileEvent event;
            event.track = tracks;
            if (!trackSound(bytes + at + 8, length, event, visit, context)) return false;
            ++tracks;
        } else if (!plainChunkName(bytes + at)) {
            return false;
        }
        at += 8 + static_cast<size_t>(length);
    }
    return true;
}

}  // namespace plat
