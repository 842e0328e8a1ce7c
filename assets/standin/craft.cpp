#include "assets/standin/craft.h"

#include <algorithm>
#include <cmath>

namespace standin {

namespace {

constexpr float Pi = 3.14159265f;

Material materialOf(Tone tone, const CraftPalette& palette) {
    Rgb base = palette.tones[tone];
    switch (tone) {
        case ToneHull: return {base, 4.5f, 0.6f, 0.16f, 0.07f, 0.15f, 0.06f};
        case ToneTrim: return {base, 3.0f, 0.65f, 0.12f, 0.1f, 0.1f, 0.0f};
        case ToneDark: return {base, 3.0f, 0.55f, 0.18f, 0.1f, 0.05f, 0.0f};
        case ToneMetal: return {base, 2.0f, 0.75f, 0.05f, 0.1f, 0.1f, 0.1f};
        case ToneAccent: return {base, 2.5f, 0.6f, 0.08f, 0.1f, 0.1f, 0.0f};
        default: return {base, 2.0f, 0.6f, 0.0f, 0.1f, 0.0f, 0.0f};
    }
}

void mirrorPoints(std::vector<Pt>& pts, float axis) {
    for (Pt& p : pts) p.x = 2 * axis - p.x;
}

}  // namespace

void drawCraft(Canvas& canvas, const std::vector<Part>& parts, const CraftPalette& palette, float axis,
               uint32_t seed, bool withOutline) {
    uint32_t partSeed = seed;
    for (const Part& part : parts) {
        ++partSeed;
        const Rgb colour = palette.tones[part.tone];
        const int copies = (part.mirrored && part.kind != PartKind::Hull && part.kind != PartKind::Inset) ? 2 : 1;
        for (int copy = 0; copy < copies; ++copy) {
            std::vector<Pt> pts = part.pts;
            if (copy == 1) {
                if (part.kind == PartKind::Ellipse || part.kind == PartKind::Dome || part.kind == PartKind::Star ||
                    part.kind == PartKind::Nozzle || part.kind == PartKind::Light)
                    pts[0].x = 2 * axis - pts[0].x;  // second point holds radii
                else
                    mirrorPoints(pts, axis);
            }
            switch (part.kind) {
                case PartKind::Hull:
                case PartKind::Inset:
                case PartKind::Wing: {
                    Path path;
                    if (part.mirrored && part.kind != PartKind::Wing) {
                        std::vector<Pt> all = pts;
                        for (auto it = pts.rbegin(); it != pts.rend(); ++it) all.push_back({2 * axis - it->x, it->y});
                        path.addPolygon(all);
                    } else {
                        path.addPolygon(pts);
                    }
                    Material m = materialOf(part.tone, palette);
                    if (part.size > 0) m.bevelWidth = part.size;
                    if (part.kind == PartKind::Inset) {
                        m.base = m.base * 0.7f;
                        m.bevelStrength = -0.5f;
                        m.topLight = -0.1f;
                        m.sheen = 0;
                    }
                    paintSurface(canvas, fillPath(path, canvas.w, canvas.h), m, partSeed);
                    break;
                }
                case PartKind::Ellipse: {
                    Path path;
                    path.addEllipse(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
                    Material m = materialOf(part.tone, palette);
                    if (part.size > 0) m.bevelWidth = part.size;
                    paintSurface(canvas, fillPath(path, canvas.w, canvas.h), m, partSeed);
                    break;
                }
                case PartKind::Dome: paintDome(canvas, pts[0].x, pts[0].y, pts[1].x, pts[1].y, colour); break;
                case PartKind::Gun: {
                    Mask barrel = capsuleMask(canvas.w, canvas.h, pts[0], pts[1], part.size);
                    paintSurface(canvas, barrel, materialOf(ToneMetal, palette), partSeed);
                    fillEllipse(canvas, pts[1].x, pts[1].y, part.size * 0.6f, part.size * 0.6f, rgb(30, 28, 30));
                    break;
                }
                case PartKind::Nozzle: {
                    float r = part.size;
                    fillEllipse(canvas, pts[0].x, pts[0].y, r + 1.2f, r * 0.75f + 1.2f, palette.tones[ToneMetal]);
                    fillEllipse(canvas, pts[0].x, pts[0].y, r, r * 0.75f, rgb(34, 26, 30));
                    glowEllipse(canvas, pts[0].x, pts[0].y, r * 0.8f, r * 0.6f, palette.tones[ToneGlow], 1.1f);
                    break;
                }
                case PartKind::Star: {
                    int spikes = static_cast<int>(part.size);
                    std::vector<Pt> star;
                    for (int i = 0; i < spikes * 2; ++i) {
                        float a = i * Pi / spikes - Pi / 2;
                        float r = (i % 2 == 0) ? pts[1].x : pts[1].y;
                        star.push_back({pts[0].x + std::cos(a) * r, pts[0].y + std::sin(a) * r});
                    }
                    Path path;
                    path.addPolygon(star);
                    paintSurface(canvas, fillPath(path, canvas.w, canvas.h), materialOf(part.tone, palette),
                                 partSeed);
                    break;
                }
                case PartKind::Light:
                    glow(canvas, pts[0].x, pts[0].y, part.size * 2.2f, colour, 0.9f);
                    fillEllipse(canvas, pts[0].x, pts[0].y, part.size * 0.55f, part.size * 0.55f,
                                mix(colour, rgb(255, 255, 255), 0.6f));
                    break;
                case PartKind::Line:
                    strokeLine(canvas, pts[0], pts[1], part.size > 0 ? part.size : 1.0f, colour * 0.5f, 0.8f);
                    break;
                case PartKind::Vent: {
                    float x0 = std::min(pts[0].x, pts[1].x), x1 = std::max(pts[0].x, pts[1].x);
                    float y0 = std::min(pts[0].y, pts[1].y), y1 = std::max(pts[0].y, pts[1].y);
                    Path box;
                    box.addRect(x0, y0, x1, y1);
                    paintSurface(canvas, fillPath(box, canvas.w, canvas.h),
                                 {palette.tones[ToneMetal] * 0.55f, 1.5f, -0.5f, 0.05f}, partSeed);
                    for (float y = y0 + 2; y < y1 - 1; y += 3)
                        strokeLine(canvas, {x0 + 1.5f, y}, {x1 - 1.5f, y}, 1.0f, colour * 0.6f + rgb(10, 10, 10));
                    break;
                }
            }
        }
    }
    if (withOutline) outline(canvas, palette.tones[ToneDark] * 0.25f + rgb(8, 8, 10));
}

Mask craftMask(const Canvas& canvas) {
    Mask mask(canvas.w, canvas.h);
    mask.include(0, 0, canvas.w, canvas.h);
    for (int y = 0; y < canvas.h; ++y)
        for (int x = 0; x < canvas.w; ++x)
            if (canvas.at(x, y)[3] > 0.5f) mask.ref(x, y) = 1;
    return mask;
}

namespace {

// One step of battle damage; the steps add up, so each damage picture shows
// everything the one before it showed, and more.
void damageStep(Canvas& canvas, const Mask& hull, int step, uint32_t seed) {
    LocalRandom random(seed + static_cast<uint32_t>(step) * 7717u);
    const float w = static_cast<float>(hull.x1 - hull.x0), h = static_cast<float>(hull.y1 - hull.y0);
    const float scale = std::min(w, h);
    auto pointOnHull = [&](Pt& out) {
        for (int tries = 0; tries < 60; ++tries) {
            Pt p{hull.x0 + random.uniform() * w, hull.y0 + random.uniform() * h};
            if (hull.get(static_cast<int>(p.x), static_cast<int>(p.y)) > 0 &&
                canvas.alpha(static_cast<int>(p.x), static_cast<int>(p.y)) > 0.5f) {
                out = p;
                return true;
            }
        }
        return false;
    };

    scorch(canvas, hull, 0.22f, 5.0f / scale, seed + static_cast<uint32_t>(step));
    // Cracks: jagged dark lines with a glowing seam.
    for (int i = 0; i < 4; ++i) {
        Pt p;
        if (!pointOnHull(p)) continue;
        std::vector<Pt> crack{p};
        float a = random.range(0, 2 * Pi);
        for (int s = 0; s < 5; ++s) {
            a += random.range(-0.9f, 0.9f);
            float len = scale * random.range(0.03f, 0.06f);
            p = {p.x + std::cos(a) * len, p.y + std::sin(a) * len};
            crack.push_back(p);
        }
        strokePolyline(canvas, crack, 2.6f, rgb(22, 15, 12), 0.9f);
        strokePolyline(canvas, crack, 0.9f, rgb(255, 120, 40), 0.7f);
    }
    // Torn holes: a dark opening with a glowing rim and a broken strut.
    for (int i = 0; i < 2 + step; ++i) {
        Pt p;
        if (!pointOnHull(p)) continue;
        float r = scale * random.range(0.035f, 0.06f) * (1 + 0.2f * step);
        std::vector<Pt> jag;
        for (int k = 0; k < 11; ++k) {
            float a = k * 2 * Pi / 11;
            float rr = r * random.range(0.6f, 1.2f);
            jag.push_back({p.x + std::cos(a) * rr, p.y + std::sin(a) * rr});
        }
        Path hole;
        hole.addPolygon(jag);
        Mask holeMask = fillPath(hole, canvas.w, canvas.h);
        intersect(holeMask, hull);
        glow(canvas, p.x, p.y, r * 1.9f, rgb(255, 110, 30), 0.55f);
        paintMask(canvas, holeMask, [&](float x, float y) {
            float d = std::hypot(x - p.x, y - p.y) / r;
            return mix(rgb(42, 18, 14), rgb(210, 80, 24), smoothstep(0.5f, 1.1f, d));
        });
        strokeLine(canvas, {p.x - r * 0.6f, p.y}, {p.x + r * 0.6f, p.y + r * 0.3f}, 1.5f, rgb(92, 82, 80));
    }
    // Fires.
    static const RampStop fire[] = {{0.0f, rgb(160, 30, 10)}, {0.5f, rgb(255, 120, 20)}, {1.0f, rgb(255, 240, 170)}};
    for (int i = 0; i < 2 * step - 1; ++i) {
        Pt p;
        if (!pointOnHull(p)) continue;
        float len = scale * random.range(0.06f, 0.1f);
        paintFlame(canvas, p.x, p.y, len, len * 0.55f, -1, fire, 3, len * 0.3f, seed + static_cast<uint32_t>(i));
        glow(canvas, p.x, p.y, len * 0.7f, rgb(255, 150, 40), 0.8f);
    }
    // From the third step on, chunks are torn from the edge of the hull.
    if (step >= 3) {
        float cx = hull.x0 + w * 0.5f, cy = hull.y0 + h * 0.5f;
        for (int i = 0; i < 6; ++i) {
            Pt p;
            if (!pointOnHull(p)) continue;
            float dx = p.x - cx, dy = p.y - cy, len = std::hypot(dx, dy);
            if (len < 1) continue;
            dx /= len;
            dy /= len;
            Pt edge = p;  // walk outwards to the edge, then bite there
            while (hull.get(static_cast<int>(edge.x + dx * 2), static_cast<int>(edge.y + dy * 2)) > 0) {
                edge.x += dx * 2;
                edge.y += dy * 2;
            }
            float r = scale * random.range(0.05f, 0.09f);
            std::vector<Pt> jag;
            for (int k = 0; k < 9; ++k) {
                float a = k * 2 * Pi / 9;
                float rr = r * random.range(0.6f, 1.25f);
                jag.push_back({edge.x + std::cos(a) * rr, edge.y + std::sin(a) * rr});
            }
            Path bite;
            bite.addPolygon(jag);
            Mask biteMask = fillPath(bite, canvas.w, canvas.h);
            for (int y = biteMask.y0; y < biteMask.y1; ++y)
                for (int x = biteMask.x0; x < biteMask.x1; ++x) canvas.erase(x, y, biteMask.get(x, y));
            glow(canvas, edge.x, edge.y, r * 1.3f, rgb(255, 100, 20), 0.5f);
        }
        outline(canvas, rgb(30, 14, 10));
    }
}

}  // namespace

void paintDamage(Canvas& canvas, int level, uint32_t seed) {
    if (level <= 0) return;
    Mask hull = craftMask(canvas);
    if (hull.empty()) return;
    for (int step = 1; step <= level; ++step) damageStep(canvas, hull, step, seed);
}

}  // namespace standin
