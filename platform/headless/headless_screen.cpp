// Placeholder: the headless screen and text.
#include "platform/headless/headless.h"

namespace plat {
namespace headless {
int presentCount() { return 0; }
bool lastPresentWaitedVBlank() { return false; }
}  // namespace headless
Result presentFrame(Surface*, const Surface*, const Rect&, bool) { return Result::Ok; }
Font* createFont(int, int, int, int, bool, bool) { return nullptr; }
void destroyFont(Font*) {}
bool drawText(Surface*, Font*, int, int, const char*, uint32_t, uint32_t, bool) { return false; }
}  // namespace plat
