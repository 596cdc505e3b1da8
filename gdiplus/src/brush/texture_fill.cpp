#include "brush/texture_fill.h"

#include <QPainter>

namespace vellumark::gdiplus {

QImage TextureFill::tile() const {
    const bool flipX = wrapMode_ == WrapModeTileFlipX || wrapMode_ == WrapModeTileFlipXY;
    const bool flipY = wrapMode_ == WrapModeTileFlipY || wrapMode_ == WrapModeTileFlipXY;
    if (!flipX && !flipY) {
        return picture_;
    }
    const int w = picture_.width();
    const int h = picture_.height();
    QImage mosaic(flipX ? 2 * w : w, flipY ? 2 * h : h, QImage::Format_ARGB32);
    if (mosaic.isNull()) {
        return {};
    }
    QPainter painter(&mosaic);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture_);
    if (flipX) {
        painter.drawImage(w, 0, picture_.mirrored(true, false));
    }
    if (flipY) {
        painter.drawImage(0, h, picture_.mirrored(false, true));
    }
    if (flipX && flipY) {
        painter.drawImage(w, h, picture_.mirrored(true, true));
    }
    return mosaic;
}

} // namespace vellumark::gdiplus
