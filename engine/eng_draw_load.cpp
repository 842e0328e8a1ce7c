// engDraw: filling image slots from Windows bitmaps, read from a file under
// the program's directory or from a built-in resource of the same name.
//
// The platform decodes the bitmap (plat::decodeBitmap), checking its headers
// first, so that a damaged or hostile file is refused before anything is
// allocated for it.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "platform/bitmap.h"
#include "platform/resources.h"
#include "platform/window.h"

namespace {

// The largest picture the game draws; larger ones are refused.
plat::PictureLimit pictureLimit;

// A new surface holding the picture of the bitmap bytes, or nullptr and why.
plat::BitmapResult surfaceFromBitmap(const uint8_t* data, size_t size, plat::Surface*& surface, int& width,
                                     int& height) {
    const plat::BitmapResult result = plat::decodeBitmap(data, size, pictureLimit, surface);
    if (result == plat::BitmapResult::Ok) {
        width = surface->width;
        height = surface->height;
    }
    return result;
}

// The picture of the bitmap file at `path`, read from the one descriptor it
// is opened with. `opened` tells whether there is such a file at all (and
// why it could not be opened); one that is there but refused says why. A
// file too large for any picture within the limit is not read.
plat::BitmapResult surfaceFromFile(const char* path, plat::Surface*& surface, int& width, int& height,
                                   plat::FileOpenResult& opened) {
    surface = nullptr;
    plat::OpenedFile file;
    opened = plat::openFile(path, file);
    if (opened != plat::FileOpenResult::Opened) return plat::BitmapResult::Damaged;
    plat::BitmapResult result = plat::BitmapResult::Damaged;
    if (file.size > plat::largestBitmapFile(pictureLimit)) {
        result = plat::BitmapResult::TooLarge;
    } else if (file.size > 0) {
        std::vector<uint8_t> bytes(static_cast<size_t>(file.size));
        if (plat::readOpened(file, 0, bytes.data(), bytes.size()))
            result = surfaceFromBitmap(bytes.data(), bytes.size(), surface, width, height);
    }
    plat::closeFile(file);
    return result;
}

constexpr const char* LoadWhere = "engDraw::LoadObject";
constexpr const char* SwapWhere = "engDraw::SwapObject";

// The file under the program's directory, then a resource of the same name,
// into the named slot; `key` is the colour key given when it was loaded.
int fillSlot(const char* where, int slotIndex, int32_t key) {
    ImageSlot& slot = imageSlots[slotIndex];
    const char* name = slot.name;
    int width = 0, height = 0;
    char path[engSystem::FilePathSize];
    const bool pathFits = engSystem::AppFilePath(path, name);
    plat::Surface* surface = nullptr;
    plat::FileOpenResult opened = plat::FileOpenResult::Absent;
    plat::BitmapResult refused = plat::BitmapResult::Ok;
    if (pathFits) {
        refused = surfaceFromFile(path, surface, width, height, opened);
        if (opened == plat::FileOpenResult::Absent) refused = plat::BitmapResult::Ok;
    }
    if (surface == nullptr) {
        const uint8_t* data = nullptr;
        size_t size = 0;
        // A built-in picture that finds no memory for itself ends the
        // program (with one line, in main) rather than leave it running
        // with holes and a box for every picture.
        if (plat::findResource(name, &data, &size) &&
            surfaceFromBitmap(data, size, surface, width, height) == plat::BitmapResult::NoMemory)
            throw std::bad_alloc();
    }
    if (!pathFits) engSystem::ReportRefusedFile(path, engSystem::PathTooLong, surface != nullptr);
    if (refused != plat::BitmapResult::Ok)
        engSystem::ReportRefusedFile(path,
                                     opened == plat::FileOpenResult::Opened ? plat::bitmapResultText(refused)
                                                                            : plat::fileOpenResultText(opened),
                                     surface != nullptr);
    if (surface == nullptr) return engSystem::ReportError(where, "BMPファイルを読み込めません", 0);

    // The key is matched once the picture is in place, so that -1 takes the
    // top-left pixel of the image on either path.
    slot.surface = surface;
    slot.width = static_cast<uint16_t>(width);
    slot.height = static_cast<uint16_t>(height);
    slot.colorKey = key;
    engDraw::SetColorKey(surface, key);
    return 1;
}

// A picture that only the resource provider has, and that it is still
// making or has not been asked for, can wait: the slot is taken now (name,
// key) and filled on its first use or while the program waits for a frame.
// A file beside the program is read at once, as it always was.
bool canWait(const char* name) {
    if (plat::resourceState(name) == plat::ResourceState::Absent) return false;
    char path[engSystem::FilePathSize];
    return engSystem::AppFilePath(path, name) && !plat::pathExists(path) &&
           plat::resourceState(path) == plat::ResourceState::Absent;
}

// Steps shared by LoadObject and SwapObject once the slot is chosen.
int loadIntoSlot(const char* where, const char* name, int slotIndex) {
    ImageSlot& slot = imageSlots[slotIndex];
    std::strncpy(slot.name, name, SlotNameLength);
    slot.name[SlotNameLength] = '\0';
    slot.kind = 0;
    slot.memoryKind = 2;
    slot.waiting = 0;
    if (canWait(name)) {
        slot.colorKey = keyColor;
        slot.waiting = where == SwapWhere ? SlotWaitingSwap : SlotWaitingLoad;
        plat::setIdleWork(engDraw::FillReadySlot);
        return 1;
    }
    return fillSlot(where, slotIndex, keyColor);
}

// Where the idle fill looks next, and how many waiting slots it asks about
// in one piece (asking is cheap, but there are hundreds).
int nextWaitingSlot = FirstLoadSlot;
constexpr int SlotsAskedPerPiece = 16;

}  // namespace

namespace engDraw {

int LoadObject(const char* name, int memoryKind) {
    (void)memoryKind;  // every surface is ordinary memory here
    if (name == nullptr) name = "";
    if (std::strlen(name) > SlotNameLength)
        return engSystem::ReportError(LoadWhere, "ファイル名またはリソース名が長すぎます", 0);
    int slot = FirstLoadSlot;
    while (slot < ImageSlotCount && imageSlots[slot].name[0] != '\0') ++slot;
    if (slot == ImageSlotCount) return engSystem::ReportError(LoadWhere, "オブジェクト数が多過ぎます", 0);
    return loadIntoSlot(LoadWhere, name, slot) ? slot : 0;
}

int SwapObject(const char* name, int slot, int memoryKind) {
    (void)memoryKind;
    if (name == nullptr) name = "";
    if (std::strlen(name) > SlotNameLength)
        return engSystem::ReportError(SwapWhere, "ファイル名またはリソース名が長すぎます", 0);
    if (slot < 0 || slot >= ImageSlotCount) return 0;
    plat::destroySurface(imageSlots[slot].surface);
    imageSlots[slot].surface = nullptr;
    return loadIntoSlot(SwapWhere, name, slot);
}

bool FillSlot(int slot) {
    if (slot < 0 || slot >= ImageSlotCount || imageSlots[slot].waiting == 0) return true;
    ImageSlot& s = imageSlots[slot];
    const char* where = s.waiting == SlotWaitingSwap ? SwapWhere : LoadWhere;
    s.waiting = 0;
    return fillSlot(where, slot, s.colorKey) != 0;
}

bool FillReadySlot() {
    int asked = 0;
    for (int i = 0; i < ImageSlotCount - FirstLoadSlot && asked < SlotsAskedPerPiece; ++i) {
        const int slot = nextWaitingSlot;
        nextWaitingSlot = slot + 1 < ImageSlotCount ? slot + 1 : FirstLoadSlot;
        if (imageSlots[slot].waiting == 0) continue;
        ++asked;
        if (plat::resourceState(imageSlots[slot].name) != plat::ResourceState::Ready) continue;
        FillSlot(slot);
        // Index its opaque runs too, now rather than in the frame that
        // first draws it.
        if (plat::Surface* surface = imageSlots[slot].surface) plat::prepareKeyedCopy(surface);
        return true;
    }
    if (WaitingSlotCount() == 0) plat::setIdleWork(nullptr);
    return false;
}

int WaitingSlotCount() {
    int count = 0;
    for (const ImageSlot& slot : imageSlots) count += slot.waiting != 0 ? 1 : 0;
    return count;
}

void SetPictureLimit(int width, int height) {
    pictureLimit.width = width > 0 && width < plat::MaxSurfaceSide ? width : plat::MaxSurfaceSide;
    pictureLimit.height = height > 0 && height < plat::MaxSurfaceSide ? height : plat::MaxSurfaceSide;
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
