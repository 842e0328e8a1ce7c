#include "assets/asset_list.h"

#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "engine/variant.h"

#define IMAGE(global, file, slot, width, height, paint, kind, a, b) int32_t global;
#define IMAGE_AGAIN(global, file, slot) int32_t global;
#include "assets/image_list.inc"
#undef IMAGE_AGAIN
#undef IMAGE

int32_t sndShot;
int32_t sndBom;

const ImageAsset imageAssets[ImageAssetCount] = {
#define IMAGE(global, file, slot, width, height, paint, kind, a, b) {&global, file, slot, width, height},
#define IMAGE_AGAIN(global, file, slot) {&global, file, slot, 0, 0},
#include "assets/image_list.inc"
#undef IMAGE_AGAIN
#undef IMAGE
};

int loadAllAssets() {
    if (!engDraw::Screen(variant::screenWidth, variant::screenHeight, 3)) return 0;
    engDraw::SetClip(screenX(220), 0, screenX(580), 600);
    for (int i = 0; i < ImageAssetCount; ++i) {
        *imageAssets[i].global = engDraw::LoadObject(imageAssets[i].file, 1);
        if (i + 1 == SoundsAfterImage) {
            sndShot = engSound::LoadObject("SOUND/SHOT.WAV", 1);
            sndBom = engSound::LoadObject("SOUND/BOM.WAV", 1);
        }
    }
    return 1;
}
