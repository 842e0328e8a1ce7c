// Placeholder: engSystem.
#include "engine/eng_system.h"

#include <cstdarg>
#include <cstdio>

int32_t useQpc, useTimeGetTime, paceWait;
int64_t frameRate, ticksPerFrame, lastTick;
uint32_t prevMs;
float frameTime;
WaitTimer waitTimers[WaitTimerCount + 1];
int32_t lastKey, mouseX, mouseY, mouseLeftDown, mouseRightDown, sysKeyMode;
int32_t windowOriginX, windowOriginY, appActive, fullScreen, windowOptionBits, closingState, shutdownDone,
    cursorClipped, cursorClipMode, errorFlag, imeEnabled;
int32_t gameState, previousState, stateChanged, returnState;

namespace engSystem {
void StaticInit() {}
void ExitHandler() {}
int SetFrameRate(int64_t) { return 1; }
int PaceFrame() { return 0; }
void ResetFrameClock() {}
int64_t NextFrameDeadline() { return 0; }
int InitWaits() { return 1; }
int SetWait(int, uint32_t) { return 1; }
int IsWaitOver(int) { return 0; }
int GetKey(int, int32_t&) { return 0; }
void EndKeyCapture() {}
void SetSysKeyMode(int32_t) {}
void ResetGlobals() {}
int LockInstance(const char*) { return 1; }
int WindowProc(const plat::Message&) { return 0; }
void SetActive(int32_t) {}
int Shutdown() { return 1; }
int ReportError(const char* where, const char* what, int32_t) {
    char text[FormatLineSize];
    FormatLine(text, "%s : %s", where ? where : "", what ? what : "");
    Beep();
    plat::messageBox("エラー発生", text);
    errorFlag = 1;
    return 0;
}
void Beep() { plat::beep(); }
const char* GetAppDir(int) { return plat::appDirectory(); }
void EnableIme(int32_t) {}
void ClipCursor(int, int, int, int) {}
void UnclipCursor() {}
void ReleaseCursorClip() {}
void ClipCursorToScreen() {}
int IsCursorClipped() { return 0; }
int FormatLine(char (&buffer)[FormatLineSize], const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, FormatLineSize, format, args);
    va_end(args);
    return n;
}
int FormatShort(char (&buffer)[FormatShortSize], const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, FormatShortSize, format, args);
    va_end(args);
    return n;
}
namespace {
uint32_t randState = 1;
}
int Rand() {
    randState = randState * 214013u + 2531011u;
    return static_cast<int>((randState >> 16) & 0x7FFFu);
}
void SeedRand(uint32_t seed) { randState = seed; }
}  // namespace engSystem
