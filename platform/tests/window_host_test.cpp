// The window and its controls as window handles of the imaging library:
// drawing through a control's handle shows on that control, above its own
// painting, until the control's content changes.
#include "platform/runtime.h"
#include "platform/window_host.h"
#include "platform/window_probe.h"
#include "window_fixture.h"

#include <gdiplus/gdi.h>
#include <gdiplus/gdiplus.h>
#include <gtest/gtest.h>

namespace vellumark::platform {
namespace {

using testing::AllPixels;
using testing::EncodePng;
using testing::MakeWindow;
using testing::Solid;

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
constexpr QRect kBox(20, 30, 40, 40);
constexpr QRect kOther(100, 30, 40, 40);

class WindowHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ControlSpec controls[] = {
            {.kind = ControlKind::PicBox,
             .name = "box",
             .left = kBox.left(),
             .top = kBox.top(),
             .width = kBox.width(),
             .height = kBox.height(),
             .background = Rgb{255, 0, 0}},
            {.kind = ControlKind::PicBox,
             .name = "other",
             .left = kOther.left(),
             .top = kOther.top(),
             .width = kOther.width(),
             .height = kOther.height(),
             .background = Rgb{0, 0, 255}},
            {.kind = ControlKind::Timer, .name = "timer"},
        };
        window_ = MakeWindow(controls);
        GdiplusStartupInput input{1, nullptr, 0, 0};
        ASSERT_EQ(GdiplusStartup(&token_, &input, nullptr), Ok);
    }
    void TearDown() override { GdiplusShutdown(token_); }

    // Fills the control's top-left 10 x 10 pixels green through its handle.
    void DrawOn(std::string_view control) {
        GpGraphics graphics = 0;
        ASSERT_EQ(GdipCreateFromHWND(ControlWindowHandle(*window_, control), &graphics), Ok);
        GpSolidFill green = 0;
        ASSERT_EQ(GdipCreateSolidFill(0xFF00FF00u, &green), Ok);
        EXPECT_EQ(GdipFillRectangleI(graphics, green, 0, 0, 10, 10), Ok);
        EXPECT_EQ(GdipDeleteGraphics(graphics), Ok);
        EXPECT_EQ(GdipDeleteBrush(green), Ok);
    }

    std::unique_ptr<Window> window_;
    ULONG_PTR token_ = 0;
};

TEST_F(WindowHostTest, EveryWidgetHasAHandleOfItsOwn) {
    const std::uint32_t main = ControlWindowHandle(*window_, "");
    const std::uint32_t box = ControlWindowHandle(*window_, "box");
    const std::uint32_t other = ControlWindowHandle(*window_, "other");
    EXPECT_NE(main, 0u);
    EXPECT_NE(box, 0u);
    EXPECT_NE(other, 0u);
    EXPECT_NE(box, other);
    EXPECT_NE(main, box);
    EXPECT_EQ(ControlWindowHandle(*window_, "timer"), 0u);
    EXPECT_EQ(ControlWindowHandle(*window_, "missing"), 0u);
}

TEST_F(WindowHostTest, DrawingShowsOnTheControlUntilItsContentChanges) {
    DrawOn("box");
    QImage shown = GrabClientArea(*window_);
    EXPECT_TRUE(AllPixels(shown, QRect(kBox.topLeft(), QSize(10, 10)), kGreen));
    EXPECT_TRUE(AllPixels(shown, QRect(kBox.left() + 10, kBox.top(), 30, 40), kRed))
        << "the control's own look around the drawing";
    EXPECT_TRUE(AllPixels(shown, kOther, kBlue)) << "other controls untouched";

    // A second drawing starts from what the control shows now.
    GpGraphics graphics = 0;
    ASSERT_EQ(GdipCreateFromHWND(ControlWindowHandle(*window_, "box"), &graphics), Ok);
    GpSolidFill blue = 0;
    ASSERT_EQ(GdipCreateSolidFill(0xFF0000FFu, &blue), Ok);
    EXPECT_EQ(GdipFillRectangleI(graphics, blue, 30, 30, 10, 10), Ok);
    EXPECT_EQ(GdipFlush(graphics, FlushIntentionFlush), Ok);
    shown = GrabClientArea(*window_);
    EXPECT_TRUE(AllPixels(shown, QRect(kBox.topLeft(), QSize(10, 10)), kGreen));
    EXPECT_TRUE(AllPixels(shown, QRect(kBox.left() + 30, kBox.top() + 30, 10, 10), kBlue));
    EXPECT_EQ(GdipDeleteGraphics(graphics), Ok);
    EXPECT_EQ(GdipDeleteBrush(blue), Ok);

    WriteProperty(*window_, "box", kPropertyPicture, EncodePng(Solid(40, 40, kRed)));
    shown = GrabClientArea(*window_);
    EXPECT_TRUE(AllPixels(shown, kBox, kRed)) << "the new picture replaces the drawing";
}

TEST_F(WindowHostTest, DrawingOnTheWindowGoesWhenAControlChanges) {
    DrawOn("");
    QImage shown = GrabClientArea(*window_);
    EXPECT_TRUE(AllPixels(shown, QRect(0, 0, 10, 10), kGreen));
    EXPECT_TRUE(AllPixels(shown, kBox, kRed));

    WriteProperty(*window_, "other", kPropertyPicture, EncodePng(Solid(40, 40, kGreen)));
    shown = GrabClientArea(*window_);
    EXPECT_FALSE(AllPixels(shown, QRect(0, 0, 10, 10), kGreen));
    EXPECT_TRUE(AllPixels(shown, kOther, kGreen));
}

} // namespace
} // namespace vellumark::platform
