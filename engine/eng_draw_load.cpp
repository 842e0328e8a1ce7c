// engDraw: filling image slots from Windows bitmaps, read from a file under
// the program's directory or from a built-in resource of the same name.
//
// SDL decodes the bitmap; its headers are checked here first, so that a
// damaged or hostile file is refused before anything is allocated for it.
#include <SDL2/SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "platform/resources.h"
#include "platform/window.h"

namespace {

// Compression values of the bitmap header.
constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3;
constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;   // the old header with 16-bit sizes
constexpr size_t InfoHeaderSize = 40;
constexpr size_t LargestInfoHeader = 124;

// Largest file worth reading: the biggest surface at 32 bits with headers.
constexpr long MaxBitmapFileSize =
    static_cast<long>(plat::MaxSurfaceSide) * plat::MaxSurfaceSide * 4 + 64 * 1024;

uint16_t readLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t readLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// True when the headers describe a bitmap whose every part lies inside the
// `size` bytes and whose picture a surface can hold.
bool bitmapHeadersSound(const uint8_t* data, size_t size) {
    if (data == nullptr || size < FileHeaderSize + 4) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t pixelOffset = readLe32(data + 10);
    const uint32_t headerSize = readLe32(data + 14);
    if (headerSize != CoreHeaderSize && (headerSize < InfoHeaderSize || headerSize > LargestInfoHeader)) return false;
    if (FileHeaderSize + headerSize > size) return false;

    const uint8_t* h = data + FileHeaderSize;
    int64_t width, height;
    uint32_t bitCount, compression = BiRgb, colorsUsed = 0;
    if (headerSize == CoreHeaderSize) {
        width = readLe16(h + 4);
        height = readLe16(h + 6);
        bitCount = readLe16(h + 10);
    } else {
        width = static_cast<int32_t>(readLe32(h + 4));
        height = static_cast<int32_t>(readLe32(h + 8));
        bitCount = readLe16(h + 14);
        compression = readLe32(h + 16);
        colorsUsed = readLe32(h + 32);
    }
    if (height < 0) height = -height;  // stored top row first
    if (width <= 0 || height <= 0 || width > plat::MaxSurfaceSide || height > plat::MaxSurfaceSide) return false;

    switch (bitCount) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return false;
    }
    switch (compression) {
        case BiRgb: break;
        case BiRle8: if (bitCount != 8) return false; break;
        case BiRle4: if (bitCount != 4) return false; break;
        case BiBitfields:
            if (bitCount != 16 && bitCount != 32) return false;
            // The three channel masks follow the 40-byte header.
            if (FileHeaderSize + InfoHeaderSize + 12 > size) return false;
            break;
        default: return false;
    }

    size_t paletteEnd = FileHeaderSize + headerSize;
    if (bitCount <= 8) {
        const uint32_t fullPalette = 1u << bitCount;
        if (colorsUsed == 0) colorsUsed = fullPalette;
        if (colorsUsed > fullPalette) return false;
        paletteEnd += static_cast<size_t>(colorsUsed) * (headerSize == CoreHeaderSize ? 3 : 4);
        if (paletteEnd > size) return false;
    }
    if (pixelOffset < FileHeaderSize + headerSize || pixelOffset >= size) return false;

    if (compression == BiRgb || compression == BiBitfields) {
        const uint64_t rowBytes = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
        if (rowBytes * static_cast<uint64_t>(height) > size - pixelOffset) return false;
    }
    return true;
}

// Decodes a bitmap held in memory into a 32-bit ARGB picture, or nullptr.
SDL_Surface* decodeBitmap(const uint8_t* data, size_t size) {
    if (!bitmapHeadersSound(data, size) || size > static_cast<size_t>(INT32_MAX)) return nullptr;
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (stream == nullptr) return nullptr;
    SDL_Surface* decoded = SDL_LoadBMP_RW(stream, 1);
    if (decoded == nullptr) return nullptr;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    return converted;
}

// A new surface holding the picture of the bitmap bytes, or nullptr.
plat::Surface* surfaceFromBitmap(const uint8_t* data, size_t size, int& width, int& height) {
    SDL_Surface* bitmap = decodeBitmap(data, size);
    if (bitmap == nullptr) return nullptr;
    plat::Surface* surface = plat::createSurface(bitmap->w, bitmap->h);
    if (surface != nullptr) {
        width = bitmap->w;
        height = bitmap->h;
        engDraw::CopyBitmap(surface, bitmap, 0, 0, 0, 0);
    }
    SDL_FreeSurface(bitmap);
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

constexpr const char* LoadWhere = "engDraw::LoadObject";
constexpr const char* SwapWhere = "engDraw::SwapObject";

// The file under the program's directory, then a resource of the same name,
// into the named slot; `key` is the colour key given when it was loaded.
int fillSlot(const char* where, int slotIndex, int32_t key) {
    ImageSlot& slot = imageSlots[slotIndex];
    const char* name = slot.name;
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
    char path[512];
    const int length = std::snprintf(path, sizeof path, "%s%s", engSystem::GetAppDir(), name);
    return length > 0 && static_cast<size_t>(length) < sizeof path && plat::fileSize(path) < 0 &&
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

int CopyBitmap(plat::Surface* surface, SDL_Surface* bitmap, int sourceX, int sourceY, int width, int height) {
    if (surface == nullptr || bitmap == nullptr || bitmap->format->format != SDL_PIXELFORMAT_ARGB8888)
        return static_cast<int>(plat::Result::NoSurface);
    plat::restoreSurface(surface);
    if (width == 0) width = bitmap->w;
    if (height == 0) height = bitmap->h;
    if (sourceX < 0 || sourceY < 0 || width <= 0 || height <= 0 || sourceX > bitmap->w - width ||
        sourceY > bitmap->h - height)
        return static_cast<int>(plat::Result::InvalidRect);

    // Stretched onto the whole surface (a plain copy when the sizes agree);
    // the unused top byte is cleared.
    const auto* base = static_cast<const uint8_t*>(bitmap->pixels);
    for (int y = 0; y < surface->height; ++y) {
        const int sy = sourceY + static_cast<int>(static_cast<int64_t>(y) * height / surface->height);
        const auto* row = reinterpret_cast<const uint32_t*>(base + static_cast<size_t>(sy) * bitmap->pitch);
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
