#include "platform/sdl/common/midi_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/midi_file.h"
#include "platform/sdl/common/openmp_inline.h"
#include "platform/resources.h"
#include "platform/threads.h"

namespace plat::audio {

namespace {

constexpr const char* SoundFontVariable = "MD4_SOUNDFONT";
constexpr const char* SystemSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

void quietFluidSynthLog() {
    static bool done = false;
    if (done) return;
    done = true;
    // Failures are told by the audio layer in one line of its own.
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
}

}  // namespace

std::string findSoundFont() {
    const char* named = std::getenv(SoundFontVariable);
    if (named != nullptr && *named != '\0' && fileSize(named) > 0) return named;
    for (const char* path : SystemSoundFonts) {
        if (fileSize(path) > 0) return path;
    }
    return {};
}

MidiSynth::~MidiSynth() { shutdown(); }

bool MidiSynth::start(int sampleRate, const std::string& soundFont, AudioLock lock) {
    shutdown();
    if (sampleRate <= 0 || soundFont.empty()) return false;
    quietFluidSynthLog();
    lock_ = lock;
    settings_ = new_fluid_settings();
    if (settings_ == nullptr) return false;
    fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(settings_, "synth.gain", MidiSynthGain);
    // All rendering on the calling thread (the audio callback): no mixer
    // threads to hand work to and wait for. Its effects region then has one
    // thread and runs inline (platform/sdl/common/openmp_inline.h), so a render
    // allocates nothing.
    fluid_settings_setint(settings_, "synth.cpu-cores", 1);
    if (!oneThreadOpenMpRegionsInline())
        std::fprintf(stderr, "audio: OpenMP regions are not inlined; the synthesiser allocates as it renders\n");
    synthSettled_ = false;
    soundFontLoader_ = startThread([this, soundFont] { loadSoundFont(soundFont); });
    if (!soundFontLoader_.joinable()) {
        // Start-up waits for it instead.
        std::fprintf(stderr, "audio: no thread to load the soundfont; loading it before the game starts\n");
        loadSoundFont(soundFont);
    }
    return true;
}

// Makes the synthesiser, then loads the soundfont into it: both take tens
// of milliseconds or more, so they run off the caller's time when a thread
// can be had.
void MidiSynth::loadSoundFont(const std::string& soundFont) {
    fluid_synth_t* made = new_fluid_synth(settings_);
    {
        Guard guard(lock_);
        synth_ = made;
    }
    {
        std::lock_guard<std::mutex> settled(settleMutex_);
        synthSettled_ = true;
    }
    settled_.notify_all();
    if (made == nullptr) {
        std::fprintf(stderr, "audio: cannot start the synthesiser; music is off\n");
        return;
    }
    if (fluid_synth_sfload(made, soundFont.c_str(), 1) == FLUID_FAILED) {
        std::fprintf(stderr, "audio: cannot load the soundfont %s; music is off\n", soundFont.c_str());
        return;
    }
    soundFontReady_.store(true, std::memory_order_release);
}

bool MidiSynth::waitForSoundFont() {
    joinThread(soundFontLoader_);
    return soundFontReady_.load(std::memory_order_acquire);
}

void MidiSynth::shutdown() {
    joinThread(soundFontLoader_);
    if (synth_ != nullptr) close();
    {
        Guard guard(lock_);
        if (synth_ != nullptr) delete_fluid_synth(synth_);
        synth_ = nullptr;
    }
    if (settings_ != nullptr) delete_fluid_settings(settings_);
    settings_ = nullptr;
    song_ = Song{};
    open_ = false;
    playing_ = false;
    notifyPending_ = false;
    soundFontReady_ = false;
    synthSettled_ = true;
    lock_ = AudioLock{};
}

bool MidiSynth::haveSynth() {
    std::unique_lock<std::mutex> settled(settleMutex_);
    settled_.wait(settled, [this] { return synthSettled_; });
    return synth_ != nullptr;
}

namespace {

struct SongReading {
    MidiSynth::Song& song;
    double sampleRate;
};

// Takes each event of the file, in the order it sounds, into the song at its
// frame. Meta events only mark the song's length; an escape's bytes are for
// a port the synthesiser does not have, so it is passed over.
void takeEvent(const plat::MidiFileEvent& event, void* context) {
    SongReading& reading = *static_cast<SongReading*>(context);
    MidiSynth::Song& song = reading.song;
    // A hostile file's ticks could run past any frame count: a song is held
    // to a year.
    const double seconds = std::min(event.microseconds / 1e6, 3.2e7);
    const uint64_t frame = static_cast<uint64_t>(std::llround(seconds * reading.sampleRate));
    song.endFrame = frame;
    if (event.status == 0xFF || event.status == 0xF7) return;
    MidiSynth::SongEvent out;
    out.frame = frame;
    out.status = event.status;
    if (event.status == 0xF0) {
        // The synthesiser takes the body without its closing 0xF7.
        uint32_t body = event.size;
        if (body > 0 && event.data[body - 1] == 0xF7) --body;
        out.exclusiveAt = static_cast<uint32_t>(song.exclusive.size());
        out.exclusiveSize = body;
        song.exclusive.insert(song.exclusive.end(), event.data, event.data + body);
    } else {
        out.data1 = event.size > 0 ? event.data[0] : 0;
        out.data2 = event.size > 1 ? event.data[1] : 0;
    }
    song.events.push_back(out);
}

}  // namespace

bool MidiSynth::readSong(const uint8_t* bytes, size_t size, double sampleRate, Song& song) {
    song = Song{};
    if (sampleRate <= 0) return false;
    SongReading reading{song, sampleRate};
    if (midiFileEvents(bytes, size, takeEvent, &reading)) return true;
    song = Song{};
    return false;
}

bool MidiSynth::open(const uint8_t* bytes, size_t size) {
    if (!midiFileSound(bytes, size) || !haveSynth()) return false;
    double rate = 0;
    fluid_settings_getnum(settings_, "synth.sample-rate", &rate);
    Song song;  // the one it replaces is freed after the lock is let go
    if (!readSong(bytes, size, rate, song)) return false;
    Guard guard(lock_);
    if (playing_) silence();
    playing_ = false;
    notifyPending_ = false;
    std::swap(song_, song);
    nextEvent_ = 0;
    songFrame_ = 0;
    open_ = true;
    return true;
}

bool MidiSynth::seekToStart() {
    Guard guard(lock_);
    if (!open_) return false;
    playing_ = false;
    notifyPending_ = false;
    if (nextEvent_ == 0 && songFrame_ == 0) return true;
    // Notes still held go into their release (no click).
    fluid_synth_all_notes_off(synth_, -1);
    nextEvent_ = 0;
    songFrame_ = 0;
    return true;
}

bool MidiSynth::play() {
    Guard guard(lock_);
    if (!open_) return false;
    notifyPending_ = true;
    playing_ = true;
    return true;
}

bool MidiSynth::stop() {
    Guard guard(lock_);
    if (!open_) return false;
    silence();
    playing_ = false;
    notifyPending_ = false;
    return true;
}

int MidiSynth::close() {
    Song song;  // freed after the lock is let go
    Guard guard(lock_);
    if (!open_) return 1;
    silence();
    std::swap(song_, song);
    nextEvent_ = 0;
    songFrame_ = 0;
    playing_ = false;
    notifyPending_ = false;
    open_ = false;
    return 0;
}

bool MidiSynth::render(float* out, uint32_t frameCount) {
    if (synth_ == nullptr || !soundFontReady_.load(std::memory_order_acquire)) {
        std::memset(out, 0, size_t{frameCount} * 2 * sizeof(float));
        return false;
    }
    const bool playing = playing_.load(std::memory_order_relaxed);
    // With no song and no note sounding, once the effects' tails have died
    // away the synthesiser has nothing left to give: write the silence
    // rather than computing it.
    if (!playing && fluid_synth_get_active_voice_count(synth_) == 0) {
        if (quietBlocks_ >= QuietBlocksBeforeIdle) {
            std::memset(out, 0, size_t{frameCount} * 2 * sizeof(float));
            return false;
        }
        fluid_synth_write_float(synth_, static_cast<int>(frameCount), out, 0, 2, out, 1, 2);
        float* const end = out + size_t{frameCount} * 2;
        quietBlocks_ = std::all_of(out, end, [](float v) { return std::fabs(v) < InaudibleLevel; }) ? quietBlocks_ + 1 : 0;
        return false;
    }
    quietBlocks_ = 0;
    if (!playing) {
        fluid_synth_write_float(synth_, static_cast<int>(frameCount), out, 0, 2, out, 1, 2);
        return false;
    }
    // The song ends with its last event, as a sequencer reports it, not
    // when its last notes have died away.
    if (!renderSong(out, frameCount)) return false;
    playing_.store(false, std::memory_order_release);
    const bool notify = notifyPending_.exchange(false);
    // A song with no length ends at once: no notice, so that it is not
    // restarted over and over.
    return notify && song_.endFrame > 0;
}

bool MidiSynth::renderSong(float* out, uint32_t frameCount) {
    const std::vector<SongEvent>& events = song_.events;
    bool ended = false;
    uint32_t done = 0;
    while (done < frameCount) {
        while (nextEvent_ < events.size() && events[nextEvent_].frame <= songFrame_) send(events[nextEvent_++]);
        if (!ended && nextEvent_ == events.size() && songFrame_ >= song_.endFrame) ended = true;
        // Up to the next event, or the end of the song, or of the block.
        uint64_t until = ended ? songFrame_ + frameCount : song_.endFrame;
        if (nextEvent_ < events.size()) until = events[nextEvent_].frame;
        const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(frameCount - done, std::max<uint64_t>(until - songFrame_, 1)));
        float* at = out + size_t{done} * 2;
        fluid_synth_write_float(synth_, static_cast<int>(count), at, 0, 2, at, 1, 2);
        done += count;
        if (!ended) songFrame_ += count;
    }
    return ended;
}

void MidiSynth::send(const SongEvent& event) {
    const int channel = event.status & 0x0F;
    switch (event.status & 0xF0) {
        case 0x80: fluid_synth_noteoff(synth_, channel, event.data1); break;
        case 0x90: fluid_synth_noteon(synth_, channel, event.data1, event.data2); break;  // velocity 0: off
        case 0xA0: fluid_synth_key_pressure(synth_, channel, event.data1, event.data2); break;
        case 0xB0: fluid_synth_cc(synth_, channel, event.data1, event.data2); break;
        case 0xC0: fluid_synth_program_change(synth_, channel, event.data1); break;
        case 0xD0: fluid_synth_channel_pressure(synth_, channel, event.data1); break;
        case 0xE0: fluid_synth_pitch_bend(synth_, channel, event.data1 | (event.data2 << 7)); break;
        default:
            if (event.status == 0xF0 && event.exclusiveSize > 0) {
                const char* body = reinterpret_cast<const char*>(song_.exclusive.data() + event.exclusiveAt);
                fluid_synth_sysex(synth_, body, static_cast<int>(event.exclusiveSize), nullptr, nullptr, nullptr, 0);
            }
            break;
    }
}

void MidiSynth::silence() {
    // Controllers and programs back to their defaults for the next song,
    // and every sounding note off at once: channel by channel, after the
    // reset (the reset, and the call for all channels, leave sounding voices
    // to their release in some versions).
    fluid_synth_system_reset(synth_);
    for (int channel = 0; channel < fluid_synth_count_midi_channels(synth_); ++channel)
        fluid_synth_all_sounds_off(synth_, channel);
}

}  // namespace plat::audio
