// Feeds arbitrary bytes to the bitmap loader as a built-in resource, then
// draws whatever was loaded. Nothing may crash or touch memory out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/eng_draw.h"
#include "platform/headless/headless.h"
#include "platform/resources.h"

namespace {

constexpr const char* InputName = "IMAGE/FUZZ.BMP";
const uint8_t* inputData = nullptr;
size_t inputSize = 0;

bool serveInput(const char* name, const uint8_t** data, size_t* size) {
    if (std::strcmp(name, InputName) != 0) return false;
    *data = inputData;
    *size = inputSize;
    return true;
}

bool setUp() {
    plat::headless::reset();
    plat::headless::setAppDirectory("/nonexistent/");  // never a file: always the resource
    engDraw::Screen(800, 600, 3);
    engDraw::SetClip(220, 0, 580, 600);
    plat::setResourceProvider(serveInput);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = setUp();
    (void)ready;
    inputData = data;
    inputSize = size;

    engDraw::SetKeyColor(size > 0 && (data[size - 1] & 1) ? -1 : 0);
    const int slot = engDraw::LoadObject(InputName, 1);
    if (slot != 0) {
        const ImageSlot& s = imageSlots[slot];
        engDraw::Blit(200, 10, slot, 0, 0, s.width, s.height);
        engDraw::BlitOpaque(400, -5, slot, 1, 1, s.width, s.height);
    }

    // Empty the table again so that it never fills up.
    for (int i = FirstLoadSlot; i < ImageSlotCount; ++i) engDraw::ClearSlot(imageSlots[i]);
    plat::headless::clearBoxes();
    return 0;
}
