// The frame present and the thirteen screen transitions.
#include <algorithm>

#include "engine/draw_fixture.h"
#include "engine/eng_system.h"

namespace {

using PresentTest = DrawTest;

constexpr uint32_t NewFrame = 0xFFFFFF;  // the frame drawn under the transition

// The snapshot in slot 1: pixel (x, y) is 4096 * y + x, so a shown pixel
// tells where in the snapshot it came from (it is never white).
uint32_t snapshotAt(int x, int y) { return 4096u * y + x; }
void codeSnapshot() {
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) imageSlots[1].surface->pixels[y * 800 + x] = snapshotAt(x, y);
}

void startTransition(int kind, int length, int step, int direction) {
    screenTransition = ScreenTransition{kind, step, length};
    transitionRunning = direction;
}

void presentWhiteFrame() {
    plat::fillRect(backSurface, plat::Rect{0, 0, 800, 600}, NewFrame);
    engDraw::Present();
}

TEST_F(PresentTest, PresentShowsTheBackSurfaceAndRestoresOnLoss) {
    plat::fillRect(backSurface, plat::Rect{0, 0, 800, 600}, 0x123456);
    engDraw::SetVSync(1);
    EXPECT_EQ(engDraw::Present(), 0);
    EXPECT_EQ(shownAt(799, 599), 0x123456u);
    EXPECT_EQ(plat::headless::presentCount(), 1);
    EXPECT_TRUE(plat::headless::lastPresentWaitedVBlank());
    plat::loseAllSurfaces();
    engDraw::Present();
    EXPECT_FALSE(primarySurface->lost || backSurface->lost);
}

TEST_F(PresentTest, OpeningTakesItsLengthClosingAlwaysTen) {
    startTransition(3, 26, 26, -1);
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(screenTransition.step, 26 - i);
        engDraw::Present();
    }
    EXPECT_EQ(screenTransition.step, 0);
    EXPECT_EQ(transitionRunning, 0);

    startTransition(0, 60, 1, 1);
    int presents = 0;
    for (; screenTransition.step != 0 && presents < 100; ++presents) engDraw::Present();
    EXPECT_EQ(presents, 10);
}

TEST_F(PresentTest, LineKinds) {
    codeSnapshot();
    startTransition(1, 10, 3, -1);  // every line but the multiples of a
    presentWhiteFrame();
    for (int y : {0, 1, 2, 3, 599}) EXPECT_EQ(shownAt(400, y), y % 3 ? snapshotAt(400, y) : NewFrame) << y;
    startTransition(2, 10, 3, -1);  // bands of a + 1 lines every n lines
    presentWhiteFrame();
    for (int y : {0, 3, 4, 9, 10, 593, 594}) EXPECT_EQ(shownAt(400, y), y % 10 <= 3 ? snapshotAt(400, y) : NewFrame) << y;
    startTransition(1, 10, 1, -1);  // the last step shows the new frame whole
    presentWhiteFrame();
    EXPECT_EQ(shownAt(400, 7), NewFrame);
}

TEST_F(PresentTest, ShakingKindsShiftEachLineByItsOwnDraw) {
    codeSnapshot();
    const int n = 30, a = 20, range = 2 * (n - a) + 2;
    for (int kind : {3, 4}) {
        engSystem::SeedRand(1234);
        std::vector<int> rolls(600);
        for (int& r : rolls) r = engSystem::Rand();
        engSystem::SeedRand(1234);
        startTransition(kind, n, a, -1);
        presentWhiteFrame();
        size_t draws = 0;
        for (int y = 0; y < 600; ++y) {
            if (kind == 3 ? y % a == 0 : y % n != 0) continue;
            const int shift = rolls[draws++] % range + a - 1 - n;  // -(n - a + 1) .. n - a
            ASSERT_EQ(shownAt(100 + shift, y), snapshotAt(100, y)) << "kind " << kind << " line " << y;
        }
        EXPECT_EQ(engSystem::Rand(), rolls[draws]) << "one draw per line, kind " << kind;
    }
}

TEST_F(PresentTest, WholePictureKindsMoveTheSnapshot) {
    codeSnapshot();
    // n = 10, a = 7: four steps taken; W / n * 4 = 320, H / n * 4 = 240.
    using Source = bool (*)(int x, int y, int& sx, int& sy);  // shown (x, y) -> snapshot (sx, sy)
    const std::pair<int, Source> cases[] = {
        {5, [](int x, int y, int& sx, int& sy) { sx = x, sy = y + 240; return y < 360; }},
        {6, [](int x, int y, int& sx, int& sy) { sx = x, sy = y - 240; return y >= 240; }},
        {7, [](int x, int y, int& sx, int& sy) { sx = x + 320, sy = y; return x < 480; }},
        {8, [](int x, int y, int& sx, int& sy) { sx = x - 320, sy = y; return x >= 320; }},
        {9, [](int x, int y, int& sx, int& sy) { sx = x, sy = y < 300 ? y + 120 : y - 120; return y < 180 || y >= 420; }},
        {10, [](int x, int y, int& sx, int& sy) { sx = x < 400 ? x + 160 : x - 160, sy = y; return x < 240 || x >= 560; }},
        {11, [](int x, int y, int& sx, int& sy) { sx = x, sy = y; return x < 560; }},
        {12, [](int x, int y, int& sx, int& sy) { sx = x, sy = y; return x >= 320; }},
    };
    for (const auto& [kind, source] : cases) {
        startTransition(kind, 10, 7, -1);
        presentWhiteFrame();
        for (int y = 0; y < 600; y += 30)
            for (int x = 0; x < 800; x += 40) {
                int sx = 0, sy = 0;
                ASSERT_EQ(shownAt(x, y), source(x, y, sx, sy) ? snapshotAt(sx, sy) : NewFrame)
                    << "kind " << kind << " at " << x << "," << y;
            }
    }
}

TEST_F(PresentTest, TileKindDrawsFrameAOfSlotZero) {
    for (int x = 0; x < 800; ++x) imageSlots[0].surface->pixels[x] = 0x100 + x;  // first row only
    plat::surfacePixelsChanged(imageSlots[0].surface);
    startTransition(0, 0, 3, 1);
    presentWhiteFrame();
    EXPECT_EQ(shownAt(0, 0), 0x100u + 128);  // frame 3 begins at 128
    EXPECT_EQ(shownAt(64 * 9 + 5, 48 * 9), 0x100u + 133);
    EXPECT_EQ(shownAt(5, 1), NewFrame);      // black in slot 0 is transparent
}

TEST_F(PresentTest, EveryKindStaysInsideTheClipAndOddLengthsAreHarmless) {
    codeSnapshot();
    fill(imageSlots[0].surface, 0x00FF00);
    engDraw::SetClip(220, 0, 580, 600);
    for (int kind = 0; kind <= 14; ++kind)
        for (int length : {0, 1, 13})
            for (int direction : {-1, 1}) {  // a closing transition runs past the length
                startTransition(kind, length, direction == 1 ? 1 : std::max(length, 1), direction);
                int presents = 0;
                for (; screenTransition.step != 0; ++presents) {
                    presentWhiteFrame();
                    for (int y = 0; y < 600; y += 7) {
                        ASSERT_EQ(shownAt(219, y), NewFrame) << "kind " << kind;
                        ASSERT_EQ(shownAt(580, y), NewFrame) << "kind " << kind;
                        ASSERT_TRUE(kind < 13 || shownAt(400, y) == NewFrame) << "kind " << kind;
                    }
                }
                EXPECT_EQ(presents, direction == 1 ? 10 : std::max(length, 1)) << "kind " << kind;
            }
}

}  // namespace
