// engDraw: filling image slots from Windows bitmaps, read from a file under
// the program's directory or from a built-in resource of the same name.
//
// The platform decodes the bitmap (plat::decodeBitmap), checking its headers
// first, so that a damaged or hostile file is refused before anything is
// allocated for it.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "platform/bitmap.h"
#include "platform/resources.h"

namespace {

// Largest file worth reading: the biggest surface at 32 bits with headers.
constexpr long MaxBitmapFileSize =
    static_cast<long>(plat::MaxSurfaceSide) * plat::MaxSurfaceSide * 4 + 64 * 1024;

// A new surface holding the picture of the bitmap bytes, or nullptr.
plat::Surface* surfaceFromBitmap(const uint8_t* data, size_t size, int& width, int& height) {
    plat::Surface* surface = nullptr;
    if (plat::decodeBitmap(data, size, plat::PictureLimit{}, surface) != plat::BitmapResult::Ok) return nullptr;
    width = surface->width;
    height = surface->height;
    return surface;
}

bool readWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    const long size = plat::fileSize(path);
    if (size <= 0 || size > MaxBitmapFileSize) return false;
    bytes.resize(static_cast<size_t>(size));
    const long got = plat::readFile(path, bytes.data(), bytes.size());
    if (got < 0) return false;
    bytes.resize(static_cast<size_t>(got));
    return true;
}

// Steps shared by LoadObject and SwapObject once the slot is chosen: the
// file under the program's directory, then a resource of the same name.
int loadIntoSlot(const char* where, const char* name, int slotIndex) {
    ImageSlot& slot = imageSlots[slotIndex];
    std::strncpy(slot.name, name, SlotNameLength);
    slot.name[SlotNameLength] = '\0';
    slot.kind = 0;
    slot.memoryKind = 2;

    int width = 0, height = 0;
    char path[512];
    const int length = std::snprintf(path, sizeof path, "%s%s", engSystem::GetAppDir(), name);
    plat::Surface* surface = nullptr;
    if (length > 0 && static_cast<size_t>(length) < sizeof path)
        surface = engDraw::LoadBitmap(path, width, height, slot.memoryKind);
    if (surface == nullptr) {
        const uint8_t* data = nullptr;
        size_t size = 0;
        if (plat::findResource(name, &data, &size)) surface = surfaceFromBitmap(data, size, width, height);
    }
    if (surface == nullptr) return engSystem::ReportError(where, "BMPファイルを読み込めません", 0);

    // The key is matched once the picture is in place, so that -1 takes the
    // top-left pixel of the image on either path.
    slot.surface = surface;
    slot.width = static_cast<uint16_t>(width);
    slot.height = static_cast<uint16_t>(height);
    slot.colorKey = keyColor;
    engDraw::SetColorKey(surface, keyColor);
    return 1;
}

}  // namespace

namespace engDraw {

int LoadObject(const char* name, int memoryKind) {
    (void)memoryKind;  // every surface is ordinary memory here
    if (name == nullptr) name = "";
    if (std::strlen(name) > SlotNameLength)
        return engSystem::ReportError("engDraw::LoadObject", "ファイル名またはリソース名が長すぎます", 0);
    int slot = FirstLoadSlot;
    while (slot < ImageSlotCount && imageSlots[slot].name[0] != '\0') ++slot;
    if (slot == ImageSlotCount) return engSystem::ReportError("engDraw::LoadObject", "オブジェクト数が多過ぎます", 0);
    return loadIntoSlot("engDraw::LoadObject", name, slot) ? slot : 0;
}

int SwapObject(const char* name, int slot, int memoryKind) {
    (void)memoryKind;
    if (name == nullptr) name = "";
    if (std::strlen(name) > SlotNameLength)
        return engSystem::ReportError("engDraw::SwapObject", "ファイル名またはリソース名が長すぎます", 0);
    if (slot < 0 || slot >= ImageSlotCount) return 0;
    plat::destroySurface(imageSlots[slot].surface);
    imageSlots[slot].surface = nullptr;
    return loadIntoSlot("engDraw::SwapObject", name, slot);
}

plat::Surface* LoadBitmap(const char* path, int& width, int& height, int memoryKind) {
    (void)memoryKind;
    if (path == nullptr) return nullptr;
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (plat::findResource(path, &data, &size)) {
        if (plat::Surface* s = surfaceFromBitmap(data, size, width, height)) return s;
    }
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) return nullptr;
    return surfaceFromBitmap(bytes.data(), bytes.size(), width, height);
}

int CopyBitmap(plat::Surface* surface, const plat::Surface* bitmap, int sourceX, int sourceY, int width,
               int height) {
    if (surface == nullptr || bitmap == nullptr) return static_cast<int>(plat::Result::NoSurface);
    plat::restoreSurface(surface);
    if (width == 0) width = bitmap->width;
    if (height == 0) height = bitmap->height;
    if (sourceX < 0 || sourceY < 0 || width <= 0 || height <= 0 || sourceX > bitmap->width - width ||
        sourceY > bitmap->height - height)
        return static_cast<int>(plat::Result::InvalidRect);

    // Stretched onto the whole surface (a plain copy when the sizes agree).
    for (int y = 0; y < surface->height; ++y) {
        const int sy = sourceY + static_cast<int>(static_cast<int64_t>(y) * height / surface->height);
        const uint32_t* row = bitmap->pixels + static_cast<size_t>(sy) * bitmap->width;
        uint32_t* out = surface->pixels + static_cast<size_t>(y) * surface->width;
        for (int x = 0; x < surface->width; ++x) {
            const int sx = sourceX + static_cast<int>(static_cast<int64_t>(x) * width / surface->width);
            out[x] = row[sx] & 0x00FFFFFFu;
        }
    }
    plat::surfacePixelsChanged(surface);
    return 0;
}

}  // namespace engDraw
