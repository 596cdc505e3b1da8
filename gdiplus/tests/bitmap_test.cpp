// Bitmap creation from caller memory, DIBs and GDI objects, area clones,
// rotation and resolution.
#include "image_fixtures.h"
#include "support/started_library.h"

#include <cstring>

namespace vellumark::gdiplus::testing {
namespace {

using Bitmaps = StartedLibrary;

TEST_F(Bitmaps, Scan0MemoryStaysTheCallersAndIsUsedInPlace) {
    std::vector<ARGB> memory = {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C};
    const GpBitmap bitmap = wrapArgb(memory, 2, 2);
    memory[3] = 0xFFABCDEF;
    EXPECT_EQ(argbPixels(bitmap)[3], 0xFFABCDEFu);
    EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
    EXPECT_EQ(memory[0], 0xFF010203u); // untouched, and not freed by the library
}

TEST_F(Bitmaps, Scan0RejectsBadStridesSizesAndFormats) {
    std::vector<std::uint8_t> memory(64);
    GpBitmap bitmap = 9;
    const std::vector<std::tuple<INT, INT, INT, PixelFormat>> bad = {
        {2, 2, 6, PixelFormat24bppRGB},   // not a multiple of 4
        {4, 2, 4, PixelFormat32bppARGB},  // shorter than a row
        {0, 2, 8, PixelFormat32bppARGB},  // no width
        {2, -1, 8, PixelFormat32bppARGB}, // negative height
        {2, 2, 8, 0x0026200B},            // not a published format
    };
    for (const auto& [w, h, stride, format] : bad) {
        EXPECT_EQ(GdipCreateBitmapFromScan0(w, h, stride, format, memory.data(), &bitmap),
                  InvalidParameter);
        EXPECT_EQ(bitmap, 0u);
    }
    EXPECT_EQ(GdipCreateBitmapFromScan0(100000, 100000, 0, PixelFormat32bppARGB, nullptr, &bitmap),
              InvalidParameter);
}

TEST_F(Bitmaps, AreaCloneConvertsAndRejectsAreasOutside) {
    std::vector<ARGB> memory = {0xFF112233, 0xFF445566, 0xFF778899,
                                0xFFAABBCC, 0xFFDDEEFF, 0xFF000000};
    const GpBitmap bitmap = wrapArgb(memory, 3, 2);
    GpBitmap area = 0;
    ASSERT_EQ(GdipCloneBitmapAreaI(1, 0, 2, 2, PixelFormat24bppRGB, bitmap, &area), Ok);
    PixelFormat format = 0;
    EXPECT_EQ(GdipGetImagePixelFormat(area, &format), Ok);
    EXPECT_EQ(format, PixelFormat24bppRGB);
    EXPECT_EQ(argbPixels(area),
              (std::vector<ARGB>{0xFF445566, 0xFF778899, 0xFFDDEEFF, 0xFF000000}));

    for (const GpRect& outside : {GpRect{2, 0, 2, 1}, GpRect{-1, 0, 1, 1}, GpRect{0, 0, 0, 1}}) {
        area = 7;
        EXPECT_EQ(GdipCloneBitmapAreaI(outside.X, outside.Y, outside.Width, outside.Height,
                                       PixelFormat32bppARGB, bitmap, &area),
                  InvalidParameter);
        EXPECT_EQ(area, 0u);
    }
}

TEST_F(Bitmaps, RotateFlipMovesPixelsAsPublished) {
    // 3 x 2:  A B C / D E F
    std::vector<ARGB> memory = {1, 2, 3, 4, 5, 6};
    for (ARGB& p : memory) {
        p |= 0xFF000000;
    }
    struct Case {
        RotateFlipType type;
        INT width;
        std::vector<ARGB> expected;
    };
    const std::vector<Case> cases = {
        {Rotate90FlipNone, 2, {4, 1, 5, 2, 6, 3}},  {Rotate180FlipNone, 3, {6, 5, 4, 3, 2, 1}},
        {Rotate270FlipNone, 2, {3, 6, 2, 5, 1, 4}}, {RotateNoneFlipX, 3, {3, 2, 1, 6, 5, 4}},
        {Rotate90FlipX, 2, {1, 4, 2, 5, 3, 6}},     {RotateNoneFlipY, 3, {4, 5, 6, 1, 2, 3}},
        {Rotate270FlipX, 2, {6, 3, 5, 2, 4, 1}},
    };
    for (const Case& c : cases) {
        GpBitmap bitmap = 0;
        ASSERT_EQ(
            GdipCloneBitmapAreaI(0, 0, 3, 2, PixelFormat32bppARGB, wrapArgb(memory, 3, 2), &bitmap),
            Ok);
        ASSERT_EQ(GdipImageRotateFlip(bitmap, c.type), Ok);
        std::vector<ARGB> expected = c.expected;
        for (ARGB& p : expected) {
            p |= 0xFF000000;
        }
        EXPECT_EQ(argbPixels(bitmap), expected) << "type " << c.type;
    }
}

TEST_F(Bitmaps, RotationKeepsIndexedPixelsPacked) {
    GpBitmap bitmap = makeBitmap(3, 1, PixelFormat1bppIndexed);
    GpBitmap white = 0;
    std::vector<ARGB> memory = {0xFFFFFFFF, 0xFF000000, 0xFF000000};
    ASSERT_EQ(
        GdipCloneBitmapAreaI(0, 0, 3, 1, PixelFormat1bppIndexed, wrapArgb(memory, 3, 1), &white),
        Ok);
    ASSERT_EQ(GdipImageRotateFlip(white, Rotate90FlipNone), Ok);
    PixelFormat format = 0;
    EXPECT_EQ(GdipGetImagePixelFormat(white, &format), Ok);
    EXPECT_EQ(format, PixelFormat1bppIndexed);
    EXPECT_EQ(argbPixels(white), memory);
    EXPECT_EQ(GdipDisposeImage(bitmap), Ok);
}

TEST_F(Bitmaps, HbitmapRoundTripKeepsPixelsAndHonoursTheBackground) {
    std::vector<ARGB> memory = {0xFF102030, 0x00000000, 0x80FF0000, 0xFFFFFFFF};
    const GpBitmap bitmap = wrapArgb(memory, 2, 2);
    for (const auto& [background, expected] : std::vector<std::pair<ARGB, std::vector<ARGB>>>{
             {0, memory}, {0xFF0000FF, {0xFF102030, 0xFF0000FF, 0xFF80007F, 0xFFFFFFFF}}}) {
        HBITMAP hbitmap = 0;
        ASSERT_EQ(GdipCreateHBITMAPFromBitmap(bitmap, &hbitmap, background), Ok);
        EXPECT_NE(hbitmap, 0u);
        GpBitmap back = 0;
        ASSERT_EQ(GdipCreateBitmapFromHBITMAP(hbitmap, 0, &back), Ok);
        EXPECT_EQ(argbPixels(back), expected);
    }
    HICON icon = 0;
    ASSERT_EQ(GdipCreateHICONFromBitmap(bitmap, &icon), Ok);
    GpBitmap back = 0;
    ASSERT_EQ(GdipCreateBitmapFromHICON(icon, &back), Ok);
    EXPECT_EQ(argbPixels(back), memory);
    // An icon is not a bitmap, and made-up handles are rejected.
    EXPECT_EQ(GdipCreateBitmapFromHBITMAP(icon, 0, &back), InvalidParameter);
    EXPECT_EQ(GdipCreateBitmapFromHICON(12345, &back), InvalidParameter);
    EXPECT_EQ(back, 0u);
}

TEST_F(Bitmaps, ResourcesAreUnavailableOnThisPlatform) {
    GpBitmap bitmap = 3;
    EXPECT_EQ(GdipCreateBitmapFromResource(1, wide(u"AVATAR"), &bitmap), Win32Error);
    EXPECT_EQ(bitmap, 0u);
}

TEST_F(Bitmaps, GdiDibOfEachDepthKeepsItsColours) {
    // A bottom-up 2 x 2 DIB at 8 bpp with a two-colour table, and at 24 bpp.
    struct PaletteDib {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } dib8{{sizeof(BITMAPINFOHEADER), 2, 2, 1, 8, 0, 0, 0, 0, 2, 0},
           {{0x30, 0x20, 0x10, 0}, {0xFF, 0xFF, 0xFF, 0}}};
    std::uint8_t bits8[8] = {1, 0, 0, 0, 0, 1, 0, 0}; // bottom row first
    GpBitmap bitmap = 0;
    ASSERT_EQ(GdipCreateBitmapFromGdiDib(reinterpret_cast<BITMAPINFO*>(&dib8), bits8, &bitmap), Ok);
    PixelFormat format = 0;
    EXPECT_EQ(GdipGetImagePixelFormat(bitmap, &format), Ok);
    EXPECT_EQ(format, PixelFormat8bppIndexed);
    EXPECT_EQ(argbPixels(bitmap),
              (std::vector<ARGB>{0xFF102030, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF102030}));

    BITMAPINFO dib24{};
    dib24.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, -2, 1, 24, 0, 0, 0, 0, 0, 0};
    std::uint8_t bits24[8] = {0x01, 0x02, 0x03, 0, 0x04, 0x05, 0x06, 0}; // top-down
    ASSERT_EQ(GdipCreateBitmapFromGdiDib(&dib24, bits24, &bitmap), Ok);
    EXPECT_EQ(argbPixels(bitmap), (std::vector<ARGB>{0xFF030201, 0xFF060504}));

    dib24.bmiHeader.biCompression = 1; // RLE8 is not accepted
    EXPECT_EQ(GdipCreateBitmapFromGdiDib(&dib24, bits24, &bitmap), InvalidParameter);
}

TEST_F(Bitmaps, ResolutionSetterChecksItsValues) {
    const GpBitmap bitmap = makeBitmap();
    ASSERT_EQ(GdipBitmapSetResolution(bitmap, 300, 72), Ok);
    REAL x = 0;
    REAL y = 0;
    EXPECT_EQ(GdipGetImageHorizontalResolution(bitmap, &x), Ok);
    EXPECT_EQ(GdipGetImageVerticalResolution(bitmap, &y), Ok);
    EXPECT_EQ(x, 300.0f);
    EXPECT_EQ(y, 72.0f);
    EXPECT_EQ(GdipBitmapSetResolution(bitmap, 0, 72), InvalidParameter);
    EXPECT_EQ(GdipBitmapSetResolution(bitmap, 96, -1), InvalidParameter);
}

TEST_F(Bitmaps, PropertiesPalettesAndFramesOfAMemoryBitmap) {
    const GpBitmap bitmap = makeBitmap(2, 2, PixelFormat8bppIndexed);
    INT size = 0;
    ASSERT_EQ(GdipGetImagePaletteSize(bitmap, &size), Ok);
    EXPECT_EQ(size, 8 + 4 * 256);

    std::uint32_t delays[3] = {10, 20, 30};
    PropertyItem item{kFrameDelayTag, sizeof delays, PropertyTagTypeLong, delays};
    ASSERT_EQ(GdipSetPropertyItem(bitmap, &item), Ok);
    UINT itemSize = 0;
    ASSERT_EQ(GdipGetPropertyItemSize(bitmap, kFrameDelayTag, &itemSize), Ok);
    EXPECT_EQ(itemSize, sizeof(PropertyItem) + sizeof delays);
    std::vector<std::uint64_t> buffer(itemSize / 8 + 1);
    auto* read = reinterpret_cast<PropertyItem*>(buffer.data());
    ASSERT_EQ(GdipGetPropertyItem(bitmap, kFrameDelayTag, itemSize, read), Ok);
    EXPECT_EQ(read->value, reinterpret_cast<std::uint8_t*>(read) + sizeof(PropertyItem));
    EXPECT_EQ(std::memcmp(read->value, delays, sizeof delays), 0);
    EXPECT_EQ(GdipRemovePropertyItem(bitmap, kFrameDelayTag), Ok);
    EXPECT_EQ(GdipRemovePropertyItem(bitmap, kFrameDelayTag), PropertyNotFound);

    UINT dimensions = 0;
    GUID dimension{};
    UINT frames = 0;
    ASSERT_EQ(GdipImageGetFrameDimensionsCount(bitmap, &dimensions), Ok);
    ASSERT_EQ(GdipImageGetFrameDimensionsList(bitmap, &dimension, 1), Ok);
    EXPECT_EQ(std::memcmp(&dimension, &kFrameDimensionPage, sizeof dimension), 0);
    EXPECT_EQ(GdipImageGetFrameCount(bitmap, &kFrameDimensionPage, &frames), Ok);
    EXPECT_EQ(frames, 1u);
    EXPECT_EQ(GdipImageSelectActiveFrame(bitmap, &kFrameDimensionPage, 1), InvalidParameter);
    EXPECT_EQ(GdipImageGetFrameCount(bitmap, &kFrameDimensionTime, &frames), InvalidParameter);
}

} // namespace
} // namespace vellumark::gdiplus::testing
