// CPU cost of the audio device's callback: one device buffer (512 frames at
// 48000 a second) per iteration, with 20 sounding effects, with and without
// a playing song. The "cpu_per_audio_s" counter is the share of one core the
// callback takes: CPU seconds spent per second of audio produced.
// "allocs_per_call" counts the heap allocations made (on any thread) while
// the callback runs: the audio thread must not allocate. With the song, it
// plays three times over: "allocs_per_song_start" counts the allocations of
// each start, from the call that ends the song through the engine's restart
// of it to the next call, and "song_loops" how many loops were counted.
// BM_DeviceTimed runs the callback against a sound card's clock and counts
// underruns.
#include <benchmark/benchmark.h>

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/common/audio_callback.h"
#include "support/sound_files.h"

using namespace plat::audio;

// Every allocation of the process goes through these (they take the C
// library's place), counted while `countingAllocations` is set.
namespace {
std::atomic<bool> countingAllocations{false};
std::atomic<int64_t> allocationCount{0};
void noteAllocation() {
    if (countingAllocations.load(std::memory_order_relaxed)) allocationCount.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* p);

void* malloc(size_t size) {
    noteAllocation();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    noteAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) {
    noteAllocation();
    return __libc_realloc(p, size);
}
void* memalign(size_t alignment, size_t size) {
    noteAllocation();
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
    noteAllocation();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, size_t alignment, size_t size) {
    noteAllocation();
    void* p = __libc_memalign(alignment, size);
    if (p == nullptr) return 12;  // ENOMEM
    *out = p;
    return 0;
}
void free(void* p) { __libc_free(p); }
}

namespace {

constexpr int Rate = 48000;
constexpr int VoiceCount = 20;
constexpr int SoundSeconds = 2;

SoundBank& bank() {
    static SoundBank b;
    return b;
}

// 20 buffers of two seconds each, all sounding.
std::vector<plat::SoundBuffer> installVoices() {
    std::vector<plat::SoundBuffer> buffers;
    for (int v = 0; v < VoiceCount; ++v) {
        std::vector<float> frames(size_t{2} * Rate * SoundSeconds);
        for (size_t i = 0; i < frames.size(); i += 2) {
            frames[i] = frames[i + 1] = 0.05f * static_cast<float>(std::sin(0.01 * (v + 1) * static_cast<double>(i)));
        }
        buffers.push_back(bankInstall(bank(), std::move(frames), Rate));
    }
    return buffers;
}

// Sixteen bars of a busy game tune: piano chords, bass, held strings, brass
// stabs and drums on eighth notes, at 150 beats a minute.
std::vector<uint8_t> busySong() {
    std::multimap<uint32_t, std::vector<uint8_t>> events;
    const int programs[] = {0, 33, 48, 61};
    for (int ch = 0; ch < 4; ++ch) events.insert({0, {static_cast<uint8_t>(0xC0 | ch), static_cast<uint8_t>(programs[ch])}});
    const int roots[] = {57, 53, 55, 52};
    const uint32_t eighth = 48;
    for (uint32_t step = 0; step < 16 * 8; ++step) {
        const uint32_t t = step * eighth;
        const int root = roots[(step / 8) % 4];
        auto note = [&](int ch, int key, int velocity, uint32_t length) {
            events.insert({t, {static_cast<uint8_t>(0x90 | ch), static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)}});
            events.insert({t + length - 1, {static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(key), 0}});
        };
        for (int k : {0, 4, 7}) note(0, root + 12 + k, 80, eighth);
        note(1, root - 12 + ((step & 1) ? 7 : 0), 100, eighth);
        if (step % 8 == 0) {
            for (int k : {0, 4, 7, 12}) note(2, root + k, 70, 8 * eighth);
        }
        if (step % 4 == 2) {
            for (int k : {0, 7}) note(3, root + 12 + k, 90, eighth);
        }
        note(9, (step % 4 == 0) ? 36 : ((step % 4 == 2) ? 38 : 42), 100, eighth / 2);
    }
    std::vector<uint8_t> track = {0x00, 0xFF, 0x51, 0x03, 0x06, 0x1A, 0x80};  // 400000 us a beat
    uint32_t last = 0;
    for (const auto& [tick, bytes] : events) {
        testsound::putVarLength(track, tick - last);
        track.insert(track.end(), bytes.begin(), bytes.end());
        last = tick;
    }
    return testsound::midiFile(track);
}

void runCallback(benchmark::State& state, MidiSynth& music) {
    const std::vector<plat::SoundBuffer> buffers = installVoices();
    std::vector<float> out(size_t{2} * DeviceBufferFrames);
    const int buffersPerSound = SoundSeconds * Rate / static_cast<int>(DeviceBufferFrames);
    int64_t calls = 0;
    // A song's start is counted apart: the first call after it is played,
    // and at each loop the call that ends it and the engine's restart too.
    bool songStarting = music.ready();
    int64_t songStarts = 0, songLoops = 0, startAllocations = 0, steadyAllocations = 0;
    for (auto _ : state) {
        if (calls++ % buffersPerSound == 0) {
            for (plat::SoundBuffer b : buffers) bankPlay(bank(), b);
        }
        allocationCount = 0;
        countingAllocations.store(true);
        const bool songEnded = renderAudio(bank(), music, out.data(), DeviceBufferFrames);
        if (songEnded) {
            // What the engine does on the end notice.
            music.seekToStart();
            music.play();
        }
        countingAllocations.store(false);
        (songStarting || songEnded ? startAllocations : steadyAllocations) += allocationCount.load();
        songStarts += songStarting ? 1 : 0;
        songLoops += songEnded ? 1 : 0;
        songStarting = songEnded;
        benchmark::DoNotOptimize(out.data());
    }
    std::vector<float> freed;
    for (plat::SoundBuffer b : buffers) bankRemove(bank(), b, freed);
    const double audioSeconds = static_cast<double>(state.iterations()) * DeviceBufferFrames / Rate;
    state.counters["cpu_per_audio_s"] =
        benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_call"] =
        static_cast<double>(steadyAllocations) / static_cast<double>(calls - songStarts - songLoops);
    if (songStarts > 0) {
        state.counters["allocs_per_song_start"] = static_cast<double>(startAllocations) / static_cast<double>(songStarts);
        state.counters["song_loops"] = static_cast<double>(songLoops);
    }
    state.counters["buffer_frames"] = DeviceBufferFrames;
    state.counters["rate"] = Rate;
}

void BM_Callback_20Voices(benchmark::State& state) {
    MidiSynth silent;  // no synthesiser: the song part writes silence
    runCallback(state, silent);
}

// The synthesiser playing the busy song from its start, or nullptr (the
// benchmark then says why).
MidiSynth* playingSong(benchmark::State& state) {
    static MidiSynth music;
    static const std::vector<uint8_t> song = busySong();
    if (!music.ready() && (!music.start(Rate, findSoundFont()) || !music.waitForSoundFont())) {
        state.SkipWithError("no General MIDI soundfont installed");
        return nullptr;
    }
    music.open(song.data(), song.size());
    music.seekToStart();
    music.play();
    return &music;
}

void BM_Callback_20VoicesAndSong(benchmark::State& state) {
    if (MidiSynth* music = playingSong(state)) {
        runCallback(state, *music);
        music->close();
    }
}

int64_t nowNs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void sleepUntilNs(int64_t deadline) {
    const timespec ts{static_cast<time_t>(deadline / 1'000'000'000), static_cast<long>(deadline % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

// The callback against a sound card's clock, for state.range(1) seconds:
// buffers of state.range(0) frames, two of them queued in the card (as SDL
// asks of ALSA), 20 voices and the song. The audio thread wakes when the
// card has room for a buffer, renders it and hands it over; a buffer handed
// over after the card played everything it had is an underrun (the card
// then starts again from it). state.range(2) 1: the thread runs at a
// real-time priority, as SDL asks for (granted by rtkit on most desktops);
// 0: at the normal priority of any thread, as without it.
void BM_DeviceTimed(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    const int64_t runNs = state.range(1) * int64_t{1'000'000'000};
    const bool realTime = state.range(2) != 0;
    MidiSynth* music = playingSong(state);
    if (music == nullptr) return;
    const std::vector<plat::SoundBuffer> buffers = installVoices();
    std::vector<float> out(size_t{2} * static_cast<size_t>(frames));
    const double periodNs = 1e9 * frames / Rate;
    const int64_t buffersPerSound = SoundSeconds * Rate / frames;
    for (auto _ : state) {
        int64_t underruns = 0, calls = 0, renderMax = 0, slackMin = INT64_MAX;
        std::vector<int64_t> lateness;
        bool priorityGranted = true;
        std::thread device([&] {
            if (realTime) {
                sched_param param{};
                param.sched_priority = 10;
                priorityGranted = pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
            }
            int64_t start = nowNs();
            const int64_t end = start + runNs;
            for (int64_t k = 0; nowNs() < end; ++k, ++calls) {
                const int64_t wake = start + static_cast<int64_t>(static_cast<double>(k + 1) * periodNs);
                sleepUntilNs(wake);
                const int64_t woke = nowNs();
                lateness.push_back(woke - wake);
                if (k % buffersPerSound == 0)
                    for (plat::SoundBuffer b : buffers) bankPlay(bank(), b);
                if (renderAudio(bank(), *music, out.data(), static_cast<uint32_t>(frames))) {
                    music->seekToStart();
                    music->play();
                }
                const int64_t done = nowNs();
                renderMax = std::max(renderMax, done - woke);
                const int64_t dry = start + static_cast<int64_t>(static_cast<double>(k + 2) * periodNs);
                slackMin = std::min(slackMin, dry - done);
                if (done > dry) {
                    ++underruns;
                    start += done - dry;
                }
            }
        });
        device.join();
        if (!priorityGranted) {
            state.SkipWithError("no real-time priority for this thread");
            break;
        }
        std::sort(lateness.begin(), lateness.end());
        const auto at = [&](double f) {
            return lateness.empty() ? 0.0
                                    : static_cast<double>(lateness[std::min(lateness.size() - 1,
                                                                            static_cast<size_t>(f * lateness.size()))]) / 1e3;
        };
        state.counters["underruns"] = static_cast<double>(underruns);
        state.counters["buffers"] = static_cast<double>(calls);
        state.counters["wake_late_p99_us"] = at(0.99);
        state.counters["wake_late_max_us"] = at(1.0);
        state.counters["render_max_us"] = static_cast<double>(renderMax) / 1e3;
        state.counters["slack_min_us"] = static_cast<double>(slackMin) / 1e3;
    }
    std::vector<float> freed;
    for (plat::SoundBuffer b : buffers) bankRemove(bank(), b, freed);
    music->close();
    state.SetLabel(std::to_string(frames) + " frames, " + (realTime ? "real-time" : "normal") + " priority");
}

}  // namespace

BENCHMARK(BM_Callback_20Voices)->MinTime(2.0)->Unit(benchmark::kMicrosecond);
// The busy song lasts 25.6 s: 7500 device buffers are 80 s, three loops.
BENCHMARK(BM_Callback_20VoicesAndSong)->Iterations(7500)->Unit(benchmark::kMicrosecond);
// Arguments: frames per buffer, seconds, real-time priority. A minute each.
BENCHMARK(BM_DeviceTimed)
    ->ArgsProduct({{256, 512}, {60}, {0, 1}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
