#include <gtest/gtest.h>

#include <string>

#include "engine/eng_sound.h"
#include "support/sound_files.h"

using namespace testsound;

namespace {
struct Parsed {
    int result = -1;
    plat::WaveFormat format;
    uint32_t formatSize = 0, dataSize = 0;
    const uint8_t* data = nullptr;
};
Parsed parse(const Bytes& bytes) {
    Parsed p;
    p.result = engSound::ParseWave(bytes.data(), bytes.size(), p.format, p.formatSize, p.data, p.dataSize);
    return p;
}
Bytes withChunks(std::initializer_list<std::pair<const char*, Bytes>> chunks) {
    Bytes body;
    for (const auto& [id, bytes] : chunks) putChunk(body, id, bytes);
    return riffWave(body);
}
}  // namespace

TEST(ReadWave, FindsFormatAndDataInAnyOrderPastOtherChunksAndPadding) {
    const Bytes canonical = pcmWave(2, 22050, 16, samples16({1, 2, 3, 4}));
    Parsed p = parse(canonical);
    ASSERT_EQ(p.result, 0);
    EXPECT_EQ(p.format.channels, 2);
    EXPECT_EQ(p.format.samplesPerSec, 22050u);
    EXPECT_EQ(p.format.blockAlign, 4);
    EXPECT_EQ(p.format.bitsPerSample, 16);
    EXPECT_EQ(p.formatSize, 18u);
    EXPECT_EQ(p.data, canonical.data() + 44);
    EXPECT_EQ(p.dataSize, 8u);

    const Bytes shuffled = withChunks({{"LIST", {'a', 'b', 'c'}}, {"data", {9, 8, 7}}, {"fmt ", fmtBody(1, 1, 8000, 8)}});
    p = parse(shuffled);
    ASSERT_EQ(p.result, 0);
    EXPECT_EQ(p.format.samplesPerSec, 8000u);
    EXPECT_EQ(p.data, shuffled.data() + 12 + 12 + 8);
    EXPECT_EQ(p.dataSize, 3u);
}

TEST(ReadWave, ExtraFormatBytesCountOnlyForOtherFormatsAndStayInTheirChunk) {
    auto withExtra = [](uint16_t tag, std::initializer_list<uint16_t> words) {
        Bytes fmt = fmtBody(tag, 1, 8000, 8);
        for (uint16_t w : words) put16(fmt, w);
        return withChunks({{"fmt ", fmt}, {"data", {1, 2}}});
    };
    EXPECT_EQ(parse(withExtra(1, {0xFFFF})).formatSize, 18u);  // PCM: none, whatever it says
    EXPECT_EQ(parse(withExtra(2, {2, 0x1234})).formatSize, 20u);
    EXPECT_EQ(parse(withExtra(3, {})).formatSize, 18u);       // a bare 16-byte block
    EXPECT_NE(parse(withExtra(2, {40000})).result, 0);        // runs past its chunk
}

TEST(ReadWave, RefusesBrokenFiles) {
    const Bytes good = constantWave(5, 10);
    auto changed = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
        return b;
    };
    const std::pair<std::string, Bytes> cases[] = {
        {"not RIFF", changed(0, {'X'})},
        {"not WAVE", changed(8, {'X'})},
        {"RIFF larger than the file", changed(4, {static_cast<uint8_t>(good.size() - 7)})},
        {"RIFF of 0xFFFFFFFF", changed(4, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"RIFF too small for its form", changed(4, {3})},
        {"RIFF ending before data", changed(4, {28})},
        {"data larger than the file", changed(40, {21})},
        {"chunk of 0xFFFFFFFF", changed(16, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"fmt shorter than 16", withChunks({{"fmt ", Bytes(14, 1)}, {"data", {1, 2}}})},
        {"no fmt", withChunks({{"data", {1, 2}}})},
        {"no data", withChunks({{"fmt ", fmtBody(1, 1, 8000, 8)}})},
    };
    for (const auto& [what, bytes] : cases) EXPECT_NE(parse(bytes).result, 0) << what;
    for (size_t n = 0; n < good.size(); ++n) EXPECT_NE(parse(Bytes(good.begin(), good.begin() + n)).result, 0) << n;
    Parsed none;
    EXPECT_NE(engSound::ParseWave(nullptr, 100, none.format, none.formatSize, none.data, none.dataSize), 0);
}
