#include "assets/standin/formats.h"

#include <algorithm>
#include <cstring>

namespace standin {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}
void put32be(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}
void putTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}
void putVarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = static_cast<uint8_t>(v & 0x7F);
    while ((v >>= 7) != 0) bytes[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
    while (n > 0) out.push_back(bytes[--n]);
}

constexpr uint32_t bmpHeaderBytes = 14 + 40;  // file header, then info header

// Rows of 3-byte pixels, each padded to a multiple of four bytes.
uint32_t bmpRowBytes(int width) { return (static_cast<uint32_t>(width) * 3 + 3) & ~3u; }

}  // namespace

size_t bmpFileSize(int width, int height) {
    return bmpHeaderBytes + static_cast<size_t>(bmpRowBytes(width)) * static_cast<size_t>(height);
}

void beginBmp(int width, int height, std::vector<uint8_t>& out) {
    const uint32_t imageBytes = bmpRowBytes(width) * static_cast<uint32_t>(height);
    const uint32_t headerBytes = bmpHeaderBytes;
    out.clear();
    out.reserve(headerBytes + imageBytes);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put32(out, headerBytes + imageBytes);
    put32(out, 0);
    put32(out, headerBytes);
    // BITMAPINFOHEADER
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));  // positive: bottom-up rows
    put16(out, 1);                               // planes
    put16(out, 24);                              // bits per pixel
    put32(out, 0);                               // BI_RGB
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
}

void appendBmpRow(const uint32_t* pixels, int width, std::vector<uint8_t>& out) {
    for (int x = 0; x < width; ++x) {
        out.push_back(static_cast<uint8_t>(pixels[x]));        // blue
        out.push_back(static_cast<uint8_t>(pixels[x] >> 8));   // green
        out.push_back(static_cast<uint8_t>(pixels[x] >> 16));  // red
    }
    for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < bmpRowBytes(width); ++pad) out.push_back(0);
}

void encodeBmp(const Canvas& canvas, std::vector<uint8_t>& out) {
    beginBmp(canvas.w, canvas.h, out);
    std::vector<uint32_t> row(static_cast<size_t>(canvas.w));
    for (int y = canvas.h - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.w; ++x)
            row[static_cast<size_t>(x)] = finishPixel(canvas.at(x, y), canvas.keyThreshold);
        appendBmpRow(row.data(), canvas.w, out);
    }
}

void encodeWave(const std::vector<int16_t>& samples, int sampleRate, std::vector<uint8_t>& out) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * 2;
    out.clear();
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<uint32_t>(sampleRate));
    put32(out, static_cast<uint32_t>(sampleRate) * 2);
    put16(out, 2);   // block align
    put16(out, 16);  // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (int16_t s : samples) put16(out, static_cast<uint16_t>(s));
}

void MidiTrack::name(const char* text) {
    Event e{0, 0, {0xFF, 0x03}};
    size_t n = std::strlen(text);
    putVarLen(e.bytes, static_cast<uint32_t>(n));
    e.bytes.insert(e.bytes.end(), text, text + n);
    events_.push_back(std::move(e));
}

void MidiTrack::tempo(uint32_t tick, int beatsPerMinute) {
    uint32_t us = 60000000u / static_cast<uint32_t>(beatsPerMinute);
    events_.push_back({tick, 0,
                       {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                        static_cast<uint8_t>(us)}});
}

void MidiTrack::timeSignature(uint32_t tick, int numerator, int denominatorPower) {
    events_.push_back({tick, 0,
                       {0xFF, 0x58, 0x04, static_cast<uint8_t>(numerator), static_cast<uint8_t>(denominatorPower),
                        24, 8}});
}

void MidiTrack::program(uint32_t tick, int channel, int program) {
    events_.push_back({tick, 2, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)}});
}

void MidiTrack::control(uint32_t tick, int channel, int controller, int value) {
    events_.push_back({tick, 2,
                       {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
                        static_cast<uint8_t>(value)}});
}

void MidiTrack::note(uint32_t tick, int channel, int key, int velocity, uint32_t duration) {
    if (key < 0 || key > 127 || duration == 0) return;
    velocity = std::clamp(velocity, 1, 127);
    const int id = notes_++;
    events_.push_back({tick, 3,
                       {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key),
                        static_cast<uint8_t>(velocity)},
                       id});
    events_.push_back({tick + duration, 1,
                       {static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(key), 0}, id});
}

std::vector<uint8_t> MidiTrack::encode() const {
    // Nothing starts at or after the end; a note still sounding there is
    // released at the end, so no note hangs over a restart.
    std::vector<bool> struck(static_cast<size_t>(notes_), false);
    for (const Event& e : events_)
        if (e.order == 3 && e.tick < end_) struck[static_cast<size_t>(e.note)] = true;
    std::vector<Event> order;
    for (const Event& e : events_) {
        if (e.note >= 0 && !struck[static_cast<size_t>(e.note)]) continue;
        if (e.tick < end_ || (e.tick == end_ && e.order <= 1)) order.push_back(e);
        else if (e.order == 1) order.push_back({end_, e.order, e.bytes, e.note});
    }
    std::stable_sort(order.begin(), order.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> out;
    uint32_t now = 0;
    for (const Event& e : order) {
        putVarLen(out, e.tick - now);
        now = e.tick;
        out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    }
    putVarLen(out, end_ > now ? end_ - now : 0);
    out.insert(out.end(), {0xFF, 0x2F, 0x00});
    return out;
}

void encodeMidi(const std::vector<MidiTrack>& tracks, int ticksPerQuarter, std::vector<uint8_t>& out) {
    out.clear();
    putTag(out, "MThd");
    put32be(out, 6);
    out.push_back(0);
    out.push_back(1);  // format 1
    out.push_back(static_cast<uint8_t>(tracks.size() >> 8));
    out.push_back(static_cast<uint8_t>(tracks.size()));
    out.push_back(static_cast<uint8_t>(ticksPerQuarter >> 8));
    out.push_back(static_cast<uint8_t>(ticksPerQuarter));
    for (const MidiTrack& track : tracks) {
        std::vector<uint8_t> body = track.encode();
        putTag(out, "MTrk");
        put32be(out, static_cast<uint32_t>(body.size()));
        out.insert(out.end(), body.begin(), body.end());
    }
}

}  // namespace standin
