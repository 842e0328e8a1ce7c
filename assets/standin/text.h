// Texts of the built-in pictures, rendered once by the platform
// (plat::renderPictureText, with the fonts its lookup finds) into coverage
// masks that the painters stamp on their canvases.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "assets/standin/canvas.h"

namespace standin {

// Every text the pictures show. Digits come in runs of ten ("0".."9").
enum TextId : int {
    TxtTitleMirvane,
    TxtTitleDelta,
    TxtTitleEncore,
    TxtPressEnter,
    TxtTitleFooter,
    TxtContinue,
    TxtContinueHint,
    TxtRanking,
    TxtRankingSub,
    TxtRankColumn,
    TxtScoreColumn,
    TxtSelectShip,
    TxtSelectLeftKeys,
    TxtSelectRightKeys,
    TxtSelectLeftType,
    TxtSelectRightType,
    TxtSelectKeyboard,
    TxtSelectMouse,
    TxtSelectControl,
    TxtControlTitle,
    TxtGoodCongrats,
    TxtGoodCleared,
    TxtEnd1Title,
    TxtEnd1Line,
    TxtEnd2Thanks,
    TxtEnd2TheEnd,
    TxtWarning,
    TxtWarningLine,
    TxtWarningLine2,
    TxtReady,
    TxtPowerP,
    TxtDigitsLarge,                    // "0".."9" for 20x25 cells
    TxtDigitsMedium = TxtDigitsLarge + 10,  // "0".."9" for 16x20 cells
    TxtDigitsSmall = TxtDigitsMedium + 10,  // "0".."9" for 7x10 cells
    TxtCount = TxtDigitsSmall + 10,
};

struct TextMask {
    int w = 0, h = 0;
    std::vector<uint8_t> a;  // coverage 0..255, row after row
    float get(int x, int y) const {
        return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : a[static_cast<size_t>(y) * w + x] * (1.0f / 255.0f);
    }
};

// A text's mask, rendered when first asked for (safe from any thread).
// Without any usable font the masks stay empty.
const TextMask& textMask(int id);

enum class Align : uint8_t { Left, Centre, Right };

// Stamps a text at (x, y) (its top edge; x by `align`): a dark edge of
// `edgeWidth` pixels round the glyphs, then the glyphs, coloured by
// fill(x, y) -> Rgb.
template <class Fill>
void drawText(Canvas& canvas, int id, float x, float y, Align align, Fill fill, Rgb edge, int edgeWidth = 1) {
    const TextMask& t = textMask(id);
    if (t.w == 0) return;
    int left = static_cast<int>(align == Align::Left ? x : (align == Align::Centre ? x - t.w * 0.5f : x - t.w));
    int top = static_cast<int>(y);
    if (edgeWidth > 0) {
        for (int ty = -edgeWidth; ty < t.h + edgeWidth; ++ty)
            for (int tx = -edgeWidth; tx < t.w + edgeWidth; ++tx) {
                float m = 0;
                for (int dy = -edgeWidth; dy <= edgeWidth; ++dy)
                    for (int dx = -edgeWidth; dx <= edgeWidth; ++dx)
                        if (dx * dx + dy * dy <= edgeWidth * edgeWidth + 1) m = std::max(m, t.get(tx + dx, ty + dy));
                canvas.over(left + tx, top + ty, edge, m);
            }
    }
    for (int ty = 0; ty < t.h; ++ty)
        for (int tx = 0; tx < t.w; ++tx) {
            float m = t.get(tx, ty);
            if (m > 0)
                canvas.over(left + tx, top + ty, fill(static_cast<float>(left + tx), static_cast<float>(top + ty)), m);
        }
}
inline void drawText(Canvas& canvas, int id, float x, float y, Align align, Rgb colour, Rgb edge, int edgeWidth = 1) {
    drawText(canvas, id, x, y, align, [colour](float, float) { return colour; }, edge, edgeWidth);
}

// The size of a rendered text (0 x 0 without a font).
inline int textWidth(int id) { return textMask(id).w; }
inline int textHeight(int id) { return textMask(id).h; }

}  // namespace standin
