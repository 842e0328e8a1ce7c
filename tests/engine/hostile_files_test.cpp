// What sits at an asset path beside the program is not always a file: a
// pipe (which would block a plain open), a folder, a loop of links. Each is
// refused at once with one line, and the built-in asset takes over.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "support/bmp_fixtures.h"
#include "support/sound_fixture.h"

namespace {

using namespace testsound;

class HostileFiles : public SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        engDraw::Release();
        ASSERT_EQ(engDraw::Screen(800, 600, 3), 1);
    }
    void TearDown() override {
        engDraw::Release();
        SoundFixture::TearDown();
    }
    // Puts a thing of `kind` at the path of `name`.
    void plant(const std::string& name, char kind) {
        const std::string path = appDirText + name;
        std::filesystem::create_directories((appDir / name).parent_path());
        const int made = kind == 'p'   ? mkfifo(path.c_str(), 0600)
                         : kind == 'd' ? mkdir(path.c_str(), 0700)
                                       : symlink(path.c_str(), path.c_str());
        ASSERT_EQ(made, 0) << path;
    }
    // Runs `load`, which must succeed, and returns what it said.
    template <typename Load>
    std::string said(Load load) {
        ::testing::internal::CaptureStderr();
        EXPECT_TRUE(load());
        return ::testing::internal::GetCapturedStderr();
    }
};

TEST_F(HostileFiles, PipesFoldersAndLinkLoopsAreRefusedOnceWithoutWaiting) {
    for (char kind : {'p', 'd', 'l'}) {
        const std::string tag(1, kind);
        const std::string image = "IMAGE/" + tag + ".BMP", sound = "SOUND/" + tag + ".WAV", song = "MIDI/" + tag + ".MID";
        resources()[image] = testbmp::make(24, 2, 2, std::vector<uint32_t>(4, 0xFF0000));
        resources()[sound] = constantWave(100, 64);
        resources()[song] = shortSong();
        for (const std::string& name : {image, sound, song}) plant(name, kind);
        // The same picture in two slots is named once.
        const std::string lines = said([&] { return engDraw::LoadObject(image.c_str(), 1) != 0; }) +
                                  said([&] { return engDraw::LoadObject(image.c_str(), 1) != 0; }) +
                                  said([&] { return engSound::LoadObject(sound.c_str(), 1) >= 0; }) +
                                  said([&] { return engSound::PlayMidi(song.c_str(), 1) == 1; });
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3) << lines;
        for (const std::string& name : {image, sound, song})
            EXPECT_NE(lines.find(appDirText + name + " refused (not a regular file); the built-in one is used"),
                      std::string::npos)
                << lines;
    }
    EXPECT_TRUE(plat::headless::boxes().empty());
}

TEST_F(HostileFiles, AFolderTooLongForItsFilesIsSaidOnce) {
    const std::string deep = appDirText + std::string(engSystem::FilePathSize, 'd') + "/";
    plat::headless::setAppDirectory(deep.c_str());
    resources()["IMAGE/A.BMP"] = testbmp::make(24, 2, 2, std::vector<uint32_t>(4, 0xFF0000));
    resources()["SOUND/A.WAV"] = constantWave(100, 64);
    const std::string lines = said([] { return engDraw::LoadObject("IMAGE/A.BMP", 1) != 0; }) +
                              said([] { return engDraw::LoadObject("IMAGE/B.BMP", 1) == 0; }) +
                              said([] { return engSound::LoadObject("SOUND/A.WAV", 1) >= 0; });
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
}

}  // namespace
