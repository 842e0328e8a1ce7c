// Drawing the ship's shots, missiles and pod shots, and the option pods
// that circle the ship.
#include <cmath>
#include <numbers>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "game/game_flags.h"
#include "game/player.h"
#include "game/shots/shot_records.h"
#include "game/weapons.h"

namespace {

// A whole picture drawn at a record's position plus an offset. Shots leave
// from the ship's top-left corner, so their sprites are centred 30 px to the
// right of it, on the middle of the 60 px ship.
struct Sprite {
    const int32_t* image;
    int32_t width, height;
    int32_t offsetX, offsetY;
};

constexpr int32_t centred(int32_t width) { return 30 - width / 2; }

// One sprite per band of 26 records.
const Sprite weaponASprites[3] = {
    {&imgRay1, 10, 30, centred(10), 0},   // up
    {&imgRay11, 18, 30, centred(18), 0},  // up and left
    {&imgRay22, 18, 30, centred(18), 0},  // up and right
};
const Sprite weaponBSprites[6] = {
    {&imgFlhst3, 12, 28, centred(12), 0},   // up
    {&imgFlhst11, 16, 24, centred(16), 0},  // down and left, steep
    {&imgFlhst12, 16, 24, centred(16), 0},  // down and left, shallow
    {&imgFlhst2, 16, 24, centred(16), 0},   // down
    {&imgFlhst22, 16, 24, centred(16), 0},  // down and right, shallow
    {&imgFlhst33, 16, 24, centred(16), 0},  // down and right, steep
};
const Sprite weaponCSprites[3] = {
    {&imgFlw2_1, 32, 24, centred(32), 0},  // up
    {&imgFlw1_3, 32, 24, centred(32), 0},  // up and left
    {&imgFlw3_2, 32, 24, centred(32), 0},  // up and right
};
// Muzzle flashes over the ship's nose, from its top-left corner.
const Sprite weaponAFlash{&imgSflhv1, 36, 28, centred(36), -20};
const Sprite weaponBFlash{&imgSflh22, 32, 32, centred(32), -24};
const Sprite weaponCFlash{&imgSflhv2, 36, 28, centred(36), -20};
// Missiles: the two streams of a set start 16 px apart, on either side of
// the ship's middle.
const Sprite missileSprite{&imgHomingl1, 16, 32, 2, 0};
// Pod shots leave 22 px into the 60 px pod: the 16 px sprite sits centred.
const Sprite podShotSprite{&imgMyme1op1st1, 16, 24, 0, 0};

constexpr int podSize = 60;
constexpr double podRadius = 60.0;
constexpr double podTurnPerFrame = 0.034906585;  // 2 degrees

void drawSprite(const Sprite& sprite, int32_t x, int32_t y) {
    engDraw::Blit(x + sprite.offsetX, y + sprite.offsetY, *sprite.image, 0, 0, sprite.width, sprite.height);
}

template <int N, int Bands>
void drawBandedShots(const PlayerShot (&pool)[N], const Sprite (&sprites)[Bands]) {
    static_assert(N == Bands * ShotBandSize);
    for (int i = 0; i < N; ++i) {
        if (pool[i].active != 0) drawSprite(sprites[i / ShotBandSize], pool[i].x, pool[i].y);
    }
}

void drawFlash(int32_t fired, const Sprite& flash) {
    if (fired != 0) drawSprite(flash, pixelOf(playerX), pixelOf(playerY));
}

}  // namespace

void drawPlayerShots() {
    if (shipType == 1 || shipType == 2) {
        drawBandedShots(weaponAShots, weaponASprites);
        drawBandedShots(weaponBShots, weaponBSprites);
        drawBandedShots(weaponCShots, weaponCSprites);
        drawFlash(weaponAFired, weaponAFlash);
        drawFlash(weaponBFired, weaponBFlash);
        drawFlash(weaponCFired, weaponCFlash);
        for (const Missile& missile : missiles) {
            if (missile.active != 0) drawSprite(missileSprite, missile.x, missile.y);
        }
        if (shipType == 2) {
            for (const PlayerShot& shot : podShots) {
                if (shot.active != 0) drawSprite(podShotSprite, shot.x, shot.y);
            }
        }
    }
    // A flash shows in one frame only.
    weaponAFired = weaponBFired = weaponCFired = 0;
}

void drawOptionPods() {
    if (shipType != 2) return;
    for (OptionPod& pod : optionPods) {
        engDraw::Blit(pixelOf(pod.x), pixelOf(pod.y), imgMyme1op1, 0, 0, podSize, podSize);
        pod.x = static_cast<float>(std::cos(static_cast<double>(pod.angle)) * podRadius + playerX);
        pod.y = static_cast<float>(std::sin(static_cast<double>(pod.angle)) * podRadius + playerY);
        pod.angle = static_cast<float>(pod.angle - podTurnPerFrame);
        if (pod.angle <= 0) pod.angle = static_cast<float>(2 * std::numbers::pi);
    }
}
