// Loading bitmaps into image slots: decoding, slot numbering, names, keys,
// damaged files and the restore after a loss.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/draw_fixture.h"

namespace {

using LoadTest = DrawTest;

constexpr uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, NearBlack = 0x000001;

// The picture of a slot, row after row.
std::vector<uint32_t> slotPixels(int slot) {
    const plat::Surface* s = imageSlots[slot].surface;
    return std::vector<uint32_t>(s->pixels, s->pixels + static_cast<size_t>(s->width) * s->height);
}

TEST_F(LoadTest, DecodesEveryDepthTopRowFirst) {
    const std::vector<uint32_t> picture = {Red, Green, Blue, 0x123456, NearBlack, 0};  // 3 x 2
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};  // stored B, G, R
    testbmp::add("T24.BMP", testbmp::truecolor(3, 2, picture));
    testbmp::add("T32.BMP", testbmp::truecolor(3, 2, picture, 32));
    testbmp::add("I8.BMP", testbmp::indexed(8, 3, 2, palette, {1, 2, 3, 0, 1, 2}));
    testbmp::add("I4.BMP", testbmp::indexed(4, 3, 2, palette, {1, 2, 3, 0, 1, 2}));
    testbmp::add("I1.BMP", testbmp::indexed(1, 3, 2, {0, 0xFFFFFF}, {1, 0, 1, 0, 1, 1}));

    for (const char* name : {"T24.BMP", "T32.BMP"}) {
        const int slot = engDraw::LoadObject(name, 1);
        ASSERT_NE(slot, 0) << name;
        EXPECT_EQ(slotPixels(slot), picture) << name;
        EXPECT_EQ(imageSlots[slot].width, 3);
        EXPECT_EQ(imageSlots[slot].height, 2);
    }
    const std::vector<uint32_t> fromPalette = {Red, Green, Blue, 0, Red, Green};
    EXPECT_EQ(slotPixels(engDraw::LoadObject("I8.BMP", 1)), fromPalette);
    EXPECT_EQ(slotPixels(engDraw::LoadObject("I4.BMP", 1)), fromPalette);
    EXPECT_EQ(slotPixels(engDraw::LoadObject("I1.BMP", 1)),
              (std::vector<uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF}));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(LoadTest, FileUnderProgramDirectoryComesBeforeResourceAndKeepsItsCase) {
    const auto dir = std::filesystem::temp_directory_path() / ("md4_load_" + std::to_string(::getpid()));
    testbmp::writeFile((dir / "IMAGE/BACK/Kiti01.BMP").string(), testbmp::solid(2, 2, Green));
    const std::string appDir = dir.string() + "/";
    plat::headless::setAppDirectory(appDir.c_str());
    testbmp::add("IMAGE/BACK/Kiti01.BMP", testbmp::solid(2, 2, Red));
    testbmp::add("IMAGE/ONLY.BMP", testbmp::solid(2, 2, Blue));

    EXPECT_EQ(slotPixels(engDraw::LoadObject("IMAGE/BACK/Kiti01.BMP", 1))[0], Green);
    EXPECT_EQ(slotPixels(engDraw::LoadObject("IMAGE/ONLY.BMP", 1))[0], Blue);
    EXPECT_EQ(engDraw::LoadObject("IMAGE/BACK/KITI01.BMP", 1), 0);  // names are not case-folded
    std::filesystem::remove_all(dir);
}

TEST_F(LoadTest, SlotsAreTakenInOrderEvenByFailedLoads) {
    testbmp::add("A.BMP", testbmp::solid(1, 1, Red));
    EXPECT_EQ(engDraw::LoadObject("A.BMP", 1), 4);
    EXPECT_EQ(engDraw::LoadObject("MISSING.BMP", 1), 0);
    EXPECT_EQ(boxes().back().title, "エラー発生");
    EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : BMPファイルを読み込めません");
    EXPECT_STREQ(imageSlots[5].name, "MISSING.BMP");
    EXPECT_EQ(imageSlots[5].surface, nullptr);
    EXPECT_EQ(engDraw::LoadObject("A.BMP", 1), 6);  // the same file again: its own slot

    // Drawing from the failed slot, an empty one or one out of range does nothing.
    for (int slot : {5, 7, -1, 500}) EXPECT_NE(engDraw::Blit(300, 300, slot, 0, 0, 1, 1), 0);
    EXPECT_EQ(backAt(300, 300), 0u);
}

TEST_F(LoadTest, NameLimitAndFullTable) {
    const std::string thirty(26, 'N');
    testbmp::add(thirty + ".BMP", testbmp::solid(1, 1, Red));
    EXPECT_EQ(engDraw::LoadObject((thirty + ".BMP").c_str(), 1), 4);
    EXPECT_EQ(engDraw::LoadObject((thirty + "X.BMP").c_str(), 1), 0);
    EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : ファイル名またはリソース名が長すぎます");
    EXPECT_EQ(engDraw::SwapObject((thirty + "X.BMP").c_str(), 4, 1), 0);
    EXPECT_EQ(lastBoxText(), "engDraw::SwapObject : ファイル名またはリソース名が長すぎます");

    for (int i = 1; i < 496; ++i) ASSERT_EQ(engDraw::LoadObject((thirty + ".BMP").c_str(), 1), 4 + i);
    plat::headless::clearBoxes();
    EXPECT_EQ(engDraw::LoadObject((thirty + ".BMP").c_str(), 1), 0);  // the 497th
    EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : オブジェクト数が多過ぎます");
}

TEST_F(LoadTest, KeyBlackIsTransparentNearBlackIsDrawnAndMinusOneTakesTopLeft) {
    testbmp::add("K.BMP", testbmp::truecolor(3, 1, {0, NearBlack, Red}));
    fill(backSurface, Blue);
    engDraw::Blit(10, 10, engDraw::LoadObject("K.BMP", 1), 0, 0, 3, 1);
    EXPECT_EQ(backAt(10, 10), Blue);
    EXPECT_EQ(backAt(11, 10), NearBlack);
    EXPECT_EQ(backAt(12, 10), Red);

    testbmp::add("M.BMP", testbmp::truecolor(3, 1, {Red, 0, Red}));
    engDraw::SetKeyColor(-1);
    const int slot = engDraw::LoadObject("M.BMP", 1);
    engDraw::Blit(10, 20, slot, 0, 0, 3, 1);
    EXPECT_EQ(backAt(10, 20), Blue);
    EXPECT_EQ(backAt(11, 20), 0u);
    EXPECT_EQ(imageSlots[slot].surface->pixels[0], Red);  // matching the key left the picture alone
}

TEST_F(LoadTest, DamagedBitmapsAreRefused) {
    const std::vector<uint8_t> good = testbmp::solid(4, 4, Red);
    auto patched = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
        return b;
    };
    const std::vector<std::vector<uint8_t>> damaged = {
        {},
        std::vector<uint8_t>(good.begin(), good.begin() + 20),       // headers cut
        std::vector<uint8_t>(good.begin(), good.end() - 1),          // pixels cut
        patched(0, {'X', 'M'}),                                      // not a bitmap
        patched(14, {0xFF, 0xFF, 0, 0}),                             // header larger than the file
        patched(18, {0x00, 0x24, 0, 0}),                             // width 9216
        patched(22, {0, 0, 0, 0x80}),                                // height -2^31
        patched(22, {0, 0, 0, 0}),                                   // height 0
        patched(28, {7, 0}),                                         // 7 bits per pixel
        patched(30, {3, 0, 0, 0}),                                   // channel masks at 24 bits
        patched(30, {9, 0, 0, 0}),                                   // unknown compression
        patched(10, {0xF0, 0xFF, 0, 0}),                             // pixels beyond the end
        testbmp::indexed(8, 2, 2, std::vector<uint32_t>(4, 0), {0, 1, 2, 9}),  // index beyond the palette
        [&] {  // 300 colours in an 8-bit palette
            std::vector<uint8_t> b = testbmp::indexed(8, 2, 2, {0, 1}, {0, 1, 1, 0});
            b[46] = 0x2C;
            b[47] = 0x01;
            return b;
        }(),
        [&] {  // 256 colours announced, 2 present
            std::vector<uint8_t> b = testbmp::indexed(8, 2, 2, {0, 1}, {0, 1, 1, 0});
            b[47] = 0x01;
            b[46] = 0x00;
            return b;
        }(),
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        testbmp::add("BAD.BMP", damaged[i]);
        plat::headless::clearBoxes();
        EXPECT_EQ(engDraw::LoadObject("BAD.BMP", 1), 0) << "case " << i;
        EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : BMPファイルを読み込めません") << "case " << i;
    }
}

TEST_F(LoadTest, LostSurfacesAreRestoredAndImagesReloaded) {
    testbmp::add("A.BMP", testbmp::truecolor(2, 1, {Red, Green}));
    testbmp::add("B.BMP", testbmp::truecolor(2, 1, {0x112233, Red}));
    const int a = engDraw::LoadObject("A.BMP", 1);
    engDraw::SetKeyColor(-1);
    const int b = engDraw::LoadObject("B.BMP", 1);
    engDraw::LoadObject("MISSING.BMP", 1);
    engDraw::SetKeyColor(0);
    fill(imageSlots[1].surface, Blue);
    plat::headless::clearBoxes();

    plat::loseAllSurfaces();
    engDraw::Blit(300, 300, a, 0, 0, 2, 1);  // meets the loss: everything comes back
    EXPECT_EQ(slotPixels(a), (std::vector<uint32_t>{Red, Green}));
    EXPECT_EQ(slotPixels(b), (std::vector<uint32_t>{0x112233, Red}));
    EXPECT_EQ(imageSlots[b].surface->colorKey, 0x112233u);  // reloaded with its own key
    EXPECT_EQ(imageSlots[1].surface->pixels[0], 0u);          // internal slots come back empty
    EXPECT_FALSE(backSurface->lost || primarySurface->lost || imageSlots[0].surface->lost);
    EXPECT_TRUE(boxes().empty());                             // the failed slot is skipped

    engDraw::Blit(300, 300, a, 0, 0, 2, 1);
    EXPECT_EQ(backAt(301, 300), Green);
}

}  // namespace
