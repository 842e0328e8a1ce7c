// Bitmap decoding through SDL's reader, behind plat::decodeBitmap. The
// headers have been checked first (plat::checkBitmap), so SDL only ever sees
// a file whose picture is as large as it says and no larger than allowed.
#include <SDL.h>

#include <climits>

#include "platform/bitmap.h"

namespace plat {

BitmapResult decodeBitmap(const uint8_t* data, size_t size, const PictureLimit& limit, Surface*& out) {
    out = nullptr;
    int width = 0, height = 0;
    const BitmapResult checked = checkBitmap(data, size, limit, width, height);
    if (checked != BitmapResult::Ok) return checked;
    if (size > static_cast<size_t>(INT_MAX)) return BitmapResult::TooLarge;

    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (stream == nullptr) return BitmapResult::NoMemory;
    SDL_Surface* decoded = SDL_LoadBMP_RW(stream, 1);
    if (decoded == nullptr) return BitmapResult::Damaged;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (argb == nullptr) return BitmapResult::NoMemory;
    if (argb->w != width || argb->h != height) {
        SDL_FreeSurface(argb);
        return BitmapResult::Damaged;
    }

    Surface* surface = createSurface(width, height);
    if (surface == nullptr) {
        SDL_FreeSurface(argb);
        return BitmapResult::NoMemory;
    }
    // Our pixels keep 0 in the top byte.
    const auto* base = static_cast<const uint8_t*>(argb->pixels);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(base + static_cast<size_t>(y) * argb->pitch);
        uint32_t* target = surface->pixels + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) target[x] = row[x] & 0x00FFFFFFu;
    }
    SDL_FreeSurface(argb);
    surfacePixelsChanged(surface);
    out = surface;
    return BitmapResult::Ok;
}

}  // namespace plat
