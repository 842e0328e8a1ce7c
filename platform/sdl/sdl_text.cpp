// Text through SDL2_ttf. A line is drawn by creating a font, drawing and
// destroying the font again, every frame; so opened faces stay cached by
// face and size and a Font is only a handle with its style.
//
// Rotated text is not offered: a non-zero angle draws the text unrotated
// (the game draws all its text level).
#include <SDL_ttf.h>

#include "platform/sdl/sdl_layer.h"
#include "platform/surface.h"
#include "platform/sdl/common/text_render.h"

namespace plat {

struct Font {
    TTF_Font* ttf = nullptr;  // owned by the cache
    int style = TTF_STYLE_NORMAL;
    bool inUse = false;
};

namespace {
struct OpenFace {
    int face = -1;
    int height = 0;
    TTF_Font* ttf = nullptr;
    int users = 0;
    uint32_t lastUse = 0;
};

constexpr int MaxOpenFaces = 8;
constexpr int MaxFonts = 8;
constexpr int DefaultHeight = 16;  // a height of 0 asks for the usual size
constexpr int MaxHeight = 1000;

OpenFace openFaces[MaxOpenFaces];
Font fonts[MaxFonts];
uint32_t useCounter = 0;
bool ttfUp = false;

// A positive height is the cell height (ascent plus descent) as the game's
// fonts were sized; a negative one the size of the characters themselves.
TTF_Font* openSized(const char* file, int height) {
    const int size = height < 0 ? -height : height;
    TTF_Font* ttf = TTF_OpenFont(file, size);
    if (ttf == nullptr || height < 0) return ttf;
    const int cell = TTF_FontHeight(ttf);
    if (cell > 0 && cell != size) {
        const int scaled = (size * size + cell / 2) / cell;
        TTF_SetFontSize(ttf, scaled > 0 ? scaled : 1);
    }
    return ttf;
}

OpenFace* findOrOpenFace(int face, int height) {
    OpenFace* spare = nullptr;
    for (OpenFace& f : openFaces) {
        if (f.ttf != nullptr && f.face == face && f.height == height) return &f;
        if (f.ttf == nullptr && (spare == nullptr || spare->ttf != nullptr)) spare = &f;
        // Otherwise the least recently used face nobody holds.
        if (f.users == 0 && (spare == nullptr || (spare->ttf != nullptr && f.lastUse < spare->lastUse))) spare = &f;
    }
    if (spare == nullptr) return nullptr;
    const char* file = lookedUpFontFile(face);
    if (file == nullptr) return nullptr;
    TTF_Font* ttf = openSized(file, height);
    if (ttf == nullptr) return nullptr;
    if (spare->ttf != nullptr) TTF_CloseFont(spare->ttf);
    *spare = OpenFace{face, height, ttf, 0, 0};
    return spare;
}

OpenFace* faceOf(const Font* font) {
    for (OpenFace& f : openFaces)
        if (f.ttf != nullptr && f.ttf == font->ttf) return &f;
    return nullptr;
}

SDL_Color colorOf(uint32_t pixel) {
    return SDL_Color{static_cast<Uint8>(pixel >> 16), static_cast<Uint8>(pixel >> 8), static_cast<Uint8>(pixel), 255};
}
}  // namespace

Font* createFont(int face, int height, int /*angleDegrees*/, int weight, bool italic, bool underline) {
    if (face < 0 || face > 1) face = 0;
    if (height == 0) height = DefaultHeight;
    if (height > MaxHeight || height < -MaxHeight) return nullptr;
    const std::lock_guard<std::mutex> lock(fontLibraryLock());
    if (!ttfUp) {
        if (TTF_Init() != 0) return nullptr;
        ttfUp = true;
    }
    Font* font = nullptr;
    for (Font& f : fonts)
        if (!f.inUse) {
            font = &f;
            break;
        }
    if (font == nullptr) return nullptr;
    OpenFace* open = findOrOpenFace(face, height);
    if (open == nullptr) return nullptr;
    ++open->users;
    open->lastUse = ++useCounter;
    font->ttf = open->ttf;
    font->style = (weight >= 600 ? TTF_STYLE_BOLD : 0) | (italic ? TTF_STYLE_ITALIC : 0) |
                  (underline ? TTF_STYLE_UNDERLINE : 0);
    font->inUse = true;
    return font;
}

void destroyFont(Font* font) {
    if (font == nullptr || !font->inUse) return;
    if (OpenFace* open = faceOf(font)) --open->users;
    *font = Font{};
}

bool drawText(Surface* dst, Font* font, int x, int y, const char* text, uint32_t foreground, uint32_t background,
              bool opaque) {
    if (dst == nullptr || dst->lost || font == nullptr || !font->inUse || text == nullptr) return false;
    if (text[0] == '\0') return true;
    const std::lock_guard<std::mutex> lock(fontLibraryLock());
    if (TTF_GetFontStyle(font->ttf) != font->style) TTF_SetFontStyle(font->ttf, font->style);
    SDL_Surface* rendered = opaque ? TTF_RenderUTF8_Shaded(font->ttf, text, colorOf(foreground), colorOf(background))
                                   : TTF_RenderUTF8_Blended(font->ttf, text, colorOf(foreground));
    if (rendered == nullptr) return false;
    const bool drawn = copyTextSurface(dst, x, y, rendered);
    SDL_FreeSurface(rendered);
    return drawn;
}

void sdl::closeFonts() {
    const std::lock_guard<std::mutex> lock(fontLibraryLock());
    for (Font& f : fonts) f = Font{};
    for (OpenFace& f : openFaces) {
        if (f.ttf != nullptr) TTF_CloseFont(f.ttf);
        f = OpenFace{};
    }
    if (ttfUp) TTF_Quit();
    ttfUp = false;
}

}  // namespace plat
