#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/eng_sound.h"
#include "support/sound_files.h"

using namespace testsound;

namespace {

struct Parsed {
    int result = -1;
    plat::WaveFormat format;
    uint32_t formatSize = 0;
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;
};

Parsed parse(const std::vector<uint8_t>& bytes) {
    Parsed p;
    p.result = engSound::ParseWave(bytes.data(), bytes.size(), p.format, p.formatSize, p.data, p.dataSize);
    return p;
}

std::vector<uint8_t> withRiffSize(std::vector<uint8_t> bytes, uint32_t size) {
    bytes[4] = static_cast<uint8_t>(size);
    bytes[5] = static_cast<uint8_t>(size >> 8);
    bytes[6] = static_cast<uint8_t>(size >> 16);
    bytes[7] = static_cast<uint8_t>(size >> 24);
    return bytes;
}

}  // namespace

TEST(ReadWave, CanonicalPcmFile) {
    const std::vector<uint8_t> bytes = pcmWave(2, 22050, 16, samples16({1, 2, 3, 4}));
    const Parsed p = parse(bytes);
    ASSERT_EQ(p.result, 0);
    EXPECT_EQ(p.format.formatTag, 1);
    EXPECT_EQ(p.format.channels, 2);
    EXPECT_EQ(p.format.samplesPerSec, 22050u);
    EXPECT_EQ(p.format.avgBytesPerSec, 88200u);
    EXPECT_EQ(p.format.blockAlign, 4);
    EXPECT_EQ(p.format.bitsPerSample, 16);
    EXPECT_EQ(p.format.extraSize, 0);
    EXPECT_EQ(p.formatSize, 18u);
    EXPECT_EQ(p.data, bytes.data() + 44);
    EXPECT_EQ(p.dataSize, 8u);
}

TEST(ReadWave, FindsChunksInAnyOrderPastOthersAndPadding) {
    std::vector<uint8_t> chunks;
    putChunk(chunks, "LIST", {'a', 'b', 'c'});                 // odd: one pad byte follows
    putChunk(chunks, "data", {9, 8, 7});                       // odd data before the format
    putChunk(chunks, "fmt ", fmtBody(1, 1, 8000, 8));
    const std::vector<uint8_t> bytes = riffWave(chunks);
    const Parsed p = parse(bytes);
    ASSERT_EQ(p.result, 0);
    EXPECT_EQ(p.format.samplesPerSec, 8000u);
    EXPECT_EQ(p.dataSize, 3u);
    EXPECT_EQ(p.data, bytes.data() + 12 + 12 + 8);
    EXPECT_EQ(p.data[0], 9);
}

TEST(ReadWave, ExtraFormatBytesOnlyForOtherFormats) {
    // PCM with an 18-byte block whose extra size is nonsense: ignored.
    std::vector<uint8_t> fmt = fmtBody(1, 1, 8000, 8);
    put16(fmt, 0xFFFF);
    std::vector<uint8_t> chunks;
    putChunk(chunks, "fmt ", fmt);
    putChunk(chunks, "data", {1, 2});
    Parsed p = parse(riffWave(chunks));
    ASSERT_EQ(p.result, 0);
    EXPECT_EQ(p.formatSize, 18u);

    // Another format with two extra bytes.
    fmt = fmtBody(2, 1, 8000, 4);
    put16(fmt, 2);
    put16(fmt, 0x1234);
    chunks.clear();
    putChunk(chunks, "fmt ", fmt);
    putChunk(chunks, "data", {1, 2});
    p = parse(riffWave(chunks));
    ASSERT_EQ(p.result, 0);
    EXPECT_EQ(p.format.extraSize, 2);
    EXPECT_EQ(p.formatSize, 20u);

    // Another format whose extra size runs past its chunk.
    fmt = fmtBody(2, 1, 8000, 4);
    put16(fmt, 40000);
    chunks.clear();
    putChunk(chunks, "fmt ", fmt);
    putChunk(chunks, "data", {1, 2});
    EXPECT_NE(parse(riffWave(chunks)).result, 0);

    // Another format in a bare 16-byte block: no extra bytes.
    chunks.clear();
    putChunk(chunks, "fmt ", fmtBody(3, 1, 8000, 32));
    putChunk(chunks, "data", {1, 2, 3, 4});
    p = parse(riffWave(chunks));
    ASSERT_EQ(p.result, 0);
    EXPECT_EQ(p.formatSize, 18u);
}

TEST(ReadWave, RefusesBrokenFiles) {
    const std::vector<uint8_t> good = constantWave(5, 10);
    ASSERT_EQ(parse(good).result, 0);

    std::vector<uint8_t> notRiff = good;
    notRiff[0] = 'X';
    std::vector<uint8_t> notWave = good;
    notWave[8] = 'X';
    std::vector<uint8_t> shortFmt;
    putChunk(shortFmt, "fmt ", std::vector<uint8_t>(14, 1));
    putChunk(shortFmt, "data", {1, 2});
    std::vector<uint8_t> noFmt;
    putChunk(noFmt, "data", {1, 2});
    std::vector<uint8_t> noData;
    putChunk(noData, "fmt ", fmtBody(1, 1, 8000, 8));
    std::vector<uint8_t> dataTooLong = good;
    dataTooLong[40] = 21;  // one byte more than there is
    std::vector<uint8_t> hugeChunk = good;
    hugeChunk[16] = hugeChunk[17] = hugeChunk[18] = hugeChunk[19] = 0xFF;

    const std::vector<std::pair<std::string, std::vector<uint8_t>>> cases = {
        {"not RIFF", notRiff},
        {"not WAVE", notWave},
        {"RIFF larger than the file", withRiffSize(good, static_cast<uint32_t>(good.size()) - 7)},
        {"RIFF of 0xFFFFFFFF", withRiffSize(good, 0xFFFFFFFFu)},
        {"RIFF too small for its form", withRiffSize(good, 3)},
        {"RIFF ending before data", withRiffSize(good, 4 + 24)},
        {"fmt shorter than 16", riffWave(shortFmt)},
        {"no fmt", riffWave(noFmt)},
        {"no data", riffWave(noData)},
        {"data larger than the file", dataTooLong},
        {"chunk of 0xFFFFFFFF", hugeChunk},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 11)},
        {"empty", {}},
    };
    for (const auto& [what, bytes] : cases) EXPECT_NE(parse(bytes).result, 0) << what;

    // Every cut of a good file is refused.
    for (size_t n = 0; n < good.size(); ++n) {
        EXPECT_NE(parse(std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(n))).result, 0) << n;
    }
    Parsed none;
    EXPECT_NE(engSound::ParseWave(nullptr, 100, none.format, none.formatSize, none.data, none.dataSize), 0);
}

TEST(ReadWave, ReadsAWholeFile) {
    const std::string path = ::testing::TempDir() + "md4_read_wave.wav";
    const std::vector<uint8_t> bytes = constantWave(7, 3, 11025);
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);

    std::vector<uint8_t> file;
    plat::WaveFormat format;
    uint32_t formatSize = 0, dataSize = 0;
    const uint8_t* data = nullptr;
    ASSERT_EQ(engSound::ReadWave(path.c_str(), file, format, formatSize, data, dataSize), 0);
    EXPECT_EQ(file, bytes);
    EXPECT_EQ(format.samplesPerSec, 11025u);
    EXPECT_EQ(data, file.data() + 44);
    EXPECT_EQ(dataSize, 6u);

    std::remove(path.c_str());
    EXPECT_NE(engSound::ReadWave(path.c_str(), file, format, formatSize, data, dataSize), 0);
    EXPECT_TRUE(file.empty());
}
