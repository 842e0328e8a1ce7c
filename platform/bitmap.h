// The platform layer: Windows bitmap files decoded into surfaces.
//
// The headers are checked here, before anything is allocated for the
// picture, so that a damaged or hostile file is refused cheaply: every part
// must lie inside the bytes given, and the picture must fit the limit the
// caller gives (the largest picture it has any use for).
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
    NoMemory,
};

// Checks the headers of the bitmap held in `size` bytes; on Ok, the
// picture's size is in width and height.
BitmapResult checkBitmap(const uint8_t* data, size_t size, const PictureLimit& limit, int& width, int& height);

// Decodes the bitmap into a new surface (owned by the caller), or reports
// why not and leaves `out` null.
BitmapResult decodeBitmap(const uint8_t* data, size_t size, const PictureLimit& limit, Surface*& out);

}  // namespace plat
