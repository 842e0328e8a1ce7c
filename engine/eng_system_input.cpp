// engSystem: the window procedure of the main window, and the keyboard and
// mouse state the game reads.
#include <cstdint>

#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/eng_system.h"

int32_t lastKey, mouseX, mouseY, mouseLeftDown, mouseRightDown, sysKeyMode;

namespace {
KeyDownHandler keyDownHandler = nullptr;

void deliverKeyDown(uint32_t key) {
    if (keyDownHandler != nullptr) keyDownHandler(static_cast<int32_t>(key));
}
}  // namespace

namespace engSystem {

int GetKey(int key, int32_t& state) {
    int32_t result;
    if (plat::isKeyDown(key)) {
        state = state != KeyUp ? KeyHeld : KeyPressed;
        result = state;
    } else {
        result = state;
        state = (state == KeyPressed || state == KeyHeld) ? KeyReleased : KeyUp;
    }
    // Every key reads up while a screen transition runs.
    if (screenTransition.step != 0) state = KeyUp;
    return result;
}

void EndKeyCapture() { lastKey = 0; }

void SetSysKeyMode(int32_t mode) { sysKeyMode = mode; }

void SetKeyDownHandler(KeyDownHandler handler) { keyDownHandler = handler; }

namespace {

// The two 16-bit halves of a position word, each signed (a window left of
// or above the desktop's origin has negative coordinates).
int32_t lowHalf(uint32_t word) { return static_cast<int16_t>(word & 0xFFFFu); }
int32_t highHalf(uint32_t word) { return static_cast<int16_t>(word >> 16); }

constexpr uint32_t SysCommandMask = 0xFFF0u;  // the low four bits are the system's own

int onMove(const plat::Message& msg) {
    windowOriginX = lowHalf(msg.lParam);
    windowOriginY = highHalf(msg.lParam);
    presentDest = plat::Rect{windowOriginX, windowOriginY, windowOriginX + screenWidth, windowOriginY + screenHeight};
    if (cursorClipMode) ClipCursorToScreen();
    return plat::defaultWindowProc(msg);
}

int onClose() {
    if (closingState == 0) {
        closingState = 1;
        Shutdown();
    } else if (closingState == 1) {
        Shutdown();
    }
    plat::destroyWindow();
    return 0;
}

int onActivateApp(const plat::Message& msg) {
    if (msg.wParam != 0) {
        SetActive(1);
        ResetFrameClock();
        if (cursorClipMode) ClipCursorToScreen();
    } else {
        SetActive(0);
        if (cursorClipMode) UnclipCursor();
    }
    return 0;
}

int onSysKeyDown(const plat::Message& msg) {
    const bool swallowed = sysKeyMode == 0 || (sysKeyMode == 2 && msg.wParam == plat::VirtualKey::Menu);
    if (swallowed) return 0;
    deliverKeyDown(msg.wParam);
    return plat::defaultWindowProc(msg);
}

int onMidiNotify(const plat::Message& msg) {
    if (msg.wParam == plat::MidiNotifySuccessful && midiOpen && engSound::MidiStopped()) engSound::LoopMidi();
    return plat::defaultWindowProc(msg);
}

}  // namespace

int WindowProc(const plat::Message& msg) {
    using plat::MessageType;
    switch (msg.type) {
    case MessageType::Move:
        return onMove(msg);
    case MessageType::Close:
        return onClose();
    case MessageType::Destroy:
        plat::postQuitMessage(0);
        return 0;
    case MessageType::ActivateApp:
        return onActivateApp(msg);
    case MessageType::SetCursor:
        if (fullScreen) {
            plat::showCursor(false);
            return 1;
        }
        return plat::defaultWindowProc(msg);
    case MessageType::KeyDown:
        deliverKeyDown(msg.wParam);
        return plat::defaultWindowProc(msg);
    case MessageType::SysKeyDown:
        return onSysKeyDown(msg);
    case MessageType::KeyUp:
        if (lastKey == static_cast<int32_t>(msg.wParam)) lastKey = 0;
        return plat::defaultWindowProc(msg);
    case MessageType::SysCommand:
        // No screen saver while the game runs.
        if ((msg.wParam & SysCommandMask) == plat::SysCommandScreenSave) return 0;
        return plat::defaultWindowProc(msg);
    case MessageType::MouseMove:
        mouseX = lowHalf(msg.lParam);
        mouseY = highHalf(msg.lParam);
        return plat::defaultWindowProc(msg);
    case MessageType::LButtonDown:
        mouseLeftDown = 1;
        return plat::defaultWindowProc(msg);
    case MessageType::LButtonUp:
        mouseLeftDown = 0;
        return plat::defaultWindowProc(msg);
    case MessageType::RButtonDown:
        mouseRightDown = 1;
        return plat::defaultWindowProc(msg);
    case MessageType::RButtonUp:
        mouseRightDown = 0;
        return plat::defaultWindowProc(msg);
    case MessageType::LButtonDblClk:
        // A quick second click is a press like the first.
        mouseLeftDown = 1;
        return 0;
    case MessageType::RButtonDblClk:
        mouseRightDown = 1;
        if (cursorClipMode) {
            if (cursorClipped)
                UnclipCursor();
            else
                ClipCursorToScreen();
        }
        return 0;
    case MessageType::MidiNotify:
        return onMidiNotify(msg);
    default:
        return plat::defaultWindowProc(msg);
    }
}

}  // namespace engSystem
