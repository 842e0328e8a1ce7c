#include "assets/standin/text.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/resources.h"
#include "platform/sdl/common/text_render.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>

namespace standin {

namespace {

struct TextStyle {
    Face face;
    int size;          // nominal size in pixels
    int maxW, maxH;    // the ink must fit this box; the size shrinks until it does
    const char* text;
};

// Texts indexed by TextId (digits are filled in by index).
TextStyle textStyle(int id) {
    switch (id) {
        case TxtTitleMirvane: return {Face::Sans, 64, 340, 70, "MIRVANE"};
        case TxtTitleDelta: return {Face::Sans, 48, 300, 52, "DELTA 4"};
        case TxtTitleEncore: return {Face::Serif, 40, 260, 44, "ENCORE"};
        case TxtPressEnter: return {Face::Sans, 22, 300, 24, "PRESS ENTER"};
        case TxtTitleFooter: return {Face::SansCondensed, 12, 330, 14, "ARROWS MOVE  -  SHIFT / CTRL / C V B N M FIRE"};
        case TxtContinue: return {Face::Sans, 30, 184, 34, "CONTINUE? Y"};
        case TxtContinueHint: return {Face::SansCondensed, 13, 184, 15, "PRESS Y TO FIGHT ON"};
        case TxtRanking: return {Face::Sans, 40, 320, 42, "RANKING"};
        case TxtRankingSub: return {Face::SansCondensed, 13, 320, 15, "TOP PILOTS OF THE DELTA SECTOR"};
        case TxtRankColumn: return {Face::SansCondensed, 14, 40, 16, "RANK"};
        case TxtScoreColumn: return {Face::SansCondensed, 14, 120, 16, "SCORE"};
        case TxtSelectShip: return {Face::Sans, 26, 330, 28, "SELECT YOUR SHIP"};
        case TxtSelectLeftKeys: return {Face::SansCondensed, 15, 150, 17, "F1 or LEFT"};
        case TxtSelectRightKeys: return {Face::SansCondensed, 15, 150, 17, "F2 or RIGHT"};
        case TxtSelectLeftType: return {Face::SansCondensed, 12, 150, 14, "TYPE-1  LASER"};
        case TxtSelectRightType: return {Face::SansCondensed, 12, 170, 14, "TYPE-2  OPTION PODS"};
        case TxtSelectKeyboard: return {Face::SansCondensed, 15, 150, 17, "K  KEYBOARD"};
        case TxtSelectMouse: return {Face::SansCondensed, 15, 150, 17, "M  MOUSE"};
        case TxtSelectControl: return {Face::SansCondensed, 12, 200, 14, "CONTROL"};
        case TxtControlTitle: return {Face::Sans, 26, 330, 28, "SELECT CONTROL"};
        case TxtGoodCongrats: return {Face::Serif, 34, 290, 38, "CONGRATULATIONS"};
        case TxtGoodCleared: return {Face::SansCondensed, 16, 280, 18, "ALL STAGES CLEARED"};
        case TxtEnd1Title: return {Face::Sans, 26, 330, 28, "MISSION COMPLETE"};
        case TxtEnd1Line: return {Face::SansCondensed, 14, 330, 16, "THE DELTA SECTOR IS SAFE AGAIN"};
        case TxtEnd2Thanks: return {Face::Serif, 24, 330, 28, "THANK YOU FOR PLAYING"};
        case TxtEnd2TheEnd: return {Face::Serif, 40, 300, 44, "THE END"};
        case TxtWarning: return {Face::Sans, 60, 340, 62, "WARNING"};
        case TxtWarningLine: return {Face::SansCondensed, 18, 340, 20, "A HUGE BATTLESHIP"};
        case TxtWarningLine2: return {Face::SansCondensed, 18, 340, 20, "IS APPROACHING FAST"};
        case TxtReady: return {Face::Sans, 30, 190, 32, "READY"};
        case TxtPowerP: return {Face::Sans, 34, 30, 30, "P"};
        default: break;
    }
    static const char* const digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    if (id >= TxtDigitsLarge && id < TxtDigitsLarge + 10) return {Face::Mono, 28, 17, 23, digits[id - TxtDigitsLarge]};
    if (id >= TxtDigitsMedium && id < TxtDigitsMedium + 10)
        return {Face::Mono, 22, 14, 18, digits[id - TxtDigitsMedium]};
    if (id >= TxtDigitsSmall && id < TxtDigitsSmall + 10) return {Face::Mono, 13, 7, 10, digits[id - TxtDigitsSmall]};
    return {Face::Sans, 10, 10, 10, ""};
}

bool fileExists(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// A font file for the face: a standard path first, then fontconfig's best
// match for the family.
std::string findFontFile(Face face) {
    static const char* const dejavu[] = {
        "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
    };
    static const char* const patterns[] = {"DejaVu Sans:bold", "DejaVu Sans Condensed:bold",
                                           "DejaVu Sans Mono:bold", "DejaVu Serif:bold"};
    int i = static_cast<int>(face);
    if (fileExists(dejavu[i])) return dejavu[i];

    std::string found;
    if (FcInit()) {
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(patterns[i]));
        if (pattern != nullptr) {
            FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
            FcDefaultSubstitute(pattern);
            FcResult result;
            FcPattern* match = FcFontMatch(nullptr, pattern, &result);
            if (match != nullptr) {
                FcChar8* file = nullptr;
                if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr)
                    found = reinterpret_cast<const char*>(file);
                FcPatternDestroy(match);
            }
            FcPatternDestroy(pattern);
        }
    }
    if (found.empty() && fileExists("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"))
        found = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
    return found;
}

// The ink of a rendered line, cropped to the glyphs.
TextMask cropInk(SDL_Surface* surface) {
    TextMask mask;
    if (surface == nullptr || SDL_LockSurface(surface) != 0) return mask;
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
        mask.w = x1 - x0 + 1;
        mask.h = y1 - y0 + 1;
        mask.a.resize(static_cast<size_t>(mask.w) * mask.h);
        for (int y = 0; y < mask.h; ++y)
            for (int x = 0; x < mask.w; ++x) mask.a[static_cast<size_t>(y) * mask.w + x] = alphaAt(x + x0, y + y0);
    }
    SDL_UnlockSurface(surface);
    return mask;
}

// The texts are rendered one by one, when a painter first asks for one
// (the title, made first, needs only a few), under the font library's lock:
// the engine's text service uses the library too, on its own thread. Each
// face is opened on first need, and all of them are closed again once
// every text is in.
struct TextRenderer {
    bool fontsUp = false, fontsFailed = false;
    bool faceTried[4] = {};
    // The font files are mapped whole: the font library reads a file in
    // many small pieces, which costs far more than reading from memory.
    struct Mapped {
        void* data = nullptr;
        size_t size = 0;
    } files[4];
    TTF_Font* fonts[4] = {};
    int rendered = 0;
};
TextRenderer renderer;  // guarded by plat::fontLibraryLock()
TextMask masks[TxtCount];
std::atomic<bool> maskReady[TxtCount];

TTF_Font* faceFont(int f) {
    if (!renderer.faceTried[f]) {
        renderer.faceTried[f] = true;
        const std::string path = findFontFile(static_cast<Face>(f));
        const long size = path.empty() ? -1 : plat::fileSize(path.c_str());
        const int fd = size > 0 && size < INT32_MAX ? open(path.c_str(), O_RDONLY | O_CLOEXEC) : -1;
        if (fd >= 0) {
            void* data = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE, fd, 0);
            close(fd);
            if (data != MAP_FAILED) {
                renderer.files[f] = {data, static_cast<size_t>(size)};
                SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
                if (stream != nullptr) renderer.fonts[f] = TTF_OpenFontRW(stream, 1, 24);
            }
        }
    }
    return renderer.fonts[f];
}

void renderText(int id) {
    if (!renderer.fontsUp) {
        if (renderer.fontsFailed) return;
        if (TTF_Init() != 0) {
            renderer.fontsFailed = true;
            return;
        }
        renderer.fontsUp = true;
    }
    const TextStyle style = textStyle(id);
    if (style.text[0] == '\0') return;
    TTF_Font* font = faceFont(static_cast<int>(style.face));
    if (font == nullptr) font = faceFont(0);
    if (font == nullptr) return;
    const SDL_Color white{255, 255, 255, 255};
    for (int size = style.size; size >= 6; --size) {
        if (TTF_SetFontSize(font, size) != 0) break;
        SDL_Surface* surface = TTF_RenderUTF8_Blended(font, style.text, white);
        TextMask mask = cropInk(surface);
        SDL_FreeSurface(surface);
        if ((mask.w <= style.maxW && mask.h <= style.maxH) || size == 6) {
            masks[id] = std::move(mask);
            break;
        }
    }
}

void closeFontsWhenAllRendered() {
    if (++renderer.rendered < TxtCount || !renderer.fontsUp) return;
    for (TTF_Font*& font : renderer.fonts) {
        if (font != nullptr) TTF_CloseFont(font);
        font = nullptr;
    }
    for (TextRenderer::Mapped& file : renderer.files) {
        if (file.data != nullptr) munmap(file.data, file.size);
        file = {};
    }
    TTF_Quit();
    renderer.fontsUp = false;
}

}  // namespace

const TextMask& textMask(int id) {
    static const TextMask none;
    if (id < 0 || id >= TxtCount) return none;
    if (!maskReady[id].load(std::memory_order_acquire)) {
        const std::lock_guard<std::mutex> lock(plat::fontLibraryLock());
        if (!maskReady[id].load(std::memory_order_relaxed)) {
            renderText(id);
            closeFontsWhenAllRendered();
            maskReady[id].store(true, std::memory_order_release);
        }
    }
    return masks[id];
}

}  // namespace standin
