// The screen. The back surface is shown one of two ways:
//  - with a GPU, through one streaming texture that the renderer scales to
//    the window (logical size, black bars), vsync per present;
//  - without one, through the window's own pixel buffer, scaled by us
//    (platform/scaled_view.h) with only the rows that changed sent to the
//    display. A software rasteriser standing in for a GPU (Mesa's llvmpipe
//    under Xvfb or in most virtual machines) costs several times more for
//    the same picture, on many threads, and takes long to start.
// MD4_PRESENT=renderer or =surface forces one way (to measure them).
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/large_memory.h"
#include "platform/scaled_view.h"
#include "platform/sdl/sdl_layer.h"
#include "platform/surface.h"

namespace plat {

using sdl::display;

namespace {

// With MD4_STAMP_FIRST_PRESENT set, the first present writes the system's
// monotonic clock, the processor time of the process and that of this
// thread (ns) to standard error, so that a script that noted the clock
// before starting the program can tell how long start-up took.
void stampFirstPresent() {
    static bool stamped = false;
    if (stamped) return;
    stamped = true;
    if (std::getenv("MD4_STAMP_FIRST_PRESENT") == nullptr) return;
    const auto read = [](clockid_t clock) {
        timespec ts;
        clock_gettime(clock, &ts);
        return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
    };
    std::fprintf(stderr, "first-present %lld %lld %lld\n", read(CLOCK_MONOTONIC), read(CLOCK_PROCESS_CPUTIME_ID),
                 read(CLOCK_THREAD_CPUTIME_ID));
}

// ---------------------------------------------------------------------------
// Through a renderer
// ---------------------------------------------------------------------------

SDL_Texture* makeTexture() {
    SDL_Texture* texture = SDL_CreateTexture(display.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                             display.logicalWidth, display.logicalHeight);
    // Our pixels keep 0 in the top byte: it is not an alpha to blend with.
    if (texture != nullptr) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    return texture;
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

// A device a GPU driver offers: a DRM render node, or NVIDIA's own. Without
// one, an OpenGL renderer can only be a software rasteriser.
bool gpuDevicePresent() {
    bool found = false;
    if (DIR* dri = opendir("/dev/dri")) {
        while (const dirent* entry = readdir(dri))
            if (std::strncmp(entry->d_name, "renderD", 7) == 0) found = true;
        closedir(dri);
    }
    return found || access("/dev/nvidia0", F_OK) == 0;
}

// True when the renderer draws on the processor: SDL's own software
// renderer, or OpenGL on a software rasteriser (Xvfb has no direct
// rendering, so even a machine with a GPU gets one there).
bool rendererIsSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) != 0) return true;
    if (std::strncmp(info.name, "opengl", 6) != 0) return false;
    // The renderer's context is current: ask OpenGL who draws.
    using GetString = const unsigned char* (*)(unsigned);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned GlRenderer = 0x1F01;
    const auto* name = getString != nullptr ? reinterpret_cast<const char*>(getString(GlRenderer)) : nullptr;
    if (name == nullptr) return false;
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"})
        if (std::strstr(name, software) != nullptr) return true;
    return false;
}

// What the texture holds: the rectangle last presented, or nothing yet.
struct TexturePicture {
    bool held = false;
    SDL_Rect rect{};
};
TexturePicture shownTexture;

// The texture's picture to the window, black around it.
void renderTexture() {
    SDL_SetRenderDrawColor(display.renderer, 0, 0, 0, 255);
    SDL_RenderClear(display.renderer);
    if (shownTexture.held) SDL_RenderCopy(display.renderer, display.texture, &shownTexture.rect, &shownTexture.rect);
    SDL_RenderPresent(display.renderer);
}

// A fresh texture holds no picture yet: the window shows black.
void showBlack() {
    shownTexture = TexturePicture{};
    renderTexture();
}

Result presentThroughRenderer(const Surface* back, const SDL_Rect& rect, bool any, bool waitVBlank) {
    shownTexture.held = false;
    if (any) {
        const uint32_t* first = back->pixels + static_cast<size_t>(rect.y) * back->width + rect.x;
        if (SDL_UpdateTexture(display.texture, &rect, first, back->width * static_cast<int>(sizeof(uint32_t))) != 0)
            return Result::NoSurface;
        shownTexture = TexturePicture{true, rect};
    }
    // With no display to show on, the frame goes as far as the texture (the
    // upload a real display needs too) and no further.
    if (display.offscreen) return Result::Ok;
    const int vsync = waitVBlank ? 1 : 0;
    if (vsync != display.vsync) {
        // The software renderer has no vsync to set; ask only once per change.
        SDL_RenderSetVSync(display.renderer, vsync);
        display.vsync = vsync;
    }
    renderTexture();
    return Result::Ok;
}

// ---------------------------------------------------------------------------
// Through the window's own pixels
// ---------------------------------------------------------------------------

struct WindowPicture {
    SDL_Surface* surface = nullptr;  // the window's, as last seen
    ScaledView view;
    LargeArray<uint32_t> framed;     // a part of the back surface framed in black
};
WindowPicture picture;

// The window surface holds 32-bit pixels laid out as ours (0x00RRGGBB).
bool surfaceTakesOurPixels(const SDL_Surface* s) {
    return s->format->BytesPerPixel == 4 && s->format->Rmask == 0x00FF0000u && s->format->Gmask == 0x0000FF00u &&
           s->format->Bmask == 0x000000FFu && s->pitch % 4 == 0;
}

// The window's surface, the view set up again when its size changed.
SDL_Surface* windowSurface() {
    SDL_Surface* s = SDL_GetWindowSurface(display.window);
    if (s == nullptr || !surfaceTakesOurPixels(s)) return nullptr;
    if (s != picture.surface || s->w != picture.view.targetWidth || s->h != picture.view.targetHeight) {
        if (!setUpScaledView(picture.view, display.logicalWidth, display.logicalHeight, s->w, s->h)) return nullptr;
        picture.surface = s;
        // The first frame writes all of it.
        bringInPages(s->pixels, static_cast<size_t>(s->pitch) * static_cast<size_t>(s->h));
    }
    return s;
}

bool setUpWindowSurface() {
    SDL_Surface* s = windowSurface();
    // Rarely used: its pages come in only if it is.
    if (s == nullptr || !picture.framed.assign(static_cast<size_t>(display.logicalWidth) * display.logicalHeight))
        return false;
    display.windowSurface = true;
    // Show black until the first frame (nobody would see it without a display).
    if (!display.offscreen) {
        SDL_FillRect(s, nullptr, 0);
        SDL_UpdateWindowSurface(display.window);
    }
    return true;
}

Result presentThroughWindowSurface(const Surface* back, const SDL_Rect& rect, bool any) {
    SDL_Surface* s = windowSurface();
    if (s == nullptr) return Result::NoSurface;
    // The picture is the back surface's top-left logical size; a present of
    // only part of it shows black around that part.
    const uint32_t* source = back->pixels;
    size_t pitch = static_cast<size_t>(back->width);
    if (!any || rect.x != 0 || rect.y != 0 || rect.w != display.logicalWidth || rect.h != display.logicalHeight) {
        std::fill(picture.framed.data(), picture.framed.data() + picture.framed.size(), 0u);
        for (int y = 0; any && y < rect.h; ++y)
            std::memcpy(picture.framed.data() + static_cast<size_t>(rect.y + y) * display.logicalWidth + rect.x,
                        back->pixels + static_cast<size_t>(rect.y + y) * back->width + rect.x,
                        static_cast<size_t>(rect.w) * sizeof(uint32_t));
        source = picture.framed.data();
        pitch = static_cast<size_t>(display.logicalWidth);
    }
    constexpr int MaxRects = 16;
    Rect changed[MaxRects];
    if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return Result::NoSurface;
    const int count = updateScaledView(picture.view, source, pitch, static_cast<uint32_t*>(s->pixels),
                                       static_cast<size_t>(s->pitch / 4), changed, MaxRects);
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    if (count == 0) return Result::Ok;  // the same picture is on the screen
    SDL_Rect rects[MaxRects];
    for (int i = 0; i < count; ++i)
        rects[i] = SDL_Rect{changed[i].left, changed[i].top, changed[i].right - changed[i].left,
                            changed[i].bottom - changed[i].top};
    SDL_UpdateWindowSurfaceRects(display.window, rects, count);
    return Result::Ok;
}

}  // namespace

bool sdl::createPresentTargets() {
    if (display.window == nullptr) return false;
    display.vsync = -1;
    display.windowSurface = false;
    const char* forced = std::getenv("MD4_PRESENT");
    const bool forceRenderer = forced != nullptr && std::strcmp(forced, "renderer") == 0;
    const bool forceSurface = forced != nullptr && std::strcmp(forced, "surface") == 0;
    if (forceRenderer || (!forceSurface && !display.offscreen && gpuDevicePresent())) {
        if (setUpRenderer(SDL_RENDERER_ACCELERATED)) {
            if (forceRenderer || !rendererIsSoftware(display.renderer)) {
                showBlack();
                return true;
            }
            destroyPresentTargets();
        } else if (forceRenderer && setUpRenderer(SDL_RENDERER_SOFTWARE)) {
            showBlack();
            return true;
        }
    }
    if (setUpWindowSurface()) return true;
    // No usable window surface: whatever renderer there is.
    if (!setUpRenderer(SDL_RENDERER_ACCELERATED) && !setUpRenderer(SDL_RENDERER_SOFTWARE)) return false;
    showBlack();
    return true;
}

void sdl::destroyPresentTargets() {
    if (display.texture != nullptr) SDL_DestroyTexture(display.texture);
    if (display.renderer != nullptr) SDL_DestroyRenderer(display.renderer);
    display.texture = nullptr;
    display.renderer = nullptr;
    display.windowSurface = false;
    picture = WindowPicture{};
    shownTexture = TexturePicture{};
}

void sdl::recreateTexture() {
    if (display.renderer == nullptr) return;
    // After a device reset the old texture is gone with the device.
    if (display.texture != nullptr) SDL_DestroyTexture(display.texture);
    display.texture = makeTexture();
    display.vsync = -1;
    shownTexture.held = false;
}

void sdl::repaintPicture() {
    if (display.offscreen) return;
    if (display.windowSurface) {
        // The window's pixels still hold the last picture drawn into them,
        // unless the window has a new pixel buffer: that is drawn from the
        // view's copy of the picture.
        SDL_Surface* s = windowSurface();
        if (s == nullptr) return;
        if (picture.view.wholeTarget && (!SDL_MUSTLOCK(s) || SDL_LockSurface(s) == 0)) {
            Rect whole[1];
            updateScaledView(picture.view, picture.view.shown.data(), static_cast<size_t>(picture.view.sourceWidth),
                             static_cast<uint32_t*>(s->pixels), static_cast<size_t>(s->pitch / 4), whole, 1);
            if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
        }
        SDL_UpdateWindowSurface(display.window);
    } else if (display.renderer != nullptr && display.texture != nullptr) {
        renderTexture();
    }
}

void sdl::windowToPicture(int& x, int& y) {
    if (display.windowSurface) viewToPicture(picture.view, x, y);
}

void sdl::pictureToWindow(int& x, int& y) {
    if (display.renderer != nullptr) {
        SDL_RenderLogicalToWindow(display.renderer, static_cast<float>(x), static_cast<float>(y), &x, &y);
    } else if (display.windowSurface) {
        pictureToView(picture.view, x, y);
    }
}

Result presentFrame(Surface* primary, const Surface* back, const Rect& srcRect, bool waitVBlank) {
    if (primary == nullptr || back == nullptr) return Result::NoSurface;
    if (primary->lost || back->lost) return Result::SurfaceLost;
    if (!display.windowSurface && (display.renderer == nullptr || display.texture == nullptr))
        return Result::NoSurface;

    // The part of the rectangle that both the back surface and the picture hold.
    const int left = std::max(srcRect.left, 0), top = std::max(srcRect.top, 0);
    const int right = std::min({srcRect.right, back->width, display.logicalWidth});
    const int bottom = std::min({srcRect.bottom, back->height, display.logicalHeight});
    const bool any = right > left && bottom > top;
    const SDL_Rect rect{left, top, right - left, bottom - top};
    const Result result = display.windowSurface ? presentThroughWindowSurface(back, rect, any)
                                                : presentThroughRenderer(back, rect, any, waitVBlank);
    if (result == Result::Ok && !display.presented) {
        display.presented = true;
        stampFirstPresent();
    }
    return result;
}

}  // namespace plat
