// The text service's part that both implementations share (the headless
// layer renders the built-in pictures' texts with real fonts too): the one
// font lookup, the pictures' texts (platform/text.h) and copying rendered
// text onto our surfaces.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <mutex>

#include "platform/surface.h"

namespace plat {

// Face 0 is the Mincho (serif) face, face 1 the Gothic (sans) face. Looks up,
// through fontconfig, the installed families of the face's list (IPA fonts
// first, DejaVu as the last resort), then those of the other face, then any
// font fontconfig ranks for the face, and writes the first usable file to
// `path`. Each damaged file passed over is said on standard error in one
// line. false when there is none.
bool findFontFile(int face, char* path, size_t capacity);

// The first of `files` that opens as a font and renders text (a damaged file
// may open and draw nothing), written to `path`. Each file passed over is
// said on standard error in one line. false when none will do.
bool firstUsableFontFile(const char* const* files, int count, char* path, size_t capacity);

// The file plat::lookUpFonts chose for a face (0, 1 as above; 2 onwards the
// PictureFace values in order), looking up first if it has not yet;
// nullptr when no font can be had. The caller holds fontLibraryLock.
const char* lookedUpFontFile(int face);

// Copies rendered text with its top-left corner at (x, y) of dst, clipped to
// dst. Understands what SDL_ttf renders: 8-bit paletted surfaces (a colour
// key, if set, marks the transparent index) and 32-bit ARGB surfaces, whose
// alpha is blended over what dst holds. false for other formats or a lost
// destination.
bool copyTextSurface(Surface* dst, int x, int y, SDL_Surface* text);

// SDL_ttf and the FreeType library under it are not safe to use from two
// threads at once: everything in the program that calls them (the text
// lines, the built-in pictures' texts, the font lookup) holds this lock
// meanwhile.
std::mutex& fontLibraryLock();

}  // namespace plat
