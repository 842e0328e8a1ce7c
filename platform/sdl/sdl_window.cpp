// The SDL window, its message queue, the keyboard table, the cursor and the
// shell services (boxes, program directory, single-instance lock).
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/audio.h"
#include "platform/instance_lock.h"
#include "platform/sdl/sdl_layer.h"
#include "platform/sdl/common/sdl_input.h"
#include "platform/surface.h"
#include "platform/window.h"

namespace plat {

namespace sdl {
Display display;
}  // namespace sdl

using sdl::display;

namespace {
// A message waiting for delivery, with the physical key it came from (if
// any) so that the key table can tell the two sides of a modifier apart.
struct QueuedMessage {
    Message msg;
    SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN;
};

// Messages posted by the program (and SDL events taken while waiting), in
// order. Fixed size: a full queue refuses the message, as a full system
// queue would.
class MessageQueue {
public:
    bool push(const QueuedMessage& item) {
        if (count_ == Capacity) return false;
        items_[(head_ + count_) % Capacity] = item;
        ++count_;
        return true;
    }
    bool pop(QueuedMessage& item) {
        if (count_ == 0) return false;
        item = items_[head_];
        head_ = (head_ + 1) % Capacity;
        --count_;
        return true;
    }
    bool empty() const { return count_ == 0; }
    void clear() { head_ = count_ = 0; }

private:
    static constexpr int Capacity = 256;
    QueuedMessage items_[Capacity];
    int head_ = 0;
    int count_ = 0;
};

MessageQueue queue;
WindowProc windowProc = nullptr;
KeyStateTable keyStates;
bool videoUp = false;
int deliveredActive = -1;  // the activation last reported; -1 none yet
int64_t nextRaisePoll = 0;

bool cursorClipped = false;
Rect cursorClip;  // desktop coordinates of the picture

// How often a running copy looks for a raise request from a second copy.
constexpr int64_t RaisePollInterval = 50'000'000;  // ns
// The longest single wait for events, so raise requests are seen while idle.
constexpr int WaitSliceMs = 100;
// waitMessageUntil sleeps the last stretch before its deadline on the
// precise clock rather than in the event wait.
constexpr int64_t FineWaitNs = 2'000'000;
// It starts a piece of idle work only this long before its deadline.
constexpr int64_t IdleWorkLeadNs = 4'000'000;
IdleWork idleWork = nullptr;
// The events were pumped just before the last wait for a frame's deadline:
// the next peek takes only what is queued, so that nothing stands between
// the deadline and the frame (a frame started late is never made up).
bool pumpedBeforeDeadline = false;

uint32_t postedEventType() {
    static const uint32_t type = [] {
        const Uint32 t = SDL_RegisterEvents(1);
        return t == static_cast<Uint32>(-1) ? static_cast<uint32_t>(SDL_USEREVENT) : t;
    }();
    return type;
}

void pollRaiseRequests(bool force) {
    if (!instanceLockHeld()) return;
    const int64_t now = counter();
    if (!force && now - nextRaisePoll < 0) return;
    nextRaisePoll = now + RaisePollInterval;
    if (instanceLockPollRaise()) raiseWindow();
}

// Turns an SDL event into a message to deliver. false when it carries none
// (or only changes the layer's own state).
bool takeEvent(const SDL_Event& taken, QueuedMessage& out) {
    if (taken.type == SDL_RENDER_DEVICE_RESET) {
        sdl::recreateTexture();
        return false;
    }
    if (taken.type == SDL_WINDOWEVENT && taken.window.event == SDL_WINDOWEVENT_EXPOSED) sdl::repaintPicture();
    SDL_Event event = taken;
    if (event.type == SDL_MOUSEMOTION) sdl::windowToPicture(event.motion.x, event.motion.y);
    if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP)
        sdl::windowToPicture(event.button.x, event.button.y);
    if (!translateSdlEvent(event, postedEventType(), out.msg)) return false;
    out.scancode = (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) ? event.key.keysym.scancode
                                                                          : SDL_SCANCODE_UNKNOWN;
    if (out.msg.type == MessageType::ActivateApp) {
        // The window manager may repeat a focus change; the game sees changes.
        const int active = out.msg.wParam != 0 ? 1 : 0;
        if (active == deliveredActive) return false;
        deliveredActive = active;
    }
    return true;
}

// Takes SDL events until one yields a message. false when none is left.
bool pollEvents(QueuedMessage& out) {
    if (!videoUp) return false;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (takeEvent(event, out)) return true;
    return false;
}

// Waits up to `ms` for SDL events; a message found is queued.
void waitEvents(int ms) {
    if (display.offscreen) {
        // Without a display SDL cannot block on events and would poll them
        // every millisecond; nothing but our own posts can come, so sleep.
        sleepMs(static_cast<uint32_t>(ms));
        QueuedMessage item;
        if (pollEvents(item)) queue.push(item);
        return;
    }
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, ms)) return;
    QueuedMessage item;
    if (takeEvent(event, item) || pollEvents(item)) queue.push(item);
}

// The cursor rectangle in window pixels: desktop coordinates of the picture
// less the window's origin, scaled like the picture.
void applyCursorClip() {
    if (display.window == nullptr) return;
    if (!cursorClipped) {
        SDL_SetWindowMouseRect(display.window, nullptr);
        return;
    }
    int originX = 0, originY = 0;
    getWindowOrigin(originX, originY);
    int left = cursorClip.left - originX, top = cursorClip.top - originY;
    int right = cursorClip.right - originX, bottom = cursorClip.bottom - originY;
    sdl::pictureToWindow(left, top);
    sdl::pictureToWindow(right, bottom);
    if (right <= left || bottom <= top) return;
    const SDL_Rect rect{left, top, right - left, bottom - top};
    SDL_SetWindowMouseRect(display.window, &rect);
}
}  // namespace

bool sdl::ensureVideo() {
    if (videoUp) return true;
    // Closing the window is the game's business (a Close message), not a
    // quit of its own; and the screen saver stays off while we run.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "display: no display to show the game on (%s)\n", SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool offscreen =
        driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
    // Without a display SDL falls back to drawing nowhere: the game would run
    // unseen. Only a driver asked for by name (tests, measurements) may do so.
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (offscreen && (asked == nullptr || *asked == '\0')) {
        const char* name = SDL_getenv("DISPLAY");
        std::fprintf(stderr,
                     "display: no usable display (DISPLAY is %s); the game does not run unseen "
                     "(set SDL_VIDEODRIVER=dummy to run it without a display)\n",
                     name != nullptr && *name != '\0' ? name : "not set");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    videoUp = true;
    display.offscreen = offscreen;
    postedEventType();
    return true;
}

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------

void setWindowProc(WindowProc proc) { windowProc = proc; }

bool peekMessage(Message& out) {
    pollRaiseRequests(false);
    QueuedMessage item;
    const bool pump = !pumpedBeforeDeadline;
    pumpedBeforeDeadline = false;
    if (!queue.pop(item) && (!pump || !pollEvents(item))) return false;
    applyKeyMessage(keyStates, item.msg, item.scancode);
    out = item.msg;
    return true;
}

void waitMessage() {
    if (!videoUp) {  // nothing can arrive but our own posts
        if (queue.empty()) sleepMs(WaitSliceMs);
        return;
    }
    while (queue.empty()) {
        waitEvents(WaitSliceMs);
        pollRaiseRequests(true);
    }
}

void setIdleWork(IdleWork work) { idleWork = work; }

bool waitMessageUntil(int64_t deadline) {
    for (;;) {
        if (!queue.empty()) return true;
        pollRaiseRequests(false);
        const int64_t remaining = deadline - counter();
        if (remaining <= 0) break;
        // Idle work waits until the first frame is on the screen: the start
        // comes first.
        if (idleWork != nullptr && display.presented && remaining > IdleWorkLeadNs && idleWork()) {
            // Between pieces, input goes first.
            QueuedMessage item;
            if (pollEvents(item)) queue.push(item);
            continue;
        }
        const int64_t coarseMs = (remaining - FineWaitNs) / 1'000'000;
        // The last stretch (without a display, where nothing but our own
        // posts can come, the whole wait): the events are pumped first, then
        // the wait runs to the deadline and returns at once, leaving what
        // arrives meanwhile to the turn after the frame.
        if (!videoUp || display.offscreen || coarseMs < 1) {
            QueuedMessage item;
            if (pollEvents(item)) {
                queue.push(item);
                return true;
            }
            sleepUntil(deadline);
            pumpedBeforeDeadline = true;
            return false;
        }
        waitEvents(static_cast<int>(coarseMs < WaitSliceMs ? coarseMs : WaitSliceMs));
    }
    QueuedMessage item;
    if (queue.empty() && pollEvents(item)) queue.push(item);
    return !queue.empty();
}

int dispatchMessage(const Message& msg) { return windowProc ? windowProc(msg) : 0; }

void postMessage(const Message& msg) { queue.push(QueuedMessage{msg, SDL_SCANCODE_UNKNOWN}); }

void postMessageFromAnyThread(const Message& msg) {
    // SDL's event queue is safe to push from any thread; the main thread
    // takes the message out in its next peek or wait.
    SDL_Event event = postedMessageEvent(msg, postedEventType());
    SDL_PushEvent(&event);
}

void postQuitMessage(int exitCode) { postMessage(Message{MessageType::Quit, static_cast<uint32_t>(exitCode), 0}); }

int defaultWindowProc(const Message&) { return 0; }

// ---------------------------------------------------------------------------
// Window
// ---------------------------------------------------------------------------

bool createWindow(const WindowDesc& desc) {
    if (display.window != nullptr || !sdl::ensureVideo()) return false;
    if (desc.clientWidth <= 0 || desc.clientHeight <= 0) return false;
    const char* title = desc.title ? desc.title : "";
    // The picture is scaled smoothly to the desktop in full screen.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // A window's own pixels go to the display as they are (X shared memory),
    // not through a renderer of SDL's choosing.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The sound device opens while the window comes up and the screen is
    // made (after the hints: SDL's hints are not safe to change meanwhile).
    sdl::startOpeningAudio();

    Uint32 flags = SDL_WINDOW_HIDDEN;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    int width = desc.clientWidth, height = desc.clientHeight;
    if (desc.fullScreen) {
        // A borderless window as large as the desktop; the display mode
        // never changes.
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
        x = y = 0;
        getDesktopSize(width, height);
    }
    display.window = SDL_CreateWindow(title, x, y, width, height, flags);
    if (display.window == nullptr) {
        std::fprintf(stderr, "display: cannot open the window (%s)\n", SDL_GetError());
        return false;
    }
    display.fullScreen = desc.fullScreen;
    display.logicalWidth = desc.clientWidth;
    display.logicalHeight = desc.clientHeight;
    if (!sdl::createPresentTargets()) {
        std::fprintf(stderr, "display: cannot draw into the window (%s)\n", SDL_GetError());
        SDL_DestroyWindow(display.window);
        display.window = nullptr;
        return false;
    }
    SDL_DisableScreenSaver();
    deliveredActive = -1;
    // A new window reports where its client area lies, as it will on every
    // later move.
    int originX = 0, originY = 0;
    getWindowOrigin(originX, originY);
    queue.push(QueuedMessage{Message{MessageType::Move, 0, packPoint(originX, originY)}});
    if (!desc.hidden) showWindow(true);
    return true;
}

bool windowExists() { return display.window != nullptr; }

void showWindow(bool visible) {
    if (display.window == nullptr) return;
    if (!visible) {
        SDL_HideWindow(display.window);
        return;
    }
    SDL_ShowWindow(display.window);
    SDL_RaiseWindow(display.window);
    // A window that is shown becomes the active one. Without a window
    // manager no focus event may ever come, so say so ourselves; the focus
    // event that follows under a manager is a repeat and is dropped.
    if (deliveredActive != 1 && queue.push(QueuedMessage{Message{MessageType::ActivateApp, 1, 0}}))
        deliveredActive = 1;
}

void raiseWindow() {
    if (display.window == nullptr) return;
    if (SDL_GetWindowFlags(display.window) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(display.window);
    SDL_RaiseWindow(display.window);
}

void minimizeWindow() {
    if (display.window != nullptr) SDL_MinimizeWindow(display.window);
}

void destroyWindow() {
    if (display.window == nullptr) return;
    sdl::destroyPresentTargets();
    SDL_DestroyWindow(display.window);
    display.window = nullptr;
    cursorClipped = false;
    dispatchMessage(Message{MessageType::Destroy, 0, 0});
}

void getDesktopSize(int& width, int& height) {
    SDL_DisplayMode mode;
    const int index = display.window ? SDL_GetWindowDisplayIndex(display.window) : 0;
    if (sdl::ensureVideo() && SDL_GetDesktopDisplayMode(index < 0 ? 0 : index, &mode) == 0 && mode.w > 0 &&
        mode.h > 0) {
        width = mode.w;
        height = mode.h;
        return;
    }
    width = 800;
    height = 600;
}

void getWindowOrigin(int& x, int& y) {
    x = y = 0;
    if (display.window != nullptr) SDL_GetWindowPosition(display.window, &x, &y);
}

// ---------------------------------------------------------------------------
// Keyboard, cursor, text input
// ---------------------------------------------------------------------------

bool isKeyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < VirtualKey::Count && keyStates.down[virtualKey];
}

void clipCursor(int left, int top, int right, int bottom) {
    cursorClipped = true;
    cursorClip = Rect{left, top, right, bottom};
    applyCursorClip();
}

void unclipCursor() {
    cursorClipped = false;
    applyCursorClip();
}

void showCursor(bool visible) {
    if (sdl::ensureVideo()) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void enableTextInput(bool enabled) {
    if (!sdl::ensureVideo()) return;
    if (enabled)
        SDL_StartTextInput();
    else
        SDL_StopTextInput();
}

// ---------------------------------------------------------------------------
// Shell
// ---------------------------------------------------------------------------

void messageBox(const char* title, const char* text) {
    title = title ? title : "";
    text = text ? text : "";
    // Let the pointer reach the box while it is shown.
    if (display.window != nullptr && cursorClipped) SDL_SetWindowMouseRect(display.window, nullptr);
    // Also to standard error: the box may not be seen (no display, a
    // display nobody watches), the log is.
    std::fprintf(stderr, "%s: %s\n", title, text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title, text, display.window);
    applyCursorClip();
}

void beep() {
    // No bell of our own; a terminal rings it if there is one.
    if (isatty(STDERR_FILENO)) (void)write(STDERR_FILENO, "\a", 1);
}

const char* appDirectory() {
    static char directory[4096] = "";
    if (directory[0] == '\0') {
        char* base = SDL_GetBasePath();
        if (base != nullptr && std::strlen(base) + 2 <= sizeof directory) {
            std::strcpy(directory, base);
            if (directory[std::strlen(directory) - 1] != '/') std::strcat(directory, "/");
        } else {
            std::strcpy(directory, "./");
        }
        SDL_free(base);
    }
    return directory;
}

uint32_t randomSeed() { return static_cast<uint32_t>(std::time(nullptr)); }

bool acquireInstanceLock(const char* name) {
    // One copy per user: the name carries the user id.
    const std::string userName = userLockName(name);
    switch (instanceLockTake(userName.c_str())) {
        case InstanceLockResult::Acquired:
            return true;
        case InstanceLockResult::HeldElsewhere:
            std::fprintf(stderr, "another copy of the game is running for this user; it was brought to the front\n");
            return false;
        case InstanceLockResult::HeldByOtherUser:
            std::fprintf(stderr, "lock: a process of another user holds \"%s\"; running without the lock\n",
                         userName.c_str());
            return true;
        case InstanceLockResult::Unavailable:
            break;
    }
    // Without a socket we cannot tell; running is better than refusing.
    std::fprintf(stderr, "lock: cannot make the single-instance lock; running without it\n");
    return true;
}

void releaseInstanceLock() { instanceLockDrop(); }

void shutdownPlatform() {
    closeAudio();  // also when the program never took the device it began to open
    sdl::closeFonts();
    sdl::destroyPresentTargets();
    if (display.window != nullptr) SDL_DestroyWindow(display.window);
    display = sdl::Display{};  // forgets the driver too: ensureVideo looks again
    instanceLockDrop();
    queue.clear();
    clearKeyStates(keyStates);
    cursorClipped = false;
    if (videoUp) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoUp = false;
    SDL_Quit();
}

}  // namespace plat
