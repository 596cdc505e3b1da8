// Opening surfaces and their rendering state.
#include "gdiplus/gdiplus.h"
#include "graphics_canvas.h"
#include "support/started_library.h"

#include <gtest/gtest.h>
#include <limits>

namespace vellumark::gdiplus::testing {
namespace {

using GraphicsStateTest = StartedLibrary;

TEST_F(GraphicsStateTest, NewSurfaceHasThePublishedDefaults) {
    Canvas canvas(4, 4);
    GpGraphics g = canvas.graphics;
    INT mode = -1;
    EXPECT_EQ(GdipGetCompositingMode(g, &mode), Ok);
    EXPECT_EQ(mode, CompositingModeSourceOver);
    EXPECT_EQ(GdipGetCompositingQuality(g, &mode), Ok);
    EXPECT_EQ(mode, CompositingQualityDefault);
    EXPECT_EQ(GdipGetSmoothingMode(g, &mode), Ok);
    EXPECT_EQ(mode, SmoothingModeNone);
    EXPECT_EQ(GdipGetPixelOffsetMode(g, &mode), Ok);
    EXPECT_EQ(mode, PixelOffsetModeDefault);
    EXPECT_EQ(GdipGetInterpolationMode(g, &mode), Ok);
    EXPECT_EQ(mode, InterpolationModeBilinear);
    EXPECT_EQ(GdipGetTextRenderingHint(g, &mode), Ok);
    EXPECT_EQ(mode, TextRenderingHintSystemDefault);
    EXPECT_EQ(GdipGetPageUnit(g, &mode), Ok);
    EXPECT_EQ(mode, UnitDisplay);
    UINT contrast = 0;
    EXPECT_EQ(GdipGetTextContrast(g, &contrast), Ok);
    EXPECT_EQ(contrast, 4u);
    REAL value = 0;
    EXPECT_EQ(GdipGetPageScale(g, &value), Ok);
    EXPECT_EQ(value, 1.0F);
    EXPECT_EQ(GdipGetDpiX(g, &value), Ok);
    EXPECT_EQ(value, 96.0F);
    INT x = -1;
    INT y = -1;
    EXPECT_EQ(GdipGetRenderingOrigin(g, &x, &y), Ok);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

struct ModeCase {
    const char* name;
    GpStatus (*set)(GpGraphics, INT);
    GpStatus (*get)(GpGraphics, INT*);
    INT given;
    INT readBack;
};

TEST_F(GraphicsStateTest, ModesReadBackNormalisedAndRejectValuesOutOfRange) {
    const ModeCase cases[] = {
        {"smoothing default", GdipSetSmoothingMode, GdipGetSmoothingMode, SmoothingModeDefault,
         SmoothingModeNone},
        {"smoothing high speed", GdipSetSmoothingMode, GdipGetSmoothingMode, SmoothingModeHighSpeed,
         SmoothingModeNone},
        {"smoothing high quality", GdipSetSmoothingMode, GdipGetSmoothingMode,
         SmoothingModeHighQuality, SmoothingModeAntiAlias},
        {"smoothing 8x8", GdipSetSmoothingMode, GdipGetSmoothingMode, SmoothingModeAntiAlias8x8,
         SmoothingModeAntiAlias8x8},
        {"interpolation low", GdipSetInterpolationMode, GdipGetInterpolationMode,
         InterpolationModeLowQuality, InterpolationModeBilinear},
        {"interpolation high", GdipSetInterpolationMode, GdipGetInterpolationMode,
         InterpolationModeHighQuality, InterpolationModeHighQualityBicubic},
        {"interpolation nearest", GdipSetInterpolationMode, GdipGetInterpolationMode,
         InterpolationModeNearestNeighbor, InterpolationModeNearestNeighbor},
        {"pixel offset half", GdipSetPixelOffsetMode, GdipGetPixelOffsetMode, PixelOffsetModeHalf,
         PixelOffsetModeHalf},
        {"compositing copy", GdipSetCompositingMode, GdipGetCompositingMode,
         CompositingModeSourceCopy, CompositingModeSourceCopy},
        {"quality gamma", GdipSetCompositingQuality, GdipGetCompositingQuality,
         CompositingQualityGammaCorrected, CompositingQualityGammaCorrected},
        {"text hint", GdipSetTextRenderingHint, GdipGetTextRenderingHint,
         TextRenderingHintAntiAlias, TextRenderingHintAntiAlias},
        {"page unit", GdipSetPageUnit, GdipGetPageUnit, UnitMillimeter, UnitMillimeter},
    };
    Canvas canvas(2, 2);
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.set(canvas.graphics, c.given), Ok);
        INT read = -1;
        ASSERT_EQ(c.get(canvas.graphics, &read), Ok);
        EXPECT_EQ(read, c.readBack);
        // Out of range on either side, with the setting left alone.
        EXPECT_EQ(c.set(canvas.graphics, -1), InvalidParameter);
        EXPECT_EQ(c.set(canvas.graphics, 8), InvalidParameter);
        ASSERT_EQ(c.get(canvas.graphics, &read), Ok);
        EXPECT_EQ(read, c.readBack);
    }
}

TEST_F(GraphicsStateTest, RejectsWorldPageUnitContrastAboveTwelveAndBadScales) {
    Canvas canvas(2, 2);
    EXPECT_EQ(GdipSetPageUnit(canvas.graphics, UnitWorld), InvalidParameter);
    EXPECT_EQ(GdipSetTextContrast(canvas.graphics, 12), Ok);
    EXPECT_EQ(GdipSetTextContrast(canvas.graphics, 13), InvalidParameter);
    for (REAL bad : {0.0F, -1.0F, std::numeric_limits<REAL>::infinity(),
                     std::numeric_limits<REAL>::quiet_NaN()}) {
        EXPECT_EQ(GdipSetPageScale(canvas.graphics, bad), InvalidParameter) << bad;
    }
    EXPECT_EQ(GdipFlush(canvas.graphics, FlushIntentionSync), Ok);
    EXPECT_EQ(GdipFlush(canvas.graphics, 2), InvalidParameter);
}

TEST_F(GraphicsStateTest, NearestColourIsItselfOn32BitSurfacesAndQuantisedOn565) {
    Canvas argb(2, 2);
    ARGB color = 0x80123456;
    ASSERT_EQ(GdipGetNearestColor(argb.graphics, &color), Ok);
    EXPECT_EQ(color, 0x80123456u);

    std::vector<std::uint16_t> words(4);
    GpBitmap bitmap = 0;
    ASSERT_EQ(GdipCreateBitmapFromScan0(2, 2, 4, PixelFormat16bppRGB565,
                                        reinterpret_cast<BYTE*>(words.data()), &bitmap),
              Ok);
    GpGraphics g = 0;
    ASSERT_EQ(GdipGetImageGraphicsContext(bitmap, &g), Ok);
    color = 0xFF123456;
    ASSERT_EQ(GdipGetNearestColor(g, &color), Ok);
    EXPECT_NE(color, 0xFF123456u);
    // 565 keeps the top 5, 6 and 5 bits of red, green and blue.
    EXPECT_EQ((color >> 19) & 0x1F, 0x12u >> 3);
    EXPECT_EQ((color >> 10) & 0x3F, 0x34u >> 2);
    EXPECT_EQ((color >> 3) & 0x1F, 0x56u >> 3);
}

TEST_F(GraphicsStateTest, IndexedBitmapsGetNoSurface) {
    for (PixelFormat format :
         {PixelFormat1bppIndexed, PixelFormat4bppIndexed, PixelFormat8bppIndexed}) {
        GpBitmap bitmap = 0;
        ASSERT_EQ(GdipCreateBitmapFromScan0(8, 8, 0, format, nullptr, &bitmap), Ok);
        GpGraphics g = 123;
        EXPECT_EQ(GdipGetImageGraphicsContext(bitmap, &g), OutOfMemory) << format;
        EXPECT_EQ(g, 0u);
    }
}

TEST_F(GraphicsStateTest, DrawingAfterTheBitmapIsDisposedFailsCleanly) {
    GpBitmap bitmap = 0;
    ASSERT_EQ(GdipCreateBitmapFromScan0(8, 8, 0, PixelFormat32bppARGB, nullptr, &bitmap), Ok);
    GpGraphics g = 0;
    ASSERT_EQ(GdipGetImageGraphicsContext(bitmap, &g), Ok);
    ASSERT_EQ(GdipDisposeImage(bitmap), Ok);
    EXPECT_EQ(GdipGraphicsClear(g, 0xFFFFFFFF), InvalidParameter);
    EXPECT_EQ(GdipFillRectangleI(g, solidBrush(0xFF000000), 0, 0, 4, 4), InvalidParameter);
    EXPECT_EQ(GdipDeleteGraphics(g), Ok);
}

TEST_F(GraphicsStateTest, ClearSetsEveryPixelIgnoringCompositing) {
    Canvas canvas(3, 2, PixelFormat32bppARGB, 0xFF00FF00);
    ASSERT_EQ(GdipGraphicsClear(canvas.graphics, 0x40102030), Ok);
    for (std::uint32_t pixel : canvas.pixels) {
        EXPECT_EQ(pixel, 0x40102030u);
    }
}

} // namespace
} // namespace vellumark::gdiplus::testing
