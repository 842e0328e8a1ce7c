// The two sound effects, synthesised: a short bright shot and a full
// explosion. 16-bit mono PCM at 22050 Hz.
#include <algorithm>
#include <cmath>

#include "assets/standin/catalogue.h"
#include "assets/standin/formats.h"

namespace standin {

namespace {

constexpr int SampleRate = 22050;
constexpr double TwoPi = 6.283185307179586;

// Peaks, as a share of full scale. Both sounds are restarted many times a
// second in play, so their openings add up to a steady level: these keep
// the fire and the explosions under the stage song, with the song still
// clear above them.
constexpr double ShotPeak = 0.38;
constexpr double BlastPeak = 0.39;

// Scales the samples so the loudest reaches `peak` (0..1) of full scale.
std::vector<int16_t> toPcm(const std::vector<double>& wave, double peak) {
    double loudest = 1e-9;
    for (double v : wave) loudest = std::max(loudest, std::fabs(v));
    std::vector<int16_t> pcm(wave.size());
    for (size_t i = 0; i < wave.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::lround(std::clamp(wave[i] / loudest * peak, -1.0, 1.0) * 32767.0));
    return pcm;
}

}  // namespace

// A laser "pew": a bright square-ish tone diving from 1500 Hz to 420 Hz with
// a click of noise on the attack. Its first 60 ms carry the character, as a
// held fire key restarts it fifteen times a second.
void makeShotSound(std::vector<uint8_t>& bytes) {
    const int count = SampleRate * 16 / 100;  // 0.16 s
    std::vector<double> wave(static_cast<size_t>(count));
    LocalRandom random(0x5407u);
    double phase = 0, noiseState = 0;
    for (int i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        double freq = 420 + (1500 - 420) * std::exp(-t / 0.035);
        phase += TwoPi * freq / SampleRate;
        // First, third and fifth harmonics: a soft square.
        double tone = std::sin(phase) + std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5;
        double white = random.uniform() * 2 - 1;
        double bright = white - noiseState;  // crude high-pass: the difference of successive values
        noiseState = white;
        double attack = std::min(1.0, t / 0.002);
        double body = attack * std::exp(-t / 0.045);
        double click = std::exp(-t / 0.006);
        double fadeOut = std::min(1.0, (0.16 - t) / 0.02);  // end at silence
        wave[static_cast<size_t>(i)] = (0.7 * tone * body + 0.25 * bright * click) * fadeOut;
    }
    encodeWave(toPcm(wave, ShotPeak), SampleRate, bytes);
}

// An explosion: a hard noise burst that darkens as it dies away, a falling
// low thump under it, and crackle in the tail.
void makeBlastSound(std::vector<uint8_t>& bytes) {
    const int count = SampleRate * 13 / 10;  // 1.3 s
    std::vector<double> wave(static_cast<size_t>(count));
    LocalRandom random(0xB0B0u);
    double low = 0, lower = 0, thumpPhase = 0;
    for (int i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        double white = random.uniform() * 2 - 1;
        // Two one-pole low-passes whose cut-off falls from about 4 kHz to 150 Hz.
        double cutoff = 150 + 3800 * std::exp(-t / 0.12);
        double k = 1 - std::exp(-TwoPi * cutoff / SampleRate);
        low += (white - low) * k;
        lower += (low - lower) * k;
        double rumble = lower * 2.2;
        double thumpFreq = 28 + 55 * std::exp(-t / 0.09);
        thumpPhase += TwoPi * thumpFreq / SampleRate;
        double thump = std::sin(thumpPhase) * std::exp(-t / 0.18);
        double crackle = (random.uniform() < 0.004 * std::exp(-t / 0.5)) ? (random.uniform() * 2 - 1) * 0.6 : 0.0;
        double attack = std::min(1.0, t / 0.003);
        double env = attack * (0.65 * std::exp(-t / 0.09) + 0.35 * std::exp(-t / 0.45));
        double fadeOut = std::min(1.0, (1.3 - t) / 0.1);  // end at silence
        wave[static_cast<size_t>(i)] = (rumble * env + 0.8 * thump + crackle) * fadeOut;
    }
    encodeWave(toPcm(wave, BlastPeak), SampleRate, bytes);
}

}  // namespace standin
