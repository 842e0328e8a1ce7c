// Loading bitmaps into image slots: decoding, slot numbering, names, keys,
// damaged files and the reload after a loss.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/draw_fixture.h"

namespace {

using LoadTest = DrawTest;

constexpr uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, NearBlack = 0x000001;

std::vector<uint32_t> slotPixels(int slot) {
    const plat::Surface* s = imageSlots[slot].surface;
    return s ? std::vector<uint32_t>(s->pixels, s->pixels + s->width * s->height) : std::vector<uint32_t>{};
}

TEST_F(LoadTest, DecodesEveryDepthTopRowFirst) {
    const std::vector<uint32_t> picture = {Red, Green, Blue, 0x123456, NearBlack, 0};  // 3 x 2
    const std::vector<uint32_t> palette = {0, Red, Green, Blue};
    const std::vector<uint32_t> indices = {1, 2, 3, 0, 1, 2};
    const std::vector<uint32_t> fromPalette = {Red, Green, Blue, 0, Red, Green};
    testbmp::add("T24", testbmp::make(24, 3, 2, picture));
    testbmp::add("T32", testbmp::make(32, 3, 2, picture));
    testbmp::add("I8", testbmp::make(8, 3, 2, indices, palette));
    testbmp::add("I4", testbmp::make(4, 3, 2, indices, palette));
    testbmp::add("I1", testbmp::make(1, 3, 2, {1, 0, 1, 0, 1, 1}, {0, Red}));
    EXPECT_EQ(slotPixels(engDraw::LoadObject("T24", 1)), picture);
    EXPECT_EQ(slotPixels(engDraw::LoadObject("T32", 1)), picture);
    EXPECT_EQ(slotPixels(engDraw::LoadObject("I8", 1)), fromPalette);
    EXPECT_EQ(slotPixels(engDraw::LoadObject("I4", 1)), fromPalette);
    EXPECT_EQ(slotPixels(engDraw::LoadObject("I1", 1)), (std::vector<uint32_t>{Red, 0, Red, 0, Red, Red}));
    EXPECT_EQ(imageSlots[4].width, 3);
    EXPECT_EQ(imageSlots[4].height, 2);
    EXPECT_TRUE(plat::headless::boxes().empty());
}

TEST_F(LoadTest, FileUnderProgramDirectoryComesBeforeResourceAndKeepsItsCase) {
    const auto dir = std::filesystem::temp_directory_path() / ("md4_load_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "IMAGE/BACK");
    const std::vector<uint8_t> green = solid(2, 2, Green);
    std::ofstream(dir / "IMAGE/BACK/Kiti01.BMP", std::ios::binary).write(reinterpret_cast<const char*>(green.data()),
                                                                           static_cast<std::streamsize>(green.size()));
    const std::string appDir = dir.string() + "/";
    plat::headless::setAppDirectory(appDir.c_str());
    testbmp::add("IMAGE/BACK/Kiti01.BMP", solid(2, 2, Red));
    testbmp::add("IMAGE/ONLY.BMP", solid(2, 2, Blue));

    EXPECT_EQ(slotPixels(engDraw::LoadObject("IMAGE/BACK/Kiti01.BMP", 1))[0], Green);
    EXPECT_EQ(slotPixels(engDraw::LoadObject("IMAGE/ONLY.BMP", 1))[0], Blue);
    EXPECT_EQ(engDraw::LoadObject("IMAGE/BACK/KITI01.BMP", 1), 0);  // names are used as given
    std::filesystem::remove_all(dir);
}

TEST_F(LoadTest, SlotNumberingNameLimitAndFullTable) {
    const std::string thirty = std::string(26, 'N') + ".BMP";
    testbmp::add(thirty, solid(1, 1, Red));
    EXPECT_EQ(engDraw::LoadObject(thirty.c_str(), 1), 4);
    EXPECT_EQ(engDraw::LoadObject("MISSING.BMP", 1), 0);  // still takes slot 5, keeping its name
    EXPECT_EQ(plat::headless::boxes().back().title, "エラー発生");
    EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : BMPファイルを読み込めません");
    EXPECT_STREQ(imageSlots[5].name, "MISSING.BMP");
    EXPECT_EQ(engDraw::LoadObject(thirty.c_str(), 1), 6);  // the same file again: a slot of its own
    for (int slot : {5, 7, -1, 500}) engDraw::Blit(300, 300, slot, 0, 0, 1, 1);  // nothing to draw
    EXPECT_EQ(backAt(300, 300), 0u);

    EXPECT_EQ(engDraw::LoadObject(("X" + thirty).c_str(), 1), 0);
    EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : ファイル名またはリソース名が長すぎます");
    EXPECT_EQ(engDraw::SwapObject(("X" + thirty).c_str(), 4, 1), 0);
    EXPECT_EQ(lastBoxText(), "engDraw::SwapObject : ファイル名またはリソース名が長すぎます");
    for (int slot = 7; slot < 500; ++slot) ASSERT_EQ(engDraw::LoadObject(thirty.c_str(), 1), slot);
    EXPECT_EQ(engDraw::LoadObject(thirty.c_str(), 1), 0);  // the 497th load
    EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : オブジェクト数が多過ぎます");
}

TEST_F(LoadTest, BlackIsTransparentNearBlackIsDrawnAndKeyMinusOneTakesTopLeft) {
    testbmp::add("K", testbmp::make(24, 3, 1, {0, NearBlack, Red}));
    testbmp::add("M", testbmp::make(24, 3, 1, {Red, 0, Red}));
    fill(backSurface, Blue);
    engDraw::Blit(10, 10, engDraw::LoadObject("K", 1), 0, 0, 3, 1);
    EXPECT_EQ(backAt(10, 10), Blue);
    EXPECT_EQ(backAt(11, 10), NearBlack);
    engDraw::SetKeyColor(-1);
    const int slot = engDraw::LoadObject("M", 1);
    engDraw::Blit(10, 20, slot, 0, 0, 3, 1);
    EXPECT_EQ(backAt(10, 20), Blue);
    EXPECT_EQ(backAt(11, 20), 0u);
    EXPECT_EQ(slotPixels(slot)[0], Red);  // matching the key left the picture alone
}

TEST_F(LoadTest, DamagedBitmapsAreRefused) {
    const std::vector<uint8_t> good = solid(4, 4, Red);
    auto patched = [&](std::vector<uint8_t> b, size_t at, std::vector<uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
        return b;
    };
    const std::vector<uint8_t> pal8 = testbmp::make(8, 2, 2, {0, 1, 1, 0}, {0, Red});
    const std::vector<std::vector<uint8_t>> damaged = {
        {},
        std::vector<uint8_t>(good.begin(), good.begin() + 20),  // headers cut
        std::vector<uint8_t>(good.begin(), good.end() - 1),     // pixels cut
        patched(good, 0, {'X'}),                                 // not a bitmap
        patched(good, 14, {0xFF, 0xFF}),                         // header larger than the file
        patched(good, 18, {0x00, 0x24}),                         // width 9216
        patched(good, 22, {0, 0, 0, 0x80}),                      // height -2^31
        patched(good, 22, {0}),                                  // height 0
        patched(good, 28, {7}),                                  // 7 bits per pixel
        patched(good, 30, {3}),                                  // channel masks at 24 bits
        patched(good, 30, {9}),                                  // unknown compression
        patched(good, 10, {0xF0, 0xFF}),                         // pixels beyond the end
        patched(pal8, 62, {5}),                                  // index beyond the palette
        patched(pal8, 46, {0x2C, 0x01}),                         // 300 colours at 8 bits
        patched(pal8, 46, {0x00, 0x01}),                         // 256 colours announced, 2 stored
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        testbmp::add("BAD", damaged[i]);
        plat::headless::clearBoxes();
        EXPECT_EQ(engDraw::LoadObject("BAD", 1), 0) << "case " << i;
        EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : BMPファイルを読み込めません") << "case " << i;
    }
}

TEST_F(LoadTest, PicturesBeyondTheLimitOrTheirFileAreRefusedBeforeDecoding) {
    // Beyond the limit the asset loader sets, in either direction.
    engDraw::SetPictureLimit(800, 480);
    testbmp::add("WIDE", testbmp::make(24, 801, 1, std::vector<uint32_t>(801, Red)));
    testbmp::add("TALL", testbmp::make(8, 1, 481, std::vector<uint32_t>(481, 1), {0, Red}));
    testbmp::add("LARGEST", testbmp::make(8, 800, 480, std::vector<uint32_t>(800 * 480, 1), {0, Red}));
    EXPECT_EQ(engDraw::LoadObject("WIDE", 1), 0);
    EXPECT_EQ(engDraw::LoadObject("TALL", 1), 0);
    EXPECT_NE(engDraw::LoadObject("LARGEST", 1), 0);

    // A kilobyte declaring 8192 x 8192 (256 MB of picture), and a few
    // hundred bytes declaring 700 x 400: bombs even without a limit.
    engDraw::SetPictureLimit(0, 0);
    testbmp::add("BOMB", testbmp::rle8(8192, 8192, std::vector<uint8_t>(1024, 0)));
    testbmp::add("SMALLBOMB", testbmp::rle8(700, 400, testbmp::rle8Runs(700, 40)));
    EXPECT_EQ(engDraw::LoadObject("BOMB", 1), 0);
    EXPECT_EQ(engDraw::LoadObject("SMALLBOMB", 1), 0);
    EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : BMPファイルを読み込めません");
    // Honest runs of one colour compress well and are read.
    testbmp::add("RUNS", testbmp::rle8(700, 400, testbmp::rle8Runs(700, 400)));
    const int runs = engDraw::LoadObject("RUNS", 1);
    ASSERT_NE(runs, 0);
    EXPECT_EQ(imageSlots[runs].width, 700);
    EXPECT_EQ(slotPixels(runs)[700 * 399 + 699], 0xFFFFFFu);
}

TEST_F(LoadTest, LostSurfacesAreRestoredAndImagesReloaded) {
    testbmp::add("A", testbmp::make(24, 2, 1, {Red, Green}));
    testbmp::add("B", testbmp::make(24, 2, 1, {0x112233, Red}));
    const int a = engDraw::LoadObject("A", 1);
    engDraw::SetKeyColor(-1);
    const int b = engDraw::LoadObject("B", 1);
    engDraw::LoadObject("MISSING", 1);
    engDraw::SetKeyColor(0);
    fill(imageSlots[1].surface, Blue);
    plat::headless::clearBoxes();

    plat::loseAllSurfaces();
    engDraw::Blit(300, 300, a, 0, 0, 2, 1);  // meets the loss: everything comes back
    EXPECT_EQ(slotPixels(a), (std::vector<uint32_t>{Red, Green}));
    EXPECT_EQ(slotPixels(b), (std::vector<uint32_t>{0x112233, Red}));
    EXPECT_EQ(imageSlots[b].surface->colorKey, 0x112233u);  // reloaded with its own key
    EXPECT_EQ(slotPixels(1)[0], 0u);                          // internal slots come back empty
    EXPECT_FALSE(backSurface->lost || primarySurface->lost || imageSlots[0].surface->lost);
    EXPECT_TRUE(plat::headless::boxes().empty());             // the failed slot is skipped
    engDraw::Blit(300, 300, a, 0, 0, 2, 1);
    EXPECT_EQ(backAt(301, 300), Green);
}

}  // namespace

namespace {
// A provider still making everything under "LATER/" (or done with it).
bool laterReady = false;
plat::ResourceState laterState(const char* name) {
    if (std::string(name).rfind("LATER/", 0) != 0) return plat::ResourceState::Absent;
    return laterReady ? plat::ResourceState::Ready : plat::ResourceState::Coming;
}
}  // namespace

TEST_F(LoadTest, APictureStillBeingMadeWaitsInItsSlotUntilItsFirstUseOrIdleTime) {
    testbmp::add("LATER/A", testbmp::make(24, 2, 1, {Red, Green}));
    testbmp::add("LATER/B", testbmp::make(24, 2, 1, {0x112233, Blue}));
    testbmp::add("NOW", solid(1, 1, Blue));
    laterReady = false;
    plat::setResourceStateQuery(laterState);

    engDraw::SetKeyColor(-1);  // the key of the load, not of the fill
    const int a = engDraw::LoadObject("LATER/A", 1);
    engDraw::SetKeyColor(0);
    const int b = engDraw::LoadObject("LATER/B", 1);
    const int later = engDraw::LoadObject("LATER/MISSING", 1);
    const int now = engDraw::LoadObject("NOW", 1);
    EXPECT_EQ(a, 4);
    EXPECT_EQ(b, 5);
    EXPECT_EQ(later, 6) << "its failure shows when it is filled";
    EXPECT_EQ(now, 7);
    EXPECT_STREQ(imageSlots[a].name, "LATER/A");
    EXPECT_EQ(imageSlots[a].surface, nullptr);
    EXPECT_NE(imageSlots[now].surface, nullptr) << "what is not coming later loads at once";
    EXPECT_EQ(engDraw::WaitingSlotCount(), 3);

    // The first use fills the slot before drawing from it.
    engDraw::Blit(300, 300, a, 0, 0, 2, 1);
    EXPECT_EQ(slotPixels(a), (std::vector<uint32_t>{Red, Green}));
    EXPECT_EQ(backAt(300, 300), 0u) << "red, the top-left pixel, is its key";
    EXPECT_EQ(backAt(301, 300), Green);
    EXPECT_EQ(imageSlots[a].width, 2);

    // Idle time fills only what is ready, without waiting.
    EXPECT_FALSE(engDraw::FillReadySlot());
    EXPECT_EQ(imageSlots[b].surface, nullptr);
    laterReady = true;
    plat::waitMessageUntil(0);  // the platform's idle work, one piece
    EXPECT_EQ(slotPixels(b), (std::vector<uint32_t>{0x112233, Blue}));
    EXPECT_EQ(imageSlots[b].surface->colorKey, 0u);
    EXPECT_TRUE(plat::headless::boxes().empty());

    // A picture that never comes fails at its fill, as a load would have.
    EXPECT_TRUE(engDraw::FillReadySlot());
    EXPECT_EQ(lastBoxText(), "engDraw::LoadObject : BMPファイルを読み込めません");
    EXPECT_EQ(imageSlots[later].surface, nullptr);
    engDraw::Blit(300, 300, later, 0, 0, 1, 1);
    EXPECT_EQ(plat::headless::boxes().size(), 1u) << "once";
    EXPECT_EQ(engDraw::WaitingSlotCount(), 0);
    EXPECT_FALSE(engDraw::FillReadySlot());

    // A swap, and a release, leave nothing waiting behind.
    laterReady = false;
    EXPECT_EQ(engDraw::SwapObject("LATER/B", now, 1), 1);
    EXPECT_EQ(imageSlots[now].surface, nullptr);
    EXPECT_EQ(engDraw::WaitingSlotCount(), 1);
    engDraw::Release();
    EXPECT_EQ(engDraw::WaitingSlotCount(), 0);
}
