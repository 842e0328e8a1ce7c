// engSound: the sound-slot table and its effects.
#include "engine/eng_sound.h"

#include <cstdlib>
#include <cstring>

#include "engine/eng_system.h"
#include "platform/resources.h"

SoundSlot soundSlots[SoundSlotCount];
int32_t soundEnabled;

namespace {

constexpr const char* LoadObjectName = "engSound::LoadObject";

// Stops and releases every buffer the slot holds.
void releaseVoices(SoundSlot& slot) {
    for (plat::SoundBuffer& buffer : slot.voices) {
        if (buffer == 0) continue;
        plat::stopSoundBuffer(buffer);
        plat::releaseSoundBuffer(buffer);
        buffer = 0;
    }
}

void emptySlot(SoundSlot& slot) {
    releaseVoices(slot);
    slot.voiceCount = 1;
    slot.currentVoice = 0;
    slot.inUse = 0;
    slot.name[0] = '\0';
}

int failLoad(const char* reason) {
    engSystem::ReportError(LoadObjectName, reason, 0);
    return -1;
}

// The WAVE of `name`: the file in the program's directory, else the resource
// of that name. `file` keeps the samples of a file read. A file that is
// there but refused is said on standard error.
bool findWave(const char* name, std::vector<uint8_t>& file, plat::WaveFormat& format, const uint8_t*& data,
              uint32_t& dataSize) {
    uint32_t formatSize = 0;
    char path[engSystem::FilePathSize];
    const bool pathFits = engSystem::AppFilePath(path, name);
    int refused = 0;
    plat::FileOpenResult opened = plat::FileOpenResult::Absent;
    if (pathFits) {
        refused = engSound::ReadWave(path, file, format, formatSize, data, dataSize, &opened);
        if (refused == 0) return true;
        if (opened == plat::FileOpenResult::Absent) refused = 0;  // no file there: nothing to say
    }
    file.clear();
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    const bool found = plat::findResource(name, &bytes, &size) &&
                       engSound::ParseWave(bytes, size, format, formatSize, data, dataSize) == 0;
    if (!pathFits) engSystem::ReportRefusedFile(path, engSystem::PathTooLong, found);
    if (refused != 0) {
        engSystem::ReportRefusedFile(path,
                                     opened != plat::FileOpenResult::Opened ? plat::fileOpenResultText(opened)
                                     : refused == engSound::WaveNotPlayable ? "not a sound the game plays"
                                                                            : "not a readable WAVE file",
                                     found);
    }
    return found;
}

}  // namespace

namespace engSound {

int Init() {
    if (!plat::openAudio()) {
        soundEnabled = 0;
        return 0;
    }
    for (SoundSlot& slot : soundSlots) releaseVoices(slot);
    soundEnabled = 1;
    return 1;
}

void ResetSlots() {
    for (SoundSlot& slot : soundSlots) emptySlot(slot);
}

int LoadObject(const char* name, int voices) {
    if (!soundEnabled) return -1;
    const int64_t count = std::llabs(static_cast<int64_t>(voices));
    if (count > MaxVoices) return failLoad("ミックス数が多過ぎます");
    if (name == nullptr || std::strlen(name) > SoundNameLength) {
        return failLoad("ファイル名またはリソース名が長すぎます");
    }
    int slotIndex = 0;
    while (slotIndex < SoundSlotCount && soundSlots[slotIndex].inUse) ++slotIndex;
    if (slotIndex == SoundSlotCount) return failLoad("オブジェクト数が多過ぎます");

    std::vector<uint8_t> file;  // freed on return
    plat::WaveFormat format;
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;
    if (!findWave(name, file, format, data, dataSize)) return failLoad("WAVEリソースが見つかりません");

    SoundSlot& slot = soundSlots[slotIndex];
    slot.voiceCount = static_cast<int32_t>(count);
    for (int v = 0; v < count; ++v) {
        slot.voices[v] = plat::createSoundBuffer(format, data, dataSize);
        if (slot.voices[v] == 0) {
            // Give back the voices made so far, so that the slot stays free.
            emptySlot(slot);
            return failLoad("サウンドバッファが生成できません");
        }
    }
    slot.currentVoice = 0;
    slot.inUse = 1;
    std::memcpy(slot.name, name, std::strlen(name) + 1);
    return slotIndex;
}

int Play(int slotIndex, int voice) {
    if (!soundEnabled || slotIndex < 0 || slotIndex >= SoundSlotCount) return 0;
    SoundSlot& slot = soundSlots[slotIndex];
    const bool inTurn = voice < 0;
    const int played = inTurn ? slot.currentVoice : voice;
    if (played < 0 || played >= slot.voiceCount || played >= MaxVoices || slot.voices[played] == 0) return 0;
    plat::playSoundBuffer(slot.voices[played]);
    if (inTurn) slot.currentVoice = played + 1 >= slot.voiceCount ? 0 : played + 1;
    return played + 1;
}

void Release() {
    if (!soundEnabled) return;
    StopMidi();
    for (SoundSlot& slot : soundSlots) {
        if (slot.inUse) releaseVoices(slot);
    }
    plat::closeAudio();
    soundEnabled = 0;
}

}  // namespace engSound
