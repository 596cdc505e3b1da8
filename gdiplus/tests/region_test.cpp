// Regions: combine modes, the infinite and empty states, movement, queries,
// and filling a region on a surface.
#include "gdiplus/gdiplus.h"
#include "graphics_canvas.h"
#include "support/started_library.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vellumark::gdiplus::testing {
namespace {

using RegionTest = StartedLibrary;

constexpr ARGB kInk = 0xFF0000FF;

GpRegion rectRegion(INT x, INT y, INT width, INT height) {
    const GpRect rect{x, y, width, height};
    GpRegion region = 0;
    EXPECT_EQ(GdipCreateRegionRectI(&rect, &region), Ok);
    return region;
}

bool visible(GpRegion region, REAL x, REAL y) {
    BOOL result = -1;
    EXPECT_EQ(GdipIsVisibleRegionPoint(region, x, y, 0, &result), Ok);
    return result != 0;
}

GpRectF bounds(GpRegion region, GpGraphics graphics) {
    GpRectF rect{-1, -1, -1, -1};
    EXPECT_EQ(GdipGetRegionBounds(region, graphics, &rect), Ok);
    return rect;
}

void expectRect(const GpRectF& rect, REAL x, REAL y, REAL width, REAL height) {
    EXPECT_EQ(rect.X, x);
    EXPECT_EQ(rect.Y, y);
    EXPECT_EQ(rect.Width, width);
    EXPECT_EQ(rect.Height, height);
}

// Probe points for A = (0, 0, 10, 10) and B = (5, 5, 10, 10): in A only, in
// both, in B only, in neither.
constexpr GpPointF kProbes[] = {{2, 2}, {7, 7}, {12, 12}, {20, 20}};

std::string probe(GpRegion region) {
    std::string seen;
    for (const GpPointF& p : kProbes) {
        seen += visible(region, p.X, p.Y) ? '#' : '.';
    }
    return seen;
}

TEST_F(RegionTest, CombineModesGiveTheirAreaWhateverFormTheOtherAreaTakes) {
    struct Mode {
        GpCombineMode mode;
        const char* expected; // A only, both, B only, neither
    };
    const Mode modes[] = {
        {CombineModeReplace, ".##."}, {CombineModeIntersect, ".#.."},
        {CombineModeUnion, "###."},   {CombineModeXor, "#.#."},
        {CombineModeExclude, "#..."}, {CombineModeComplement, "..#."},
    };
    // B as a rectangle of either type, a path and a region.
    const std::function<GpStatus(GpRegion, GpCombineMode)> forms[] = {
        [](GpRegion r, GpCombineMode m) {
            const GpRectF b{5, 5, 10, 10};
            return GdipCombineRegionRect(r, &b, m);
        },
        [](GpRegion r, GpCombineMode m) {
            const GpRect b{5, 5, 10, 10};
            return GdipCombineRegionRectI(r, &b, m);
        },
        [](GpRegion r, GpCombineMode m) {
            GpPath path = 0;
            EXPECT_EQ(GdipCreatePath(FillModeAlternate, &path), Ok);
            EXPECT_EQ(GdipAddPathRectangleI(path, 5, 5, 10, 10), Ok);
            return GdipCombineRegionPath(r, path, m);
        },
        [](GpRegion r, GpCombineMode m) {
            return GdipCombineRegionRegion(r, rectRegion(5, 5, 10, 10), m);
        },
    };
    for (std::size_t form = 0; form < std::size(forms); ++form) {
        for (const Mode& m : modes) {
            const GpRegion a = rectRegion(0, 0, 10, 10);
            ASSERT_EQ(forms[form](a, m.mode), Ok);
            EXPECT_EQ(probe(a), m.expected) << "mode " << m.mode << ", form " << form;
        }
    }
}

TEST_F(RegionTest, IntersectionHasHalfOpenEdgesAndMovesWithTranslation) {
    Canvas canvas(4, 4);
    const GpRegion region = rectRegion(0, 0, 10, 10);
    const GpRectF second{5, 5, 10, 10};
    ASSERT_EQ(GdipCombineRegionRect(region, &second, CombineModeIntersect), Ok);
    expectRect(bounds(region, canvas.graphics), 5, 5, 5, 5);
    EXPECT_TRUE(visible(region, 6, 6));
    EXPECT_FALSE(visible(region, 2, 2));
    EXPECT_TRUE(visible(region, 5, 5)) << "left and top edges are inside";
    EXPECT_FALSE(visible(region, 10, 7)) << "the right edge is outside";
    EXPECT_FALSE(visible(region, 7, 10)) << "the bottom edge is outside";

    ASSERT_EQ(GdipTranslateRegion(region, 3, 4), Ok);
    expectRect(bounds(region, canvas.graphics), 8, 9, 5, 5);
    ASSERT_EQ(GdipTranslateRegionI(region, -8, -9), Ok);
    GpRect whole{-1, -1, -1, -1};
    ASSERT_EQ(GdipGetRegionBoundsI(region, canvas.graphics, &whole), Ok);
    EXPECT_EQ(whole.X, 0);
    EXPECT_EQ(whole.Width, 5);

    GpMatrix scale = 0;
    ASSERT_EQ(GdipCreateMatrix2(2, 0, 0, 3, 1, 0, &scale), Ok);
    ASSERT_EQ(GdipTransformRegion(region, scale), Ok);
    expectRect(bounds(region, canvas.graphics), 1, 0, 10, 15);
}

TEST_F(RegionTest, InfiniteAndEmptyRegionsKeepTheirStatesThroughCombining) {
    Canvas canvas(4, 4);
    auto is = [&](GpStatus (*query)(GpRegion, GpGraphics, BOOL*), GpRegion region) {
        BOOL result = -1;
        EXPECT_EQ(query(region, canvas.graphics, &result), Ok);
        return result != 0;
    };
    GpRegion region = 0;
    ASSERT_EQ(GdipCreateRegion(&region), Ok);
    EXPECT_TRUE(is(GdipIsInfiniteRegion, region));
    EXPECT_FALSE(is(GdipIsEmptyRegion, region));
    expectRect(bounds(region, canvas.graphics), -4194304, -4194304, 8388608, 8388608);
    EXPECT_TRUE(visible(region, -1e6F, 1e6F));
    ASSERT_EQ(GdipTranslateRegion(region, 5, 5), Ok);
    EXPECT_TRUE(is(GdipIsInfiniteRegion, region)) << "moving infinity changes nothing";

    // Intersecting makes it finite; uniting with infinity makes it infinite again.
    const GpRect box{1, 1, 2, 2};
    ASSERT_EQ(GdipCombineRegionRectI(region, &box, CombineModeIntersect), Ok);
    EXPECT_FALSE(is(GdipIsInfiniteRegion, region));
    expectRect(bounds(region, canvas.graphics), 1, 1, 2, 2);
    GpRegion everything = 0;
    ASSERT_EQ(GdipCreateRegion(&everything), Ok);
    ASSERT_EQ(GdipCombineRegionRegion(region, everything, CombineModeUnion), Ok);
    EXPECT_TRUE(is(GdipIsInfiniteRegion, region));

    // Excluding a hole from infinity leaves everything but the hole.
    ASSERT_EQ(GdipCombineRegionRectI(region, &box, CombineModeExclude), Ok);
    EXPECT_FALSE(is(GdipIsInfiniteRegion, region));
    EXPECT_FALSE(visible(region, 2, 2));
    EXPECT_TRUE(visible(region, 100, -100));

    ASSERT_EQ(GdipSetEmpty(region), Ok);
    EXPECT_TRUE(is(GdipIsEmptyRegion, region));
    expectRect(bounds(region, canvas.graphics), 0, 0, 0, 0);
    ASSERT_EQ(GdipCombineRegionRectI(region, &box, CombineModeComplement), Ok);
    EXPECT_TRUE(visible(region, 2, 2));
    // A region xor itself, and an area-less rectangle, are empty.
    ASSERT_EQ(GdipCombineRegionRegion(region, region, CombineModeXor), Ok);
    EXPECT_TRUE(is(GdipIsEmptyRegion, region));
    EXPECT_TRUE(is(GdipIsEmptyRegion, rectRegion(3, 3, 0, 5)));
    ASSERT_EQ(GdipSetInfinite(region), Ok);
    EXPECT_TRUE(is(GdipIsInfiniteRegion, region));
}

TEST_F(RegionTest, EqualityComparesAreasNotHowTheyWereBuilt) {
    Canvas canvas(4, 4);
    const GpRegion whole = rectRegion(0, 0, 10, 10);
    const GpRegion halves = rectRegion(0, 0, 10, 4);
    const GpRect lower{0, 4, 10, 6};
    ASSERT_EQ(GdipCombineRegionRectI(halves, &lower, CombineModeUnion), Ok);
    GpRegion mirrored = 0;
    const GpRectF flipped{10, 10, -10, -10};
    ASSERT_EQ(GdipCreateRegionRect(&flipped, &mirrored), Ok);
    GpRegion copy = 0;
    ASSERT_EQ(GdipCloneRegion(whole, &copy), Ok);
    ASSERT_EQ(GdipTranslateRegionI(copy, 1, 0), Ok);

    auto equal = [&](GpRegion a, GpRegion b) {
        BOOL result = -1;
        EXPECT_EQ(GdipIsEqualRegion(a, b, canvas.graphics, &result), Ok);
        return result != 0;
    };
    EXPECT_TRUE(equal(whole, halves));
    EXPECT_TRUE(equal(whole, mirrored));
    EXPECT_FALSE(equal(whole, copy)) << "the clone moved on its own";
    GpRegion infinite = 0;
    ASSERT_EQ(GdipCreateRegion(&infinite), Ok);
    EXPECT_FALSE(equal(whole, infinite));
    EXPECT_TRUE(equal(infinite, infinite));
}

TEST_F(RegionTest, PathRegionsFollowTheFillModeAndRectanglesNeedArea) {
    for (GpFillMode mode : {FillModeAlternate, FillModeWinding}) {
        GpPath path = 0;
        ASSERT_EQ(GdipCreatePath(mode, &path), Ok);
        ASSERT_EQ(GdipAddPathRectangleI(path, 0, 0, 10, 10), Ok);
        ASSERT_EQ(GdipAddPathRectangleI(path, 3, 3, 4, 4), Ok);
        GpRegion region = 0;
        ASSERT_EQ(GdipCreateRegionPath(path, &region), Ok);
        EXPECT_TRUE(visible(region, 1, 1));
        EXPECT_EQ(visible(region, 5, 5), mode == FillModeWinding) << mode;
        struct Probe {
            GpRect rect;
            bool expected;
        };
        const Probe probes[] = {
            {{8, 8, 5, 5}, true},                    // overlaps a corner
            {{10, 0, 3, 3}, false},                  // touches the right edge only
            {{4, 4, 2, 2}, mode == FillModeWinding}, // inside the hole
            {{1, 1, 0, 4}, false},                   // no area
        };
        for (const Probe& p : probes) {
            BOOL result = -1;
            ASSERT_EQ(GdipIsVisibleRegionRectI(region, p.rect.X, p.rect.Y, p.rect.Width,
                                               p.rect.Height, 0, &result),
                      Ok);
            EXPECT_EQ(result != 0, p.expected) << p.rect.X << "," << p.rect.Y << " mode " << mode;
        }
    }
}

TEST_F(RegionTest, QueriesRefuseBadSurfacesAndBadNumbers) {
    Canvas canvas(4, 4);
    const GpRegion region = rectRegion(0, 0, 4, 4);
    GpMatrix notASurface = 0;
    ASSERT_EQ(GdipCreateMatrix(&notASurface), Ok);
    BOOL result = 0;
    EXPECT_EQ(GdipIsVisibleRegionPoint(region, 1, 1, canvas.graphics, &result), Ok);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(GdipIsVisibleRegionPoint(region, 1, 1, notASurface, &result), InvalidParameter);
    EXPECT_EQ(GdipIsEmptyRegion(region, 0, &result), InvalidParameter);
    EXPECT_EQ(GdipIsVisibleRegionPoint(region, NAN, 1, 0, &result), InvalidParameter);
    const GpRectF nonFinite{0, 0, INFINITY, 1};
    EXPECT_EQ(GdipCombineRegionRect(region, &nonFinite, CombineModeUnion), InvalidParameter);
    EXPECT_EQ(GdipTranslateRegion(region, 0, NAN), InvalidParameter);
    GpRegion made = 7;
    EXPECT_EQ(GdipCreateRegionRect(&nonFinite, &made), InvalidParameter);
    EXPECT_EQ(made, 0u);

    // The infinite region's integer bounds fit; a region scaled far beyond
    // INT range reports an overflow instead of a wrapped rectangle.
    GpMatrix huge = 0;
    ASSERT_EQ(GdipCreateMatrix2(1e9F, 0, 0, 1e9F, 0, 0, &huge), Ok);
    ASSERT_EQ(GdipTransformRegion(region, huge), Ok);
    GpRect whole{};
    EXPECT_EQ(GdipGetRegionBoundsI(region, canvas.graphics, &whole), ValueOverflow);
}

// Little-endian region data: the header (size, checksum, version, children)
// around `nodes`.
std::vector<BYTE> regionData(std::vector<std::uint32_t> nodes) {
    std::vector<std::uint32_t> words = {0, 0, 0xDBC01002, 0};
    words.insert(words.end(), nodes.begin(), nodes.end());
    words[0] = static_cast<std::uint32_t>(words.size() * 4 - 4);
    std::vector<BYTE> bytes(words.size() * 4);
    std::memcpy(bytes.data(), words.data(), bytes.size());
    return bytes;
}

std::uint32_t bitsOf(REAL value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST_F(RegionTest, RegionDataRoundTripsEveryKindOfRegion) {
    Canvas canvas(4, 4);
    GpRegion infinite = 0;
    ASSERT_EQ(GdipCreateRegion(&infinite), Ok);
    GpRegion empty = 0;
    ASSERT_EQ(GdipCreateRegion(&empty), Ok);
    ASSERT_EQ(GdipSetEmpty(empty), Ok);
    const GpRegion rect = rectRegion(1, 2, 30, 40);
    const GpRegion holed = rectRegion(0, 0, 10, 10);
    const GpRect hole{3, 3, 4, 4};
    ASSERT_EQ(GdipCombineRegionRectI(holed, &hole, CombineModeExclude), Ok);
    GpPath ellipse = 0;
    ASSERT_EQ(GdipCreatePath(FillModeAlternate, &ellipse), Ok);
    ASSERT_EQ(GdipAddPathEllipse(ellipse, 0, 0, 20, 10), Ok);
    GpRegion curved = 0;
    ASSERT_EQ(GdipCreateRegionPath(ellipse, &curved), Ok);

    for (GpRegion original : {infinite, empty, rect, holed, curved}) {
        UINT size = 0;
        ASSERT_EQ(GdipGetRegionDataSize(original, &size), Ok);
        std::vector<BYTE> data(size);
        UINT filled = 0;
        EXPECT_EQ(GdipGetRegionData(original, data.data(), size - 1, &filled), InsufficientBuffer);
        ASSERT_EQ(GdipGetRegionData(original, data.data(), size, &filled), Ok);
        EXPECT_EQ(filled, size);
        GpRegion copy = 0;
        ASSERT_EQ(GdipCreateRegionRgnData(data.data(), static_cast<INT>(size), &copy), Ok);
        BOOL equal = 0;
        ASSERT_EQ(GdipIsEqualRegion(original, copy, canvas.graphics, &equal), Ok);
        EXPECT_TRUE(equal) << "region " << original;
    }
}

TEST_F(RegionTest, RegionDataTreesCombineAndHostileDataIsRefused) {
    // Intersect(rect (0, 0, 10, 10), rect (5, 5, 10, 10)).
    const std::vector<BYTE> tree =
        regionData({1, 0x10000000, 0, 0, bitsOf(10), bitsOf(10), 0x10000000, bitsOf(5), bitsOf(5),
                    bitsOf(10), bitsOf(10)});
    GpRegion region = 0;
    ASSERT_EQ(GdipCreateRegionRgnData(tree.data(), static_cast<INT>(tree.size()), &region), Ok);
    EXPECT_TRUE(visible(region, 7, 7));
    EXPECT_FALSE(visible(region, 2, 2));

    std::vector<std::uint32_t> deep(100, 2); // 100 nested unions
    deep.push_back(0x10000003);
    struct Bad {
        const char* why;
        std::vector<BYTE> data;
    };
    std::vector<Bad> bad = {
        {"truncated", std::vector<BYTE>(tree.begin(), tree.end() - 3)},
        {"unknown node", regionData({0x10000009})},
        {"replace is no node", regionData({0, 0x10000003, 0x10000003})},
        {"too deep", regionData(deep)},
        {"combine without operands", regionData({2})},
        {"non-finite rectangle", regionData({0x10000000, 0, 0, bitsOf(INFINITY), bitsOf(1)})},
        // A path record claiming four billion points in 16 bytes.
        {"huge point count", regionData({0x10000001, 16, 0xDBC01002, 0xFFFFFFFF, 0, 0})},
        // One point whose type is a line: no figure start.
        {"bad point types", regionData({0x10000001, 24, 0xDBC01002, 1, 0, 0, 0, 1})},
    };
    std::vector<BYTE> wrongVersion = regionData({0x10000003});
    wrongVersion[11] = 0x12;
    bad.push_back({"wrong version", wrongVersion});
    std::vector<BYTE> shortSize = regionData({0x10000003});
    shortSize[0] = 4;
    bad.push_back({"size below the header", shortSize});
    for (const Bad& b : bad) {
        GpRegion made = 5;
        EXPECT_EQ(GdipCreateRegionRgnData(b.data.data(), static_cast<INT>(b.data.size()), &made),
                  InvalidParameter)
            << b.why;
        EXPECT_EQ(made, 0u) << b.why;
    }
}

TEST_F(RegionTest, ScansAreWholeUnitBandsAfterTheMatrix) {
    GpMatrix identity = 0;
    ASSERT_EQ(GdipCreateMatrix(&identity), Ok);
    GpMatrix stretch = 0;
    ASSERT_EQ(GdipCreateMatrix2(2, 0, 0, 3, 1, 0, &stretch), Ok);
    auto scans = [](GpRegion region, GpMatrix matrix) {
        UINT count = 99;
        EXPECT_EQ(GdipGetRegionScansCount(region, &count, matrix), Ok);
        std::vector<GpRect> rects(count);
        INT written = static_cast<INT>(count);
        EXPECT_EQ(GdipGetRegionScansI(region, rects.data(), &written, matrix), Ok);
        EXPECT_EQ(written, static_cast<INT>(count));
        std::string text;
        for (const GpRect& r : rects) {
            text += std::to_string(r.X) + "," + std::to_string(r.Y) + "," +
                    std::to_string(r.Width) + "," + std::to_string(r.Height) + " ";
        }
        return text;
    };
    EXPECT_EQ(scans(rectRegion(1, 2, 3, 4), identity), "1,2,3,4 ");
    EXPECT_EQ(scans(rectRegion(1, 2, 3, 4), stretch), "3,6,6,12 ");
    const GpRegion holed = rectRegion(0, 0, 10, 10);
    const GpRect hole{3, 3, 4, 4};
    ASSERT_EQ(GdipCombineRegionRectI(holed, &hole, CombineModeExclude), Ok);
    EXPECT_EQ(scans(holed, identity), "0,0,10,3 0,3,3,4 7,3,3,4 0,7,10,3 ");
    GpRegion infinite = 0;
    ASSERT_EQ(GdipCreateRegion(&infinite), Ok);
    EXPECT_EQ(scans(infinite, stretch), "-4194304,-4194304,8388608,8388608 ");

    // Real records, too small a block, an empty region, and overflow.
    std::vector<GpRectF> real(4);
    INT room = 3;
    EXPECT_EQ(GdipGetRegionScans(holed, real.data(), &room, identity), InsufficientBuffer);
    room = 4;
    ASSERT_EQ(GdipGetRegionScans(holed, real.data(), &room, stretch), Ok);
    EXPECT_EQ(real[1].X, 1.0F);
    EXPECT_EQ(real[1].Height, 12.0F);
    const GpRegion empty = rectRegion(0, 0, 0, 0);
    INT none = 0;
    EXPECT_EQ(GdipGetRegionScans(empty, nullptr, &none, identity), Ok);
    EXPECT_EQ(none, 0);
    GpMatrix huge = 0;
    ASSERT_EQ(GdipCreateMatrix2(1e7F, 0, 0, 1, 0, 0, &huge), Ok);
    UINT count = 0;
    EXPECT_EQ(GdipGetRegionScansCount(holed, &count, huge), ValueOverflow);
}

TEST_F(RegionTest, FillRegionPaintsExactlyTheRegionsPixels) {
    const GpBrush ink = solidBrush(kInk);
    {
        Canvas canvas(8, 6);
        const GpRegion region = rectRegion(1, 1, 6, 4);
        const GpRect hole{3, 2, 2, 2};
        ASSERT_EQ(GdipCombineRegionRectI(region, &hole, CombineModeExclude), Ok);
        ASSERT_EQ(GdipFillRegion(canvas.graphics, ink, region), Ok);
        EXPECT_EQ(canvas.mask(kInk), (std::vector<std::string>{
                                         "........",
                                         ".######.",
                                         ".##..##.",
                                         ".##..##.",
                                         ".######.",
                                         "........",
                                     }));
    }
    {
        // Regions are in world coordinates, so the page scale applies.
        Canvas canvas(8, 6);
        ASSERT_EQ(GdipSetPageScale(canvas.graphics, 2), Ok);
        ASSERT_EQ(GdipFillRegion(canvas.graphics, ink, rectRegion(1, 1, 2, 1)), Ok);
        EXPECT_EQ(canvas.mask(kInk), (std::vector<std::string>{
                                         "........",
                                         "........",
                                         "..####..",
                                         "..####..",
                                         "........",
                                         "........",
                                     }));
    }
    {
        Canvas canvas(5, 3);
        GpRegion everything = 0;
        ASSERT_EQ(GdipCreateRegion(&everything), Ok);
        ASSERT_EQ(GdipFillRegion(canvas.graphics, ink, everything), Ok);
        EXPECT_EQ(canvas.mask(kInk), (std::vector<std::string>(3, "#####")));
        GpRegion nothing = 0;
        ASSERT_EQ(GdipCloneRegion(everything, &nothing), Ok);
        ASSERT_EQ(GdipSetEmpty(nothing), Ok);
        Canvas untouched(5, 3);
        EXPECT_EQ(GdipFillRegion(untouched.graphics, ink, nothing), Ok);
        EXPECT_EQ(untouched.mask(0), std::vector<std::string>(3, "#####"))
            << "the empty region paints nothing";
    }
}

} // namespace
} // namespace vellumark::gdiplus::testing
