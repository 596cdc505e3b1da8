// A label with a transparent background: whatever lies beneath shows
// through. One line, left-aligned, vertically centred, cut off at its own
// rectangle (never wrapped); an empty text draws nothing.
//
// The widget never fills its background, so Qt repaints the parent and the
// overlapping siblings beneath it whenever it is updated; a rewritten text
// therefore never leaves traces of the old one.
#pragma once

#include "platform/types.h"

#include <QColor>
#include <QStaticText>
#include <QWidget>

namespace vellumark::platform {

class TransLabel final : public QWidget {
public:
    explicit TransLabel(QWidget* parent);

    // Stores the text and repaints, whether or not it changed.
    void setText(const Text& text);
    const Text& text() const { return text_; }

    void setTextColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();
    void centreVertically();

    Text text_;
    QColor colour_;
    QStaticText layout_; // laid out once per text or font, not per paint
    int textTop_ = 0;
};

} // namespace vellumark::platform
