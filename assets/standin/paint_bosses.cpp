// The three stage bosses (facing down, guns where the game fires from), with
// damage pictures that grow more wrecked, two spare craft, and the warning
// pictures that herald a boss.
#include <algorithm>
#include <cmath>
#include <mutex>

#include "assets/standin/catalogue.h"
#include "assets/standin/craft.h"
#include "assets/standin/text.h"

namespace standin {

namespace {

using K = PartKind;

struct BossLook {
    CraftPalette palette;
    float axis;
    std::vector<Part> parts;
};

// At namespace scope, so the table outlives the background workers at exit.
const BossLook bossLooks[] = {
    // Stage 1 (440x360): armoured crab battleship, olive plate, red eye.
    {{{rgb(118, 128, 108), rgb(172, 162, 122), rgb(50, 56, 48), rgb(172, 172, 162), rgb(232, 92, 42),
       rgb(255, 72, 52), rgb(255, 150, 50)}},
     205,
     {{K::Wing, ToneTrim, true, {{122, 60}, {62, 48}, {24, 90}, {14, 170}, {30, 250}, {56, 292}, {70, 240},
                                 {62, 182}, {92, 152}, {128, 150}}, 7},
      {K::Inset, ToneTrim, true, {{40, 120}, {30, 170}, {44, 230}, {56, 240}, {52, 180}, {62, 140}}},
      {K::Hull, ToneHull, true, {{205, 4}, {150, 8}, {92, 30}, {64, 70}, {62, 130}, {82, 180}, {122, 210},
                                 {160, 228}, {190, 238}, {205, 240}}, 9},
      {K::Inset, ToneHull, true, {{205, 26}, {162, 32}, {124, 62}, {114, 108}, {142, 150}, {205, 162}}},
      {K::Vent, ToneTrim, true, {{150, 14}, {180, 40}}},
      {K::Nozzle, ToneGlow, true, {{118, 28}}, 9},
      {K::Line, ToneDark, true, {{80, 60}, {150, 200}}, 2},
      {K::Line, ToneDark, true, {{100, 40}, {190, 40}}, 2},
      // Twin turrets of the aimed lines (85/105 and 305/325, y 100).
      {K::Gun, ToneMetal, true, {{85, 100}, {85, 134}}, 4},
      {K::Gun, ToneMetal, true, {{105, 100}, {105, 134}}, 4},
      {K::Ellipse, ToneTrim, true, {{95, 96}, {19, 15}}, 5},
      {K::Dome, ToneGlass, true, {{95, 92}, {6, 5}}},
      // Pair guns along the hull.
      {K::Gun, ToneMetal, true, {{75, 140}, {75, 160}}, 3},
      {K::Gun, ToneMetal, true, {{110, 160}, {110, 180}}, 3},
      {K::Gun, ToneMetal, true, {{120, 120}, {120, 140}}, 3},
      // Ring muzzles (120 and 300, y 130).
      {K::Nozzle, ToneGlow, false, {{120, 130}}, 7},
      {K::Nozzle, ToneGlow, false, {{300, 130}}, 7},
      // The central eye (fans from 200..210, 130) and the jaw (chains from 200, 154).
      {K::Wing, ToneTrim, true, {{205, 150}, {168, 160}, {176, 204}, {205, 218}}, 5},
      {K::Gun, ToneMetal, false, {{205, 176}, {205, 214}}, 6},
      {K::Ellipse, ToneDark, false, {{205, 128}, {36, 32}}, 5},
      {K::Dome, ToneGlass, false, {{205, 128}, {24, 21}}},
      {K::Light, ToneAccent, true, {{160, 110}}, 2.5f},
      {K::Light, ToneAccent, true, {{140, 186}}, 2.5f},
      {K::Light, ToneAccent, true, {{44, 200}}, 2.5f}}},
    // Stage 2 (500x400): crimson winged fortress with blue engines.
    {{{rgb(160, 42, 52), rgb(202, 172, 152), rgb(60, 22, 30), rgb(176, 166, 166), rgb(255, 202, 62),
       rgb(82, 222, 255), rgb(122, 222, 255)}},
     240,
     {{K::Wing, ToneHull, true, {{206, 40}, {126, 66}, {22, 166}, {6, 232}, {40, 244}, {124, 206}, {190, 214}},
       9},
      {K::Inset, ToneHull, true, {{186, 80}, {130, 100}, {60, 180}, {62, 200}, {130, 176}, {186, 182}}},
      {K::Line, ToneDark, true, {{40, 214}, {150, 150}}, 2},
      {K::Line, ToneDark, true, {{26, 196}, {120, 110}}, 2},
      {K::Gun, ToneMetal, true, {{24, 216}, {24, 246}}, 3.5f},
      {K::Light, ToneGlass, true, {{60, 206}}, 3},
      {K::Ellipse, ToneTrim, true, {{112, 138}, {28, 56}}, 7},
      {K::Nozzle, ToneGlow, true, {{112, 90}}, 12},
      {K::Vent, ToneDark, true, {{98, 150}, {126, 186}}},
      // Fan batteries on the pods (100..130 and 330..360, y 130).
      {K::Gun, ToneMetal, true, {{100, 126}, {100, 154}}, 3.2f},
      {K::Gun, ToneMetal, true, {{130, 126}, {130, 154}}, 3.2f},
      {K::Gun, ToneMetal, true, {{115, 100}, {115, 122}}, 3.6f},
      {K::Hull, ToneHull, true, {{240, 6}, {214, 12}, {196, 40}, {186, 120}, {176, 200}, {190, 262},
                                 {214, 302}, {240, 318}}, 9},
      {K::Inset, ToneHull, true, {{240, 60}, {222, 66}, {212, 120}, {208, 200}, {222, 240}, {240, 246}}},
      // Sweep spires (185 and 285, y 30).
      {K::Wing, ToneTrim, true, {{185, 4}, {176, 40}, {194, 40}}},
      {K::Dome, ToneGlass, true, {{185, 32}, {5, 5}}},
      // Salvo tubes on the tower.
      {K::Nozzle, ToneGlow, true, {{212, 110}}, 5},
      {K::Nozzle, ToneGlow, true, {{192, 150}}, 5},
      {K::Nozzle, ToneGlow, true, {{162, 110}}, 5},
      {K::Nozzle, ToneGlow, false, {{242, 200}}, 6},
      // Ring muzzles (140 and 340, y 130).
      {K::Nozzle, ToneGlow, true, {{142, 132}}, 6},
      {K::Dome, ToneGlass, false, {{240, 266}, {16, 24}}},
      {K::Line, ToneDark, true, {{196, 60}, {60, 200}}, 2},
      {K::Light, ToneAccent, true, {{30, 228}}, 3},
      {K::Light, ToneAccent, true, {{170, 200}}, 2.5f}}},
    // Stage 3 (440x380): violet bio-mechanical core with gold batteries.
    {{{rgb(112, 72, 152), rgb(212, 172, 82), rgb(46, 30, 62), rgb(182, 172, 192), rgb(122, 255, 162),
       rgb(255, 82, 202), rgb(255, 122, 222)}},
     205,
     {{K::Wing, ToneHull, true, {{172, 280}, {140, 340}, {160, 376}, {192, 322}}, 6},
      {K::Hull, ToneHull, true, {{205, 36}, {132, 24}, {52, 60}, {16, 120}, {30, 200}, {88, 262}, {150, 302},
                                 {205, 314}}, 10},
      {K::Inset, ToneHull, true, {{205, 60}, {140, 52}, {90, 80}, {70, 120}, {96, 200}, {150, 250},
                                  {205, 262}}},
      // Crown spikes (sweeps from 165, 205, 245 near the top).
      {K::Wing, ToneTrim, true, {{165, 36}, {160, 2}, {176, 34}}},
      {K::Hull, ToneTrim, true, {{205, 0}, {196, 34}, {205, 44}}},
      // Side batteries: barrels at x 50..100 (and their mirror), y 130.
      {K::Wing, ToneTrim, true, {{40, 104}, {112, 100}, {116, 130}, {40, 136}}, 4},
      {K::Gun, ToneMetal, true, {{50, 126}, {50, 152}}, 3},
      {K::Gun, ToneMetal, true, {{62, 126}, {62, 152}}, 3},
      {K::Gun, ToneMetal, true, {{74, 126}, {74, 152}}, 3},
      {K::Gun, ToneMetal, true, {{86, 126}, {86, 152}}, 3},
      {K::Gun, ToneMetal, true, {{100, 126}, {100, 152}}, 3},
      {K::Gun, ToneMetal, true, {{60, 96}, {60, 110}}, 3.5f},
      {K::Light, ToneAccent, true, {{105, 100}}, 3},
      {K::Light, ToneAccent, true, {{85, 100}}, 3},
      // Missile pods (launchers at 125..135, y 105..135).
      {K::Ellipse, ToneTrim, true, {{130, 120}, {17, 24}}, 5},
      {K::Nozzle, ToneGlow, true, {{125, 106}}, 4},
      {K::Nozzle, ToneGlow, true, {{131, 121}}, 4},
      {K::Nozzle, ToneGlow, true, {{136, 136}}, 4},
      // The core (fans from 200, 130).
      {K::Ellipse, ToneDark, false, {{205, 160}, {66, 66}}, 6},
      {K::Star, ToneTrim, false, {{205, 160}, {60, 46}}, 12},
      {K::Ellipse, ToneHull, false, {{205, 160}, {44, 44}}, 6},
      {K::Dome, ToneGlass, false, {{205, 160}, {30, 30}}},
      {K::Light, ToneGlow, false, {{205, 160}}, 6},
      {K::Gun, ToneMetal, false, {{205, 120}, {205, 132}}, 4},
      {K::Light, ToneAccent, true, {{75, 140}}, 3},
      {K::Line, ToneDark, true, {{60, 80}, {150, 270}}, 2}}},
};

const BossLook& bossLook(int which) {
    return bossLooks[which >= 0 && which < 3 ? which : 0];
}

// A look drawn smaller, in another palette (the spare craft).
BossLook scaledLook(const BossLook& look, float scale, float dx, float dy, const CraftPalette& palette) {
    BossLook out{palette, look.axis * scale + dx, look.parts};
    for (Part& part : out.parts) {
        bool radii = part.kind == K::Ellipse || part.kind == K::Dome || part.kind == K::Star;
        for (size_t i = 0; i < part.pts.size(); ++i) {
            if (radii && i == 1) {
                part.pts[i] = {part.pts[i].x * scale, part.pts[i].y * scale};
            } else {
                part.pts[i] = {part.pts[i].x * scale + dx, part.pts[i].y * scale + dy};
            }
        }
        part.size *= part.kind == K::Star ? 1.0f : scale;
    }
    return out;
}

// Each stage boss undamaged, drawn once and shared by its damage pictures
// (which may be made on different threads).
struct UndamagedBoss {
    std::once_flag drawn;
    FloatBuffer px;
};
UndamagedBoss undamagedBosses[3];

}  // namespace

// kind: 0..2 the stage bosses, 3 and 4 spare craft (after the stage-1 and
// stage-3 bosses, in other colours); a: damage level 0..3. A picture of
// another size than the boss's own shows it scaled to fit.
void paintBoss(Canvas& canvas, const Art& art) {
    static const int ownWidth[3] = {440, 500, 440}, ownHeight[3] = {360, 400, 380};
    const uint32_t seed = 0xB055u + static_cast<uint32_t>(art.kind) * 131u;
    const int model = art.kind == 3 ? 0 : (art.kind == 4 ? 2 : std::clamp(art.kind, 0, 2));
    const BossLook& own = bossLook(model);
    if (art.kind == model && canvas.w == ownWidth[model] && canvas.h == ownHeight[model]) {
        UndamagedBoss& undamaged = undamagedBosses[model];
        std::call_once(undamaged.drawn, [&] {
            Canvas clean(canvas.w, canvas.h);
            drawCraft(clean, own.parts, own.palette, own.axis, seed);
            undamaged.px = clean.px;
        });
        canvas.px = undamaged.px;
    } else {
        static const CraftPalette teal{{rgb(62, 132, 142), rgb(182, 182, 172), rgb(26, 52, 60), rgb(172, 176, 180),
                                        rgb(252, 212, 82), rgb(252, 232, 122), rgb(255, 180, 60)}};
        static const CraftPalette rust{{rgb(152, 92, 52), rgb(112, 112, 122), rgb(60, 40, 30), rgb(172, 166, 160),
                                        rgb(82, 232, 255), rgb(82, 232, 255), rgb(120, 220, 255)}};
        const CraftPalette& palette = art.kind == 3 ? teal : (art.kind == 4 ? rust : own.palette);
        float scale = std::min(static_cast<float>(canvas.w) / ownWidth[model],
                               static_cast<float>(canvas.h) / ownHeight[model]);
        float dx = (canvas.w - ownWidth[model] * scale) * 0.5f, dy = (canvas.h - ownHeight[model] * scale) * 0.5f;
        BossLook look = scaledLook(own, scale, dx, dy, palette);
        drawCraft(canvas, look.parts, look.palette, look.axis, seed);
    }
    paintDamage(canvas, art.a, seed + 1000u);
}

// The warning that heralds a boss (kind 0, 480x480, with the stage-1 boss's
// outline in it) or a smaller one (kind 1).
void paintBossIntro(Canvas& canvas, const Art& art) {
    const float cx = canvas.w * 0.5f;
    const float bandTop = art.kind == 0 ? 150 : 40, bandBottom = art.kind == 0 ? 330 : 200;
    // The heralded craft, a dark red shadow behind the band.
    if (art.kind == 0) {
        const BossLook& boss = bossLook(0);
        CraftPalette shadow;
        for (Rgb& tone : shadow.tones) tone = rgb(70, 16, 14);
        BossLook look = scaledLook(boss, 0.95f, cx - boss.axis * 0.95f, 70, shadow);
        drawCraft(canvas, look.parts, look.palette, look.axis, 1, false);
        for (size_t i = 0; i < canvas.px.size(); i += 4)  // keep it dim and flat
            if (canvas.px[i + 3] > 0) {
                float k = 1.3f;
                canvas.px[i] *= k;
                canvas.px[i + 1] *= k;
                canvas.px[i + 2] *= k;
            }
    }
    // Hazard stripes above and below the band.
    for (float y : {bandTop - 18, bandBottom + 4})
        for (int x = static_cast<int>(cx - 170); x < static_cast<int>(cx + 170); ++x)
            for (int row = 0; row < 14; ++row) {
                bool yellow = ((x + row) / 14) % 2 == 0;
                canvas.over(x, static_cast<int>(y) + row, yellow ? rgb(240, 200, 40) : rgb(40, 34, 30), 1);
            }
    // The band.
    Path band;
    band.addRect(cx - 170, bandTop, cx + 170, bandBottom);
    paintMask(canvas, fillPath(band, canvas.w, canvas.h), [&](float, float y) {
        float t = (y - bandTop) / (bandBottom - bandTop);
        return mix(rgb(120, 20, 20), rgb(52, 8, 10), std::fabs(t - 0.5f) * 2);
    });
    float textTop = bandTop + (art.kind == 0 ? 22 : 16);
    drawText(
        canvas, TxtWarning, cx, textTop, Align::Centre,
        [&](float, float y) { return mix(rgb(255, 250, 200), rgb(255, 120, 40), clamp01((y - textTop) / 60)); },
        rgb(60, 0, 0), 2);
    float lineTop = textTop + textHeight(TxtWarning) + 22;
    drawText(canvas, TxtWarningLine, cx, lineTop, Align::Centre, rgb(255, 220, 200), rgb(40, 0, 0), 1);
    drawText(canvas, TxtWarningLine2, cx, lineTop + textHeight(TxtWarningLine) + 10, Align::Centre,
             rgb(255, 220, 200), rgb(40, 0, 0), 1);
}

}  // namespace standin
