#include "game/enemy_slots.h"

#include <cmath>
#include <iterator>
#include <span>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/shots/aimed.h"

EnemySlot enemySlots[EnemySlotCount];
Coin slotCoins[EnemySlotCount];

namespace {

bool validSlot(int slot) { return slot >= 0 && slot < EnemySlotCount; }

// ---------------------------------------------------------------------------
// Movement patterns
// ---------------------------------------------------------------------------

// A band of the pattern clock, both ends inclusive.
struct Band {
    float low, high;
    bool contains(float t) const { return t >= low && t <= high; }
};

// Patterns 3 and 4: the sideways speed grows band by band.
struct SwerveBand {
    Band band;
    float vx;
};
constexpr SwerveBand swerveBands[] = {
    {{0, 20}, 10},     {{21, 40}, 15},    {{41, 60}, 20},    {{61, 80}, 30},   {{81, 100}, 40},
    {{101, 120}, 70},  {{121, 140}, 120}, {{141, 160}, 160}, {{161, 380}, 180},
};
constexpr float swerveClockRate = 10.0f;
constexpr float swerveFallSpeed = 120.0f;
constexpr float swerveWrap = 381.0f;

// Patterns 5 to 8: both speeds set band by band.
struct SpeedBand {
    Band band;
    float vy, vx;
};
constexpr SpeedBand sweepBands[] = {
    {{0, 10}, 220, 0},     {{11, 20}, 220, 40},   {{21, 30}, 220, 110}, {{31, 40}, 220, 160},
    {{41, 50}, 220, 210},  {{51, 60}, 220, 255},  {{61, 70}, 220, 310}, {{71, 80}, 220, 240},
    {{81, 90}, 220, 180},  {{91, 200}, 0, 90},
};
constexpr SpeedBand diveBands[] = {
    {{0, 10}, 320, 0},       {{11, 20}, 280, 40},     {{21, 30}, 260, 110},    {{31, 40}, 240, 160},
    {{41, 50}, 220, 180},    {{51, 60}, 220, 200},    {{61, 70}, 220, 220},    {{71, 80}, 220, 200},
    {{81, 90}, 120, 180},    {{91, 100}, 0, 90},      {{101, 110}, -90, 0},    {{111, 120}, -130, -30},
    {{121, 130}, -160, -60}, {{131, 140}, -190, -90}, {{141, 150}, -220, -180}, {{151, 260}, -220, -240},
};
struct SpeedBandPattern {
    std::span<const SpeedBand> bands;
    float clockRate;  // pattern clock units per second
    float wrap;       // the clock at or above this starts again at 0
};
constexpr SpeedBandPattern sweepPattern{sweepBands, 40.0f, 201.0f};
constexpr SpeedBandPattern divePattern{diveBands, 80.0f, 261.0f};

// Patterns 9 and 10: a full turn of one degree per frame.
constexpr float circleSpeed = 170.0f;
constexpr float oneDegree = piTimes(1.0 / 180.0);
constexpr float fullTurn = piTimes(2.0);

// Pattern 11, the big enemies' scripted path.
constexpr float pathClockRate = 10.0f;
constexpr float hoverX = 360.0f;  // full-screen x
constexpr float hoverY = 170.0f;
constexpr PathStep bigEnemySteps[] = {
    {{0, 30, true}, PathAction::PlaceAtTop, 0, 0},
    {{31, 75, false}, PathAction::Move, 0, 110},
    {{75, 90, false}, PathAction::PlaceAtHover, 0, 0},
    {{91, 115, false}, PathAction::Move, 0, 60},
    {{116, 140, false}, PathAction::Move, 0, -60},
    {{141, 162, false}, PathAction::PlaceAtHover, 0, 0},
    {{162, 171, false}, PathAction::Move, 80, 0},
    {{172, 190, false}, PathAction::Move, -80, 0},
    {{191, 200, false}, PathAction::Move, 80, 0},
    {{201, 210, false}, PathAction::Move, 100, 50},
    {{211, 220, false}, PathAction::Move, -100, -50},
    {{221, 230, false}, PathAction::Move, -100, 50},
    {{231, 240, false}, PathAction::Move, 100, -50},
    {{240, 250, false}, PathAction::PlaceAtHover, 0, 0},
    {{250, 260, false}, PathAction::Move, 150, 0},
    {{261, 280, false}, PathAction::Move, -150, 0},
    {{281, 290, false}, PathAction::Move, 150, 0},
    {{291, 300, false}, PathAction::Move, 200, 100},
    {{301, 310, false}, PathAction::Move, -200, -100},
    {{311, 320, false}, PathAction::Move, -200, 100},
    {{321, 330, false}, PathAction::Move, 200, -100},
};
constexpr ScriptedPath bigEnemyPath{bigEnemySteps, 331.0f, 80.0f};

void moveHoming(EnemySlot& e, float dt) {
    e.y += e.vy * dt;
    e.x += e.vx * dt;
    if (e.x > playerX) e.vx = -50.0f;
    if (e.x < playerX) e.vx = 50.0f;
}

void moveZigZag(EnemySlot& e, float dt) {
    e.y += e.vy * dt;
    e.timer += 10.0f * dt;
    // At exactly 20 both steps apply and cancel.
    if (e.timer >= 0.0f && e.timer <= 20.0f) e.x += e.vx * dt;
    if (e.timer >= 20.0f && e.timer <= 40.0f) e.x -= e.vx * dt;
    if (e.timer >= 41.0f) e.timer = 0.0f;
}

void moveSwerve(EnemySlot& e, float dt, float direction) {
    e.y += swerveFallSpeed * dt;
    e.x += direction * e.vx * dt;  // the speed of the previous frame
    e.timer += swerveClockRate * dt;
    for (const SwerveBand& b : swerveBands) {
        if (b.band.contains(e.timer)) e.vx = b.vx;
    }
    if (e.timer >= swerveWrap) e.timer = 0.0f;
}

void moveBySpeedBands(EnemySlot& e, float dt, float direction, const SpeedBandPattern& pattern) {
    e.y += e.vy * dt;
    e.x += direction * e.vx * dt;
    e.timer += pattern.clockRate * dt;
    for (const SpeedBand& b : pattern.bands) {
        if (b.band.contains(e.timer)) {
            e.vy = b.vy;
            e.vx = b.vx;
        }
    }
    if (e.timer >= pattern.wrap) e.timer = 0.0f;
}

// Pattern 9 (turn +1) and pattern 10 (turn -1). The step uses the radius
// left from before (0 after a reset) and only then sets the circling speed.
// Sine and cosine in double of the float angle; the step is worked out in
// double and stored as float.
void moveCircling(EnemySlot& e, float dt, double turn) {
    const double angle = static_cast<double>(e.angle);
    const double stepY = std::sin(angle) * static_cast<double>(e.radius) * static_cast<double>(dt);
    const double stepX = std::cos(angle) * static_cast<double>(e.radius) * static_cast<double>(dt);
    e.y = static_cast<float>(static_cast<double>(e.y) + turn * stepY);
    e.x = static_cast<float>(static_cast<double>(e.x) - turn * stepX);
    e.radius = circleSpeed;
    if (turn > 0) {
        e.angle += oneDegree;
        if (e.angle >= fullTurn) e.angle = oneDegree;
    } else {
        e.angle -= oneDegree;
        if (e.angle <= -fullTurn) e.angle = -oneDegree;
    }
}

void moveOnPath(EnemySlot& e, float dt, int h, const ScriptedPath& path) {
    e.timer += pathClockRate * dt;
    const float t = e.timer;
    for (const PathStep& step : path.steps) {
        if (!step.band.contains(t)) continue;
        switch (step.action) {
        case PathAction::PlaceAtTop:
            e.x = screenX(hoverX);
            e.y = -static_cast<float>(h);
            break;
        case PathAction::PlaceAtHover:
            e.x = screenX(hoverX);
            e.y = hoverY;
            break;
        case PathAction::Move:
            e.y += step.vy * dt;
            e.x += step.vx * dt;
            break;
        }
    }
    if (e.timer >= path.wrap) e.timer = path.loopStart;
}

// ---------------------------------------------------------------------------
// Sprites
// ---------------------------------------------------------------------------

constexpr int32_t FlameWidth = 20, FlameHeight = 70;
constexpr int32_t FlameFrameLast = 19;

const EnemySprite slotSprites[] = {
    {0, nullptr, 0, {}, &imgSzak1, 60, 60, 5, 10},
    {1, &imgZfire1, 1, {{25, -40}}, &imgSzak2, 70, 80, 0, 0},
    {2, &imgZfire2, 2, {{10, -50}, {50, -50}}, &imgSzak3, 80, 80, 0, 0},
    {3, &imgZfire2, 2, {{17, -38}, {43, -38}}, &imgSzak4, 80, 80, 0, 0},
    {4, &imgZfire2, 2, {{12, -42}, {48, -42}}, &imgSzak5, 80, 80, 0, 0},
    {5, nullptr, 0, {}, &imgSzak6, 80, 80, 0, 0},
    {6, nullptr, 0, {}, &imgSzak6, 80, 80, 0, 0},
    {7, nullptr, 0, {}, &imgSzak7, 240, 300, -80, -110},
    {8, &imgZfire2, 2, {{0, -115}, {60, -115}}, &imgSzak8, 240, 300, -80, -110},
    {9, nullptr, 0, {}, &imgSzak9, 240, 300, -80, -110},
    {10, nullptr, 0, {}, &imgSzak10, 240, 440, -80, -180},
    {81, &imgZfire2, 2, {{12, -72}, {48, -72}}, &imgSzak8o, 120, 120, -20, -20},
};

const EnemySprite* findEnemySprite(std::span<const EnemySprite> sprites, int kind) {
    for (const EnemySprite& sprite : sprites) {
        if (sprite.kind == kind) return &sprite;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Explosions
// ---------------------------------------------------------------------------

// One burst of an explosion: a frame of a strip at the record's position
// plus an offset that spreads with the burst frame f: (kx·f + cx, ky·f + cy).
struct BurstBlit {
    const int32_t* image;
    bool big;  // 80x80 cells, else the 40x40 cells of the small strip
    int32_t kx, cx, ky, cy;
};
constexpr int32_t BigBurstSize = 80, SmallBurstSize = 40;
constexpr int32_t BurstFrameLast = 8;

const BurstBlit fiveBigBursts[] = {
    {&imgZbak3b, true, 0, 0, 0, 0},    {&imgZbak3b, true, -6, 20, -6, 20}, {&imgZbak3b, true, 6, 20, 2, 20},
    {&imgZbak3b, true, -6, 20, 6, 20}, {&imgZbak3b, true, 1, 20, -6, 20},
};
const BurstBlit bigAndSmallBursts[] = {
    {&imgZbak2b, true, 0, 0, 0, 0},     {&imgZbak6b, false, -4, 20, -6, 20}, {&imgZbak6b, false, 1, 20, 7, 20},
    {&imgZbak6b, false, 7, 20, -1, 20}, {&imgZbak6b, false, -6, 20, 3, 20},  {&imgZbak6b, false, -7, 20, -6, 20},
    {&imgZbak6b, false, 5, 20, -8, 20},
};
const BurstBlit sixBigBursts[] = {
    {&imgZbak2b, true, 6, 20, -1, 20}, {&imgZbak2b, true, 6, 20, 6, 20}, {&imgZbak2b, true, -6, 20, 4, 20},
    {&imgZbak2b, true, 2, 20, -6, 20}, {&imgZbak2b, true, 0, 0, 0, 0},   {&imgZbak2b, true, -6, 20, -6, 20},
};
// By explosion style.
const std::span<const BurstBlit> burstSets[] = {fiveBigBursts, fiveBigBursts, bigAndSmallBursts, sixBigBursts};

constexpr int32_t EnemySlotLastBurst = 2;  // three bursts

// ---------------------------------------------------------------------------
// Aimed shots
// ---------------------------------------------------------------------------

constexpr int32_t RoundShotSize = 30;

void drawSmallShot(AimedShot& shot, int32_t dx, int32_t dy) {
    drawStripFrame(shot.frame, SmallShotFrames, imgVal16241, SmallShotSize, SmallShotSize, pixelOf(shot.x) + dx,
                   pixelOf(shot.y) + dy);
}

void drawRoundShot(const AimedShot& shot, int32_t image) {
    engDraw::Blit(pixelOf(shot.x) - 5, pixelOf(shot.y) - 5, image, 0, 0, RoundShotSize, RoundShotSize);
}

}  // namespace

// ---------------------------------------------------------------------------
// Shared explosion and cull
// ---------------------------------------------------------------------------

void playExplosionSound() { engSound::Play(sndBom, -1); }

void drawEnemySprite(const EnemySprite& sprite, float x, float y, int32_t& flameFrame) {
    const int32_t left = pixelOf(x), top = pixelOf(y);
    if (sprite.flameImage != nullptr && sprite.flameCount > 0) {
        if (flameFrame < 0 || flameFrame > FlameFrameLast) flameFrame = 0;
        const int32_t cell = flameFrame * FlameWidth;
        for (int i = 0; i < sprite.flameCount && i < 2; ++i) {
            engDraw::Blit(left + sprite.flameOffsets[i][0], top + sprite.flameOffsets[i][1], *sprite.flameImage, cell,
                          0, cell + FlameWidth, FlameHeight);
        }
        flameFrame += 1;
        if (flameFrame > FlameFrameLast) flameFrame = 0;
    }
    engDraw::Blit(left + sprite.bodyDX, top + sprite.bodyDY, *sprite.bodyImage, 0, 0, sprite.width, sprite.height);
}

bool enemyOffScreen(float x, float y, int w, int h) {
    return x + static_cast<float>(w) < 0.0f || x > rightEdgeX(800.0f) || y + static_cast<float>(h) < 0.0f ||
           y > static_cast<float>(h + 600);
}

void drawEnemyExplosion(float x, float y, int32_t style, int32_t burstFrame) {
    if (multiBurst == 0) style = 0;
    if (style < 0 || style >= static_cast<int32_t>(std::size(burstSets))) return;
    if (burstFrame < 0 || burstFrame > BurstFrameLast) return;
    const int32_t f = burstFrame;
    const int32_t baseX = pixelOf(x), baseY = pixelOf(y);
    for (const BurstBlit& b : burstSets[style]) {
        const int32_t size = b.big ? BigBurstSize : SmallBurstSize;
        engDraw::Blit(baseX + b.kx * f + b.cx, baseY + b.ky * f + b.cy, *b.image, size * f, 0, size * f + size, size);
    }
}

bool advanceEnemyExplosion(int32_t& burstFrame, int32_t& burstIndex, int32_t lastBurst) {
    if (burstFrame == 0) playExplosionSound();
    burstFrame += 1;
    if (burstFrame > BurstFrameLast) {
        burstIndex += 1;
        burstFrame = 0;
    }
    return burstIndex > lastBurst;
}

// ---------------------------------------------------------------------------
// Records of the enemy-slot layout: arming, movement, death
// ---------------------------------------------------------------------------

void armEnemyRecord(EnemySlot& e, float x, float y, int32_t styles) {
    e.x = x;
    e.y = y;
    e.variant = engSystem::Rand() % styles;
    e.vy = static_cast<float>(70 + engSystem::Rand() % 70);
    e.vx = static_cast<float>(20 + engSystem::Rand() % 20);
    e.alive = 1;
    e.dying = 0;
    e.burstFrame = 0;
    e.animFrame = 0;
    e.burstStage = 0;
    e.timer = 0;
    e.angle = 0;
}

void moveEnemyRecord(EnemySlot& e, int pattern, int w, int h, const ScriptedPath& path) {
    const float dt = frameTime;
    if (e.alive != 0) {
        switch (pattern) {
        case 0: e.y += e.vy * dt; break;
        case 1: moveHoming(e, dt); break;
        case 2: moveZigZag(e, dt); break;
        case 3: moveSwerve(e, dt, 1.0f); break;
        case 4: moveSwerve(e, dt, -1.0f); break;
        case 5: moveBySpeedBands(e, dt, 1.0f, sweepPattern); break;
        case 6: moveBySpeedBands(e, dt, -1.0f, sweepPattern); break;
        case 7: moveBySpeedBands(e, dt, 1.0f, divePattern); break;
        case 8: moveBySpeedBands(e, dt, -1.0f, divePattern); break;
        case 9: moveCircling(e, dt, 1.0); break;
        case 10: moveCircling(e, dt, -1.0); break;
        case 11: moveOnPath(e, dt, h, path); break;
        default: break;
        }
    }
    if (enemyOffScreen(e.x, e.y, w, h)) {
        e.alive = 0;
        parkRecord(e);
    }
}

bool drawLiveEnemyRecord(EnemySlot& e, std::span<const EnemySprite> sprites, int kind) {
    if (e.dying >= 1) return false;
    const EnemySprite* sprite = findEnemySprite(sprites, kind);
    if (sprite != nullptr) drawEnemySprite(*sprite, e.x, e.y, e.animFrame);
    return true;
}

void explodeEnemyRecord(EnemySlot& e, int32_t lastBurst) {
    drawEnemyExplosion(e.x, e.y, e.variant, e.burstFrame);
    e.vx = 0;
    e.vy = 0;
    if (advanceEnemyExplosion(e.burstFrame, e.burstStage, lastBurst)) {
        e.alive = 0;
        e.dying = 0;
        e.hitGate = 0;
        e.burstFrame = 0;
        e.burstStage = 0;
        parkRecord(e);
    }
}

// ---------------------------------------------------------------------------
// Enemy slots
// ---------------------------------------------------------------------------

void spawnDropInEnemy(int slot, int /*w*/, int h) {
    if (!validSlot(slot)) return;
    EnemySlot& e = enemySlots[slot];
    if (e.alive != 0) return;
    const float x = static_cast<float>(screenX(220) + engSystem::Rand() % 290);
    armEnemyRecord(e, x, -static_cast<float>(h));
}

void moveEnemy(int slot, int pattern, int w, int h) {
    if (!validSlot(slot)) return;
    moveEnemyRecord(enemySlots[slot], pattern, w, h, bigEnemyPath);
}

void drawEnemySlot(int slot, int kind) {
    if (!validSlot(slot)) return;
    EnemySlot& e = enemySlots[slot];
    if (drawLiveEnemyRecord(e, slotSprites, kind)) return;
    // The coin first: it falls from where the enemy is before the last
    // burst parks it.
    dropSlotCoin(slot);
    explodeEnemyRecord(e, EnemySlotLastBurst);
}

void killEnemySlot(int slot) {
    if (!validSlot(slot)) return;
    if (enemySlots[slot].dying == 0) enemySlots[slot].dying = 1;
}

// ---------------------------------------------------------------------------
// Coins
// ---------------------------------------------------------------------------

void dropSlotCoin(int slot) {
    if (!validSlot(slot)) return;
    Coin& coin = slotCoins[slot];
    if (coin.falling != 0) return;
    const EnemySlot& e = enemySlots[slot];
    coin.x = e.x + 20.0f;
    coin.y = e.y + 20.0f;
    coin.falling = 1;
    coin.taken = 0;
    coin.frame = 0;
    // Cleared too, so that a burst cut short by the bottom edge does not
    // shorten the next one.
    coin.loopCount = 0;
    coin.vy = static_cast<float>(110 + engSystem::Rand() % 160);
}

void stepSlotCoin(int slot) {
    if (!validSlot(slot)) return;
    stepCoin(slotCoins[slot]);
}

void drawSlotCoin(int slot) {
    if (!validSlot(slot)) return;
    drawCoin(slotCoins[slot], imgCoin1);
}

void takeSlotCoin(int slot) {
    if (!validSlot(slot)) return;
    slotCoins[slot].taken = 1;
    playExplosionSound();
}

// ---------------------------------------------------------------------------
// Aimed shots
// ---------------------------------------------------------------------------

// The slot's shots are pools of the aimed family, with the slot as owner.
void fireAimedShot(int slot) { spawnAimedVolley(slotAimedShotPool(slot)); }
void fireAimedFive(int slot) { spawnAimedVolley(slotAimedFivePool(slot)); }
void stepAimedShot(int slot) { moveAimedShotPool(slotAimedShotPool(slot)); }
void stepAimedFive(int slot) { moveAimedShotPool(slotAimedFivePool(slot)); }
static_assert(aimedPools[firstSlotLineRow].count == AimedFiveSize);

AimedShot* slotAimedShot(int slot) { return aimedPoolRecords(slotAimedShotPool(slot)); }
AimedShot* slotAimedFive(int slot) { return aimedPoolRecords(slotAimedFivePool(slot)); }

void drawAimedShot(int slot, int style) {
    if (!validSlot(slot)) return;
    AimedShot& shot = *slotAimedShot(slot);
    if (shot.active == 0) return;
    if (style == 0) drawSmallShot(shot, 0, 0);
    if (style == 1) drawRoundShot(shot, imgVall302);
}

void drawAimedFive(int slot, int style) {
    if (!validSlot(slot)) return;
    AimedShot* line = slotAimedFive(slot);
    for (int k = 0; k < AimedFiveSize; ++k) {
        AimedShot& shot = line[k];
        if (shot.active == 0) continue;
        if (style == 0) drawSmallShot(shot, 2, 2);
        if (style == 1) drawRoundShot(shot, imgVall301);
        if (style == 2) drawRoundShot(shot, imgVall302);
    }
}

// ---------------------------------------------------------------------------
// Reset
// ---------------------------------------------------------------------------

void parkEnemyRecord(EnemySlot& e) {
    e.burstStage = 0;
    e.burstFrame = 0;
    e.animFrame = 0;
    e.timer = 0;
    e.variant = engSystem::Rand() % 4;
    parkRecord(e);
    e.vx = 0;
    e.vy = 0;
    e.alive = 0;
    e.dying = 0;
    e.hitGate = 0;
}

void resetEnemySlots() {
    for (EnemySlot& e : enemySlots) parkEnemyRecord(e);
    for (Coin& coin : slotCoins) parkCoin(coin);
    for (int slot = 0; slot < EnemySlotCount; ++slot) parkAimedPool(slotAimedShotPool(slot));
    for (int slot = 0; slot < EnemySlotCount; ++slot) parkAimedPool(slotAimedFivePool(slot));
}
