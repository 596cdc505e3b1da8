// The avatars as the user sees them: cut to discs at start-up and after a
// confirmed picture, with white corners from the box's own background.
#include "app/button_table.h"
#include "app/layout.h"
#include "codecs/encoders/tiff_encoder.h"
#include "window_fixture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <optional>

namespace vellumark::app::testing {
namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);

QImage DecodeImage(const Bytes& bytes) {
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()))
        .convertToFormat(QImage::Format_ARGB32);
}

bool IsPng(const Bytes& bytes) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return bytes.size() >= 8 &&
           std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin());
}

const platform::ControlSpec& LayoutEntry(std::string_view name) {
    const auto layout = MockupLayout();
    return *std::find_if(layout.begin(), layout.end(),
                         [name](const platform::ControlSpec& c) { return c.name == name; });
}

// A picture whose left square is red and whose rest is blue.
QImage RedSquareThenBlue(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    const int side = std::min(width, height);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            image.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    return image;
}

Bytes PngBytes(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {data.begin(), data.end()};
}

class AvatarDiscTest : public MockupWindowTest {
protected:
    void SetUp() override {
        MockupWindowTest::SetUp();
        ASSERT_TRUE(files_.isValid());
        platform::SetFileChooser(
            window(), [this](const Text&) { return std::exchange(answer_, std::nullopt); });
    }

    // The user confirms a file holding these bytes with the given button.
    void Confirm(std::string_view button, const QString& name, const Bytes& content) {
        const QString path = files_.filePath(name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(content.data()),
                   static_cast<qint64>(content.size()));
        file.close();
        answer_ = path.toStdString();
        Click(button);
    }

    // The box as shown: white corners, and `centre` (or anything not white)
    // in the middle.
    void ExpectDiscOnScreen(std::string_view box, std::optional<QRgb> centre = std::nullopt) {
        const QImage client = Grab();
        const QRect rect = WindowRect(box);
        for (const QPoint corner :
             {rect.topLeft(), rect.topRight(), rect.bottomLeft(), rect.bottomRight()}) {
            EXPECT_EQ(client.pixel(corner), kWhite)
                << box << " corner " << corner.x() << "," << corner.y();
        }
        const QRgb middle = client.pixel(rect.center());
        if (centre) {
            EXPECT_LE(ColourDistance(middle, *centre), 8) << box;
        } else {
            EXPECT_NE(middle, kWhite) << box;
        }
    }

    void ExpectWhiteBox(std::string_view box) {
        const QImage client = Grab();
        const QRect rect = WindowRect(box);
        for (const QPoint point : {rect.center(), rect.topLeft(), rect.bottomRight()}) {
            EXPECT_EQ(client.pixel(point), kWhite) << box;
        }
    }

    QTemporaryDir files_;
    std::optional<Text> answer_;
};

TEST_F(AvatarDiscTest, StartUpCutsTheNineLayoutAvatarsToDiscsAndLeavesThePhoneScreen) {
    for (std::string_view box : kStartupAvatarBoxes) {
        const Bytes picture = ReadPicture(box);
        ASSERT_TRUE(IsPng(picture)) << box;
        const QImage disc = DecodeImage(picture);
        const QImage source =
            DecodeImage(Bytes(LayoutEntry(box).picture.begin(), LayoutEntry(box).picture.end()));
        const int side = std::min(source.width(), source.height());
        EXPECT_EQ(disc.size(), QSize(side, side)) << box;
        EXPECT_EQ(qAlpha(disc.pixel(0, 0)), 0) << box;
        EXPECT_EQ(qAlpha(disc.pixel(side - 1, side - 1)), 0) << box;
        EXPECT_EQ(disc.pixel(side / 2, side / 2), source.pixel(side / 2, side / 2)) << box;
        ExpectDiscOnScreen(box);
    }
    const platform::ControlSpec& screen = LayoutEntry("图片框5");
    EXPECT_EQ(ReadPicture("图片框5"), Bytes(screen.picture.begin(), screen.picture.end()));
}

TEST_F(AvatarDiscTest, AWidePictureGivesTheDiscOfItsLeftSquare) {
    Confirm("按钮1", "wide.png", PngBytes(RedSquareThenBlue(300, 100)));
    const QImage disc = DecodeImage(ReadPicture("图片框1"));
    ASSERT_EQ(disc.size(), QSize(100, 100));
    EXPECT_EQ(disc.pixel(50, 50), qRgb(255, 0, 0));
    EXPECT_EQ(disc.pixel(99, 50), qRgb(255, 0, 0)); // the disc's rim, still red
    EXPECT_EQ(qAlpha(disc.pixel(0, 0)), 0);
    ExpectDiscOnScreen("图片框1", qRgb(255, 0, 0));
}

TEST_F(AvatarDiscTest, ATallPictureGivesTheDiscOfItsTopSquare) {
    Confirm("按钮6", "tall.png", PngBytes(RedSquareThenBlue(100, 300)));
    const QImage disc = DecodeImage(ReadPicture("图片框7"));
    ASSERT_EQ(disc.size(), QSize(100, 100));
    EXPECT_EQ(disc.pixel(50, 99), qRgb(255, 0, 0));
    ExpectDiscOnScreen("图片框7", qRgb(255, 0, 0));
}

TEST_F(AvatarDiscTest, FilesThatAreNoPictureLeaveAWhiteBox) {
    struct Case {
        const char* button;
        const char* box;
        const char* name;
        Bytes content;
    };
    const Case cases[] = {
        {"按钮2", "图片框2", "empty.jpg", {}},
        {"按钮3", "图片框3", "notes.txt", Bytes{'h', 'e', 'l', 'l', 'o', '\n'}},
        {"按钮7", "图片框8", "fake.png", Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Confirm(c.button, c.name, c.content);
        EXPECT_TRUE(ReadPicture(c.box).empty());
        ExpectWhiteBox(c.box);
    }
}

TEST_F(AvatarDiscTest, ATiffTheBoxCannotShowByItselfShowsAsADisc) {
    const QImage picture = RedSquareThenBlue(64, 64).convertToFormat(QImage::Format_ARGB32);
    codecs::EncoderImage page;
    page.width = 64;
    page.height = 64;
    page.layout = codecs::PixelLayout::Bgra8;
    page.pixels = {picture.constBits(), static_cast<std::size_t>(picture.sizeInBytes())};
    page.stride = static_cast<std::size_t>(picture.bytesPerLine());
    codecs::ByteBuffer tiff;
    ASSERT_EQ(codecs::EncodeTiff({&page, 1}, {}, tiff), codecs::EncodeError::None);

    Confirm("按钮9", "picture.tif", tiff);
    const Bytes shown = ReadPicture("图片框10");
    ASSERT_TRUE(IsPng(shown));
    EXPECT_EQ(DecodeImage(shown).size(), QSize(64, 64));
    ExpectDiscOnScreen("图片框10", qRgb(255, 0, 0));
}

} // namespace
} // namespace vellumark::app::testing
