// Builders of small WAVE and MIDI files for the sound tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace testsound {

inline void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline void putId(std::vector<uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

// A chunk: id, size, body, and the pad byte after an odd body.
inline void putChunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& body) {
    putId(out, id);
    put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1) out.push_back(0);
}

inline std::vector<uint8_t> fmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    std::vector<uint8_t> body;
    const uint16_t block = static_cast<uint16_t>(channels * bits / 8);
    put16(body, tag);
    put16(body, channels);
    put32(body, rate);
    put32(body, rate * block);
    put16(body, block);
    put16(body, bits);
    return body;
}

// RIFF/WAVE around the given chunks (already encoded).
inline std::vector<uint8_t> riffWave(const std::vector<uint8_t>& chunks) {
    std::vector<uint8_t> out;
    putId(out, "RIFF");
    put32(out, static_cast<uint32_t>(4 + chunks.size()));
    putId(out, "WAVE");
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

// A canonical PCM file: "fmt " of 16 bytes, then "data".
inline std::vector<uint8_t> pcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& samples) {
    std::vector<uint8_t> chunks;
    putChunk(chunks, "fmt ", fmtBody(1, channels, rate, bits));
    putChunk(chunks, "data", samples);
    return riffWave(chunks);
}

// 16-bit samples as little-endian bytes.
inline std::vector<uint8_t> samples16(const std::vector<int16_t>& values) {
    std::vector<uint8_t> out;
    for (int16_t v : values) put16(out, static_cast<uint16_t>(v));
    return out;
}

// A mono 16-bit sound of `count` frames, every sample `value`.
inline std::vector<uint8_t> constantWave(int16_t value, size_t count, uint32_t rate = 48000) {
    return pcmWave(1, rate, 16, samples16(std::vector<int16_t>(count, value)));
}

// A format-0 standard MIDI file with one track: the events given (delta
// times already encoded), closed by end-of-track. 96 ticks per quarter note
// at the default 120 beats per minute: 192 ticks a second.
inline std::vector<uint8_t> midiFile(const std::vector<uint8_t>& events) {
    std::vector<uint8_t> out;
    const uint8_t header[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
    out.insert(out.end(), header, header + sizeof header);
    std::vector<uint8_t> track = events;
    const uint8_t end[] = {0x00, 0xFF, 0x2F, 0x00};
    track.insert(track.end(), end, end + sizeof end);
    putId(out, "MTrk");
    out.push_back(static_cast<uint8_t>(track.size() >> 24));
    out.push_back(static_cast<uint8_t>(track.size() >> 16));
    out.push_back(static_cast<uint8_t>(track.size() >> 8));
    out.push_back(static_cast<uint8_t>(track.size()));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}

// Piano middle C for half a second (96 ticks), then a short rest.
inline std::vector<uint8_t> shortSong() {
    return midiFile({0x00, 0xC0, 0x00,          // program 0 (piano)
                     0x00, 0x90, 60, 100,       // note on
                     0x60, 0x80, 60, 0,         // 96 ticks later: note off
                     0x18, 0xB0, 0x07, 100});   // 24 ticks later: a controller, the last event
}

}  // namespace testsound
