// engSystem: frame pacing and the ten wait timers.
#include <cstdint>

#include "engine/eng_system.h"

int32_t useQpc, useTimeGetTime, paceWait;
int64_t frameRate, ticksPerFrame, lastTick;
uint32_t prevMs;
float frameTime;
WaitTimer waitTimers[WaitTimerCount + 1];

namespace engSystem {

namespace {
// The pacer's clock: counter ticks, or milliseconds widened to 64 bits.
int64_t pacerNow() {
    return useQpc ? plat::counter() : static_cast<int64_t>(plat::milliseconds());
}
}  // namespace

int SetFrameRate(int64_t rate) {
    frameRate = rate;
    // Our millisecond clock is always the fine one.
    useTimeGetTime = 1;
    const int64_t frequency = plat::counterFrequency();
    if (frequency > 0) {
        useQpc = 1;
        ticksPerFrame = rate > 0 ? frequency / rate : 0;
        lastTick = plat::counter();
    } else {
        useQpc = 0;
        ticksPerFrame = rate > 0 ? 1000 / rate : 0;
        lastTick = static_cast<int64_t>(plat::milliseconds());
    }
    prevMs = plat::milliseconds();
    return 1;
}

int PaceFrame() {
    const int64_t now = pacerNow();
    const int64_t elapsed = now - lastTick;
    if (elapsed < 0) {
        // The clock went back: restart the interval from here.
        lastTick = now;
        return 0;
    }
    if (paceWait && elapsed < ticksPerFrame) return 0;
    // Due. The interval restarts from this reading; a late frame is not
    // made up.
    lastTick = now;
    const uint32_t nowMs = plat::milliseconds();
    frameTime = static_cast<float>(nowMs - prevMs) / 1000.0f;
    prevMs = nowMs;
    return 1;
}

void ResetFrameClock() {
    frameTime = 0.0f;
    // Restart both bases too, so that the first frame after a pause (the
    // application inactive, a modal box, the loading) does not span it.
    lastTick = pacerNow();
    prevMs = plat::milliseconds();
}

int64_t NextFrameDeadline() {
    const int64_t interval = paceWait ? ticksPerFrame : 0;
    if (useQpc) return lastTick + interval;
    // The pacer counts milliseconds: turn the remaining ones into counter
    // ticks from now.
    const int64_t remainingMs = lastTick + interval - static_cast<int64_t>(plat::milliseconds());
    return plat::counter() + remainingMs * plat::counterFrequency() / 1000;
}

// ---------------------------------------------------------------------------
// Wait timers
// ---------------------------------------------------------------------------

int InitWaits() {
    for (WaitTimer& timer : waitTimers) timer = WaitTimer{0, 0};
    EndKeyCapture();
    SetSysKeyMode(0);
    if (fullScreen) ClipCursorToScreen();
    return 1;
}

int SetWait(int n, uint32_t milliseconds) {
    if (n < 1 || n > WaitTimerCount) {
        ReportError("engSystem::SetWait", "ウェイトNoが範囲外です", 0);
        return 0;
    }
    waitTimers[n].deadline = plat::milliseconds() + milliseconds;
    waitTimers[n].set = 1;
    return 1;
}

int IsWaitOver(int n) {
    if (n < 1 || n > WaitTimerCount) return 0;
    const WaitTimer& timer = waitTimers[n];
    if (!timer.set) return 0;
    // Signed difference: a deadline beyond the clock's wrap is still ahead.
    return static_cast<int32_t>(plat::milliseconds() - timer.deadline) >= 0 ? 1 : 0;
}

}  // namespace engSystem
