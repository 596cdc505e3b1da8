#include "platform/picture_box.h"

#include "codecs/picture_decoder.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRgb>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace vellumark::platform {

namespace {

// Decoded pixels are B, G, R, A bytes, which is QImage's ARGB32 only here.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint32_t kMaxQtSide =
    static_cast<std::uint32_t>(std::numeric_limits<int>::max() / 4);

// Where the picture lands in the box. Stretch fills the box; centre keeps a
// picture that fits at its own size and shrinks a larger one by the smaller
// of the two ratios, never enlarging, centred either way.
QRect PictureRect(QSize box, QSize picture, DisplayMode mode) {
    if (mode == DisplayMode::Stretch) {
        return QRect(QPoint(0, 0), box);
    }
    QSize shown = picture;
    if (picture.width() > box.width() || picture.height() > box.height()) {
        const double factor = std::min(static_cast<double>(box.width()) / picture.width(),
                                       static_cast<double>(box.height()) / picture.height());
        shown = QSize(std::max(1, static_cast<int>(std::lround(picture.width() * factor))),
                      std::max(1, static_cast<int>(std::lround(picture.height() * factor))));
    }
    return QRect(QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2),
                 shown);
}

// A decoded picture whose sizes QImage can hold and whose pixel buffer
// really is width x height x 4 bytes.
bool IsShowable(const codecs::DecodeResult& decoded) {
    if (decoded.error != codecs::DecodeError::None || !decoded.image) {
        return false;
    }
    const codecs::Bgra8Image& image = *decoded.image;
    const auto fits = [](std::uint32_t side) { return side > 0 && side <= kMaxQtSide; };
    return fits(image.width) && fits(image.height) && fits(decoded.sourceWidth) &&
           fits(decoded.sourceHeight) && image.pixels.size() / 4 / image.width >= image.height;
}

void PremultiplyInPlace(codecs::Bgra8Image& image) {
    const std::size_t count = std::size_t{image.width} * image.height;
    for (std::size_t i = 0; i < count; ++i) {
        QRgb pixel = 0;
        std::memcpy(&pixel, image.pixels.data() + i * 4, 4);
        if (qAlpha(pixel) != 0xFF) {
            pixel = qPremultiply(pixel);
            std::memcpy(image.pixels.data() + i * 4, &pixel, 4);
        }
    }
}

} // namespace

PictureBox::PictureBox(const QColor& background, DisplayMode mode, QWidget* parent)
    : QWidget(parent), background_(background), mode_(mode) {
    // The face covers every pixel, so nothing beneath needs repainting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(std::span<const std::uint8_t> bytes) {
    bytes_.assign(bytes.begin(), bytes.end());
    renderFace();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    if (face_.size() != size()) {
        renderFace();
    }
    QWidget::resizeEvent(event);
}

void PictureBox::renderFace() {
    showsPicture_ = false;
    if (size().isEmpty()) {
        face_ = QPixmap();
        return;
    }
    QImage face(size(), QImage::Format_RGB32);
    face.fill(background_);

    // Large pictures (JPEG) may come back at a reduced scale, but never
    // below the size the box shows them at, which is at most the box.
    const codecs::DecodeOptions options{static_cast<std::uint32_t>(width()),
                                        static_cast<std::uint32_t>(height())};
    codecs::DecodeResult decoded = codecs::DecodePicture(bytes_, options);
    if (IsShowable(decoded)) {
        codecs::Bgra8Image& pixels = *decoded.image;
        // Qt scales and blends premultiplied pixels; premultiplying the
        // decoded buffer where it lies spares Qt a converted full-size copy.
        PremultiplyInPlace(pixels);
        const QImage picture(
            pixels.pixels.data(), static_cast<int>(pixels.width), static_cast<int>(pixels.height),
            static_cast<qsizetype>(pixels.width) * 4, QImage::Format_ARGB32_Premultiplied);
        const QRect target = PictureRect(
            size(),
            QSize(static_cast<int>(decoded.sourceWidth), static_cast<int>(decoded.sourceHeight)),
            mode_);
        QPainter painter(&face);
        if (picture.size() == target.size()) {
            painter.drawImage(target.topLeft(), picture);
        } else {
            painter.drawImage(target.topLeft(), picture.scaled(target.size(), Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation));
        }
        showsPicture_ = true;
    }
    face_ = QPixmap::fromImage(std::move(face));
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    if (face_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(event->rect(), face_, event->rect());
}

} // namespace vellumark::platform
