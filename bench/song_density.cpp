// What a song costs the audio thread, by how fast its events come: the
// built-in stage song, songs at the song check's bounds (every second
// MaxMidiEventsPerSecond events, MaxMidiNoteOnsPerSecond of them note-ons
// that are never released, in bursts of MaxMidiEventsPerBuffer, or spread
// evenly over the second),
// and two hostile songs (20 KB of notes at a tempo of 1 us a quarter; 1 MB
// of note-ons at one instant). Each song is played as the engine plays it,
// started again on its end notice, for AudioSeconds of 512-frame buffers.
// Counters: accepted (the check let it through to the synthesiser),
// check_ms (the check's time, on the thread that loads the song),
// cpu_per_audio_s (share of one core the rendering takes), worst_start_ms
// (the longest buffer that starts the song, which reads it in) and
// worst_buffer_ms (the longest of the others).
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <string>
#include <vector>

#include "assets/standin/standin.h"
#include "platform/midi_file.h"
#include "platform/resources.h"
#include "platform/sdl/common/midi_synth.h"
#include "support/sound_files.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testsound::midiFile;
using testsound::putVarLength;

constexpr int Rate = 48000;
constexpr uint32_t Frames = 512;
constexpr int AudioSeconds = 20;

// Event `i` of the songs at the bound: strings on every channel but the
// drums' (the first 15 events), then note-ons every fourth event, never
// released, and pan changes, which act on every voice of their channel.
void boundEvent(Bytes& track, uint32_t delta, uint32_t i) {
    putVarLength(track, delta);
    const uint8_t channel = static_cast<uint8_t>(i % 15 < 9 ? i % 15 : i % 15 + 1);
    const uint32_t every = plat::MaxMidiEventsPerSecond / plat::MaxMidiNoteOnsPerSecond;
    if (i < 15) {
        track.insert(track.end(), {static_cast<uint8_t>(0xC0 | channel), 48});
    } else if (i % every == 0) {
        track.insert(track.end(), {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(24 + i % 80), 100});
    } else {
        track.insert(track.end(), {static_cast<uint8_t>(0xB0 | channel), 10, static_cast<uint8_t>(i & 0x7F)});
    }
}

// AudioSeconds seconds at the bound, at 2000 ticks a second: each second's
// events in bursts as large as a buffer's time allows, as early in the
// second as allowed, or spread evenly over it.
Bytes boundSong(bool inBursts) {
    Bytes track;
    const uint32_t events = plat::MaxMidiEventsPerSecond, burst = plat::MaxMidiEventsPerBuffer;
    const uint32_t burstTicks = static_cast<uint32_t>(plat::MidiBufferMicroseconds / 500);
    uint32_t lastTick = 0;
    for (uint32_t second = 0; second < AudioSeconds; ++second) {
        for (uint32_t i = 0; i < events; ++i) {
            const uint32_t tick = second * 2000 + (inBursts ? i / burst * burstTicks : i);
            boundEvent(track, tick - lastTick, second * events + i);
            lastTick = tick;
        }
    }
    return midiFile(track, 1000, AudioSeconds * 2000 - lastTick);
}

Bytes fastTempoSong() {
    Bytes track = {0, 0xFF, 0x51, 3, 0, 0, 1};
    while (track.size() < 20000) track.insert(track.end(), {0x60, 0x90, 60, 100, 0x60, 0x80, 60, 0});
    return midiFile(track);
}

Bytes noteFlood() {
    Bytes track = {0, 0x90, 60, 100};
    while (track.size() < (1u << 20) - 40) track.insert(track.end(), {0, static_cast<uint8_t>(track.size() % 90), 100});
    return midiFile(track);
}

Bytes builtInSong() {
    Bytes song;
    makeStandinFile("MIDI/QTX1.MID", song);
    return song;
}

double threadSeconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

plat::audio::MidiSynth* synth(benchmark::State& state) {
    static plat::audio::MidiSynth music;
    const char* small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    const std::string soundFont = plat::fileSize(small) > 0 ? small : plat::audio::findSoundFont();
    if (!music.ready() && (!music.start(Rate, soundFont) || !music.waitForSoundFont())) {
        state.SkipWithError("no General MIDI soundfont installed");
        return nullptr;
    }
    return &music;
}

void playSong(benchmark::State& state, const Bytes& song) {
    plat::audio::MidiSynth* music = synth(state);
    if (music == nullptr) return;
    std::vector<float> out(2 * Frames);
    double checkSeconds = 0, cpu = 0, worst = 0, worstStart = 0;
    bool accepted = false;
    for (auto _ : state) {
        const double checkStart = threadSeconds();
        accepted = plat::midiFileSound(song.data(), song.size());
        checkSeconds = threadSeconds() - checkStart;
        cpu = worst = worstStart = 0;
        if (!accepted || !music->open(song.data(), song.size())) continue;
        music->seekToStart();
        music->play();
        bool starting = true;  // the synthesiser reads the whole song in then
        for (int i = 0; i < AudioSeconds * Rate / static_cast<int>(Frames); ++i) {
            const double start = threadSeconds();
            const bool ended = music->render(out.data(), Frames);
            const double spent = threadSeconds() - start;
            cpu += spent;
            (starting ? worstStart : worst) = std::max(starting ? worstStart : worst, spent);
            starting = ended;
            if (ended) {
                music->seekToStart();
                music->play();
            }
            benchmark::DoNotOptimize(out.data());
        }
        music->close();
        for (int i = 0; i < 2 * Rate / static_cast<int>(Frames); ++i) music->render(out.data(), Frames);  // tails die
    }
    state.counters["accepted"] = accepted ? 1 : 0;
    state.counters["check_ms"] = 1e3 * checkSeconds;
    state.counters["cpu_per_audio_s"] = cpu / AudioSeconds;
    state.counters["worst_buffer_ms"] = 1e3 * worst;
    state.counters["worst_start_ms"] = 1e3 * worstStart;
}

void BM_BuiltInSong(benchmark::State& state) { playSong(state, builtInSong()); }
void BM_AtTheBoundInBursts(benchmark::State& state) { playSong(state, boundSong(true)); }
void BM_AtTheBoundSpread(benchmark::State& state) { playSong(state, boundSong(false)); }
void BM_Tempo1UsAQuarter20KB(benchmark::State& state) { playSong(state, fastTempoSong()); }
void BM_NoteOnFlood1MB(benchmark::State& state) { playSong(state, noteFlood()); }

}  // namespace

BENCHMARK(BM_BuiltInSong)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_AtTheBoundInBursts)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_AtTheBoundSpread)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_Tempo1UsAQuarter20KB)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_NoteOnFlood1MB)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
