// Every outline and fill operation reaches its own flat function, once, with
// this surface and the pen or brush it was given, and the library accepts
// what it receives. The pixels each shape gives are the library's business.
#include "imaging/brush/tests/native_objects.h"
#include "imaging/graphics/graphics.h"
#include "imaging/last_status.h"
#include "imaging/startup.h"
#include "platform/binding/call_spy.h"

#include <array>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using test_support::NativeObject;
using test_support::ScanBitmap;
using ::testing::ElementsAre;

constexpr ARGB kClear = 0x00000000u;
constexpr ARGB kWhite = 0xFFFFFFFFu;

// Four corners of a square inside a 16 x 16 canvas, in both record types.
struct Corners {
    std::array<GpPointF, 4> real{{{2, 2}, {12, 2}, {12, 12}, {2, 12}}};
    std::array<GpPoint, 4> whole{{{2, 2}, {12, 2}, {12, 12}, {2, 12}}};
};

struct Tools {
    Graphics& surface;
    const ImagingObject& pen;
    const ImagingObject& brush;
    const ImagingObject& path;
    const ImagingObject& region;
    Corners& corners;
};

struct ShapeCase {
    std::string_view flat;
    // Whether the second argument is the pen (else the brush).
    bool withPen;
    std::function<bool(Tools&)> run;
};

std::ostream& operator<<(std::ostream& out, const ShapeCase& shape) {
    return out << shape.flat;
}

const ShapeCase kShapes[] = {
    {"GdipDrawLine", true, [](Tools& t) { return t.surface.DrawLine(t.pen, 1, 1, 9, 9); }},
    {"GdipDrawLineI", true, [](Tools& t) { return t.surface.DrawLineI(t.pen, 1, 1, 9, 9); }},
    {"GdipDrawLines", true, [](Tools& t) { return t.surface.DrawLines(t.pen, t.corners.real); }},
    {"GdipDrawLinesI", true, [](Tools& t) { return t.surface.DrawLinesI(t.pen, t.corners.whole); }},
    {"GdipDrawArc", true, [](Tools& t) { return t.surface.DrawArc(t.pen, 1, 1, 10, 10, 0, 90); }},
    {"GdipDrawArcI", true, [](Tools& t) { return t.surface.DrawArcI(t.pen, 1, 1, 10, 10, 0, 90); }},
    {"GdipDrawBezier", true,
     [](Tools& t) { return t.surface.DrawBezier(t.pen, 1, 1, 4, 9, 8, 1, 12, 12); }},
    {"GdipDrawBezierI", true,
     [](Tools& t) { return t.surface.DrawBezierI(t.pen, 1, 1, 4, 9, 8, 1, 12, 12); }},
    {"GdipDrawBeziers", true,
     [](Tools& t) { return t.surface.DrawBeziers(t.pen, t.corners.real); }},
    {"GdipDrawBeziersI", true,
     [](Tools& t) { return t.surface.DrawBeziersI(t.pen, t.corners.whole); }},
    {"GdipDrawRectangle", true,
     [](Tools& t) { return t.surface.DrawRectangle(t.pen, 1, 1, 8, 8); }},
    {"GdipDrawRectangleI", true,
     [](Tools& t) { return t.surface.DrawRectangleI(t.pen, 1, 1, 8, 8); }},
    {"GdipDrawRectangles", true,
     [](Tools& t) {
         std::array<GpRectF, 2> rects{{{1, 1, 3, 3}, {6, 6, 3, 3}}};
         return t.surface.DrawRectangles(t.pen, rects);
     }},
    {"GdipDrawRectanglesI", true,
     [](Tools& t) {
         std::array<GpRect, 2> rects{{{1, 1, 3, 3}, {6, 6, 3, 3}}};
         return t.surface.DrawRectanglesI(t.pen, rects);
     }},
    {"GdipDrawEllipse", true, [](Tools& t) { return t.surface.DrawEllipse(t.pen, 1, 1, 10, 8); }},
    {"GdipDrawEllipseI", true, [](Tools& t) { return t.surface.DrawEllipseI(t.pen, 1, 1, 10, 8); }},
    {"GdipDrawPie", true, [](Tools& t) { return t.surface.DrawPie(t.pen, 1, 1, 10, 10, 45, 180); }},
    {"GdipDrawPieI", true,
     [](Tools& t) { return t.surface.DrawPieI(t.pen, 1, 1, 10, 10, 45, 180); }},
    {"GdipDrawPolygon", true,
     [](Tools& t) { return t.surface.DrawPolygon(t.pen, t.corners.real); }},
    {"GdipDrawPolygonI", true,
     [](Tools& t) { return t.surface.DrawPolygonI(t.pen, t.corners.whole); }},
    {"GdipDrawPath", true, [](Tools& t) { return t.surface.DrawPath(t.pen, t.path); }},
    {"GdipDrawCurve", true, [](Tools& t) { return t.surface.DrawCurve(t.pen, t.corners.real); }},
    {"GdipDrawCurveI", true, [](Tools& t) { return t.surface.DrawCurveI(t.pen, t.corners.whole); }},
    {"GdipDrawCurve2", true,
     [](Tools& t) { return t.surface.DrawCurve2(t.pen, t.corners.real, 0.25f); }},
    {"GdipDrawCurve2I", true,
     [](Tools& t) { return t.surface.DrawCurve2I(t.pen, t.corners.whole, 0.25f); }},
    {"GdipDrawCurve3", true,
     [](Tools& t) { return t.surface.DrawCurve3(t.pen, t.corners.real, 1, 2, 0.5f); }},
    {"GdipDrawCurve3I", true,
     [](Tools& t) { return t.surface.DrawCurve3I(t.pen, t.corners.whole, 1, 2, 0.5f); }},
    {"GdipDrawClosedCurve", true,
     [](Tools& t) { return t.surface.DrawClosedCurve(t.pen, t.corners.real); }},
    {"GdipDrawClosedCurveI", true,
     [](Tools& t) { return t.surface.DrawClosedCurveI(t.pen, t.corners.whole); }},
    {"GdipDrawClosedCurve2", true,
     [](Tools& t) { return t.surface.DrawClosedCurve2(t.pen, t.corners.real, 0.25f); }},
    {"GdipDrawClosedCurve2I", true,
     [](Tools& t) { return t.surface.DrawClosedCurve2I(t.pen, t.corners.whole, 0.25f); }},
    {"GdipFillPolygon", false,
     [](Tools& t) { return t.surface.FillPolygon(t.brush, t.corners.real, FillModeWinding); }},
    {"GdipFillPolygonI", false,
     [](Tools& t) { return t.surface.FillPolygonI(t.brush, t.corners.whole); }},
    {"GdipFillPie", false,
     [](Tools& t) { return t.surface.FillPie(t.brush, 1, 1, 10, 10, 0, 270); }},
    {"GdipFillPieI", false,
     [](Tools& t) { return t.surface.FillPieI(t.brush, 1, 1, 10, 10, 0, 270); }},
    {"GdipFillPath", false, [](Tools& t) { return t.surface.FillPath(t.brush, t.path); }},
    {"GdipFillClosedCurve", false,
     [](Tools& t) { return t.surface.FillClosedCurve(t.brush, t.corners.real); }},
    {"GdipFillClosedCurve2", false,
     [](Tools& t) { return t.surface.FillClosedCurve2(t.brush, t.corners.real, 0.5f); }},
    {"GdipFillClosedCurveI", false,
     [](Tools& t) { return t.surface.FillClosedCurveI(t.brush, t.corners.whole); }},
    {"GdipFillClosedCurve2I", false,
     [](Tools& t) {
         return t.surface.FillClosedCurve2I(t.brush, t.corners.whole, 0.5f, FillModeWinding);
     }},
    {"GdipFillRegion", false, [](Tools& t) { return t.surface.FillRegion(t.brush, t.region); }},
};

class ShapeOperations : public ::testing::TestWithParam<ShapeCase> {
protected:
    void SetUp() override {
        ASSERT_NE(ImagingStartup(), 0u);
        canvas_.emplace(16, 16, [](std::int32_t, std::int32_t) { return kClear; });
        ASSERT_TRUE(surface_.GetImageGraphicsContext(canvas_->Object()));
        GpHandle made = 0;
        ASSERT_EQ(::GdipCreatePen1(kWhite, 1.0f, UnitPixel, &made), Ok);
        pen_.SetHandle(made);
        ASSERT_EQ(::GdipCreateSolidFill(kWhite, &made), Ok);
        brush_.SetHandle(made);
        ASSERT_EQ(::GdipCreatePath(FillModeAlternate, &made), Ok);
        path_.SetHandle(made);
        ASSERT_EQ(::GdipAddPathRectangle(made, 3, 3, 6, 6), Ok);
        const GpRect area{4, 4, 5, 5};
        ASSERT_EQ(::GdipCreateRegionRectI(&area, &made), Ok);
        region_.SetHandle(made);
    }
    void TearDown() override {
        surface_.Destroy();
        pen_.Destroy();
        brush_.Destroy();
        path_.Destroy();
        region_.Destroy();
        canvas_.reset();
        ImagingShutdown();
    }

    bool AnythingDrawn() const {
        for (std::int32_t y = 0; y < 16; ++y) {
            for (std::int32_t x = 0; x < 16; ++x) {
                if (canvas_->At(x, y) != kClear) {
                    return true;
                }
            }
        }
        return false;
    }

    std::optional<ScanBitmap> canvas_;
    Graphics surface_;
    NativeObject pen_{::GdipDeletePen};
    NativeObject brush_{::GdipDeleteBrush};
    NativeObject path_{::GdipDeletePath};
    NativeObject region_{::GdipDeleteRegion};
};

TEST_P(ShapeOperations, ReachItsFlatFunctionAndDraw) {
    const ShapeCase& shape = GetParam();
    Corners corners;
    Tools tools{surface_, pen_, brush_, path_, region_, corners};
    CallSpy spy;

    EXPECT_TRUE(shape.run(tools));

    EXPECT_EQ(LastStatus, Ok);
    ASSERT_THAT(spy.Names(), ElementsAre(shape.flat));
    EXPECT_EQ(spy.Calls()[0].Integer(0), surface_.GetHandle());
    EXPECT_EQ(spy.Calls()[0].Integer(1), shape.withPen ? pen_.GetHandle() : brush_.GetHandle());
    EXPECT_TRUE(AnythingDrawn());
    // Drawing hands the points back as they were.
    const Corners untouched;
    for (std::size_t index = 0; index < 4; ++index) {
        EXPECT_EQ(corners.real[index].X, untouched.real[index].X);
        EXPECT_EQ(corners.real[index].Y, untouched.real[index].Y);
        EXPECT_EQ(corners.whole[index].X, untouched.whole[index].X);
        EXPECT_EQ(corners.whole[index].Y, untouched.whole[index].Y);
    }
}

INSTANTIATE_TEST_SUITE_P(Graphics, ShapeOperations, ::testing::ValuesIn(kShapes),
                         [](const ::testing::TestParamInfo<ShapeCase>& shape) {
                             return std::string(shape.param.flat);
                         });

class ShapeArguments : public ShapeOperations {};

TEST_F(ShapeArguments, PointArraysArriveAsBlockAndCountWithTheirExtras) {
    Corners corners;
    CallSpy spy;
    std::array<GpPointF, 4> seen{};
    spy.OnCall([&](const binding::RecordedCall& call) {
        const auto* block = static_cast<const GpPointF*>(call.Pointer(2));
        std::copy(block, block + 4, seen.begin());
    });

    EXPECT_TRUE(surface_.DrawCurve3(pen_, corners.real, 1, 2, 0.5f));

    const binding::RecordedCall& call = spy.Calls().at(0);
    EXPECT_NE(call.Pointer(2), static_cast<const void*>(corners.real.data()));
    EXPECT_EQ(call.Integer(3), 4);
    EXPECT_EQ(call.Integer(4), 1);
    EXPECT_EQ(call.Integer(5), 2);
    EXPECT_EQ(call.Real(6), 0.5);
    EXPECT_EQ(seen[1].X, 12.0f);
    EXPECT_EQ(seen[3].Y, 12.0f);
}

TEST_F(ShapeArguments, FillModesDefaultToAlternate) {
    Corners corners;
    CallSpy spy;
    EXPECT_TRUE(surface_.FillPolygon(brush_, corners.real));
    EXPECT_TRUE(surface_.FillClosedCurve2(brush_, corners.real, 0.5f));
    ASSERT_EQ(spy.Calls().size(), 2u);
    EXPECT_EQ(spy.Calls()[0].Integer(4), FillModeAlternate);
    EXPECT_EQ(spy.Calls()[1].Integer(5), FillModeAlternate);
}

TEST_F(ShapeArguments, ArcAnglesFollowTheRectangle) {
    CallSpy spy;
    EXPECT_TRUE(surface_.DrawPieI(pen_, 1, 2, 10, 11, 30.0f, 120.0f));
    const binding::RecordedCall& call = spy.Calls().at(0);
    EXPECT_EQ(call.Integer(2), 1);
    EXPECT_EQ(call.Integer(5), 11);
    EXPECT_EQ(call.Real(6), 30.0);
    EXPECT_EQ(call.Real(7), 120.0);
}

} // namespace
} // namespace vellumark::imaging
