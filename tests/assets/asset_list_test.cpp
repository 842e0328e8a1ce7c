// Tests of loadAllAssets on the headless layer with the built-in asset set:
// the slots the images and sounds take, files beside the program taking
// precedence, and a missing picture failing alone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/main_loop.h"
#include "assets/asset_list.h"
#include "assets/standin/catalogue.h"
#include "assets/standin/standin.h"
#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/player.h"
#include "game/score.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "platform/resources.h"
#include "platform/threads.h"
#include "support/address_sanitizer.h"
#include "support/bmp_fixtures.h"
#include "support/sound_files.h"

namespace {

// The name the current test hides from the built-in set ("" for none).
std::string hiddenName;

bool standinExceptHidden(const char* name, const uint8_t** data, size_t* size) {
    if (name != nullptr && hiddenName == name) return false;
    return standinResource(name, data, size);
}

class AssetLoad : public ::testing::Test {
protected:
    static void SetUpTestSuite() { installStandinAssets(); }

    void SetUp() override {
        plat::headless::reset();
        plat::headless::resetAudio();
        engDraw::Release();
        keyColor = 0;
        hiddenName.clear();
        plat::setResourceProvider(standinExceptHidden);
        appDir = std::filesystem::path(::testing::TempDir()) / ("md4_assets_" + std::to_string(getpid()));
        std::filesystem::remove_all(appDir);
        std::filesystem::create_directories(appDir);
        appDirText = appDir.string() + "/";
        plat::headless::setAppDirectory(appDirText.c_str());
    }
    void TearDown() override {
        engSound::Release();
        engDraw::FreeFontMemory();
        engDraw::Release();
        engDraw::SetPictureLimit(0, 0);
        plat::setResourceProvider(nullptr);
        std::filesystem::remove_all(appDir);
    }

    void putFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::filesystem::create_directories((appDir / name).parent_path());
        std::ofstream(appDir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    static bool samePicture(int a, int b) {
        const plat::Surface* sa = imageSlots[a].surface;
        const plat::Surface* sb = imageSlots[b].surface;
        return sa != nullptr && sb != nullptr && sa->width == sb->width && sa->height == sb->height &&
               std::memcmp(sa->pixels, sb->pixels, static_cast<size_t>(sa->width) * sa->height * 4) == 0;
    }

    // Hostile files beside the program, in place of five of the game's.
    void putHostileFiles() {
        // A kilobyte declaring 8192 x 8192 (a 256 MB picture).
        putFile("IMAGE/COIN1.BMP", testbmp::rle8(8192, 8192, std::vector<uint8_t>(1024, 0)));
        // Wider than any picture the game draws.
        putFile("IMAGE/COIN2.BMP", testbmp::make(24, LargestImageWidth + 1, 2,
                                                 std::vector<uint32_t>(2 * (LargestImageWidth + 1), 0x00FF00)));
        // The largest picture in a few hundred bytes.
        putFile("IMAGE/COINBK1.BMP", testbmp::rle8(LargestImageWidth, LargestImageHeight,
                                                   testbmp::rle8Runs(LargestImageWidth, 20)));
        // 70 KB at 100 samples a second: hours of sound at the device's rate.
        putFile("SOUND/SHOT.WAV", testsound::pcmWave(1, 100, 8, testsound::Bytes(70000, 128)));
        // A sound of 256 MB, sparse on disk: refused by its header alone.
        testsound::Bytes header = testsound::pcmWave(2, 44100, 16, {});
        const uint32_t dataSize = (256u << 20) - 44;
        for (int i = 0; i < 4; ++i) {
            header[40 + i] = static_cast<uint8_t>(dataSize >> (8 * i));
            header[4 + i] = static_cast<uint8_t>((dataSize + 36) >> (8 * i));
        }
        putFile("SOUND/BOM.WAV", header);
        std::filesystem::resize_file(appDir / "SOUND/BOM.WAV", 256u << 20);
    }

    static void unload() {
        engSound::Release();
        engDraw::FreeFontMemory();
        engDraw::Release();
    }

    std::filesystem::path appDir;
    std::string appDirText;
};

// The most memory this process has held at once since the last reset, in
// kilobytes; -1 where the system does not tell.
long peakMemoryKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}
bool resetPeakMemory() { return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5"); }

TEST_F(AssetLoad, FillsSlotsInListOrderAndEntersTheOpeningScreen) {
    highScore = 0;
    gameState = 0;
    previousState = 7;
    playerX = playerY = 0;
    loadAssetsAndOpen();  // the program's load, then its hand-over to the opening screen

    EXPECT_TRUE(plat::headless::boxes().empty());
    EXPECT_EQ(screenWidth, variant::screenWidth);
    EXPECT_EQ(clipRect.left, screenX(220));
    EXPECT_EQ(clipRect.right, screenX(580));
    EXPECT_EQ(clipRect.top, 0);
    EXPECT_EQ(clipRect.bottom, 600);
    for (int i = 0; i < ImageAssetCount; ++i) {
        const ImageAsset& asset = imageAssets[i];
        const int slot = FirstLoadSlot + i;
        EXPECT_EQ(*asset.global, slot) << asset.file;
        EXPECT_EQ(asset.expectedSlot, slot) << asset.file;
        EXPECT_STREQ(imageSlots[slot].name, asset.file);
        ASSERT_NE(imageSlots[slot].surface, nullptr) << asset.file;
    }
    for (int slot = FirstLoadSlot + ImageAssetCount; slot < ImageSlotCount; ++slot)
        EXPECT_EQ(imageSlots[slot].name[0], '\0') << "slot " << slot;
    // Both loads of the chain shot: two slots, one picture.
    EXPECT_EQ(imgVal402, 191);
    EXPECT_EQ(imgVal402b, 192);
    EXPECT_TRUE(samePicture(imgVal402, imgVal402b));
    // Sizes the game draws from.
    EXPECT_EQ(imageSlots[imgTitlec].width, 360);
    EXPECT_EQ(imageSlots[imgTitlec].height, 480);
    EXPECT_EQ(imageSlots[imgCoin1].width, 30);
    // Sounds, and the rest of the start.
    EXPECT_EQ(sndShot, 0);
    EXPECT_EQ(sndBom, 1);
    EXPECT_EQ(highScore, 500);
    EXPECT_EQ(playerX, screenX(370.0f));  // the scroll layers and the player are reset
    EXPECT_EQ(playerY, 520.0f);
    EXPECT_EQ(gameState, 1);
    EXPECT_EQ(previousState, 0);
}

TEST_F(AssetLoad, SoundsAreLoadedAfterTheFlameImages) {
    // Record the order of resource requests: the sounds come right after the
    // 234th image ("IMAGE/ZFIRE2.BMP").
    static std::vector<std::string> requests;
    static std::string folder;
    requests.clear();
    folder = appDirText;
    plat::setResourceProvider([](const char* name, const uint8_t** data, size_t* size) {
        // Only the bare names: the engine may also ask for a file's full path.
        if (std::strncmp(name, folder.c_str(), folder.size()) != 0) requests.emplace_back(name);
        return standinResource(name, data, size);
    });
    loadAllAssets();
    auto at = [&](const char* name) {
        return std::find(requests.begin(), requests.end(), name) - requests.begin();
    };
    ASSERT_LT(at("SOUND/SHOT.WAV"), static_cast<long>(requests.size()));
    EXPECT_EQ(at("SOUND/SHOT.WAV"), at("IMAGE/ZFIRE2.BMP") + 1);
    EXPECT_EQ(at("SOUND/BOM.WAV"), at("SOUND/SHOT.WAV") + 1);
    EXPECT_EQ(at("IMAGE/BACK/Kiti01.BMP"), at("SOUND/BOM.WAV") + 1);
}

TEST_F(AssetLoad, AFileBesideTheProgramTakesPrecedence) {
    putFile("IMAGE/COIN1.BMP", testbmp::make(24, 8, 6, std::vector<uint32_t>(48, 0x00FF00)));
    loadAllAssets();
    EXPECT_EQ(imgCoin1, 4);
    EXPECT_EQ(imageSlots[4].width, 8);
    EXPECT_EQ(imageSlots[4].height, 6);
    EXPECT_EQ(imageSlots[5].width, 30);  // the next one is still the built-in picture
    EXPECT_TRUE(plat::headless::boxes().empty());
}

TEST_F(AssetLoad, AMissingOrBrokenPictureFailsAloneAndKeepsItsSlot) {
    // The title picture: a damaged file beside the program, and no built-in
    // one to fall back on.
    hiddenName = "IMAGE/TITLEC.BMP";
    putFile("IMAGE/TITLEC.BMP", {'B', 'M', 1, 2, 3});
    loadAssetsAndOpen();
    ASSERT_EQ(plat::headless::boxes().size(), 1u);
    EXPECT_NE(plat::headless::boxes()[0].text.find("engDraw::LoadObject"), std::string::npos);
    EXPECT_EQ(imgTitlec, 0);
    EXPECT_STREQ(imageSlots[246].name, "IMAGE/TITLEC.BMP");  // the slot stays taken
    EXPECT_EQ(imageSlots[246].surface, nullptr);
    for (int i = 0; i < ImageAssetCount; ++i) {
        if (imageAssets[i].global == &imgTitlec) continue;
        EXPECT_EQ(*imageAssets[i].global, imageAssets[i].expectedSlot) << imageAssets[i].file;
        EXPECT_NE(imageSlots[imageAssets[i].expectedSlot].surface, nullptr) << imageAssets[i].file;
    }
    EXPECT_EQ(imageSlots[252].name[0], '\0');
    EXPECT_EQ(gameState, 1);
}

TEST_F(AssetLoad, HostileFilesAreRefusedWithALineEachAndTheBuiltInOnesTakeOver) {
    putHostileFiles();
    ::testing::internal::CaptureStderr();
    loadAllAssets();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(plat::headless::boxes().empty());
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 5) << said;
    for (const char* name : {"IMAGE/COIN1.BMP", "IMAGE/COIN2.BMP", "IMAGE/COINBK1.BMP", "SOUND/SHOT.WAV",
                             "SOUND/BOM.WAV"}) {
        const std::string line = said.substr(said.find(appDirText + name));
        EXPECT_NE(line.substr(0, line.find('\n')).find("; the built-in one is used instead"), std::string::npos)
            << line;
    }
    for (int slot : {imgCoin1, imgCoin2}) EXPECT_EQ(imageSlots[slot].width, 30);
    EXPECT_EQ(imageSlots[imgCoinbk1].width, 800);
    EXPECT_EQ(imageSlots[imgCoinbk1].height, 80);
    EXPECT_EQ(sndShot, 0);
    EXPECT_EQ(sndBom, 1);
}

TEST_F(AssetLoad, HostileFilesTakeNoMoreMemoryThanTheGamesOwn) {
#if defined(UNDER_ADDRESS_SANITIZER)
    // The address sanitizer holds freed memory back, so the peak says nothing.
    GTEST_SKIP() << "peak memory is not the program's own under the address sanitizer";
#endif
    // Both loads hold every picture: slots still waiting for the built-in
    // set are filled, as the first frames would fill them.
    const auto loadEverything = [] {
        loadAllAssets();
        for (int slot = 0; slot < ImageSlotCount; ++slot) engDraw::FillSlot(slot);
    };
    loadEverything();  // the built-in set is made once and for all
    unload();
    if (!resetPeakMemory() || peakMemoryKb() < 0) GTEST_SKIP() << "no peak memory to read";
    loadEverything();
    const long clean = peakMemoryKb();
    unload();
    putHostileFiles();
    ::testing::internal::CaptureStderr();
    resetPeakMemory();
    loadEverything();
    const long hostile = peakMemoryKb();
    ::testing::internal::GetCapturedStderr();
    EXPECT_LT(hostile, clean + 8 * 1024) << "clean " << clean << " kB, with hostile files " << hostile << " kB";
}

TEST(ImageTable, TheLargestPictureIsTheLimitOfPictureFiles) {
    int width = 0, height = 0;
    for (int i = 0; i < standin::standinEntryCount; ++i) {
        const standin::StandinEntry& entry = standin::standinEntries[i];
        if (entry.paint == nullptr) continue;  // sounds and songs
        width = std::max(width, entry.width);
        height = std::max(height, entry.height);
    }
    EXPECT_EQ(LargestImageWidth, width);
    EXPECT_EQ(LargestImageHeight, height);
}

TEST(StandinThreads, WithoutThreadsEveryFileIsMadeWhenAskedForAndThatIsSaid) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            plat::failThreadStarts(1000);
            installStandinAssets();
            const uint8_t* data = nullptr;
            size_t size = 0;
            const bool made = standinResource("IMAGE/COIN1.BMP", &data, &size) && size > 0 &&
                              standinResource("MIDI/QTX1.MID", &data, &size) && size > 0;
            std::_Exit(made ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "assets: no thread to make the built-in set ahead");
}

TEST_F(AssetLoad, AMissingSoundFailsAlone) {
    hiddenName = "SOUND/SHOT.WAV";
    loadAllAssets();
    EXPECT_EQ(plat::headless::boxes().size(), 1u);
    EXPECT_EQ(sndShot, -1);
    EXPECT_EQ(sndBom, 0);  // the next sound takes the first free slot
    EXPECT_EQ(imgContinu1, 251);
}

}  // namespace

TEST_F(AssetLoad, SlotsThatWaitForTheirPicturesEndWithTheSamePictures) {
    // As the program loads: every picture may still be being made, so every
    // slot waits; filling them gives what loading them at once gave.
    plat::setResourceProvider(standinResource);
    plat::setResourceStateQuery(standinResourceState);
    loadAllAssets();
    EXPECT_EQ(engDraw::WaitingSlotCount(), ImageAssetCount);
    std::vector<std::vector<uint32_t>> filled;
    std::vector<uint32_t> keys;
    for (int i = 0; i < ImageAssetCount; ++i) {
        const int slot = imageAssets[i].expectedSlot;
        ASSERT_EQ(*imageAssets[i].global, slot);
        ASSERT_TRUE(engDraw::FillSlot(slot));
        const plat::Surface* s = imageSlots[slot].surface;
        ASSERT_NE(s, nullptr) << imageAssets[i].file;
        filled.emplace_back(s->pixels, s->pixels + static_cast<size_t>(s->width) * s->height);
        keys.push_back(s->colorKey);
    }
    engSound::Release();
    engDraw::Release();
    plat::setResourceProvider(standinResource);  // no state query: every load at once
    loadAllAssets();
    EXPECT_EQ(engDraw::WaitingSlotCount(), 0);
    for (int i = 0; i < ImageAssetCount; ++i) {
        const plat::Surface* s = imageSlots[imageAssets[i].expectedSlot].surface;
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(filled[i].size(), static_cast<size_t>(s->width) * s->height) << imageAssets[i].file;
        EXPECT_TRUE(std::equal(filled[i].begin(), filled[i].end(), s->pixels)) << imageAssets[i].file;
        EXPECT_EQ(keys[i], s->colorKey) << imageAssets[i].file;
    }
    EXPECT_TRUE(plat::headless::boxes().empty());
}
