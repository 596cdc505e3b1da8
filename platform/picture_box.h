// A borderless box that shows one picture, given as the bytes of a whole
// picture file, over its own background colour.
//
// The picture is decoded once when it is written and rendered, together
// with the background, into a face the size of the box; painting only
// copies that face. Pixels that are not fully opaque are blended over the
// box's own background colour, never over what lies behind the box. Bytes
// that are no picture, or that fail to decode, leave the background only;
// the bytes themselves are kept and read back unchanged.
#pragma once

#include "platform/runtime.h"
#include "platform/types.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>
#include <span>

namespace vellumark::platform {

class PictureBox final : public QWidget {
public:
    PictureBox(const QColor& background, DisplayMode mode, QWidget* parent);

    // Keeps a copy of the bytes, decodes them and repaints.
    void setPicture(std::span<const std::uint8_t> bytes);
    const Bytes& picture() const { return bytes_; }

    // Whether the current bytes decoded to a picture that is shown.
    bool showsPicture() const { return showsPicture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void renderFace();

    Bytes bytes_;
    QColor background_;
    DisplayMode mode_;
    QPixmap face_;
    bool showsPicture_ = false;
};

} // namespace vellumark::platform
