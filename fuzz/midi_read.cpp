// Feeds arbitrary bytes to the check every song goes through (its structure,
// then its pace by its tempo map) and, when they pass, to the synthesiser:
// it reads the song and plays its first moments, as a song of the game is
// played. Nothing may crash, hang or touch memory out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/midi_file.h"
#include "platform/resources.h"
#include "platform/sdl/common/midi_synth.h"

namespace {

constexpr uint32_t Block = 512;
constexpr int BlocksPlayed = 8;

plat::audio::MidiSynth& synth() {
    static plat::audio::MidiSynth instance;
    static const bool started = [] {
        // The smallest General MIDI soundfont is read fastest.
        const char* small = "/usr/share/sounds/sf2/TimGM6mb.sf2";
        const std::string soundFont = plat::fileSize(small) > 0 ? small : plat::audio::findSoundFont();
        return instance.start(48000, soundFont) && instance.waitForSoundFont();
    }();
    (void)started;  // without a soundfont only the check is tried
    return instance;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    plat::audio::MidiSynth& music = synth();
    // A copy of exactly `size` bytes, so that any read past the end is caught.
    const std::vector<uint8_t> input(bytes, bytes + size);
    const plat::MidiResult checked = plat::midiFileCheck(input.data(), input.size());
    const bool sound = checked == plat::MidiResult::Ok;
    if (sound && !plat::midiHeaderSound(input.data(), input.size())) __builtin_trap();
    // The sequencer's walk of the events agrees with the check on which
    // files are damaged.
    const bool walked = plat::midiFileEvents(input.data(), input.size(), nullptr, nullptr);
    if (walked != (checked != plat::MidiResult::Damaged)) __builtin_trap();
    if (!sound || !music.open(input.data(), input.size())) return 0;
    music.play();
    std::vector<float> block(2 * Block);
    for (int i = 0; i < BlocksPlayed; ++i) music.render(block.data(), Block);
    music.close();
    return 0;
}
