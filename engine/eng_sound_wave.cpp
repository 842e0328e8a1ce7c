// engSound: reading RIFF WAVE files.
#include <cstring>

#include "engine/eng_sound.h"
#include "platform/resources.h"

namespace {

uint16_t read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// Finds the first sub-chunk `id` among the chunks of a RIFF body. A chunk
// whose size runs past the body ends the search: nothing after it can be
// trusted.
bool findChunk(const uint8_t* body, size_t bodySize, const char* id, const uint8_t*& chunk, uint32_t& chunkSize) {
    size_t offset = 0;
    while (bodySize - offset >= 8) {
        const uint8_t* header = body + offset;
        const uint32_t size = read32(header + 4);
        if (size > bodySize - offset - 8) return false;
        if (std::memcmp(header, id, 4) == 0) {
            chunk = header + 8;
            chunkSize = size;
            return true;
        }
        // Chunks start on even offsets.
        const size_t next = size_t{8} + size + (size & 1u);
        if (next > bodySize - offset) return false;
        offset += next;
    }
    return false;
}

}  // namespace

namespace engSound {

int ParseWave(const uint8_t* bytes, size_t size, plat::WaveFormat& format, uint32_t& formatSize,
              const uint8_t*& data, uint32_t& dataSize) {
    if (bytes == nullptr || size < 12) return 1;
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return 1;
    const uint32_t riffSize = read32(bytes + 4);
    if (riffSize < 4 || riffSize > size - 8) return 1;
    const uint8_t* body = bytes + 12;
    const size_t bodySize = riffSize - 4;

    const uint8_t* chunk = nullptr;
    uint32_t chunkSize = 0;
    if (!findChunk(body, bodySize, "fmt ", chunk, chunkSize) || chunkSize < 16) return 2;
    plat::WaveFormat read;
    read.formatTag = read16(chunk);
    read.channels = read16(chunk + 2);
    read.samplesPerSec = read32(chunk + 4);
    read.avgBytesPerSec = read32(chunk + 8);
    read.blockAlign = read16(chunk + 12);
    read.bitsPerSample = read16(chunk + 14);
    read.extraSize = 0;
    // Only a format other than PCM carries extra bytes, counted by the two
    // bytes after the first sixteen (absent in a 16-byte chunk).
    if (read.formatTag != 1 && chunkSize >= 18) {
        read.extraSize = read16(chunk + 16);
        if (uint32_t{18} + read.extraSize > chunkSize) return 3;
    }

    const uint8_t* samples = nullptr;
    uint32_t samplesSize = 0;
    if (!findChunk(body, bodySize, "data", samples, samplesSize)) return 4;

    format = read;
    formatSize = uint32_t{18} + read.extraSize;
    data = samples;
    dataSize = samplesSize;
    return 0;
}

int ReadWave(const char* path, std::vector<uint8_t>& file, plat::WaveFormat& format, uint32_t& formatSize,
             const uint8_t*& data, uint32_t& dataSize) {
    file.clear();
    const long size = plat::fileSize(path);
    if (size < 12 || static_cast<size_t>(size) > MaxSoundFileSize) return 1;
    file.resize(static_cast<size_t>(size));
    const long read = plat::readFile(path, file.data(), file.size());
    if (read != size) {
        file.clear();
        return 1;
    }
    const int result = ParseWave(file.data(), file.size(), format, formatSize, data, dataSize);
    if (result != 0) file.clear();
    return result;
}

}  // namespace engSound
