// Background tiles (360x480, each meeting itself top to bottom) and the
// player's launch base. Far layers are opaque; near layers are mostly
// transparent so the far ones show through. All of them stay dark so the
// sprites stand out.
#include <algorithm>
#include <cmath>

#include "assets/standin/catalogue.h"

namespace standin {

namespace {

constexpr float Pi = 3.14159265f;
constexpr float TileH = 480;

// Calls draw(dy) for every copy of something spanning [top, bottom] that
// shows in a tile stacked with itself: the copy one tile up or down too.
template <class Draw>
void wrapped(float top, float bottom, Draw draw) {
    draw(0.0f);
    if (top < 0) draw(TileH);
    if (bottom > TileH) draw(-TileH);
}

// Height field that repeats every tile vertically: 0..1.
float tileNoise(float x, float y, float cellsX, int cellsY, uint32_t seed, int octaves) {
    return fbm(x * cellsX / 360.0f, y * static_cast<float>(cellsY) / TileH, seed, octaves, 0, cellsY);
}

// A tile-sized field of fn(x, y), worked out every other pixel and blended
// in between (the broad noise of a tile needs no more). fn must repeat
// every tile height, so the blend wraps from the last row to the first.
class SampledField {
public:
    template <class Fn>
    SampledField(int width, int height, Fn fn) : cols_(width / Step + 2), rows_(height / Step + 1) {
        grid_.resize(static_cast<size_t>(cols_) * rows_);
        for (int gy = 0; gy < rows_; ++gy)
            for (int gx = 0; gx < cols_; ++gx)
                grid_[static_cast<size_t>(gy) * cols_ + gx] =
                    fn(static_cast<float>(gx * Step), static_cast<float>(gy * Step));
    }
    float at(int x, int y) const {
        int gx = x / Step, gy = y / Step;
        float fx = static_cast<float>(x % Step) / Step, fy = static_cast<float>(y % Step) / Step;
        gx = std::clamp(gx, 0, cols_ - 2);
        gy = std::clamp(gy, 0, rows_ - 2);
        const float* row = &grid_[static_cast<size_t>(gy) * cols_ + gx];
        float top = row[0] + (row[1] - row[0]) * fx;
        float bottom = row[cols_] + (row[cols_ + 1] - row[cols_]) * fx;
        return top + (bottom - top) * fy;
    }

private:
    static constexpr int Step = 2;
    int cols_, rows_;
    std::vector<float> grid_;
};

// Land and sea far below: relief-shaded, with a few lit settlements.
void paintTerrain(Canvas& canvas, uint32_t seed) {
    static const RampStop land[] = {{0.0f, rgb(12, 24, 46)},  {0.40f, rgb(20, 42, 66)}, {0.44f, rgb(52, 58, 50)},
                                    {0.47f, rgb(34, 50, 30)}, {0.62f, rgb(44, 58, 32)}, {0.74f, rgb(62, 54, 38)},
                                    {0.86f, rgb(78, 74, 66)}, {1.0f, rgb(96, 94, 90)}};
    SampledField broad(canvas.w, canvas.h, [&](float x, float y) { return tileNoise(x, y, 3.0f, 4, seed, 4); });
    std::vector<float> height(static_cast<size_t>(canvas.w) * canvas.h);
    for (int y = 0; y < canvas.h; ++y)
        for (int x = 0; x < canvas.w; ++x)  // the finest detail at every pixel
            height[static_cast<size_t>(y) * canvas.w + x] =
                broad.at(x, y) * (15.0f / 16) + valueNoise(x * 0.133f, y * 0.1333f, seed + 4, 0, 64) / 16;
    auto hAt = [&](int x, int y) {
        x = std::clamp(x, 0, canvas.w - 1);
        y = (y % canvas.h + canvas.h) % canvas.h;
        return height[static_cast<size_t>(y) * canvas.w + x];
    };
    for (int y = 0; y < canvas.h; ++y)
        for (int x = 0; x < canvas.w; ++x) {
            float h = hAt(x, y);
            Rgb c = ramp(land, h);
            if (h > 0.44f) {  // relief: lit from the top left
                float slope = (hAt(x - 1, y - 1) - hAt(x + 1, y + 1)) * 18.0f;
                c = c * (0.85f + std::clamp(slope, -0.4f, 0.5f));
            } else {  // sea: faint swell
                c = c * (0.9f + 0.2f * valueNoise(x * 0.2f, y * 0.05f, seed + 9, 0, 24));
            }
            canvas.setOpaque(x, y, c);
        }
    LocalRandom random(seed + 77);
    for (int town = 0; town < 7; ++town) {
        float tx = random.range(20, 340), ty = random.range(0, TileH);
        if (hAt(static_cast<int>(tx), static_cast<int>(ty)) < 0.5f) continue;
        for (int i = 0; i < 14; ++i) {
            float lx = tx + random.range(-14, 14), ly = ty + random.range(-10, 10);
            wrapped(ly - 2, ly + 2, [&](float dy) { glow(canvas, lx, ly + dy, 2.2f, rgb(255, 190, 90), 0.7f); });
        }
    }
}

// Deep space: a dim nebula and stars of several sizes.
void paintSpace(Canvas& canvas, uint32_t seed) {
    SampledField nebula(canvas.w, canvas.h, [&](float x, float y) { return tileNoise(x, y, 2.5f, 3, seed, 5); });
    SampledField tint(canvas.w, canvas.h, [&](float x, float y) { return tileNoise(x, y, 5.0f, 6, seed + 5, 3); });
    for (int y = 0; y < canvas.h; ++y)
        for (int x = 0; x < canvas.w; ++x) {
            float n = nebula.at(x, y);
            float m = tint.at(x, y);
            float cloud = smoothstep(0.45f, 0.8f, n);
            Rgb c = rgb(8, 8, 22) + mix(rgb(40, 14, 60), rgb(20, 40, 80), m) * cloud;
            canvas.setOpaque(x, y, c);
        }
    LocalRandom random(seed + 3);
    for (int i = 0; i < 260; ++i) {
        float x = random.range(0, 360), y = random.range(0, TileH);
        float b = random.uniform();
        Rgb tint = mix(rgb(170, 190, 255), rgb(255, 230, 200), random.uniform());
        float size = b > 0.96f ? 3.5f : (b > 0.8f ? 1.8f : 1.0f);
        wrapped(y - 4, y + 4, [&](float dy) {
            if (size > 3) {
                glowEllipse(canvas, x, y + dy, 7, 1, tint, 0.9f);
                glowEllipse(canvas, x, y + dy, 1, 7, tint, 0.9f);
            }
            glow(canvas, x, y + dy, size, tint, 0.6f + 0.6f * b);
        });
    }
}

// Volcanic ground: dark basalt split by glowing seams.
void paintLava(Canvas& canvas, uint32_t seed) {
    SampledField seams(canvas.w, canvas.h, [&](float x, float y) { return tileNoise(x, y, 4.0f, 5, seed, 4); });
    SampledField stone(canvas.w, canvas.h, [&](float x, float y) { return tileNoise(x, y, 12.0f, 16, seed + 1, 3); });
    for (int y = 0; y < canvas.h; ++y)
        for (int x = 0; x < canvas.w; ++x) {
            float n = seams.at(x, y);
            float rock = stone.at(x, y);
            float seam = 1 - smoothstep(0.0f, 0.035f, std::fabs(n - 0.5f));
            Rgb c = mix(rgb(30, 24, 24), rgb(58, 48, 44), rock);
            c = mix(c, mix(rgb(200, 40, 10), rgb(255, 170, 60), seam * seam), seam);
            canvas.setOpaque(x, y, c);
        }
}

// Drifting clouds, dim blue-grey, with gaps between them.
void paintClouds(Canvas& canvas, uint32_t seed) {
    canvas.keyThreshold = 0.5f;
    SampledField density(canvas.w, canvas.h, [&](float x, float y) { return tileNoise(x, y, 3.0f, 4, seed, 5); });
    for (int y = 0; y < canvas.h; ++y)
        for (int x = 0; x < canvas.w; ++x) {
            float d = density.at(x, y);
            if (d < 0.47f) continue;
            float above = density.at(std::max(x - 3, 0), (y + canvas.h - 4) % canvas.h);
            float lit = std::clamp((d - above) * 12.0f, -0.3f, 0.4f);
            float depth = smoothstep(0.47f, 0.75f, d);
            Rgb c = mix(rgb(46, 54, 74), rgb(104, 114, 136), depth) * (1 + lit);
            canvas.over(x, y, c, smoothstep(0.47f, 0.51f, d));
        }
}

// Steel lattice girders along both sides, with cross braces and lamps, and
// a beam across the field once a tile. Drawn on a canvas taller than the
// tile whose row `top` is the tile's first row (see seamless()).
void paintGirders(Canvas& canvas, float top, uint32_t seed) {
    const Material steel{rgb(72, 78, 94), 2.0f, 0.7f, 0.2f, 0.15f, 0.0f};
    const float h = static_cast<float>(canvas.h);
    for (int side = 0; side < 2; ++side) {
        float x0 = side == 0 ? 6.0f : 314.0f, x1 = x0 + 40;
        Mask frame(canvas.w, canvas.h);
        unite(frame, capsuleMask(canvas.w, canvas.h, {x0, -10}, {x0, h + 10}, 4));
        unite(frame, capsuleMask(canvas.w, canvas.h, {x1, -10}, {x1, h + 10}, 4));
        for (float y = top - TileH; y <= h; y += 60) {  // braces repeat 8 times a tile
            unite(frame, capsuleMask(canvas.w, canvas.h, {x0, y}, {x1, y + 60}, 2));
            unite(frame, capsuleMask(canvas.w, canvas.h, {x1, y}, {x0, y + 60}, 2));
            unite(frame, capsuleMask(canvas.w, canvas.h, {x0, y}, {x1, y}, 2.5f));
        }
        paintSurface(canvas, frame, steel, seed + static_cast<uint32_t>(side));
        for (float y = top - TileH + 30; y < h; y += 120)
            glow(canvas, (x0 + x1) * 0.5f, y, 4, side == 0 ? rgb(255, 80, 60) : rgb(80, 255, 120), 1.0f);
    }
    // A cross beam with a walkway and a junction drum on it, dull and dark
    // so that it never reads as a craft.
    float by = top + 200;
    Path beam;
    beam.addRect(40, by, 320, by + 16);
    paintSurface(canvas, fillPath(beam, canvas.w, canvas.h), steel, seed + 5);
    for (float x = 50; x < 316; x += 14) strokeLine(canvas, {x, by + 3}, {x + 7, by + 13}, 1.5f, rgb(40, 44, 54));
    Path pod;
    pod.addEllipse(250, by + 8, 24, 18);
    paintSurface(canvas, fillPath(pod, canvas.w, canvas.h), {rgb(54, 56, 60), 4, 0.5f, 0.2f, 0.1f}, seed + 6);
    fillEllipse(canvas, 250, by + 8, 3, 3, rgb(40, 42, 46));
    outline(canvas, rgb(18, 20, 26));
}

// Plated pipework along both sides, flanges, and a pipe bridge.
void paintPipes(Canvas& canvas, uint32_t seed) {
    auto pipe = [&](float x, float radius, Rgb colour, uint32_t s) {
        for (int y = 0; y < canvas.h; ++y)
            for (int px = static_cast<int>(x - radius); px <= static_cast<int>(x + radius); ++px) {
                float t = (px + 0.5f - x) / radius;
                if (std::fabs(t) >= 1) continue;
                float shade = 0.45f + 0.75f * std::sqrt(1 - t * t) * (1 - 0.35f * t);
                float grime = tileNoise(px, y, 20.0f, 24, s, 2);
                canvas.over(px, y, colour * (shade * (0.85f + 0.3f * grime)), clamp01((1 - std::fabs(t)) * radius));
            }
        for (float y = 40; y < TileH; y += 80) {  // flanges
            Path flange;
            flange.addRect(x - radius - 3, y, x + radius + 3, y + 7);
            paintSurface(canvas, fillPath(flange, canvas.w, canvas.h), {colour * 1.15f, 2, 0.7f, 0.05f}, s + 1);
        }
    };
    const Rgb bronze = rgb(96, 70, 50), steel = rgb(72, 80, 92);
    pipe(14, 14, bronze, seed);
    pipe(40, 9, steel, seed + 2);
    pipe(346, 14, bronze, seed + 4);
    pipe(322, 8, steel, seed + 6);
    // A bridge of two pipes across the field.
    for (float y : {320.0f, 338.0f}) {
        for (int py = static_cast<int>(y - 7); py <= static_cast<int>(y + 7); ++py)
            for (int x = 28; x < 332; ++x) {
                float t = (py + 0.5f - y) / 7;
                if (std::fabs(t) >= 1) continue;
                canvas.over(x, py, steel * (0.45f + 0.75f * std::sqrt(1 - t * t) * (1 - 0.35f * t)), 1);
            }
    }
    glow(canvas, 180, 329, 6, rgb(255, 170, 60), 0.9f);
    outline(canvas, rgb(16, 16, 20));
}

// Rocks drifting in the void, crater-marked and lit from the top left; drawn
// like the girders, the tile's first row at `top`.
void paintRocks(Canvas& canvas, float top, uint32_t seed) {
    LocalRandom random(seed);
    for (int i = 0; i < 11; ++i) {
        float r = i < 2 ? random.range(34, 46) : random.range(10, 26);
        float cx = random.range(r, 360 - r), cy = random.range(0, TileH);
        std::vector<Pt> outlinePts;
        for (int k = 0; k < 14; ++k) {
            float a = k * 2 * Pi / 14;
            float rr = r * random.range(0.75f, 1.1f);
            outlinePts.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr * 0.85f});
        }
        const Rgb base = i % 3 == 0 ? rgb(78, 66, 56) : rgb(64, 62, 66);
        for (float dy : {top - TileH, top, top + TileH}) {
            Path rock;
            std::vector<Pt> pts = outlinePts;
            for (Pt& p : pts) p.y += dy;
            rock.addPolygon(pts);
            Mask m = fillPath(rock, canvas.w, canvas.h);
            paintSurface(canvas, m, {base, r * 0.5f, 0.9f, 0.35f, 0.12f, 0.0f}, seed + static_cast<uint32_t>(i));
            LocalRandom craters(seed + 100 + static_cast<uint32_t>(i));
            for (int c = 0; c < 3; ++c) {
                float a = craters.range(0, 2 * Pi), d = craters.range(0, r * 0.5f), cr = craters.range(2, r * 0.25f);
                float x = cx + std::cos(a) * d, y = cy + dy + std::sin(a) * d;
                fillEllipse(canvas, x, y, cr, cr * 0.8f, base * 0.55f);
                fillEllipse(canvas, x + cr * 0.25f, y + cr * 0.2f, cr * 0.7f, cr * 0.55f, base * 0.8f);
            }
        }
    }
    outline(canvas, rgb(16, 14, 14));
}

// Paints a tile that must meet itself top to bottom where its shapes are lit
// or outlined at their edges: on a canvas a margin taller at both ends, with
// the shapes repeated into the margins, of which the middle is kept.
template <class Painter>
void seamless(Canvas& canvas, Painter paint) {
    constexpr int Margin = 32;
    Canvas tall(canvas.w, canvas.h + 2 * Margin);
    paint(tall, static_cast<float>(Margin));
    const size_t rowFloats = static_cast<size_t>(canvas.w) * 4;
    std::copy(tall.px.begin() + static_cast<long>(rowFloats * Margin),
              tall.px.begin() + static_cast<long>(rowFloats * (Margin + canvas.h)), canvas.px.begin());
}

}  // namespace

void paintBackground(Canvas& canvas, const Art& art) {
    const uint32_t seed = 0xBAC0u + static_cast<uint32_t>(art.kind) * 1009u;
    switch (art.kind) {
        case LayerTerrain: paintTerrain(canvas, seed); break;
        case LayerSpace: paintSpace(canvas, seed); break;
        case LayerLava: paintLava(canvas, seed); break;
        case LayerClouds: paintClouds(canvas, seed); break;
        case LayerGirders: seamless(canvas, [&](Canvas& c, float top) { paintGirders(c, top, seed); }); break;
        case LayerPipes: paintPipes(canvas, seed); break;
        case LayerRocks: seamless(canvas, [&](Canvas& c, float top) { paintRocks(c, top, seed); }); break;
        default: break;
    }
}

// The launch base at the start of stage 1 (360x360): the ship waits on the
// pad at (150, 280)-(210, 350), a runway with lights leads up from it.
void paintBase(Canvas& canvas, const Art&) {
    const uint32_t seed = 0xBA5Eu;
    // Deck.
    Path deck;
    deck.addPolygon({{40, 70}, {320, 70}, {356, 110}, {356, 360}, {4, 360}, {4, 110}});
    Mask deckMask = fillPath(deck, canvas.w, canvas.h);
    paintSurface(canvas, deckMask, {rgb(70, 76, 86), 5, 0.6f, 0.25f, 0.06f, 0.05f}, seed);
    for (float y = 110; y < 360; y += 40) strokeLine(canvas, {8, y}, {352, y}, 1.2f, rgb(40, 44, 52));
    for (float x = 44; x < 330; x += 48) strokeLine(canvas, {x, 74}, {x, 358}, 1.2f, rgb(40, 44, 52));
    // Runway from the pad to the top, narrowing past the deck.
    Path runway;
    runway.addRect(140, 0, 220, 360);
    paintSurface(canvas, fillPath(runway, canvas.w, canvas.h), {rgb(46, 48, 56), 3, 0.5f, 0.2f, 0.1f, 0.0f},
                 seed + 1);
    for (float y = 8; y < 300; y += 26) {
        Path dash;
        dash.addRect(177, y, 183, y + 14);
        paintMask(canvas, fillPath(dash, canvas.w, canvas.h), rgb(200, 190, 120), 0.8f);
    }
    for (float y = 10; y < 360; y += 30) {
        glow(canvas, 144, y, 3.5f, rgb(255, 200, 80), 1.0f);
        glow(canvas, 216, y, 3.5f, rgb(255, 200, 80), 1.0f);
    }
    // Launch pad under the ship.
    Path pad;
    pad.addEllipse(180, 315, 44, 44);
    paintSurface(canvas, fillPath(pad, canvas.w, canvas.h), {rgb(84, 90, 104), 4, 0.7f, 0.1f, 0.1f}, seed + 2);
    Path ring;
    ring.addEllipse(180, 315, 36, 36);
    ring.addHole([] {
        std::vector<Pt> pts;
        for (int i = 0; i < 48; ++i)
            pts.push_back({180 + 32 * std::cos(-i * 2 * Pi / 48), 315 + 32 * std::sin(-i * 2 * Pi / 48)});
        return pts;
    }());
    paintMask(canvas, fillPath(ring, canvas.w, canvas.h), rgb(220, 170, 40), 0.9f);
    for (int i = 0; i < 8; ++i) {
        float a = i * Pi / 4;
        glow(canvas, 180 + 40 * std::cos(a), 315 + 40 * std::sin(a), 3, rgb(120, 220, 255), 1.0f);
    }
    // Hangars and a control tower on the sides.
    for (float x : {20.0f, 250.0f}) {
        Path hangar;
        hangar.addRect(x, 150, x + 90, 250);
        paintSurface(canvas, fillPath(hangar, canvas.w, canvas.h), {rgb(92, 88, 80), 5, 0.7f, 0.2f, 0.08f, 0.1f},
                     seed + static_cast<uint32_t>(x));
        for (float y = 160; y < 244; y += 8) strokeLine(canvas, {x + 6, y}, {x + 84, y}, 1.0f, rgb(56, 54, 50));
        Path door;
        door.addRect(x + 25, 236, x + 65, 250);
        paintMask(canvas, fillPath(door, canvas.w, canvas.h), rgb(30, 30, 34));
        glow(canvas, x + 45, 243, 10, rgb(255, 180, 90), 0.6f);
    }
    Path tower;
    tower.addEllipse(70, 300, 26, 26);
    paintSurface(canvas, fillPath(tower, canvas.w, canvas.h), {rgb(110, 114, 124), 5, 0.8f, 0.1f, 0.1f, 0.15f},
                 seed + 9);
    paintDome(canvas, 70, 300, 12, 12, rgb(80, 200, 255));
    glow(canvas, 300, 300, 4, rgb(255, 60, 50), 1.0f);
    glow(canvas, 60, 100, 4, rgb(255, 60, 50), 1.0f);
    glow(canvas, 300, 100, 4, rgb(80, 255, 120), 1.0f);
    outline(canvas, rgb(16, 18, 22));
}

}  // namespace standin
