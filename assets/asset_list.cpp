#include "assets/asset_list.h"

#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "engine/variant.h"

#define IMAGE(global, file, slot) int32_t global;
#include "assets/image_list.inc"
#undef IMAGE

int32_t sndShot;
int32_t sndBom;

const ImageAsset imageAssets[ImageAssetCount] = {
#define IMAGE(global, file, slot) {&global, file, slot},
#include "assets/image_list.inc"
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
