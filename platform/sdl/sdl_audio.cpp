// The audio device through SDL: float stereo at the device's own rate, at
// most audio::DeviceBufferFrames frames per callback; our mixer and the FluidSynth song are rendered in the
// callback. The end of a song is handed from the callback to a small
// notifier thread by a semaphore, and posted from there, so the callback
// never waits on the message queue.
#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/audio.h"
#include "platform/sdl/common/audio_callback.h"
#include "platform/sdl/common/wave_convert.h"
#include "platform/sdl/sdl_layer.h"
#include "platform/window.h"

namespace plat {

namespace {

constexpr int FallbackRate = 48000;

struct AudioDevice {
    SDL_AudioDeviceID id = 0;
    int rate = 0;
    audio::SoundBank bank;
    audio::MidiSynth music;
    SDL_sem* endNotices = nullptr;
    SDL_Thread* notifier = nullptr;
    std::atomic<bool> quitting{false};
    // The thread that opens the device (sdl::startOpeningAudio) and what it
    // found. A program that ends some other way than through closeAudio (a
    // library calling exit) still waits for it before the device goes. It is
    // a thread of SDL's own, so that SDL frees what it keeps per thread (its
    // error text) when the thread ends.
    SDL_Thread* opener = nullptr;
    bool openerResult = false;
    ~AudioDevice() { waitForOpener(*this); }
    static void waitForOpener(AudioDevice& d) {
        if (d.opener == nullptr) return;
        if (SDL_GetThreadID(d.opener) == SDL_ThreadID())
            SDL_DetachThread(d.opener);  // ending on the opener itself
        else
            SDL_WaitThread(d.opener, nullptr);
        d.opener = nullptr;
    }
};

AudioDevice& device() {
    static AudioDevice d;
    return d;
}

void lockDevice(void*) { SDL_LockAudioDevice(device().id); }
void unlockDevice(void*) { SDL_UnlockAudioDevice(device().id); }

void SDLCALL audioCallback(void*, Uint8* stream, int length) {
    AudioDevice& d = device();
    const uint32_t frames = static_cast<uint32_t>(length) / (2 * sizeof(float));
    if (audio::renderAudio(d.bank, d.music, reinterpret_cast<float*>(stream), frames)) {
        SDL_SemPost(d.endNotices);
    }
}

int SDLCALL notifierMain(void*) {
    AudioDevice& d = device();
    for (;;) {
        SDL_SemWait(d.endNotices);
        if (d.quitting.load()) return 0;
        postMessageFromAnyThread(Message{MessageType::MidiNotify, MidiNotifySuccessful, 0});
    }
}

int preferredRate() {
    SDL_AudioSpec deviceFormat{};
    if (SDL_GetDefaultAudioInfo(nullptr, &deviceFormat, 0) == 0 && deviceFormat.freq > 0) return deviceFormat.freq;
    return FallbackRate;
}

void startMusic(AudioDevice& d) {
    const std::string soundFont = audio::findSoundFont();
    if (soundFont.empty()) {
        std::fprintf(stderr, "audio: no General MIDI soundfont installed; music is off\n");
        return;
    }
    if (!d.music.start(d.rate, soundFont, audio::AudioLock{lockDevice, unlockDevice, nullptr})) {
        std::fprintf(stderr, "audio: cannot start the synthesiser; music is off\n");
    }
}

// Opening the device (and starting the synthesiser) can take a while with a
// sound server; it runs on a thread of its own from the moment the window
// system is up (sdl::startOpeningAudio), so that the start of the program
// does not wait for it, and openAudio takes its result.
bool openDevice() {
    AudioDevice& d = device();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "audio: no sound device (%s); the game runs silent\n", SDL_GetError());
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = preferredRate();
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = audio::DeviceBufferFrames;
    want.callback = audioCallback;
    SDL_AudioSpec have{};
    d.id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (d.id == 0) {
        std::fprintf(stderr, "audio: no sound device (%s); the game runs silent\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    d.rate = have.freq;
    d.quitting = false;
    d.endNotices = SDL_CreateSemaphore(0);
    if (d.endNotices != nullptr) d.notifier = SDL_CreateThread(notifierMain, "md4 song end", nullptr);
    if (d.notifier == nullptr) std::fprintf(stderr, "audio: no thread for the ends of songs; a song plays once\n");
    startMusic(d);
    SDL_PauseAudioDevice(d.id, 0);
    return true;
}

// The opener's result, once it has finished.
bool finishOpening() {
    if (device().opener == nullptr) return false;
    AudioDevice::waitForOpener(device());
    return device().openerResult;
}

int SDLCALL openerMain(void*) {
    device().openerResult = openDevice();
    return 0;
}
}  // namespace

void sdl::startOpeningAudio() {
    if (device().id != 0 || device().opener != nullptr) return;
    // Without a thread, openAudio opens the device itself.
    device().opener = SDL_CreateThread(openerMain, "md4 audio open", nullptr);
}

bool openAudio() {
    if (device().opener != nullptr) return finishOpening();
    if (device().id != 0) return true;
    return openDevice();
}

void closeAudio() {
    finishOpening();
    AudioDevice& d = device();
    if (d.id == 0) return;
    SDL_PauseAudioDevice(d.id, 1);
    d.music.shutdown();
    SDL_LockAudioDevice(d.id);
    for (int i = 1; i <= audio::SoundBankCapacity; ++i) {
        std::vector<float> freed;
        audio::bankRemove(d.bank, i, freed);
    }
    SDL_UnlockAudioDevice(d.id);
    SDL_CloseAudioDevice(d.id);
    d.id = 0;
    d.rate = 0;
    if (d.notifier != nullptr) {
        d.quitting = true;
        SDL_SemPost(d.endNotices);
        SDL_WaitThread(d.notifier, nullptr);
        d.notifier = nullptr;
    }
    if (d.endNotices != nullptr) SDL_DestroySemaphore(d.endNotices);
    d.endNotices = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool audioIsOpen() { return device().id != 0; }
int audioDeviceRate() { return device().rate; }

SoundBuffer createSoundBuffer(const WaveFormat& format, const uint8_t* samples, uint32_t size) {
    AudioDevice& d = device();
    if (d.id == 0) return 0;
    std::vector<float> frames;
    if (!audio::convertWave(format, samples, size, d.rate, frames)) return 0;
    SDL_LockAudioDevice(d.id);
    const SoundBuffer buffer = audio::bankInstall(d.bank, std::move(frames), format.samplesPerSec);
    SDL_UnlockAudioDevice(d.id);
    return buffer;
}

void releaseSoundBuffer(SoundBuffer buffer) {
    AudioDevice& d = device();
    if (d.id == 0) return;
    std::vector<float> freed;  // freed after the lock is let go
    SDL_LockAudioDevice(d.id);
    audio::bankRemove(d.bank, buffer, freed);
    SDL_UnlockAudioDevice(d.id);
}

bool playSoundBuffer(SoundBuffer buffer) { return audio::bankPlay(device().bank, buffer); }
bool stopSoundBuffer(SoundBuffer buffer) { return audio::bankStop(device().bank, buffer); }
bool setSoundBufferVolume(SoundBuffer buffer, int32_t volume) {
    return audio::bankSetVolume(device().bank, buffer, volume);
}
bool setSoundBufferPan(SoundBuffer buffer, int32_t pan) { return audio::bankSetPan(device().bank, buffer, pan); }
bool setSoundBufferFrequency(SoundBuffer buffer, uint32_t frequency) {
    return audio::bankSetFrequency(device().bank, buffer, frequency);
}

bool midiOpenSong(const char*, const uint8_t* bytes, size_t size) { return device().music.open(bytes, size); }
bool midiSeekToStart() { return device().music.seekToStart(); }
bool midiPlay() { return device().music.play(); }
bool midiStop() { return device().music.stop(); }
int midiCloseSong() { return device().music.close(); }
bool midiStopped() { return device().music.isStopped(); }

}  // namespace plat
