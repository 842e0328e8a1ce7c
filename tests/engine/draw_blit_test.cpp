// The screen's set-up, the clip of the blits, and grabbing the screen.
#include "engine/draw_fixture.h"

namespace {

using BlitTest = DrawTest;

constexpr uint32_t Red = 0xFF0000, Blue = 0x0000FF;

// A 30x30 sprite whose pixel (x, y) is coded(x, y), never black.
uint32_t coded(int x, int y) { return 0x10000u + 256u * y + x; }
int loadCodedSprite() {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) pixels.push_back(coded(x, y));
    testbmp::add("S", testbmp::make(24, 30, 30, pixels));
    return engDraw::LoadObject("S", 1);
}

TEST_F(BlitTest, ScreenSetUpAndRelease) {
    const char* names[] = {"内部用１", "内部用２", "内部用３", "内部用４"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(imageSlots[i].name, names[i]);
        ASSERT_NE(imageSlots[i].surface, nullptr);
        EXPECT_EQ(imageSlots[i].surface->width, 800);
        EXPECT_TRUE(imageSlots[i].surface->hasColorKey && imageSlots[i].surface->colorKey == 0);
    }
    EXPECT_EQ(presentSrc.right, 800);
    EXPECT_EQ(clipRect.bottom, 600);
    fill(backSurface, Red);
    engDraw::ClearScreen();
    EXPECT_EQ(backAt(799, 599), 0u);

    engDraw::Release();
    EXPECT_EQ(backSurface, nullptr);
    EXPECT_EQ(imageSlots[0].name[0], '\0');
    EXPECT_EQ(engDraw::Screen(0, 0, 3), 0);
    EXPECT_EQ(lastBoxText(), "engDraw::Screen : 表画面が生成できません");
}

TEST_F(BlitTest, ClipAtEachEdgeOfThePlayField) {
    const int slot = loadCodedSprite();
    engDraw::SetClip(220, 0, 580, 600);
    engDraw::Blit(550, 100, slot, 0, 0, 30, 30);  // exactly as wide as the space left
    EXPECT_EQ(backAt(579, 100), coded(29, 0));
    engDraw::Blit(551, 200, slot, 0, 0, 30, 30);  // one pixel more is cut
    EXPECT_EQ(backAt(579, 200), coded(28, 0));
    EXPECT_EQ(backAt(580, 200), 0u);
    engDraw::Blit(205, 300, slot, 0, 0, 30, 30);  // half left: its visible half at the edge
    EXPECT_EQ(backAt(219, 300), 0u);
    EXPECT_EQ(backAt(220, 300), coded(15, 0));
    EXPECT_EQ(backAt(234, 329), coded(29, 29));
    engDraw::Blit(300, -1, slot, 0, 0, 30, 30);
    EXPECT_EQ(backAt(300, 0), coded(0, 1));
    engDraw::Blit(400, 571, slot, 0, 0, 30, 30);
    EXPECT_EQ(backAt(400, 599), coded(0, 28));
    engDraw::Blit(-500, 2550, slot, 0, 0, 30, 30);  // a parked record
    engDraw::Blit(300, 400, slot, 10, 10, 40, 40);  // a rectangle outside the picture
    EXPECT_EQ(backAt(300, 400), 0u);
}

TEST_F(BlitTest, ZeroWidthAfterClippingIsStillIssued) {
    const int slot = loadCodedSprite();
    engDraw::SetClip(220, 0, 580, 600);
    // Whether a copy was issued shows in the restore it runs on lost surfaces.
    plat::loseAllSurfaces();
    engDraw::Blit(581, 100, slot, 0, 0, 30, 30);  // r < l: nothing issued
    EXPECT_TRUE(backSurface->lost);
    engDraw::Blit(580, 100, slot, 0, 0, 30, 30);  // r == l: issued, meets the loss
    EXPECT_FALSE(backSurface->lost);
    EXPECT_EQ(imageSlots[slot].surface->pixels[0], coded(0, 0));
}

TEST_F(BlitTest, OpaqueBlitDrawsBlackAndGrabCopiesTheScreen) {
    testbmp::add("K", testbmp::make(24, 2, 1, {0, Red}));
    const int slot = engDraw::LoadObject("K", 1);
    fill(backSurface, Blue);
    engDraw::BlitOpaque(10, 10, slot, 0, 0, 2, 1);
    EXPECT_EQ(backAt(10, 10), 0u);
    EXPECT_EQ(backAt(11, 10), Red);
    engDraw::GrabScreen(1, 0, 0, 800, 600);
    EXPECT_EQ(pixelOf(imageSlots[1].surface, 11, 10), Red);
    EXPECT_EQ(pixelOf(imageSlots[1].surface, 799, 599), Blue);
    EXPECT_NE(engDraw::GrabScreen(500, 0, 0, 800, 600), 0);
}

}  // namespace
