// Placeholder: the headless screen and text.
#include "platform/surface.h"

namespace plat {
Result presentFrame(Surface*, const Surface*, const Rect&, bool) { return Result::Ok; }
Font* createFont(int, int, int, int, bool, bool) { return nullptr; }
void destroyFont(Font*) {}
bool drawText(Surface*, Font*, int, int, const char*, uint32_t, uint32_t, bool) { return false; }
}  // namespace plat
