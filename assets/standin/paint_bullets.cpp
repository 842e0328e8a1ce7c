// Shots of the enemies and bosses: one shape and colour per family, each
// with a bright core, a light rim and a dark keyline round it, so that a
// shot stands out on light and dark ground alike. Strips hold animation
// frames or the cells of a chain, one square cell each.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "assets/standin/catalogue.h"

namespace standin {

namespace {

constexpr float Pi = 3.14159265f;

struct Cell {
    float x0, y0, size;  // the square cell
    float cx() const { return x0 + size * 0.5f; }
    float cy() const { return y0 + size * 0.5f; }
};

// Round shot: halo, body shading from the colour to a white core, glint.
void orb(Canvas& canvas, float cx, float cy, float r, Rgb glowColour, Rgb core) {
    glow(canvas, cx, cy, r * 1.35f, glowColour, 0.75f);
    int x0 = static_cast<int>(cx - r - 1), x1 = static_cast<int>(cx + r + 2);
    int y0 = static_cast<int>(cy - r - 1), y1 = static_cast<int>(cy + r + 2);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / (r * 0.78f);
            float cover = clamp01((1 - d) * r * 0.78f + 0.5f);
            if (cover <= 0) continue;
            canvas.over(x, y, mix(core, glowColour, smoothstep(0.25f, 1.0f, d)), cover);
        }
    fillEllipse(canvas, cx - r * 0.25f, cy - r * 0.3f, r * 0.18f + 0.4f, r * 0.14f + 0.4f, rgb(255, 255, 255), 0.9f);
}

// A polygon of light: the colour at its rim, the core towards its middle.
void lightPolygon(Canvas& canvas, const std::vector<Pt>& pts, Pt centre, float reach, Rgb glowColour, Rgb core) {
    Path path;
    path.addPolygon(pts);
    paintMask(canvas, fillPath(path, canvas.w, canvas.h), [&](float x, float y) {
        float d = std::hypot(x + 0.5f - centre.x, y + 0.5f - centre.y) / reach;
        return mix(core, glowColour, smoothstep(0.1f, 0.9f, d));
    });
}

std::vector<Pt> starPoints(Pt c, float outer, float inner, int spikes, float angle) {
    std::vector<Pt> pts;
    for (int i = 0; i < spikes * 2; ++i) {
        float a = angle + i * Pi / spikes;
        float r = i % 2 == 0 ? outer : inner;
        pts.push_back({c.x + std::cos(a) * r, c.y + std::sin(a) * r});
    }
    return pts;
}

// A comet heading along (dx, dy): bright head, tail behind it.
void comet(Canvas& canvas, const Cell& cell, float dx, float dy, Rgb glowColour, Rgb core, float headScale) {
    float len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    float r = cell.size * 0.22f * headScale;
    Pt head{cell.cx() + dx * cell.size * 0.2f, cell.cy() + dy * cell.size * 0.2f};
    Pt tail{head.x - dx * cell.size * 0.52f, head.y - dy * cell.size * 0.52f};
    paintStreak(canvas, tail, head, r * 2.2f, glowColour, core);
    orb(canvas, head.x, head.y, r, glowColour, core);
}

void drawShape(Canvas& canvas, int shape, const Cell& cell, int frame, int frames, int index, int count,
               Rgb glowColour, Rgb core) {
    const float s = cell.size, cx = cell.cx(), cy = cell.cy();
    const float turn = frames > 1 ? static_cast<float>(frame) / frames : 0.0f;
    switch (shape) {
        case BulletOrb: orb(canvas, cx, cy, s * 0.45f, glowColour, core); break;
        case BulletRing: {
            glow(canvas, cx, cy, s * 0.5f, glowColour, 0.6f);
            for (int y = static_cast<int>(cell.y0); y < static_cast<int>(cell.y0 + s); ++y)
                for (int x = static_cast<int>(cell.x0); x < static_cast<int>(cell.x0 + s); ++x) {
                    float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
                    float band = 1 - std::fabs(d - s * 0.32f) / (s * 0.1f);
                    if (band > 0) canvas.over(x, y, mix(glowColour, core, band * 0.8f), clamp01(band * 2));
                }
            glow(canvas, cx, cy, s * 0.2f, core, 1.4f);
            break;
        }
        case BulletStar: {
            glow(canvas, cx, cy, s * 0.5f, glowColour, 0.7f);
            lightPolygon(canvas, starPoints({cx, cy}, s * 0.48f, s * 0.17f, 4, turn * Pi * 0.5f), {cx, cy},
                         s * 0.48f, glowColour, core);
            glow(canvas, cx, cy, s * 0.18f, rgb(255, 255, 255), 1.2f);
            break;
        }
        case BulletDiamond: {
            glow(canvas, cx, cy, s * 0.5f, glowColour, 0.6f);
            float rx = s * 0.3f, ry = s * 0.46f;
            lightPolygon(canvas, {{cx, cy - ry}, {cx + rx, cy}, {cx, cy + ry}, {cx - rx, cy}}, {cx, cy}, ry,
                         glowColour, core);
            // A darker facet on the right for depth.
            Path facet;
            facet.addPolygon({{cx, cy - ry}, {cx + rx, cy}, {cx, cy + ry}});
            paintMask(canvas, fillPath(facet, canvas.w, canvas.h), glowColour * 0.6f, 0.45f);
            break;
        }
        case BulletNeedle: {
            glowEllipse(canvas, cx, cy, s * 0.3f, s * 0.5f, glowColour, 0.7f);
            lightPolygon(canvas, {{cx, cy + s * 0.47f}, {cx + s * 0.16f, cy - s * 0.1f}, {cx, cy - s * 0.42f},
                                  {cx - s * 0.16f, cy - s * 0.1f}},
                         {cx, cy + s * 0.1f}, s * 0.45f, glowColour, core);
            break;
        }
        case BulletCross: {
            glow(canvas, cx, cy, s * 0.5f, glowColour, 0.7f);
            lightPolygon(canvas, starPoints({cx, cy}, s * 0.47f, s * 0.12f, 4, turn * Pi * 0.5f + Pi / 4), {cx, cy},
                         s * 0.47f, glowColour, core);
            lightPolygon(canvas, starPoints({cx, cy}, s * 0.3f, s * 0.1f, 4, turn * Pi * 0.5f), {cx, cy}, s * 0.3f,
                         glowColour, core);
            break;
        }
        case BulletCometLeft: comet(canvas, cell, -0.7f, 1.0f, glowColour, core, 0.8f); break;
        case BulletCometRight: comet(canvas, cell, 0.7f, 1.0f, glowColour, core, 0.8f); break;
        case BulletArrowLeft:
        case BulletArrowRight: {
            float dir = shape == BulletArrowLeft ? -1.0f : 1.0f;
            float a = std::atan2(1.0f, 0.7f * dir);  // heading down and sideways
            glow(canvas, cx, cy, s * 0.5f, glowColour, 0.8f);
            std::vector<Pt> arrow = {{s * 0.48f, 0}, {-s * 0.24f, s * 0.2f}, {-s * 0.08f, 0}, {-s * 0.24f, -s * 0.2f}};
            for (Pt& p : arrow)
                p = {cx + p.x * std::cos(a) - p.y * std::sin(a), cy + p.x * std::sin(a) + p.y * std::cos(a)};
            lightPolygon(canvas, arrow, {cx, cy}, s * 0.45f, glowColour, core);
            glow(canvas, cx, cy, s * 0.15f, rgb(255, 255, 255), 1.2f);
            break;
        }
        case BulletChain: {
            // Bead `index` of a chain of `count`, spiked along its drift.
            float centre = (count - 1) * 0.5f;
            float offset = centre > 0 ? (index - centre) / centre : 0.0f;  // -1 .. 1
            float r = s * (0.3f + 0.08f * (1 - std::fabs(offset)));
            float drift = std::atan2(0.6f, offset);  // points sideways-down the way it drifts
            lightPolygon(canvas, starPoints({cx, cy}, r * 1.45f, r * 0.75f, 6, drift), {cx, cy}, r * 1.45f,
                         glowColour, core);
            orb(canvas, cx, cy, r, glowColour, core);
            break;
        }
        case BulletPairs: {
            // Cells 2, 3, 4: the left-drifting shot, the single shot, the right-drifting shot.
            if (index == 2) comet(canvas, cell, -0.55f, 1.0f, glowColour, core, 0.95f);
            else if (index == 4) comet(canvas, cell, 0.55f, 1.0f, glowColour, core, 0.95f);
            else if (index == 3) comet(canvas, cell, 0.0f, 1.0f, glowColour, core, 1.0f);
            else orb(canvas, cx, cy, s * 0.3f, glowColour, core);
            break;
        }
        case BulletMissile: {
            // A finned warhead with a hot core; it looks right turned any way.
            glow(canvas, cx, cy, s * 0.5f, glowColour, 0.7f);
            for (int k = 0; k < 4; ++k) {
                float a = Pi / 4 + k * Pi / 2;
                std::vector<Pt> fin = {{cx + std::cos(a - 0.35f) * s * 0.18f, cy + std::sin(a - 0.35f) * s * 0.18f},
                                       {cx + std::cos(a) * s * 0.47f, cy + std::sin(a) * s * 0.47f},
                                       {cx + std::cos(a + 0.35f) * s * 0.18f, cy + std::sin(a + 0.35f) * s * 0.18f}};
                Path p;
                p.addPolygon(fin);
                paintSurface(canvas, fillPath(p, canvas.w, canvas.h), {rgb(170, 165, 175), 1.5f, 0.6f, 0}, 3);
            }
            Path shell;
            shell.addEllipse(cx, cy, s * 0.3f, s * 0.3f);
            paintSurface(canvas, fillPath(shell, canvas.w, canvas.h), {rgb(150, 150, 160), 2.5f, 0.8f, 0.05f}, 4);
            orb(canvas, cx, cy, s * 0.2f, glowColour, core);
            break;
        }
        case BulletPulse: {
            float pulse = frames > 1 ? 0.5f + 0.5f * std::sin(turn * 2 * Pi) : 0.6f;
            glow(canvas, cx, cy, s * (0.42f + 0.08f * pulse), glowColour, 0.6f + 0.4f * pulse);
            for (int y = static_cast<int>(cell.y0); y < static_cast<int>(cell.y0 + s); ++y)
                for (int x = static_cast<int>(cell.x0); x < static_cast<int>(cell.x0 + s); ++x) {
                    float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
                    float band = 1 - std::fabs(d - s * (0.38f + 0.05f * pulse)) / (s * 0.06f);
                    if (band > 0) canvas.add(x, y, glowColour, band * 0.8f);
                }
            orb(canvas, cx, cy, s * 0.3f, glowColour, core);
            for (int k = 0; k < 2; ++k) {  // highlights turning round the rim
                float a = turn * 2 * Pi + k * Pi;
                glow(canvas, cx + std::cos(a) * s * 0.38f, cy + std::sin(a) * s * 0.38f, s * 0.1f, core, 1.2f);
            }
            break;
        }
        default: orb(canvas, cx, cy, s * 0.45f, glowColour, core); break;
    }
}

// How much a pixel must be covered to belong to the shot, how bright its
// rim (the two rings of pixels along its edge) is at least, and how dark the
// keyline round it is against the family colour.
constexpr float SolidCover = 0.45f;
constexpr float RimLuminance = 0.32f;
constexpr float KeylineShade = 0.22f;

// Makes the shot drawn on `cell` crisp: what the shape covers well becomes
// solid, its rim is lifted to a light tint of its own colour, a keyline of
// the family's darkest shade goes round it (the cell's border row is kept
// for it), and the soft light beyond is cleared to the key.
void crispen(Canvas& cell, Rgb glowColour) {
    const int w = cell.w, h = cell.h;
    std::vector<uint8_t> solid(static_cast<size_t>(w) * h, 0);
    for (int y = 1; y + 1 < h; ++y)
        for (int x = 1; x + 1 < w; ++x) solid[static_cast<size_t>(y) * w + x] = cell.at(x, y)[3] >= SolidCover;
    auto isSolid = [&](int x, int y) { return cell.inside(x, y) && solid[static_cast<size_t>(y) * w + x] != 0; };
    auto touches = [&](int x, int y, auto test) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if ((dx != 0 || dy != 0) && test(x + dx, y + dy)) return true;
        return false;
    };
    auto edge = [&](int x, int y) {
        return isSolid(x, y) && touches(x, y, [&](int u, int v) { return !isSolid(u, v); });
    };
    const Rgb keyline = glowColour * KeylineShade;
    std::vector<float> out(static_cast<size_t>(w) * h * 4, 0.0f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float* o = &out[(static_cast<size_t>(y) * w + x) * 4];
            Rgb c;
            if (isSolid(x, y)) {
                const float* p = cell.at(x, y);
                c = Rgb{p[0], p[1], p[2]} * (1 / p[3]);
                if (edge(x, y) || touches(x, y, edge)) c = liftToLuminance(c, RimLuminance);
            } else if (touches(x, y, isSolid)) {
                c = keyline;
            } else {
                continue;
            }
            o[0] = clamp01(c.r);
            o[1] = clamp01(c.g);
            o[2] = clamp01(c.b);
            o[3] = 1;
        }
    std::copy(out.begin(), out.end(), cell.px.begin());
}

}  // namespace

// kind: shape, a: animation frames (1: a still picture), b: palette. Square
// cells side by side; a chain or pair strip has one cell per part. Each cell
// is drawn on its own, one pixel in from its border, and then crispened.
void paintBullet(Canvas& canvas, const Art& art) {
    const Rgb glowColour = paletteGlow(art.b), core = paletteCore(art.b);
    const int cells = std::max(1, canvas.w / canvas.h);
    // A lone picture that is not square (none in the set) uses its own middle.
    const int side = cells == 1 ? std::min(canvas.w, canvas.h) : canvas.h;
    for (int i = 0; i < cells; ++i) {
        const int left = cells == 1 ? (canvas.w - side) / 2 : i * side;
        const int top = cells == 1 ? (canvas.h - side) / 2 : 0;
        Canvas cell(side, side);
        drawShape(cell, art.kind, Cell{1, 1, side - 2.0f}, art.a > 1 ? i : 0, art.a > 1 ? art.a : 1, i, cells,
                  glowColour, core);
        crispen(cell, glowColour);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) std::copy_n(cell.at(x, y), 4, canvas.at(left + x, top + y));
    }
}

}  // namespace standin
