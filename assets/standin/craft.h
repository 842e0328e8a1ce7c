// Craft described as data: a list of parts (hull plates, wings, domes, guns,
// nozzles, lights, panel lines) in one palette, drawn in order. Enemies,
// mid-bosses and bosses are tables of parts.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/standin/canvas.h"

namespace standin {

enum class PartKind : uint8_t {
    Hull,     // polygon; mirrored: the points are the left half, top to bottom, joined with their mirror image
    Wing,     // polygon; mirrored: a second, mirrored copy
    Inset,    // like Hull, but recessed and darker
    Ellipse,  // centre pts[0], radii pts[1]; mirrored: a second copy
    Dome,     // glossy dome: centre pts[0], radii pts[1]
    Gun,      // barrel from pts[0] to the muzzle pts[1], radius `size`
    Nozzle,   // engine opening at pts[0], radius `size`, glowing inside
    Star,     // spiked ring: centre pts[0], radii pts[1] (outer, inner), `size` spikes
    Light,    // small lamp glow at pts[0], radius `size`
    Line,     // panel line from pts[0] to pts[1], width `size`
    Vent,     // slatted grille in the box pts[0]..pts[1]
};

enum Tone : uint8_t { ToneHull, ToneTrim, ToneDark, ToneMetal, ToneAccent, ToneGlass, ToneGlow, ToneCount };

struct Part {
    PartKind kind;
    Tone tone;
    bool mirrored;
    std::vector<Pt> pts;
    float size = 0;
};

struct CraftPalette {
    Rgb tones[ToneCount];
};

// Draws the parts in order, mirrored about x = axis, then outlines the craft.
void drawCraft(Canvas& canvas, const std::vector<Part>& parts, const CraftPalette& palette, float axis,
               uint32_t seed, bool withOutline = true);

// The union of every hull-like part (where damage may fall).
Mask craftMask(const Canvas& canvas);

// Battle damage over what is drawn, heavier with each level (1..3): scorch,
// cracks, torn holes with glowing edges, fires; at level 3 chunks are gone.
void paintDamage(Canvas& canvas, int level, uint32_t seed);

}  // namespace standin
