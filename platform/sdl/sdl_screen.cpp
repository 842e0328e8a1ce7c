// The screen: the back surface shown through one streaming texture, scaled
// to the window with its aspect kept (black bars), vsync per present.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/sdl/sdl_layer.h"
#include "platform/surface.h"

namespace plat {

using sdl::display;

namespace {
SDL_Texture* makeTexture() {
    SDL_Texture* texture = SDL_CreateTexture(display.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                             display.logicalWidth, display.logicalHeight);
    // Our pixels keep 0 in the top byte: it is not an alpha to blend with.
    if (texture != nullptr) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    return texture;
}

// With MD4_STAMP_FIRST_PRESENT set, the first present writes the system's
// monotonic clock (ns) to standard error, so that a script that noted the
// clock before starting the program can tell how long start-up took.
void stampFirstPresent() {
    static bool stamped = false;
    if (stamped) return;
    stamped = true;
    if (std::getenv("MD4_STAMP_FIRST_PRESENT") == nullptr) return;
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    std::fprintf(stderr, "first-present %lld\n", static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec);
}

bool setUpRenderer(Uint32 flags) {
    display.renderer = SDL_CreateRenderer(display.window, -1, flags);
    if (display.renderer == nullptr) return false;
    if (SDL_RenderSetLogicalSize(display.renderer, display.logicalWidth, display.logicalHeight) == 0 &&
        (display.texture = makeTexture()) != nullptr)
        return true;
    SDL_DestroyRenderer(display.renderer);
    display.renderer = nullptr;
    return false;
}
}  // namespace

bool sdl::createPresentTargets() {
    if (display.window == nullptr) return false;
    display.vsync = -1;
    if (!setUpRenderer(SDL_RENDERER_ACCELERATED) && !setUpRenderer(SDL_RENDERER_SOFTWARE)) return false;
    // Show black until the first frame.
    SDL_SetRenderDrawColor(display.renderer, 0, 0, 0, 255);
    SDL_RenderClear(display.renderer);
    SDL_RenderPresent(display.renderer);
    return true;
}

void sdl::destroyPresentTargets() {
    if (display.texture != nullptr) SDL_DestroyTexture(display.texture);
    if (display.renderer != nullptr) SDL_DestroyRenderer(display.renderer);
    display.texture = nullptr;
    display.renderer = nullptr;
}

void sdl::recreateTexture() {
    if (display.renderer == nullptr) return;
    // After a device reset the old texture is gone with the device.
    if (display.texture != nullptr) SDL_DestroyTexture(display.texture);
    display.texture = makeTexture();
    display.vsync = -1;
}

Result presentFrame(Surface* primary, const Surface* back, const Rect& srcRect, bool waitVBlank) {
    if (primary == nullptr || back == nullptr) return Result::NoSurface;
    if (primary->lost || back->lost) return Result::SurfaceLost;
    if (display.renderer == nullptr || display.texture == nullptr) return Result::NoSurface;

    // The part of the rectangle that both the back surface and the picture hold.
    const int left = std::max(srcRect.left, 0), top = std::max(srcRect.top, 0);
    const int right = std::min({srcRect.right, back->width, display.logicalWidth});
    const int bottom = std::min({srcRect.bottom, back->height, display.logicalHeight});
    const bool any = right > left && bottom > top;
    const SDL_Rect rect{left, top, right - left, bottom - top};
    if (any) {
        const uint32_t* first = back->pixels + static_cast<size_t>(top) * back->width + left;
        if (SDL_UpdateTexture(display.texture, &rect, first, back->width * static_cast<int>(sizeof(uint32_t))) != 0)
            return Result::NoSurface;
    }
    // With no display to show on, the frame goes as far as the texture (the
    // upload a real display needs too) and no further.
    if (display.offscreen) {
        stampFirstPresent();
        return Result::Ok;
    }

    const int vsync = waitVBlank ? 1 : 0;
    if (vsync != display.vsync) {
        // The software renderer has no vsync to set; ask only once per change.
        SDL_RenderSetVSync(display.renderer, vsync);
        display.vsync = vsync;
    }
    SDL_SetRenderDrawColor(display.renderer, 0, 0, 0, 255);
    SDL_RenderClear(display.renderer);
    if (any) SDL_RenderCopy(display.renderer, display.texture, &rect, &rect);
    SDL_RenderPresent(display.renderer);
    stampFirstPresent();
    return Result::Ok;
}

}  // namespace plat
