// The platform layer: the audio device, sound buffers and the MIDI player.
//
// Sound buffers hold one whole sound each, already converted to the device's
// format when created, and play once from the start when told (a play while
// one is sounding restarts it). The MIDI player plays one song at a time and
// answers the commands the engine's music flow uses: open, seek to the start,
// play with an end notice, stop, close, and a stopped/playing status. When a
// song reaches its end on its own, the layer posts
// Message{MessageType::MidiNotify, MidiNotifySuccessful} to the queue.
//
// Two implementations: platform/sdl (one SDL audio device, our mixer and
// FluidSynth rendered in its callback) and platform/headless (records what
// it is told; see platform/headless/headless_audio.h).
//
// Every function is called from the main thread. Without an open device they
// do nothing and report failure (false, 0, or an empty handle).
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat {

// ---------------------------------------------------------------------------
// Device
// ---------------------------------------------------------------------------

// Opens the audio device (and the MIDI synthesiser when a General MIDI
// soundfont is installed). Returns false when there is no device; the game
// then runs silent. Either failure is said in one line on standard error.
// Calling it while the device is open changes nothing and returns true.
bool openAudio();
// Releases every sound buffer, the song and the device. Idempotent.
void closeAudio();
bool audioIsOpen();
// Samples per second of the device (0 while closed).
int audioDeviceRate();

// ---------------------------------------------------------------------------
// Sound buffers
// ---------------------------------------------------------------------------

// The format block of a WAVE file.
struct WaveFormat {
    uint16_t formatTag = 0;       // 1: PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;      // bytes per frame
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;       // bytes of format-specific data that follow
};

// A sound buffer; 0 is no buffer.
using SoundBuffer = int32_t;

// Buffer controls, in the units the engine passes: volume and pan in
// hundredths of a decibel of attenuation, frequency in hertz.
constexpr int32_t VolumeMax = 0;          // hundredths of a decibel of attenuation
constexpr int32_t VolumeMin = -10000;     // silence
constexpr int32_t PanLeft = -10000;       // the right side attenuated by 100 dB
constexpr int32_t PanCenter = 0;
constexpr int32_t PanRight = 10000;
constexpr uint32_t FrequencyOriginal = 0; // play at the sound's own rate
constexpr uint32_t FrequencyMin = 100;
constexpr uint32_t FrequencyMax = 200000;

// The sounds a buffer takes: 8- or 16-bit PCM, mono or stereo, recorded at
// MinSoundRate..MaxSoundRate samples per second, at least one frame and at
// most MaxSoundSeconds long (a sound effect; longer is a hostile file).
constexpr uint32_t MinSoundRate = 8000;
constexpr uint32_t MaxSoundRate = 192000;
constexpr uint32_t MaxSoundSeconds = 10;
// True when `size` bytes of samples in `format` are such a sound: what a
// loader checks from a file's header before it reads the samples.
bool soundSupported(const WaveFormat& format, uint64_t size);

// Creates a buffer holding `size` bytes of samples in `format` (a supported
// sound; trailing bytes short of a whole frame are left out). Returns 0 on
// failure (device closed, unsupported sound, no room).
SoundBuffer createSoundBuffer(const WaveFormat& format, const uint8_t* samples, uint32_t size);
void releaseSoundBuffer(SoundBuffer buffer);
// Stops the buffer, rewinds it and plays it once (no looping).
bool playSoundBuffer(SoundBuffer buffer);
bool stopSoundBuffer(SoundBuffer buffer);
// Volume VolumeMin..VolumeMax, pan PanLeft..PanRight, frequency
// FrequencyOriginal or FrequencyMin..FrequencyMax; false when out of range.
bool setSoundBufferVolume(SoundBuffer buffer, int32_t volume);
bool setSoundBufferPan(SoundBuffer buffer, int32_t pan);
bool setSoundBufferFrequency(SoundBuffer buffer, uint32_t frequency);

// ---------------------------------------------------------------------------
// MIDI player
// ---------------------------------------------------------------------------

// Opens a song from the bytes of a standard MIDI file (read at once, so the
// bytes need not outlive the call; `name` only labels it). Any song already
// open is closed first. False when the bytes are not a sound MIDI file
// (plat::midiFileCheck) or there is no synthesiser.
bool midiOpenSong(const char* name, const uint8_t* bytes, size_t size);
// Stops playback and moves to the beginning of the song.
bool midiSeekToStart();
// Plays from the current position; when the song reaches its end, the end
// notice is posted once.
bool midiPlay();
// Stops playback and silences every sounding note at once.
bool midiStop();
// Stops and closes the song. Returns 0, or non-zero when none was open.
int midiCloseSong();
// A song is open and not playing (after open, seek, stop, or its end).
bool midiStopped();

}  // namespace plat
