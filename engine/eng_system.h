// engSystem: the application shell (globals, window procedure, shut-down,
// error box, cursor, text formatting), frame pacing, wait timers, keyboard
// and mouse state, and the one random generator.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/window.h"

// ---------------------------------------------------------------------------
// Frame clock
// ---------------------------------------------------------------------------
extern int32_t useQpc;           // 1: the pacer counts counter ticks, else ms
extern int32_t useTimeGetTime;   // 1: the fine millisecond clock is in use
extern int64_t frameRate;        // frames per second (60)
extern int64_t ticksPerFrame;    // frame interval in the pacer's unit
extern int64_t lastTick;         // pacer reading at the last due frame
extern uint32_t prevMs;          // millisecond clock at the last due frame
extern int32_t paceWait;         // 1: frames are held to the interval
extern float frameTime;          // seconds since the previous due frame

// ---------------------------------------------------------------------------
// Wait timers 1..10 (index 0 unused)
// ---------------------------------------------------------------------------
constexpr int WaitTimerCount = 10;
struct WaitTimer {
    int32_t set;        // 0 until engSystem::SetWait gives it a deadline
    uint32_t deadline;  // millisecond clock value
};
extern WaitTimer waitTimers[WaitTimerCount + 1];

// ---------------------------------------------------------------------------
// Input
// ---------------------------------------------------------------------------
extern int32_t lastKey;          // virtual-key code of the last key-down, 0 none
extern int32_t mouseX, mouseY;   // client position from the last mouse move
extern int32_t mouseLeftDown, mouseRightDown;
extern int32_t sysKeyMode;       // 0: system keys swallowed

// KeyState values of engSystem::GetKey.
constexpr int32_t KeyUp = 0, KeyPressed = 1, KeyReleased = 2, KeyHeld = 3;

// ---------------------------------------------------------------------------
// Application globals
// ---------------------------------------------------------------------------
extern int32_t windowOriginX, windowOriginY;
extern int32_t appActive;
extern int32_t fullScreen;        // build setting: 1 full-screen, 0 windowed
extern int32_t windowOptionBits;  // bit 0 not topmost, bit 1 run inactive, bit 2 hidden
extern int32_t closingState;      // 0 running, 1 close received, 2 shut down
extern int32_t shutdownDone;
extern int32_t cursorClipped;
extern int32_t cursorClipMode;
extern int32_t errorFlag;         // 1 after an error box
extern int32_t imeEnabled;
extern int32_t instanceLocked;    // 1 while this copy holds the single-instance lock

// The game-state machine's globals (driven by the game's loop, reset here).
extern int32_t gameState;
extern int32_t previousState;
extern int32_t stateChanged;
extern int32_t returnState;

// The title of the main window and the name of everything derived from it.
constexpr const char* AppTitle = "MIRVANE DELTA 4 ENCORE";

// The game's routine for every key-down that reaches the game (set by the
// program at start-up with engSystem::SetKeyDownHandler; none: key-downs go
// nowhere).
using KeyDownHandler = void (*)(int32_t key);

namespace engSystem {

// Start-up before the entry point, and its counterpart at exit.
void StaticInit();
void ExitHandler();

int SetFrameRate(int64_t rate);
int PaceFrame();
void ResetFrameClock();
// Counter reading at which the next frame falls due (for yielding the
// processor while none is due).
int64_t NextFrameDeadline();

int InitWaits();
int SetWait(int n, uint32_t milliseconds);
int IsWaitOver(int n);

int GetKey(int key, int32_t& state);
void EndKeyCapture();
void SetSysKeyMode(int32_t mode);
void SetKeyDownHandler(KeyDownHandler handler);

void ResetGlobals();
int LockInstance(const char* title);
int WindowProc(const plat::Message& msg);
void SetActive(int32_t flag);
int Shutdown();
int ReportError(const char* where, const char* what, int32_t code);
void Beep();
const char* GetAppDir(int unused = 0);
// The path of the file `name` under the program's directory. false when it
// does not fit: then nothing may be read from it (the path is cut).
constexpr size_t FilePathSize = 4096;
bool AppFilePath(char (&path)[FilePathSize], const char* name);
// Says on standard error, in one line, that the file at `path` was refused
// (`why`) and whether the built-in asset of its name took over. A file is
// named once a run (up to MaxNamedRefusals files); PathTooLong is said once
// for every file.
constexpr const char* PathTooLong = "its path is too long";
constexpr int MaxNamedRefusals = 1024;
void ReportRefusedFile(const char* path, const char* why, bool builtInUsed);
void EnableIme(int32_t flag);

void ClipCursor(int left, int top, int right, int bottom);
void UnclipCursor();
void ReleaseCursorClip();
void ClipCursorToScreen();

// Bounded formatting: 256 and 32 characters with the terminator. The text
// is cut, never overrun. Return the length written.
constexpr size_t FormatLineSize = 256;
constexpr size_t FormatShortSize = 32;
int FormatLine(char (&buffer)[FormatLineSize], const char* format, ...)
    __attribute__((format(printf, 2, 3)));
int FormatShort(char (&buffer)[FormatShortSize], const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The one random generator: 0..32767, seedable.
constexpr int RandMax = 32767;
int Rand();
void SeedRand(uint32_t seed);
// The generator's state: what the next draw follows from.
uint32_t RandState();

}  // namespace engSystem
