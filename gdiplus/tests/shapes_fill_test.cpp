// Filled shapes against pixel-centre expectations: a pixel is painted when
// its centre is inside the shape, the centres sitting on integer coordinates
// by default and half a pixel further with the half offset modes.
#include "gdiplus/gdiplus.h"
#include "graphics_canvas.h"
#include "support/started_library.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace vellumark::gdiplus::testing {
namespace {

constexpr ARGB kInk = 0xFF204080;

using ShapesFillTest = StartedLibrary;

// Rows of '#' for painted pixels.
using Mask = std::vector<std::string>;

struct RectCase {
    const char* name;
    GpPixelOffsetMode offset;
    GpRectF rect;
    Mask expected;
};

TEST_F(ShapesFillTest, RectangleFillsCoverExactlyThePixelCentresInside) {
    const RectCase cases[] = {
        {"whole pixels", PixelOffsetModeNone, {1, 1, 3, 2}, {".....", ".###.", ".###.", "....."}},
        {"whole pixels, half offset",
         PixelOffsetModeHalf,
         {1, 1, 3, 2},
         {".....", ".###.", ".###.", "....."}},
        // Centres on integers: x from 0.4 to 2.6 holds centres 1 and 2.
        {"fractional",
         PixelOffsetModeNone,
         {0.4F, 0.4F, 2.2F, 1.2F},
         {".....", ".##..", ".....", "....."}},
        // Centres at .5: the same rectangle holds centres 0.5 to 2.5 across
        // and 0.5 and 1.5 down.
        {"fractional, half offset",
         PixelOffsetModeHighQuality,
         {0.4F, 0.4F, 2.2F, 1.2F},
         {"###..", "###..", ".....", "....."}},
        {"default mode is no offset",
         PixelOffsetModeDefault,
         {0.4F, 0.4F, 2.2F, 1.2F},
         {".....", ".##..", ".....", "....."}},
        {"empty", PixelOffsetModeNone, {1, 1, 0, 2}, {".....", ".....", ".....", "....."}},
        {"negative width",
         PixelOffsetModeNone,
         {3, 1, -2, 2},
         {".....", ".....", ".....", "....."}},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(5, 4);
        ASSERT_EQ(GdipSetPixelOffsetMode(canvas.graphics, c.offset), Ok);
        const GpBrush brush = solidBrush(kInk);
        ASSERT_EQ(GdipFillRectangle(canvas.graphics, brush, c.rect.X, c.rect.Y, c.rect.Width,
                                    c.rect.Height),
                  Ok);
        EXPECT_EQ(canvas.mask(kInk), c.expected);
        // The record form and the array form fill the same pixels.
        Canvas again(5, 4);
        ASSERT_EQ(GdipSetPixelOffsetMode(again.graphics, c.offset), Ok);
        ASSERT_EQ(GdipFillRectangles(again.graphics, brush, &c.rect, 1), Ok);
        EXPECT_EQ(again.mask(kInk), c.expected);
    }
}

TEST_F(ShapesFillTest, AliasedEllipsesAreSymmetricAndAntiAliasedEdgesBlend) {
    for (GpPixelOffsetMode offset : {PixelOffsetModeNone, PixelOffsetModeHalf}) {
        Canvas canvas(12, 9);
        ASSERT_EQ(GdipSetPixelOffsetMode(canvas.graphics, offset), Ok);
        ASSERT_EQ(GdipFillEllipseI(canvas.graphics, solidBrush(kInk), 0, 0, 12, 9), Ok);
        // Without an offset the centre of symmetry (6, 4.5) sits between
        // pixel centres 0..12 and 0..9; with it, in the middle of the canvas.
        const INT shift = offset == PixelOffsetModeHalf ? 1 : 0;
        for (INT y = 0; y < 9; ++y) {
            for (INT x = 0; x < 12; ++x) {
                const INT mx = 12 - shift - x;
                const INT my = 9 - shift - y;
                if (mx < 12 && my < 9 && mx >= 0 && my >= 0) {
                    EXPECT_EQ(canvas.at(x, y), canvas.at(mx, my))
                        << offset << ": " << x << "," << y;
                }
            }
        }
        for (std::uint32_t pixel : canvas.pixels) {
            EXPECT_TRUE(pixel == 0 || pixel == kInk); // aliased: no blended edge
        }
    }
    Canvas smooth(12, 9);
    ASSERT_EQ(GdipSetSmoothingMode(smooth.graphics, SmoothingModeAntiAlias), Ok);
    ASSERT_EQ(GdipFillEllipseI(smooth.graphics, solidBrush(kInk), 0, 0, 12, 9), Ok);
    EXPECT_EQ(smooth.at(6, 4), kInk);
    EXPECT_EQ(smooth.at(0, 0), 0u);
    const bool blended = std::any_of(smooth.pixels.begin(), smooth.pixels.end(),
                                     [](auto p) { return (p >> 24) > 0 && (p >> 24) < 0xFF; });
    EXPECT_TRUE(blended);
}

// A five-pointed star drawn in one stroke crosses itself: alternate filling
// leaves the pentagon in its middle empty, winding fills it.
TEST_F(ShapesFillTest, WindingFillsTheMiddleOfASelfCrossingStarAndAlternateDoesNot) {
    const GpPointF star[5] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    const GpPoint starI[5] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    for (GpFillMode mode : {FillModeAlternate, FillModeWinding}) {
        Canvas canvas(21, 20);
        const GpBrush brush = solidBrush(kInk);
        ASSERT_EQ(GdipFillPolygon(canvas.graphics, brush, star, 5, mode), Ok);
        EXPECT_EQ(canvas.at(10, 2), kInk) << "a point of the star";
        EXPECT_EQ(canvas.at(10, 11) == kInk, mode == FillModeWinding) << "its middle";

        Canvas integer(21, 20);
        ASSERT_EQ(GdipFillPolygonI(integer.graphics, brush, starI, 5, mode), Ok);
        EXPECT_EQ(integer.pixels, canvas.pixels);

        // The same through a path with that fill mode.
        GpPath path = 0;
        ASSERT_EQ(GdipCreatePath(mode, &path), Ok);
        ASSERT_EQ(GdipAddPathPolygon(path, star, 5), Ok);
        Canvas viaPath(21, 20);
        ASSERT_EQ(GdipFillPath(viaPath.graphics, brush, path), Ok);
        EXPECT_EQ(viaPath.pixels, canvas.pixels);
    }
}

TEST_F(ShapesFillTest, PiesFillTheirSweepClockwise) {
    Canvas canvas(10, 10);
    // 0 to 90 degrees clockwise is the lower right quarter in a y-down space.
    ASSERT_EQ(GdipFillPieI(canvas.graphics, solidBrush(kInk), 0, 0, 10, 10, 0, 90), Ok);
    EXPECT_EQ(canvas.at(7, 7), kInk);
    EXPECT_EQ(canvas.at(2, 2), 0u);
    EXPECT_EQ(canvas.at(7, 2), 0u);
    EXPECT_EQ(canvas.at(2, 7), 0u);
}

TEST_F(ShapesFillTest, ClosedCurvesPassThroughTheirPoints) {
    const GpPoint diamond[4] = {{10, 1}, {19, 10}, {10, 19}, {1, 10}};
    Canvas canvas(21, 21);
    ASSERT_EQ(GdipFillClosedCurveI(canvas.graphics, solidBrush(kInk), diamond, 4), Ok);
    EXPECT_EQ(canvas.at(10, 10), kInk);
    EXPECT_EQ(canvas.at(10, 2), kInk); // near a point it runs through
    EXPECT_EQ(canvas.at(1, 1), 0u);
    // Tension 0 makes straight edges: the diamond itself.
    Canvas straight(21, 21);
    ASSERT_EQ(GdipFillClosedCurve2I(straight.graphics, solidBrush(kInk), diamond, 4, 0,
                                    FillModeAlternate),
              Ok);
    Canvas polygon(21, 21);
    ASSERT_EQ(GdipFillPolygonI(polygon.graphics, solidBrush(kInk), diamond, 4, FillModeAlternate),
              Ok);
    EXPECT_EQ(straight.pixels, polygon.pixels);
    // The curve bulges out of the diamond.
    EXPECT_EQ(polygon.at(15, 4), 0u);
    EXPECT_EQ(canvas.at(15, 4), kInk);
}

TEST_F(ShapesFillTest, SourceCopyReplacesAndSourceOverBlends) {
    for (GpCompositingMode mode : {CompositingModeSourceOver, CompositingModeSourceCopy}) {
        Canvas canvas(2, 1, PixelFormat32bppARGB, 0xFF0000FF);
        ASSERT_EQ(GdipSetCompositingMode(canvas.graphics, mode), Ok);
        ASSERT_EQ(GdipFillRectangleI(canvas.graphics, solidBrush(0x80FF0000), 0, 0, 1, 1), Ok);
        if (mode == CompositingModeSourceCopy) {
            EXPECT_EQ(canvas.at(0, 0), 0x80FF0000u);
        } else {
            EXPECT_EQ(canvas.at(0, 0) >> 24, 0xFFu);
            EXPECT_NEAR(static_cast<int>((canvas.at(0, 0) >> 16) & 0xFF), 0x80, 1);
            EXPECT_NEAR(static_cast<int>(canvas.at(0, 0) & 0xFF), 0x7F, 1);
        }
        EXPECT_EQ(canvas.at(1, 0), 0xFF0000FFu);
    }
}

TEST_F(ShapesFillTest, OtherPixelFormatsAreFilledInTheirOwnLayout) {
    // 24-bit B, G, R bytes; rows padded to 4 bytes.
    std::vector<std::uint8_t> rgb(8 * 2, 0);
    GpBitmap bitmap = 0;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 8, PixelFormat24bppRGB, rgb.data(), &bitmap), Ok);
    GpGraphics g = 0;
    ASSERT_EQ(GdipGetImageGraphicsContext(bitmap, &g), Ok);
    ASSERT_EQ(GdipFillRectangleI(g, solidBrush(0xFF112233), 1, 0, 1, 2), Ok);
    EXPECT_EQ(std::vector<std::uint8_t>(rgb.begin(), rgb.begin() + 6),
              (std::vector<std::uint8_t>{0, 0, 0, 0x33, 0x22, 0x11}));
    // 64-bit ARGB goes through conversion; an opaque fill reads back opaque.
    std::vector<std::uint16_t> wide(4 * 4, 0);
    GpBitmap deep = 0;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 16, PixelFormat64bppARGB,
                                        reinterpret_cast<BYTE*>(wide.data()), &deep),
              Ok);
    GpGraphics dg = 0;
    ASSERT_EQ(GdipGetImageGraphicsContext(deep, &dg), Ok);
    ASSERT_EQ(GdipFillRectangleI(dg, solidBrush(0xFFFFFFFF), 0, 0, 1, 1), Ok);
    EXPECT_GT(wide[3], 0u);     // alpha of pixel (0, 0)
    EXPECT_EQ(wide[4 + 3], 0u); // pixel (1, 0) untouched
}

TEST_F(ShapesFillTest, BadArraysAndNumbersAreRefused) {
    Canvas canvas(4, 4);
    const GpBrush brush = solidBrush(kInk);
    const GpPointF two[2] = {{0, 0}, {1, 1}};
    EXPECT_EQ(GdipFillPolygon(canvas.graphics, brush, two, 2, FillModeAlternate), InvalidParameter);
    EXPECT_EQ(GdipFillPolygon(canvas.graphics, brush, nullptr, 0, FillModeAlternate),
              InvalidParameter);
    EXPECT_EQ(GdipFillRectanglesI(canvas.graphics, brush, nullptr, 3), InvalidParameter);
    EXPECT_EQ(GdipFillEllipse(canvas.graphics, brush, 0, 0, std::nanf(""), 2), InvalidParameter);
    EXPECT_EQ(GdipFillClosedCurve2(canvas.graphics, brush, two, 2, 0.5F, FillModeAlternate),
              InvalidParameter);
    for (std::uint32_t pixel : canvas.pixels) {
        EXPECT_EQ(pixel, 0u);
    }
}

// Huge or degenerate geometry is clipped to the surface or paints nothing;
// it never takes the process down.
TEST_F(ShapesFillTest, HugeAndDegenerateGeometryStaysOnTheSurface) {
    Canvas canvas(8, 8);
    const GpBrush brush = solidBrush(kInk);
    ASSERT_EQ(GdipFillRectangle(canvas.graphics, brush, -1e30F, -1e30F, 2e30F, 2e30F), Ok);
    for (std::uint32_t pixel : canvas.pixels) {
        EXPECT_EQ(pixel, kInk);
    }
    Canvas other(8, 8);
    ASSERT_EQ(GdipFillEllipse(other.graphics, brush, -1e9F, -1e9F, 3e9F, 3e9F), Ok);
    ASSERT_EQ(GdipFillPieI(other.graphics, brush, 0, 0, 0, 0, 0, 360), Ok);
    GpPen wide = 0;
    ASSERT_EQ(GdipCreatePen1(kInk, 1e20F, UnitWorld, &wide), Ok);
    ASSERT_EQ(GdipDrawLine(other.graphics, wide, 0, 0, 1e20F, 1e20F), Ok);

    // A texture scaled down to nothing paints nothing.
    std::vector<std::uint32_t> pixel{0xFF00FF00};
    GpBitmap bitmap = 0;
    ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(pixel.data()), &bitmap),
              Ok);
    GpTexture texture = 0;
    ASSERT_EQ(GdipCreateTexture(bitmap, WrapModeClamp, &texture), Ok);
    ASSERT_EQ(GdipScaleTextureTransform(texture, 0, 0, MatrixOrderPrepend), Ok);
    Canvas flat(4, 4);
    ASSERT_EQ(GdipFillRectangleI(flat.graphics, texture, 0, 0, 4, 4), Ok);
    for (std::uint32_t p : flat.pixels) {
        EXPECT_EQ(p, 0u);
    }
}

} // namespace
} // namespace vellumark::gdiplus::testing
