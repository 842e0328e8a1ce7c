// Placeholder: engSound (silent).
#include "engine/eng_sound.h"

int32_t soundEnabled, midiOpen, midiLoop;

namespace engSound {
int Init() { return 0; }
void ResetSlots() {}
int LoadObject(const char*, int) { return -1; }
int Play(int, int) { return 0; }
void Release() {}
int InitMidi() { midiOpen = 0; midiLoop = 1; return 1; }
int PlayMidi(const char*, int) { return 0; }
int StopMidi() { return 0; }
void LoopMidi() {}
int MidiStopped() { return !midiOpen; }
}  // namespace engSound
