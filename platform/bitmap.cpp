#include "platform/bitmap.h"

namespace plat {

namespace {

// Compression values of the bitmap header.
constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3;
constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;   // the old header with 16-bit sizes
constexpr size_t InfoHeaderSize = 40;
constexpr size_t LargestInfoHeader = 124;

uint16_t readLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t readLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

uint64_t largestBitmapFile(const PictureLimit& limit) {
    const uint64_t width = static_cast<uint64_t>(limit.width > 0 ? limit.width : 0);
    const uint64_t height = static_cast<uint64_t>(limit.height > 0 ? limit.height : 0);
    return width * height * 4 + 64 * 1024;
}

BitmapResult checkBitmap(const uint8_t* data, size_t size, const PictureLimit& limit, int& width, int& height) {
    if (data == nullptr || size < FileHeaderSize + 4) return BitmapResult::Damaged;
    if (data[0] != 'B' || data[1] != 'M') return BitmapResult::Damaged;
    const uint32_t pixelOffset = readLe32(data + 10);
    const uint32_t headerSize = readLe32(data + 14);
    if (headerSize != CoreHeaderSize && (headerSize < InfoHeaderSize || headerSize > LargestInfoHeader))
        return BitmapResult::Damaged;
    if (FileHeaderSize + headerSize > size) return BitmapResult::Damaged;

    const uint8_t* h = data + FileHeaderSize;
    int64_t w, ht;
    uint32_t bitCount, compression = BiRgb, colorsUsed = 0;
    if (headerSize == CoreHeaderSize) {
        w = readLe16(h + 4);
        ht = readLe16(h + 6);
        bitCount = readLe16(h + 10);
    } else {
        w = static_cast<int32_t>(readLe32(h + 4));
        ht = static_cast<int32_t>(readLe32(h + 8));
        bitCount = readLe16(h + 14);
        compression = readLe32(h + 16);
        colorsUsed = readLe32(h + 32);
    }
    if (ht < 0) ht = -ht;  // stored top row first
    if (w <= 0 || ht <= 0) return BitmapResult::Damaged;
    if (w > MaxSurfaceSide || ht > MaxSurfaceSide || w > limit.width || ht > limit.height) return BitmapResult::TooLarge;

    switch (bitCount) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return BitmapResult::Damaged;
    }
    switch (compression) {
        case BiRgb: break;
        case BiRle8: if (bitCount != 8) return BitmapResult::Damaged; break;
        case BiRle4: if (bitCount != 4) return BitmapResult::Damaged; break;
        case BiBitfields:
            if (bitCount != 16 && bitCount != 32) return BitmapResult::Damaged;
            // The three channel masks follow the 40-byte header.
            if (FileHeaderSize + InfoHeaderSize + 12 > size) return BitmapResult::Damaged;
            break;
        default: return BitmapResult::Damaged;
    }

    size_t paletteEnd = FileHeaderSize + headerSize;
    if (bitCount <= 8) {
        const uint32_t fullPalette = 1u << bitCount;
        if (colorsUsed == 0) colorsUsed = fullPalette;
        if (colorsUsed > fullPalette) return BitmapResult::Damaged;
        paletteEnd += static_cast<size_t>(colorsUsed) * (headerSize == CoreHeaderSize ? 3 : 4);
        if (paletteEnd > size) return BitmapResult::Damaged;
    }
    if (pixelOffset < FileHeaderSize + headerSize || pixelOffset >= size) return BitmapResult::Damaged;

    const uint64_t pixels = static_cast<uint64_t>(w) * static_cast<uint64_t>(ht);
    if (compression == BiRgb || compression == BiBitfields) {
        const uint64_t rowBytes = ((static_cast<uint64_t>(w) * bitCount + 31) / 32) * 4;
        if (rowBytes * static_cast<uint64_t>(ht) > size - pixelOffset) return BitmapResult::Damaged;
    } else if (pixels > PixelsAlwaysInProportion &&
               pixels / MaxPixelsPerFileByte > static_cast<uint64_t>(size - pixelOffset)) {
        return BitmapResult::OutOfProportion;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(ht);
    return BitmapResult::Ok;
}

const char* bitmapResultText(BitmapResult result) {
    switch (result) {
        case BitmapResult::Ok: return "fine";
        case BitmapResult::Damaged: return "not a readable bitmap";
        case BitmapResult::TooLarge: return "a larger picture than the game draws";
        case BitmapResult::OutOfProportion: return "a picture far larger than its file";
        case BitmapResult::NoMemory: return "no memory for its picture";
    }
    return "refused";
}

}  // namespace plat
