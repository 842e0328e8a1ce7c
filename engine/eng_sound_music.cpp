// engSound: MIDI music. One song at a time, restarted from the beginning
// each time it ends while looping is on.
#include <vector>

#include "engine/eng_sound.h"
#include "engine/eng_system.h"
#include "platform/midi_file.h"
#include "platform/resources.h"

int32_t midiOpen;
int32_t midiLoop;

namespace {

// Reads the song at `path` when it is a sound MIDI file of a sensible
// size: its header first, then the rest. 0 when read; else why not.
const char* readSong(const char* path, long size, std::vector<uint8_t>& bytes) {
    if (static_cast<size_t>(size) > MaxSongFileSize) return "larger than any song";
    uint8_t header[plat::MidiHeaderSize];
    if (plat::readFileRange(path, 0, header, sizeof header) != static_cast<long>(sizeof header) ||
        !plat::midiHeaderSound(header, sizeof header))
        return "not a MIDI file";
    bytes.resize(static_cast<size_t>(size));
    if (plat::readFile(path, bytes.data(), bytes.size()) != size) return "unreadable";
    const plat::MidiResult checked = plat::midiFileCheck(bytes.data(), bytes.size());
    if (checked != plat::MidiResult::Ok) return plat::midiResultText(checked);
    return nullptr;
}

// Opens `file` from the program's directory, else the resource of that
// name. A song that is found nowhere stays unopened; nothing is reported,
// but a file that is there and refused is said on standard error.
bool openSong(const char* file) {
    char path[engSystem::FilePathSize];
    const bool pathFits = engSystem::AppFilePath(path, file);
    const long size = pathFits ? plat::fileSize(path) : -1;
    const char* refused = nullptr;
    if (size >= 0) {
        std::vector<uint8_t> bytes;
        refused = readSong(path, size, bytes);
        if (refused == nullptr) return plat::midiOpenSong(file, bytes.data(), bytes.size());
    }
    const uint8_t* bytes = nullptr;
    size_t resourceSize = 0;
    const bool opened = plat::findResource(file, &bytes, &resourceSize) && plat::midiOpenSong(file, bytes, resourceSize);
    if (!pathFits) engSystem::ReportRefusedFile(path, "its path is too long", opened);
    if (refused != nullptr) engSystem::ReportRefusedFile(path, refused, opened);
    return opened;
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
