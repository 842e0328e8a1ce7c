// Translation of SDL events into window messages, and the key table.
#include <gtest/gtest.h>

#include "platform/sdl/common/sdl_input.h"

namespace {

using plat::Message;
using plat::MessageType;
namespace VK = plat::VirtualKey;

constexpr uint32_t PostedType = SDL_USEREVENT + 7;

SDL_Event keyEvent(Uint32 type, SDL_Scancode code, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event e;
    SDL_zero(e);
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.scancode = code;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event windowEvent(Uint8 kind, Sint32 data1 = 0, Sint32 data2 = 0) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_WINDOWEVENT;
    e.window.event = kind;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

SDL_Event buttonEvent(Uint32 type, Uint8 button, Uint8 clicks, Sint32 x, Sint32 y) {
    SDL_Event e;
    SDL_zero(e);
    e.type = type;
    e.button.button = button;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
}

Message translate(const SDL_Event& e, bool expectMessage = true) {
    Message m;
    EXPECT_EQ(plat::translateSdlEvent(e, PostedType, m), expectMessage);
    return m;
}

TEST(ScancodeTable, MapsEachGroupToItsVirtualKeys) {
    const struct {
        SDL_Scancode code;
        int vk;
    } cases[] = {
        {SDL_SCANCODE_A, 'A'},           {SDL_SCANCODE_M, 'M'},           {SDL_SCANCODE_Z, 'Z'},
        {SDL_SCANCODE_0, '0'},           {SDL_SCANCODE_1, '1'},           {SDL_SCANCODE_9, '9'},
        {SDL_SCANCODE_F1, VK::F1},       {SDL_SCANCODE_F10, VK::F10},     {SDL_SCANCODE_F12, VK::F12},
        {SDL_SCANCODE_LEFT, VK::Left},   {SDL_SCANCODE_UP, VK::Up},       {SDL_SCANCODE_RIGHT, VK::Right},
        {SDL_SCANCODE_DOWN, VK::Down},   {SDL_SCANCODE_RETURN, VK::Return}, {SDL_SCANCODE_ESCAPE, VK::Escape},
        {SDL_SCANCODE_SPACE, VK::Space}, {SDL_SCANCODE_LSHIFT, VK::Shift}, {SDL_SCANCODE_RSHIFT, VK::Shift},
        {SDL_SCANCODE_LCTRL, VK::Control}, {SDL_SCANCODE_RCTRL, VK::Control}, {SDL_SCANCODE_LALT, VK::Menu},
        // The keypad gives the numpad keys; its Enter is Enter.
        {SDL_SCANCODE_KP_0, 0x60},       {SDL_SCANCODE_KP_1, 0x61},       {SDL_SCANCODE_KP_9, 0x69},
        {SDL_SCANCODE_KP_MULTIPLY, 0x6A}, {SDL_SCANCODE_KP_DIVIDE, 0x6F}, {SDL_SCANCODE_KP_ENTER, VK::Return},
        // Keys without a code, and codes outside the table.
        {SDL_SCANCODE_UNKNOWN, 0},       {SDL_SCANCODE_MUTE, 0},          {static_cast<SDL_Scancode>(SDL_NUM_SCANCODES + 100), 0},
        {SDL_NUM_SCANCODES, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(plat::virtualKeyFromScancode(c.code), c.vk) << "scancode " << c.code;
}

TEST(KeyTranslation, PlainKeysRepeatsAndReleases) {
    Message down = translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_C, KMOD_LSHIFT));
    EXPECT_EQ(down.type, MessageType::KeyDown);
    EXPECT_EQ(down.wParam, static_cast<uint32_t>('C'));

    Message repeat = translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_LEFT, KMOD_NONE, 1));
    EXPECT_EQ(repeat.type, MessageType::KeyDown);
    EXPECT_EQ(repeat.wParam, static_cast<uint32_t>(VK::Left));

    Message up = translate(keyEvent(SDL_KEYUP, SDL_SCANCODE_LEFT, KMOD_LALT));
    EXPECT_EQ(up.type, MessageType::KeyUp);
    EXPECT_EQ(up.wParam, static_cast<uint32_t>(VK::Left));

    translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_MUTE), false);
}

TEST(KeyTranslation, AltCombinationsAndF10AreSystemKeys) {
    EXPECT_EQ(translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_LALT)).type, MessageType::SysKeyDown);
    EXPECT_EQ(translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_X, KMOD_RALT)).type, MessageType::SysKeyDown);
    EXPECT_EQ(translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_LALT, KMOD_LALT)).type, MessageType::SysKeyDown);
    // The Alt key itself, even before SDL counts it as held.
    EXPECT_EQ(translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_LALT)).type, MessageType::SysKeyDown);
    EXPECT_EQ(translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_F10)).type, MessageType::SysKeyDown);
    // Ctrl+Alt is AltGr: an ordinary key-down.
    EXPECT_EQ(translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_Q, KMOD_LCTRL | KMOD_RALT)).type, MessageType::KeyDown);
    EXPECT_EQ(translate(keyEvent(SDL_KEYDOWN, SDL_SCANCODE_F9, KMOD_LCTRL)).type, MessageType::KeyDown);
}

TEST(MouseTranslation, PositionsPackSignedHalves) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 400;
    e.motion.y = 300;
    Message m = translate(e);
    EXPECT_EQ(m.type, MessageType::MouseMove);
    EXPECT_EQ(m.lParam, plat::packPoint(400, 300));

    // Over the black bars left of and above the picture.
    e.motion.x = -3;
    e.motion.y = -1;
    m = translate(e);
    EXPECT_EQ(static_cast<int16_t>(m.lParam & 0xFFFF), -3);
    EXPECT_EQ(static_cast<int16_t>(m.lParam >> 16), -1);
}

TEST(MouseTranslation, ButtonsAndDoubleClicks) {
    struct Case {
        Uint32 type;
        Uint8 button;
        Uint8 clicks;
        MessageType expected;
    };
    const Case cases[] = {
        {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, MessageType::LButtonDown},
        {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2, MessageType::LButtonDblClk},
        {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 3, MessageType::LButtonDblClk},
        {SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 2, MessageType::LButtonUp},
        {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, MessageType::RButtonDown},
        {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 2, MessageType::RButtonDblClk},
        {SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, MessageType::RButtonUp},
    };
    for (const Case& c : cases) {
        Message m = translate(buttonEvent(c.type, c.button, c.clicks, 12, 34));
        EXPECT_EQ(m.type, c.expected) << "button " << int(c.button) << " clicks " << int(c.clicks);
        EXPECT_EQ(m.lParam, plat::packPoint(12, 34));
    }
    translate(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 0, 0), false);
}

TEST(WindowTranslation, MovesCloseFocusAndQuit) {
    Message move = translate(windowEvent(SDL_WINDOWEVENT_MOVED, -20, 75));
    EXPECT_EQ(move.type, MessageType::Move);
    EXPECT_EQ(move.lParam, plat::packPoint(-20, 75));

    EXPECT_EQ(translate(windowEvent(SDL_WINDOWEVENT_CLOSE)).type, MessageType::Close);

    Message gained = translate(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_EQ(gained.type, MessageType::ActivateApp);
    EXPECT_EQ(gained.wParam, 1u);
    Message lost = translate(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_EQ(lost.type, MessageType::ActivateApp);
    EXPECT_EQ(lost.wParam, 0u);

    translate(windowEvent(SDL_WINDOWEVENT_EXPOSED), false);

    // A quit from outside (a signal) closes like the close button; it is
    // never the loop's own Quit.
    SDL_Event quit;
    SDL_zero(quit);
    quit.type = SDL_QUIT;
    EXPECT_EQ(translate(quit).type, MessageType::Close);
}

TEST(PostedMessages, RoundTripThroughAnSdlEvent) {
    const Message sent{MessageType::MidiNotify, plat::MidiNotifySuccessful, 0xDEADBEEFu};
    Message got = translate(plat::postedMessageEvent(sent, PostedType));
    EXPECT_EQ(got.type, sent.type);
    EXPECT_EQ(got.wParam, sent.wParam);
    EXPECT_EQ(got.lParam, sent.lParam);

    // Another user event type, or a code that is no message, carries nothing.
    Message ignored;
    EXPECT_FALSE(plat::translateSdlEvent(plat::postedMessageEvent(sent, PostedType + 1), PostedType, ignored));
    SDL_Event bad = plat::postedMessageEvent(sent, PostedType);
    bad.user.code = 999;
    translate(bad, false);
    bad.user.code = 0;
    translate(bad, false);
}

TEST(KeyStates, SharedModifierStaysDownWhileEitherSideIsDown) {
    plat::KeyStateTable keys;
    const Message shiftDown{MessageType::KeyDown, VK::Shift, 0};
    const Message shiftUp{MessageType::KeyUp, VK::Shift, 0};
    plat::applyKeyMessage(keys, shiftDown, SDL_SCANCODE_LSHIFT);
    plat::applyKeyMessage(keys, shiftDown, SDL_SCANCODE_RSHIFT);
    plat::applyKeyMessage(keys, shiftUp, SDL_SCANCODE_LSHIFT);
    EXPECT_TRUE(keys.down[VK::Shift]);
    plat::applyKeyMessage(keys, shiftUp, SDL_SCANCODE_RSHIFT);
    EXPECT_FALSE(keys.down[VK::Shift]);

    // A system key-down holds the key too (Alt+arrow keeps the arrow down).
    plat::applyKeyMessage(keys, Message{MessageType::SysKeyDown, VK::Left, 0}, SDL_SCANCODE_LEFT);
    EXPECT_TRUE(keys.down[VK::Left]);
    plat::applyKeyMessage(keys, Message{MessageType::KeyUp, VK::Left, 0}, SDL_SCANCODE_LEFT);
    EXPECT_FALSE(keys.down[VK::Left]);
}

TEST(KeyStates, PostedMessagesAndOtherTypes) {
    plat::KeyStateTable keys;
    plat::applyKeyMessage(keys, Message{MessageType::KeyDown, VK::Control, 0}, SDL_SCANCODE_RCTRL);
    // A posted key-up does not know its side and releases the key.
    plat::applyKeyMessage(keys, Message{MessageType::KeyUp, VK::Control, 0}, SDL_SCANCODE_UNKNOWN);
    EXPECT_FALSE(keys.down[VK::Control]);
    plat::applyKeyMessage(keys, Message{MessageType::KeyDown, VK::Control, 0}, SDL_SCANCODE_LCTRL);
    EXPECT_TRUE(keys.down[VK::Control]);

    // Non-key messages and out-of-range codes leave the table alone.
    plat::applyKeyMessage(keys, Message{MessageType::MouseMove, 'A', 0}, SDL_SCANCODE_A);
    plat::applyKeyMessage(keys, Message{MessageType::KeyDown, 5000, 0}, SDL_SCANCODE_UNKNOWN);
    EXPECT_FALSE(keys.down[static_cast<int>('A')]);

    plat::clearKeyStates(keys);
    EXPECT_FALSE(keys.down[VK::Control]);
}

}  // namespace
