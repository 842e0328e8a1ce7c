// Stand-in frame routines of the stages and the ending: each shows a black
// frame until its stage or screen is written.
#include "game/state_handlers.h"

#include "engine/eng_draw.h"

namespace {
void presentBlankFrame() {
    engDraw::ClearScreen();
    engDraw::SetVSync(1);
    engDraw::Present();
}
}  // namespace

void stage1Frame() { presentBlankFrame(); }
void runEndingSequence() { presentBlankFrame(); }
