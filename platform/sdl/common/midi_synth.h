// MIDI music through FluidSynth, rendered by the caller (the audio callback)
// rather than by a FluidSynth audio driver. The song is read once, when it is
// opened, into a list of events timed in frames of the device; render() sends
// each event to the synthesiser as its frame comes, so the song keeps time
// with the device, and a restart from the top only rewinds the list: a song
// that loops reads nothing and allocates nothing.
//
// Commands come from the main thread; render() from the audio thread. Every
// command that touches the synthesiser or the song runs inside the lock given
// to start() (the audio device's lock), so it never meets a render halfway.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fluidsynth.h>


namespace plat::audio {

// The General MIDI soundfont to use: the file named by MD4_SOUNDFONT, then
// the system's default GM soundfont (.sf2, then .sf3), TimGM6mb, FluidR3_GM.
// Empty when none is installed.
std::string findSoundFont();

// Gain of the synthesiser (FluidSynth's own default is quiet): the built-in
// stage song at about -14 dBFS RMS, its loudest hits bent a little by the
// soft knee of the output, the effects under it.
constexpr float MidiSynthGain = 1.2f;

struct AudioLock {
    void (*lock)(void* context) = nullptr;
    void (*unlock)(void* context) = nullptr;
    void* context = nullptr;
};

class MidiSynth {
public:
    MidiSynth() = default;
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;
    ~MidiSynth();

    // Makes the synthesiser at `sampleRate` and loads the soundfont on a
    // thread of its own: a General MIDI soundfont can take the better part
    // of a second to read, and start-up does not wait for it (nor for the
    // synthesiser, which is made first). Until the soundfont is in, the
    // music renders silence and a song does not advance, so a song played
    // early starts from its beginning once the soundfont is there; opening a
    // song waits for the synthesiser. False when its settings cannot be
    // made. A synthesiser or soundfont that cannot be made or loaded leaves
    // the music silent and says so on standard error; without a thread for
    // the soundfont, it is loaded here, and that is said too.
    bool start(int sampleRate, const std::string& soundFont, AudioLock lock = {});
    void shutdown();
    bool ready() const { return synth_ != nullptr; }
    // Blocks until the soundfont load has finished; true when it succeeded.
    bool waitForSoundFont();

    // The commands of the music flow (see platform/audio.h).
    bool open(const uint8_t* bytes, size_t size);
    bool seekToStart();
    bool play();
    bool stop();
    int close();
    bool isOpen() const { return open_.load(std::memory_order_acquire); }
    bool isStopped() const { return isOpen() && !playing_.load(std::memory_order_acquire); }

    // Audio thread: writes frameCount interleaved stereo frames into `out`
    // (silence without a synthesiser, or with nothing sounding once the
    // effects have died away). Returns true once when the song has
    // reached its last event while an end notice was asked for.
    bool render(float* out, uint32_t frameCount);

    // A channel message or system exclusive of the song, at its frame.
    struct SongEvent {
        uint64_t frame = 0;
        uint8_t status = 0;  // 0x80..0xEF, or 0xF0 with its body in the song's exclusive bytes
        uint8_t data1 = 0;
        uint8_t data2 = 0;
        uint32_t exclusiveAt = 0;
        uint32_t exclusiveSize = 0;
    };
    struct Song {
        std::vector<SongEvent> events;     // in the order they sound
        std::vector<uint8_t> exclusive;    // bodies of the exclusive messages
        uint64_t endFrame = 0;             // the frame of the last event, meta events included
    };
    // Reads a sound MIDI file into `song` for a device of `sampleRate`
    // frames a second, following its tempo changes.
    static bool readSong(const uint8_t* bytes, size_t size, double sampleRate, Song& song);

private:
    struct Guard {
        explicit Guard(const AudioLock& l) : lock(l) {
            if (lock.lock) lock.lock(lock.context);
        }
        ~Guard() {
            if (lock.unlock) lock.unlock(lock.context);
        }
        const AudioLock& lock;
    };
    void loadSoundFont(const std::string& soundFont);
    void silence();
    // Audio thread: renders frameCount frames, sending the song's events on
    // the way; true when its last event has been sent.
    bool renderSong(float* out, uint32_t frameCount);
    void send(const SongEvent& event);

    // Waits until the loader has made the synthesiser (or failed to).
    bool haveSynth();

    AudioLock lock_;
    fluid_settings_t* settings_ = nullptr;
    std::atomic<fluid_synth_t*> synth_{nullptr};  // set by the loader, under the lock
    std::mutex settleMutex_;
    std::condition_variable settled_;
    bool synthSettled_ = true;  // guarded by settleMutex_: the loader has made it or given up
    Song song_;
    size_t nextEvent_ = 0;    // the next event of the song to send
    uint64_t songFrame_ = 0;  // frames of the song played
    std::thread soundFontLoader_;
    std::atomic<bool> soundFontReady_{false};
    std::atomic<bool> open_{false};
    std::atomic<bool> playing_{false};
    std::atomic<bool> notifyPending_{false};
    // Audio thread: blocks in a row rendered below InaudibleLevel with
    // nothing sounding; past QuietBlocksBeforeIdle the render is skipped.
    static constexpr float InaudibleLevel = 1e-5f;  // -100 dB
    static constexpr int QuietBlocksBeforeIdle = 8;
    int quietBlocks_ = 0;
};

}  // namespace plat::audio
