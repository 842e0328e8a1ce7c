#include "support/bmp_fixtures.h"

#include <map>

#include "platform/resources.h"

namespace testbmp {

namespace {
std::map<std::string, std::vector<uint8_t>> resources;

void put(std::vector<uint8_t>& b, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
}  // namespace

std::vector<uint8_t> make(int bitCount, int width, int height, const std::vector<uint32_t>& pixels,
                          const std::vector<uint32_t>& palette) {
    const size_t offset = 54 + palette.size() * 4;
    const size_t rowBytes = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    std::vector<uint8_t> b(offset + rowBytes * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    put(b, 2, static_cast<uint32_t>(b.size()), 4);
    put(b, 10, static_cast<uint32_t>(offset), 4);
    put(b, 14, 40, 4);
    put(b, 18, static_cast<uint32_t>(width), 4);
    put(b, 22, static_cast<uint32_t>(height), 4);
    put(b, 26, 1, 2);
    put(b, 28, static_cast<uint32_t>(bitCount), 2);
    put(b, 46, static_cast<uint32_t>(palette.size()), 4);
    for (size_t i = 0; i < palette.size(); ++i) put(b, 54 + i * 4, palette[i], 4);  // stored B, G, R, 0
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + rowBytes * (height - 1 - y);  // bottom row first
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            if (bitCount >= 24)
                put(b, row + x * (bitCount / 8), p, 3);
            else
                b[row + x * bitCount / 8] |= static_cast<uint8_t>(p << (8 - bitCount - x * bitCount % 8));
        }
    }
    return b;
}

std::vector<uint8_t> rle8(int width, int height, const std::vector<uint8_t>& codes) {
    std::vector<uint8_t> b = make(8, 1, 1, {0}, {0, 0xFFFFFF});
    b.resize(54 + 8);  // headers and palette; the pixels follow
    b.insert(b.end(), codes.begin(), codes.end());
    put(b, 2, static_cast<uint32_t>(b.size()), 4);
    put(b, 18, static_cast<uint32_t>(width), 4);
    put(b, 22, static_cast<uint32_t>(height), 4);
    put(b, 30, 1, 4);  // run-length encoded, 8 bits
    put(b, 34, static_cast<uint32_t>(codes.size()), 4);
    return b;
}

std::vector<uint8_t> rle8Runs(int width, int height) {
    std::vector<uint8_t> codes;
    for (int y = 0; y < height; ++y) {
        for (int left = width; left > 0; left -= 255) codes.insert(codes.end(), {static_cast<uint8_t>(left < 255 ? left : 255), 1});
        codes.insert(codes.end(), {0, 0});  // end of line
    }
    codes.insert(codes.end(), {0, 1});  // end of bitmap
    return codes;
}

void serve() {
    plat::setResourceProvider([](const char* name, const uint8_t** data, size_t* size) {
        auto it = resources.find(name);
        if (it == resources.end()) return false;
        *data = it->second.data();
        *size = it->second.size();
        return true;
    });
}
void add(const std::string& name, std::vector<uint8_t> bytes) { resources[name] = std::move(bytes); }
void clear() { resources.clear(); }

}  // namespace testbmp
