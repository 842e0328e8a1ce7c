// Pictures whose pixels change after they were first drawn keyed: the
// screen grabbed into slot 1, a bitmap copied over a loaded image. Drawing
// them again must show the new pixels, whichever way the copy goes.
#include "engine/draw_fixture.h"
#include "platform/surface_kernels.h"

namespace {

class KeyedSourceTest : public DrawTest {
protected:
    void TearDown() override {
        plat::useKeyedCopyMethod(plat::KeyedCopyMethod::Auto);
        DrawTest::TearDown();
    }
};

constexpr uint32_t Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF;

TEST_F(KeyedSourceTest, GrabbedScreenDrawsWithItsNewPixels) {
    for (plat::KeyedCopyMethod method : {plat::KeyedCopyMethod::Runs, plat::KeyedCopyMethod::Auto}) {
        plat::useKeyedCopyMethod(method);
        engDraw::ClearScreen();
        engDraw::GrabScreen(1, 0, 0, 800, 600);
        engDraw::Blit(0, 0, 1, 0, 0, 800, 600);  // all black: nothing drawn
        EXPECT_EQ(backAt(400, 300), 0u);

        plat::fillRect(backSurface, plat::Rect{100, 100, 200, 150}, Red);
        plat::fillRect(backSurface, plat::Rect{150, 120, 160, 130}, 0);
        engDraw::GrabScreen(1, 0, 0, 800, 600);
        fill(backSurface, Blue);
        engDraw::Blit(0, 0, 1, 0, 0, 800, 600);
        EXPECT_EQ(backAt(100, 100), Red);
        EXPECT_EQ(backAt(199, 149), Red);
        EXPECT_EQ(backAt(155, 125), Blue);  // black in the snapshot stays transparent
        EXPECT_EQ(backAt(99, 100), Blue);
        EXPECT_EQ(backAt(200, 149), Blue);
    }
}

TEST_F(KeyedSourceTest, BitmapCopiedOverADrawnImageIsShown) {
    testbmp::add("C", testbmp::make(24, 2, 1, {Red, 0}));
    const int slot = engDraw::LoadObject("C", 1);
    plat::useKeyedCopyMethod(plat::KeyedCopyMethod::Runs);
    engDraw::Blit(0, 0, slot, 0, 0, 2, 1);

    plat::Surface* bitmap = plat::createSurface(2, 1);
    ASSERT_NE(bitmap, nullptr);
    bitmap->pixels[0] = 0;  // black: transparent
    bitmap->pixels[1] = Green;
    EXPECT_EQ(engDraw::CopyBitmap(imageSlots[slot].surface, bitmap, 0, 0, 0, 0), 0);
    plat::destroySurface(bitmap);
    fill(backSurface, Blue);
    engDraw::Blit(0, 0, slot, 0, 0, 2, 1);
    EXPECT_EQ(backAt(0, 0), Blue);
    EXPECT_EQ(backAt(1, 0), Green);
}

}  // namespace
