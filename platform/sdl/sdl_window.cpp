// Placeholder: the SDL window, messages and clocks.
#include "platform/window.h"

namespace plat {
void setWindowProc(WindowProc) {}
bool peekMessage(Message&) { return false; }
void waitMessage() {}
bool waitMessageUntil(int64_t) { return false; }
int dispatchMessage(const Message&) { return 0; }
void postMessage(const Message&) {}
void postMessageFromAnyThread(const Message&) {}
void postQuitMessage(int) {}
int defaultWindowProc(const Message&) { return 0; }
bool createWindow(const WindowDesc&) { return true; }
bool windowExists() { return true; }
void showWindow(bool) {}
void raiseWindow() {}
void minimizeWindow() {}
void destroyWindow() {}
void getDesktopSize(int& w, int& h) { w = 800; h = 600; }
void getWindowOrigin(int& x, int& y) { x = 0; y = 0; }
bool isKeyDown(int) { return false; }
void clipCursor(int, int, int, int) {}
void unclipCursor() {}
void showCursor(bool) {}
void enableTextInput(bool) {}
int64_t counter() { return 0; }
int64_t counterFrequency() { return 1000000000; }
uint32_t milliseconds() { return 0; }
void sleepMs(uint32_t) {}
void sleepUntil(int64_t) {}
void messageBox(const char*, const char*) {}
void beep() {}
const char* appDirectory() { return "./"; }
bool acquireInstanceLock(const char*) { return true; }
void releaseInstanceLock() {}
void shutdownPlatform() {}
}  // namespace plat
