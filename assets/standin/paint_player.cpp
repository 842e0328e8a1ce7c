// The player's ship and everything it carries and fires: exhaust, option
// pods, shots and muzzle flashes, fan pieces, the laser and its muzzle
// panel, and the power-up item.
#include <algorithm>
#include <cmath>

#include "assets/standin/catalogue.h"
#include "assets/standin/text.h"

namespace standin {

namespace {

constexpr float Pi = 3.14159265f;

struct Livery {
    Rgb hull, wing, accent, stripe, glass;
};
const Livery liveries[] = {
    {rgb(215, 222, 235), rgb(170, 182, 205), rgb(40, 90, 200), rgb(220, 50, 40), rgb(60, 170, 255)},
    {rgb(190, 60, 50), rgb(120, 40, 40), rgb(40, 40, 50), rgb(250, 200, 60), rgb(255, 170, 60)},
};

// The ship in a 60x70 box at (ox, 0), nose up. `roll` turns it about its
// long axis (0 level; the wings narrow and the far wing darkens).
void drawShip(Canvas& canvas, float ox, float roll, const Livery& livery, uint32_t seed) {
    const float axis = ox + 30;
    const float squeeze = std::max(0.18f, std::fabs(std::cos(roll)));
    const float side = std::sin(roll);           // > 0: right wing dips away
    const bool underside = std::cos(roll) < 0;   // past a quarter turn
    auto sx = [&](float x) { return axis + (x - 30) * squeeze; };

    // Engine pods and nozzles at the tail; the exhaust shows below them.
    for (float nx : {24.0f, 36.0f}) {
        Path pod;
        pod.addEllipse(sx(nx), 55, 4.5f * squeeze + 0.5f, 8);
        paintSurface(canvas, fillPath(pod, canvas.w, canvas.h), {rgb(110, 115, 130), 2, 0.7f, 0.1f}, seed + 1);
        fillEllipse(canvas, sx(nx), 62, 3.2f * squeeze + 0.4f, 2.2f, rgb(40, 40, 48));
        fillEllipse(canvas, sx(nx), 62, 1.8f * squeeze + 0.3f, 1.2f, rgb(120, 200, 255));
    }
    // Wings, each lit by the roll.
    for (int s = -1; s <= 1; s += 2) {
        auto wx = [&](float x) { return sx(30 + s * (x - 30)); };
        Path wing;
        wing.addPolygon({{wx(25), 27}, {wx(8), 44}, {wx(3), 52}, {wx(5), 56}, {wx(18), 54}, {wx(25), 50}});
        Material m{livery.wing, 2.5f, 0.6f, 0.08f, 0.15f, 0.1f};
        m.base = m.base * (1 + 0.35f * side * s) * (underside ? 0.6f : 1.0f);
        paintSurface(canvas, fillPath(wing, canvas.w, canvas.h), m, seed + 2 + s);
        strokeLine(canvas, {wx(20), 36}, {wx(7), 50}, 2.0f, livery.accent * (underside ? 0.6f : 1.0f));
        // Wing-tip gun.
        Mask gun = capsuleMask(canvas.w, canvas.h, {wx(5), 38}, {wx(5), 54}, 1.6f);
        paintSurface(canvas, gun, {rgb(150, 155, 170), 1.5f, 0.6f, 0}, seed + 5);
        fillEllipse(canvas, wx(5), 53, 1.5f, 1.5f, livery.stripe);
        // Canards by the cockpit.
        Path canard;
        canard.addPolygon({{wx(26), 19}, {wx(18), 27}, {wx(19), 30}, {wx(26), 27}});
        paintSurface(canvas, fillPath(canard, canvas.w, canvas.h), {livery.wing * 0.9f, 1.5f, 0.6f, 0}, seed + 6);
    }
    // Fuselage.
    Path body;
    body.addMirrored({{30, 1}, {27.5f, 8}, {25.5f, 20}, {24.5f, 36}, {22.5f, 50}, {24, 59}, {27, 61}}, 30);
    body.transform(30, 0, 0, 1, 0, 0);
    for (auto& contour : body.contours)
        for (Pt& p : contour) p.x = sx(p.x);
    Material hull{livery.hull * (underside ? 0.65f : 1.0f), 3.0f, 0.6f, 0.06f, 0.15f, 0.1f, 0.12f};
    Mask bodyMask = fillPath(body, canvas.w, canvas.h);
    paintSurface(canvas, bodyMask, hull, seed + 7);
    // Stripes and panel lines.
    strokeLine(canvas, {sx(30), 33}, {sx(30), 56}, 2.0f * squeeze + 0.6f, livery.accent, 0.85f);
    strokeLine(canvas, {sx(26.5f), 40}, {sx(33.5f), 40}, 1.2f, livery.stripe, 0.9f);
    strokeLine(canvas, {sx(26), 44}, {sx(34), 44}, 1.0f, livery.hull * 0.55f, 0.8f);
    if (!underside) paintDome(canvas, sx(30), 21, 3.6f * squeeze + 0.4f, 7.5f, livery.glass);
    // Nose cannon tip.
    fillEllipse(canvas, sx(30), 3, 1.3f, 1.8f, rgb(255, 240, 200));
    outline(canvas, rgb(24, 26, 40));
}

}  // namespace

void paintPlayerShip(Canvas& canvas, const Art& art) {
    // art.a: step of a barrel roll in 20 (0 level).
    float roll = art.a > 0 ? (art.a - 1) * (2 * Pi / 20) : 0.0f;
    drawShip(canvas, 0, roll, liveries[art.kind == 1 ? 1 : 0], 0x5A1Fu + static_cast<uint32_t>(art.a));
}

void paintPlayerSheet(Canvas& canvas, const Art&) {
    // Banked left, banked right, slightly banked, level (the cell the game draws).
    const float rolls[4] = {-0.6f, 0.6f, -0.25f, 0.0f};
    for (int cell = 0; cell < 4; ++cell)
        drawShip(canvas, cell * 60.0f, rolls[cell], liveries[0], 0x5A1Fu + static_cast<uint32_t>(cell));
}

// Three flickering frames of twin ion flames below the nozzles at (24, 62)
// and (36, 62) of the ship's box.
void paintExhaust(Canvas& canvas, const Art&) {
    canvas.keyThreshold = 0.12f;
    static const RampStop ion[] = {{0.0f, rgb(30, 40, 160)}, {0.35f, rgb(40, 110, 255)},
                                   {0.7f, rgb(130, 220, 255)}, {1.0f, rgb(255, 255, 255)}};
    const float lengths[3][2] = {{17, 14}, {13, 18}, {19, 16}};
    for (int frame = 0; frame < 3; ++frame)
        for (int n = 0; n < 2; ++n) {
            float cx = frame * 60 + (n == 0 ? 24.0f : 36.0f);
            paintFlame(canvas, cx, 62, lengths[frame][n], 7.5f, +1, ion, 4);
        }
}

void paintOptionPod(Canvas& canvas, const Art&) {
    const float cx = 30, cy = 32;
    // Side vanes.
    Path vanes;
    vanes.addPolygon({{cx - 8, cy - 4}, {cx - 25, cy + 2}, {cx - 27, cy + 10}, {cx - 9, cy + 8}});
    vanes.mirrorAll(cx);
    paintSurface(canvas, fillPath(vanes, canvas.w, canvas.h), {rgb(120, 135, 165), 2, 0.6f, 0.1f}, 3);
    // Gun barrel on top.
    Mask barrel = capsuleMask(canvas.w, canvas.h, {cx, 6}, {cx, 20}, 2.4f);
    paintSurface(canvas, barrel, {rgb(150, 155, 170), 1.5f, 0.7f, 0}, 4);
    fillEllipse(canvas, cx, 6, 2, 2, rgb(120, 240, 255));
    // Shell and core.
    Path shell;
    shell.addEllipse(cx, cy, 15, 15);
    paintSurface(canvas, fillPath(shell, canvas.w, canvas.h), {rgb(190, 200, 220), 4, 0.8f, 0.08f, 0.15f, 0.1f},
                 5);
    glow(canvas, cx, cy, 13, rgb(40, 200, 255), 0.9f);
    paintDome(canvas, cx, cy, 6.5f, 6.5f, rgb(60, 220, 255));
    outline(canvas, rgb(20, 26, 40));
}

void paintPlayerShot(Canvas& canvas, const Art& art) {
    canvas.keyThreshold = 0.15f;
    const float w = static_cast<float>(canvas.w), h = static_cast<float>(canvas.h);
    const float cx = w * 0.5f, cy = h * 0.5f;
    const Rgb glowColour = paletteGlow(art.b), core = paletteCore(art.b);
    switch (art.kind) {
        case ShotBolt: {
            float width = art.a == 2 ? w - 2 : w - 3;
            glowEllipse(canvas, cx, cy, w * 0.5f, h * 0.5f, glowColour, 0.6f);
            paintStreak(canvas, {cx, h - width * 0.5f - 1}, {cx, width * 0.5f + 1}, width, glowColour, core);
            break;
        }
        case ShotBoltLeft:
        case ShotBoltRight:
        case ShotDownLeft:
        case ShotDownRight:
        case ShotDown: {
            bool down = art.kind == ShotDown || art.kind == ShotDownLeft || art.kind == ShotDownRight;
            float lean = (art.kind == ShotBoltLeft || art.kind == ShotDownLeft) ? -1.0f
                         : (art.kind == ShotDown)                                ? 0.0f
                                                                                 : 1.0f;
            float slope = down ? (art.a == 2 ? 0.2f : 0.1f) : 0.2f;  // sideways step per step of travel
            float width = std::min(w, h) * 0.55f;
            float half = h * 0.5f - width * 0.5f - 1;
            float dx = lean * slope * half * 2;
            dx = std::clamp(dx, -(w - width) * 0.5f, (w - width) * 0.5f);
            Pt head{cx + dx * 0.5f, down ? h - width * 0.5f - 1 : width * 0.5f + 1};
            Pt tail{cx - dx * 0.5f, down ? width * 0.5f + 1 : h - width * 0.5f - 1};
            glowEllipse(canvas, cx, cy, w * 0.5f, h * 0.5f, glowColour, 0.5f);
            paintStreak(canvas, tail, head, width, glowColour, core);
            break;
        }
        case ShotFlash:
        case ShotFlashLeft:
        case ShotFlashRight: {
            // Steps 1..8 grow to full at 3 and fade; 0 is a still, full flash.
            float k = art.a == 0 ? 1.0f : (art.a <= 3 ? art.a / 3.0f : 1 - (art.a - 3) / 6.0f);
            float lean = art.kind == ShotFlashLeft ? -0.45f : (art.kind == ShotFlashRight ? 0.45f : 0.0f);
            float by = h * 0.72f;
            glowEllipse(canvas, cx, by, w * 0.48f * k, h * 0.3f * k, glowColour, 1.0f);
            for (int i = -2; i <= 2; ++i) {
                float a = -Pi / 2 + lean + i * 0.38f;
                float len = (i == 0 ? h * 0.68f : h * 0.42f) * k;
                Pt tip{cx + std::cos(a) * len, by + std::sin(a) * len};
                tip.x = std::clamp(tip.x, 1.0f, w - 1);
                tip.y = std::max(tip.y, 1.0f);
                glowEllipse(canvas, (cx + tip.x) * 0.5f, (by + tip.y) * 0.5f, 1.5f + std::fabs(tip.x - cx) * 0.5f,
                            1.5f + std::fabs(tip.y - by) * 0.5f, core, 0.8f);
            }
            glow(canvas, cx, by, std::min(w, h) * 0.3f * k + 1, core, 1.5f);
            break;
        }
        case ShotWave: {
            // A crescent opening downwards, leaning by art.a.
            float tilt = art.a * 0.3f;
            for (int y = 0; y < canvas.h; ++y)
                for (int x = 0; x < canvas.w; ++x) {
                    float px = x + 0.5f - cx, py = y + 0.5f - (h * 0.98f);
                    float rx = px * std::cos(tilt) + py * std::sin(tilt);
                    float ry = -px * std::sin(tilt) + py * std::cos(tilt);
                    float d = std::sqrt(rx * rx / (w * w * 0.16f) + ry * ry / (h * h * 0.6f));
                    float band = 1 - std::fabs(d - 1) * 4.0f;
                    if (band <= 0 || ry > 0) continue;
                    float heat = band * (0.6f + 0.4f * clamp01(-ry / (h * 0.6f)));
                    canvas.over(x, y, mix(glowColour, core, heat), clamp01(band * 1.6f));
                }
            break;
        }
        case ShotPod: {
            glowEllipse(canvas, cx, cy, w * 0.5f, h * 0.5f, glowColour, 0.6f);
            paintStreak(canvas, {cx, h - 5}, {cx, 5}, 6, glowColour, core);
            glow(canvas, cx, 6, 4, core, 1.2f);
            break;
        }
        case ShotHoming: {
            glowEllipse(canvas, cx, h - 6, 4, 6, rgb(255, 150, 40), 1.2f);
            Mask body = capsuleMask(canvas.w, canvas.h, {cx, 5}, {cx, h - 9}, 3.2f);
            paintSurface(canvas, body, {rgb(200, 205, 215), 1.5f, 0.7f, 0}, 7);
            Path fins;
            fins.addPolygon({{cx - 3, h - 14}, {cx - 7, h - 8}, {cx - 3, h - 10}});
            fins.mirrorAll(cx);
            paintMask(canvas, fillPath(fins, canvas.w, canvas.h), rgb(200, 60, 40));
            fillEllipse(canvas, cx, 5, 2.2f, 2.5f, rgb(255, 80, 60));
            outline(canvas, rgb(30, 26, 30));
            break;
        }
        default: break;
    }
}

// Weapon E's spinning blade disc (kind 0), or a smaller ray disc (kind 1).
void paintFanPiece(Canvas& canvas, const Art& art) {
    canvas.keyThreshold = 0.12f;
    const float c = canvas.w * 0.5f, r = canvas.w * 0.42f;
    const Rgb edge = art.kind == 0 ? rgb(190, 90, 255) : rgb(255, 120, 200);
    glow(canvas, c, c, r * 1.15f, edge, 0.7f);
    const int blades = art.kind == 0 ? 3 : 4;
    for (int i = 0; i < blades; ++i) {
        float a0 = i * 2 * Pi / blades;
        std::vector<Pt> blade;
        for (int s = 0; s <= 8; ++s) {  // outer edge, sweeping
            float a = a0 + s * 0.12f;
            float rr = r * (0.35f + 0.65f * s / 8.0f);
            blade.push_back({c + std::cos(a) * rr, c + std::sin(a) * rr});
        }
        for (int s = 8; s >= 0; --s) {  // inner edge back
            float a = a0 + s * 0.12f - 0.55f;
            float rr = r * (0.3f + 0.5f * s / 8.0f);
            blade.push_back({c + std::cos(a) * rr, c + std::sin(a) * rr});
        }
        Path p;
        p.addPolygon(blade);
        Mask m = fillPath(p, canvas.w, canvas.h);
        paintMask(canvas, m, [&](float x, float y) {
            float d = std::hypot(x - c, y - c) / r;
            return mix(rgb(255, 240, 255), edge, clamp01(d));
        });
    }
    glow(canvas, c, c, r * 0.45f, rgb(255, 255, 255), 1.3f);
    fillEllipse(canvas, c, c, r * 0.16f, r * 0.16f, rgb(255, 255, 255));
}

// Beams of the laser. Kind 0: the 240x280 frames the game draws, left beam in
// the left half (straight up above the ship's nose), right beam in the right
// half (towards the top right corner); both grow over the first frames and
// flare at the end point in the last ones. Kind 1: compact red beam; kind 2:
// thin violet beam.
void paintLaser(Canvas& canvas, const Art& art) {
    canvas.keyThreshold = 0.12f;
    const int frame = art.a;  // 1..
    const float t = frame / 16.0f;
    const float grow = clamp01(frame / 5.0f);
    const float pulse = 0.8f + 0.2f * std::sin(frame * 1.7f);
    auto beam = [&](Pt from, Pt to, float width, Rgb outer, Rgb inner, float flare) {
        Pt head{from.x + (to.x - from.x) * grow, from.y + (to.y - from.y) * grow};
        Mask halo = capsuleMask(canvas.w, canvas.h, from, head, width);
        paintMask(canvas, halo, outer, 0.45f * pulse);
        Mask body = capsuleMask(canvas.w, canvas.h, from, head, width * 0.55f);
        paintMask(canvas, body, mix(outer, inner, 0.5f));
        Mask core = capsuleMask(canvas.w, canvas.h, from, head, width * 0.22f + 0.5f);
        paintMask(canvas, core, inner);
        if (flare > 0) {
            glow(canvas, head.x, head.y, width * 3.5f * flare, outer, 1.0f);
            glow(canvas, head.x, head.y, width * 1.6f * flare, inner, 1.4f);
        }
    };
    if (art.kind == 0) {
        const Rgb outer = rgb(70, 140, 255), inner = rgb(235, 250, 255);
        float width = 4 + 2.5f * grow;
        float flare = frame >= 13 ? (frame - 12) / 4.0f : 0.0f;
        beam({113, 176}, {113, 4}, width, outer, inner, flare);
        beam({128, 176}, {236, 4}, width, outer, inner, flare);
        // Charge rings round the nose while the beams build up.
        if (frame <= 6) {
            glow(canvas, 113, 172, 6 * (1.2f - t), inner, 1.0f);
            glow(canvas, 128, 172, 6 * (1.2f - t), inner, 1.0f);
        }
        return;
    }
    const Rgb outer = art.kind == 1 ? rgb(255, 60, 60) : rgb(180, 80, 255);
    const Rgb inner = art.kind == 1 ? rgb(255, 230, 220) : rgb(245, 230, 255);
    float cx = canvas.w * 0.5f;
    float width = art.kind == 1 ? 6 + 4 * grow : 2.5f + 1.5f * grow;
    beam({cx, canvas.h - width - 2.0f}, {cx, width + 2.0f}, width, outer, inner, frame >= 13 ? 0.6f : 0.0f);
}

// The laser's emitter, carried ahead of the ship in the ship's own livery:
// a white fork with blue stripes whose lens (lit: kind 0) sits over the
// beams' muzzle.
void paintLaserPanel(Canvas& canvas, const Art& art) {
    const bool lit = art.kind == 0;
    const Livery& livery = liveries[0];
    Path yoke;
    yoke.addMirrored({{30, 33}, {21, 33}, {15, 38}, {16, 45}, {23, 48}, {30, 48}}, 30);
    paintSurface(canvas, fillPath(yoke, canvas.w, canvas.h), {livery.wing, 2.5f, 0.6f, 0.06f, 0.15f, 0.1f}, 11);
    Path prongs;
    prongs.addPolygon({{19, 46}, {9, 40}, {5, 26}, {6, 10}, {10, 3}, {14, 9}, {14, 24}, {18, 33}, {24, 38}});
    prongs.mirrorAll(30);
    paintSurface(canvas, fillPath(prongs, canvas.w, canvas.h), {livery.hull, 3, 0.6f, 0.06f, 0.15f, 0.15f, 0.1f},
                 12);
    for (int s = -1; s <= 1; s += 2) {
        strokeLine(canvas, {30 + s * 20.5f, 9}, {30 + s * 20.5f, 30}, 2.0f, livery.accent, 0.9f);
        strokeLine(canvas, {30 + s * 19.0f, 39}, {30 + s * 9.0f, 43.5f}, 1.6f, livery.accent, 0.85f);
    }
    if (lit) {
        glow(canvas, 30, 22, 14, livery.glass, 0.9f);
        paintDome(canvas, 30, 22, 6, 6, rgb(120, 210, 255));
        glow(canvas, 30, 22, 4.5f, rgb(255, 255, 255), 1.2f);
    } else {
        paintDome(canvas, 30, 22, 6, 6, rgb(60, 80, 120));
    }
    outline(canvas, rgb(24, 26, 40));
}

void paintPowerUp(Canvas& canvas, const Art&) {
    const float c = 30;
    glow(canvas, c, c, 29, rgb(255, 90, 40), 0.8f);
    Path ring;
    ring.addEllipse(c, c, 22, 22);
    ring.addHole([] {
        std::vector<Pt> pts;
        for (int i = 0; i < 40; ++i) {
            double a = -2.0 * 3.14159265358979 * i / 40;
            pts.push_back({30 + 16 * static_cast<float>(std::cos(a)), 30 + 16 * static_cast<float>(std::sin(a))});
        }
        return pts;
    }());
    paintSurface(canvas, fillPath(ring, canvas.w, canvas.h), {rgb(230, 120, 40), 3, 0.9f, 0.05f, 0.2f, 0.2f}, 13);
    paintDome(canvas, c, c, 15, 15, rgb(200, 30, 40));
    drawText(canvas, TxtPowerP, c + 0.5f, c - textHeight(TxtPowerP) * 0.5f, Align::Centre, rgb(255, 250, 230),
             rgb(90, 10, 10), 1);
    outline(canvas, rgb(40, 14, 10));
}

}  // namespace standin
