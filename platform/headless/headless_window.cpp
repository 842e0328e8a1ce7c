// The headless window, message queue, keyboard and clocks.
#include <cstring>
#include <deque>
#include <string>

#include "platform/headless/headless.h"

namespace plat {

namespace {
struct State {
    std::deque<Message> queue;
    WindowProc proc = nullptr;
    IdleWork idleWork = nullptr;
    bool keys[VirtualKey::Count] = {};
    int64_t counter = 0;
    uint32_t ms = 0;
    bool autoAdvance = false;
    std::vector<headless::Box> boxes;
    bool windowCreated = false;
    WindowDesc desc;
    std::string title;
    bool clipActive = false;
    bool cursorVisible = true;
    bool textInput = true;
    std::string appDir = "./";
    uint32_t randomSeed = headless::DefaultRandomSeed;
    bool lockHeld = false;
};
State& st() {
    static State s;
    return s;
}
constexpr int64_t kFrequency = 1'000'000'000;

void advanceTo(int64_t deadline) {
    if (deadline > st().counter) headless::advanceTime(deadline - st().counter);
}
}  // namespace

namespace headless {
void reset() {
    WindowProc proc = st().proc;
    st() = State{};
    st().proc = proc;
    resetScreen();
}
void setCounter(int64_t value) { st().counter = value; }
void advanceCounter(int64_t ticks) { st().counter += ticks; }
void setMilliseconds(uint32_t value) { st().ms = value; }
void advanceMilliseconds(uint32_t ms) { st().ms += ms; }
void advanceTime(int64_t nanoseconds) {
    // The millisecond clock follows the counter's whole milliseconds.
    const int64_t before = st().counter / 1'000'000;
    st().counter += nanoseconds;
    st().ms += static_cast<uint32_t>(st().counter / 1'000'000 - before);
}
void setAutoAdvance(bool on) { st().autoAdvance = on; }
void setKeyDown(int vk, bool down) {
    if (vk >= 0 && vk < VirtualKey::Count) st().keys[vk] = down;
}
size_t queuedMessages() { return st().queue.size(); }
const std::vector<Box>& boxes() { return st().boxes; }
void clearBoxes() { st().boxes.clear(); }
bool windowCreated() { return st().windowCreated; }
const WindowDesc& lastWindowDesc() { return st().desc; }
bool cursorClipActive() { return st().clipActive; }
bool cursorVisible() { return st().cursorVisible; }
bool textInputEnabled() { return st().textInput; }
void setAppDirectory(const char* dir) { st().appDir = dir; }
void setRandomSeed(uint32_t seed) { st().randomSeed = seed; }
}  // namespace headless

void setWindowProc(WindowProc proc) { st().proc = proc; }

bool peekMessage(Message& out) {
    if (st().queue.empty()) return false;
    out = st().queue.front();
    st().queue.pop_front();
    return true;
}

void waitMessage() {}

void setIdleWork(IdleWork work) { st().idleWork = work; }

bool waitMessageUntil(int64_t deadline) {
    if (!st().queue.empty()) return true;
    if (st().idleWork != nullptr) st().idleWork();  // one piece a wait
    if (st().autoAdvance) advanceTo(deadline);
    return false;
}

int dispatchMessage(const Message& msg) { return st().proc ? st().proc(msg) : 0; }

void postMessage(const Message& msg) { st().queue.push_back(msg); }

void postMessageFromAnyThread(const Message& msg) { postMessage(msg); }

void postQuitMessage(int exitCode) {
    postMessage(Message{MessageType::Quit, static_cast<uint32_t>(exitCode), 0});
}

int defaultWindowProc(const Message&) { return 0; }

bool createWindow(const WindowDesc& desc) {
    st().windowCreated = true;
    st().title = desc.title ? desc.title : "";
    st().desc = desc;
    st().desc.title = st().title.c_str();
    return true;
}
bool windowExists() { return st().windowCreated; }
void showWindow(bool) {}
void raiseWindow() {}
void minimizeWindow() {}
void destroyWindow() {
    if (!st().windowCreated) return;
    st().windowCreated = false;
    dispatchMessage(Message{MessageType::Destroy, 0, 0});
}
void getDesktopSize(int& w, int& h) {
    w = 1920;
    h = 1080;
}
void getWindowOrigin(int& x, int& y) {
    x = 0;
    y = 0;
}

bool isKeyDown(int vk) { return vk >= 0 && vk < VirtualKey::Count && st().keys[vk]; }
void clipCursor(int, int, int, int) {
    st().clipActive = true;
}
void unclipCursor() { st().clipActive = false; }
void showCursor(bool visible) { st().cursorVisible = visible; }
void enableTextInput(bool enabled) { st().textInput = enabled; }

int64_t counter() { return st().counter; }
int64_t counterFrequency() { return kFrequency; }
uint32_t milliseconds() { return st().ms; }
void sleepMs(uint32_t ms) {
    if (st().autoAdvance) headless::advanceTime(static_cast<int64_t>(ms) * 1'000'000);
}
void sleepUntil(int64_t deadline) {
    if (st().autoAdvance) advanceTo(deadline);
}

void messageBox(const char* title, const char* text) {
    st().boxes.push_back(headless::Box{title ? title : "", text ? text : ""});
}
void beep() {}
const char* appDirectory() { return st().appDir.c_str(); }
uint32_t randomSeed() { return st().randomSeed + static_cast<uint32_t>(st().counter / kFrequency); }

bool acquireInstanceLock(const char*) {
    st().lockHeld = true;
    return true;
}
void releaseInstanceLock() { st().lockHeld = false; }
void shutdownPlatform() {}

}  // namespace plat
