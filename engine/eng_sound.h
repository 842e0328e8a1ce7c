// engSound: sound effects in slots of voices, and MIDI music.
#pragma once

#include <cstdint>

constexpr int SoundSlotCount = 70;
constexpr int MaxVoices = 10;

extern int32_t soundEnabled;  // 1 after a successful engSound::Init
extern int32_t midiOpen;      // a song is open
extern int32_t midiLoop;      // restart the song when it ends

namespace engSound {

int Init();
void ResetSlots();
int LoadObject(const char* name, int voices);
int Play(int slot, int voice);
void Release();

int InitMidi();
int PlayMidi(const char* file, int loop);
int StopMidi();
void LoopMidi();
// 1 when the open song has stopped (it reached its end).
int MidiStopped();

}  // namespace engSound
