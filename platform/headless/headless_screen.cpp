// The headless screen and text: presents are counted and the last picture
// is kept in the primary surface; text is a filled box of its size.
#include <cstring>

#include "platform/headless/headless.h"

namespace plat {

namespace {
int presents = 0;
bool lastWaitedVBlank = false;
bool keepFrames = true;
}  // namespace

namespace headless {
void resetScreen() {
    presents = 0;
    lastWaitedVBlank = false;
    keepFrames = true;
}
void setKeepPresentedFrames(bool keep) { keepFrames = keep; }
int presentCount() { return presents; }
bool lastPresentWaitedVBlank() { return lastWaitedVBlank; }
}  // namespace headless

Result presentFrame(Surface* primary, const Surface* back, const Rect& srcRect, bool waitVBlank) {
    ++presents;
    lastWaitedVBlank = waitVBlank;
    if (primary == nullptr || back == nullptr) return Result::NoSurface;
    if (primary->lost || back->lost) return Result::SurfaceLost;
    if (!keepFrames) return Result::Ok;
    return blit(primary, 0, 0, back, srcRect, false);
}

struct Font {
    int height;
};

Font* createFont(int, int height, int, int, bool, bool) {
    if (height <= 0) return nullptr;
    return new Font{height};
}

void destroyFont(Font* font) { delete font; }

bool drawText(Surface* dst, Font* font, int x, int y, const char* text, uint32_t, uint32_t background,
              bool opaque) {
    if (dst == nullptr || font == nullptr || text == nullptr) return false;
    if (dst->lost) return false;
    if (!opaque) return true;  // glyph shapes are not drawn here
    int characters = 0;
    for (const char* p = text; *p != '\0'; ++p)
        if ((static_cast<unsigned char>(*p) & 0xC0u) != 0x80u) ++characters;  // UTF-8 lead bytes
    const Rect box{x, y, x + characters * (font->height / 2), y + font->height};
    return fillRect(dst, box, background) == Result::Ok;
}

}  // namespace plat
