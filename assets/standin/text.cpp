#include "assets/standin/text.h"

#include <atomic>
#include <mutex>

#include "platform/text.h"

namespace standin {

namespace {

using plat::PictureFace;
using enum plat::PictureFace;

struct TextStyle {
    PictureFace face;
    int size;          // nominal size in pixels
    int maxW, maxH;    // the ink must fit this box; the size shrinks until it does
    const char* text;
};

// Texts indexed by TextId (digits are filled in by index).
TextStyle textStyle(int id) {
    switch (id) {
        case TxtTitleMirvane: return {Sans, 64, 340, 70, "MIRVANE"};
        case TxtTitleDelta: return {Sans, 48, 300, 52, "DELTA 4"};
        case TxtTitleEncore: return {Serif, 40, 260, 44, "ENCORE"};
        case TxtPressEnter: return {Sans, 22, 300, 24, "PRESS ENTER"};
        case TxtTitleFooter: return {SansCondensed, 12, 330, 14, "ARROWS MOVE  -  SHIFT / CTRL / C V B N M FIRE"};
        case TxtContinue: return {Sans, 30, 184, 34, "CONTINUE? Y"};
        case TxtContinueHint: return {SansCondensed, 13, 184, 15, "PRESS Y TO FIGHT ON"};
        case TxtRanking: return {Sans, 40, 320, 42, "RANKING"};
        case TxtRankingSub: return {SansCondensed, 13, 320, 15, "TOP PILOTS OF THE DELTA SECTOR"};
        case TxtRankColumn: return {SansCondensed, 14, 40, 16, "RANK"};
        case TxtScoreColumn: return {SansCondensed, 14, 120, 16, "SCORE"};
        case TxtSelectShip: return {Sans, 26, 330, 28, "SELECT YOUR SHIP"};
        case TxtSelectLeftKeys: return {SansCondensed, 15, 150, 17, "F1 or LEFT"};
        case TxtSelectRightKeys: return {SansCondensed, 15, 150, 17, "F2 or RIGHT"};
        case TxtSelectLeftType: return {SansCondensed, 12, 150, 14, "TYPE-1  LASER"};
        case TxtSelectRightType: return {SansCondensed, 12, 170, 14, "TYPE-2  OPTION PODS"};
        case TxtSelectKeyboard: return {SansCondensed, 15, 150, 17, "K  KEYBOARD"};
        case TxtSelectMouse: return {SansCondensed, 15, 150, 17, "M  MOUSE"};
        case TxtSelectControl: return {SansCondensed, 12, 200, 14, "CONTROL"};
        case TxtControlTitle: return {Sans, 26, 330, 28, "SELECT CONTROL"};
        case TxtGoodCongrats: return {Serif, 34, 290, 38, "CONGRATULATIONS"};
        case TxtGoodCleared: return {SansCondensed, 16, 280, 18, "ALL STAGES CLEARED"};
        case TxtEnd1Title: return {Sans, 26, 330, 28, "MISSION COMPLETE"};
        case TxtEnd1Line: return {SansCondensed, 14, 330, 16, "THE DELTA SECTOR IS SAFE AGAIN"};
        case TxtEnd2Thanks: return {Serif, 24, 330, 28, "THANK YOU FOR PLAYING"};
        case TxtEnd2TheEnd: return {Serif, 40, 300, 44, "THE END"};
        case TxtWarning: return {Sans, 60, 340, 62, "WARNING"};
        case TxtWarningLine: return {SansCondensed, 18, 340, 20, "A HUGE BATTLESHIP"};
        case TxtWarningLine2: return {SansCondensed, 18, 340, 20, "IS APPROACHING FAST"};
        case TxtReady: return {Sans, 30, 190, 32, "READY"};
        case TxtPowerP: return {Sans, 34, 30, 30, "P"};
        default: break;
    }
    static const char* const digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    if (id >= TxtDigitsLarge && id < TxtDigitsLarge + 10) return {Mono, 28, 17, 23, digits[id - TxtDigitsLarge]};
    if (id >= TxtDigitsMedium && id < TxtDigitsMedium + 10)
        return {Mono, 22, 14, 18, digits[id - TxtDigitsMedium]};
    if (id >= TxtDigitsSmall && id < TxtDigitsSmall + 10) return {Mono, 13, 7, 10, digits[id - TxtDigitsSmall]};
    return {Sans, 10, 10, 10, ""};
}

// Guards the masks while they are made; the font library has a lock of
// its own in the platform.
std::mutex maskLock;
TextMask masks[TxtCount];
std::atomic<bool> maskReady[TxtCount];
int rendered = 0;

void renderText(int id) {
    const TextStyle style = textStyle(id);
    plat::TextInk ink = plat::renderPictureText(style.face, style.size, style.maxW, style.maxH, style.text);
    masks[id].w = ink.w;
    masks[id].h = ink.h;
    masks[id].a = std::move(ink.a);
    // The faces are let go once every text is in.
    if (++rendered == TxtCount) plat::closePictureFonts();
}

}  // namespace

const TextMask& textMask(int id) {
    static const TextMask none;
    if (id < 0 || id >= TxtCount) return none;
    if (!maskReady[id].load(std::memory_order_acquire)) {
        const std::lock_guard<std::mutex> lock(maskLock);
        if (!maskReady[id].load(std::memory_order_relaxed)) {
            renderText(id);
            maskReady[id].store(true, std::memory_order_release);
        }
    }
    return masks[id];
}

}  // namespace standin
