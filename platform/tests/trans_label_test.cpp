#include "platform/runtime.h"
#include "platform/window_probe.h"
#include "window_fixture.h"

#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace vellumark::platform {
namespace {

using testing::AllPixels;
using testing::MakeWindow;
using testing::PixelsDiffering;

const QColor kBeneath(200, 0, 0);
const QColor kSibling(0, 0, 200);

// A label on a plain red box, and a blue box created after the label that
// covers the label's right end.
class TransLabelTest : public ::testing::Test {
protected:
    static constexpr QRect kLabel{10, 20, 60, 24};
    static constexpr QRect kSiblingBox{60, 20, 20, 24};

    void SetUp() override {
        const ControlSpec controls[] = {
            {.kind = ControlKind::PicBox,
             .name = "beneath",
             .width = 120,
             .height = 100,
             .background = Rgb{200, 0, 0}},
            {.kind = ControlKind::TransLabel,
             .name = "label",
             .parent = "beneath",
             .left = kLabel.left(),
             .top = kLabel.top(),
             .width = kLabel.width(),
             .height = kLabel.height(),
             .text = "22:55",
             .font = FontSpec{"方正黑体简体", 19},
             .textColour = Rgb{255, 255, 255}},
            {.kind = ControlKind::PicBox,
             .name = "sibling",
             .parent = "beneath",
             .left = kSiblingBox.left(),
             .top = kSiblingBox.top(),
             .width = kSiblingBox.width(),
             .height = kSiblingBox.height(),
             .background = Rgb{0, 0, 200}},
        };
        window_ = MakeWindow(controls);
    }

    QImage writeAndGrab(const Text& text) {
        WriteProperty(*window_, "label", kPropertyText, text);
        return GrabClientArea(*window_);
    }

    std::unique_ptr<Window> window_;
};

TEST_F(TransLabelTest, EmptyTextShowsWhatLiesBeneath) {
    const QRect visible(kLabel.left(), kLabel.top(), kSiblingBox.left() - kLabel.left(),
                        kLabel.height());
    EXPECT_GT(PixelsDiffering(GrabClientArea(*window_), visible, kBeneath), 0);

    const QImage cleared = writeAndGrab("");
    EXPECT_TRUE(AllPixels(cleared, visible, kBeneath));
    EXPECT_TRUE(AllPixels(cleared, kSiblingBox, kSibling));
    EXPECT_EQ(ReadProperty(*window_, "label", kPropertyText), PropertyValue(Text()));
}

TEST_F(TransLabelTest, LongTextIsCutAtTheLabelEdgeAndNotWrapped) {
    // The sibling sits above the label's right end and stays there.
    const QImage shown = writeAndGrab("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    EXPECT_TRUE(AllPixels(shown, kSiblingBox, kSibling));
    EXPECT_TRUE(AllPixels(shown, QRect(80, 0, 40, 100), kBeneath));
    // One line: nothing above or below the label.
    EXPECT_TRUE(AllPixels(shown, QRect(0, 0, 120, kLabel.top()), kBeneath));
    EXPECT_TRUE(AllPixels(shown, QRect(0, kLabel.bottom() + 1, 120, 30), kBeneath));
    EXPECT_GT(PixelsDiffering(shown, QRect(10, 20, 50, 24), kBeneath), 0);
}

TEST_F(TransLabelTest, RewrittenShorterTextLeavesNoTrace) {
    writeAndGrab("-9,000.00");
    const QImage onScreen = writeAndGrab("1");
    // A fresh rendering of the widgets has no history; the window's own
    // pixels must match it.
    QWidget* top = FindControlWidget(*window_, "label")->window();
    const QImage fresh = top->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(onScreen, fresh);
    EXPECT_TRUE(AllPixels(onScreen, QRect(30, 20, 30, 24), kBeneath));
}

TEST_F(TransLabelTest, DrawsLeftAlignedAndVerticallyCentredOnOneLine) {
    const QImage shown = writeAndGrab("今天\n22:55");
    // Qt's own single-line, left, vertically centred text in the same font
    // and colour over the same background.
    QImage expected(kLabel.size(), QImage::Format_ARGB32);
    expected.fill(kBeneath);
    QPainter painter(&expected);
    painter.setFont(FindControlWidget(*window_, "label")->font());
    painter.setPen(Qt::white);
    painter.drawText(expected.rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromUtf8("今天 22:55"));
    painter.end();
    const QRect visible(0, 0, kSiblingBox.left() - kLabel.left(), kLabel.height());
    EXPECT_EQ(shown.copy(visible.translated(kLabel.topLeft())), expected.copy(visible));
}

} // namespace
} // namespace vellumark::platform
