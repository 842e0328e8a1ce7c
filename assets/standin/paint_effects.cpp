// Coins, the pick-up burst, explosions and smoke, wreck fragments, sparks.
#include <cmath>

#include "assets/standin/catalogue.h"

namespace standin {

namespace {

constexpr float Pi = 3.14159265f;

// Colour ramps by heat (0 cold smoke .. 1 white hot).
const RampStop fireRamp[] = {{0.0f, rgb(40, 26, 22)},   {0.22f, rgb(120, 30, 12)}, {0.45f, rgb(220, 70, 10)},
                             {0.65f, rgb(255, 150, 30)}, {0.85f, rgb(255, 230, 110)}, {1.0f, rgb(255, 255, 235)}};
const RampStop plasmaRamp[] = {{0.0f, rgb(26, 22, 60)},  {0.25f, rgb(50, 40, 160)}, {0.5f, rgb(40, 120, 255)},
                               {0.75f, rgb(120, 220, 255)}, {1.0f, rgb(245, 255, 255)}};
const RampStop toxicRamp[] = {{0.0f, rgb(22, 40, 20)},  {0.25f, rgb(30, 100, 30)}, {0.5f, rgb(80, 200, 40)},
                              {0.75f, rgb(200, 255, 90)}, {1.0f, rgb(250, 255, 230)}};
const RampStop violetRamp[] = {{0.0f, rgb(40, 20, 50)},   {0.25f, rgb(110, 30, 140)}, {0.5f, rgb(200, 60, 220)},
                               {0.75f, rgb(255, 150, 240)}, {1.0f, rgb(255, 245, 255)}};
const RampStop smokeRamp[] = {{0.0f, rgb(34, 30, 30)}, {0.5f, rgb(70, 64, 60)}, {1.0f, rgb(120, 112, 104)}};

struct ExplosionLook {
    const RampStop* ramp;
    int rampCount;
    float smokeFrom;   // share of the frames after which the ball turns to smoke (1: never)
    float startSize;   // radius of the first frame, as a share of the cell's half
    float endSize;     // radius of the last frame
    bool loops;        // every frame a full blast (cycled by the game), no growth
    int sparks;        // bright streaks thrown out in the early frames
};

ExplosionLook lookOf(int style) {
    switch (style) {
        case ExplosionFireSmoke: return {fireRamp, 6, 0.55f, 0.3f, 0.92f, false, 8};
        case ExplosionPlasma: return {plasmaRamp, 5, 1.0f, 0.25f, 0.95f, false, 10};
        case ExplosionToxic: return {toxicRamp, 5, 0.7f, 0.3f, 0.9f, false, 6};
        case ExplosionPuff: return {fireRamp, 6, 0.3f, 0.3f, 0.95f, false, 4};
        case ExplosionHuge: return {fireRamp, 6, 1.0f, 0.85f, 0.85f, true, 6};
        case ExplosionViolet: return {violetRamp, 5, 1.0f, 0.25f, 0.9f, false, 8};
        default: return {fireRamp, 6, 0.8f, 0.3f, 0.95f, false, 8};
    }
}

// One frame of a blast centred in a square cell at (cellX, 0).
void paintBlastFrame(Canvas& canvas, int cellX, int size, int frame, int frames, const ExplosionLook& look,
                     uint32_t seed) {
    const float t = frames > 1 ? static_cast<float>(frame) / static_cast<float>(frames - 1) : 0.0f;
    const float half = size * 0.5f;
    const float cx = cellX + half, cy = half;
    float grow = look.loops ? 1.0f : 1 - (1 - t) * (1 - t);
    float radius = half * (look.startSize + (look.endSize - look.startSize) * grow) * 0.92f;
    float heat = look.loops ? 0.8f : 1.05f - t * 0.95f;
    float smoke = look.smokeFrom < 1 ? smoothstep(look.smokeFrom, 1.0f, t) : 0.0f;
    float dissolve = look.loops ? 0.0f : smoothstep(0.45f, 1.0f, t) * 0.75f;
    float fade = look.loops ? 1.0f : 1 - smoothstep(0.8f, 1.0f, t) * 0.6f;
    const float freq = 5.0f / size;
    const uint32_t frameSeed = look.loops ? seed + static_cast<uint32_t>(frame) * 7919u : seed;
    const float drift = look.loops ? 0.0f : t * 1.7f;  // the noise rolls outwards as the blast grows

    for (int y = 0; y < size && y < canvas.h; ++y)
        for (int x = cellX; x < cellX + size && x < canvas.w; ++x) {
            float dx = (x + 0.5f - cx), dy = (y + 0.5f - cy);
            float dist = std::sqrt(dx * dx + dy * dy);
            float d = dist / radius;
            if (d > 1.5f) continue;
            float n = fbm((dx * freq) / (1 + drift * 0.3f) + 17.0f, (dy * freq) / (1 + drift * 0.3f) + 5.0f,
                          frameSeed, 4);
            float edge = d + (n - 0.5f) * (look.loops ? 1.2f : 0.9f);
            if (edge >= 1) continue;
            float inner = clamp01((1 - edge) * 2.4f);
            float temp = clamp01(inner * heat + (n - 0.5f) * (look.loops ? 0.9f : 0.35f));
            Rgb fire = ramp(look.ramp, look.rampCount, temp);
            Rgb colour = smoke > 0 ? mix(fire, ramp(smokeRamp, 0.3f + n * 0.7f), smoke * (1 - temp * 0.6f)) : fire;
            float alpha = smoothstep(0.0f, 0.3f, 1 - edge) * fade;
            if (dissolve > 0) {
                float holes = fbm(dx * freq * 2.3f + 3, dy * freq * 2.3f + 9, frameSeed + 77u, 3);
                alpha *= smoothstep(dissolve, dissolve + 0.18f, holes + (1 - d) * 0.25f);
            }
            canvas.over(x, y, colour, alpha);
        }
    // Sparks thrown out while the blast is young.
    if (look.sparks > 0 && (look.loops || t < 0.5f)) {
        LocalRandom random(seed + 31u * static_cast<uint32_t>(frame));
        float reach = look.loops ? 1.0f : 0.5f + t * 1.6f;
        float strength = look.loops ? 0.45f : 1 - t * 1.8f;
        Rgb spark = ramp(look.ramp, look.rampCount, 0.9f);
        for (int i = 0; i < look.sparks; ++i) {
            float angle = random.range(0, 2 * Pi);
            float r0 = radius * random.range(0.5f, 0.8f) * reach, r1 = r0 + radius * random.range(0.2f, 0.45f);
            r1 = std::min(r1, half - 1.5f);
            if (r1 <= r0) continue;
            strokeLine(canvas, {cx + std::cos(angle) * r0, cy + std::sin(angle) * r0},
                       {cx + std::cos(angle) * r1, cy + std::sin(angle) * r1}, std::max(1.2f, size / 45.0f), spark,
                       strength);
        }
    }
}

}  // namespace

void paintExplosion(Canvas& canvas, const Art& art) {
    canvas.keyThreshold = 0.12f;
    const int size = canvas.h;
    const int frames = canvas.w / size;
    ExplosionLook look = lookOf(art.kind);
    const uint32_t seed = 0xB1A57u + static_cast<uint32_t>(art.kind) * 101u + static_cast<uint32_t>(art.a) * 7u +
                          static_cast<uint32_t>(size);
    for (int f = 0; f < frames; ++f) paintBlastFrame(canvas, f * size, size, f, frames, look, seed);
}

void paintCoin(Canvas& canvas, const Art& art) {
    const bool silver = art.kind == 1;
    const Rgb face = silver ? rgb(170, 190, 215) : rgb(235, 175, 40);
    const Rgb rim = silver ? rgb(100, 120, 150) : rgb(170, 100, 20);
    const float c = canvas.w * 0.5f, r = canvas.w * 0.5f - 1.5f;

    Path disc;
    disc.addEllipse(c, c, r, r);
    Mask discMask = fillPath(disc, canvas.w, canvas.h);
    paintSurface(canvas, discMask, {rim, 3.0f, 0.8f, 0.0f, 0.1f, 0.2f}, 1);
    Path inner;
    inner.addEllipse(c, c, r - 3.5f, r - 3.5f);
    Mask innerMask = fillPath(inner, canvas.w, canvas.h);
    paintSurface(canvas, innerMask, {face, 2.0f, -0.6f, 0.0f, 0.1f, 0.25f}, 2);
    // The emblem: a raised delta (gold) or diamond (silver).
    Path emblem;
    if (silver)
        emblem.addPolygon({{c, c - 7}, {c + 6, c}, {c, c + 7}, {c - 6, c}});
    else
        emblem.addPolygon({{c, c - 7}, {c + 7, c + 6}, {c - 7, c + 6}});
    Mask emblemMask = fillPath(emblem, canvas.w, canvas.h);
    paintSurface(canvas, emblemMask, {mix(face, rgb(255, 255, 230), 0.35f), 2.0f, 1.0f, 0.0f, 0.1f, 0.2f}, 3);
    // Glint
    glow(canvas, c - r * 0.45f, c - r * 0.45f, 5, rgb(255, 255, 240), 0.9f);
    outline(canvas, rgb(50, 30, 10));
}

void paintPickupBurst(Canvas& canvas, const Art&) {
    canvas.keyThreshold = 0.1f;
    const int size = canvas.h;
    const int frames = canvas.w / size;
    LocalRandom random(0xC01Bu);
    float angles[12];
    for (float& a : angles) a = random.range(0, 2 * Pi);
    for (int f = 0; f < frames; ++f) {
        const float t = static_cast<float>(f) / static_cast<float>(frames - 1);
        const float cx = f * size + size * 0.5f, cy = size * 0.5f;
        const float radius = 8 + t * (size * 0.5f - 10);
        const float strength = 1 - t * 0.85f;
        const Rgb gold = mix(rgb(255, 250, 200), rgb(255, 170, 40), t);
        // Expanding ring.
        for (int y = 0; y < size; ++y)
            for (int x = f * size; x < (f + 1) * size; ++x) {
                float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
                float d = std::fabs(std::sqrt(dx * dx + dy * dy) - radius);
                float width = 2.5f + (1 - t) * 2.5f;
                if (d < width) canvas.add(x, y, gold, (1 - d / width) * strength);
            }
        // A four-pointed flare in the first frames.
        if (t < 0.5f) {
            float len = 10 + 24 * (1 - t * 2) * (t * 4 < 1 ? t * 4 : 1);
            glowEllipse(canvas, cx, cy, len, 3, rgb(255, 255, 220), 1.2f * (1 - t * 2));
            glowEllipse(canvas, cx, cy, 3, len, rgb(255, 255, 220), 1.2f * (1 - t * 2));
            glow(canvas, cx, cy, 12 * (1 - t), rgb(255, 255, 240), 1.2f);
        }
        // Sparkles riding outward on the ring.
        for (int i = 0; i < 12; ++i) {
            float a = angles[i] + t * 0.8f;
            float r = radius * (0.75f + 0.25f * ((i % 3) / 2.0f));
            float sx = cx + std::cos(a) * r, sy = cy + std::sin(a) * r;
            float s = 2.5f + 2.5f * (1 - t);
            glowEllipse(canvas, sx, sy, s, 1.2f, rgb(255, 255, 230), strength);
            glowEllipse(canvas, sx, sy, 1.2f, s, rgb(255, 255, 230), strength);
        }
    }
}

// A jagged plate of hull, burning along one edge, tumbling through 15 steps.
void paintWreckSheet(Canvas& canvas, const Art&) {
    canvas.keyThreshold = 0.15f;
    const int cell = 60;
    for (int row = 0; row < canvas.h / cell; ++row)
        for (int col = 0; col < canvas.w / cell; ++col) {
            // Steps of the cycle: row 0 columns 0..7, row 1 columns 1..7; (0, 1) repeats step 7.
            int step = row == 0 ? col : 7 + (col == 0 ? 0 : col);
            float angle = step * (2 * Pi / 15);
            float cx = col * cell + 30.0f, cy = row * cell + 30.0f;
            Path plate;
            plate.addPolygon({{cx - 13, cy - 9}, {cx + 2, cy - 14}, {cx + 14, cy - 4}, {cx + 9, cy + 5},
                              {cx + 12, cy + 12}, {cx - 3, cy + 8}, {cx - 14, cy + 11}, {cx - 9, cy + 1}});
            plate.transform(cx, cy, angle, 1.0f, 0, 0);
            // Flames trail from the plate's burning edge.
            float fx = cx + std::cos(angle + 2.3f) * 10, fy = cy + std::sin(angle + 2.3f) * 10;
            glow(canvas, fx, fy, 17, rgb(255, 110, 20), 0.9f);
            glow(canvas, fx, fy, 9, rgb(255, 220, 120), 0.9f);
            Mask m = fillPath(plate, canvas.w, canvas.h);
            paintSurface(canvas, m, {rgb(150, 165, 190), 3.0f, 0.7f, 0.35f, 0.2f, 0.0f},
                         0x5EEDu + static_cast<uint32_t>(step));
            scorch(canvas, m, 0.7f, 0.15f, 0xA5u + static_cast<uint32_t>(step));
            // Embers.
            LocalRandom random(0xE3u + static_cast<uint32_t>(step));
            for (int i = 0; i < 5; ++i) {
                float a = random.range(0, 2 * Pi), r = random.range(14, 26);
                glow(canvas, cx + std::cos(a) * r, cy + std::sin(a) * r, random.range(1.5f, 3.0f),
                     rgb(255, 200, 80), 1.0f);
            }
        }
}

void paintShard(Canvas& canvas, const Art& art) {
    const float c = canvas.w * 0.5f;
    if (art.kind == 0) {  // a hot spark
        canvas.keyThreshold = 0.15f;
        glow(canvas, c, c, c, rgb(255, 120, 20), 1.0f);
        glowEllipse(canvas, c, c, c, 1.6f, rgb(255, 240, 180), 1.2f);
        glowEllipse(canvas, c, c, 1.6f, c, rgb(255, 240, 180), 1.2f);
        glow(canvas, c, c, c * 0.45f, rgb(255, 255, 240), 1.5f);
        return;
    }
    Path plate;  // a torn plate with a glowing edge
    plate.addPolygon({{3, 6}, {14, 2}, {21, 9}, {17, 21}, {8, 17}});
    Mask m = fillPath(plate, canvas.w, canvas.h);
    glow(canvas, 17, 17, 8, rgb(255, 120, 30), 0.9f);
    paintSurface(canvas, m, {rgb(140, 150, 165), 2.5f, 0.8f, 0.3f, 0.25f, 0.1f}, 9);
    outline(canvas, rgb(30, 26, 24));
}

}  // namespace standin
