// Controls of the headless audio layer, for tests and benchmarks.
//
// The device opens at a fixed rate without any thread; sound buffers are
// real (converted and mixed by the same code as the SDL layer, pulled with
// renderAudio) and every command is recorded. The MIDI player synthesises
// nothing: it records its commands and keeps the open / playing state, and
// a test ends the song with endSong(), which posts the end notice as the
// real layer does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio.h"

namespace plat::headless {

constexpr int AudioRate = 48000;

// Back to a fresh start: device closed (and available), no buffers, no song,
// nothing recorded.
void resetAudio();
// When false, openAudio fails as it does on a machine without a device.
void setAudioDeviceAvailable(bool available);
// Creating a buffer fails once this many exist (as when sound memory runs
// out); negative: no limit.
void setSoundBufferLimit(int limit);

enum class SoundEventKind { Create, Release, Play, Stop, Volume, Pan, Frequency };
struct SoundEvent {
    SoundEventKind kind;
    SoundBuffer buffer;
    int64_t value;  // the control's value; 0 for the others
};
// Every buffer command that succeeded, in order.
const std::vector<SoundEvent>& soundEvents();
void clearSoundEvents();
// How often the buffer was played (each play restarts it from the start).
int playCount(SoundBuffer buffer);
int soundBufferCount();
// Mixes frameCount stereo frames of the sounding buffers, as one device
// callback would (through the output stage's soft knee; the song adds
// nothing here).
void renderAudio(float* out, uint32_t frameCount);

// Music commands in order: "open NAME", "seek", "play", "stop", "close".
const std::vector<std::string>& midiCommands();
void clearMidiCommands();
// Whether the open song plays.
bool songPlaying();
// The open song reaches its end: it stops, and the end notice is posted
// when its play asked for one. Returns true when a notice was posted.
bool endSong();

}  // namespace plat::headless
