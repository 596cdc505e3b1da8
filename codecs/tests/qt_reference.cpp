#include "codecs/tests/qt_reference.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <cstdlib>

namespace vellumark::codecs::testing {

ByteVector EncodeWithQt(const QImage& image, const char* format, int quality) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        return {};
    }
    const QByteArray& data = buffer.data();
    return ByteVector(data.begin(), data.end());
}

QImage DecodeWithQt(const ByteVector& bytes) {
    QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

QImage TestPattern(int width, int height, bool withAlpha) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = withAlpha ? (x * 255 / std::max(1, width - 1)) : 255;
            image.setPixel(x, y,
                           qRgba((x * 37) % 256, (y * 53) % 256, ((x + y) * 11) % 256, alpha));
        }
    }
    return image;
}

int MaxChannelDifference(const Bgra8Image& ours, const QImage& reference) {
    if (static_cast<int>(ours.width) != reference.width() ||
        static_cast<int>(ours.height) != reference.height()) {
        return 256;
    }
    int worst = 0;
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb theirs = reference.pixel(x, y);
            const std::uint8_t* mine =
                ours.pixels.data() +
                (static_cast<std::size_t>(y) * ours.width + static_cast<std::size_t>(x)) * 4;
            if (mine[3] == 0 && qAlpha(theirs) == 0) {
                continue; // the colour under zero alpha is invisible
            }
            worst = std::max({worst, std::abs(mine[0] - qBlue(theirs)),
                              std::abs(mine[1] - qGreen(theirs)), std::abs(mine[2] - qRed(theirs)),
                              std::abs(mine[3] - qAlpha(theirs))});
        }
    }
    return worst;
}

} // namespace vellumark::codecs::testing
