// Enemy craft (facing down the screen, engines at the top), the two
// mid-bosses with their arm links and blades, and the enemies' exhaust
// flames. Engine nozzles sit where the game draws the flames.
#include <cmath>

#include "assets/standin/catalogue.h"
#include "assets/standin/craft.h"

namespace standin {

namespace {

using K = PartKind;

// A craft's palette and the parts drawn in it.
struct CraftLook {
    CraftPalette palette;
    std::vector<Part> parts;
};

// Tones: hull, trim, dark, metal, accent, glass, glow.
// At namespace scope, so the table outlives the background workers at exit.
const CraftLook enemyLooks[] = {
    // EnemyDrone (60x60): round beetle drone with mandibles and a red eye.
    {{{rgb(95, 150, 75), rgb(60, 105, 55), rgb(40, 62, 40), rgb(150, 150, 140), rgb(210, 190, 70),
       rgb(255, 60, 40), rgb(255, 140, 40)}},
     {{K::Wing, ToneTrim, true, {{22, 16}, {8, 12}, {3, 24}, {6, 36}, {16, 40}, {23, 32}}},
      {K::Wing, ToneMetal, true, {{24, 38}, {19, 50}, {23, 58}, {27, 47}}},
      {K::Ellipse, ToneHull, false, {{30, 27}, {14, 17}}, 5},
      {K::Ellipse, ToneAccent, false, {{30, 17}, {6, 8}}},
      {K::Line, ToneDark, false, {{30, 26}, {30, 40}}, 1.2f},
      {K::Dome, ToneGlass, false, {{30, 37}, {5, 4}}},
      {K::Light, ToneGlow, true, {{9, 24}}, 1.6f}}},
    // EnemyDart (70x80): arrow-head fighter, one engine at (35, 12).
    {{{rgb(195, 60, 50), rgb(150, 150, 160), rgb(70, 40, 40), rgb(165, 165, 175), rgb(245, 205, 60),
       rgb(255, 200, 70), rgb(255, 150, 40)}},
     {{K::Wing, ToneTrim, true, {{30, 12}, {22, 3}, {19, 7}, {28, 22}}},
      {K::Wing, ToneHull, true, {{29, 26}, {7, 50}, {4, 60}, {13, 61}, {28, 52}}},
      {K::Gun, ToneMetal, true, {{8, 48}, {8, 68}}, 2.0f},
      {K::Hull, ToneHull, true, {{35, 6}, {29, 10}, {27, 30}, {25, 52}, {30, 68}, {35, 78}}},
      {K::Line, ToneDark, true, {{31, 18}, {29, 48}}, 1.0f},
      {K::Nozzle, ToneGlow, false, {{35, 12}}, 5},
      {K::Dome, ToneGlass, false, {{35, 52}, {4, 8}}},
      {K::Light, ToneAccent, true, {{12, 57}}, 1.5f}}},
    // EnemyTwin (80x80): twin-boom fighter, engines at (20, 4) and (60, 4).
    {{{rgb(80, 112, 175), rgb(150, 160, 182), rgb(40, 50, 82), rgb(170, 175, 190), rgb(240, 120, 40),
       rgb(255, 110, 60), rgb(255, 150, 50)}},
     {{K::Wing, ToneTrim, true, {{40, 22}, {14, 26}, {5, 40}, {14, 46}, {40, 44}}},
      {K::Gun, ToneMetal, true, {{20, 52}, {20, 72}}, 2.4f},
      {K::Ellipse, ToneHull, true, {{20, 30}, {7, 27}}},
      {K::Hull, ToneHull, true, {{40, 12}, {34, 18}, {31, 48}, {35, 66}, {40, 76}}},
      {K::Inset, ToneHull, true, {{40, 24}, {37, 28}, {36, 42}, {40, 46}}},
      {K::Nozzle, ToneGlow, true, {{20, 5}}, 5},
      {K::Dome, ToneGlass, false, {{40, 57}, {4, 7}}},
      {K::Light, ToneAccent, true, {{8, 41}}, 1.6f}}},
    // EnemyManta (80x80): wide manta, engines at (22, 10) and (58, 10).
    {{{rgb(210, 130, 50), rgb(125, 85, 55), rgb(72, 46, 32), rgb(172, 162, 150), rgb(250, 222, 120),
       rgb(80, 255, 200), rgb(255, 150, 40)}},
     {{K::Hull, ToneHull, true, {{40, 6}, {30, 8}, {12, 24}, {2, 44}, {5, 52}, {20, 48}, {30, 62}, {40, 74}},
       5},
      {K::Inset, ToneHull, true, {{40, 22}, {33, 24}, {28, 40}, {33, 54}, {40, 60}}},
      {K::Ellipse, ToneTrim, true, {{22, 16}, {5, 9}}},
      {K::Nozzle, ToneGlow, true, {{22, 10}}, 4.5f},
      {K::Line, ToneDark, true, {{27, 30}, {8, 46}}, 1.2f},
      {K::Gun, ToneMetal, true, {{30, 56}, {32, 70}}, 1.8f},
      {K::Dome, ToneGlass, false, {{40, 46}, {6, 6}}},
      {K::Light, ToneAccent, true, {{6, 47}}, 1.6f}}},
    // EnemyGunship (80x80): forward-swept gunship, engines at (22, 10) and (58, 10).
    {{{rgb(132, 82, 172), rgb(92, 72, 122), rgb(50, 40, 72), rgb(172, 166, 182), rgb(250, 200, 60),
       rgb(120, 255, 140), rgb(255, 140, 60)}},
     {{K::Wing, ToneTrim, true, {{28, 28}, {10, 42}, {3, 62}, {10, 65}, {29, 50}}},
      {K::Gun, ToneMetal, true, {{9, 52}, {9, 76}}, 2.6f},
      {K::Ellipse, ToneHull, true, {{22, 22}, {6, 14}}},
      {K::Nozzle, ToneGlow, true, {{22, 10}}, 4.5f},
      {K::Hull, ToneHull, true, {{40, 6}, {31, 9}, {27, 22}, {28, 50}, {34, 66}, {40, 71}}},
      {K::Gun, ToneMetal, true, {{34, 56}, {34, 77}}, 1.8f},
      {K::Dome, ToneGlass, false, {{40, 42}, {5, 8}}},
      {K::Light, ToneAccent, true, {{30, 16}}, 1.5f}}},
    // EnemySpinner (80x80): spiked disc that circles, no engines.
    {{{rgb(60, 160, 160), rgb(230, 200, 60), rgb(30, 70, 72), rgb(172, 182, 182), rgb(255, 232, 80),
       rgb(255, 240, 120), rgb(255, 220, 80)}},
     {{K::Star, ToneTrim, false, {{40, 40}, {38, 27}}, 8},
      {K::Ellipse, ToneHull, false, {{40, 40}, {25, 25}}, 6},
      {K::Ellipse, ToneDark, false, {{40, 40}, {14, 14}}, 3},
      {K::Light, ToneAccent, false, {{40, 21}}, 1.8f},
      {K::Light, ToneAccent, false, {{40, 59}}, 1.8f},
      {K::Light, ToneAccent, false, {{21, 40}}, 1.8f},
      {K::Light, ToneAccent, false, {{59, 40}}, 1.8f},
      {K::Dome, ToneGlass, false, {{40, 40}, {8, 8}}}}},
    // EnemyBomber (240x300): flying wing with four turrets, no engines lit.
    {{{rgb(82, 112, 82), rgb(122, 122, 102), rgb(40, 56, 40), rgb(152, 152, 142), rgb(205, 72, 52),
       rgb(255, 85, 60), rgb(255, 140, 50)}},
     {{K::Wing, ToneHull, true, {{112, 40}, {88, 46}, {20, 108}, {4, 150}, {14, 166}, {60, 160}, {96, 182},
                                 {108, 230}}, 6},
      {K::Inset, ToneHull, true, {{120, 70}, {100, 80}, {60, 130}, {56, 150}, {96, 150}, {120, 160}}},
      {K::Hull, ToneTrim, true, {{120, 18}, {105, 32}, {98, 120}, {101, 220}, {111, 270}, {120, 290}}, 6},
      {K::Vent, ToneDark, true, {{104, 40}, {114, 70}}},
      {K::Ellipse, ToneTrim, true, {{62, 120}, {12, 22}}},
      {K::Nozzle, ToneGlow, true, {{62, 102}}, 7},
      {K::Gun, ToneMetal, true, {{40, 150}, {40, 180}}, 3.2f},
      {K::Ellipse, ToneDark, true, {{40, 148}, {9, 9}}},
      {K::Gun, ToneMetal, true, {{88, 186}, {88, 216}}, 3.2f},
      {K::Ellipse, ToneDark, true, {{88, 184}, {9, 9}}},
      {K::Line, ToneDark, true, {{98, 130}, {20, 150}}, 1.5f},
      {K::Dome, ToneGlass, false, {{120, 246}, {8, 16}}},
      {K::Light, ToneAccent, true, {{10, 158}}, 2.5f}}},
    // EnemyCruiser (240x300): heavy cruiser, engines at (90, 47) and (150, 47).
    {{{rgb(122, 137, 162), rgb(92, 102, 122), rgb(50, 56, 72), rgb(172, 177, 187), rgb(222, 72, 52),
       rgb(255, 205, 80), rgb(255, 150, 50)}},
     {{K::Wing, ToneTrim, true, {{74, 110}, {30, 130}, {22, 190}, {40, 212}, {74, 200}}, 5},
      {K::Gun, ToneMetal, true, {{38, 180}, {38, 224}}, 3.5f},
      {K::Ellipse, ToneDark, true, {{40, 172}, {11, 11}}},
      {K::Ellipse, ToneTrim, true, {{90, 70}, {14, 30}}},
      {K::Hull, ToneHull, true, {{120, 32}, {104, 36}, {80, 62}, {73, 150}, {62, 170}, {62, 220}, {80, 242},
                                 {92, 280}, {120, 296}}, 7},
      {K::Inset, ToneHull, true, {{120, 80}, {104, 84}, {98, 110}, {98, 230}, {110, 252}, {120, 256}}},
      {K::Nozzle, ToneGlow, true, {{90, 47}}, 9},
      {K::Gun, ToneMetal, true, {{114, 136}, {114, 172}}, 3},
      {K::Ellipse, ToneTrim, false, {{120, 128}, {14, 14}}},
      {K::Gun, ToneMetal, true, {{114, 206}, {114, 242}}, 3},
      {K::Ellipse, ToneTrim, false, {{120, 198}, {14, 14}}},
      {K::Vent, ToneDark, true, {{70, 160}, {82, 200}}},
      {K::Dome, ToneGlass, false, {{120, 270}, {7, 10}}},
      {K::Light, ToneAccent, true, {{66, 226}}, 2.5f}}},
    // EnemyEscort (120x120): escort gunship, engines at (42, 3) and (78, 3).
    {{{rgb(152, 152, 162), rgb(172, 62, 52), rgb(60, 60, 72), rgb(182, 182, 192), rgb(232, 202, 72),
       rgb(255, 92, 72), rgb(255, 150, 50)}},
     {{K::Wing, ToneTrim, true, {{40, 44}, {8, 60}, {2, 86}, {14, 86}, {36, 72}}},
      {K::Gun, ToneMetal, true, {{9, 66}, {9, 104}}, 2.8f},
      {K::Ellipse, ToneHull, true, {{42, 22}, {8, 20}}},
      {K::Nozzle, ToneGlow, true, {{42, 4}}, 6},
      {K::Hull, ToneHull, true, {{60, 8}, {49, 12}, {42, 34}, {38, 70}, {46, 96}, {60, 114}}, 5},
      {K::Inset, ToneHull, true, {{60, 30}, {54, 34}, {52, 60}, {60, 66}}},
      {K::Gun, ToneMetal, true, {{50, 88}, {50, 112}}, 2.0f},
      {K::Dome, ToneGlass, false, {{60, 82}, {6, 10}}},
      {K::Light, ToneAccent, true, {{6, 82}}, 1.8f}}},
    // EnemyCarrier (240x300): round-hulled carrier with prongs, no engines lit.
    {{{rgb(152, 112, 72), rgb(202, 162, 82), rgb(70, 50, 36), rgb(172, 162, 152), rgb(92, 202, 255),
       rgb(92, 202, 255), rgb(255, 160, 60)}},
     {{K::Wing, ToneTrim, true, {{92, 200}, {70, 262}, {82, 296}, {104, 242}}, 5},
      {K::Ellipse, ToneTrim, true, {{40, 150}, {24, 64}}, 6},
      {K::Ellipse, ToneHull, false, {{120, 150}, {92, 120}}, 9},
      {K::Inset, ToneHull, true, {{120, 60}, {96, 66}, {88, 150}, {96, 236}, {120, 244}}},
      {K::Line, ToneAccent, false, {{120, 70}, {120, 232}}, 2.5f},
      {K::Light, ToneAccent, true, {{106, 90}}, 2.2f},
      {K::Light, ToneAccent, true, {{106, 130}}, 2.2f},
      {K::Light, ToneAccent, true, {{106, 170}}, 2.2f},
      {K::Light, ToneAccent, true, {{106, 210}}, 2.2f},
      {K::Ellipse, ToneDark, true, {{54, 110}, {10, 10}}},
      {K::Gun, ToneMetal, true, {{54, 112}, {54, 142}}, 3},
      {K::Vent, ToneDark, true, {{30, 170}, {50, 200}}},
      {K::Dome, ToneGlass, false, {{120, 40}, {10, 8}}}}},
    // EnemyBattleship (240x440): long battleship, engines at (100, 22) and (140, 22).
    {{{rgb(142, 52, 52), rgb(112, 102, 102), rgb(62, 32, 32), rgb(162, 152, 152), rgb(242, 182, 62),
       rgb(255, 222, 102), rgb(255, 150, 50)}},
     {{K::Wing, ToneTrim, true, {{82, 150}, {22, 190}, {10, 262}, {30, 282}, {72, 262}}, 6},
      {K::Gun, ToneMetal, true, {{30, 250}, {30, 300}}, 4},
      {K::Ellipse, ToneDark, true, {{32, 238}, {12, 12}}},
      {K::Hull, ToneHull, true, {{120, 12}, {102, 16}, {86, 50}, {80, 200}, {64, 262}, {66, 330}, {84, 382},
                                 {104, 420}, {120, 436}}, 8},
      {K::Inset, ToneHull, true, {{120, 60}, {106, 66}, {100, 120}, {98, 360}, {110, 396}, {120, 400}}},
      {K::Nozzle, ToneGlow, true, {{104, 24}}, 8},
      {K::Vent, ToneDark, true, {{88, 70}, {100, 120}}},
      {K::Gun, ToneMetal, true, {{114, 118}, {114, 156}}, 3.2f},
      {K::Ellipse, ToneTrim, false, {{120, 110}, {15, 15}}},
      {K::Gun, ToneMetal, true, {{114, 198}, {114, 236}}, 3.2f},
      {K::Ellipse, ToneTrim, false, {{120, 190}, {15, 15}}},
      {K::Gun, ToneMetal, true, {{114, 278}, {114, 316}}, 3.2f},
      {K::Ellipse, ToneTrim, false, {{120, 270}, {15, 15}}},
      {K::Gun, ToneMetal, true, {{114, 348}, {114, 386}}, 3.2f},
      {K::Ellipse, ToneTrim, false, {{120, 340}, {15, 15}}},
      {K::Light, ToneAccent, true, {{74, 300}}, 2.5f},
      {K::Dome, ToneGlass, false, {{120, 414}, {6, 10}}}}},
};

const CraftLook& enemyLook(int design) {
    int n = static_cast<int>(sizeof enemyLooks / sizeof enemyLooks[0]);
    return enemyLooks[design >= 0 && design < n ? design : 0];
}

// Mid-bosses: bodies (160x360: engines at (62, 96) and (98, 96), arm
// shoulders at (26, 116) and (134, 116)), arm links (14x46) and the tall
// blades (60x360) that hang from the arm tips.
const CraftLook midBossLooks[] = {
    // Stage 2: armoured war machine, teal plate with a burning core.
    {{{rgb(62, 122, 122), rgb(142, 142, 132), rgb(32, 56, 60), rgb(172, 172, 166), rgb(232, 142, 42),
       rgb(255, 80, 40), rgb(255, 150, 50)}},
     {{K::Ellipse, ToneTrim, true, {{62, 112}, {12, 26}}},
      {K::Nozzle, ToneGlow, true, {{62, 96}}, 8},
      {K::Hull, ToneHull, true, {{80, 112}, {58, 116}, {46, 136}, {40, 190}, {48, 250}, {60, 302}, {72, 338},
                                 {80, 348}}, 7},
      {K::Ellipse, ToneTrim, true, {{33, 124}, {19, 17}}, 5},
      {K::Ellipse, ToneDark, true, {{33, 124}, {8, 8}}},
      {K::Inset, ToneHull, true, {{80, 150}, {64, 156}, {58, 200}, {64, 250}, {80, 258}}},
      {K::Vent, ToneDark, true, {{50, 260}, {64, 300}}},
      {K::Gun, ToneMetal, true, {{68, 300}, {68, 350}}, 3.5f},
      {K::Dome, ToneGlass, false, {{80, 204}, {14, 18}}},
      {K::Light, ToneAccent, true, {{48, 160}}, 2.5f},
      {K::Line, ToneDark, true, {{60, 140}, {54, 240}}, 1.5f}}},
    // Stage 3: segmented insectoid, violet with green glow.
    {{{rgb(112, 72, 152), rgb(72, 142, 92), rgb(46, 32, 66), rgb(162, 152, 172), rgb(122, 255, 122),
       rgb(122, 255, 150), rgb(180, 255, 120)}},
     {{K::Wing, ToneTrim, true, {{56, 186}, {22, 196}, {8, 232}, {18, 230}, {28, 206}, {56, 200}}, 3},
      {K::Wing, ToneTrim, true, {{58, 236}, {26, 256}, {16, 292}, {26, 288}, {34, 264}, {60, 250}}, 3},
      {K::Wing, ToneTrim, true, {{62, 282}, {40, 300}, {36, 330}, {44, 326}, {50, 306}, {64, 294}}, 3},
      {K::Ellipse, ToneDark, true, {{62, 110}, {11, 22}}},
      {K::Nozzle, ToneGlow, true, {{62, 96}}, 7},
      {K::Ellipse, ToneHull, false, {{80, 140}, {46, 34}}, 8},
      {K::Ellipse, ToneTrim, true, {{32, 122}, {16, 16}}, 5},
      {K::Ellipse, ToneHull, false, {{80, 196}, {34, 26}}, 7},
      {K::Ellipse, ToneHull, false, {{80, 244}, {28, 24}}, 6},
      {K::Ellipse, ToneHull, false, {{80, 288}, {22, 22}}, 6},
      {K::Ellipse, ToneHull, false, {{80, 326}, {15, 20}}, 5},
      {K::Wing, ToneTrim, true, {{58, 320}, {50, 352}, {62, 348}, {68, 330}}},
      {K::Light, ToneAccent, false, {{80, 196}}, 3},
      {K::Light, ToneAccent, false, {{80, 244}}, 3},
      {K::Light, ToneAccent, false, {{80, 288}}, 3},
      {K::Dome, ToneGlass, true, {{64, 146}, {8, 6}}},
      {K::Line, ToneDark, true, {{46, 130}, {60, 160}}, 1.5f}}},
};

const CraftLook& midBossLook(int which) {
    return midBossLooks[which == 1 ? 1 : 0];
}

}  // namespace

void paintEnemy(Canvas& canvas, const Art& art) {
    const CraftLook& look = enemyLook(art.kind);
    drawCraft(canvas, look.parts, look.palette, canvas.w * 0.5f, 0xE0E0u + static_cast<uint32_t>(art.kind) * 97u);
}

void paintMidBoss(Canvas& canvas, const Art& art) {
    const CraftLook& look = midBossLook(art.kind);
    drawCraft(canvas, look.parts, look.palette, 80.0f, 0x3B0Du + static_cast<uint32_t>(art.kind) * 31u);
}

void paintArmLink(Canvas& canvas, const Art& art) {
    const CraftLook& look = midBossLook(art.kind);
    const CraftPalette& p = look.palette;
    const float shade = art.a == 0 ? 1.0f : 0.85f;  // the right arm sits a little in shadow
    if (art.kind == 0) {  // a jointed steel segment
        Mask rod = capsuleMask(canvas.w, canvas.h, {7, 6}, {7, 40}, 4.5f);
        paintSurface(canvas, rod, {p.tones[ToneTrim] * shade, 2, 0.7f, 0.1f}, 21);
        fillEllipse(canvas, 7, 7, 5.5f, 5.5f, p.tones[ToneDark]);
        paintDome(canvas, 7, 7, 3.2f, 3.2f, p.tones[ToneMetal]);
        fillEllipse(canvas, 7, 39, 5.5f, 5.5f, p.tones[ToneDark]);
        paintDome(canvas, 7, 39, 3.2f, 3.2f, p.tones[ToneMetal]);
    } else {  // a bony vertebra
        Path bone;
        bone.addMirrored({{7, 1}, {2, 6}, {4, 14}, {3, 23}, {4, 32}, {2, 40}, {7, 45}}, 7);
        paintSurface(canvas, fillPath(bone, canvas.w, canvas.h), {p.tones[ToneHull] * shade, 2.5f, 0.7f, 0.15f}, 22);
        glow(canvas, 7, 23, 4, p.tones[ToneAccent], 0.9f);
    }
    outline(canvas, p.tones[ToneDark] * 0.3f);
}

void paintArmBlade(Canvas& canvas, const Art& art) {
    const CraftLook& look = midBossLook(art.kind);
    const bool right = art.a == 1;
    // Drawn as the left blade; the right one is its mirror image.
    // Hinge (where the arm holds it) and muzzle of the left blade.
    const Pt hinge = art.kind == 0 ? Pt{50, 140} : Pt{52, 154};
    const Pt muzzle = art.kind == 0 ? Pt{36, 322} : Pt{34, 334};
    std::vector<Part> parts;
    if (art.kind == 0) {
        parts = {
            {K::Wing, ToneHull, false, {{44, 2}, {56, 20}, {54, 140}, {48, 250}, {40, 320}, {20, 324}, {14, 250},
                                        {24, 130}, {34, 30}}, 6},
            {K::Inset, ToneHull, false, {{42, 40}, {46, 130}, {40, 240}, {30, 300}, {24, 240}, {30, 130}}},
            {K::Gun, ToneMetal, false, {{34, 296}, {muzzle.x, muzzle.y}}, 5},
            {K::Vent, ToneDark, false, {{26, 200}, {40, 236}}},
            {K::Light, ToneAccent, false, {{40, 60}}, 2.5f},
        };
    } else {
        parts = {
            {K::Wing, ToneHull, false, {{40, 0}, {52, 40}, {50, 150}, {40, 260}, {30, 330}, {14, 330}, {12, 250},
                                        {22, 150}, {30, 40}}, 6},
            {K::Wing, ToneTrim, false, {{12, 250}, {2, 300}, {10, 330}, {16, 290}}},
            {K::Gun, ToneMetal, false, {{30, 306}, {muzzle.x, muzzle.y}}, 4.5f},
            {K::Light, ToneAccent, false, {{36, 90}}, 3},
            {K::Light, ToneAccent, false, {{30, 200}}, 3},
        };
    }
    parts.push_back({K::Ellipse, ToneTrim, false, {hinge, {10, 10}}, 4});
    parts.push_back({K::Dome, ToneGlass, false, {hinge, {4, 4}}});
    if (right)
        for (Part& part : parts) {
            bool radii = part.kind == K::Ellipse || part.kind == K::Dome || part.kind == K::Light;
            for (size_t i = 0; i < part.pts.size(); ++i)
                if (!(radii && i == 1)) part.pts[i].x = 60 - part.pts[i].x;
        }
    drawCraft(canvas, parts, look.palette, 30.0f, 0xB1ADu + static_cast<uint32_t>(art.kind * 2 + art.a));
}

// Twenty flickering frames of an exhaust flame, 20x70, rooted near the
// bottom and trailing upwards (the enemies fly down the screen).
void paintFlames(Canvas& canvas, const Art& art) {
    canvas.keyThreshold = 0.12f;
    static const RampStop orange[] = {{0.0f, rgb(150, 30, 10)}, {0.4f, rgb(255, 110, 20)},
                                      {0.75f, rgb(255, 210, 90)}, {1.0f, rgb(255, 255, 230)}};
    static const RampStop violet[] = {{0.0f, rgb(120, 20, 60)}, {0.4f, rgb(255, 70, 60)},
                                      {0.75f, rgb(255, 180, 120)}, {1.0f, rgb(255, 250, 235)}};
    const int frames = canvas.w / 20;
    for (int f = 0; f < frames; ++f) {
        float phase = f * (2 * 3.14159265f / frames);
        float len = 38 + 8 * std::sin(phase * 2) + 4 * std::sin(phase * 5 + 1);
        float width = (art.kind == 0 ? 12.0f : 10.0f) + 1.5f * std::sin(phase * 3);
        paintFlame(canvas, f * 20 + 10.0f, 54, len, width, -1, art.kind == 0 ? orange : violet, 4, 4.0f,
                   0xF1A3u + static_cast<uint32_t>(f));
    }
}

}  // namespace standin
