// engSound: sound effects in slots of voices, and MIDI music.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/audio.h"
#include "platform/resources.h"

constexpr int SoundSlotCount = 70;
constexpr int MaxVoices = 10;
constexpr int SoundNameLength = 30;  // characters, without the terminator

// One sound slot: the same sound in up to MaxVoices buffers, played in turn.
struct SoundSlot {
    plat::SoundBuffer voices[MaxVoices];  // 0 when absent
    int32_t voiceCount;                   // 1 after the reset, then the count loaded
    int32_t currentVoice;                 // the voice the next play in turn uses
    int32_t inUse;                        // 1 once loaded
    char name[SoundNameLength + 1];       // the name it was loaded under
};
extern SoundSlot soundSlots[SoundSlotCount];

extern int32_t soundEnabled;  // 1 after a successful engSound::Init
extern int32_t midiOpen;      // a song is open
extern int32_t midiLoop;      // restart the song when it ends

// Largest MIDI file read from disk (a song of the game is a few kilobytes).
constexpr size_t MaxSongFileSize = size_t{1} << 20;

namespace engSound {

int Init();
void ResetSlots();
int LoadObject(const char* name, int voices);
int Play(int slot, int voice);
void Release();

// Reads the WAVE file at `path`: its chunk headers and format first, then,
// when they describe a sound the buffers take (plat::soundSupported), its
// samples alone into `file` (`data` points into it). 0 on success, non-zero
// on failure (WaveNotPlayable: a WAVE file, but not a sound the game plays).
// `opened`, when given, tells how opening the file went.
constexpr int WaveNotPlayable = 5;
int ReadWave(const char* path, std::vector<uint8_t>& file, plat::WaveFormat& format, uint32_t& formatSize,
             const uint8_t*& data, uint32_t& dataSize, plat::FileOpenResult* opened = nullptr);
// The same for a WAVE file already in memory (`data` points into `bytes`).
// Every chunk is checked against its parent and the bytes given.
int ParseWave(const uint8_t* bytes, size_t size, plat::WaveFormat& format, uint32_t& formatSize,
              const uint8_t*& data, uint32_t& dataSize);

int InitMidi();
int PlayMidi(const char* file, int loop);
int StopMidi();
void LoopMidi();
// The open song is stopped (not playing): what the window procedure asks
// before it restarts a song on the end notice.
bool MidiStopped();

}  // namespace engSound
