// engDraw: the frame present and the screen transitions laid over it.
#include "engine/eng_draw.h"
#include "engine/eng_system.h"

ScreenTransition screenTransition;
int32_t transitionRunning;
int32_t vsyncFlag;

namespace {

constexpr int TileSlot = 0;
constexpr int ClosingSteps = 10;

// Integer division that yields 0 instead of failing when a transition is
// started with no length.
int divideOrZero(int value, int divisor) { return divisor == 0 ? 0 : value / divisor; }

// The sideways shift of one line or band of the shaking kinds: from
// -(n - a + 1) to n - a, drawn anew for every line.
int randomShift(int a, int n) {
    const int roll = engSystem::Rand();
    const int range = 2 * (n - a) + 2;
    return range == 0 ? 0 : roll % range + a - 1 - n;
}

// Draws the snapshot's rectangle (l, t)-(r, b) with its top-left at (x, y).
void copySnapshot(int x, int y, int l, int t, int r, int b) { engDraw::BlitOpaque(x, y, SnapshotSlot, l, t, r, b); }

// Kinds 5..8 slide the whole snapshot off one edge: the direction of travel.
struct Slide {
    int dx, dy;
};
constexpr Slide slides[4] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};  // up, down, left, right

void drawTransition() {
    const int W = screenWidth, H = screenHeight;
    const int kind = screenTransition.kind;
    const int a = screenTransition.step, n = screenTransition.stepCount;
    const int taken = n - a + 1;  // steps shown so far, this one included

    switch (kind) {
        case 0:  // 10 x 10 tiles, frame a of slot 0's strip of 64-pixel frames
            for (int i = 0; i < 10; ++i)
                for (int j = 0; j < 10; ++j) engDraw::Blit(64 * i, 48 * j, TileSlot, 64 * a - 64, 0, 64 * a, 48);
            break;
        case 1:  // every line but those whose index is a multiple of a
        case 3:  // the same, each line shaken sideways
            for (int y = 0; y < H; ++y) {
                if (y % a == 0) continue;
                copySnapshot(kind == 3 ? randomShift(a, n) : 0, y, 0, y, W, y + 1);
            }
            break;
        case 2:  // bands of a + 1 lines every n lines
        case 4:  // the same, each band shaken sideways
            if (n <= 0) break;
            for (int y = 0; y < H; y += n) copySnapshot(kind == 4 ? randomShift(a, n) : 0, y, 0, y, W, y + a + 1);
            break;
        case 5: case 6: case 7: case 8: {  // the snapshot slides away
            const Slide& s = slides[kind - 5];
            copySnapshot(s.dx * taken * divideOrZero(W, n), s.dy * taken * divideOrZero(H, n), 0, 0, W, H);
            break;
        }
        case 9:  // the halves part up and down
            copySnapshot(0, divideOrZero(-(H / 2), n) * taken, 0, 0, W, H / 2);
            copySnapshot(0, H / 2 + taken * divideOrZero(H / 2, n), 0, H / 2, W, H);
            break;
        case 10:  // the halves part left and right
            copySnapshot(divideOrZero(-(W / 2), n) * taken, 0, 0, 0, W / 2, H);
            copySnapshot(W / 2 + taken * divideOrZero(W / 2, n), 0, W / 2, 0, W, H);
            break;
        case 11:  // a strip from the left edge, narrowing
            copySnapshot(0, 0, 0, 0, divideOrZero(W, n) * a, H);
            break;
        case 12: {  // the part right of a line moving right
            const int s = taken * divideOrZero(W, n);
            copySnapshot(s, 0, s, 0, W, H);
            break;
        }
        default:  // 13 and above only count their steps
            break;
    }
}

}  // namespace

namespace engDraw {

int Present() {
    if (screenTransition.step != 0) drawTransition();

    screenTransition.step += transitionRunning;
    if ((transitionRunning == -1 && screenTransition.step < 1) ||
        (transitionRunning == 1 && screenTransition.step > ClosingSteps)) {
        screenTransition.step = 0;
        transitionRunning = 0;
    }

    const plat::Result result = plat::presentFrame(primarySurface, backSurface, presentSrc, vsyncFlag != 0);
    if (result == plat::Result::SurfaceLost) return Restore();
    return static_cast<int>(result);
}

void SetVSync(int32_t flag) { vsyncFlag = flag; }

}  // namespace engDraw
