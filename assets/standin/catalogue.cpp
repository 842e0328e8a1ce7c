#include "assets/standin/catalogue.h"

#include <cstring>

#include "assets/standin/formats.h"

namespace standin {

// Every image of the game's image list, at its size and with its painter, in
// load order (a file loaded twice is made once), then the sounds and songs.
const StandinEntry standinEntries[] = {
#define IMAGE(global, file, slot, width, height, paint, kind, a, b) {file, width, height, paint, {kind, a, b}, nullptr},
#define IMAGE_AGAIN(global, file, slot)
#include "assets/image_list.inc"
#undef IMAGE_AGAIN
#undef IMAGE
    // Sounds and songs
    {"SOUND/SHOT.WAV", 0, 0, nullptr, {}, makeShotSound},
    {"SOUND/BOM.WAV", 0, 0, nullptr, {}, makeBlastSound},
    {"MIDI/QTX1.MID", 0, 0, nullptr, {}, makeStageSong},
    {"MIDI/QTX4.MID", 0, 0, nullptr, {}, makeEndingSong},
};
const int standinEntryCount = static_cast<int>(sizeof standinEntries / sizeof standinEntries[0]);

Rgb paletteCore(int palette) {
    static const Rgb cores[] = {rgb(255, 220, 200), rgb(255, 240, 190), rgb(255, 255, 210), rgb(220, 255, 210),
                                rgb(210, 255, 255), rgb(215, 230, 255), rgb(240, 215, 255), rgb(255, 210, 245),
                                rgb(255, 255, 255), rgb(255, 225, 240)};
    return cores[palette >= 0 && palette <= PalPink ? palette : 0];
}

Rgb paletteGlow(int palette) {
    static const Rgb glows[] = {rgb(240, 40, 30),  rgb(255, 130, 20), rgb(250, 220, 40), rgb(60, 230, 70),
                                rgb(40, 210, 240), rgb(60, 110, 255), rgb(160, 70, 255), rgb(240, 50, 200),
                                rgb(200, 210, 230), rgb(255, 100, 170)};
    return glows[palette >= 0 && palette <= PalPink ? palette : 0];
}

int findStandinEntry(const char* name) {
    if (name == nullptr) return -1;
    for (int i = 0; i < standinEntryCount; ++i)
        if (std::strcmp(standinEntries[i].name, name) == 0) return i;
    return -1;
}

bool standinEntryUsesText(int index) {
    if (index < 0 || index >= standinEntryCount) return false;
    static const ImagePainter withText[] = {paintTitle,         paintShipSelect, paintContinue,  paintRanking,
                                            paintEndingBanner,  paintEndingPicture, paintMessage, paintDigits,
                                            paintPartsSheet,    paintPowerUp,    paintBossIntro};
    for (ImagePainter painter : withText)
        if (standinEntries[index].paint == painter) return true;
    return false;
}

void makeStandinEntry(int index, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (index < 0 || index >= standinEntryCount) return;
    const StandinEntry& entry = standinEntries[index];
    if (entry.make != nullptr) {
        entry.make(bytes);
        return;
    }
    Canvas canvas(entry.width, entry.height);
    entry.paint(canvas, entry.art);
    encodeBmp(canvas, bytes);
}

}  // namespace standin
