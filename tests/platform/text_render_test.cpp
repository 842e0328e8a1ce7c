// Copying rendered text onto surfaces, and the faces the text service uses.
#include <gtest/gtest.h>

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "platform/text.h"
#include "platform/sdl/common/text_render.h"

namespace {

struct SurfaceDeleter {
    void operator()(plat::Surface* s) const { plat::destroySurface(s); }
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using OurSurface = std::unique_ptr<plat::Surface, SurfaceDeleter>;
using SdlSurface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

uint32_t at(const plat::Surface* s, int x, int y) { return s->pixels[y * s->width + x]; }

// A paletted 3x2 text image: index 0 background (navy), 1 foreground (white).
SdlSurface indexedText() {
    SdlSurface text(SDL_CreateRGBSurfaceWithFormat(0, 3, 2, 8, SDL_PIXELFORMAT_INDEX8));
    const SDL_Color colors[2] = {{0, 0, 128, 255}, {255, 255, 255, 255}};
    SDL_SetPaletteColors(text->format->palette, colors, 0, 2);
    const uint8_t rows[2][3] = {{0, 1, 0}, {1, 1, 0}};
    for (int y = 0; y < 2; ++y)
        std::memcpy(static_cast<uint8_t*>(text->pixels) + y * text->pitch, rows[y], 3);
    return text;
}

TEST(TextCopy, OpaquePalettedTextClipsAtEveryEdge) {
    OurSurface dst(plat::createSurface(4, 3));
    SdlSurface text = indexedText();
    plat::fillRect(dst.get(), plat::Rect{0, 0, 4, 3}, 0x123456);

    // Hanging over the left and top edges: only the last column and row land.
    ASSERT_TRUE(plat::copyTextSurface(dst.get(), -2, -1, text.get()));
    EXPECT_EQ(at(dst.get(), 0, 0), 0x000080u);  // text (2,1)
    EXPECT_EQ(at(dst.get(), 1, 0), 0x123456u);
    EXPECT_EQ(at(dst.get(), 0, 1), 0x123456u);

    // Hanging over the right and bottom edges.
    ASSERT_TRUE(plat::copyTextSurface(dst.get(), 2, 2, text.get()));
    EXPECT_EQ(at(dst.get(), 2, 2), 0x000080u);  // text (0,0)
    EXPECT_EQ(at(dst.get(), 3, 2), 0xFFFFFFu);  // text (1,0)

    // Wholly outside: nothing drawn, nothing touched.
    const uint32_t before = at(dst.get(), 3, 0);
    EXPECT_TRUE(plat::copyTextSurface(dst.get(), 4, 0, text.get()));
    EXPECT_TRUE(plat::copyTextSurface(dst.get(), -3, 0, text.get()));
    EXPECT_TRUE(plat::copyTextSurface(dst.get(), 0, -2, text.get()));
    EXPECT_EQ(at(dst.get(), 3, 0), before);
}

TEST(TextCopy, ColourKeyedIndexIsTransparent) {
    OurSurface dst(plat::createSurface(3, 2));
    SdlSurface text = indexedText();
    SDL_SetColorKey(text.get(), SDL_TRUE, 0);
    plat::fillRect(dst.get(), plat::Rect{0, 0, 3, 2}, 0x00FF00);
    ASSERT_TRUE(plat::copyTextSurface(dst.get(), 0, 0, text.get()));
    EXPECT_EQ(at(dst.get(), 0, 0), 0x00FF00u);
    EXPECT_EQ(at(dst.get(), 1, 0), 0xFFFFFFu);
    EXPECT_EQ(at(dst.get(), 2, 1), 0x00FF00u);
}

TEST(TextCopy, BlendedTextMixesByAlpha) {
    OurSurface dst(plat::createSurface(3, 1));
    plat::fillRect(dst.get(), plat::Rect{0, 0, 3, 1}, 0x000000);
    SdlSurface text(SDL_CreateRGBSurfaceWithFormat(0, 3, 1, 32, SDL_PIXELFORMAT_ARGB8888));
    auto* px = static_cast<uint32_t*>(text->pixels);
    px[0] = 0xFFFF0000u;  // opaque red
    px[1] = 0x00FFFFFFu;  // fully transparent
    px[2] = 0x80FFFFFFu;  // half white
    ASSERT_TRUE(plat::copyTextSurface(dst.get(), 0, 0, text.get()));
    EXPECT_EQ(at(dst.get(), 0, 0), 0xFF0000u);
    EXPECT_EQ(at(dst.get(), 1, 0), 0x000000u);
    EXPECT_EQ(at(dst.get(), 2, 0), 0x808080u);
    EXPECT_EQ(at(dst.get(), 2, 0) >> 24, 0u);  // the top byte stays 0
}

TEST(TextCopy, RefusesLostTargetsAndUnknownFormats) {
    OurSurface dst(plat::createSurface(3, 2));
    SdlSurface text = indexedText();
    dst->lost = true;
    EXPECT_FALSE(plat::copyTextSurface(dst.get(), 0, 0, text.get()));
    dst->lost = false;
    SdlSurface rgb565(SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 16, SDL_PIXELFORMAT_RGB565));
    EXPECT_FALSE(plat::copyTextSurface(dst.get(), 0, 0, rgb565.get()));
    EXPECT_FALSE(plat::copyTextSurface(nullptr, 0, 0, text.get()));
    EXPECT_FALSE(plat::copyTextSurface(dst.get(), 0, 0, nullptr));
}

TEST(Fonts, BothFacesResolveToReadableFiles) {
    char path[1024];
    for (int face = 0; face < 2; ++face) {
        if (!plat::findFontFile(face, path, sizeof path)) GTEST_SKIP() << "no usable font installed";
        struct stat st;
        EXPECT_EQ(stat(path, &st), 0) << path;
    }
    EXPECT_FALSE(plat::findFontFile(2, path, sizeof path));
    EXPECT_FALSE(plat::findFontFile(0, path, 4));  // no room for the path
}

TEST(Fonts, ShadedLineFillsItsBoxWithTheBackground) {
    char path[1024];
    if (!plat::findFontFile(1, path, sizeof path)) GTEST_SKIP() << "no usable font installed";
    ASSERT_EQ(TTF_Init(), 0);
    TTF_Font* font = TTF_OpenFont(path, 12);
    ASSERT_NE(font, nullptr);
    SdlSurface text(TTF_RenderUTF8_Shaded(font, "STAFF 1999", SDL_Color{255, 255, 255, 255}, SDL_Color{0, 0, 128, 255}));
    ASSERT_NE(text, nullptr);

    OurSurface dst(plat::createSurface(200, 40));
    ASSERT_TRUE(plat::copyTextSurface(dst.get(), 10, 5, text.get()));
    int background = 0, foreground = 0, untouched = 0;
    for (int y = 0; y < dst->height; ++y)
        for (int x = 0; x < dst->width; ++x) {
            const bool inside = x >= 10 && x < 10 + text->w && y >= 5 && y < 5 + text->h;
            const uint32_t p = at(dst.get(), x, y);
            if (!inside) untouched += p == 0;
            else if (p == 0x000080u) ++background;
            else if (p == 0xFFFFFFu) ++foreground;
        }
    EXPECT_EQ(untouched, dst->width * dst->height - text->w * text->h);
    EXPECT_GT(background, foreground);
    EXPECT_GT(foreground, 0);
    text.reset();
    TTF_CloseFont(font);
    TTF_Quit();
}

TEST(Fonts, DamagedFontFilesArePassedOverWithALineEach) {
    char good[1024];
    if (!plat::findFontFile(1, good, sizeof good)) GTEST_SKIP() << "no usable font installed";
    // Garbage, and the first part of a real font (its tables cut off).
    const std::string dir = ::testing::TempDir();
    const std::string garbage = dir + "md4_garbage.ttf", cut = dir + "md4_cut.ttf";
    std::ofstream(garbage, std::ios::binary) << std::string(4096, 'x');
    std::ifstream whole(good, std::ios::binary);
    std::vector<char> head(2048);
    whole.read(head.data(), static_cast<std::streamsize>(head.size()));
    std::ofstream(cut, std::ios::binary).write(head.data(), whole.gcount());

    const char* files[] = {garbage.c_str(), cut.c_str(), garbage.c_str(), good};
    char path[1024] = "";
    ::testing::internal::CaptureStderr();
    const bool found = plat::firstUsableFontFile(files, 4, path, sizeof path);
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(found);
    EXPECT_STREQ(path, good);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;  // the garbage told once
    EXPECT_NE(said.find(cut), std::string::npos) << said;

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(plat::firstUsableFontFile(files, 2, path, sizeof path));
    ::testing::internal::GetCapturedStderr();
    std::remove(garbage.c_str());
    std::remove(cut.c_str());
}

// A fontconfig set-up of its own: `files` copied into a fresh font folder
// (the last one then damaged in place, after fontconfig has indexed it).
FcConfig* fontSetUp(const std::string& name, const std::vector<std::string>& files, bool damageLast) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / name;
    fs::remove_all(dir);
    fs::create_directories(dir / "fonts");
    for (size_t i = 0; i < files.size(); ++i)
        fs::copy_file(files[i], dir / "fonts" / (std::to_string(i) + ".ttf"));
    const fs::path conf = dir / "fonts.conf";
    std::ofstream(conf) << "<?xml version=\"1.0\"?><fontconfig><dir>" << (dir / "fonts").string() << "</dir><cachedir>"
                        << (dir / "cache").string() << "</cachedir></fontconfig>\n";
    FcConfig* config = FcConfigCreate();
    FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(conf.c_str()), FcTrue);
    FcConfigBuildFonts(config);
    if (damageLast) {
        std::fstream last(dir / "fonts" / (std::to_string(files.size() - 1) + ".ttf"),
                          std::ios::in | std::ios::out | std::ios::binary);
        last.seekp(12);
        last << std::string(4096, '\xAB');
    }
    return config;
}

// In a process of its own, with only the given fonts: what start-up says
// (one line, once) and whether the pictures' texts are still drawn.
[[noreturn]] void lookUpAndTell(FcConfig* config) {
    FcConfigSetCurrent(config);
    ::testing::internal::CaptureStderr();
    plat::lookUpFonts();
    plat::lookUpFonts();
    const std::string said = ::testing::internal::GetCapturedStderr();
    const plat::TextInk ink = plat::renderPictureText(plat::PictureFace::Sans, 22, 300, 24, "PRESS ENTER");
    std::fputs(said.c_str(), stderr);
    std::_Exit(std::count(said.begin(), said.end(), '\n') == 1 ? (ink.w > 0 ? 0 : 3) : 2);
}

TEST(Fonts, MissingOrDamagedFontsAreToldInOneLineAndStoodInFor) {
    char gothic[1024];
    if (!plat::findFontFile(1, gothic, sizeof gothic)) GTEST_SKIP() << "no usable font installed";
    // The pictures' sans face (the lookup itself must not run before the death tests).
    std::string bold;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans:bold"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        bold = reinterpret_cast<char*>(file);
    FcPatternDestroy(pattern);
    if (match != nullptr) FcPatternDestroy(match);
    if (bold.find("DejaVuSans-Bold") == std::string::npos) GTEST_SKIP() << "no DejaVu Sans Bold installed";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The pictures' bold face damaged, another font at hand: said, and drawn with it.
    FcConfig* damaged = fontSetUp("md4_fonts_damaged", {gothic, bold}, true);
    EXPECT_EXIT(lookUpAndTell(damaged), ::testing::ExitedWithCode(0),
                "^text: fonts missing or damaged: .*DejaVu Sans Bold,.* \\(damaged: [^)]*1\\.ttf\\); "
                "their texts are drawn with [^;]*0\\.ttf\n$");
    // No font at all: said, and nothing drawn.
    FcConfig* none = fontSetUp("md4_fonts_none", {}, false);
    EXPECT_EXIT(lookUpAndTell(none), ::testing::ExitedWithCode(3), "; no font can be had, texts are not drawn\n$");
    FcConfigDestroy(damaged);
    FcConfigDestroy(none);
    for (const char* name : {"md4_fonts_damaged", "md4_fonts_none"})
        std::filesystem::remove_all(std::filesystem::path(::testing::TempDir()) / name);
}

}  // namespace
