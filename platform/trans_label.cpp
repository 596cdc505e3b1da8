#include "platform/trans_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace vellumark::platform {

namespace {

// One line only: line and paragraph breaks show as spaces.
QString SingleLine(const Text& text) {
    QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar& c : line) {
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator) {
            c = u' ';
        }
    }
    return line;
}

} // namespace

TransLabel::TransLabel(QWidget* parent)
    : QWidget(parent), colour_(palette().color(QPalette::WindowText)) {
    layout_.setTextFormat(Qt::PlainText);
    layout_.setPerformanceHint(QStaticText::AggressiveCaching);
}

void TransLabel::setText(const Text& text) {
    if (text != text_) {
        text_ = text;
        relayout();
    }
    update();
}

void TransLabel::setTextColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void TransLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        relayout();
    }
    QWidget::changeEvent(event);
}

void TransLabel::relayout() {
    layout_.setText(SingleLine(text_));
    layout_.prepare(QTransform(), font());
    centreVertically();
}

void TransLabel::resizeEvent(QResizeEvent* event) {
    centreVertically();
    QWidget::resizeEvent(event);
}

void TransLabel::centreVertically() {
    // Centred like a single line of Qt::AlignVCenter text; a font taller
    // than the label is cut on both sides.
    textTop_ = (height() - QFontMetrics(font()).height()) / 2;
}

void TransLabel::paintEvent(QPaintEvent*) {
    if (text_.empty()) {
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(colour_);
    painter.drawStaticText(0, textTop_, layout_);
}

} // namespace vellumark::platform
