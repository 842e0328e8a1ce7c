// engDraw: the small text service. A line of text is drawn by SelectFont,
// SetTextColor, PutText and ReleaseFont, onto the back surface, between a
// frame's blits and its present.
#include "engine/eng_draw.h"

#include "platform/text.h"

namespace {

// The font description filled by SelectFont.
struct FontRequest {
    int height;
    int width;
    int escapement;  // tenths of a degree
    int weight;      // 700 bold, 400 normal, 0 the face's own
    int italic;
    int underline;
    int charSet;
    int face;        // 0 "標準明朝", 1 "標準ゴシック"
};
constexpr int ShiftJisCharSet = 128;

FontRequest fontRequestStorage;
// Null until InitFonts and again after FreeFontMemory.
FontRequest* fontRequest = nullptr;

plat::Font* currentFont = nullptr;
plat::Surface* textSurface = nullptr;  // the back surface while a font is selected
int32_t textColor = 0x00FFFFFF;
int32_t backgroundColor = 0;
bool transparentBackground = false;

}  // namespace

namespace engDraw {

void InitFonts() {
    fontRequestStorage = FontRequest{};
    fontRequest = &fontRequestStorage;
    plat::lookUpFonts();  // says at start-up what is missing, not at the ending
}

void SelectFont(int face, int height, int angle, int bold, int italic, int underline) {
    if (fontRequest == nullptr) return;
    ReleaseFont();  // a font still selected is let go, not leaked
    FontRequest& f = *fontRequest;
    f.height = height;
    f.width = 0;
    f.escapement = angle * 10;
    f.weight = bold == 1 ? 700 : (bold == 0 ? 400 : 0);
    f.italic = italic;
    f.underline = underline;
    f.charSet = ShiftJisCharSet;
    if (face == 0 || face == 1) f.face = face;
    currentFont = plat::createFont(f.face, f.height, f.escapement / 10, f.weight, f.italic != 0, f.underline != 0);
    textSurface = currentFont != nullptr ? backSurface : nullptr;
}

void SetTextColor(int32_t newTextColor, int32_t newBackgroundColor, int transparent) {
    textColor = newTextColor;
    backgroundColor = newBackgroundColor;
    transparentBackground = transparent != 0;
}

int PutText(int x, int y, const char* text) {
    if (textSurface == nullptr || currentFont == nullptr || text == nullptr) return 0;
    return plat::drawText(textSurface, currentFont, x, y, text,
                          plat::pixelFromColorRef(static_cast<uint32_t>(textColor) & 0x00FFFFFFu),
                          plat::pixelFromColorRef(static_cast<uint32_t>(backgroundColor) & 0x00FFFFFFu),
                          !transparentBackground)
               ? 1
               : 0;
}

void ReleaseFont() {
    plat::destroyFont(currentFont);
    currentFont = nullptr;
    textSurface = nullptr;
}

void FreeFontMemory() {
    ReleaseFont();
    fontRequest = nullptr;
}

}  // namespace engDraw
