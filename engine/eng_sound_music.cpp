// engSound: MIDI music. One song at a time, restarted from the beginning
// each time it ends while looping is on.
#include <vector>

#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "platform/resources.h"

int32_t midiOpen;
int32_t midiLoop;

namespace {

// Opens `file` from the program's directory, else the resource of that
// name. A song that is found nowhere stays unopened; nothing is reported.
bool openSong(const char* file) {
    char path[engSystem::FormatLineSize];
    const int length = engSystem::FormatLine(path, "%s%s", engSystem::GetAppDir(), file);
    if (length >= 0 && static_cast<size_t>(length) < sizeof path) {
        const long size = plat::fileSize(path);
        if (size > 0 && static_cast<size_t>(size) <= MaxSoundFileSize) {
            std::vector<uint8_t> bytes(static_cast<size_t>(size));
            if (plat::readFile(path, bytes.data(), bytes.size()) == size) {
                return plat::midiOpenSong(file, bytes.data(), bytes.size());
            }
        }
    }
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    return plat::findResource(file, &bytes, &size) && plat::midiOpenSong(file, bytes, size);
}

}  // namespace

namespace engSound {

int InitMidi() {
    midiOpen = 0;
    midiLoop = 1;
    return 1;
}

int PlayMidi(const char* file, int loop) {
    if (midiOpen) StopMidi();
    const bool opened = file != nullptr && openSong(file);
    plat::midiSeekToStart();
    plat::midiPlay();
    midiOpen = 1;
    midiLoop = loop;
    return opened ? 1 : 0;
}

int StopMidi() {
    if (!midiOpen) return 0;
    plat::midiStop();
    const int result = plat::midiCloseSong();
    midiOpen = 0;
    return result;
}

void LoopMidi() {
    if (midiLoop) {
        plat::midiSeekToStart();
        plat::midiPlay();
    } else {
        StopMidi();
    }
}

bool MidiStopped() { return plat::midiStopped(); }

}  // namespace engSound
