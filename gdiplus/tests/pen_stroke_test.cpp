// Pens: their settings, and strokes of simple lines checked pixel by pixel.
#include "gdiplus/gdiplus.h"
#include "graphics_canvas.h"
#include "support/started_library.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace vellumark::gdiplus::testing {
namespace {

constexpr ARGB kInk = 0xFF000000;

using PenStrokeTest = StartedLibrary;

GpPen pen(REAL width, GpUnit unit = UnitWorld) {
    GpPen p = 0;
    EXPECT_EQ(GdipCreatePen1(kInk, width, unit, &p), Ok);
    return p;
}

// The painted run of one row, as [first, last] columns; {-1, -1} if none.
std::pair<INT, INT> run(const Canvas& canvas, INT y) {
    INT first = -1;
    INT last = -1;
    for (INT x = 0; x < canvas.width; ++x) {
        if (canvas.at(x, y) == kInk) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    return {first, last};
}

TEST_F(PenStrokeTest, LinesAreAsWideAsThePenAndThinPensStillDrawOnePixel) {
    struct Case {
        REAL width;
        INT rows; // painted rows of a horizontal line at y = 5
    };
    for (const Case& c : {Case{1, 1}, Case{3, 3}, Case{0.25F, 1}, Case{0, 1}}) {
        Canvas canvas(12, 11);
        ASSERT_EQ(GdipDrawLineI(canvas.graphics, pen(c.width), 1, 5, 10, 5), Ok);
        INT rows = 0;
        for (INT y = 0; y < canvas.height; ++y) {
            rows += run(canvas, y).first >= 0 ? 1 : 0;
        }
        EXPECT_EQ(rows, c.rows) << c.width;
        EXPECT_EQ(canvas.at(5, 5), kInk) << c.width;
    }
}

TEST_F(PenStrokeTest, WorldPensScaleWithThePageAndPixelPensDoNot) {
    for (GpUnit unit : {UnitWorld, UnitPixel}) {
        Canvas canvas(20, 20);
        ASSERT_EQ(GdipSetPageScale(canvas.graphics, 2), Ok);
        ASSERT_EQ(GdipDrawLineI(canvas.graphics, pen(2, unit), 1, 5, 9, 5), Ok);
        INT rows = 0;
        for (INT y = 0; y < canvas.height; ++y) {
            rows += run(canvas, y).first >= 0 ? 1 : 0;
        }
        EXPECT_EQ(rows, unit == UnitWorld ? 4 : 2) << unit;
        EXPECT_EQ(run(canvas, 10).first >= 0, true) << "the line sits at y = 10 on the device";
    }
}

TEST_F(PenStrokeTest, CapsExtendTheEndsAndFlatCapsDoNot) {
    for (GpLineCap cap : {LineCapFlat, LineCapSquare, LineCapRound}) {
        Canvas canvas(20, 9);
        const GpPen p = pen(4);
        ASSERT_EQ(GdipSetPenLineCap197819(p, cap, cap, DashCapFlat), Ok);
        ASSERT_EQ(GdipDrawLineI(canvas.graphics, p, 5, 4, 14, 4), Ok);
        const auto [first, last] = run(canvas, 4);
        if (cap == LineCapFlat) {
            EXPECT_EQ(first, 5);
            EXPECT_EQ(last, 13);
        } else {
            EXPECT_EQ(first, 3) << cap; // half the width beyond each end
            EXPECT_EQ(last, 15) << cap;
        }
    }
}

// Probe pixels around the start (14.5, 14.5) of a width-8 line running right
// to (26.5, 14.5); the half coordinates keep every straight cap edge off
// the pixel centres.
constexpr GpPoint kCapProbes[] = {{12, 14}, {11, 11}, {9, 14}, {13, 11},
                                  {7, 7},   {14, 8},  {9, 9},  {21, 21}};

TEST_F(PenStrokeTest, EachLineCapHasItsPublishedShapeAndTheOtherEndKeepsItsOwn) {
    struct Case {
        GpLineCap cap;
        const char* covered; // one mark per probe
    };
    const Case cases[] = {
        {LineCapFlat, "........"},        {LineCapSquare, "##.#...."},
        {LineCapRound, "#..#...."},       {LineCapTriangle, "#......."},
        {LineCapNoAnchor, "........"},    {LineCapSquareAnchor, "########"},
        {LineCapRoundAnchor, "####.##."}, {LineCapDiamondAnchor, "####.#.."},
        {LineCapArrowAnchor, "#.#....#"},
    };
    for (const Case& c : cases) {
        // The cap as the start cap of a line drawn rightwards, then as the
        // end cap of the same line drawn leftwards; the far end stays flat.
        for (const bool asEnd : {false, true}) {
            Canvas canvas(32, 30);
            const GpPen p = pen(8);
            ASSERT_EQ(asEnd ? GdipSetPenEndCap(p, c.cap) : GdipSetPenStartCap(p, c.cap), Ok);
            ASSERT_EQ(asEnd ? GdipDrawLine(canvas.graphics, p, 26.5F, 14.5F, 14.5F, 14.5F)
                            : GdipDrawLine(canvas.graphics, p, 14.5F, 14.5F, 26.5F, 14.5F),
                      Ok);
            std::string covered;
            for (const GpPoint& probe : kCapProbes) {
                covered += canvas.at(probe.X, probe.Y) == kInk ? '#' : '.';
            }
            EXPECT_EQ(covered, c.covered) << "cap " << c.cap << (asEnd ? " at the end" : "");
            EXPECT_EQ(canvas.at(26, 14), kInk);
            EXPECT_EQ(canvas.at(27, 14), 0u) << "the flat end " << c.cap;
        }
    }
}

TEST_F(PenStrokeTest, DashCapsShapeEveryDashEndButNotTheEndsOfTheLine) {
    struct Probe {
        INT x;
        INT y;
    };
    // Width 4, dashes and gaps of 8 from x = 0.5: dashes end at 8.5 and
    // 24.5 and begin at 16.5 and 32.5; the line ends at 40.5.
    const Probe probes[] = {{0, 10}, {9, 9}, {10, 9}, {15, 9}, {16, 9}, {41, 10}, {4, 10}};
    struct Case {
        GpDashCap cap;
        const char* covered;
    };
    const Case cases[] = {
        {DashCapFlat, "......#"},
        {DashCapRound, ".####.#"},
        {DashCapTriangle, ".#..#.#"},
    };
    for (const Case& c : cases) {
        Canvas canvas(44, 20);
        const GpPen p = pen(4);
        const REAL dashes[2] = {2, 2};
        ASSERT_EQ(GdipSetPenDashArray(p, dashes, 2), Ok);
        ASSERT_EQ(GdipSetPenLineCap197819(p, LineCapFlat, LineCapFlat, c.cap), Ok);
        ASSERT_EQ(GdipDrawLine(canvas.graphics, p, 0.5F, 10, 40.5F, 10), Ok);
        std::string covered;
        for (const Probe& probe : probes) {
            covered += canvas.at(probe.x, probe.y) == kInk ? '#' : '.';
        }
        EXPECT_EQ(covered, c.covered) << "dash cap " << c.cap;
    }
}

TEST_F(PenStrokeTest, InsetPensDrawClosedFiguresInsideAndOpenLinesCentred) {
    struct Case {
        GpPenAlignment alignment;
        const char* row; // row 10 across the rectangle (4, 4, 12, 12)
    };
    const Case cases[] = {
        {PenAlignmentCenter, "..####........####.."},
        {PenAlignmentInset, "....####....####...."},
    };
    for (const Case& c : cases) {
        Canvas canvas(20, 20);
        const GpPen p = pen(4);
        ASSERT_EQ(GdipSetPenMode(p, c.alignment), Ok);
        ASSERT_EQ(GdipDrawRectangleI(canvas.graphics, p, 4, 4, 12, 12), Ok);
        EXPECT_EQ(canvas.mask(kInk)[10], c.row) << c.alignment;

        Canvas line(12, 12);
        ASSERT_EQ(GdipDrawLineI(line.graphics, p, 1, 6, 10, 6), Ok);
        for (INT y = 0; y < 12; ++y) {
            EXPECT_EQ(line.at(5, y) == kInk, y >= 4 && y < 8) << "row " << y;
        }
    }
}

TEST_F(PenStrokeTest, PatternsTooFineToSeeDrawASolidLine) {
    Canvas canvas(40, 3);
    const GpPen p = pen(1);
    const REAL dust[2] = {1e-6F, 1e-6F};
    ASSERT_EQ(GdipSetPenDashArray(p, dust, 2), Ok);
    ASSERT_EQ(GdipDrawLineI(canvas.graphics, p, 0, 1, 39, 1), Ok);
    EXPECT_EQ(canvas.mask(kInk)[1], std::string(39, '#') + ".");
}

TEST_F(PenStrokeTest, DashesFollowThePublishedPatternsInPenWidths) {
    Canvas canvas(40, 3);
    const GpPen p = pen(1);
    ASSERT_EQ(GdipSetPenDashStyle(p, DashStyleDash), Ok); // 3 on, 1 off
    ASSERT_EQ(GdipDrawLineI(canvas.graphics, p, 0, 1, 16, 1), Ok);
    std::string row;
    for (INT x = 0; x < 16; ++x) {
        row += canvas.at(x, 1) == kInk ? '#' : '.';
    }
    EXPECT_EQ(row, "###.###.###.###.");

    INT count = 0;
    ASSERT_EQ(GdipGetPenDashCount(p, &count), Ok);
    EXPECT_EQ(count, 2);
    const REAL custom[3] = {2, 1, 1};
    ASSERT_EQ(GdipSetPenDashArray(p, custom, 3), Ok);
    GpDashStyle style = -1;
    ASSERT_EQ(GdipGetPenDashStyle(p, &style), Ok);
    EXPECT_EQ(style, DashStyleCustom);
    std::array<REAL, 3> read{};
    EXPECT_EQ(GdipGetPenDashArray(p, read.data(), 2), InvalidParameter);
    ASSERT_EQ(GdipGetPenDashArray(p, read.data(), 3), Ok);
    EXPECT_EQ(read, (std::array<REAL, 3>{2, 1, 1}));
    const REAL zero[2] = {1, 0};
    EXPECT_EQ(GdipSetPenDashArray(p, zero, 2), InvalidParameter);
}

TEST_F(PenStrokeTest, RectangleOutlinesHaveSquareMiterCornersAndRoundJoinsCutThem) {
    for (GpLineJoin join : {LineJoinMiter, LineJoinBevel, LineJoinRound}) {
        Canvas canvas(20, 20);
        const GpPen p = pen(5);
        ASSERT_EQ(GdipSetPenLineJoin(p, join), Ok);
        ASSERT_EQ(GdipDrawRectangleI(canvas.graphics, p, 5, 5, 10, 10), Ok);
        EXPECT_EQ(canvas.at(10, 10), 0u) << "inside stays empty";
        EXPECT_EQ(canvas.at(10, 5), kInk);
        EXPECT_EQ(canvas.at(3, 3) == kInk, join == LineJoinMiter) << join;
    }
}

TEST_F(PenStrokeTest, SettingsReadBackAndClonesAreIndependent) {
    GpPen p = pen(2, UnitPixel);
    ASSERT_EQ(GdipSetPenMiterLimit(p, 0.5F), Ok);
    REAL limit = 0;
    ASSERT_EQ(GdipGetPenMiterLimit(p, &limit), Ok);
    EXPECT_EQ(limit, 1.0F);
    GpPen copy = 0;
    ASSERT_EQ(GdipClonePen(p, &copy), Ok);
    ASSERT_EQ(GdipSetPenColor(copy, 0xFF00FF00), Ok);
    ASSERT_EQ(GdipSetPenWidth(copy, 7), Ok);
    ARGB color = 0;
    ASSERT_EQ(GdipGetPenColor(p, &color), Ok);
    EXPECT_EQ(color, kInk);
    REAL width = 0;
    ASSERT_EQ(GdipGetPenWidth(p, &width), Ok);
    EXPECT_EQ(width, 2.0F);
    GpUnit unit = -1;
    ASSERT_EQ(GdipGetPenUnit(copy, &unit), Ok);
    EXPECT_EQ(unit, UnitPixel);

    // A pen with a texture brush has no colour.
    std::array<std::uint32_t, 1> pixel{0xFF123456};
    GpBitmap bitmap = 0;
    ASSERT_EQ(GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(pixel.data()), &bitmap),
              Ok);
    GpTexture texture = 0;
    ASSERT_EQ(GdipCreateTexture(bitmap, WrapModeTile, &texture), Ok);
    GpPen textured = 0;
    ASSERT_EQ(GdipCreatePen2(texture, 3, UnitWorld, &textured), Ok);
    GpPenType type = -1;
    ASSERT_EQ(GdipGetPenFillType(textured, &type), Ok);
    EXPECT_EQ(type, PenTypeTextureFill);
    EXPECT_EQ(GdipGetPenColor(textured, &color), InvalidParameter);
    ASSERT_EQ(GdipDeleteBrush(texture), Ok); // the pen keeps its own copy
    Canvas canvas(6, 6);
    ASSERT_EQ(GdipDrawLineI(canvas.graphics, textured, 0, 3, 6, 3), Ok);
    EXPECT_EQ(canvas.at(3, 3), 0xFF123456u);
}

} // namespace
} // namespace vellumark::gdiplus::testing
