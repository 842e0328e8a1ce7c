// Every form of the colour-keyed copy against a pixel-by-pixel reference,
// across the widths where whole blocks and leftover pixels meet.
#include <gtest/gtest.h>

#include "platform/surface.h"
#include "platform/surface_kernels.h"

namespace {

TEST(KeyedCopy, EveryFormMatchesThePixelRule) {
    constexpr uint32_t Key = 0x123456;
    plat::Surface* src = plat::createSurface(70, 5);
    plat::Surface* dst = plat::createSurface(80, 8);
    uint32_t seed = 7;
    for (int i = 0; i < 70 * 5; ++i) {
        seed = seed * 1103515245u + 12345u;
        src->pixels[i] = (seed >> 8) % 3 == 0 ? Key : (seed >> 8) & 0xFFFFFF;  // a third transparent
    }
    plat::setColorKey(src, Key);
    for (plat::KeyedCopyLevel level : {plat::KeyedCopyLevel::Plain, plat::KeyedCopyLevel::Sse2, plat::KeyedCopyLevel::Avx2, plat::KeyedCopyLevel::Avx512}) {
        if (!plat::useKeyedCopy(level)) continue;
        for (int w = 0; w <= 67; ++w) {
            for (int i = 0; i < 80 * 8; ++i) dst->pixels[i] = 0xABCDEF;
            ASSERT_EQ(plat::blit(dst, 5, 2, src, plat::Rect{3, 1, 3 + w, 5}, true), plat::Result::Ok);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 80; ++x) {
                    const bool inside = x >= 5 && x < 5 + w && y >= 2 && y < 6;
                    const uint32_t s = inside ? src->pixels[(y - 1) * 70 + (x - 2)] : Key;
                    ASSERT_EQ(dst->pixels[y * 80 + x], s == Key ? 0xABCDEFu : s)
                        << "form " << static_cast<int>(level) << " width " << w << " at " << x << "," << y;
                }
        }
    }
    plat::useMeasuredKeyedCopy();
    plat::destroySurface(src);
    plat::destroySurface(dst);
}

}  // namespace
