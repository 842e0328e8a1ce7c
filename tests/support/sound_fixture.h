// A fresh engine sound state on the headless layer, with test resources and
// a program directory of its own.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/eng_sound.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "platform/resources.h"

namespace testsound {

inline std::map<std::string, std::vector<uint8_t>>& testResources() {
    static std::map<std::string, std::vector<uint8_t>> resources;
    return resources;
}

inline bool provideTestResource(const char* name, const uint8_t** data, size_t* size) {
    auto it = testResources().find(name);
    if (it == testResources().end()) return false;
    *data = it->second.data();
    *size = it->second.size();
    return true;
}

class SoundFixture : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        plat::headless::reset();
        plat::headless::resetAudio();
        testResources().clear();
        plat::setResourceProvider(provideTestResource);
        appDir = std::filesystem::path(::testing::TempDir()) /
                 ("md4_sound_" + std::to_string(getpid()) + "_" + std::to_string(serial++));
        std::filesystem::create_directories(appDir);
        appDirText = appDir.string() + "/";
        plat::headless::setAppDirectory(appDirText.c_str());
        soundEnabled = 0;
        ASSERT_EQ(engSound::Init(), 1);
        engSound::ResetSlots();
        engSound::InitMidi();
    }
    void TearDown() override {
        engSound::Release();
        midiOpen = 0;
        plat::setResourceProvider(nullptr);
        std::filesystem::remove_all(appDir);
    }
    // A file in the program's directory.
    void writeFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::filesystem::path path = appDir / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    static std::string lastBoxText() {
        const auto& boxes = plat::headless::boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }

    std::filesystem::path appDir;
    std::string appDirText;
};

}  // namespace testsound
