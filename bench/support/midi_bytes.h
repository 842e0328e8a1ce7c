// Bytes of hand-made MIDI songs for the sound benchmarks: a delta time as a
// variable-length number, and a file of one track.
#pragma once

#include <cstdint>
#include <vector>

namespace benchmidi {

inline void putVarLength(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(bytes[--n] | 0x80);
    out.push_back(bytes[0]);
}

// A format-0 style file of one track: the delta-timed `events`, then the
// end of the track `endDelta` ticks after the last of them.
inline std::vector<uint8_t> oneTrackSong(const std::vector<uint8_t>& events, uint16_t division, uint32_t endDelta = 0) {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, static_cast<uint8_t>(division >> 8),
                                static_cast<uint8_t>(division), 'M', 'T', 'r', 'k'};
    std::vector<uint8_t> track = events;
    putVarLength(track, endDelta);
    track.insert(track.end(), {0xFF, 0x2F, 0});
    for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<uint8_t>(track.size() >> shift));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

}  // namespace benchmidi
