// The built window as the user sees it: frame, places, stacking, pictures
// and label styles, read back from the window's pixels.
#include "app/button_table.h"
#include "app/layout.h"
#include "platform/window_probe.h"
#include "window_fixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace vellumark::app::testing {
namespace {

QWidget* TopLevel(platform::Window& window) {
    QWidget* anyControl = platform::FindControlWidget(window, "编辑框1");
    return anyControl != nullptr ? anyControl->window() : nullptr;
}

TEST_F(MockupWindowTest, IsAFixedCentredWindowWithMinimiseButNoMaximise) {
    QWidget* top = TopLevel(window());
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->windowTitle(), QStringLiteral("Vellumark 1.0"));
    EXPECT_EQ(Grab().size(), QSize(770, 688));
    EXPECT_EQ(top->minimumSize(), top->maximumSize());
    EXPECT_FALSE(top->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(top->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    // Centred on its screen, not at the layout's (50, 50).
    const QRect screen = top->screen()->availableGeometry();
    const QRect frame = top->frameGeometry();
    EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 2);
    if (frame.height() <= screen.height()) {
        EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 2);
    }
}

TEST_F(MockupWindowTest, BackgroundIsBlackWhereNoControlLies) {
    const QImage client = Grab();
    for (const QPoint point : {QPoint(398, 600), QPoint(700, 600), QPoint(765, 684)}) {
        EXPECT_EQ(client.pixel(point), qRgb(0, 0, 0)) << point.x() << "," << point.y();
    }
}

TEST_F(MockupWindowTest, PhoneScreenShowsItsPictureStretchedBeneathTheEntries) {
    const QImage client = Grab();
    const auto& screenSpec =
        *std::find_if(MockupLayout().begin(), MockupLayout().end(),
                      [](const platform::ControlSpec& c) { return c.name == kPhoneScreenBox; });
    const QImage picture =
        QImage::fromData(screenSpec.picture.data(), static_cast<int>(screenSpec.picture.size()));
    ASSERT_FALSE(picture.isNull());
    // Spots that no control covers: the status bar, the header, a row.
    for (const QPoint point : {QPoint(100, 10), QPoint(300, 60), QPoint(300, 684)}) {
        const QPoint source((point.x() + 4) * picture.width() / 400,
                            point.y() * picture.height() / 688);
        EXPECT_LE(ColourDistance(client.pixel(point), picture.pixel(source)), 16)
            << point.x() << "," << point.y();
    }
}

TEST_F(MockupWindowTest, LabelsAreDrawnWhereTheirParentPlacesThem) {
    struct Case {
        std::string_view label;
        QRect expected; // window client coordinates
    };
    const Case cases[] = {
        {"透明标签1", QRect(10, 98, 56, 40)},  // child of the phone screen at (14, 98)
        {"透明标签4", QRect(12, 170, 48, 24)}, // window-level at (12, 170)
    };
    for (const Case& c : cases) {
        const QImage shown = Grab();
        platform::WriteProperty(window(), c.label, platform::kPropertyText, Text{});
        const QRect ink = DifferenceBounds(shown, Grab());
        EXPECT_FALSE(ink.isEmpty()) << c.label;
        EXPECT_TRUE(c.expected.contains(ink)) << c.label;
        // Left-aligned and vertically centred: the ink starts at the label's
        // left edge (less a glyph's side bearing) and sits about its middle.
        EXPECT_LE(ink.left() - c.expected.left(), 3) << c.label;
        EXPECT_LE(std::abs(ink.center().y() - c.expected.center().y()), 3) << c.label;
    }
}

// The hue of a colour with its grey part removed, so that a picture blended
// with white (a circular avatar's corners) keeps its direction.
std::array<double, 3> Chroma(double r, double g, double b) {
    const double grey = (r + g + b) / 3;
    const double length = std::hypot(r - grey, g - grey, b - grey);
    if (length == 0) {
        return {0, 0, 0};
    }
    return {(r - grey) / length, (g - grey) / length, (b - grey) / length};
}

std::array<double, 3> MeanChroma(const QImage& image, const QRect& rect) {
    double r = 0, g = 0, b = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            r += qRed(pixel);
            g += qGreen(pixel);
            b += qBlue(pixel);
        }
    }
    return Chroma(r, g, b);
}

double Similarity(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

TEST_F(MockupWindowTest, EachAvatarBoxShowsItsOwnPictureAboveThePhoneScreen) {
    const QImage client = Grab();
    std::vector<std::array<double, 3>> pictureHues;
    for (std::string_view box : kStartupAvatarBoxes) {
        const Bytes bytes = ReadPicture(box);
        const QImage picture = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()))
                                   .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(picture.isNull()) << box;
        pictureHues.push_back(MeanChroma(picture, picture.rect()));
    }
    // Each box's pixels must match its own picture better than any other's:
    // a box hidden under the phone screen or showing a neighbour's picture fails.
    for (std::size_t i = 0; i < kStartupAvatarBoxes.size(); ++i) {
        const auto shown = MeanChroma(client, WindowRect(kStartupAvatarBoxes[i]));
        std::size_t best = 0;
        for (std::size_t j = 1; j < pictureHues.size(); ++j) {
            if (Similarity(shown, pictureHues[j]) > Similarity(shown, pictureHues[best])) {
                best = j;
            }
        }
        EXPECT_EQ(best, i) << kStartupAvatarBoxes[i];
        EXPECT_GT(Similarity(shown, pictureHues[i]), 0.9) << kStartupAvatarBoxes[i];
    }
}

TEST_F(MockupWindowTest, LabelsUseTheirStylesColourAndSize) {
    struct Case {
        std::string_view label;
        QRgb colour;
        int minInkHeight, maxInkHeight; // from the em height of the style
    };
    const Case cases[] = {
        {"透明标签1", qRgb(180, 180, 180), 12, 20},  // period, 19 px
        {"透明标签19", qRgb(0, 0, 0), 11, 20},       // amount, 19 px
        {"透明标签20", qRgb(149, 149, 149), 10, 17}, // description, 16 px
        {"透明标签37", qRgb(255, 255, 255), 6, 13},  // phone clock, 12 px
        {"透明标签38", qRgb(0, 255, 0), 6, 24},      // panel title, GUI font
    };
    for (const Case& c : cases) {
        const QImage shown = Grab();
        platform::WriteProperty(window(), c.label, platform::kPropertyText, Text{});
        const QImage cleared = Grab();
        const QRect ink = DifferenceBounds(shown, cleared);
        ASSERT_FALSE(ink.isEmpty()) << c.label;
        EXPECT_GE(ink.height(), c.minInkHeight) << c.label;
        EXPECT_LE(ink.height(), c.maxInkHeight) << c.label;
        // The most changed pixel is the heart of a stroke: the text colour.
        QRgb strongest = 0;
        int strongestChange = -1;
        for (int y = ink.top(); y <= ink.bottom(); ++y) {
            for (int x = ink.left(); x <= ink.right(); ++x) {
                const int change = ColourDistance(shown.pixel(x, y), cleared.pixel(x, y));
                if (change > strongestChange) {
                    strongestChange = change;
                    strongest = shown.pixel(x, y);
                }
            }
        }
        EXPECT_LE(ColourDistance(strongest, c.colour), 40) << c.label;
    }
}

} // namespace
} // namespace vellumark::app::testing
