// Pictures with text: the title, the ship-select overlay, the continue
// prompt, the ranking panel, the ending banner and pictures, a message
// panel, and the digit and parts sheets of the score bar.
#include <algorithm>
#include <array>
#include <cmath>

#include "assets/standin/catalogue.h"
#include "assets/standin/text.h"

namespace standin {

namespace {

const Rgb white = rgb(255, 255, 255);
const Rgb ink = rgb(14, 16, 30);

// A vertical colour gradient over a text's height.
auto gradientFill(Rgb top, Rgb middle, Rgb bottom, float y0, float height) {
    return [=](float, float y) {
        float t = clamp01((y - y0) / std::max(1.0f, height));
        return t < 0.5f ? mix(top, middle, t * 2) : mix(middle, bottom, (t - 0.5f) * 2);
    };
}

// Stamps a text with a gradient fill, its top at y.
void gradientText(Canvas& canvas, int id, float x, float y, Align align, Rgb top, Rgb middle, Rgb bottom, Rgb edge,
                  int edgeWidth) {
    drawText(canvas, id, x, y, align, gradientFill(top, middle, bottom, y, static_cast<float>(textHeight(id))), edge,
             edgeWidth);
}

void starfield(Canvas& canvas, int count, uint32_t seed, float yLimit) {
    LocalRandom random(seed);
    for (int i = 0; i < count; ++i) {
        float x = random.range(0, static_cast<float>(canvas.w)), y = random.range(0, yLimit);
        float b = random.uniform();
        glow(canvas, x, y, b > 0.9f ? 2.5f : 1.3f, mix(rgb(160, 180, 255), rgb(255, 240, 220), random.uniform()),
             0.5f + 0.7f * b);
    }
}

// A planet: noisy continents under a lit atmosphere; light from the top right.
void planet(Canvas& canvas, float cx, float cy, float r, Rgb sea, Rgb land, Rgb air, uint32_t seed) {
    int x0 = std::max(0, static_cast<int>(cx - r - 8)), x1 = std::min(canvas.w, static_cast<int>(cx + r + 9));
    int y0 = std::max(0, static_cast<int>(cy - r - 8)), y1 = std::min(canvas.h, static_cast<int>(cy + r + 9));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            float dx = (x + 0.5f - cx) / r, dy = (y + 0.5f - cy) / r;
            float d = std::sqrt(dx * dx + dy * dy);
            if (d > 1.04f) continue;
            if (d > 1) {  // atmosphere rim
                canvas.add(x, y, air, (1.04f - d) / 0.04f * 0.8f);
                continue;
            }
            float n = fbm(x * 6.0f / r, y * 6.0f / r, seed, 5);
            Rgb c = n > 0.52f ? mix(land, land * 1.4f, smoothstep(0.52f, 0.8f, n)) : sea;
            float lit = clamp01(0.25f + 0.9f * (dx * 0.6f - dy * 0.8f + 0.3f));
            c = mix(c * lit, air, smoothstep(0.8f, 1.0f, d) * 0.6f);
            canvas.over(x, y, c, clamp01((1 - d) * r + 0.5f));
        }
}

// The player's ship, drawn from its own picture at any scale.
void shipPicture(Canvas& canvas, float x, float y, float scale, bool exhaust) {
    Canvas ship(60, 70);
    paintPlayerShip(ship, Art{0, 0, 0});
    if (exhaust) {
        static const RampStop ion[] = {{0.0f, rgb(30, 40, 160)}, {0.4f, rgb(40, 110, 255)},
                                       {0.75f, rgb(130, 220, 255)}, {1.0f, rgb(255, 255, 255)}};
        for (float nx : {24.0f, 36.0f})
            paintFlame(canvas, x + nx * scale, y + 61 * scale, 22 * scale, 8 * scale, +1, ion, 4);
    }
    drawCanvasScaled(canvas, ship, x, y, scale);
}

// A framed panel: dark plate, bevelled, with a light rim line `inset`
// pixels in from its edge.
void panel(Canvas& canvas, float x0, float y0, float x1, float y1, Rgb base, Rgb rim, uint32_t seed,
           float inset = 3) {
    Path p;
    p.addRect(x0, y0, x1, y1);
    paintSurface(canvas, fillPath(p, canvas.w, canvas.h), {base, 4, 0.7f, 0.0f, 0.05f, 0.25f}, seed);
    const float l = x0 + inset, t = y0 + inset, r = x1 - inset, b = y1 - inset;
    strokePolyline(canvas, {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}, 1.0f, rim, 0.8f);
}

// The game's name on one line, `height` pixels high, centred on x: the
// title's own words, drawn large and brought down to size (halved first, so
// that no stroke of the letters is skipped).
void nameLine(Canvas& canvas, float x, float top, float height) {
    struct Word {
        int id;
        Rgb top, middle, bottom;
    };
    const Word words[] = {{TxtTitleMirvane, rgb(255, 255, 255), rgb(220, 230, 255), rgb(140, 170, 255)},
                          {TxtTitleDelta, rgb(255, 235, 140), rgb(255, 150, 40), rgb(230, 90, 20)},
                          {TxtTitleEncore, rgb(255, 190, 210), rgb(240, 70, 120), rgb(170, 20, 70)}};
    constexpr int Edge = 3;
    const float gap = height * 0.3f;
    float scales[3], width = -gap;
    for (int i = 0; i < 3; ++i) {
        int h = textHeight(words[i].id);
        scales[i] = h > 0 ? height / (h + 2.0f * Edge) : 0;
        width += (textWidth(words[i].id) + 2.0f * Edge) * scales[i] + gap;
    }
    const float fit = width > canvas.w - 24.0f ? (canvas.w - 24.0f) / width : 1.0f;
    float left = x - width * fit * 0.5f;
    for (int i = 0; i < 3; ++i) {
        if (scales[i] <= 0) continue;
        const Word& word = words[i];
        Canvas large(textWidth(word.id) + 2 * Edge, textHeight(word.id) + 2 * Edge);
        gradientText(large, word.id, large.w * 0.5f, Edge, Align::Centre, word.top, word.middle, word.bottom, ink,
                     Edge);
        Canvas half((large.w + 1) / 2, (large.h + 1) / 2);
        drawCanvasScaled(half, large, 0, 0, 0.5f);
        const float scale = scales[i] * fit;
        drawCanvasScaled(canvas, half, left, top + (height - large.h * scale) * 0.5f, scale * 2);
        left += large.w * scale + gap * fit;
    }
}

// Clears a rectangle back to the colour key (a window onto what lies behind).
void cutWindow(Canvas& canvas, int x0, int y0, int x1, int y1) {
    for (int y = std::max(0, y0); y < std::min(canvas.h, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(canvas.w, x1); ++x) canvas.erase(x, y, 1);
}

}  // namespace

void paintTitle(Canvas& canvas, const Art&) {
    const float w = static_cast<float>(canvas.w), h = static_cast<float>(canvas.h);
    for (int y = 0; y < canvas.h; ++y) {
        Rgb c = mix(rgb(6, 8, 26), rgb(22, 14, 44), y / h);
        for (int x = 0; x < canvas.w; ++x) canvas.over(x, y, c, 1);
    }
    starfield(canvas, 160, 0x7171u, h);
    planet(canvas, 40, 560, 250, rgb(16, 40, 80), rgb(40, 70, 48), rgb(90, 170, 255), 0x91A7u);
    shipPicture(canvas, w * 0.5f - 48, 250, 1.6f, true);
    // The title, in three lines.
    gradientText(canvas, TxtTitleMirvane, w * 0.5f, 34, Align::Centre, rgb(245, 250, 255), rgb(110, 140, 200),
                 rgb(235, 245, 255), ink, 2);
    gradientText(canvas, TxtTitleDelta, w * 0.5f, 106, Align::Centre, rgb(255, 235, 140), rgb(255, 150, 40),
                 rgb(230, 90, 20), ink, 2);
    float lineY = 106 + textHeight(TxtTitleDelta) + 12.0f;
    strokeLine(canvas, {40, lineY}, {w - 40, lineY}, 1.5f, rgb(255, 170, 60), 0.8f);
    gradientText(canvas, TxtTitleEncore, w * 0.5f, lineY + 10, Align::Centre, rgb(255, 190, 210), rgb(240, 70, 120),
                 rgb(170, 20, 70), ink, 2);
    // Press Enter, and the keys.
    glowEllipse(canvas, w * 0.5f, 418, 120, 16, rgb(255, 150, 40), 0.35f);
    gradientText(canvas, TxtPressEnter, w * 0.5f, 408, Align::Centre, rgb(255, 255, 220), rgb(255, 220, 120),
                 rgb(255, 170, 60), ink, 2);
    drawText(canvas, TxtTitleFooter, w * 0.5f, 458, Align::Centre, rgb(150, 160, 200), ink, 1);
}

// The ship-select overlay (kind 0). The live preview shows through its
// windows: the pinned ship at (150, 130) with its shots and circling pods,
// the two choices at (60, 350) and (245, 350), the pods at (195, 350) and
// (295, 350); the right pod reaches x 355, so the panel's rim runs at its
// very edge. The same picture is the backdrop of the ending's credits, in
// the preview window, so its heading is the game's name. Kind 1 is a
// control-only variant.
void paintShipSelect(Canvas& canvas, const Art& art) {
    const float w = static_cast<float>(canvas.w);
    const Rgb plate = rgb(34, 42, 72), rim = rgb(120, 170, 255);
    panel(canvas, 0, 0, w, 480, plate, rim, 0x5E1u, art.kind == 0 ? 1.5f : 3.0f);
    const Rgb gold = rgb(255, 210, 100), light = rgb(220, 230, 255);
    if (art.kind == 0) {
        cutWindow(canvas, 6, 50, 354, 298);    // preview: ship, shots, pods
        cutWindow(canvas, 46, 342, 134, 426);  // left choice
        cutWindow(canvas, 186, 342, 355, 426); // right choice: pod, ship, pod
        nameLine(canvas, w * 0.5f, 10, 32);
        drawText(canvas, TxtSelectLeftKeys, 90, 304, Align::Centre, gold, ink, 1);
        drawText(canvas, TxtSelectLeftType, 90, 324, Align::Centre, light, ink, 1);
        drawText(canvas, TxtSelectRightKeys, 272, 304, Align::Centre, gold, ink, 1);
        drawText(canvas, TxtSelectRightType, 272, 324, Align::Centre, light, ink, 1);
        drawText(canvas, TxtSelectControl, w * 0.5f, 432, Align::Centre, rgb(150, 160, 200), ink, 1);
        drawText(canvas, TxtSelectKeyboard, 90, 452, Align::Centre, gold, ink, 1);
        drawText(canvas, TxtSelectMouse, 270, 452, Align::Centre, gold, ink, 1);
        // Frames round the windows.
        for (auto [x0, y0, x1, y1] : {std::array<float, 4>{46, 342, 134, 426}, {186, 342, 356, 426}})
            strokePolyline(canvas, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}, 1.5f, rim, 0.9f);
        strokePolyline(canvas, {{6, 50}, {354, 50}, {354, 298}, {6, 298}, {6, 50}}, 1.5f, rim, 0.9f);
    } else {
        cutWindow(canvas, 6, 50, 354, 330);
        gradientText(canvas, TxtControlTitle, w * 0.5f, 12, Align::Centre, white, light, rgb(140, 170, 255), ink, 2);
        drawText(canvas, TxtSelectKeyboard, 90, 372, Align::Centre, gold, ink, 1);
        drawText(canvas, TxtSelectMouse, 270, 372, Align::Centre, gold, ink, 1);
        strokePolyline(canvas, {{6, 50}, {354, 50}, {354, 330}, {6, 330}, {6, 50}}, 1.5f, rim, 0.9f);
    }
}

void paintContinue(Canvas& canvas, const Art&) {
    const float w = static_cast<float>(canvas.w), h = static_cast<float>(canvas.h);
    panel(canvas, 2, 6, w - 2, h - 6, rgb(96, 20, 30), rgb(255, 140, 120), 0xC0u);
    glowEllipse(canvas, w * 0.5f, 40, 90, 20, rgb(255, 120, 60), 0.4f);
    gradientText(canvas, TxtContinue, w * 0.5f, 24, Align::Centre, rgb(255, 255, 230), rgb(255, 220, 120),
                 rgb(255, 150, 60), rgb(40, 0, 6), 2);
    drawText(canvas, TxtContinueHint, w * 0.5f, 70, Align::Centre, rgb(255, 210, 200), rgb(40, 0, 6), 1);
}

// The ranking heading panel (400x100 at (200, 100)): the rank digits land at
// x 30 and the nine score digits at x 110..290 of the rows below it. Only
// x 20..380 lies on the play field, so the panel and its labels keep inside.
void paintRanking(Canvas& canvas, const Art&) {
    const float w = static_cast<float>(canvas.w);
    panel(canvas, 24, 4, w - 24, 96, rgb(30, 36, 70), rgb(255, 200, 90), 0x4A4u);
    gradientText(canvas, TxtRanking, w * 0.5f, 12, Align::Centre, rgb(255, 250, 200), rgb(255, 200, 80),
                 rgb(230, 130, 30), ink, 2);
    drawText(canvas, TxtRankingSub, w * 0.5f, 58, Align::Centre, rgb(190, 200, 240), ink, 1);
    strokeLine(canvas, {32, 73}, {w - 32, 73}, 1.0f, rgb(255, 200, 90), 0.7f);
    drawText(canvas, TxtRankColumn, 32, 77, Align::Left, rgb(255, 220, 140), ink, 1);
    drawText(canvas, TxtScoreColumn, 200, 77, Align::Centre, rgb(255, 220, 140), ink, 1);
}

void paintEndingBanner(Canvas& canvas, const Art&) {
    canvas.keyThreshold = 0.3f;
    const float w = static_cast<float>(canvas.w);
    gradientText(canvas, TxtGoodCongrats, w * 0.5f, 18, Align::Centre, rgb(255, 255, 220), rgb(255, 210, 90),
                 rgb(220, 120, 30), rgb(40, 16, 0), 2);
    strokeLine(canvas, {40, 68}, {w - 40, 68}, 1.5f, rgb(255, 200, 90), 0.9f);
    for (float x : {40.0f, w * 0.5f, w - 40}) {  // studs on the rule
        Path stud;
        stud.addPolygon({{x, 63}, {x + 5, 68}, {x, 73}, {x - 5, 68}});
        paintMask(canvas, fillPath(stud, canvas.w, canvas.h), rgb(255, 220, 130));
    }
    drawText(canvas, TxtGoodCleared, w * 0.5f, 76, Align::Centre, rgb(220, 235, 255), ink, 2);
}

void paintEndingPicture(Canvas& canvas, const Art& art) {
    const float w = static_cast<float>(canvas.w);
    if (art.kind == 1) {
        // Home again: the ship climbs away from the saved world.
        planet(canvas, 180, 560, 220, rgb(18, 50, 96), rgb(44, 90, 52), rgb(110, 200, 255), 0x91A8u);
        shipPicture(canvas, 150, 200, 1.0f, true);
        shipPicture(canvas, 64, 300, 0.6f, true);
        shipPicture(canvas, 262, 290, 0.6f, true);
        gradientText(canvas, TxtEnd1Title, w * 0.5f, 24, Align::Centre, white, rgb(180, 220, 255),
                     rgb(100, 160, 255), ink, 2);
        drawText(canvas, TxtEnd1Line, w * 0.5f, 64, Align::Centre, rgb(255, 220, 140), ink, 1);
    } else {
        // Sunrise over the horizon, and the end.
        for (int y = 330; y < canvas.h; ++y)
            for (int x = 0; x < canvas.w; ++x) {
                float dx = (x - 180.0f) / 520.0f, dy = (y - 880.0f) / 520.0f;
                if (dx * dx + dy * dy > 1) continue;
                float t = clamp01((y - 330.0f) / 150.0f);
                canvas.over(x, y, mix(rgb(70, 50, 60), rgb(24, 30, 50), t), 1);
            }
        glowEllipse(canvas, 180, 362, 200, 40, rgb(255, 150, 60), 0.9f);
        glow(canvas, 180, 362, 26, rgb(255, 240, 200), 1.4f);
        shipPicture(canvas, 165, 250, 0.5f, true);
        gradientText(canvas, TxtEnd2Thanks, w * 0.5f, 90, Align::Centre, rgb(255, 255, 230), rgb(255, 210, 120),
                     rgb(255, 150, 60), ink, 2);
        gradientText(canvas, TxtEnd2TheEnd, w * 0.5f, 150, Align::Centre, white, rgb(200, 220, 255),
                     rgb(140, 170, 255), ink, 2);
    }
}

void paintMessage(Canvas& canvas, const Art&) {
    const float w = static_cast<float>(canvas.w), h = static_cast<float>(canvas.h);
    panel(canvas, 2, 2, w - 2, h - 2, rgb(24, 48, 80), rgb(120, 220, 255), 0x3E5u);
    gradientText(canvas, TxtReady, w * 0.5f, (h - textHeight(TxtReady)) * 0.5f, Align::Centre, white,
                 rgb(180, 230, 255), rgb(90, 180, 255), ink, 2);
}

// Ten digit cells side by side: kind 0 20x25, kind 1 16x20.
void paintDigits(Canvas& canvas, const Art& art) {
    canvas.keyThreshold = 0.3f;
    const int first = art.kind == 0 ? TxtDigitsLarge : TxtDigitsMedium;
    const float cellW = canvas.w / 10.0f, cellH = static_cast<float>(canvas.h);
    for (int d = 0; d < 10; ++d) {
        float top = (cellH - textHeight(first + d)) * 0.5f;
        gradientText(canvas, first + d, d * cellW + cellW * 0.5f, top, Align::Centre, rgb(255, 255, 255),
                     rgb(190, 220, 255), rgb(110, 160, 255), rgb(10, 14, 40), 1);
    }
}

// The score bar's parts in rows 70..80: small digits at (8 + 8d, 70), seven
// coloured streak pieces at (139 + 3k, 70), the lives icon at (200, 70).
void paintPartsSheet(Canvas& canvas, const Art&) {
    // Above the parts row: the pieces again at a viewable size (never drawn).
    shipPicture(canvas, 4, 0, 0.9f, false);
    for (int d = 0; d < 10; ++d) {
        int id = TxtDigitsSmall + d;
        float left = 8 + 8.0f * d + (7 - textWidth(id)) * 0.5f;
        float top = 70 + (10 - textHeight(id)) * 0.5f;
        drawText(canvas, id, left, top, Align::Left, rgb(255, 240, 180), ink, 0);
    }
    static const Rgb streaks[7] = {rgb(255, 255, 255), rgb(120, 230, 255), rgb(100, 140, 255), rgb(190, 120, 255),
                                   rgb(255, 130, 200), rgb(255, 210, 90), rgb(130, 255, 150)};
    for (int k = 0; k < 7; ++k)
        for (int y = 70; y < 80; ++y)
            for (int x = 139 + 3 * k; x < 142 + 3 * k; ++x) {
                float t = (y - 70) / 9.0f;  // tail at the top, bright head below
                float across = x == 140 + 3 * k ? 1.0f : 0.6f;
                canvas.over(x, y, mix(streaks[k] * 0.35f, streaks[k], t) * across, 1);
            }
    // Lives icon: a small ship and a times sign.
    Canvas ship(60, 70);
    paintPlayerShip(ship, Art{0, 0, 0});
    drawCanvasScaled(canvas, ship, 201, 70, 10.0f / 70.0f);
    strokeLine(canvas, {213, 72.5f}, {218, 77.5f}, 1.3f, rgb(255, 240, 180));
    strokeLine(canvas, {218, 72.5f}, {213, 77.5f}, 1.3f, rgb(255, 240, 180));
}

}  // namespace standin
