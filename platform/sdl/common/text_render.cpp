#include "platform/sdl/common/text_render.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace plat {

namespace {
// Families tried in order for each face.
constexpr const char* FaceFamilies[2][3] = {
    {"IPAMincho", "IPAexMincho", "DejaVu Serif"},
    {"IPAGothic", "IPAexGothic", "DejaVu Sans"},
};

// The file of `family` when fontconfig's best match really is that family
// (a match always returns something, often an unrelated fallback).
bool matchFamily(const char* family, char* path, size_t capacity) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) return false;

    bool found = false;
    FcChar8* matchedFamily = nullptr;
    for (int i = 0; !found && FcPatternGetString(match, FC_FAMILY, i, &matchedFamily) == FcResultMatch; ++i)
        found = FcStrCmpIgnoreCase(matchedFamily, reinterpret_cast<const FcChar8*>(family)) == 0;
    FcChar8* file = nullptr;
    if (found && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        std::strlen(reinterpret_cast<const char*>(file)) < capacity) {
        std::strcpy(path, reinterpret_cast<const char*>(file));
    } else {
        found = false;
    }
    FcPatternDestroy(match);
    return found;
}

uint32_t blendChannel(uint32_t src, uint32_t dst, uint32_t alpha) {
    return (src * alpha + dst * (255 - alpha) + 127) / 255;
}

uint32_t blendPixel(uint32_t argb, uint32_t dst) {
    const uint32_t a = argb >> 24;
    if (a == 255) return argb & 0x00FFFFFFu;
    if (a == 0) return dst;
    const uint32_t r = blendChannel((argb >> 16) & 0xFF, (dst >> 16) & 0xFF, a);
    const uint32_t g = blendChannel((argb >> 8) & 0xFF, (dst >> 8) & 0xFF, a);
    const uint32_t b = blendChannel(argb & 0xFF, dst & 0xFF, a);
    return (r << 16) | (g << 8) | b;
}
}  // namespace

bool findFontFile(int face, char* path, size_t capacity) {
    if (face < 0 || face > 1 || path == nullptr || capacity == 0) return false;
    // The face's own families, then the other face's as a fallback.
    constexpr int Candidates = 2 * std::size(FaceFamilies[0]);
    char found[Candidates][1024];
    const char* files[Candidates];
    int count = 0;
    for (int f : {face, 1 - face})
        for (const char* family : FaceFamilies[f])
            if (matchFamily(family, found[count], sizeof found[count])) {
                files[count] = found[count];
                ++count;
            }
    return firstUsableFontFile(files, count, path, capacity);
}

bool firstUsableFontFile(const char* const* files, int count, char* path, size_t capacity) {
    if (path == nullptr || capacity == 0) return false;
    const bool wasUp = TTF_WasInit() > 0;
    if (!wasUp && TTF_Init() != 0) return false;
    bool found = false;
    for (int i = 0; i < count && !found; ++i) {
        const char* file = files[i];
        if (file == nullptr || std::strlen(file) >= capacity) continue;
        // Several families may share one file: each is tried and told once.
        bool seen = false;
        for (int k = 0; k < i; ++k) seen = seen || (files[k] != nullptr && std::strcmp(files[k], file) == 0);
        if (seen) continue;
        TTF_Font* font = TTF_OpenFont(file, 16);
        SDL_Surface* probe = font != nullptr ? TTF_RenderUTF8_Blended(font, "Ag", SDL_Color{255, 255, 255, 255}) : nullptr;
        found = probe != nullptr && probe->w > 0 && probe->h > 0;
        SDL_FreeSurface(probe);
        if (font != nullptr) TTF_CloseFont(font);
        if (found)
            std::strcpy(path, file);
        else
            std::fprintf(stderr, "text: the font file %s is damaged; another face is used\n", file);
    }
    if (!wasUp) TTF_Quit();
    return found;
}

bool copyTextSurface(Surface* dst, int x, int y, SDL_Surface* text) {
    if (dst == nullptr || text == nullptr || dst->lost) return false;
    const SDL_PixelFormat* format = text->format;
    const bool indexed = format->BitsPerPixel == 8 && format->palette != nullptr;
    const bool argb = format->format == SDL_PIXELFORMAT_ARGB8888;
    if (!indexed && !argb) return false;

    // The part of the text that lands inside dst.
    const int left = std::max(0, -x), top = std::max(0, -y);
    const int right = std::min(text->w, dst->width - x), bottom = std::min(text->h, dst->height - y);
    if (right <= left || bottom <= top) return true;  // wholly outside: nothing to do

    if (SDL_MUSTLOCK(text) && SDL_LockSurface(text) != 0) return false;
    Uint32 key = 0;
    const bool keyed = indexed && SDL_GetColorKey(text, &key) == 0;
    for (int row = top; row < bottom; ++row) {
        const auto* line = static_cast<const uint8_t*>(text->pixels) + static_cast<size_t>(row) * text->pitch;
        uint32_t* out = dst->pixels + static_cast<size_t>(y + row) * dst->width + x;
        for (int col = left; col < right; ++col) {
            if (indexed) {
                const uint8_t index = line[col];
                if ((keyed && index == key) || index >= format->palette->ncolors) continue;
                const SDL_Color c = format->palette->colors[index];
                out[col] = (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) | c.b;
            } else {
                uint32_t pixel;
                std::memcpy(&pixel, line + static_cast<size_t>(col) * 4, sizeof pixel);
                out[col] = blendPixel(pixel, out[col]);
            }
        }
    }
    if (SDL_MUSTLOCK(text)) SDL_UnlockSurface(text);
    surfacePixelsChanged(dst);
    return true;
}

std::mutex& fontLibraryLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace plat
