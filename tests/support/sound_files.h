// Builders of small WAVE and MIDI files for the sound tests.
#pragma once

#include <cstdint>
#include <vector>

namespace testsound {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(Bytes& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
// A chunk: id, size, body, and the pad byte after an odd body.
inline void putChunk(Bytes& out, const char* id, const Bytes& body) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
    put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1) out.push_back(0);
}
inline Bytes fmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes body;
    const uint16_t block = static_cast<uint16_t>(channels * bits / 8);
    for (uint32_t v : {uint32_t{tag}, uint32_t{channels}}) put16(body, v);
    put32(body, rate);
    put32(body, rate * block);
    put16(body, block);
    put16(body, bits);
    return body;
}
// RIFF/WAVE around chunks already encoded.
inline Bytes riffWave(const Bytes& chunks) {
    Bytes out;
    putChunk(out, "RIFF", Bytes{'W', 'A', 'V', 'E'});
    out.insert(out.end(), chunks.begin(), chunks.end());
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>((out.size() - 8) >> (8 * i));
    return out;
}
// A canonical PCM file: "fmt " of 16 bytes, then "data".
inline Bytes pcmWave(uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& samples) {
    Bytes chunks;
    putChunk(chunks, "fmt ", fmtBody(1, channels, rate, bits));
    putChunk(chunks, "data", samples);
    return riffWave(chunks);
}
inline Bytes samples16(const std::vector<int16_t>& values) {
    Bytes out;
    for (int16_t v : values) put16(out, static_cast<uint16_t>(v));
    return out;
}
// Mono 16-bit at 48000, every sample `value`.
inline Bytes constantWave(int16_t value, size_t count) {
    return pcmWave(1, 48000, 16, samples16(std::vector<int16_t>(count, value)));
}

// A MIDI delta time or length: seven bits a byte, most significant first,
// the top bit set on every byte but the last.
inline void putVarLength(Bytes& out, uint32_t value) {
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (n > 1) out.push_back(bytes[--n] | 0x80);
    out.push_back(bytes[0]);
}

// A one-track MIDI file of the events given (delta times included), with its
// end-of-track `endDelta` ticks after them: `division` ticks a quarter note
// (by default 96, at 120 a minute 192 ticks a second).
inline Bytes midiFile(Bytes track, uint16_t division = 96, uint32_t endDelta = 0) {
    putVarLength(track, endDelta);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});
    Bytes out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, static_cast<uint8_t>(division >> 8),
                 static_cast<uint8_t>(division), 'M', 'T', 'r', 'k'};
    for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<uint8_t>(track.size() >> shift));
    out.insert(out.end(), track.begin(), track.end());
    return out;
}
// A piano note of 96 ticks, then a controller 24 ticks later: 0.625 s.
inline Bytes shortSong() { return midiFile({0, 0xC0, 0, 0, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x18, 0xB0, 7, 100}); }

}  // namespace testsound
