#include "support/bmp_fixtures.h"

#include <cstdio>
#include <filesystem>
#include <map>

#include "platform/resources.h"

namespace testbmp {

namespace {
std::map<std::string, std::vector<uint8_t>>& store() {
    static std::map<std::string, std::vector<uint8_t>> s;
    return s;
}

void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// File and info headers followed by the palette; pixel rows are appended.
std::vector<uint8_t> headers(int width, int height, int bitCount, const std::vector<uint32_t>& palette) {
    const size_t offset = 54 + palette.size() * 4;
    const size_t rowBytes = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    std::vector<uint8_t> b(offset, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<uint32_t>(offset + rowBytes * height));
    put32(b, 10, static_cast<uint32_t>(offset));
    put32(b, 14, 40);
    put32(b, 18, static_cast<uint32_t>(width));
    put32(b, 22, static_cast<uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, static_cast<uint32_t>(bitCount));
    put32(b, 46, static_cast<uint32_t>(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) put32(b, 54 + i * 4, palette[i]);  // B, G, R, 0
    return b;
}
}  // namespace

std::vector<uint8_t> truecolor(int width, int height, const std::vector<uint32_t>& pixels, int bitCount) {
    std::vector<uint8_t> b = headers(width, height, bitCount, {});
    const size_t rowBytes = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    for (int y = height - 1; y >= 0; --y) {  // stored bottom row first
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            for (int c = 0; c < bitCount / 8; ++c) row[x * (bitCount / 8) + c] = c < 3 ? static_cast<uint8_t>(p >> (8 * c)) : 0;
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

std::vector<uint8_t> indexed(int bitCount, int width, int height, const std::vector<uint32_t>& palette,
                             const std::vector<uint8_t>& indices) {
    std::vector<uint8_t> b = headers(width, height, bitCount, palette);
    const size_t rowBytes = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const int bit = x * bitCount;
            row[bit / 8] |= static_cast<uint8_t>(indices[static_cast<size_t>(y) * width + x] << (8 - bitCount - bit % 8));
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

std::vector<uint8_t> solid(int width, int height, uint32_t pixel) {
    return truecolor(width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, pixel));
}

void serve() {
    plat::setResourceProvider([](const char* name, const uint8_t** data, size_t* size) {
        auto it = store().find(name);
        if (it == store().end()) return false;
        *data = it->second.data();
        *size = it->second.size();
        return true;
    });
}
void add(const std::string& name, std::vector<uint8_t> bytes) { store()[name] = std::move(bytes); }
void clear() { store().clear(); }

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace testbmp
