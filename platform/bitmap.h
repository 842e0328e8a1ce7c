// The platform layer: Windows bitmap files decoded into surfaces.
//
// The headers are checked here, before anything is allocated for the
// picture, so that a damaged or hostile file is refused cheaply: every part
// must lie inside the bytes given, and the picture must fit the limit the
// caller gives (the largest picture it has any use for) and stand in
// proportion to the file: a few hundred bytes cannot honestly describe a
// screen-sized picture, even run-length encoded.
//
// The decoding itself belongs to the platform implementation (SDL's reader
// in platform/sdl/common, which both layers use).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/surface.h"

namespace plat {

// The largest picture a caller accepts.
struct PictureLimit {
    int width = MaxSurfaceSide;
    int height = MaxSurfaceSide;
};

enum class BitmapResult : int {
    Ok = 0,
    Damaged,          // not a bitmap, or a part lies outside the file
    TooLarge,         // larger than the limit
    OutOfProportion,  // far more pixels than the file could describe
    NoMemory,
};

// The most pixels one byte of a run-length encoded picture may stand for:
// a run of 255 pixels takes two bytes, and a row may end early with a
// two-byte end of line (a blank row of up to a thousand pixels). Anything
// beyond is a bomb.
constexpr uint64_t MaxPixelsPerFileByte = 512;
// Pictures this small are never out of proportion.
constexpr uint64_t PixelsAlwaysInProportion = 64 * 1024;

// The size of the largest bitmap file of a picture within the limit: 32
// bits a pixel with the largest headers and palette, and room to spare.
uint64_t largestBitmapFile(const PictureLimit& limit);

// Checks the headers of the bitmap held in `size` bytes; on Ok, the
// picture's size is in width and height.
BitmapResult checkBitmap(const uint8_t* data, size_t size, const PictureLimit& limit, int& width, int& height);

// Decodes the bitmap into a new surface (owned by the caller), or reports
// why not and leaves `out` null.
BitmapResult decodeBitmap(const uint8_t* data, size_t size, const PictureLimit& limit, Surface*& out);

// Why a bitmap was refused, in a few words ("damaged", ...).
const char* bitmapResultText(BitmapResult result);

}  // namespace plat
