#include "platform/runtime.h"
#include "platform/window_probe.h"
#include "window_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace vellumark::platform {
namespace {

using testing::AllPixels;
using testing::MakeWindow;
using testing::ProcessUntil;

TEST(Window, RaisesCreatedOnceAfterItIsShownWithAllControls) {
    const ControlSpec controls[] = {
        {.kind = ControlKind::EditBox,
         .name = "edit",
         .left = 10,
         .top = 10,
         .width = 60,
         .height = 21},
        {.kind = ControlKind::Timer, .name = "timer"},
    };
    int created = 0;
    bool shownWithControls = false;
    std::vector<EventBinding> bindings;
    bindings.push_back({Event::Created, "", [&](Window& window) {
                            ++created;
                            QWidget* edit = FindControlWidget(window, "edit");
                            shownWithControls = edit != nullptr && edit->isVisible() &&
                                                edit->window()->windowHandle()->isExposed();
                        }});
    const WindowSpec description{"Vellumark 1.0", 770, 688, Rgb{0, 0, 0}};
    const std::unique_ptr<Window> window = CreateWindow(description, controls, std::move(bindings));

    EXPECT_EQ(created, 0) << "Created must wait for the event loop, after the first paint";
    ASSERT_TRUE(ProcessUntil([&] { return created > 0; }));
    EXPECT_TRUE(shownWithControls);
    QCoreApplication::processEvents();
    EXPECT_EQ(created, 1);
}

TEST(Window, IsFixedSizeBlackTitledAndCentred) {
    const ControlSpec controls[] = {
        {.kind = ControlKind::EditBox, .name = "e", .width = 1, .height = 1}};
    const WindowSpec description{"Vellumark 1.0", 770, 688, Rgb{0, 0, 0}};
    const std::unique_ptr<Window> probe = CreateWindow(description, controls, {});
    QWidget* top = FindControlWidget(*probe, "e")->window();

    EXPECT_EQ(top->windowTitle(), QString::fromUtf8("Vellumark 1.0"));
    EXPECT_EQ(top->size(), QSize(770, 688));
    EXPECT_EQ(top->minimumSize(), top->maximumSize());
    EXPECT_FALSE(top->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(top->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    const QPoint screenCentre = top->screen()->availableGeometry().center();
    EXPECT_LE((top->geometry().center() - screenCentre).manhattanLength(), 2);

    const QImage client = GrabClientArea(*probe);
    EXPECT_TRUE(AllPixels(client, QRect(700, 600, 70, 88), QColor(0, 0, 0)));
}

TEST(Window, PlacesChildrenInTheirParentBoxClientArea) {
    const ControlSpec controls[] = {
        {.kind = ControlKind::PicBox,
         .name = "screen",
         .left = -4,
         .top = 0,
         .width = 120,
         .height = 150,
         .background = Rgb{255, 0, 0}},
        {.kind = ControlKind::PicBox,
         .name = "child",
         .parent = "screen",
         .left = 14,
         .top = 98,
         .width = 10,
         .height = 10,
         .background = Rgb{0, 0, 255}},
        {.kind = ControlKind::PicBox,
         .name = "top-level",
         .left = 12,
         .top = 20,
         .width = 10,
         .height = 10,
         .background = Rgb{0, 255, 0}},
    };
    const std::unique_ptr<Window> window = MakeWindow(controls);
    const QImage client = GrabClientArea(*window);

    EXPECT_TRUE(AllPixels(client, QRect(10, 98, 10, 10), QColor(0, 0, 255)));
    EXPECT_TRUE(AllPixels(client, QRect(9, 98, 1, 10), QColor(255, 0, 0)));
    // Created later, so above the screen box it overlaps.
    EXPECT_TRUE(AllPixels(client, QRect(12, 20, 10, 10), QColor(0, 255, 0)));
    EXPECT_TRUE(AllPixels(client, QRect(116, 0, 84, 150), QColor(0, 0, 0)));
}

TEST(Window, EditBoxReadsWhatTheUserTyped) {
    const ControlSpec controls[] = {{.kind = ControlKind::EditBox,
                                     .name = "edit",
                                     .left = 10,
                                     .top = 10,
                                     .width = 60,
                                     .height = 21,
                                     .text = "今天"}};
    const std::unique_ptr<Window> window = MakeWindow(controls);
    EXPECT_EQ(ReadProperty(*window, "edit", kPropertyText), PropertyValue(Text("今天")));

    auto* edit = static_cast<QLineEdit*>(FindControlWidget(*window, "edit"));
    // A text wider than the box shows its start, not its end.
    EXPECT_EQ(edit->cursorPosition(), 0);
    edit->end(false);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(edit, &press);
    EXPECT_EQ(ReadProperty(*window, "edit", kPropertyText), PropertyValue(Text("今天a")));

    edit->clear();
    EXPECT_EQ(ReadProperty(*window, "edit", kPropertyText), PropertyValue(Text()));

    // No length limit: a long text comes back whole.
    const Text longText(40000, 'x');
    WriteProperty(*window, "edit", kPropertyText, longText);
    EXPECT_EQ(ReadProperty(*window, "edit", kPropertyText), PropertyValue(longText));
    EXPECT_EQ(edit->cursorPosition(), 0);
}

TEST(Window, ButtonClickRaisesItsClickedHandlers) {
    const ControlSpec controls[] = {
        {.kind = ControlKind::Button,
         .name = "b1",
         .width = 92,
         .height = 30,
         .text = "修改第一个头像"},
        {.kind = ControlKind::Button, .name = "b2", .top = 40, .width = 92, .height = 30},
    };
    std::vector<std::string> clicked;
    std::vector<EventBinding> bindings;
    bindings.push_back({Event::Clicked, "b1", [&](Window&) { clicked.push_back("b1"); }});
    bindings.push_back({Event::Clicked, "b2", [&](Window&) { clicked.push_back("b2"); }});
    const std::unique_ptr<Window> window = MakeWindow(controls, std::move(bindings));

    auto* button = static_cast<QPushButton*>(FindControlWidget(*window, "b2"));
    button->click();
    EXPECT_EQ(clicked, std::vector<std::string>{"b2"});
    EXPECT_EQ(static_cast<QPushButton*>(FindControlWidget(*window, "b1"))->text(),
              QString::fromUtf8("修改第一个头像"));
}

// Reads and writes that address nothing, or the wrong type, change nothing.
TEST(Window, MismatchedPropertyAccessIsIgnored) {
    const ControlSpec controls[] = {
        {.kind = ControlKind::TransLabel, .name = "label", .width = 40, .height = 20, .text = "x"},
        {.kind = ControlKind::Timer, .name = "timer"},
        {.kind = ControlKind::Button, .name = "button", .width = 40, .height = 20},
    };
    const std::unique_ptr<Window> window = MakeWindow(controls);
    WriteProperty(*window, "label", kPropertyText, Bytes{1, 2});
    WriteProperty(*window, "label", 9, Text("y"));
    WriteProperty(*window, "timer", kPropertyPeriod, Text("1000"));
    WriteProperty(*window, "missing", kPropertyText, Text("y"));

    EXPECT_EQ(ReadProperty(*window, "label", kPropertyText), PropertyValue(Text("x")));
    EXPECT_EQ(ReadProperty(*window, "timer", kPropertyPeriod), PropertyValue(std::int32_t{0}));
    EXPECT_FALSE(IsTimerRunning(*window, "timer"));
    EXPECT_EQ(ReadProperty(*window, "missing", kPropertyText), PropertyValue());
    EXPECT_EQ(ReadProperty(*window, "label", kPropertyPicture), PropertyValue());
    EXPECT_EQ(ReadProperty(*window, "button", kPropertyText), PropertyValue());
}

} // namespace
} // namespace vellumark::platform
