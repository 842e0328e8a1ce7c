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
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    // No reset of the synthesiser at a song's end: it would cut the last
    // notes with a click where the song loops.
    fluid_settings_setint(settings_, "player.reset-synth", 0);
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
        deletePlayer();
        if (synth_ != nullptr) delete_fluid_synth(synth_);
        synth_ = nullptr;
    }
    if (settings_ != nullptr) delete_fluid_settings(settings_);
    settings_ = nullptr;
    song_ = std::vector<uint8_t>{};
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

bool MidiSynth::open(const uint8_t* bytes, size_t size) {
    if (!midiFileSound(bytes, size) || !haveSynth()) return false;
    std::vector<uint8_t> song(bytes, bytes + size);  // freed after the lock is let go
    quietMidiEscapes(song.data(), song.size());
    Guard guard(lock_);
    if (playing_) silence();
    playing_ = false;
    notifyPending_ = false;
    song_.swap(song);
    const bool ok = replacePlayer();
    if (!ok) song_.clear();
    open_ = ok;
    return ok;
}

bool MidiSynth::seekToStart() {
    Guard guard(lock_);
    if (!open_) return false;
    playing_ = false;
    notifyPending_ = false;
    if (atStart_) return true;
    // Notes still held go into their release (no click); a fresh player over
    // the same bytes is at the start, which a finished one cannot be
    // rewound to.
    fluid_synth_all_notes_off(synth_, -1);
    return replacePlayer();
}

bool MidiSynth::play() {
    Guard guard(lock_);
    if (!open_ || player_ == nullptr) return false;
    if (fluid_player_play(player_) != FLUID_OK) return false;
    atStart_ = false;
    notifyPending_ = true;
    playing_ = true;
    return true;
}

bool MidiSynth::stop() {
    Guard guard(lock_);
    if (!open_) return false;
    if (player_ != nullptr) fluid_player_stop(player_);
    silence();
    playing_ = false;
    notifyPending_ = false;
    return true;
}

int MidiSynth::close() {
    std::vector<uint8_t> song;  // freed after the lock is let go
    Guard guard(lock_);
    if (!open_) return 1;
    if (player_ != nullptr) fluid_player_stop(player_);
    silence();
    deletePlayer();
    song.swap(song_);
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
    const bool playing = playing_.load(std::memory_order_relaxed) && player_ != nullptr;
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
    fluid_synth_write_float(synth_, static_cast<int>(frameCount), out, 0, 2, out, 1, 2);
    if (!playing) return false;
    // The song is read in by the first render after play; its length is
    // known from then on.
    if (songTicks_ <= 0) songTicks_ = fluid_player_get_total_ticks(player_);
    // The song ends with its last event, as a sequencer reports it; the
    // player itself reports done only once the last notes have died away.
    const bool reachedEnd = songTicks_ > 0 && fluid_player_get_current_tick(player_) >= songTicks_;
    if (!reachedEnd && fluid_player_get_status(player_) != FLUID_PLAYER_DONE) return false;
    playing_.store(false, std::memory_order_release);
    const bool notify = notifyPending_.exchange(false);
    // A song that failed to load ends at once with no events: no notice, so
    // that it is not restarted over and over.
    return notify && songTicks_ > 0;
}

bool MidiSynth::replacePlayer() {
    deletePlayer();
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr) return false;
    if (fluid_player_add_mem(player_, song_.data(), song_.size()) != FLUID_OK) {
        deletePlayer();
        return false;
    }
    atStart_ = true;
    songTicks_ = 0;
    return true;
}

void MidiSynth::deletePlayer() {
    if (player_ != nullptr) delete_fluid_player(player_);
    player_ = nullptr;
    atStart_ = false;
}

void MidiSynth::silence() {
    // Every sounding note off at once, controllers and programs back to
    // their defaults for the next song.
    fluid_synth_system_reset(synth_);
}

}  // namespace plat::audio
