// engDraw: bringing the screen up, clearing the back surface, restoring
// lost surfaces and releasing everything.
#include <cstring>

#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"

plat::Surface* primarySurface;
plat::Surface* backSurface;
int32_t screenWidth, screenHeight;
int32_t colorDepth;
int32_t hardwareFlag;
plat::Rect presentSrc;
plat::Rect presentDest;

namespace {

// Stands for the display device: set once the screen is up, cleared by
// Release. Only Release and the error box care whether it exists.
bool displayOpen = false;

struct InternalSlot {
    const char* name;
    const char* failure;  // error text when its surface cannot be made
};
// Slots 0..3: the transition tile source, the screen snapshot and two kept
// for text.
constexpr InternalSlot internalSlots[FirstLoadSlot] = {
    {"内部用１", "Bufferスプライトが生成できません"},
    {"内部用２", "Screenスプライトが生成できません"},
    {"内部用３", "Fontスプライトが生成できません"},
    {"内部用４", "Fontバッファスプライトが生成できません"},
};

int screenFailure(const char* what) { return engSystem::ReportError("engDraw::Screen", what, 0); }

}  // namespace

namespace engDraw {

void ClearSlot(ImageSlot& slot) {
    plat::destroySurface(slot.surface);
    slot.surface = nullptr;
    slot.name[0] = '\0';
    slot.kind = 0;
    slot.memoryKind = 2;
    slot.colorKey = 0;
    slot.width = 0;
    slot.height = 0;
    slot.waiting = 0;
}

int Screen(int width, int height, int type) {
    (void)type;  // memory placement: every surface is ordinary memory here

    // 1. A second start-up must not leak what the first one made.
    plat::destroySurface(primarySurface);
    plat::destroySurface(backSurface);
    primarySurface = nullptr;
    backSurface = nullptr;
    errorFlag = 0;
    screenWidth = width;
    screenHeight = height;
    SetClip(0, 0, width, height);

    // 2-3. The device and the cooperative level are always available.
    displayOpen = true;
    hardwareFlag = 0;

    // 4. The display mode is never switched: the desktop's depth is kept.
    colorDepth = GetDesktopDepth();

    // 5-6.
    primarySurface = plat::createSurface(width, height);
    if (primarySurface == nullptr) return screenFailure("表画面が生成できません");
    backSurface = plat::createSurface(width, height);
    if (backSurface == nullptr) return screenFailure("裏画面が生成できません");

    // 7. The window clips the picture itself: no clipper is needed.

    // 8. The internal screen-sized slots.
    for (int i = 0; i < FirstLoadSlot; ++i) {
        ImageSlot& slot = imageSlots[i];
        ClearSlot(slot);
        slot.surface = plat::createSurface(width, height);
        if (slot.surface == nullptr) return screenFailure(internalSlots[i].failure);
        SetColorKey(slot.surface, 0);
        std::strncpy(slot.name, internalSlots[i].name, SlotNameLength);
        slot.name[SlotNameLength] = '\0';
        slot.width = static_cast<uint16_t>(width);
        slot.height = static_cast<uint16_t>(height);
    }

    // 9. The pixel format is always 32-bit XRGB; the background blend that
    // would need mixing tables is never switched on.

    // 10.
    for (int i = FirstLoadSlot; i < ImageSlotCount; ++i) ClearSlot(imageSlots[i]);

    // 11.
    presentSrc = plat::Rect{0, 0, width, height};
    presentDest = plat::Rect{windowOriginX, windowOriginY, windowOriginX + width, windowOriginY + height};

    // 12. A sound failure does not fail the screen.
    engSound::Init();
    engSound::ResetSlots();
    engSound::InitMidi();
    engSystem::InitWaits();
    InitFonts();
    if (cursorClipMode) engSystem::ClipCursorToScreen();
    return 1;
}

int GetDesktopDepth() { return 32; }

int ClearScreen() {
    return static_cast<int>(plat::fillRect(backSurface, plat::Rect{0, 0, screenWidth, screenHeight}, 0));
}

int Restore() {
    plat::restoreSurface(primarySurface);
    if (backSurface != nullptr && backSurface->lost) plat::restoreSurface(backSurface);
    for (int i = 0; i < FirstLoadSlot; ++i) {
        plat::Surface* s = imageSlots[i].surface;
        if (s != nullptr && s->lost) plat::restoreSurface(s);
    }
    for (int i = FirstLoadSlot; i < ImageSlotCount; ++i) {
        ImageSlot& slot = imageSlots[i];
        if (slot.name[0] == '\0' || slot.surface == nullptr || !slot.surface->lost) continue;
        plat::restoreSurface(slot.surface);
        if (slot.name[0] == '*') continue;  // made empty: nothing to reload
        SetKeyColor(slot.colorKey);
        // SwapObject rewrites the slot's name from its argument: pass a copy.
        char name[SlotNameLength + 1];
        std::memcpy(name, slot.name, sizeof name);
        SwapObject(name, i, slot.memoryKind);
    }
    return 0;
}

void Release() {
    if (displayOpen) {
        for (ImageSlot& slot : imageSlots) ClearSlot(slot);
        plat::destroySurface(primarySurface);
        plat::destroySurface(backSurface);
        primarySurface = nullptr;
        backSurface = nullptr;
        displayOpen = false;
    }
    if (fullScreen) plat::minimizeWindow();
}

}  // namespace engDraw
