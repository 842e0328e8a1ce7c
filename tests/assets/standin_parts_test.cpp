// Tests of the pieces the built-in asset set is made with: the rasteriser
// and masks, the noise that tiles must repeat, the written pixel rule, the
// scratch buffers, the texts and the MIDI writer.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "assets/standin/canvas.h"
#include "assets/standin/formats.h"
#include "assets/standin/text.h"

namespace {

using namespace standin;

double coverageSum(const Mask& m) {
    double sum = 0;
    for (int y = m.y0; y < m.y1; ++y)
        for (int x = m.x0; x < m.x1; ++x) sum += m.get(x, y);
    return sum;
}

bool coverageInRange(const Mask& m) {
    for (int y = m.y0; y < m.y1; ++y)
        for (int x = m.x0; x < m.x1; ++x)
            if (m.get(x, y) < 0 || m.get(x, y) > 1) return false;
    return true;
}

TEST(StandinRaster, PolygonsCoverTheirAreaWhicheverWayTheyTurn) {
    // A rectangle off the pixel grid, given clockwise and counter-clockwise.
    Path forward, backward;
    forward.addPolygon({{2.5f, 3.25f}, {12.5f, 3.25f}, {12.5f, 9.75f}, {2.5f, 9.75f}});
    backward.addPolygon({{2.5f, 9.75f}, {12.5f, 9.75f}, {12.5f, 3.25f}, {2.5f, 3.25f}});
    for (const Path* p : {&forward, &backward}) {
        Mask m = fillPath(*p, 20, 20);
        EXPECT_NEAR(coverageSum(m), 10.0 * 6.5, 1.5);
        EXPECT_TRUE(coverageInRange(m));
        EXPECT_FLOAT_EQ(m.get(7, 6), 1.0f);  // inside
        EXPECT_FLOAT_EQ(m.get(1, 6), 0.0f);  // outside
        EXPECT_NEAR(m.get(2, 6), 0.5f, 0.01f);  // half a pixel
    }
    // A triangle: half its bounding box.
    Path triangle;
    triangle.addPolygon({{0, 0}, {16, 0}, {0, 16}});
    EXPECT_NEAR(coverageSum(fillPath(triangle, 32, 32)), 128.0, 2.0);
}

TEST(StandinRaster, HolesAndOverlapsAndEdges) {
    // A ring: the hole is cut out even though it lies inside the disc.
    Path ring;
    ring.addEllipse(20, 20, 15, 15, 96);
    std::vector<Pt> hole;
    for (int i = 0; i < 96; ++i)
        hole.push_back({20 + 8 * std::cos(i * 6.2831853f / 96), 20 + 8 * std::sin(i * 6.2831853f / 96)});
    ring.addHole(hole);
    Mask m = fillPath(ring, 40, 40);
    EXPECT_NEAR(coverageSum(m), 3.14159 * (15 * 15 - 8 * 8), 6.0);
    EXPECT_FLOAT_EQ(m.get(20, 20), 0.0f);
    // Two overlapping shapes fill their union once (no coverage above one).
    Path two;
    two.addRect(0, 0, 10, 10).addRect(5, 5, 15, 15);
    Mask both = fillPath(two, 20, 20);
    EXPECT_TRUE(coverageInRange(both));
    EXPECT_NEAR(coverageSum(both), 175.0, 0.5);
    // A shape reaching past every edge stays inside the canvas.
    Path big;
    big.addRect(-30, -30, 60, 60);
    Mask clipped = fillPath(big, 16, 12);
    EXPECT_EQ(clipped.x0, 0);
    EXPECT_EQ(clipped.y0, 0);
    EXPECT_EQ(clipped.x1, 16);
    EXPECT_EQ(clipped.y1, 12);
    EXPECT_NEAR(coverageSum(clipped), 16.0 * 12, 0.01);
    // Wholly outside: empty, and reading it is safe.
    Path away;
    away.addRect(100, 100, 120, 120);
    Mask none = fillPath(away, 16, 12);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.get(5, 5), 0.0f);
}

TEST(StandinRaster, MasksCombine) {
    Mask a = capsuleMask(40, 40, {5, 5}, {5, 5}, 3);
    Mask b = capsuleMask(40, 40, {30, 30}, {30, 30}, 3);
    const double areaA = coverageSum(a), areaB = coverageSum(b);
    Mask u(40, 40);
    unite(u, a);
    unite(u, b);  // the box grows from one corner to the other, keeping what was there
    EXPECT_NEAR(coverageSum(u), areaA + areaB, 1e-3);
    EXPECT_FLOAT_EQ(u.get(5, 5), a.get(5, 5));
    EXPECT_FLOAT_EQ(u.get(30, 30), b.get(30, 30));
    subtract(u, a);
    EXPECT_NEAR(coverageSum(u), areaB, 3.0);  // soft edges keep a little
    EXPECT_FLOAT_EQ(u.get(5, 5), 0.0f);
    Mask box = fillPath(Path().addRect(0, 0, 20, 40), 40, 40);
    unite(u, a);
    intersect(u, box);  // keeps the part inside the box: the first dot only
    EXPECT_NEAR(coverageSum(u), areaA, 0.5);
}

TEST(StandinNoise, RepeatsWithItsPeriod) {
    for (float x : {0.3f, 2.7f, 11.1f})
        for (float y : {0.2f, 1.9f, 4.6f}) {
            EXPECT_NEAR(valueNoise(x, y, 7, 0, 5), valueNoise(x, y + 5, 7, 0, 5), 1e-5);
            EXPECT_NEAR(valueNoise(x, y, 7, 3, 0), valueNoise(x + 3, y, 7, 3, 0), 1e-5);
            EXPECT_NEAR(fbm(x, y, 9, 4, 0, 4), fbm(x, y + 4, 9, 4, 0, 4), 1e-5);
            float n = fbm(x, y, 9, 4);
            EXPECT_GE(n, 0.0f);
            EXPECT_LE(n, 1.0f);
        }
    // Different seeds give different fields.
    int differ = 0;
    for (int i = 0; i < 20; ++i) differ += valueNoise(i * 0.37f, i * 0.53f, 1) != valueNoise(i * 0.37f, i * 0.53f, 2);
    EXPECT_GT(differ, 15);
}

TEST(StandinRandom, StaysInRangeAndRepeats) {
    LocalRandom a(42), b(42), c(43);
    int same = 0;
    for (int i = 0; i < 1000; ++i) {
        float u = a.uniform();
        EXPECT_GE(u, 0.0f);
        EXPECT_LT(u, 1.0f);
        EXPECT_EQ(u, b.uniform());
        int k = a.below(7);
        EXPECT_GE(k, 0);
        EXPECT_LT(k, 7);
        b.below(7);
        same += c.next() == a.next() ? 1 : 0;
        b.next();
    }
    EXPECT_LT(same, 5);
    EXPECT_EQ(LocalRandom(1).below(0), 0);
}

TEST(StandinPixels, KeyOnlyWhereUncovered) {
    const float clear[4] = {0, 0, 0, 0};
    const float faint[4] = {0.05f, 0.05f, 0.05f, 0.1f};
    const float darkest[4] = {0, 0, 0, 1};            // opaque black: must not become the key
    const float dimBlue[4] = {0, 0, 4 / 255.0f, 1};
    const float hot[4] = {2.0f, 1.5f, 0.2f, 1};       // added light beyond white
    EXPECT_EQ(finishPixel(clear, 0.2f), 0u);
    EXPECT_EQ(finishPixel(faint, 0.2f), 0u);
    EXPECT_NE(finishPixel(faint, 0.05f), 0u);
    for (const float* p : {darkest, dimBlue}) {
        uint32_t c = finishPixel(p, 0.2f);
        EXPECT_GE((c >> 16) + ((c >> 8) & 0xFF) + (c & 0xFF), 24u);
    }
    EXPECT_EQ(finishPixel(hot, 0.2f), 0xFFFF33u);
}

TEST(StandinPixels, BitmapsPadTheirRowsAndTheirSizeIsKnownAhead) {
    for (int width : {1, 3, 4, 30, 31}) {
        Canvas canvas(width, 2);
        canvas.setOpaque(width - 1, 0, rgb(255, 0, 0));
        std::vector<uint8_t> bytes;
        encodeBmp(canvas, bytes);
        ASSERT_EQ(bytes.size(), bmpFileSize(width, 2)) << width;
        const size_t rowBytes = (bytes.size() - 54) / 2;
        EXPECT_EQ(rowBytes % 4, 0u);
        EXPECT_EQ(bytes[54 + rowBytes + 3 * (width - 1) + 2], 255);  // the top row comes last, red third
    }
}

TEST(StandinScratch, ReusedBuffersComeBackZeroed) {
    {
        FloatBuffer used = takeFloats(5000);
        for (float& v : used) v = 7;
        giveFloats(std::move(used));
    }
    FloatBuffer again = takeFloats(3000);
    ASSERT_EQ(again.size(), 3000u);
    for (float v : again) ASSERT_EQ(v, 0.0f);
    giveFloats(std::move(again));
    // A canvas made after a used one starts transparent.
    {
        Canvas first(64, 64);
        fillOpaque(first, rgb(200, 10, 10));
    }
    Canvas second(64, 64);
    for (float v : second.px) ASSERT_EQ(v, 0.0f);
    // Large buffers (huge pages where offered) behave like any other.
    FloatBuffer large = takeFloats(3 << 20);
    large.back() = 1;
    EXPECT_EQ(large.front(), 0.0f);
}

TEST(StandinText, DigitsFitTheirCells) {
    struct Run {
        int first, cellW, cellH;
    };
    for (Run run : {Run{TxtDigitsLarge, 20, 25}, Run{TxtDigitsMedium, 16, 20}, Run{TxtDigitsSmall, 7, 10}}) {
        for (int d = 0; d < 10; ++d) {
            const TextMask& m = textMask(run.first + d);
            ASSERT_GT(m.w, 0) << "no font found";
            EXPECT_LE(m.w, run.cellW) << d;
            EXPECT_LE(m.h, run.cellH) << d;
            EXPECT_GE(m.h, run.cellH / 2) << d;  // and are not tiny
        }
    }
    EXPECT_LE(textWidth(TxtTitleMirvane), 360);
    EXPECT_LE(textWidth(TxtContinue), 200);
    EXPECT_EQ(textWidth(-1), 0);
    EXPECT_EQ(textWidth(TxtCount), 0);
}

// Reads back a variable-length quantity.
uint32_t readVarLen(const std::vector<uint8_t>& b, size_t& at) {
    uint32_t v = 0;
    while (true) {
        uint8_t c = b[at++];
        v = (v << 7) | (c & 0x7F);
        if ((c & 0x80) == 0) return v;
    }
}

TEST(StandinMidi, EventsInOrderWithLongDeltas) {
    MidiTrack track;
    // A note struck again at the moment it is released: the release comes first.
    track.note(0, 0, 60, 100, 480);
    track.note(480, 0, 60, 100, 480);
    // A long silence: its delta needs four bytes.
    track.note(0x0FFFFF00u, 1, 64, 90, 0x80);
    track.note(100, 2, 200, 90, 10);  // out of range: ignored
    track.note(100, 2, 62, 90, 0);    // no length: ignored
    track.end(0x0FFFFF80u);
    std::vector<uint8_t> bytes = track.encode();

    struct Event {
        uint32_t tick;
        uint8_t status, key;
    };
    std::vector<Event> events;
    size_t at = 0;
    uint32_t tick = 0;
    bool ended = false;
    while (at < bytes.size() && !ended) {
        tick += readVarLen(bytes, at);
        uint8_t status = bytes[at++];
        if (status == 0xFF) {
            ended = bytes[at] == 0x2F;
            at += 2 + bytes[at + 1];
            continue;
        }
        events.push_back({tick, status, bytes[at]});
        at += 2;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(tick, 0x0FFFFF80u);
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[1].tick, 480u);
    EXPECT_EQ(events[1].status, 0x80);  // release...
    EXPECT_EQ(events[2].tick, 480u);
    EXPECT_EQ(events[2].status, 0x90);  // ...then strike again
    EXPECT_EQ(events[4].tick, 0x0FFFFF00u);
    EXPECT_EQ(events[5].tick, 0x0FFFFF80u);  // a release at the very end is kept
    EXPECT_EQ(events[5].status, 0x81);
}

TEST(StandinMidi, NothingHangsOverTheEnd) {
    MidiTrack track;
    track.note(0, 0, 60, 100, 1000);  // still sounding at the end
    track.note(960, 0, 64, 100, 10);  // starts at the end: dropped
    track.end(960);
    std::vector<uint8_t> bytes = track.encode();
    // The note-on, its release at the end, then the end of track.
    size_t at = 0;
    EXPECT_EQ(readVarLen(bytes, at), 0u);
    EXPECT_EQ(bytes[at], 0x90);
    at += 3;
    EXPECT_EQ(readVarLen(bytes, at), 960u);
    EXPECT_EQ(bytes[at], 0x80);
    EXPECT_EQ(bytes[at + 1], 60);
    at += 3;
    EXPECT_EQ(readVarLen(bytes, at), 0u);
    EXPECT_EQ(bytes[at], 0xFF);
    EXPECT_EQ(bytes[at + 1], 0x2F);
    EXPECT_EQ(at + 3, bytes.size());
}

}  // namespace
