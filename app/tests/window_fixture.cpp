#include "window_fixture.h"

#include "app/layout.h"
#include "app/mockup_window.h"
#include "platform/window_probe.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QInputMethodEvent>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <variant>

namespace vellumark::app::testing {

void MockupWindowTest::SetUp() {
    auto created = std::make_shared<bool>(false);
    window_ = CreateMockupWindow(
        {{platform::Event::Created, "", [created](platform::Window&) { *created = true; }}});
    ASSERT_NE(window_, nullptr);
    // The created handlers run from the event loop once the window has painted.
    const QDeadlineTimer deadline(5000);
    while (!*created && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(*created);
    // No blinking caret: grabs taken moments apart must differ only by what
    // a test did.
    if (QWidget* focused = QApplication::focusWidget(); focused != nullptr) {
        focused->clearFocus();
    }
}

QImage MockupWindowTest::Grab() {
    QCoreApplication::processEvents();
    return platform::GrabClientArea(*window_).convertToFormat(QImage::Format_RGB32);
}

QRect MockupWindowTest::WindowRect(std::string_view control) {
    const auto layout = MockupLayout();
    const auto find = [&](std::string_view name) {
        return std::find_if(layout.begin(), layout.end(),
                            [name](const platform::ControlSpec& c) { return c.name == name; });
    };
    const auto it = find(control);
    if (it == layout.end()) {
        ADD_FAILURE() << "no control " << control;
        return {};
    }
    QRect rect(it->left, it->top, it->width, it->height);
    if (!it->parent.empty()) {
        const auto parent = find(it->parent);
        rect.translate(parent->left, parent->top);
    }
    return rect;
}

void MockupWindowTest::TypeInto(std::string_view editBox, const QString& text) {
    QWidget* box = platform::FindControlWidget(*window_, editBox);
    ASSERT_NE(box, nullptr) << editBox;
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    const bool keyboardTypable = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x7F;
    });
    if (keyboardTypable) {
        QTest::keyClicks(box, text);
    } else {
        // Chinese text arrives through the input method, committed at once.
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(box, &commit);
    }
    box->clearFocus();
}

void MockupWindowTest::Click(std::string_view button) {
    QWidget* widget = platform::FindControlWidget(*window_, button);
    ASSERT_NE(widget, nullptr) << button;
    QTest::mouseClick(widget, Qt::LeftButton);
}

Text MockupWindowTest::ReadText(std::string_view control) {
    const auto value = platform::ReadProperty(*window_, control, platform::kPropertyText);
    const Text* text = std::get_if<Text>(&value);
    EXPECT_NE(text, nullptr) << control;
    return text != nullptr ? *text : Text{};
}

Bytes MockupWindowTest::ReadPicture(std::string_view box) {
    const auto value = platform::ReadProperty(*window_, box, platform::kPropertyPicture);
    const Bytes* bytes = std::get_if<Bytes>(&value);
    EXPECT_NE(bytes, nullptr) << box;
    return bytes != nullptr ? *bytes : Bytes{};
}

QRect DifferenceBounds(const QImage& before, const QImage& after) {
    EXPECT_EQ(before.size(), after.size());
    QRect bounds;
    for (int y = 0; y < std::min(before.height(), after.height()); ++y) {
        for (int x = 0; x < std::min(before.width(), after.width()); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

int ColourDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

std::vector<std::string_view> ControlsOfKind(platform::ControlKind kind) {
    std::vector<std::string_view> names;
    for (const platform::ControlSpec& control : MockupLayout()) {
        if (control.kind == kind) {
            names.push_back(control.name);
        }
    }
    return names;
}

} // namespace vellumark::app::testing
