// Translation of SDL2 input and window events into the window messages of
// platform/window.h. Pure functions and plain tables, shared by the SDL
// layer and its tests (they need no display).
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/window.h"

namespace plat {

// The virtual-key code of a physical key; 0 for keys the game has no code for.
int virtualKeyFromScancode(SDL_Scancode code);

// A key-down is a system key-down while Alt is held without Ctrl (Ctrl+Alt
// is AltGr), for the Alt key itself, and for F10.
bool isSystemKeyDown(int virtualKey, uint16_t modifiers);

// The message an SDL event stands for. `postedType` is the SDL event type of
// messages posted from other threads (postMessageFromAnyThread). false when
// the event carries no message. Activation is reported on every focus event;
// the caller drops repeats.
bool translateSdlEvent(const SDL_Event& event, uint32_t postedType, Message& out);

// An SDL user event carrying a posted message, and back.
SDL_Event postedMessageEvent(const Message& msg, uint32_t postedType);

// The key-down table behind isKeyDown, updated from every key message as it
// is delivered. Shift, Ctrl and Alt have a key on each side sharing one
// virtual key: it stays down while either side is down.
struct KeyStateTable {
    bool down[VirtualKey::Count] = {};
    uint8_t sides[VirtualKey::Count] = {};  // bit 0 left, bit 1 right (modifiers only)
};
// `scancode` is the physical key when known (SDL_SCANCODE_UNKNOWN for a
// posted message); it tells the two sides of a modifier apart.
void applyKeyMessage(KeyStateTable& table, const Message& msg, SDL_Scancode scancode);
// Everything up (the window lost the keyboard).
void clearKeyStates(KeyStateTable& table);

}  // namespace plat
