#include "platform/sdl/common/text_render.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/text.h"

namespace plat {

namespace {
// The faces, in the order of the text service's face numbers and then of
// PictureFace. Each tries its own families first, then the stand-ins after
// them, then any font fontconfig offers for its first family.
constexpr int FaceCount = 6;
constexpr int Listed = 6;
struct FaceRule {
    const char* name;              // as told when the face is missing
    int own;                       // families[0, own) are the face's own
    const char* families[Listed];  // fontconfig names, tried in order
};
constexpr FaceRule faceRules[FaceCount] = {
    {"IPAMincho or DejaVu Serif", 3,
     {"IPAMincho", "IPAexMincho", "DejaVu Serif", "IPAGothic", "IPAexGothic", "DejaVu Sans"}},
    {"IPAGothic or DejaVu Sans", 3,
     {"IPAGothic", "IPAexGothic", "DejaVu Sans", "IPAMincho", "IPAexMincho", "DejaVu Serif"}},
    {"DejaVu Sans Bold", 1, {"DejaVu Sans:bold", "IPAGothic", "IPAexGothic", "DejaVu Sans"}},
    {"DejaVu Sans Condensed Bold", 1,
     {"DejaVu Sans Condensed:bold:semicondensed", "DejaVu Sans:bold", "IPAGothic", "DejaVu Sans"}},
    {"DejaVu Sans Mono Bold", 1, {"DejaVu Sans Mono:bold", "DejaVu Sans:bold", "IPAGothic", "DejaVu Sans"}},
    {"DejaVu Serif Bold", 1, {"DejaVu Serif:bold", "DejaVu Sans:bold", "IPAGothic", "DejaVu Sans"}},
};
constexpr int FirstPictureFace = 2;
constexpr int AnyFontTries = 8;  // fonts of fontconfig's own choice tried at most

using FontPath = char[1024];

// The integer property of a pattern, or `otherwise`.
int property(FcPattern* pattern, const char* object, int otherwise) {
    int value = otherwise;
    return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : otherwise;
}

// The file of `name` (a fontconfig name such as "DejaVu Sans:bold") when
// fontconfig's best match really is that family, width and (when the name
// gives one) weight: a match always returns something, often an unrelated
// fallback or a sibling of the family.
bool matchFamily(const char* name, char* path, size_t capacity) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
    if (pattern == nullptr) return false;
    FcChar8* family = nullptr;
    FcChar8* wanted = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch) wanted = FcStrCopy(family);
    const int weight = property(pattern, FC_WEIGHT, -1);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    const int width = property(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
    FcResult result = FcResultNoMatch;
    FcPattern* match = wanted != nullptr ? FcFontMatch(nullptr, pattern, &result) : nullptr;
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        FcStrFree(wanted);
        return false;
    }

    bool found = false;
    FcChar8* matchedFamily = nullptr;
    for (int i = 0; !found && FcPatternGetString(match, FC_FAMILY, i, &matchedFamily) == FcResultMatch; ++i)
        found = FcStrCmpIgnoreCase(matchedFamily, wanted) == 0;
    found = found && property(match, FC_WIDTH, FC_WIDTH_NORMAL) == width &&
            (weight < 0 || property(match, FC_WEIGHT, -1) == weight);
    FcChar8* file = nullptr;
    if (found && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
        std::strlen(reinterpret_cast<const char*>(file)) < capacity) {
        std::strcpy(path, reinterpret_cast<const char*>(file));
    } else {
        found = false;
    }
    FcPatternDestroy(match);
    FcStrFree(wanted);
    return found;
}

// Up to `capacity` font files in the order fontconfig ranks them for
// `name`, whatever their family: what can be had when no family fits.
int anyFontFiles(const char* name, FontPath* files, int capacity) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
    if (pattern == nullptr) return 0;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* set = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
    int count = 0;
    for (int i = 0; set != nullptr && i < set->nfont && count < capacity; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) == FcResultMatch &&
            std::strlen(reinterpret_cast<const char*>(file)) < sizeof files[count])
            std::strcpy(files[count++], reinterpret_cast<const char*>(file));
    }
    if (set != nullptr) FcFontSetDestroy(set);
    return count;
}

// Whether the file opens as a font and renders text (a damaged file may
// open and draw nothing). The font library must be up.
bool rendersText(const char* file) {
    TTF_Font* font = TTF_OpenFont(file, 16);
    SDL_Surface* probe = font != nullptr ? TTF_RenderUTF8_Blended(font, "Ag", SDL_Color{255, 255, 255, 255}) : nullptr;
    const bool usable = probe != nullptr && probe->w > 0 && probe->h > 0;
    SDL_FreeSurface(probe);
    if (font != nullptr) TTF_CloseFont(font);
    return usable;
}

// What a lookup passed over. Without one, each damaged file is said on
// standard error as it is met.
struct LookupNotes {
    std::string damaged;  // "file, file"
    void tellDamaged(const char* file) {
        if (damaged.find(file) != std::string::npos) return;
        if (!damaged.empty()) damaged += ", ";
        damaged += file;
    }
};

// The first of `files` that renders text, into `path`.
bool firstUsable(const char* const* files, int count, char* path, size_t capacity, LookupNotes* notes) {
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
        found = rendersText(file);
        if (found)
            std::strcpy(path, file);
        else if (notes != nullptr)
            notes->tellDamaged(file);
        else
            std::fprintf(stderr, "text: the font file %s is damaged; another face is used\n", file);
    }
    if (!wasUp) TTF_Quit();
    return found;
}

// The face's file: its own families, then its stand-ins, then any font.
// `own` tells whether one of its own families was found.
bool lookUpFace(int face, char* path, size_t capacity, bool& own, LookupNotes* notes) {
    const FaceRule& rule = faceRules[face];
    FontPath found[Listed];
    const char* files[Listed];
    for (int pass = 0; pass < 2; ++pass) {
        const int first = pass == 0 ? 0 : rule.own, last = pass == 0 ? rule.own : Listed;
        int count = 0;
        for (int i = first; i < last; ++i)
            if (rule.families[i] != nullptr && matchFamily(rule.families[i], found[count], sizeof found[count])) {
                files[count] = found[count];
                ++count;
            }
        own = pass == 0;
        if (firstUsable(files, count, path, capacity, notes)) return true;
    }
    own = false;
    FontPath any[AnyFontTries];
    const char* anyFiles[AnyFontTries];
    const int count = anyFontFiles(rule.families[0], any, AnyFontTries);
    for (int i = 0; i < count; ++i) anyFiles[i] = any[i];
    return firstUsable(anyFiles, count, path, capacity, notes);
}

// Every face's file, looked up once (under fontLibraryLock).
struct LookedUpFonts {
    bool done = false;
    bool found[FaceCount] = {};
    FontPath files[FaceCount] = {};
};
LookedUpFonts lookedUp;

void lookUpFontsLocked() {
    if (lookedUp.done) return;
    lookedUp.done = true;
    LookupNotes notes;
    std::string missing, standIns;
    bool noneFound = false;
    for (int face = 0; face < FaceCount; ++face) {
        bool own = false;
        lookedUp.found[face] = lookUpFace(face, lookedUp.files[face], sizeof lookedUp.files[face], own, &notes);
        if (own) continue;
        if (!missing.empty()) missing += ", ";
        missing += faceRules[face].name;
        if (!lookedUp.found[face]) {
            noneFound = true;
        } else if (standIns.find(lookedUp.files[face]) == std::string::npos) {
            if (!standIns.empty()) standIns += ", ";
            standIns += lookedUp.files[face];
        }
    }
    if (missing.empty() && notes.damaged.empty()) return;
    std::string line = "text: ";
    if (missing.empty()) {
        line += "damaged font files passed over: " + notes.damaged;
    } else {
        line += "fonts missing or damaged: " + missing;
        if (!notes.damaged.empty()) line += " (damaged: " + notes.damaged + ")";
        if (!standIns.empty()) line += "; their texts are drawn with " + standIns;
        if (noneFound) line += standIns.empty() ? "; no font can be had, texts are not drawn"
                                                : "; where no font can be had, texts are not drawn";
    }
    std::fprintf(stderr, "%s\n", line.c_str());
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
    bool own = false;
    return lookUpFace(face, path, capacity, own, nullptr);
}

bool firstUsableFontFile(const char* const* files, int count, char* path, size_t capacity) {
    return firstUsable(files, count, path, capacity, nullptr);
}

void lookUpFonts() {
    const std::lock_guard<std::mutex> lock(fontLibraryLock());
    lookUpFontsLocked();
}

const char* lookedUpFontFile(int face) {
    if (face < 0 || face >= FaceCount) return nullptr;
    lookUpFontsLocked();
    return lookedUp.found[face] ? lookedUp.files[face] : nullptr;
}

namespace {
// The ink of a rendered line, cropped to the glyphs.
TextInk cropInk(SDL_Surface* surface) {
    TextInk ink;
    if (surface == nullptr || SDL_LockSurface(surface) != 0) return ink;
    const int w = surface->w, h = surface->h;
    auto alphaAt = [&](int x, int y) {
        const uint8_t* row = static_cast<const uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        uint32_t pixel;
        std::memcpy(&pixel, row + static_cast<size_t>(x) * 4, 4);
        return static_cast<uint8_t>((pixel & surface->format->Amask) >> surface->format->Ashift);
    };
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (alphaAt(x, y) > 0) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 >= x0) {
        ink.w = x1 - x0 + 1;
        ink.h = y1 - y0 + 1;
        ink.a.resize(static_cast<size_t>(ink.w) * ink.h);
        for (int y = 0; y < ink.h; ++y)
            for (int x = 0; x < ink.w; ++x) ink.a[static_cast<size_t>(y) * ink.w + x] = alphaAt(x + x0, y + y0);
    }
    SDL_UnlockSurface(surface);
    return ink;
}

// The pictures' faces (under fontLibraryLock). Each is opened on first need
// and kept until closePictureFonts. The files are mapped whole: the font
// library reads a file in many small pieces, which costs far more than
// reading from memory.
constexpr int PictureFaceCount = FaceCount - FirstPictureFace;
struct PictureFonts {
    bool up = false, failed = false;
    bool tried[PictureFaceCount] = {};
    struct Mapped {
        void* data = nullptr;
        size_t size = 0;
    } files[PictureFaceCount];
    TTF_Font* fonts[PictureFaceCount] = {};
};
PictureFonts pictureFonts;

TTF_Font* pictureFont(int f) {
    if (!pictureFonts.tried[f]) {
        pictureFonts.tried[f] = true;
        const char* path = lookedUpFontFile(FirstPictureFace + f);
        const int fd = path != nullptr ? open(path, O_RDONLY | O_CLOEXEC) : -1;
        struct stat st;
        if (fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 && st.st_size < INT32_MAX) {
            const size_t size = static_cast<size_t>(st.st_size);
            void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (data != MAP_FAILED) {
                pictureFonts.files[f] = {data, size};
                SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
                if (stream != nullptr) pictureFonts.fonts[f] = TTF_OpenFontRW(stream, 1, 24);
            }
        }
        if (fd >= 0) close(fd);
    }
    return pictureFonts.fonts[f];
}
}  // namespace

TextInk renderPictureText(PictureFace face, int size, int maxW, int maxH, const char* text) {
    const int f = static_cast<int>(face);
    if (f < 0 || f >= PictureFaceCount || text == nullptr || text[0] == '\0') return {};
    const std::lock_guard<std::mutex> lock(fontLibraryLock());
    if (!pictureFonts.up) {
        if (pictureFonts.failed) return {};
        if (TTF_Init() != 0) {
            pictureFonts.failed = true;
            return {};
        }
        pictureFonts.up = true;
    }
    TTF_Font* font = pictureFont(f);
    if (font == nullptr) font = pictureFont(0);
    if (font == nullptr) return {};
    const SDL_Color white{255, 255, 255, 255};
    for (int points = size; points >= 6; --points) {
        if (TTF_SetFontSize(font, points) != 0) break;
        SDL_Surface* surface = TTF_RenderUTF8_Blended(font, text, white);
        TextInk ink = cropInk(surface);
        SDL_FreeSurface(surface);
        if ((ink.w <= maxW && ink.h <= maxH) || points == 6) return ink;
    }
    return {};
}

void closePictureFonts() {
    const std::lock_guard<std::mutex> lock(fontLibraryLock());
    if (!pictureFonts.up) return;
    for (TTF_Font*& font : pictureFonts.fonts) {
        if (font != nullptr) TTF_CloseFont(font);
        font = nullptr;
    }
    for (PictureFonts::Mapped& file : pictureFonts.files) {
        if (file.data != nullptr) munmap(file.data, file.size);
        file = {};
    }
    TTF_Quit();
    pictureFonts = PictureFonts{};
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
