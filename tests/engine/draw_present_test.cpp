// The frame present and the thirteen screen transitions.
#include <algorithm>
#include <functional>

#include "engine/draw_fixture.h"
#include "engine/eng_system.h"

namespace {

using PresentTest = DrawTest;

constexpr uint32_t NewFrame = 0xFFFFFF;  // the frame being drawn under the transition

// The snapshot in slot 1: pixel (x, y) is 4096 * y + x, so a shown pixel
// tells where in the snapshot it came from (never white, black only at 0, 0).
void codeSnapshot() {
    plat::Surface* s = imageSlots[1].surface;
    for (int y = 0; y < s->height; ++y)
        for (int x = 0; x < s->width; ++x) s->pixels[y * s->width + x] = 4096u * y + x;
}
uint32_t snapshotAt(int x, int y) { return 4096u * y + x; }

void startOpening(int kind, int length) {
    screenTransition.kind = kind;
    screenTransition.stepCount = length;
    screenTransition.step = length;
    transitionRunning = -1;
}

// Presents one frame of plain white under the running transition.
void presentWhiteFrame() {
    plat::fillRect(backSurface, plat::Rect{0, 0, 800, 600}, NewFrame);
    engDraw::Present();
}

TEST_F(PresentTest, PresentShowsTheBackSurfaceAndPassesTheVBlankWait) {
    plat::fillRect(backSurface, plat::Rect{0, 0, 800, 600}, 0x123456);
    engDraw::SetVSync(1);
    EXPECT_EQ(engDraw::Present(), 0);
    EXPECT_EQ(shownAt(799, 599), 0x123456u);
    EXPECT_EQ(plat::headless::presentCount(), 1);
    EXPECT_TRUE(plat::headless::lastPresentWaitedVBlank());

    plat::loseAllSurfaces();  // the present meets the loss and restores
    engDraw::Present();
    EXPECT_FALSE(primarySurface->lost || backSurface->lost);
}

TEST_F(PresentTest, OpeningTakesItsLengthClosingAlwaysTen) {
    startOpening(3, 26);
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(screenTransition.step, 26 - i);
        engDraw::Present();
    }
    EXPECT_EQ(screenTransition.step, 0);
    EXPECT_EQ(transitionRunning, 0);

    screenTransition.stepCount = 60;  // a closing transition ignores the length
    screenTransition.step = 1;
    transitionRunning = 1;
    int presents = 0;
    while (screenTransition.step != 0 && presents < 100) {
        engDraw::Present();
        ++presents;
    }
    EXPECT_EQ(presents, 10);
}

TEST_F(PresentTest, LineKindsLeaveEveryLineThatIsAMultipleOfTheStep) {
    codeSnapshot();
    startOpening(1, 10);
    screenTransition.step = 3;
    presentWhiteFrame();
    for (int y : {0, 1, 2, 3, 598, 599}) EXPECT_EQ(shownAt(400, y), y % 3 ? snapshotAt(400, y) : NewFrame) << y;

    startOpening(2, 10);  // bands of a + 1 lines every n lines
    screenTransition.step = 3;
    presentWhiteFrame();
    for (int y : {0, 3, 4, 9, 10, 13, 14, 590, 593, 594}) {
        const bool inBand = y % 10 <= 3;
        EXPECT_EQ(shownAt(400, y), inBand ? snapshotAt(400, y) : NewFrame) << y;
    }

    startOpening(1, 10);  // the last step shows the new frame whole
    screenTransition.step = 1;
    presentWhiteFrame();
    EXPECT_EQ(shownAt(400, 7), NewFrame);
}

TEST_F(PresentTest, ShakingKindsShiftEachLineByItsOwnDraw) {
    codeSnapshot();
    const int n = 30, a = 20, range = 2 * (n - a) + 2;
    for (int kind : {3, 4}) {
        engSystem::SeedRand(1234);
        std::vector<int> rolls;
        for (int i = 0; i < 600; ++i) rolls.push_back(engSystem::Rand());
        engSystem::SeedRand(1234);
        startOpening(kind, n);
        screenTransition.step = a;
        presentWhiteFrame();

        std::vector<int> drawnLines;
        for (int y = 0; y < 600; ++y)
            if (kind == 3 ? y % a != 0 : y % n == 0) drawnLines.push_back(y);
        for (size_t i = 0; i < drawnLines.size(); ++i) {
            const int y = drawnLines[i];
            const int shift = rolls[i] % range + a - 1 - n;
            ASSERT_GE(shift, -(n - a + 1));
            ASSERT_LE(shift, n - a);
            // The line's snapshot column 100 lands at 100 + shift.
            EXPECT_EQ(shownAt(100 + shift, y), snapshotAt(100, y)) << "kind " << kind << " line " << y;
        }
        EXPECT_EQ(engSystem::Rand(), rolls[drawnLines.size()]) << "one draw per line, kind " << kind;
    }
}

TEST_F(PresentTest, WholePictureKindsMoveTheSnapshot) {
    codeSnapshot();
    // n = 10, a = 7: four steps taken, so W / n * 4 = 320 and H / n * 4 = 240.
    struct Case {
        int kind;
        std::function<bool(int, int, int&, int&)> source;  // shown (x, y) -> snapshot (sx, sy)
    };
    const Case cases[] = {
        {5, [](int x, int y, int& sx, int& sy) { sx = x, sy = y + 240; return y < 360; }},
        {6, [](int x, int y, int& sx, int& sy) { sx = x, sy = y - 240; return y >= 240; }},
        {7, [](int x, int y, int& sx, int& sy) { sx = x + 320, sy = y; return x < 480; }},
        {8, [](int x, int y, int& sx, int& sy) { sx = x - 320, sy = y; return x >= 320; }},
        {9, [](int x, int y, int& sx, int& sy) { sx = x, sy = y < 300 ? y + 120 : y - 120; return y < 180 || y >= 420; }},
        {10, [](int x, int y, int& sx, int& sy) { sx = x < 400 ? x + 160 : x - 160, sy = y; return x < 240 || x >= 560; }},
        {11, [](int x, int y, int& sx, int& sy) { sx = x, sy = y; return x < 560; }},
        {12, [](int x, int y, int& sx, int& sy) { sx = x, sy = y; return x >= 320; }},
    };
    for (const Case& c : cases) {
        startOpening(c.kind, 10);
        screenTransition.step = 7;
        presentWhiteFrame();
        for (int y = 0; y < 600; y += 30)
            for (int x = 0; x < 800; x += 40) {
                int sx = 0, sy = 0;
                const uint32_t expected = c.source(x, y, sx, sy) ? snapshotAt(sx, sy) : NewFrame;
                ASSERT_EQ(shownAt(x, y), expected) << "kind " << c.kind << " at " << x << "," << y;
            }
    }
}

TEST_F(PresentTest, TileKindDrawsFrameAOfSlotZero) {
    plat::Surface* tiles = imageSlots[0].surface;
    for (int x = 0; x < 800; ++x) tiles->pixels[x] = 0x100 + x;  // first row of each frame
    screenTransition = ScreenTransition{0, 3, 0};
    transitionRunning = 1;
    presentWhiteFrame();
    EXPECT_EQ(shownAt(0, 0), 0x100u + 128);          // frame 3 begins at 128
    EXPECT_EQ(shownAt(64 * 9 + 5, 48 * 9), 0x100u + 133);
    EXPECT_EQ(shownAt(5, 1), NewFrame);              // black in slot 0 is transparent
}

TEST_F(PresentTest, TransitionsStayInsideTheClipAndOddLengthsAreHarmless) {
    codeSnapshot();
    fill(imageSlots[0].surface, 0x00FF00);
    engDraw::SetClip(220, 0, 580, 600);
    for (int kind = 0; kind <= 14; ++kind) {
        for (int length : {0, 1, 13}) {
            for (int direction : {-1, 1}) {  // a closing one runs past the length
                startOpening(kind, length);
                screenTransition.step = direction == 1 || length == 0 ? 1 : length;
                transitionRunning = direction;
                int presents = 0;
                while (screenTransition.step != 0) {
                    presentWhiteFrame();
                    ++presents;
                    for (int y = 0; y < 600; y += 7) {
                        ASSERT_EQ(shownAt(219, y), NewFrame) << "kind " << kind;
                        ASSERT_EQ(shownAt(580, y), NewFrame) << "kind " << kind;
                        if (kind >= 13) {
                            ASSERT_EQ(shownAt(400, y), NewFrame);
                        }
                    }
                }
                EXPECT_EQ(presents, direction == 1 ? 10 : std::max(length, 1)) << "kind " << kind;
            }
        }
    }
}

}  // namespace
