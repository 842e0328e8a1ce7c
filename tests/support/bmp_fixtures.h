// Small Windows bitmaps built in memory for tests, and a resource provider
// that serves them by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testbmp {

// Pixels are 0x00RRGGBB, row after row from the top.
std::vector<uint8_t> truecolor(int width, int height, const std::vector<uint32_t>& pixels, int bitCount = 24);
// bitCount 1, 4 or 8; indices row after row from the top.
std::vector<uint8_t> indexed(int bitCount, int width, int height, const std::vector<uint32_t>& palette,
                             const std::vector<uint8_t>& indices);
// A bitmap of one colour.
std::vector<uint8_t> solid(int width, int height, uint32_t pixel);

// Serves the added bitmaps through plat::findResource.
void serve();
void add(const std::string& name, std::vector<uint8_t> bytes);
void clear();

// Writes bytes to a file, creating its directories.
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace testbmp
