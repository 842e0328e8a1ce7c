// engSound: reading RIFF WAVE files, from memory or from disk. On disk only
// the chunk headers are read until the format says the samples are a sound
// the buffers take; then the samples alone are read, all through the one
// descriptor the file was opened with.
#include <cstring>

#include "engine/eng_sound.h"
#include "platform/resources.h"

namespace {

uint16_t read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// More chunks than any sound file has: the search gives up, rather than
// read a file of empty chunks header by header.
constexpr int MaxChunks = 4096;
constexpr uint64_t RiffHeaderSize = 12;

// Where the parts of a WAVE file lie.
struct WaveLayout {
    plat::WaveFormat format;
    uint32_t formatSize = 0;
    uint64_t dataOffset = 0;
    uint32_t dataSize = 0;
};

// Finds the first sub-chunk `id` among the chunks of a RIFF body, reading
// through `read(offset, buffer, count)` (false when the bytes are not
// there). A chunk whose size runs past the body ends the search: nothing
// after it can be trusted.
template <typename Read>
bool findChunk(const Read& read, uint64_t bodySize, const char* id, uint64_t& chunk, uint32_t& chunkSize) {
    uint64_t offset = 0;
    for (int count = 0; bodySize - offset >= 8 && count < MaxChunks; ++count) {
        uint8_t header[8];
        if (!read(RiffHeaderSize + offset, header, sizeof header)) return false;
        const uint32_t size = read32(header + 4);
        if (size > bodySize - offset - 8) return false;
        if (std::memcmp(header, id, 4) == 0) {
            chunk = RiffHeaderSize + offset + 8;
            chunkSize = size;
            return true;
        }
        // Chunks start on even offsets.
        const uint64_t next = uint64_t{8} + size + (size & 1u);
        if (next > bodySize - offset) return false;
        offset += next;
    }
    return false;
}

// The layout of a WAVE file of `size` bytes. 0 on success; 1 not a WAVE
// file, 2 no usable format, 3 format bytes past their chunk, 4 no samples.
template <typename Read>
int parseLayout(const Read& read, uint64_t size, WaveLayout& out) {
    uint8_t header[RiffHeaderSize];
    if (size < RiffHeaderSize || !read(0, header, sizeof header)) return 1;
    if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) return 1;
    const uint32_t riffSize = read32(header + 4);
    if (riffSize < 4 || riffSize > size - 8) return 1;
    const uint64_t bodySize = riffSize - 4;

    uint64_t chunk = 0;
    uint32_t chunkSize = 0;
    if (!findChunk(read, bodySize, "fmt ", chunk, chunkSize) || chunkSize < 16) return 2;
    uint8_t block[18] = {};
    if (!read(chunk, block, chunkSize >= 18 ? 18 : 16)) return 2;
    plat::WaveFormat format;
    format.formatTag = read16(block);
    format.channels = read16(block + 2);
    format.samplesPerSec = read32(block + 4);
    format.avgBytesPerSec = read32(block + 8);
    format.blockAlign = read16(block + 12);
    format.bitsPerSample = read16(block + 14);
    format.extraSize = 0;
    // Only a format other than PCM carries extra bytes, counted by the two
    // bytes after the first sixteen (absent in a 16-byte chunk).
    if (format.formatTag != 1 && chunkSize >= 18) {
        format.extraSize = read16(block + 16);
        if (uint32_t{18} + format.extraSize > chunkSize) return 3;
    }

    WaveLayout layout;
    if (!findChunk(read, bodySize, "data", layout.dataOffset, layout.dataSize)) return 4;
    layout.format = format;
    layout.formatSize = uint32_t{18} + format.extraSize;
    out = layout;
    return 0;
}

}  // namespace

namespace engSound {

int ParseWave(const uint8_t* bytes, size_t size, plat::WaveFormat& format, uint32_t& formatSize,
              const uint8_t*& data, uint32_t& dataSize) {
    if (bytes == nullptr) return 1;
    const auto read = [&](uint64_t offset, uint8_t* buffer, size_t count) {
        if (offset > size || count > size - offset) return false;
        std::memcpy(buffer, bytes + offset, count);
        return true;
    };
    WaveLayout layout;
    const int result = parseLayout(read, size, layout);
    if (result != 0) return result;
    format = layout.format;
    formatSize = layout.formatSize;
    data = bytes + layout.dataOffset;
    dataSize = layout.dataSize;
    return 0;
}

int ReadWave(const char* path, std::vector<uint8_t>& file, plat::WaveFormat& format, uint32_t& formatSize,
             const uint8_t*& data, uint32_t& dataSize, plat::FileOpenResult* opened) {
    file.clear();
    // One descriptor for every read: the file cannot change kind or be
    // swapped for another between them.
    plat::OpenedFile wave;
    const plat::FileOpenResult openResult = plat::openFile(path, wave);
    if (opened != nullptr) *opened = openResult;
    if (openResult != plat::FileOpenResult::Opened) return 1;
    const auto read = [&](uint64_t offset, uint8_t* buffer, size_t count) {
        return plat::readOpened(wave, offset, buffer, count);
    };
    WaveLayout layout;
    int result = parseLayout(read, wave.size, layout);
    if (result == 0 && !plat::soundSupported(layout.format, layout.dataSize)) result = WaveNotPlayable;
    if (result == 0) {
        file.resize(layout.dataSize);
        if (!read(layout.dataOffset, file.data(), file.size())) result = 1;
    }
    plat::closeFile(wave);
    if (result != 0) {
        file.clear();
        return result;
    }
    format = layout.format;
    formatSize = layout.formatSize;
    data = file.data();
    dataSize = layout.dataSize;
    return 0;
}

}  // namespace engSound
