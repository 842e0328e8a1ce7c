// The text service: colours and the opaque or transparent background.
#include "engine/draw_fixture.h"

namespace {

using TextTest = DrawTest;

constexpr int32_t White = 0x00FFFFFF, Navy = 0x00800000;  // colour values, 0x00BBGGRR
constexpr uint32_t NavyPixel = 0x000080;

TEST_F(TextTest, OpaqueLineFillsItsBoxTransparentLineDoesNot) {
    engDraw::SelectFont(1, 12, 0, 0, 0, 0);
    engDraw::SetTextColor(White, Navy, 0);
    EXPECT_EQ(engDraw::PutText(300, 100, "ABC"), 1);
    engDraw::ReleaseFont();
    EXPECT_EQ(backAt(300, 100), NavyPixel);
    EXPECT_EQ(backAt(317, 111), NavyPixel);  // 3 characters of 6 x 12
    EXPECT_EQ(backAt(318, 100), 0u);

    engDraw::SelectFont(0, 12, 0, 1, 0, 0);
    engDraw::SetTextColor(White, Navy, 1);
    engDraw::PutText(300, 200, "ABC");
    engDraw::ReleaseFont();
    EXPECT_EQ(backAt(300, 200), 0u);
}

TEST_F(TextTest, NoFontOrFreedFontMemoryDrawsNothing) {
    EXPECT_EQ(engDraw::PutText(10, 10, "A"), 0);
    engDraw::FreeFontMemory();
    engDraw::SelectFont(1, 12, 0, 0, 0, 0);
    engDraw::SetTextColor(White, Navy, 0);
    EXPECT_EQ(engDraw::PutText(10, 10, "A"), 0);
    EXPECT_EQ(backAt(10, 10), 0u);
}

}  // namespace
