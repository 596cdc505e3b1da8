// Matrix semantics: element order, prepend against append, inversion,
// identity, point mapping and rejected input.
#include "gdiplus/gdiplus.h"
#include "support/started_library.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vellumark::gdiplus::testing {
namespace {

using Elements = std::array<REAL, 6>;

class MatrixTest : public StartedLibrary {
protected:
    GpMatrix make(const Elements& e) {
        GpMatrix matrix = 0;
        EXPECT_EQ(GdipCreateMatrix2(e[0], e[1], e[2], e[3], e[4], e[5], &matrix), Ok);
        return matrix;
    }

    static Elements elements(GpMatrix matrix) {
        Elements e{};
        EXPECT_EQ(GdipGetMatrixElements(matrix, e.data()), Ok);
        return e;
    }

    static GpPointF map(GpMatrix matrix, GpPointF point) {
        EXPECT_EQ(GdipTransformMatrixPoints(matrix, &point, 1), Ok);
        return point;
    }
};

void expectNear(const Elements& actual, const Elements& expected) {
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-5) << "element " << i;
    }
}

TEST_F(MatrixTest, CreatesIdentityAndKeepsElementsInPublishedOrder) {
    GpMatrix identity = 0;
    ASSERT_EQ(GdipCreateMatrix(&identity), Ok);
    EXPECT_EQ(elements(identity), (Elements{1, 0, 0, 1, 0, 0}));

    const GpMatrix m = make({2, 3, 4, 5, 6, 7});
    EXPECT_EQ(elements(m), (Elements{2, 3, 4, 5, 6, 7}));
    // Row-vector convention: x' = m11*x + m21*y + dx, y' = m12*x + m22*y + dy.
    const GpPointF p = map(m, {1, 10});
    EXPECT_FLOAT_EQ(p.X, 2 * 1 + 4 * 10 + 6);
    EXPECT_FLOAT_EQ(p.Y, 3 * 1 + 5 * 10 + 7);

    ASSERT_EQ(GdipSetMatrixElements(m, 1, 0, 0, 1, -1, -2), Ok);
    EXPECT_EQ(elements(m), (Elements{1, 0, 0, 1, -1, -2}));
}

TEST_F(MatrixTest, PrependAppliesTheOperationFirstAndAppendLast) {
    struct Case {
        const char* what;
        GpStatus (*apply)(GpMatrix, GpMatrixOrder);
        GpMatrixOrder order;
        Elements expected; // starting from scale (2, 3)
    };
    const Case cases[] = {
        {"translate prepend",
         [](GpMatrix m, GpMatrixOrder o) { return GdipTranslateMatrix(m, 10, 20, o); },
         MatrixOrderPrepend,
         {2, 0, 0, 3, 20, 60}},
        {"translate append",
         [](GpMatrix m, GpMatrixOrder o) { return GdipTranslateMatrix(m, 10, 20, o); },
         MatrixOrderAppend,
         {2, 0, 0, 3, 10, 20}},
        {"scale prepend",
         [](GpMatrix m, GpMatrixOrder o) { return GdipScaleMatrix(m, 5, 7, o); },
         MatrixOrderPrepend,
         {10, 0, 0, 21, 0, 0}},
        {"rotate prepend",
         [](GpMatrix m, GpMatrixOrder o) { return GdipRotateMatrix(m, 90, o); },
         MatrixOrderPrepend,
         {0, 3, -2, 0, 0, 0}},
        {"rotate append",
         [](GpMatrix m, GpMatrixOrder o) { return GdipRotateMatrix(m, 90, o); },
         MatrixOrderAppend,
         {0, 2, -3, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GpMatrix m = make({2, 0, 0, 3, 0, 0});
        ASSERT_EQ(c.apply(m, c.order), Ok);
        expectNear(elements(m), c.expected);
    }
}

TEST_F(MatrixTest, MultiplyFollowsTheOrderAndAcceptsItselfAsOperand) {
    const GpMatrix shift = make({1, 0, 0, 1, 5, 0});
    const GpMatrix doubling = make({2, 0, 0, 2, 0, 0});

    const GpMatrix prepended = make({1, 0, 0, 1, 5, 0});
    ASSERT_EQ(GdipMultiplyMatrix(prepended, doubling, MatrixOrderPrepend), Ok);
    const GpPointF p = map(prepended, {1, 1}); // doubled, then shifted
    EXPECT_FLOAT_EQ(p.X, 7);
    EXPECT_FLOAT_EQ(p.Y, 2);

    ASSERT_EQ(GdipMultiplyMatrix(shift, doubling, MatrixOrderAppend), Ok);
    const GpPointF q = map(shift, {1, 1}); // shifted, then doubled
    EXPECT_FLOAT_EQ(q.X, 12);
    EXPECT_FLOAT_EQ(q.Y, 2);

    ASSERT_EQ(GdipMultiplyMatrix(doubling, doubling, MatrixOrderAppend), Ok);
    EXPECT_EQ(elements(doubling), (Elements{4, 0, 0, 4, 0, 0}));
}

TEST_F(MatrixTest, InvertsAndRefusesSingularMatrices) {
    const GpMatrix m = make({2, 0, 0, 4, 6, 8});
    BOOL invertible = 0;
    ASSERT_EQ(GdipIsMatrixInvertible(m, &invertible), Ok);
    EXPECT_TRUE(invertible);
    ASSERT_EQ(GdipInvertMatrix(m), Ok);
    expectNear(elements(m), {0.5F, 0, 0, 0.25F, -3, -2});

    const Elements singularElements{1, 2, 2, 4, 1, 1};
    const GpMatrix singular = make(singularElements);
    ASSERT_EQ(GdipIsMatrixInvertible(singular, &invertible), Ok);
    EXPECT_FALSE(invertible);
    EXPECT_EQ(GdipInvertMatrix(singular), InvalidParameter);
    EXPECT_EQ(elements(singular), singularElements) << "a failed inversion changes nothing";
}

TEST_F(MatrixTest, IdentityAfterAFullTurnButNotAfterATranslation) {
    GpMatrix m = 0;
    ASSERT_EQ(GdipCreateMatrix(&m), Ok);
    BOOL identity = 0;
    ASSERT_EQ(GdipRotateMatrix(m, 360, MatrixOrderPrepend), Ok);
    ASSERT_EQ(GdipIsMatrixIdentity(m, &identity), Ok);
    EXPECT_TRUE(identity);
    ASSERT_EQ(GdipTranslateMatrix(m, 0.5F, 0, MatrixOrderAppend), Ok);
    ASSERT_EQ(GdipIsMatrixIdentity(m, &identity), Ok);
    EXPECT_FALSE(identity);
}

TEST_F(MatrixTest, CloneIsIndependent) {
    const GpMatrix original = make({1, 2, 3, 4, 5, 6});
    GpMatrix clone = 0;
    ASSERT_EQ(GdipCloneMatrix(original, &clone), Ok);
    EXPECT_NE(clone, original);
    ASSERT_EQ(GdipTranslateMatrix(clone, 100, 100, MatrixOrderAppend), Ok);
    EXPECT_EQ(elements(original), (Elements{1, 2, 3, 4, 5, 6}));
    ASSERT_EQ(GdipDeleteMatrix(original), Ok);
    EXPECT_EQ(elements(clone), (Elements{1, 2, 3, 4, 105, 106}));
}

TEST_F(MatrixTest, IntegerPointsRoundToNearestAndRefuseOverflow) {
    const GpMatrix half = make({0.5F, 0, 0, 0.5F, 0, 0});
    std::array<GpPoint, 3> points{{{3, -3}, {5, 4}, {-7, 1}}};
    ASSERT_EQ(GdipTransformMatrixPointsI(half, points.data(), 3), Ok);
    EXPECT_EQ(points[0].X, 2);  // 1.5
    EXPECT_EQ(points[0].Y, -1); // -1.5
    EXPECT_EQ(points[1].X, 3);  // 2.5
    EXPECT_EQ(points[1].Y, 2);
    EXPECT_EQ(points[2].X, -3); // -3.5

    const GpMatrix huge = make({1e10F, 0, 0, 1, 0, 0});
    std::array<GpPoint, 2> safe{{{0, 0}, {1, 1}}};
    EXPECT_EQ(GdipTransformMatrixPointsI(huge, safe.data(), 2), ValueOverflow);
    EXPECT_EQ(safe[1].X, 1) << "no point changes when one overflows";
}

TEST_F(MatrixTest, RejectsNonFiniteNumbersAndEmptyPointLists) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    GpMatrix created = 77;
    EXPECT_EQ(GdipCreateMatrix2(1, 0, 0, 1, inf, 0, &created), InvalidParameter);
    EXPECT_EQ(created, 0u) << "a failed create leaves no handle behind";

    const GpMatrix m = make({1, 0, 0, 1, 0, 0});
    EXPECT_EQ(GdipSetMatrixElements(m, nan, 0, 0, 1, 0, 0), InvalidParameter);
    EXPECT_EQ(GdipTranslateMatrix(m, 0, inf, MatrixOrderPrepend), InvalidParameter);
    EXPECT_EQ(GdipScaleMatrix(m, nan, 1, MatrixOrderPrepend), InvalidParameter);
    EXPECT_EQ(GdipRotateMatrix(m, -inf, MatrixOrderAppend), InvalidParameter);
    EXPECT_EQ(elements(m), (Elements{1, 0, 0, 1, 0, 0}));

    GpPointF point{1, 1};
    GpPoint pointI{1, 1};
    EXPECT_EQ(GdipTransformMatrixPoints(m, &point, 0), InvalidParameter);
    EXPECT_EQ(GdipTransformMatrixPointsI(m, &pointI, -1), InvalidParameter);
}

} // namespace
} // namespace vellumark::gdiplus::testing
