// engSystem: the application shell. Start-up before the entry point, the
// reset of the application globals, the single-instance lock, the one-time
// shut-down, the error box, the cursor, bounded text formatting and the one
// random generator. The clock lives in eng_system_clock.cpp, the window
// procedure and input in eng_system_input.cpp.
#include "engine/eng_system.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/eng_draw.h"
#include "engine/eng_sound.h"
#include "engine/variant.h"
#include "platform/resources.h"

int32_t windowOriginX, windowOriginY, appActive, fullScreen, windowOptionBits, closingState, shutdownDone,
    cursorClipped, cursorClipMode, errorFlag, imeEnabled;
int32_t instanceLocked;
int32_t gameState, previousState, stateChanged, returnState;

namespace engSystem {

void StaticInit() {
    // No timer resolution to set: the platform's counter and its waits
    // (plat::counter, plat::sleepUntil) are fine-grained by themselves.
    SetFrameRate(60);
    paceWait = 1;
    engDraw::SetVSync(0);
    static bool exitHandlerRegistered = false;
    if (!exitHandlerRegistered) {
        exitHandlerRegistered = true;
        std::atexit(ExitHandler);
    }
}

void ExitHandler() {
    // Counterpart of the timer resolution set in StaticInit: nothing to undo.
}

void ResetGlobals() {
    mouseX = 0;
    mouseY = 0;
    mouseLeftDown = 0;
    mouseRightDown = 0;
    lastKey = 0;
    frameTime = 0.0f;
    appActive = 0;
    gameState = 0;
    previousState = 0;
    stateChanged = 0;
    returnState = 0;
    closingState = 0;
    cursorClipMode = 0;
    windowOptionBits = variant::windowOptionBitsValue;
    fullScreen = variant::fullScreenValue;
}

int LockInstance(const char* title) {
    char name[FormatLineSize];
    FormatLine(name, "%s:EngMutex", title ? title : "");
    // When another copy holds the lock, the platform asks it to bring its
    // window to the front.
    if (!plat::acquireInstanceLock(name)) return 0;
    instanceLocked = 1;
    return 1;
}

void SetActive(int32_t flag) { appActive = flag; }

int Shutdown() {
    if (shutdownDone) return 1;
    shutdownDone = 1;
    ReleaseCursorClip();
    engDraw::FreeFontMemory();
    engSound::Release();
    engDraw::Release();
    if (instanceLocked) {
        plat::releaseInstanceLock();
        instanceLocked = 0;
    }
    // Not called from a close: close the window the usual way, which ends
    // the loop through Destroy and the quit message.
    if (closingState == 0) plat::postMessage(plat::Message{plat::MessageType::Close, 0, 0});
    closingState = 2;
    return 1;
}

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

bool AppFilePath(char (&path)[FilePathSize], const char* name) {
    const int length = std::snprintf(path, FilePathSize, "%s%s", GetAppDir(), name ? name : "");
    return length >= 0 && static_cast<size_t>(length) < FilePathSize;
}

void ReportRefusedFile(const char* path, const char* why, bool builtInUsed) {
    // Each file is named once a run, however often it is loaded (the same
    // picture fills two slots); a folder too long for any file under it, or
    // a process out of file descriptors, is said once for all of them.
    static uint64_t namedPaths[MaxNamedRefusals];
    static int namedCount = 0;
    static bool longFolderSaid = false, descriptorsSaid = false;
    const bool longPath = why != nullptr && std::strcmp(why, PathTooLong) == 0;
    const bool noDescriptors =
        why != nullptr && std::strcmp(why, plat::fileOpenResultText(plat::FileOpenResult::NoDescriptors)) == 0;
    if ((longPath && longFolderSaid) || (noDescriptors && descriptorsSaid)) return;
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char* c = path ? path : ""; *c != '\0'; ++c) hash = (hash ^ static_cast<uint8_t>(*c)) * 1099511628211ull;
    for (int i = 0; i < namedCount; ++i)
        if (namedPaths[i] == hash) return;
    if (namedCount < MaxNamedRefusals) namedPaths[namedCount++] = hash;
    longFolderSaid = longFolderSaid || longPath;
    descriptorsSaid = descriptorsSaid || noDescriptors;
    std::fprintf(stderr, "%s: %s refused (%s)%s%s\n", AppTitle, path ? path : "", why ? why : "",
                 builtInUsed ? "; the built-in one is used instead" : "",
                 longPath        ? "; no other file under the program's folder is read either"
                 : noDescriptors ? "; other files beside the program may be passed over alike"
                                 : "");
}

void EnableIme(int32_t flag) {
    imeEnabled = flag;
    plat::enableTextInput(flag != 0);
}

// ---------------------------------------------------------------------------
// Cursor
// ---------------------------------------------------------------------------

void ClipCursor(int left, int top, int right, int bottom) {
    plat::clipCursor(left, top, right, bottom);
    cursorClipped = 1;
}

void UnclipCursor() {
    plat::unclipCursor();
    cursorClipped = 0;
}

void ReleaseCursorClip() {
    UnclipCursor();
    // The full-screen build hides the cursor while it is confined.
    if (fullScreen) plat::showCursor(true);
}

void ClipCursorToScreen() {
    if (fullScreen) {
        ClipCursor(0, 0, screenWidth, screenHeight);
        plat::showCursor(false);
    } else {
        ClipCursor(windowOriginX, windowOriginY, windowOriginX + screenWidth, windowOriginY + screenHeight);
    }
}

// ---------------------------------------------------------------------------
// Formatting
// ---------------------------------------------------------------------------

namespace {
// vsnprintf cuts the text to the buffer; the result is the length actually
// stored (0 after an encoding error, which leaves the buffer empty).
int formatBounded(char* buffer, size_t size, const char* format, va_list args) {
    const int wanted = std::vsnprintf(buffer, size, format ? format : "", args);
    if (wanted < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<size_t>(wanted) < size ? wanted : static_cast<int>(size - 1);
}
}  // namespace

int FormatLine(char (&buffer)[FormatLineSize], const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int n = formatBounded(buffer, FormatLineSize, format, args);
    va_end(args);
    return n;
}

int FormatShort(char (&buffer)[FormatShortSize], const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int n = formatBounded(buffer, FormatShortSize, format, args);
    va_end(args);
    return n;
}

// ---------------------------------------------------------------------------
// Random generator
// ---------------------------------------------------------------------------

namespace {
uint32_t randState = 1;
}

int Rand() {
    randState = randState * 214013u + 2531011u;
    return static_cast<int>((randState >> 16) & 0x7FFFu);
}

void SeedRand(uint32_t seed) { randState = seed; }

uint32_t RandState() { return randState; }


}  // namespace engSystem
