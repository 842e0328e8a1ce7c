// The headless audio layer: real sound buffers without a device thread, a
// MIDI player that only records.
#include "platform/headless/headless_audio.h"

#include <cstring>
#include <utility>

#include "platform/audio_mixer.h"
#include "platform/midi_file.h"
#include "platform/sdl/common/wave_convert.h"
#include "platform/sound_bank.h"
#include "platform/window.h"

namespace plat {

namespace {

struct Song {
    bool open = false;
    bool playing = false;
    bool notifyPending = false;
};

struct AudioState {
    bool available = true;
    int bufferLimit = -1;
    bool open = false;
    std::vector<headless::SoundEvent> events;
    std::vector<std::string> midiCommands;
    Song song;
};

constexpr size_t RecordedEventsReserve = 4096;

AudioState& st() {
    static AudioState s;
    return s;
}

audio::SoundBank& bank() {
    static audio::SoundBank b;
    return b;
}

void clearBank() {
    for (int i = 1; i <= audio::SoundBankCapacity; ++i) {
        std::vector<float> freed;
        audio::bankRemove(bank(), i, freed);
    }
}

bool record(bool ok, headless::SoundEventKind kind, SoundBuffer buffer, int64_t value = 0) {
    if (ok) st().events.push_back(headless::SoundEvent{kind, buffer, value});
    return ok;
}

bool midiCommand(const std::string& command) {
    if (!st().open) return false;
    st().midiCommands.push_back(command);
    return true;
}

}  // namespace

namespace headless {

void resetAudio() {
    clearBank();
    st() = AudioState{};
    // Room for the sounds of many frames, so that a run that clears the
    // record each frame makes no allocation for it.
    st().events.reserve(RecordedEventsReserve);
}
void setAudioDeviceAvailable(bool available) { st().available = available; }
void setSoundBufferLimit(int limit) { st().bufferLimit = limit; }
const std::vector<SoundEvent>& soundEvents() { return st().events; }
void clearSoundEvents() { st().events.clear(); }

int playCount(SoundBuffer buffer) {
    int count = 0;
    for (const SoundEvent& e : st().events) count += (e.kind == SoundEventKind::Play && e.buffer == buffer) ? 1 : 0;
    return count;
}

int soundBufferCount() { return audio::bankCount(bank()); }

void renderAudio(float* out, uint32_t frameCount) {
    std::memset(out, 0, size_t{frameCount} * 2 * sizeof(float));
    audio::bankMix(bank(), out, frameCount);
    mix::softLimit(out, size_t{frameCount} * 2);
}

const std::vector<std::string>& midiCommands() { return st().midiCommands; }
void clearMidiCommands() { st().midiCommands.clear(); }
bool songPlaying() { return st().song.open && st().song.playing; }

bool endSong() {
    Song& song = st().song;
    if (!song.open || !song.playing) return false;
    song.playing = false;
    if (!song.notifyPending) return false;
    song.notifyPending = false;
    postMessageFromAnyThread(Message{MessageType::MidiNotify, MidiNotifySuccessful, 0});
    return true;
}

}  // namespace headless

bool openAudio() {
    if (st().open) return true;
    if (!st().available) return false;
    st().open = true;
    return true;
}

void closeAudio() {
    if (!st().open) return;
    st().song = Song{};
    clearBank();
    st().open = false;
}

bool audioIsOpen() { return st().open; }
int audioDeviceRate() { return st().open ? headless::AudioRate : 0; }

SoundBuffer createSoundBuffer(const WaveFormat& format, const uint8_t* samples, uint32_t size) {
    if (!st().open) return 0;
    if (st().bufferLimit >= 0 && audio::bankCount(bank()) >= st().bufferLimit) return 0;
    std::vector<float> frames;
    if (!audio::convertWave(format, samples, size, headless::AudioRate, frames)) return 0;
    const SoundBuffer buffer = audio::bankInstall(bank(), std::move(frames), format.samplesPerSec);
    record(buffer != 0, headless::SoundEventKind::Create, buffer);
    return buffer;
}

void releaseSoundBuffer(SoundBuffer buffer) {
    std::vector<float> freed;
    record(audio::bankRemove(bank(), buffer, freed), headless::SoundEventKind::Release, buffer);
}

bool playSoundBuffer(SoundBuffer buffer) {
    return record(audio::bankPlay(bank(), buffer), headless::SoundEventKind::Play, buffer);
}
bool stopSoundBuffer(SoundBuffer buffer) {
    return record(audio::bankStop(bank(), buffer), headless::SoundEventKind::Stop, buffer);
}
bool setSoundBufferVolume(SoundBuffer buffer, int32_t volume) {
    return record(audio::bankSetVolume(bank(), buffer, volume), headless::SoundEventKind::Volume, buffer, volume);
}
bool setSoundBufferPan(SoundBuffer buffer, int32_t pan) {
    return record(audio::bankSetPan(bank(), buffer, pan), headless::SoundEventKind::Pan, buffer, pan);
}
bool setSoundBufferFrequency(SoundBuffer buffer, uint32_t frequency) {
    return record(audio::bankSetFrequency(bank(), buffer, frequency), headless::SoundEventKind::Frequency, buffer,
                  frequency);
}

bool midiOpenSong(const char* name, const uint8_t* bytes, size_t size) {
    if (!midiCommand(std::string("open ") + (name ? name : ""))) return false;
    st().song = Song{};
    if (!midiFileSound(bytes, size)) return false;
    st().song.open = true;
    return true;
}

bool midiSeekToStart() {
    if (!midiCommand("seek") || !st().song.open) return false;
    st().song.playing = false;
    st().song.notifyPending = false;
    return true;
}

bool midiPlay() {
    if (!midiCommand("play") || !st().song.open) return false;
    st().song.playing = true;
    st().song.notifyPending = true;
    return true;
}

bool midiStop() {
    if (!midiCommand("stop") || !st().song.open) return false;
    st().song.playing = false;
    st().song.notifyPending = false;
    return true;
}

int midiCloseSong() {
    if (!midiCommand("close") || !st().song.open) return 1;
    st().song = Song{};
    return 0;
}

bool midiStopped() { return st().open && st().song.open && !st().song.playing; }

}  // namespace plat
