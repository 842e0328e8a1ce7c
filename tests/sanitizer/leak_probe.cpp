// Leaks, on purpose, what the program's own code could leak through the
// system libraries: an SDL surface, an SDL audio stream or a fontconfig
// pattern (the first argument says which). Run under LeakSanitizer with the
// suppressions every sanitizer run uses, each must still be reported: they
// name the libraries' own leaking functions, never a whole library.
#include <SDL.h>
#include <fontconfig/fontconfig.h>

#include <cstring>
#include <thread>

int main(int argc, char** argv) {
    const char* what = argc > 1 ? argv[1] : "";
    // Made on a thread that then ends, so that no stale copy of the pointer
    // is left on a stack for the leak check to find.
    std::thread([what] {
        if (std::strcmp(what, "surface") == 0) {
            (void)SDL_CreateRGBSurfaceWithFormat(0, 800, 480, 32, SDL_PIXELFORMAT_RGB888);
        } else if (std::strcmp(what, "stream") == 0) {
            (void)SDL_NewAudioStream(AUDIO_S16SYS, 1, 22050, AUDIO_F32SYS, 2, 48000);
        } else if (std::strcmp(what, "pattern") == 0) {
            (void)FcNameParse(reinterpret_cast<const FcChar8*>("IPAMincho:style=Regular"));
        }
    }).join();
    return 0;
}
