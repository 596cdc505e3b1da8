#include "platform/runtime.h"
#include "platform/window_probe.h"
#include "window_fixture.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

namespace vellumark::platform {
namespace {

using testing::AllPixels;
using testing::EncodePng;
using testing::MakeWindow;
using testing::PixelsDiffering;
using testing::Solid;

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
constexpr QRect kBox(20, 30, 40, 40);

std::unique_ptr<Window> WindowWithBox(DisplayMode mode, std::span<const std::uint8_t> picture) {
    const ControlSpec controls[] = {{.kind = ControlKind::PicBox,
                                     .name = "box",
                                     .left = kBox.left(),
                                     .top = kBox.top(),
                                     .width = kBox.width(),
                                     .height = kBox.height(),
                                     .picture = picture,
                                     .background = Rgb{255, 255, 255},
                                     .displayMode = mode}};
    return MakeWindow(controls);
}

struct PlacementCase {
    DisplayMode mode;
    QSize picture;
    QRect drawn; // in the box
};

class PictureBoxPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PictureBoxPlacement, DrawsThePictureByDisplayMode) {
    const PlacementCase& c = GetParam();
    const Bytes png = EncodePng(Solid(c.picture.width(), c.picture.height(), kRed));
    const std::unique_ptr<Window> window = WindowWithBox(c.mode, png);
    const QImage client = GrabClientArea(*window);

    const QRect drawn = c.drawn.translated(kBox.topLeft());
    EXPECT_TRUE(AllPixels(client, drawn, kRed));
    EXPECT_EQ(PixelsDiffering(client, kBox, kWhite), drawn.width() * drawn.height());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PictureBoxPlacement,
    ::testing::Values(
        PlacementCase{DisplayMode::Centre, {30, 30}, {5, 5, 30, 30}},     // fits: own size
        PlacementCase{DisplayMode::Centre, {640, 640}, {0, 0, 40, 40}},   // shrinks to fit
        PlacementCase{DisplayMode::Centre, {80, 40}, {0, 10, 40, 20}},    // keeps proportions
        PlacementCase{DisplayMode::Centre, {10, 100}, {18, 0, 4, 40}},    // the smaller ratio
        PlacementCase{DisplayMode::Stretch, {30, 30}, {0, 0, 40, 40}},    // enlarged to fill
        PlacementCase{DisplayMode::Stretch, {100, 20}, {0, 0, 40, 40}})); // proportions lost

TEST(PictureBox, LargeJpegIsShownAtTheBoxSize) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(Solid(640, 640, QColor(0, 0, 200)).save(&buffer, "JPEG", 95));
    const Bytes bytes(jpeg.begin(), jpeg.end());
    const std::unique_ptr<Window> window = WindowWithBox(DisplayMode::Centre, bytes);
    const QImage client = GrabClientArea(*window);

    for (const QPoint corner : {kBox.topLeft(), kBox.bottomRight()}) {
        const QColor shown = client.pixelColor(corner);
        EXPECT_LE(shown.red() + shown.green(), 10);
        EXPECT_NEAR(shown.blue(), 200, 6);
    }
}

// A circular avatar's case: the box lies over another picture, and the
// PNG's transparent pixels show the box's white, not that picture.
TEST(PictureBox, BlendsTransparentPixelsOverItsOwnBackground) {
    QImage avatar = Solid(40, 40, Qt::transparent);
    QPainter(&avatar).fillRect(20, 0, 10, 40, kBlue);
    QPainter(&avatar).fillRect(30, 0, 10, 40, QColor(0, 0, 255, 128));
    const Bytes screen = EncodePng(Solid(100, 100, kRed));
    const Bytes png = EncodePng(avatar);
    const ControlSpec controls[] = {
        {.kind = ControlKind::PicBox,
         .name = "screen",
         .width = 100,
         .height = 100,
         .picture = screen},
        {.kind = ControlKind::PicBox,
         .name = "avatar",
         .parent = "screen",
         .left = 10,
         .top = 10,
         .width = 40,
         .height = 40,
         .picture = png,
         .background = Rgb{255, 255, 255},
         .displayMode = DisplayMode::Centre},
    };
    const std::unique_ptr<Window> window = MakeWindow(controls);
    const QImage client = GrabClientArea(*window);

    EXPECT_TRUE(AllPixels(client, QRect(10, 10, 20, 40), kWhite));
    EXPECT_TRUE(AllPixels(client, QRect(30, 10, 10, 40), kBlue));
    const QColor half = client.pixelColor(45, 30);
    EXPECT_NEAR(half.red(), 127, 2);
    EXPECT_NEAR(half.green(), 127, 2);
    EXPECT_EQ(half.blue(), 255);
    EXPECT_TRUE(AllPixels(client, QRect(50, 10, 50, 40), kRed));
}

// A translucent picture larger than the box is scaled down before blending;
// a dark half-transparent red tells straight alpha from premultiplied.
TEST(PictureBox, BlendsTranslucentPixelsOfAScaledDownPicture) {
    QImage picture(80, 80, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 40; ++x) {
            picture.setPixel(x, y, qRgba(100, 0, 0, 128));
        }
    }
    const Bytes png = EncodePng(picture);
    const std::unique_ptr<Window> window = WindowWithBox(DisplayMode::Centre, png);
    const QImage client = GrabClientArea(*window);

    const QColor blended = client.pixelColor(kBox.left() + 10, kBox.top() + 20);
    EXPECT_NEAR(blended.red(), 177, 3); // 100 * 0.5 + 255 * 0.5
    EXPECT_NEAR(blended.green(), 127, 3);
    EXPECT_NEAR(blended.blue(), 127, 3);
    EXPECT_TRUE(AllPixels(client, QRect(kBox.left() + 22, kBox.top(), 18, 40), kWhite));
}

TEST(PictureBox, BytesThatShowNoPictureLeaveTheBackgroundAndReadBackUnchanged) {
    const Bytes picture = EncodePng(Solid(40, 40, kRed));
    Bytes truncatedPng(picture.begin(), picture.begin() + 40);
    const Bytes cases[] = {
        Bytes{},
        Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'},
        Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 2, 3},
        Bytes{0x89, 'P', 'N', 'G'}, // a signature start, but under eight bytes
        truncatedPng,
    };
    const std::unique_ptr<Window> window = WindowWithBox(DisplayMode::Stretch, picture);
    ASSERT_TRUE(AllPixels(GrabClientArea(*window), kBox, kRed));

    for (const Bytes& bytes : cases) {
        WriteProperty(*window, "box", kPropertyPicture, bytes);
        EXPECT_TRUE(AllPixels(GrabClientArea(*window), kBox, kWhite)) << bytes.size();
        EXPECT_EQ(ReadProperty(*window, "box", kPropertyPicture), PropertyValue(bytes));
    }
}

TEST(PictureBox, KeepsItsOwnCopyOfTheWrittenBytes) {
    const std::unique_ptr<Window> window = WindowWithBox(DisplayMode::Stretch, {});
    Bytes written = EncodePng(Solid(40, 40, kRed));
    const Bytes original = written;
    WriteProperty(*window, "box", kPropertyPicture, written);
    written.assign(written.size(), 0);

    EXPECT_EQ(ReadProperty(*window, "box", kPropertyPicture), PropertyValue(original));
    EXPECT_TRUE(AllPixels(GrabClientArea(*window), kBox, kRed));
}

} // namespace
} // namespace vellumark::platform
