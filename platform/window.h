// The platform layer: window, message queue, keyboard state, clocks, cursor,
// modal warning box and the single-instance lock.
//
// The engine is written against the services a desktop window system offers a
// game of this kind (a message loop, a window procedure, virtual-key codes,
// a high-resolution counter and a millisecond clock). This header is that
// seam. Two implementations stand behind it: platform/sdl (the real game) and
// platform/headless (tests and benchmarks; see platform/headless/headless.h).
#pragma once

#include <cstdint>

namespace plat {

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------

// The messages the window procedure understands. Two values travel with
// each, packed as follows (the engine unpacks them with these rules):
//   Move:        lParam = client origin, x in the low 16 bits, y in the high
//   ActivateApp: wParam = 1 activated, 0 deactivated
//   KeyDown / SysKeyDown / KeyUp: wParam = virtual-key code (see VirtualKey)
//   MouseMove / button messages: lParam = client position, x low, y high
//   MidiNotify:  wParam = MidiNotifySuccessful when a song reached its end
//   SysCommand:  wParam = SysCommandScreenSave when a screen saver wants to run
//   Quit:        wParam = exit code
enum class MessageType : uint32_t {
    None = 0,
    Move,
    Close,
    Destroy,
    Quit,
    ActivateApp,
    SetCursor,
    KeyDown,
    SysKeyDown,
    KeyUp,
    SysCommand,
    MouseMove,
    LButtonDown,
    LButtonUp,
    LButtonDblClk,
    RButtonDown,
    RButtonUp,
    RButtonDblClk,
    MidiNotify,
};

constexpr uint32_t MidiNotifySuccessful = 1;
constexpr uint32_t SysCommandScreenSave = 0xF140;

struct Message {
    MessageType type = MessageType::None;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
};

// Packs two 16-bit halves the way position messages carry them.
constexpr uint32_t packPoint(int x, int y) {
    return (static_cast<uint32_t>(static_cast<uint16_t>(x))) |
           (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16);
}

// Virtual-key codes used by the game.
namespace VirtualKey {
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11,
              Menu = 0x12, Pause = 0x13, Escape = 0x1B, Space = 0x20, PageUp = 0x21,
              PageDown = 0x22, End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26,
              Right = 0x27, Down = 0x28, Insert = 0x2D, Delete = 0x2E;
// '0'..'9' are 0x30..0x39; the letters are their capitals' codes.
constexpr int A = 'A', B = 'B', C = 'C', D = 'D', E = 'E', F = 'F', G = 'G', H = 'H', I = 'I', J = 'J',
              K = 'K', L = 'L', M = 'M', N = 'N', O = 'O', P = 'P', Q = 'Q', R = 'R', S = 'S', T = 'T',
              U = 'U', V = 'V', W = 'W', X = 'X', Y = 'Y', Z = 'Z';
static_assert(A == 0x41 && Z == 0x5A);
constexpr int F1 = 0x70, F2 = 0x71, F3 = 0x72, F4 = 0x73, F5 = 0x74, F6 = 0x75,
              F7 = 0x76, F8 = 0x77, F9 = 0x78, F10 = 0x79, F11 = 0x7A, F12 = 0x7B;
constexpr int Count = 256;
}  // namespace VirtualKey

// The window procedure: gets every dispatched message, returns its result.
using WindowProc = int (*)(const Message&);

// Registers the procedure that dispatchMessage and the synchronous
// notifications (Destroy from destroyWindow) call.
void setWindowProc(WindowProc proc);

// Takes the next message off the queue (removes it). false when empty.
// In the SDL layer this also pumps the window system's events, except right
// after a waitMessageUntil that waited out its deadline: that pumped them
// before its last stretch, so that the frame due starts at once.
bool peekMessage(Message& out);
// Blocks until a message is available (it is not removed).
void waitMessage();
// Blocks until a message is available or the counter() reaches `deadline`,
// whichever comes first. Returns true when a message is waiting.
bool waitMessageUntil(int64_t deadline);
// Work the program can do while it waits for its next frame (pictures to
// make ready, for instance), one short piece per call; a piece returns false
// when there was nothing to do. waitMessageUntil runs pieces while its
// deadline is far enough away and no message waits.
using IdleWork = bool (*)();
void setIdleWork(IdleWork work);
// Calls the window procedure with the message and returns its result.
int dispatchMessage(const Message& msg);
// Appends a message to the queue.
void postMessage(const Message& msg);
// The same, callable from any thread (the audio thread posts the end of a
// song this way); the message is delivered by a later peekMessage.
void postMessageFromAnyThread(const Message& msg);
// Appends Quit with the exit code.
void postQuitMessage(int exitCode);
// What the system does with a message the game leaves to it (for instance a
// system key that is let through). Returns the result to hand back.
int defaultWindowProc(const Message& msg);

// ---------------------------------------------------------------------------
// Window
// ---------------------------------------------------------------------------

struct WindowDesc {
    const char* title = "";
    bool fullScreen = true;   // borderless window covering the desktop
    int clientWidth = 800;    // logical picture size (full screen: scaled to fit)
    int clientHeight = 600;
    bool hidden = false;      // create without showing
};

// Creates the one main window. false on failure.
bool createWindow(const WindowDesc& desc);
bool windowExists();
void showWindow(bool visible);
// Brings the window to the front and gives it the focus.
void raiseWindow();
void minimizeWindow();
// Destroys the window; the window procedure receives Destroy synchronously.
void destroyWindow();
// Size of the desktop in pixels.
void getDesktopSize(int& width, int& height);
// Client origin of the window on the desktop.
void getWindowOrigin(int& x, int& y);

// ---------------------------------------------------------------------------
// Keyboard, cursor, text input
// ---------------------------------------------------------------------------

// True while the key is down, as of the messages delivered so far.
bool isKeyDown(int virtualKey);
// Confines the cursor to a rectangle of desktop coordinates / releases it.
void clipCursor(int left, int top, int right, int bottom);
void unclipCursor();
void showCursor(bool visible);
// Input-method (text input) on or off.
void enableTextInput(bool enabled);

// ---------------------------------------------------------------------------
// Clocks
// ---------------------------------------------------------------------------

// High-resolution monotonic counter and its ticks per second.
int64_t counter();
int64_t counterFrequency();
// Milliseconds since start, wrapping at 2^32.
uint32_t milliseconds();
// Sleeps for about this many milliseconds.
void sleepMs(uint32_t ms);
// Returns when counter() reaches `deadline`, within microseconds (it sleeps
// until shortly before and waits out the rest on the clock).
void sleepUntil(int64_t deadline);

// ---------------------------------------------------------------------------
// Shell
// ---------------------------------------------------------------------------

// A modal warning box; returns when the user dismissed it. UTF-8 texts.
void messageBox(const char* title, const char* text);
void beep();
// The program's directory, ending in '/'.
const char* appDirectory();
// The seed of the game's random generator: seconds of the calendar clock.
// The headless layer counts them from the seed a test set (fixed by
// default) along its own clock, so that a run of scripted keys with one
// seed plays the same game again.
uint32_t randomSeed();

// Takes the single-instance lock of that name. When another copy holds it,
// asks that copy to bring its window to the front and returns false.
bool acquireInstanceLock(const char* name);
void releaseInstanceLock();

// Releases whatever the layer still holds (window, devices). Idempotent.
void shutdownPlatform();

}  // namespace plat
