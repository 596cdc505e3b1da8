// Paths: the points and types each shape stores, figures, fill mode, bounds.
#include "gdiplus/gdiplus.h"
#include "support/started_library.h"

#include <gtest/gtest.h>
#include <vector>

namespace vellumark::gdiplus::testing {
namespace {

using PathGeometryTest = StartedLibrary;

GpPath newPath(GpFillMode mode = FillModeAlternate) {
    GpPath path = 0;
    EXPECT_EQ(GdipCreatePath(mode, &path), Ok);
    return path;
}

std::vector<BYTE> typesOf(GpPath path) {
    INT count = 0;
    EXPECT_EQ(GdipGetPointCount(path, &count), Ok);
    std::vector<BYTE> types(static_cast<std::size_t>(count));
    if (count > 0) {
        EXPECT_EQ(GdipGetPathTypes(path, types.data(), count), Ok);
    }
    return types;
}

std::vector<std::pair<REAL, REAL>> pointsOf(GpPath path) {
    const std::size_t count = typesOf(path).size();
    std::vector<GpPointF> points(count);
    if (count > 0) {
        EXPECT_EQ(GdipGetPathPoints(path, points.data(), static_cast<INT>(count)), Ok);
    }
    std::vector<std::pair<REAL, REAL>> out;
    for (const GpPointF& p : points) {
        out.emplace_back(p.X, p.Y);
    }
    return out;
}

TEST_F(PathGeometryTest, ShapesStoreThePublishedPointTypes) {
    struct Case {
        const char* name;
        GpStatus (*add)(GpPath);
        std::vector<BYTE> types;
    };
    const Case cases[] = {
        {"line", [](GpPath p) { return GdipAddPathLine(p, 0, 0, 5, 5); }, {0, 1}},
        {"rectangle",
         [](GpPath p) { return GdipAddPathRectangleI(p, 1, 2, 3, 4); },
         {0, 1, 1, 0x81}},
        {"ellipse",
         [](GpPath p) { return GdipAddPathEllipse(p, 0, 0, 4, 2); },
         {0, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 0x83}},
        {"bezier",
         [](GpPath p) { return GdipAddPathBezierI(p, 0, 0, 1, 1, 2, 1, 3, 0); },
         {0, 3, 3, 3}},
        {"polygon",
         [](GpPath p) {
             const GpPoint pts[3] = {{0, 0}, {4, 0}, {0, 4}};
             return GdipAddPathPolygonI(p, pts, 3);
         },
         {0, 1, 0x81}},
        {"curve",
         [](GpPath p) {
             const GpPoint pts[3] = {{0, 0}, {4, 2}, {8, 0}};
             return GdipAddPathCurveI(p, pts, 3);
         },
         {0, 3, 3, 3, 3, 3, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GpPath path = newPath();
        ASSERT_EQ(c.add(path), Ok);
        EXPECT_EQ(typesOf(path), c.types);
    }
}

TEST_F(PathGeometryTest, OpenShapesJoinTheOpenFigureAndClosedOnesStandAlone) {
    const GpPath path = newPath();
    ASSERT_EQ(GdipAddPathLine(path, 0, 0, 1, 0), Ok);
    ASSERT_EQ(GdipAddPathLine(path, 1, 0, 1, 1), Ok); // continues from (1, 0)
    ASSERT_EQ(GdipAddPathLine(path, 5, 5, 6, 6), Ok); // joined by a line
    EXPECT_EQ(typesOf(path), (std::vector<BYTE>{0, 1, 1, 1, 1}));
    ASSERT_EQ(GdipClosePathFigure(path), Ok);
    ASSERT_EQ(GdipAddPathLine(path, 7, 7, 8, 8), Ok); // a new figure after closing
    ASSERT_EQ(GdipAddPathRectangleI(path, 0, 0, 2, 2), Ok);
    EXPECT_EQ(typesOf(path), (std::vector<BYTE>{0, 1, 1, 1, 0x81, 0, 1, 0, 1, 1, 0x81}));
    ASSERT_EQ(GdipStartPathFigure(path), Ok);
    ASSERT_EQ(GdipAddPathLine(path, 0, 9, 1, 9), Ok);
    ASSERT_EQ(GdipClosePathFigures(path), Ok);
    const std::vector<BYTE> types = typesOf(path);
    EXPECT_EQ(types[6], 0x81) << "the open figure is closed too";
    EXPECT_EQ(types.back(), 0x81);
}

TEST_F(PathGeometryTest, CardinalCurvesRunThroughTheirPointsWithTangentsFromNeighbours) {
    const GpPath path = newPath();
    const GpPointF pts[3] = {{0, 0}, {6, 6}, {12, 0}};
    ASSERT_EQ(GdipAddPathCurve2(path, pts, 3, 0.5F), Ok);
    const auto points = pointsOf(path);
    ASSERT_EQ(points.size(), 7u);
    EXPECT_EQ(points[0], (std::pair{0.0F, 0.0F}));
    EXPECT_EQ(points[3], (std::pair{6.0F, 6.0F}));
    EXPECT_EQ(points[6], (std::pair{12.0F, 0.0F}));
    // At the middle point the tangent is tension / 3 of the chord (12, 0).
    EXPECT_EQ(points[2], (std::pair{4.0F, 6.0F}));
    EXPECT_EQ(points[4], (std::pair{8.0F, 6.0F}));
}

TEST_F(PathGeometryTest, ArraysRoundTripAndBadTypesAreRefused) {
    const GpPointF pts[4] = {{0, 0}, {3, 0}, {3, 3}, {9, 9}};
    const BYTE types[4] = {0, 1, 0x81, 0};
    GpPath path = 0;
    ASSERT_EQ(GdipCreatePath2(pts, types, 4, FillModeWinding, &path), Ok);
    EXPECT_EQ(typesOf(path), (std::vector<BYTE>(types, types + 4)));
    GpFillMode mode = -1;
    ASSERT_EQ(GdipGetPathFillMode(path, &mode), Ok);
    EXPECT_EQ(mode, FillModeWinding);
    std::vector<GpPoint> integer(4);
    EXPECT_EQ(GdipGetPathPointsI(path, integer.data(), 3), InvalidParameter);
    ASSERT_EQ(GdipGetPathPointsI(path, integer.data(), 4), Ok);
    EXPECT_EQ(integer[3].X, 9);

    const BYTE noStart[2] = {1, 1};
    const BYTE shortBezier[3] = {0, 3, 3};
    GpPath bad = 5;
    EXPECT_EQ(GdipCreatePath2(pts, noStart, 2, FillModeAlternate, &bad), InvalidParameter);
    EXPECT_EQ(bad, 0u);
    EXPECT_EQ(GdipCreatePath2(pts, shortBezier, 3, FillModeAlternate, &bad), InvalidParameter);
    const GpPointF two[2] = {{0, 0}, {1, 1}};
    EXPECT_EQ(GdipAddPathBeziers(path, two, 2), InvalidParameter);
    EXPECT_EQ(GdipAddPathPolygon(path, two, 2), InvalidParameter);
}

TEST_F(PathGeometryTest, CloneResetAddPathAndBounds) {
    const GpPath path = newPath();
    ASSERT_EQ(GdipAddPathRectangle(path, 1, 2, 3, 4), Ok);
    GpPath clone = 0;
    ASSERT_EQ(GdipClonePath(path, &clone), Ok);
    ASSERT_EQ(GdipAddPathPath(path, path, 0), Ok); // a path added to itself
    EXPECT_EQ(typesOf(path).size(), 8u);
    EXPECT_EQ(typesOf(clone).size(), 4u);

    GpRectF bounds{};
    ASSERT_EQ(GdipGetPathWorldBounds(clone, &bounds, 0, 0), Ok);
    EXPECT_EQ(bounds.X, 1.0F);
    EXPECT_EQ(bounds.Y, 2.0F);
    EXPECT_EQ(bounds.Width, 3.0F);
    EXPECT_EQ(bounds.Height, 4.0F);
    GpMatrix doubling = 0;
    ASSERT_EQ(GdipCreateMatrix2(2, 0, 0, 2, 0, 0, &doubling), Ok);
    GpRect integer{};
    ASSERT_EQ(GdipGetPathWorldBoundsI(clone, &integer, doubling, 0), Ok);
    EXPECT_EQ(integer.Width, 6);
    EXPECT_EQ(GdipGetPathWorldBounds(clone, &bounds, clone, 0), InvalidParameter);

    ASSERT_EQ(GdipSetPathFillMode(path, FillModeWinding), Ok);
    ASSERT_EQ(GdipResetPath(path), Ok);
    EXPECT_TRUE(typesOf(path).empty());
    GpFillMode mode = -1;
    ASSERT_EQ(GdipGetPathFillMode(path, &mode), Ok);
    EXPECT_EQ(mode, FillModeAlternate);
}

} // namespace
} // namespace vellumark::gdiplus::testing
