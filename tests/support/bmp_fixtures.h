// Small Windows bitmaps built in memory for tests, served as resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testbmp {

// bitCount 24 or 32: `pixels` are 0x00RRGGBB; 1, 4 or 8: palette indices
// into `palette` (0x00RRGGBB). Row after row from the top.
std::vector<uint8_t> make(int bitCount, int width, int height, const std::vector<uint32_t>& pixels,
                          const std::vector<uint32_t>& palette = {});

// An 8-bit run-length encoded bitmap of the size declared, with a two-colour
// palette (black, white) and `codes` as its pixel data.
std::vector<uint8_t> rle8(int width, int height, const std::vector<uint8_t>& codes);
// Codes of a picture of `height` rows, each `width` pixels of colour 1 in
// runs of at most 255, ended by the end-of-bitmap code.
std::vector<uint8_t> rle8Runs(int width, int height);

// Serves the added bitmaps through plat::findResource by name.
void serve();
void add(const std::string& name, std::vector<uint8_t> bytes);
void clear();

}  // namespace testbmp
