// The platform layer: fonts. The engine's text lines are drawn with
// createFont / drawText (platform/surface.h); the built-in pictures' texts
// are rendered here into coverage masks. Both find their font files through
// one lookup (the platform's implementation, through fontconfig), which
// falls back to any font installed rather than draw nothing.
#pragma once

#include <cstdint>
#include <vector>

namespace plat {

// Looks up the font file of every face once, and says on standard error, in
// one line, which faces are missing or damaged and what stands in for them
// (or that no font can be had and texts are not drawn). The engine calls it
// at start-up; later calls do nothing. Any thread.
void lookUpFonts();

// The faces of the built-in pictures (bold DejaVu families where installed).
enum class PictureFace : uint8_t { Sans, SansCondensed, Mono, Serif };

// A rendered text's coverage (0..255), row after row, cropped to the ink.
struct TextInk {
    int w = 0, h = 0;
    std::vector<uint8_t> a;
};

// `text` in `face`, at the largest size from `size` pixels down to 6 whose
// ink fits maxW x maxH (at 6 whatever it measures). Empty without a font.
// Any thread; the faces it opens stay open until closePictureFonts.
TextInk renderPictureText(PictureFace face, int size, int maxW, int maxH, const char* text);
// Closes the faces renderPictureText opened (it opens them again if asked).
void closePictureFonts();

}  // namespace plat
