// Controls of the headless platform layer, for tests and benchmarks.
//
// Nothing is shown and nothing waits on real time: the counter and the
// millisecond clock are set by the test (separately), messages and key states
// are scripted, boxes and presents are recorded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "platform/window.h"

namespace plat::headless {

// Back to the state of a fresh start: empty queue, keys up, clocks at 0,
// no window, no boxes, no presents, app directory "./", lock free.
void reset();

// Clocks. The counter runs at counterFrequency() = 1'000'000'000 per second.
void setCounter(int64_t value);
void advanceCounter(int64_t ticks);
void setMilliseconds(uint32_t value);
void advanceMilliseconds(uint32_t ms);
// Moves both clocks forward by the same real time (ns of counter, whole ms).
void advanceTime(int64_t nanoseconds);
// When on, waitMessageUntil / sleepUntil / sleepMs with an empty queue move
// the clocks forward to their deadline instead of returning at once.
// waitMessageUntil with an empty queue also runs one piece of the idle work
// (plat::setIdleWork), if any.
void setAutoAdvance(bool on);

// Scripted keyboard state (the queue is scripted with plat::postMessage).
void setKeyDown(int virtualKey, bool down);
size_t queuedMessages();

// Recorded modal boxes.
struct Box {
    std::string title;
    std::string text;
};
const std::vector<Box>& boxes();
void clearBoxes();

// Window.
bool windowCreated();
const WindowDesc& lastWindowDesc();
bool cursorClipActive();
bool cursorVisible();
bool textInputEnabled();

// Program directory handed to the engine (must end in '/').
void setAppDirectory(const char* dir);

// Where randomSeed() counts from (DefaultRandomSeed after reset()).
constexpr uint32_t DefaultRandomSeed = 1;
void setRandomSeed(uint32_t seed);

// Screen (kept by presentFrame). Every call of presentFrame counts, also
// one that met a lost surface.
int presentCount();
bool lastPresentWaitedVBlank();
// The picture of the last present: `primary` of presentFrame holds it.
// Back to no presents, frames kept (reset() does this too).
void resetScreen();
// Off: presents are counted and checked but the picture is not copied
// (a run that only looks at the back surface saves a screen copy a frame).
void setKeepPresentedFrames(bool keep);
// Text is drawn as a box `height` tall and height / 2 wide per character,
// filled with the background colour when opaque (nothing when transparent).
// The font lookup and the built-in pictures' texts (platform/text.h) are the
// SDL layer's own (platform/sdl/common), so the pictures are the same here.

}  // namespace plat::headless
