// Placeholder: engDraw.
#include "engine/eng_draw.h"

plat::Surface* primarySurface;
plat::Surface* backSurface;
int32_t screenWidth, screenHeight, colorDepth, hardwareFlag;
plat::Rect presentSrc, presentDest;
ImageSlot imageSlots[ImageSlotCount];
int32_t keyColor;
ClipRect clipRect;
ScreenTransition screenTransition;
int32_t transitionRunning, vsyncFlag;

namespace engDraw {
int Screen(int, int, int) { return 1; }
int GetDesktopDepth() { return 32; }
int ClearScreen() { return 0; }
int Restore() { return 0; }
void Release() {}
int LoadObject(const char*, int) { return 0; }
int SwapObject(const char*, int, int) { return 0; }
int32_t MatchColor(plat::Surface*, int32_t) { return 0; }
void SetColorKey(plat::Surface*, int32_t) {}
void SetKeyColor(int32_t) {}
void SetClip(int, int, int, int) {}
int Blit(int, int, int, int, int, int, int) { return 0; }
int BlitOpaque(int, int, int, int, int, int, int) { return 0; }
int GrabScreen(int, int, int, int, int) { return 0; }
int Present() { return 0; }
void SetVSync(int32_t) {}
void InitFonts() {}
void SelectFont(int, int, int, int, int, int) {}
void SetTextColor(int32_t, int32_t, int) {}
int PutText(int, int, const char*) { return 0; }
void ReleaseFont() {}
void FreeFontMemory() {}
}  // namespace engDraw
