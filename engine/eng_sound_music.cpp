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

// Reads the song at `path`, through the one descriptor it is opened with,
// when it is a sound MIDI file of a sensible size: its header first, then
// the rest. 0 when read; else why not. `opened` tells how opening went.
const char* readSong(const char* path, std::vector<uint8_t>& bytes, plat::FileOpenResult& opened) {
    plat::OpenedFile file;
    opened = plat::openFile(path, file);
    if (opened != plat::FileOpenResult::Opened) return plat::fileOpenResultText(opened);
    const char* refused = nullptr;
    uint8_t header[plat::MidiHeaderSize];
    if (file.size > MaxSongFileSize) {
        refused = "larger than any song";
    } else if (!plat::readOpened(file, 0, header, sizeof header) || !plat::midiHeaderSound(header, sizeof header)) {
        refused = "not a MIDI file";
    } else {
        bytes.resize(static_cast<size_t>(file.size));
        if (!plat::readOpened(file, 0, bytes.data(), bytes.size()))
            refused = "unreadable";
        else if (const plat::MidiResult checked = plat::midiFileCheck(bytes.data(), bytes.size());
                 checked != plat::MidiResult::Ok)
            refused = plat::midiResultText(checked);
    }
    plat::closeFile(file);
    return refused;
}

// Opens `file` from the program's directory, else the resource of that
// name. A song that is found nowhere stays unopened; nothing is reported,
// but a file that is there and refused is said on standard error.
bool openSong(const char* file) {
    char path[engSystem::FilePathSize];
    const bool pathFits = engSystem::AppFilePath(path, file);
    const char* refused = nullptr;
    if (pathFits) {
        std::vector<uint8_t> bytes;
        plat::FileOpenResult openResult = plat::FileOpenResult::Absent;
        refused = readSong(path, bytes, openResult);
        if (refused == nullptr) return plat::midiOpenSong(file, bytes.data(), bytes.size());
        if (openResult == plat::FileOpenResult::Absent) refused = nullptr;  // no file there: nothing to say
    }
    const uint8_t* bytes = nullptr;
    size_t resourceSize = 0;
    const bool opened = plat::findResource(file, &bytes, &resourceSize) && plat::midiOpenSong(file, bytes, resourceSize);
    if (!pathFits) engSystem::ReportRefusedFile(path, engSystem::PathTooLong, opened);
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
