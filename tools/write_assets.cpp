// Writes the game's built-in asset set into a folder (IMAGE/, IMAGE/ZAKU/,
// IMAGE/BOSS/, IMAGE/BACK/, SOUND/, MIDI/), so the pictures, sounds and
// songs can be looked at, listened to and replaced: a file placed beside the
// program under the same name is used instead of the built-in one.
//
//   write_assets [folder]      (default: the current directory)
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "assets/standin/standin.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0))) {
        std::fprintf(stderr, "usage: %s [folder]\n", argv[0]);
        return 2;
    }
    const fs::path folder = argc == 2 ? fs::path(argv[1]) : fs::path(".");

    installStandinAssets();
    int written = 0;
    for (int i = 0; i < standinFileCount(); ++i) {
        const char* name = standinFileName(i);
        const uint8_t* data = nullptr;
        size_t size = 0;
        if (!standinResource(name, &data, &size)) {
            std::fprintf(stderr, "write_assets: %s is not in the set\n", name);
            return 1;
        }
        const fs::path path = folder / name;
        std::error_code error;
        fs::create_directories(path.parent_path(), error);
        if (error) {
            std::fprintf(stderr, "write_assets: cannot create %s: %s\n", path.parent_path().c_str(),
                         error.message().c_str());
            return 1;
        }
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        out.close();
        if (!out) {
            std::fprintf(stderr, "write_assets: cannot write %s\n", path.c_str());
            return 1;
        }
        ++written;
    }
    std::printf("%d files written to %s\n", written, folder.c_str());
    return 0;
}
