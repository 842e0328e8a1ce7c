// Test pictures that tell what landed where: every pixel of a coded image
// holds the image's tag and its own source position, so a pixel of the back
// surface says which image and which of its pixels was drawn there.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/variant.h"
#include "platform/surface.h"

namespace testsupport {

// Tag 1..31, y 0..511 and x 0..1023 in the 24 bits the colour key compares;
// never black, so never the key.
constexpr uint32_t codedPixel(int tag, int x, int y) {
    return (static_cast<uint32_t>(tag) << 19) | (static_cast<uint32_t>(y) << 10) | static_cast<uint32_t>(x);
}
constexpr int codedTag(uint32_t pixel) { return static_cast<int>(pixel >> 19); }

// A back surface of this build's size for one test, and coded images in
// the spare image slots 400 + tag. restoreDrawing() puts back what was there.
class CodedDrawing {
protected:
    static constexpr int FirstCodedSlot = 400;

    // Swaps in a fresh, black back surface clipped to the given rectangle.
    void useScratchBack(int clipLeft, int clipTop, int clipRight, int clipBottom) {
        savedBack = backSurface;
        savedClip = clipRect;
        backSurface = plat::createSurface(variant::screenWidth, variant::screenHeight);
        engDraw::SetClip(clipLeft, clipTop, clipRight, clipBottom);
    }
    // A keyed image of width x height coded with `tag`, put in slot 400 + tag
    // and named by `global` until the drawing is restored.
    void makeImage(int32_t& global, int tag, int width, int height) {
        EXPECT_TRUE(tag >= 1 && tag < 32 && width <= 1024 && height <= 512);
        plat::Surface* surface = plat::createSurface(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) surface->pixels[y * width + x] = codedPixel(tag, x, y);
        }
        plat::setColorKey(surface, 0);
        const int slot = FirstCodedSlot + tag;
        plat::destroySurface(imageSlots[slot].surface);
        imageSlots[slot].surface = surface;
        madeImages.push_back(MadeImage{&global, global, slot});
        global = slot;
    }
    void restoreDrawing() {
        for (auto made = madeImages.rbegin(); made != madeImages.rend(); ++made) {
            plat::destroySurface(imageSlots[made->slot].surface);
            imageSlots[made->slot].surface = nullptr;
            *made->global = made->savedValue;
        }
        madeImages.clear();
        if (savedBack != nullptr) {
            plat::destroySurface(backSurface);
            backSurface = savedBack;
            clipRect = savedClip;
            savedBack = nullptr;
        }
    }

    // What the back surface holds at a full-screen position (0 off the surface).
    static uint32_t backAt(int fullScreenX, int y) {
        const int x = screenX(fullScreenX);
        if (x < 0 || x >= backSurface->width || y < 0 || y >= backSurface->height) return 0;
        return backSurface->pixels[static_cast<size_t>(y) * backSurface->width + x];
    }
    static void clearBack() {
        plat::fillRect(backSurface, plat::Rect{0, 0, backSurface->width, backSurface->height}, 0);
    }
    // The pixel that source position (x, y) of a coded image puts on the screen.
    static uint32_t drawn(const int32_t& image, int x, int y) { return codedPixel(image - FirstCodedSlot, x, y); }

private:
    struct MadeImage {
        int32_t* global;
        int32_t savedValue;
        int slot;
    };
    std::vector<MadeImage> madeImages;
    plat::Surface* savedBack = nullptr;
    ClipRect savedClip{};
};

}  // namespace testsupport
