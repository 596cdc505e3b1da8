// A built mock-up window for tests, with helpers that act as the user would
// (typing, clicking) and read back what the window shows.
#pragma once

#include "platform/runtime.h"

#include <QImage>
#include <QRect>
#include <gtest/gtest.h>
#include <memory>
#include <string_view>
#include <vector>

namespace vellumark::app::testing {

class MockupWindowTest : public ::testing::Test {
protected:
    void SetUp() override;

    platform::Window& window() { return *window_; }

    // What the window's client area shows now.
    QImage Grab();

    // The control's rectangle in window client coordinates, from the layout.
    static QRect WindowRect(std::string_view control);

    // Replaces an edit box's text by typing, as the user would, then moves
    // the focus away so that no caret blinks into later grabs.
    void TypeInto(std::string_view editBox, const QString& text);
    void Click(std::string_view button);

    Text ReadText(std::string_view control);
    Bytes ReadPicture(std::string_view box);

    std::unique_ptr<platform::Window> window_;
};

// The bounding box of the pixels that differ between two grabs (empty when
// they are identical).
QRect DifferenceBounds(const QImage& before, const QImage& after);

// The largest difference of one colour channel.
int ColourDistance(QRgb a, QRgb b);

// The names of every control of one kind, in layout order.
std::vector<std::string_view> ControlsOfKind(platform::ControlKind kind);

} // namespace vellumark::app::testing
