// The two songs, as Standard MIDI Files (format 1, General MIDI): a driving
// stage theme of one minute and a calm ending theme. Both end exactly on a
// bar line with every note released, so a restart from the top is seamless.
#include <algorithm>

#include "assets/standin/catalogue.h"
#include "assets/standin/formats.h"

namespace standin {

namespace {

constexpr int TicksPerQuarter = 480;
constexpr uint32_t Sixteenth = TicksPerQuarter / 4;
constexpr uint32_t Bar = Sixteenth * 16;

struct Chord {
    int root;  // MIDI key of the root in the bass octave
    bool minor;
};

struct MelodyNote {
    int bar, start, length;  // start and length in sixteenths
    int key;
};

// General MIDI programs and drum keys used here.
enum Program : int {
    AcousticPiano = 0, FingeredBass = 33, SynthBass = 38, Strings = 48, SlowStrings = 49, Oboe = 68, Flute = 73,
    SquareLead = 80, SawLead = 81,
};
enum DrumKey : int {
    Kick = 36, Snare = 38, ClosedHat = 42, LowTom = 45, OpenHat = 46, MidTom = 47, Crash = 49, HighTom = 50,
};
constexpr int DrumChannel = 9;

std::vector<int> triad(const Chord& c) { return {c.root, c.root + (c.minor ? 3 : 4), c.root + 7}; }

// A key moved by `steps` degrees within the scale starting at `tonic`
// (natural minor or major), for harmony lines.
int diatonicShift(int key, int steps, int tonic, bool minor) {
    static const int majorScale[7] = {0, 2, 4, 5, 7, 9, 11};
    static const int minorScale[7] = {0, 2, 3, 5, 7, 8, 10};
    const int* scale = minor ? minorScale : majorScale;
    int rel = key - tonic, octave = (rel >= 0 ? rel : rel - 11) / 12, within = rel - octave * 12;
    int degree = 0;
    for (int d = 0; d < 7; ++d)
        if (scale[d] <= within) degree = d;  // a note outside the scale counts as the degree below it
    int target = degree + steps;
    int targetOctave = octave + (target >= 0 ? target / 7 : (target - 6) / 7);
    target -= (targetOctave - octave) * 7;
    return tonic + targetOctave * 12 + scale[target];
}

std::vector<MelodyNote> shifted(std::vector<MelodyNote> notes, int steps, int tonic, bool minor) {
    for (MelodyNote& n : notes) n.key = diatonicShift(n.key, steps, tonic, minor);
    return notes;
}

void setUp(MidiTrack& track, const char* name, int channel, int program, int volume, int pan, int reverb) {
    track.name(name);
    if (channel != DrumChannel) track.program(0, channel, program);
    track.control(0, channel, 7, volume);
    track.control(0, channel, 10, pan);
    track.control(0, channel, 91, reverb);
}

void playMelody(MidiTrack& track, int channel, const std::vector<MelodyNote>& notes, int barOffset, int velocity,
                int transpose = 0) {
    for (const MelodyNote& n : notes) {
        uint32_t start = static_cast<uint32_t>(n.bar + barOffset) * Bar + static_cast<uint32_t>(n.start) * Sixteenth;
        track.note(start, channel, n.key + transpose, velocity + (n.start % 4 == 0 ? 8 : 0),
                   static_cast<uint32_t>(n.length) * Sixteenth - 10);
    }
}

// --- Stage theme: A minor, 144 beats a minute, 36 bars (one minute) --------

const Chord Am{45, true}, F{41, false}, C{48, false}, G{43, false}, E{40, false}, Em{40, true}, Dm{38, true};

// intro 4, A 8, B 8, A' 8, bridge 8
const Chord stageChords[36] = {Am, Am, F, G,  Am, F, C, G,  Am, F, G, E,  F, G, Em, Am, F, G, E, E,
                               Am, F, C, G,  Am, F, G, E,  Dm, Em, F, G, Dm, Em, F, E};

const std::vector<MelodyNote> stageThemeA = {
    {0, 0, 4, 76}, {0, 4, 4, 81}, {0, 8, 2, 79}, {0, 10, 2, 81}, {0, 12, 4, 84},
    {1, 0, 6, 81}, {1, 6, 2, 79}, {1, 8, 4, 77}, {1, 12, 4, 76},
    {2, 0, 4, 76}, {2, 4, 4, 79}, {2, 8, 6, 84}, {2, 14, 2, 83},
    {3, 0, 8, 83}, {3, 8, 4, 79}, {3, 12, 4, 74},
    {4, 0, 4, 76}, {4, 4, 4, 81}, {4, 8, 2, 79}, {4, 10, 2, 81}, {4, 12, 4, 84},
    {5, 0, 6, 86}, {5, 6, 2, 84}, {5, 8, 4, 81}, {5, 12, 4, 77},
    {6, 0, 4, 79}, {6, 4, 4, 83}, {6, 8, 4, 86}, {6, 12, 4, 83},
    {7, 0, 12, 80}, {7, 12, 4, 76},
};
const std::vector<MelodyNote> stageThemeB = {
    {0, 0, 2, 84}, {0, 2, 2, 84}, {0, 4, 4, 81}, {0, 8, 4, 77}, {0, 12, 4, 81},
    {1, 0, 2, 83}, {1, 2, 2, 83}, {1, 4, 4, 79}, {1, 8, 4, 74}, {1, 12, 4, 79},
    {2, 0, 4, 79}, {2, 4, 4, 83}, {2, 8, 6, 88}, {2, 14, 2, 86},
    {3, 0, 8, 84}, {3, 8, 8, 81},
    {4, 0, 2, 84}, {4, 2, 2, 84}, {4, 4, 4, 81}, {4, 8, 4, 77}, {4, 12, 4, 84},
    {5, 0, 4, 86}, {5, 4, 4, 83}, {5, 8, 4, 79}, {5, 12, 4, 86},
    {6, 0, 8, 88}, {6, 8, 4, 83}, {6, 12, 4, 80},
    {7, 0, 16, 76},
};
const std::vector<MelodyNote> stageBridge = {
    {0, 0, 8, 74}, {0, 8, 8, 77}, {1, 0, 8, 76}, {1, 8, 8, 79}, {2, 0, 8, 77}, {2, 8, 8, 81},
    {3, 0, 8, 79}, {3, 8, 8, 83}, {4, 0, 16, 81}, {5, 0, 16, 83}, {6, 0, 16, 84}, {7, 0, 8, 83}, {7, 8, 8, 80},
};

void drumBar(MidiTrack& t, uint32_t bar, bool fill, bool crash, int intensity) {
    uint32_t at = bar * Bar;
    if (crash) t.note(at, DrumChannel, Crash, 110, Sixteenth * 4);
    for (int s = 0; s < 16; ++s) {
        uint32_t when = at + static_cast<uint32_t>(s) * Sixteenth;
        if (fill && s >= 8) {  // a fill across the toms into the next section
            static const int toms[8] = {Snare, Snare, HighTom, HighTom, MidTom, MidTom, LowTom, LowTom};
            t.note(when, DrumChannel, toms[s - 8], 80 + s * 3, Sixteenth);
            if (s % 4 == 0) t.note(when, DrumChannel, Kick, 100, Sixteenth);
            continue;
        }
        if (s == 0 || s == 6 || s == 8 || (intensity > 1 && s == 11)) t.note(when, DrumChannel, Kick, 112, Sixteenth);
        if (s == 4 || s == 12) t.note(when, DrumChannel, Snare, 108, Sixteenth);
        if (s % 2 == 0) t.note(when, DrumChannel, s == 14 ? OpenHat : ClosedHat, s % 4 == 0 ? 84 : 62, Sixteenth);
        else if (intensity > 1) t.note(when, DrumChannel, ClosedHat, 44, Sixteenth);
    }
}

}  // namespace

void makeStageSong(std::vector<uint8_t>& bytes) {
    const uint32_t end = 36 * Bar;
    std::vector<MidiTrack> tracks(7);
    MidiTrack& conductor = tracks[0];
    conductor.name("Stage Theme");
    conductor.tempo(0, 144);
    conductor.timeSignature(0, 4, 2);

    MidiTrack& lead = tracks[1];
    setUp(lead, "Lead", 0, SawLead, 80, 64, 40);
    playMelody(lead, 0, stageThemeA, 4, 96);
    playMelody(lead, 0, stageThemeB, 12, 98);
    playMelody(lead, 0, stageThemeA, 20, 100);
    playMelody(lead, 0, stageBridge, 28, 96);

    MidiTrack& harmony = tracks[2];  // a third below the lead in the reprise and the bridge
    setUp(harmony, "Harmony", 3, SquareLead, 60, 84, 50);
    playMelody(harmony, 3, shifted(stageThemeA, -2, 45, true), 20, 70);
    playMelody(harmony, 3, shifted(stageBridge, -2, 45, true), 28, 70);

    MidiTrack& arp = tracks[3];
    setUp(arp, "Arpeggio", 2, SquareLead, 72, 44, 60);
    MidiTrack& bass = tracks[4];
    setUp(bass, "Bass", 1, SynthBass, 127, 64, 20);
    MidiTrack& pad = tracks[5];
    setUp(pad, "Strings", 4, Strings, 58, 64, 80);
    for (uint32_t bar = 0; bar < 36; ++bar) {
        const Chord& chord = stageChords[bar];
        std::vector<int> notes = triad(chord);
        // Arpeggio: sixteenths up and down the chord, two octaves up.
        static const int order[8] = {0, 1, 2, 3, 2, 1, 0, 1};
        for (int s = 0; s < 16; ++s) {
            int step = order[s % 8];
            int key = (step == 3 ? notes[0] + 12 : notes[static_cast<size_t>(step)]) + 24;
            arp.note(bar * Bar + static_cast<uint32_t>(s) * Sixteenth, 2, key, s % 4 == 0 ? 70 : 52, Sixteenth - 10);
        }
        // Bass: driving eighths on the root with octave jumps.
        static const int jump[8] = {0, 0, 12, 0, 0, 7, 12, 0};
        for (int e = 0; e < 8; ++e)
            bass.note(bar * Bar + static_cast<uint32_t>(e) * Sixteenth * 2, 1, chord.root + jump[e],
                      e % 2 == 0 ? 112 : 92, Sixteenth * 2 - 20);
        // Strings hold the chord from the first verse on.
        if (bar >= 4)
            for (int key : notes) pad.note(bar * Bar, 4, key + 12, 64, Bar - 20);
    }
    MidiTrack& drums = tracks[6];
    setUp(drums, "Drums", DrumChannel, 0, 80, 64, 30);
    for (uint32_t bar = 0; bar < 36; ++bar) {
        bool sectionEnd = bar == 3 || bar == 11 || bar == 19 || bar == 27 || bar == 35;
        bool sectionStart = bar == 0 || bar == 4 || bar == 12 || bar == 20 || bar == 28;
        drumBar(drums, bar, sectionEnd, sectionStart, bar >= 12 ? 2 : 1);
    }
    // The rhythm parts play the intro alone, and louder; when the tune comes
    // in they step back, so that the song is about as loud all through
    // (within a decibel or so, second by second). The drums are kept down:
    // their hits are the song's peaks.
    arp.control(4 * Bar, 2, 7, 52);
    bass.control(4 * Bar, 1, 7, 92);
    drums.control(4 * Bar, DrumChannel, 7, 76);
    for (MidiTrack& t : tracks) t.end(end);
    encodeMidi(tracks, TicksPerQuarter, bytes);
}

// --- Ending theme: C major, 84 beats a minute, 24 bars --------------------

namespace {

const Chord Cmaj{48, false}, Gmaj{43, false}, Amin{45, true}, Fmaj{41, false};
const Chord endingChords[8] = {Cmaj, Gmaj, Amin, Fmaj, Cmaj, Gmaj, Fmaj, Cmaj};

const std::vector<MelodyNote> endingTheme = {
    {0, 0, 8, 76}, {0, 8, 4, 79}, {0, 12, 4, 77},
    {1, 0, 8, 74}, {1, 8, 8, 71},
    {2, 0, 6, 72}, {2, 6, 2, 74}, {2, 8, 8, 76},
    {3, 0, 8, 77}, {3, 8, 4, 76}, {3, 12, 4, 74},
    {4, 0, 8, 76}, {4, 8, 4, 79}, {4, 12, 4, 84},
    {5, 0, 8, 83}, {5, 8, 8, 79},
    {6, 0, 6, 81}, {6, 6, 2, 79}, {6, 8, 4, 77}, {6, 12, 4, 74},
    {7, 0, 16, 72},
};

}  // namespace

void makeEndingSong(std::vector<uint8_t>& bytes) {
    const uint32_t end = 24 * Bar;
    std::vector<MidiTrack> tracks(6);
    tracks[0].name("Ending Theme");
    tracks[0].tempo(0, 84);
    tracks[0].timeSignature(0, 4, 2);

    MidiTrack& flute = tracks[1];
    setUp(flute, "Flute", 0, Flute, 96, 60, 70);
    playMelody(flute, 0, endingTheme, 0, 84);
    playMelody(flute, 0, endingTheme, 16, 90);

    MidiTrack& oboe = tracks[2];  // answers in the middle, then harmonises
    setUp(oboe, "Oboe", 1, Oboe, 78, 76, 70);
    playMelody(oboe, 1, endingTheme, 8, 74, -12);
    playMelody(oboe, 1, shifted(endingTheme, -2, 48, false), 16, 66);

    MidiTrack& piano = tracks[3];
    setUp(piano, "Piano", 2, AcousticPiano, 92, 52, 60);
    MidiTrack& strings = tracks[4];
    setUp(strings, "Strings", 3, SlowStrings, 70, 72, 90);
    MidiTrack& bass = tracks[5];
    setUp(bass, "Bass", 4, FingeredBass, 88, 64, 40);
    for (uint32_t bar = 0; bar < 24; ++bar) {
        const Chord& chord = endingChords[bar % 8];
        std::vector<int> notes = triad(chord);
        static const int order[8] = {0, 2, 1, 2, 3, 2, 1, 2};  // broken chord in eighths
        for (int e = 0; e < 8; ++e) {
            int step = order[e];
            int key = (step == 3 ? notes[0] + 12 : notes[static_cast<size_t>(step)]) + 12;
            piano.note(bar * Bar + static_cast<uint32_t>(e) * Sixteenth * 2, 2, key, e == 0 ? 72 : 56,
                       Sixteenth * 2 - 10);
        }
        for (int key : notes) strings.note(bar * Bar, 3, key + 12, 58, Bar - 20);
        bass.note(bar * Bar, 4, chord.root - 12, 84, Sixteenth * 6);
        bass.note(bar * Bar + Sixteenth * 8, 4, chord.root - 5, 72, Sixteenth * 6);
    }
    for (MidiTrack& t : tracks) t.end(end);
    encodeMidi(tracks, TicksPerQuarter, bytes);
}

}  // namespace standin
