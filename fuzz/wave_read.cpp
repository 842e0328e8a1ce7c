// Feeds arbitrary bytes to the WAVE reader and, when they parse, to the
// conversion into the device's format, as a sound load does.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/eng_sound.h"
#include "platform/sdl/common/wave_convert.h"
#include "platform/sound_bank.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // A copy of exactly `size` bytes, so that any read past the end is caught.
    std::vector<uint8_t> input(bytes, bytes + size);
    plat::WaveFormat format;
    uint32_t formatSize = 0, dataSize = 0;
    const uint8_t* data = nullptr;
    if (engSound::ParseWave(input.data(), input.size(), format, formatSize, data, dataSize) != 0) return 0;
    if (data < input.data() || dataSize > input.size() || data + dataSize > input.data() + input.size()) __builtin_trap();
    if (formatSize != 18u + format.extraSize) __builtin_trap();
    std::vector<float> frames;
    if (plat::audio::convertWave(format, data, dataSize, 48000, frames) && frames.size() % 2 != 0) __builtin_trap();
    return 0;
}
