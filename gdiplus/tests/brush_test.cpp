// Solid brushes and the brush-wide functions.
#include "gdiplus/gdiplus.h"
#include "support/started_library.h"

#include <gtest/gtest.h>

namespace vellumark::gdiplus::testing {
namespace {

class SolidFillTest : public StartedLibrary {
protected:
    static ARGB colorOf(GpSolidFill brush) {
        ARGB color = 0;
        EXPECT_EQ(GdipGetSolidFillColor(brush, &color), Ok);
        return color;
    }
};

TEST_F(SolidFillTest, KeepsItsColourAndReportsTheSolidType) {
    GpSolidFill brush = 0;
    ASSERT_EQ(GdipCreateSolidFill(0x80112233, &brush), Ok);
    EXPECT_EQ(colorOf(brush), 0x80112233u);
    ASSERT_EQ(GdipSetSolidFillColor(brush, 0x00FFFFFF), Ok);
    EXPECT_EQ(colorOf(brush), 0x00FFFFFFu);

    GpBrushType type = -1;
    ASSERT_EQ(GdipGetBrushType(brush, &type), Ok);
    EXPECT_EQ(type, BrushTypeSolidColor);
}

TEST_F(SolidFillTest, CloneIsAnIndependentSolidBrush) {
    GpSolidFill original = 0;
    ASSERT_EQ(GdipCreateSolidFill(0xFF0000FF, &original), Ok);
    GpBrush clone = 0;
    ASSERT_EQ(GdipCloneBrush(original, &clone), Ok);
    EXPECT_NE(clone, original);
    EXPECT_EQ(colorOf(clone), 0xFF0000FFu);

    ASSERT_EQ(GdipSetSolidFillColor(clone, 0xFFFF0000), Ok);
    EXPECT_EQ(colorOf(original), 0xFF0000FFu);
    ASSERT_EQ(GdipDeleteBrush(original), Ok);
    EXPECT_EQ(colorOf(clone), 0xFFFF0000u);
    ASSERT_EQ(GdipDeleteBrush(clone), Ok);
    EXPECT_EQ(GdipDeleteBrush(clone), InvalidParameter);
}

} // namespace
} // namespace vellumark::gdiplus::testing
