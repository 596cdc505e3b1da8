// Texture brushes: the clamped disc of the avatar routine, wrap modes on a
// checker picture, sub-rectangles, transforms and the brush's own picture.
#include "gdiplus/gdiplus.h"
#include "graphics_canvas.h"
#include "support/started_library.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace vellumark::gdiplus::testing {
namespace {

constexpr ARGB kA = 0xFFFF0000;
constexpr ARGB kB = 0xFF0000FF;
constexpr ARGB kC = 0xFF00FF00;
constexpr ARGB kD = 0x80FFFF00;

// A picture whose pixel (x, y) holds a colour made from x and y.
struct Picture {
    INT width;
    INT height;
    std::vector<std::uint32_t> pixels;
    GpBitmap bitmap = 0;

    static ARGB colorAt(INT x, INT y) {
        return 0xFF000000u | static_cast<ARGB>(x) << 8 | static_cast<ARGB>(y);
    }
    Picture(INT w, INT h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h)) {
        for (INT y = 0; y < h; ++y) {
            for (INT x = 0; x < w; ++x) {
                pixels[static_cast<std::size_t>(y * w + x)] = colorAt(x, y);
            }
        }
        EXPECT_EQ(GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppARGB,
                                            reinterpret_cast<BYTE*>(pixels.data()), &bitmap),
                  Ok);
    }
    explicit Picture(std::vector<std::uint32_t> p, INT w)
        : width(w), height(static_cast<INT>(p.size()) / w), pixels(std::move(p)) {
        EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                            reinterpret_cast<BYTE*>(pixels.data()), &bitmap),
                  Ok);
    }
};

using TextureBrushTest = StartedLibrary;

TEST_F(TextureBrushTest, ClampedDiscShowsTheTopLeftSquarePixelForPixel) {
    for (const auto& [w, h] : std::vector<std::pair<INT, INT>>{{30, 12}, {12, 30}, {21, 21}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        Picture picture(w, h);
        const INT side = std::min(w, h);
        Canvas canvas(side, side);
        GpTexture brush = 0;
        ASSERT_EQ(GdipCreateTexture(picture.bitmap, WrapModeClamp, &brush), Ok);
        ASSERT_EQ(GdipFillEllipse(canvas.graphics, brush, 0, 0, static_cast<REAL>(side),
                                  static_cast<REAL>(side)),
                  Ok);
        for (INT y = 0; y < side; ++y) {
            for (INT x = 0; x < side; ++x) {
                const std::uint32_t got = canvas.at(x, y);
                ASSERT_TRUE(got == 0 || got == Picture::colorAt(x, y)) << x << "," << y;
            }
        }
        EXPECT_EQ(canvas.at(side / 2, side / 2), Picture::colorAt(side / 2, side / 2));
        EXPECT_EQ(canvas.at(1, side / 2), Picture::colorAt(1, side / 2));
        for (auto [x, y] : {std::pair{0, 0}, {side - 1, 0}, {0, side - 1}, {side - 1, side - 1}}) {
            EXPECT_EQ(canvas.at(x, y), 0u) << "corner " << x << "," << y;
        }
        // Pixel centres sit on integer coordinates, so the aliased disc is
        // symmetric about side / 2: pixel x mirrors to side - x.
        for (INT y = 1; y < side; ++y) {
            for (INT x = 1; x < side; ++x) {
                EXPECT_EQ(canvas.at(x, y) == 0, canvas.at(side - x, side - y) == 0)
                    << x << "," << y;
            }
        }
        ASSERT_EQ(GdipDeleteBrush(brush), Ok);
        ASSERT_EQ(GdipDeleteGraphics(canvas.graphics), Ok);
    }
}

// Pictures in the other layouts Qt paints from: the brush keeps its own
// copy, paints the source's colours and hands out a 32bppARGB image of them.
TEST_F(TextureBrushTest, PicturesOfOtherFormatsPaintTheirOwnColours) {
    struct Case {
        PixelFormat format;
        INT bytesPerPixel;
        std::array<std::uint8_t, 4> pixel; // the bytes of the pixel at (1, 1)
        ARGB color;                        // what it paints
    };
    const Case cases[] = {
        {PixelFormat24bppRGB, 3, {0x30, 0x20, 0x10, 0}, 0xFF102030},
        {PixelFormat32bppRGB, 4, {0x30, 0x20, 0x10, 0x00}, 0xFF102030},
        {PixelFormat32bppPARGB, 4, {0x30, 0x20, 0x10, 0xFF}, 0xFF102030},
        {PixelFormat16bppRGB565, 2, {0x1F, 0xF8, 0, 0}, 0xFFFF00FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        constexpr INT kSide = 3;
        constexpr INT kStride = 12;
        std::vector<std::uint8_t> bytes(kStride * kSide, 0);
        std::copy_n(c.pixel.begin(), c.bytesPerPixel, bytes.begin() + kStride + c.bytesPerPixel);
        GpBitmap source = 0;
        ASSERT_EQ(GdipCreateBitmapFromScan0(kSide, kSide, kStride, c.format, bytes.data(), &source),
                  Ok);
        GpTexture brush = 0;
        ASSERT_EQ(GdipCreateTexture(source, WrapModeClamp, &brush), Ok);
        // Later changes to the source are not the brush's.
        std::fill(bytes.begin(), bytes.end(), std::uint8_t{0x77});
        ASSERT_EQ(GdipDisposeImage(source), Ok);

        Canvas canvas(kSide, kSide);
        ASSERT_EQ(GdipFillRectangleI(canvas.graphics, brush, 0, 0, kSide, kSide), Ok);
        EXPECT_EQ(canvas.at(1, 1), c.color);

        // The brush's image paints the same colours again.
        GpImage image = 0;
        ASSERT_EQ(GdipGetTextureImage(brush, &image), Ok);
        PixelFormat format = 0;
        ASSERT_EQ(GdipGetImagePixelFormat(image, &format), Ok);
        EXPECT_EQ(format, PixelFormat32bppARGB);
        GpTexture again = 0;
        ASSERT_EQ(GdipCreateTexture(image, WrapModeClamp, &again), Ok);
        Canvas copy(kSide, kSide);
        ASSERT_EQ(GdipFillRectangleI(copy.graphics, again, 0, 0, kSide, kSide), Ok);
        EXPECT_EQ(copy.pixels, canvas.pixels);
        ASSERT_EQ(GdipDeleteBrush(again), Ok);
        ASSERT_EQ(GdipDeleteGraphics(copy.graphics), Ok);
        ASSERT_EQ(GdipDisposeImage(image), Ok);
        ASSERT_EQ(GdipDeleteBrush(brush), Ok);
        ASSERT_EQ(GdipDeleteGraphics(canvas.graphics), Ok);
    }
}

TEST_F(TextureBrushTest, TransparentPicturePixelsStayTransparentInsideTheDisc) {
    Picture picture({0x00000000, 0x00000000, 0x00000000, 0x00000000}, 2);
    Canvas canvas(2, 2);
    GpTexture brush = 0;
    ASSERT_EQ(GdipCreateTexture(picture.bitmap, WrapModeClamp, &brush), Ok);
    ASSERT_EQ(GdipFillRectangleI(canvas.graphics, brush, 0, 0, 2, 2), Ok);
    for (std::uint32_t pixel : canvas.pixels) {
        EXPECT_EQ(pixel >> 24, 0u);
    }
}

// The 2 x 2 checker a b / c d painted over a 6 x 6 canvas. Each mode's
// expectation is the picture's pixel that lands on each canvas pixel.
TEST_F(TextureBrushTest, WrapModesRepeatMirrorOrClampTheChecker) {
    const std::array<ARGB, 4> checker{kA, kB, kC, kD};
    struct Case {
        GpWrapMode mode;
        std::array<const char*, 6> rows;
    };
    const Case cases[] = {
        {WrapModeTile, {"abab..", "cdcd..", "abab..", "cdcd..", "......", "......"}},
        {WrapModeTileFlipX, {"abba..", "cddc..", "abba..", "cddc..", "......", "......"}},
        {WrapModeTileFlipY, {"abab..", "cdcd..", "cdcd..", "abab..", "......", "......"}},
        {WrapModeTileFlipXY, {"abba..", "cddc..", "cddc..", "abba..", "......", "......"}},
        {WrapModeClamp, {"ab....", "cd....", "......", "......", "......", "......"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Picture picture({checker.begin(), checker.end()}, 2);
        Canvas canvas(6, 6, PixelFormat32bppARGB, 0xFF777777);
        ASSERT_EQ(GdipSetCompositingMode(canvas.graphics, CompositingModeSourceCopy), Ok);
        GpTexture brush = 0;
        ASSERT_EQ(GdipCreateTexture(picture.bitmap, c.mode, &brush), Ok);
        ASSERT_EQ(GdipFillRectangleI(canvas.graphics, brush, 0, 0, 4, 4), Ok);
        for (INT y = 0; y < 6; ++y) {
            for (INT x = 0; x < 6; ++x) {
                const char cell = c.rows[static_cast<std::size_t>(y)][x];
                const ARGB want =
                    cell == '.' ? 0xFF777777u : checker[static_cast<std::size_t>(cell - 'a')];
                EXPECT_EQ(canvas.at(x, y), want) << x << "," << y;
            }
        }
    }
}

TEST_F(TextureBrushTest, SubRectangleTexturesStartAtTheirOwnCorner) {
    Picture picture(8, 8);
    GpImageAttributes attributes = 0;
    ASSERT_EQ(GdipCreateImageAttributes(&attributes), Ok);
    GpTexture fromFloat = 0;
    GpTexture fromInt = 0;
    GpTexture fromAttributes = 0;
    ASSERT_EQ(GdipCreateTexture2(picture.bitmap, WrapModeClamp, 3, 2, 4, 5, &fromFloat), Ok);
    ASSERT_EQ(GdipCreateTexture2I(picture.bitmap, WrapModeTile, 3, 2, 4, 5, &fromInt), Ok);
    ASSERT_EQ(GdipCreateTextureIAI(picture.bitmap, attributes, 3, 2, 4, 5, &fromAttributes), Ok);
    for (GpTexture brush : {fromFloat, fromInt, fromAttributes}) {
        Canvas canvas(4, 5);
        ASSERT_EQ(GdipFillRectangleI(canvas.graphics, brush, 0, 0, 4, 5), Ok);
        EXPECT_EQ(canvas.at(0, 0), Picture::colorAt(3, 2));
        EXPECT_EQ(canvas.at(3, 4), Picture::colorAt(6, 6));
    }
    GpWrapMode mode = -1;
    ASSERT_EQ(GdipGetTextureWrapMode(fromAttributes, &mode), Ok);
    EXPECT_EQ(mode, WrapModeClamp); // the attributes' default
    GpTexture withoutAttributes = 0;
    ASSERT_EQ(GdipCreateTextureIA(picture.bitmap, 0, 0, 0, 8, 8, &withoutAttributes), Ok);
    ASSERT_EQ(GdipGetTextureWrapMode(withoutAttributes, &mode), Ok);
    EXPECT_EQ(mode, WrapModeTile);
    ASSERT_EQ(GdipSetImageAttributesWrapMode(attributes, WrapModeTileFlipY, 0, 0), Ok);
    GpTexture flipped = 0;
    ASSERT_EQ(GdipCreateTextureIA(picture.bitmap, attributes, 0, 0, 8, 8, &flipped), Ok);
    ASSERT_EQ(GdipGetTextureWrapMode(flipped, &mode), Ok);
    EXPECT_EQ(mode, WrapModeTileFlipY);
}

TEST_F(TextureBrushTest, RectanglesOutsideThePictureOrEmptyAreRefused) {
    Picture picture(4, 4);
    GpTexture brush = 77;
    for (const std::array<INT, 4>& r : std::vector<std::array<INT, 4>>{
             {-1, 0, 2, 2}, {0, 0, 5, 4}, {3, 3, 2, 1}, {0, 0, 0, 2}, {0, 0, 2, -1}}) {
        EXPECT_EQ(GdipCreateTexture2I(picture.bitmap, WrapModeTile, r[0], r[1], r[2], r[3], &brush),
                  OutOfMemory);
        EXPECT_EQ(brush, 0u);
    }
    EXPECT_EQ(GdipCreateTexture(picture.bitmap, 5, &brush), InvalidParameter);
    EXPECT_EQ(GdipCreateTexture(picture.bitmap, -1, &brush), InvalidParameter);
}

std::array<REAL, 6> textureElements(GpTexture brush) {
    GpMatrix matrix = 0;
    EXPECT_EQ(GdipCreateMatrix2(9, 9, 9, 9, 9, 9, &matrix), Ok);
    EXPECT_EQ(GdipGetTextureTransform(brush, matrix), Ok);
    std::array<REAL, 6> e{};
    EXPECT_EQ(GdipGetMatrixElements(matrix, e.data()), Ok);
    EXPECT_EQ(GdipDeleteMatrix(matrix), Ok);
    return e;
}

TEST_F(TextureBrushTest, ScalingAboutAPointKeepsThatPointInEitherOrder) {
    Picture picture(2, 2);
    for (GpMatrixOrder order : {MatrixOrderPrepend, MatrixOrderAppend}) {
        GpTexture brush = 0;
        ASSERT_EQ(GdipCreateTexture(picture.bitmap, WrapModeTile, &brush), Ok);
        const REAL sign = order == MatrixOrderPrepend ? 1.0F : -1.0F;
        ASSERT_EQ(GdipTranslateTextureTransform(brush, sign * 10, sign * 10, order), Ok);
        ASSERT_EQ(GdipScaleTextureTransform(brush, 2, 2, order), Ok);
        ASSERT_EQ(GdipTranslateTextureTransform(brush, -sign * 10, -sign * 10, order), Ok);
        const auto e = textureElements(brush);
        auto map = [&](REAL x, REAL y) {
            return std::pair{e[0] * x + e[2] * y + e[4], e[1] * x + e[3] * y + e[5]};
        };
        EXPECT_EQ(map(10, 10), (std::pair{10.0F, 10.0F})) << order;
        EXPECT_EQ(map(11, 10), (std::pair{12.0F, 10.0F})) << order;

        ASSERT_EQ(GdipResetTextureTransform(brush), Ok);
        EXPECT_EQ(textureElements(brush), (std::array<REAL, 6>{1, 0, 0, 1, 0, 0}));
    }
}

TEST_F(TextureBrushTest, TransformPlacesThePictureOnTheSurface) {
    Picture picture({kA, kB, kC, kD}, 2);
    GpTexture brush = 0;
    ASSERT_EQ(GdipCreateTexture(picture.bitmap, WrapModeClamp, &brush), Ok);
    GpMatrix shift = 0;
    ASSERT_EQ(GdipCreateMatrix2(2, 0, 0, 2, 1, 1, &shift), Ok);
    ASSERT_EQ(GdipSetTextureTransform(brush, shift), Ok);
    Canvas canvas(6, 6);
    ASSERT_EQ(GdipSetInterpolationMode(canvas.graphics, InterpolationModeNearestNeighbor), Ok);
    ASSERT_EQ(GdipSetCompositingMode(canvas.graphics, CompositingModeSourceCopy), Ok);
    ASSERT_EQ(GdipFillRectangleI(canvas.graphics, brush, 0, 0, 6, 6), Ok);
    const std::vector<std::string> unpainted = canvas.mask(0);
    EXPECT_EQ(unpainted, (std::vector<std::string>{"######", "#....#", "#....#", "#....#", "#....#",
                                                   "######"}));
    EXPECT_EQ(canvas.at(1, 1), kA);
    EXPECT_EQ(canvas.at(2, 2), kA);
    EXPECT_EQ(canvas.at(3, 1), kB);
    EXPECT_EQ(canvas.at(4, 4), kD);

    GpMatrix singular = 0;
    ASSERT_EQ(GdipCreateMatrix2(0, 0, 0, 0, 0, 0, &singular), Ok);
    EXPECT_EQ(GdipSetTextureTransform(brush, singular), InvalidParameter);
}

TEST_F(TextureBrushTest, TextureImageCloneAndTypeAreTheBrushsOwn) {
    Picture picture(3, 2);
    GpTexture brush = 0;
    ASSERT_EQ(GdipCreateTexture2I(picture.bitmap, WrapModeClamp, 1, 0, 2, 2, &brush), Ok);
    GpBrushType type = -1;
    ASSERT_EQ(GdipGetBrushType(brush, &type), Ok);
    EXPECT_EQ(type, BrushTypeTextureFill);

    GpBrush clone = 0;
    ASSERT_EQ(GdipCloneBrush(brush, &clone), Ok);
    ASSERT_EQ(GdipSetTextureWrapMode(clone, WrapModeTileFlipX), Ok);
    GpWrapMode mode = -1;
    ASSERT_EQ(GdipGetTextureWrapMode(brush, &mode), Ok);
    EXPECT_EQ(mode, WrapModeClamp);

    // The brush keeps its picture after the source image is gone, and hands
    // out a new image of it.
    ASSERT_EQ(GdipDisposeImage(picture.bitmap), Ok);
    GpImage image = 0;
    ASSERT_EQ(GdipGetTextureImage(clone, &image), Ok);
    UINT width = 0;
    UINT height = 0;
    ASSERT_EQ(GdipGetImageWidth(image, &width), Ok);
    ASSERT_EQ(GdipGetImageHeight(image, &height), Ok);
    EXPECT_EQ(width, 2u);
    EXPECT_EQ(height, 2u);
    GpTexture again = 0;
    ASSERT_EQ(GdipCreateTexture(image, WrapModeClamp, &again), Ok);
    Canvas canvas(2, 2);
    ASSERT_EQ(GdipFillRectangleI(canvas.graphics, again, 0, 0, 2, 2), Ok);
    EXPECT_EQ(canvas.at(0, 0), Picture::colorAt(1, 0));
    EXPECT_EQ(canvas.at(1, 1), Picture::colorAt(2, 1));
    ASSERT_EQ(GdipDisposeImage(image), Ok);
}

} // namespace
} // namespace vellumark::gdiplus::testing
