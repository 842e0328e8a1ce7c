// Writers of the three file formats the game reads: Windows bitmap (24-bit,
// uncompressed), RIFF WAVE (16-bit PCM, mono) and Standard MIDI File.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "assets/standin/canvas.h"

namespace standin {

// Bottom-up 24-bit bitmap of the canvas, with the canvas's key threshold.
void encodeBmp(const Canvas& canvas, std::vector<uint8_t>& out);
// The size of that file for a canvas of width x height.
size_t bmpFileSize(int width, int height);
// The same file written a row at a time: the headers (out is cleared), then
// the rows from the bottom up, each of `width` 0x00RRGGBB pixels.
void beginBmp(int width, int height, std::vector<uint8_t>& out);
void appendBmpRow(const uint32_t* pixels, int width, std::vector<uint8_t>& out);

// Canonical 44-byte-header WAVE file: PCM, 16 bits, mono.
void encodeWave(const std::vector<int16_t>& samples, int sampleRate, std::vector<uint8_t>& out);

// One track of a MIDI file, built from events at absolute ticks.
class MidiTrack {
public:
    void name(const char* text);
    void tempo(uint32_t tick, int beatsPerMinute);
    void timeSignature(uint32_t tick, int numerator, int denominatorPower);
    void program(uint32_t tick, int channel, int program);
    void control(uint32_t tick, int channel, int controller, int value);
    void note(uint32_t tick, int channel, int key, int velocity, uint32_t duration);
    // The end of the track; events after it are dropped.
    void end(uint32_t tick) { end_ = tick; }

    // Delta-timed bytes of the track's events (without the chunk header).
    std::vector<uint8_t> encode() const;

private:
    struct Event {
        uint32_t tick;
        int order;  // at one tick: meta, note-offs, controls, note-ons
        std::vector<uint8_t> bytes;
        int note = -1;  // the note a note-on or note-off belongs to
    };
    std::vector<Event> events_;
    uint32_t end_ = 0;
    int notes_ = 0;
};

// Format 1 file: the first track usually holds tempo and metre.
void encodeMidi(const std::vector<MidiTrack>& tracks, int ticksPerQuarter, std::vector<uint8_t>& out);

}  // namespace standin
