// A brush that paints with a picture. The picture is a QImage in any layout
// Qt paints from (the source's own where it can be); copies of the brush share it (Qt images are
// copy-on-write). The transform places the picture's pixel grid in world space with its top-left
// corner at the origin; the wrap mode says what lies beyond the picture.
#pragma once

#include "brush/brush.h"
#include "gdiplus/gdiplus.h"

#include <QImage>
#include <QTransform>

namespace vellumark::gdiplus {

class TextureFill final : public Brush {
public:
    static constexpr ObjectKind kKind = ObjectKind::TextureFill;

    TextureFill(QImage picture, GpWrapMode wrapMode)
        : picture_(std::move(picture)), wrapMode_(wrapMode) {}

    ObjectKind kind() const override { return kKind; }
    GpBrushType type() const override { return BrushTypeTextureFill; }
    std::unique_ptr<Brush> clone() const override { return std::make_unique<TextureFill>(*this); }

    const QImage& picture() const { return picture_; }
    GpWrapMode wrapMode() const { return wrapMode_; }
    void setWrapMode(GpWrapMode mode) { wrapMode_ = mode; }
    const QTransform& transform() const { return transform_; }
    void setTransform(const QTransform& transform) { transform_ = transform; }

    // The image one period of the pattern repeats: the picture itself, or
    // the picture beside and/or below its mirror image for the flip modes.
    QImage tile() const;

private:
    QImage picture_;
    GpWrapMode wrapMode_;
    QTransform transform_;
};

} // namespace vellumark::gdiplus
