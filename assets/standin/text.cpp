#include "assets/standin/text.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include "platform/resources.h"

#include <algorithm>
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

TextMask masks[TxtCount];
std::once_flag prepared;

void renderAll() {
    if (TTF_Init() != 0) return;
    // The font files are read whole first: the font library reads a file in
    // many small pieces, which costs far more than one read.
    std::vector<uint8_t> files[4];
    TTF_Font* fonts[4] = {};
    for (int f = 0; f < 4; ++f) {
        std::string path = findFontFile(static_cast<Face>(f));
        if (path.empty()) continue;
        long size = plat::fileSize(path.c_str());
        if (size <= 0) continue;
        files[f].resize(static_cast<size_t>(size));
        if (plat::readFile(path.c_str(), files[f].data(), files[f].size()) != size) continue;
        SDL_RWops* stream = SDL_RWFromConstMem(files[f].data(), static_cast<int>(files[f].size()));
        if (stream != nullptr) fonts[f] = TTF_OpenFontRW(stream, 1, 24);
    }
    const SDL_Color white{255, 255, 255, 255};
    for (int id = 0; id < TxtCount; ++id) {
        TextStyle style = textStyle(id);
        TTF_Font* font = fonts[static_cast<int>(style.face)];
        if (font == nullptr) font = fonts[0];
        if (font == nullptr || style.text[0] == '\0') continue;
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
    for (TTF_Font* font : fonts)
        if (font != nullptr) TTF_CloseFont(font);
    TTF_Quit();
}

}  // namespace

void prepareTexts() { std::call_once(prepared, renderAll); }

const TextMask& textMask(int id) {
    prepareTexts();
    static const TextMask none;
    return (id >= 0 && id < TxtCount) ? masks[id] : none;
}

}  // namespace standin
