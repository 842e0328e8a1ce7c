// A fresh engine sound state on the headless layer, with test resources and
// a program directory of its own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "engine/eng_sound.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "platform/resources.h"
#include "support/sound_files.h"

namespace testsound {

inline std::map<std::string, Bytes>& resources() {
    static std::map<std::string, Bytes> r;
    return r;
}

class SoundFixture : public ::testing::Test {
protected:
    void SetUp() override {
        plat::headless::reset();
        plat::headless::resetAudio();
        resources().clear();
        plat::setResourceProvider([](const char* name, const uint8_t** data, size_t* size) {
            auto it = resources().find(name);
            if (it == resources().end()) return false;
            *data = it->second.data();
            *size = it->second.size();
            return true;
        });
        appDir = std::filesystem::path(::testing::TempDir()) / ("md4_sound_" + std::to_string(getpid()));
        std::filesystem::create_directories(appDir);
        appDirText = appDir.string() + "/";
        plat::headless::setAppDirectory(appDirText.c_str());
        ASSERT_EQ(engSound::Init(), 1);
        engSound::ResetSlots();
        engSound::InitMidi();
    }
    void TearDown() override {
        engSound::Release();
        plat::setResourceProvider(nullptr);
        std::filesystem::remove_all(appDir);
    }
    void writeFile(const std::string& name, const Bytes& bytes) {
        std::filesystem::create_directories((appDir / name).parent_path());
        std::ofstream(appDir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string lastBox() {
        const auto& boxes = plat::headless::boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }
    std::filesystem::path appDir;
    std::string appDirText;
};

}  // namespace testsound
