#include "platform/sdl/common/sdl_input.h"

#include <array>
#include <cstdint>

namespace plat {

namespace {
struct KeyMapping {
    SDL_Scancode scancode;
    uint8_t virtualKey;
};

// Keys beyond the contiguous runs (letters, digits, F-keys, keypad digits)
// built into the table below.
constexpr KeyMapping SingleKeys[] = {
    {SDL_SCANCODE_RETURN, 0x0D},       {SDL_SCANCODE_ESCAPE, 0x1B},     {SDL_SCANCODE_BACKSPACE, 0x08},
    {SDL_SCANCODE_TAB, 0x09},          {SDL_SCANCODE_SPACE, 0x20},      {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_EQUALS, 0xBB},       {SDL_SCANCODE_LEFTBRACKET, 0xDB}, {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_BACKSLASH, 0xDC},    {SDL_SCANCODE_SEMICOLON, 0xBA},  {SDL_SCANCODE_APOSTROPHE, 0xDE},
    {SDL_SCANCODE_GRAVE, 0xC0},        {SDL_SCANCODE_COMMA, 0xBC},      {SDL_SCANCODE_PERIOD, 0xBE},
    {SDL_SCANCODE_SLASH, 0xBF},        {SDL_SCANCODE_CAPSLOCK, 0x14},   {SDL_SCANCODE_PRINTSCREEN, 0x2C},
    {SDL_SCANCODE_SCROLLLOCK, 0x91},   {SDL_SCANCODE_PAUSE, 0x13},      {SDL_SCANCODE_INSERT, 0x2D},
    {SDL_SCANCODE_HOME, 0x24},         {SDL_SCANCODE_PAGEUP, 0x21},     {SDL_SCANCODE_DELETE, 0x2E},
    {SDL_SCANCODE_END, 0x23},          {SDL_SCANCODE_PAGEDOWN, 0x22},   {SDL_SCANCODE_RIGHT, 0x27},
    {SDL_SCANCODE_LEFT, 0x25},         {SDL_SCANCODE_DOWN, 0x28},       {SDL_SCANCODE_UP, 0x26},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90}, {SDL_SCANCODE_KP_DIVIDE, 0x6F},  {SDL_SCANCODE_KP_MULTIPLY, 0x6A},
    {SDL_SCANCODE_KP_MINUS, 0x6D},     {SDL_SCANCODE_KP_PLUS, 0x6B},    {SDL_SCANCODE_KP_ENTER, 0x0D},
    {SDL_SCANCODE_KP_0, 0x60},         {SDL_SCANCODE_KP_PERIOD, 0x6E},  {SDL_SCANCODE_NONUSBACKSLASH, 0xE2},
    {SDL_SCANCODE_APPLICATION, 0x5D},  {SDL_SCANCODE_INTERNATIONAL3, 0xDC},
    {SDL_SCANCODE_LCTRL, 0x11},        {SDL_SCANCODE_RCTRL, 0x11},      {SDL_SCANCODE_LSHIFT, 0x10},
    {SDL_SCANCODE_RSHIFT, 0x10},       {SDL_SCANCODE_LALT, 0x12},       {SDL_SCANCODE_RALT, 0x12},
    {SDL_SCANCODE_LGUI, 0x5B},         {SDL_SCANCODE_RGUI, 0x5C},
};

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> buildKeyTable() {
    std::array<uint8_t, SDL_NUM_SCANCODES> table{};
    for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = static_cast<uint8_t>('A' + i);
    for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_1 + i] = static_cast<uint8_t>('1' + i);
    table[SDL_SCANCODE_0] = '0';
    for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F1 + i] = static_cast<uint8_t>(VirtualKey::F1 + i);
    for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F13 + i] = static_cast<uint8_t>(0x7C + i);  // F13..F24
    for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_KP_1 + i] = static_cast<uint8_t>(0x61 + i);  // numpad 1..9
    for (const KeyMapping& k : SingleKeys) table[k.scancode] = k.virtualKey;
    return table;
}
constexpr std::array<uint8_t, SDL_NUM_SCANCODES> KeyTable = buildKeyTable();

// Which side of a shared modifier a scancode is: 1 left, 2 right, 0 neither.
uint8_t modifierSide(SDL_Scancode code) {
    switch (code) {
        case SDL_SCANCODE_LSHIFT:
        case SDL_SCANCODE_LCTRL:
        case SDL_SCANCODE_LALT: return 1;
        case SDL_SCANCODE_RSHIFT:
        case SDL_SCANCODE_RCTRL:
        case SDL_SCANCODE_RALT: return 2;
        default: return 0;
    }
}

bool translateButton(const SDL_MouseButtonEvent& b, Message& out) {
    const bool down = b.type == SDL_MOUSEBUTTONDOWN;
    const bool twice = down && b.clicks >= 2;
    if (b.button == SDL_BUTTON_LEFT)
        out.type = twice ? MessageType::LButtonDblClk : down ? MessageType::LButtonDown : MessageType::LButtonUp;
    else if (b.button == SDL_BUTTON_RIGHT)
        out.type = twice ? MessageType::RButtonDblClk : down ? MessageType::RButtonDown : MessageType::RButtonUp;
    else
        return false;
    out.lParam = packPoint(b.x, b.y);
    return true;
}

bool translateWindowEvent(const SDL_WindowEvent& w, Message& out) {
    switch (w.event) {
        case SDL_WINDOWEVENT_MOVED:
            out = Message{MessageType::Move, 0, packPoint(w.data1, w.data2)};
            return true;
        case SDL_WINDOWEVENT_CLOSE:
            out = Message{MessageType::Close, 0, 0};
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out = Message{MessageType::ActivateApp, 1, 0};
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out = Message{MessageType::ActivateApp, 0, 0};
            return true;
        case SDL_WINDOWEVENT_ENTER:  // the pointer came over the window
            out = Message{MessageType::SetCursor, 0, 0};
            return true;
        default:
            return false;
    }
}
}  // namespace

int virtualKeyFromScancode(SDL_Scancode code) {
    if (static_cast<unsigned>(code) >= static_cast<unsigned>(SDL_NUM_SCANCODES)) return 0;
    return KeyTable[code];
}

bool isSystemKeyDown(int virtualKey, uint16_t modifiers) {
    if (virtualKey == VirtualKey::F10) return true;
    const bool alt = (modifiers & KMOD_ALT) != 0 || virtualKey == VirtualKey::Menu;
    return alt && (modifiers & KMOD_CTRL) == 0;
}

bool translateSdlEvent(const SDL_Event& event, uint32_t postedType, Message& out) {
    out = Message{};
    switch (event.type) {
        case SDL_QUIT:  // a signal or the session asks the program to end
            out.type = MessageType::Close;
            return true;
        case SDL_WINDOWEVENT:
            return translateWindowEvent(event.window, out);
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int vk = virtualKeyFromScancode(event.key.keysym.scancode);
            if (vk == 0) return false;
            if (event.type == SDL_KEYUP)
                out.type = MessageType::KeyUp;
            else
                out.type = isSystemKeyDown(vk, event.key.keysym.mod) ? MessageType::SysKeyDown : MessageType::KeyDown;
            out.wParam = static_cast<uint32_t>(vk);
            return true;
        }
        case SDL_MOUSEMOTION:
            out.type = MessageType::MouseMove;
            out.lParam = packPoint(event.motion.x, event.motion.y);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return translateButton(event.button, out);
        default:
            break;
    }
    if (postedType != 0 && event.type == postedType) {
        const int32_t code = event.user.code;
        if (code <= static_cast<int32_t>(MessageType::None) || code > static_cast<int32_t>(MessageType::MidiNotify))
            return false;
        out.type = static_cast<MessageType>(code);
        out.wParam = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(event.user.data1));
        out.lParam = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(event.user.data2));
        return true;
    }
    return false;
}

SDL_Event postedMessageEvent(const Message& msg, uint32_t postedType) {
    SDL_Event event;
    SDL_zero(event);
    event.type = postedType;
    event.user.code = static_cast<int32_t>(msg.type);
    event.user.data1 = reinterpret_cast<void*>(static_cast<uintptr_t>(msg.wParam));
    event.user.data2 = reinterpret_cast<void*>(static_cast<uintptr_t>(msg.lParam));
    return event;
}

void applyKeyMessage(KeyStateTable& table, const Message& msg, SDL_Scancode scancode) {
    const bool down = msg.type == MessageType::KeyDown || msg.type == MessageType::SysKeyDown;
    if (!down && msg.type != MessageType::KeyUp) return;
    const uint32_t vk = msg.wParam;
    if (vk >= static_cast<uint32_t>(VirtualKey::Count)) return;
    const uint8_t side = modifierSide(scancode);
    if (side == 0) {
        table.sides[vk] = down ? table.sides[vk] : 0;  // a key-up of unknown side releases both
        table.down[vk] = down;
        return;
    }
    table.sides[vk] = down ? (table.sides[vk] | side) : (table.sides[vk] & ~side);
    table.down[vk] = table.sides[vk] != 0;
}

void clearKeyStates(KeyStateTable& table) { table = KeyStateTable{}; }

}  // namespace plat
