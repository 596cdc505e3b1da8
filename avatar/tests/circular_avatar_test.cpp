#include "avatar/circular_avatar.h"
#include "imaging/startup.h"
#include "platform/binding/call_spy.h"
#include "platform/runtime.h"

#include <QBuffer>
#include <QImage>
#include <array>
#include <cstdint>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

namespace vellumark::avatar {
namespace {

using ::testing::ElementsAre;

Bytes EncodePng(const QImage& picture) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, "PNG"));
    return Bytes(encoded.begin(), encoded.end());
}

QImage DecodePng(const Bytes& png) {
    QImage decoded = QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
    return decoded.convertToFormat(QImage::Format_ARGB32);
}

// Every pixel different, so a shifted or scaled copy cannot pass: red and
// green carry x and y, blue a mix of both.
QRgb Pattern(int x, int y) {
    return qRgba(x % 256, y % 256, (x * 7 + y * 13) % 256, 255);
}

QImage Patterned(int width, int height) {
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, Pattern(x, y));
        }
    }
    return picture;
}

// Inside the inscribed disc with a pixel's margin, where the fill is sure to
// have painted whatever the rule for edge pixels.
bool WellInsideDisc(int x, int y, int side) {
    const double radius = side / 2.0;
    const double dx = x + 0.5 - radius;
    const double dy = y + 0.5 - radius;
    return dx * dx + dy * dy < (radius - 1.5) * (radius - 1.5);
}

bool WellOutsideDisc(int x, int y, int side) {
    const double radius = side / 2.0;
    const double dx = x + 0.5 - radius;
    const double dy = y + 0.5 - radius;
    return dx * dx + dy * dy > (radius + 1.5) * (radius + 1.5);
}

struct SizeCase {
    int width;
    int height;
    int side;
};

class CircularAvatarSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(CircularAvatarSizes, DiscShowsTheTopLeftSquarePixelForPixel) {
    const SizeCase size = GetParam();
    const QImage out =
        DecodePng(MakeCircularAvatarPng(EncodePng(Patterned(size.width, size.height))));

    ASSERT_EQ(out.width(), size.side);
    ASSERT_EQ(out.height(), size.side);
    ASSERT_TRUE(out.hasAlphaChannel());
    const int last = size.side - 1;
    for (const auto& [x, y] :
         std::array<std::pair<int, int>, 4>{{{0, 0}, {last, 0}, {0, last}, {last, last}}}) {
        EXPECT_EQ(qAlpha(out.pixel(x, y)), 0) << x << "," << y;
    }
    EXPECT_EQ(out.pixel(size.side / 2, size.side / 2), Pattern(size.side / 2, size.side / 2));
    int inside = 0;
    for (int y = 0; y < size.side; ++y) {
        for (int x = 0; x < size.side; ++x) {
            if (WellInsideDisc(x, y, size.side)) {
                ++inside;
                ASSERT_EQ(out.pixel(x, y), Pattern(x, y)) << x << "," << y;
            } else if (WellOutsideDisc(x, y, size.side)) {
                ASSERT_EQ(qAlpha(out.pixel(x, y)), 0) << x << "," << y;
            }
        }
    }
    EXPECT_GT(inside, 0);
}

INSTANTIATE_TEST_SUITE_P(Pictures, CircularAvatarSizes,
                         ::testing::Values(SizeCase{40, 40, 40}, SizeCase{300, 100, 100},
                                           SizeCase{100, 300, 100}, SizeCase{120, 88, 88},
                                           SizeCase{93, 120, 93}, SizeCase{10, 10, 10}));

TEST(CircularAvatar, TransparentSourcePixelsStayTransparent) {
    QImage picture = Patterned(40, 40);
    for (int y = 15; y < 25; ++y) {
        for (int x = 15; x < 25; ++x) {
            picture.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    const QImage out = DecodePng(MakeCircularAvatarPng(EncodePng(picture)));
    ASSERT_EQ(out.width(), 40);
    EXPECT_EQ(qAlpha(out.pixel(20, 20)), 0);
    EXPECT_EQ(qAlpha(out.pixel(15, 24)), 0);
    EXPECT_EQ(out.pixel(12, 20), Pattern(12, 20));
}

TEST(CircularAvatar, OnePixelGivesOnePixel) {
    const QImage out = DecodePng(MakeCircularAvatarPng(EncodePng(Patterned(1, 1))));
    EXPECT_EQ(out.width(), 1);
    EXPECT_EQ(out.height(), 1);
}

TEST(CircularAvatar, NoPictureGivesNothing) {
    EXPECT_TRUE(MakeCircularAvatarPng(Bytes{}).empty());
    const std::string text = "just some words, no picture";
    EXPECT_TRUE(MakeCircularAvatarPng(Bytes(text.begin(), text.end())).empty());
    EXPECT_EQ(imaging::StartupToken, 0u);
}

TEST(CircularAvatar, RunsItsStepsInOrderAndDestroysWithoutCalls) {
    const Bytes picture = EncodePng(Patterned(12, 16));
    binding::CallSpy spy;

    const Bytes png = MakeCircularAvatarPng(picture);

    EXPECT_FALSE(png.empty());
    // The save names its encoder by listing the installed ones. Destroying
    // the wrappers after the shut-down makes no call: it is the last of all.
    EXPECT_THAT(spy.Names(),
                ElementsAre("GdiplusStartup", "GdipLoadImageFromStream", "GdipGetImageWidth",
                            "GdipGetImageHeight", "GdipCreateBitmapFromScan0",
                            "GdipGetImageGraphicsContext", "GdipCreateTexture", "GdipFillEllipse",
                            "GdipGetImageEncodersSize", "GdipGetImageEncoders",
                            "GdipSaveImageToStream", "GdipDeleteBrush", "GdipDeleteGraphics",
                            "GdipDisposeImage", "GdipDisposeImage", "GdiplusShutdown"));
    const auto& calls = spy.Calls();
    const auto find = [&](std::string_view name) {
        for (const binding::RecordedCall& call : calls) {
            if (call.Name() == name) {
                return call;
            }
        }
        ADD_FAILURE() << name << " was not called";
        return binding::RecordedCall{};
    };
    EXPECT_EQ(find("GdipCreateBitmapFromScan0").Integer(0), 12);
    EXPECT_EQ(find("GdipCreateBitmapFromScan0").Integer(1), 12);
    EXPECT_EQ(find("GdipCreateTexture").Integer(1), 4); // WrapModeClamp
    const binding::RecordedCall fill = find("GdipFillEllipse");
    EXPECT_EQ(fill.Real(2), 0.0);
    EXPECT_EQ(fill.Real(3), 0.0);
    EXPECT_EQ(fill.Real(4), 12.0);
    EXPECT_EQ(fill.Real(5), 12.0);
}

// ---- The window routine --------------------------------------------------------

class CircularAvatarWindow : public ::testing::Test {
protected:
    std::unique_ptr<platform::Window> MakeBox(const Bytes& picture) {
        picture_ = picture;
        platform::ControlSpec& box = controls_[0];
        box.kind = platform::ControlKind::PicBox;
        box.name = "图片框1";
        box.left = 10;
        box.top = 10;
        box.width = 40;
        box.height = 40;
        box.picture = picture_;
        box.background = platform::Rgb{255, 255, 255};
        platform::WindowSpec window;
        window.title = "Avatar";
        window.clientWidth = 80;
        window.clientHeight = 60;
        return platform::CreateWindow(window, controls_, {});
    }

    static Bytes Picture(platform::Window& window) {
        platform::PropertyValue value =
            platform::ReadProperty(window, "图片框1", platform::kPropertyPicture);
        const Bytes* bytes = std::get_if<Bytes>(&value);
        return bytes != nullptr ? *bytes : Bytes{};
    }

    Bytes picture_;
    std::array<platform::ControlSpec, 1> controls_{};
};

TEST_F(CircularAvatarWindow, ReplacesTheBoxPictureWithItsDisc) {
    const std::unique_ptr<platform::Window> window = MakeBox(EncodePng(Patterned(60, 30)));

    CircularAvatar(*window, "图片框1");

    const Bytes stored = Picture(*window);
    EXPECT_EQ(stored, MakeCircularAvatarPng(EncodePng(Patterned(60, 30))));
    const QImage out = DecodePng(stored);
    EXPECT_EQ(out.width(), 30);
    EXPECT_EQ(out.height(), 30);
}

TEST_F(CircularAvatarWindow, UndecodableBytesLeaveTheBoxEmpty) {
    const std::string text = "not a picture";
    const std::unique_ptr<platform::Window> window = MakeBox(Bytes(text.begin(), text.end()));
    ASSERT_FALSE(Picture(*window).empty());

    CircularAvatar(*window, "图片框1");

    EXPECT_TRUE(Picture(*window).empty());
}

} // namespace
} // namespace vellumark::avatar
