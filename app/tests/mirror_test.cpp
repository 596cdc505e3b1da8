// The once-a-second copy of the edit boxes into the phone screen's labels,
// driven tick by tick.
#include "app/handlers.h"
#include "app/layout.h"
#include "app/mockup_window.h"
#include "platform/window_probe.h"
#include "window_fixture.h"

#include <QTest>
#include <map>

namespace vellumark::app::testing {
namespace {

using platform::ControlKind;

TEST_F(MockupWindowTest, CreatedHandlerStartsTheTimerAtOneSecond) {
    EXPECT_TRUE(platform::IsTimerRunning(window(), kMirrorTimer));
    EXPECT_EQ(platform::TimerPeriod(window(), kMirrorTimer), 1000);
}

TEST(MirrorBeforeCreated, NothingIsCopiedUntilTheCreatedHandlerRuns) {
    // The same window and tick handler, but without the created handler.
    auto bindings = MockupBindings();
    std::erase_if(bindings, [](const platform::EventBinding& binding) {
        return binding.event == platform::Event::Created;
    });
    const auto window = platform::CreateWindow(MockupWindowSpec(), MockupLayout(), bindings);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(platform::IsTimerRunning(*window, kMirrorTimer));

    QWidget* box = platform::FindControlWidget(*window, "编辑框1");
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_End); // edit boxes open with the caret at the start
    QTest::keyClicks(box, "x");
    platform::FireTimer(*window, kMirrorTimer);
    EXPECT_EQ(std::get<Text>(platform::ReadProperty(*window, "透明标签1", platform::kPropertyText)),
              "今天");

    // Once the created handler has run, the next tick copies.
    OnCreated(*window);
    platform::FireTimer(*window, kMirrorTimer);
    EXPECT_EQ(std::get<Text>(platform::ReadProperty(*window, "透明标签1", platform::kPropertyText)),
              "今天x");
}

TEST_F(MockupWindowTest, EntryEightsTimeReachesItsLabelAtTheNextTick) {
    TypeInto("编辑框31", "07:30");
    EXPECT_EQ(ReadText("透明标签15"), "22:55");
    platform::FireTimer(window(), kMirrorTimer);
    EXPECT_EQ(ReadText("透明标签15"), "07:30");
}

TEST_F(MockupWindowTest, CopiesTextVerbatim) {
    const QString texts[] = {
        "",                                                       // cleared box
        "  -1,234.50  ",                                          // spaces kept
        "一段比标签宽得多的说明文字，一段比标签宽得多的说明文字", // wider than the label
    };
    for (const QString& text : texts) {
        TypeInto("编辑框4", text);
        platform::FireTimer(window(), kMirrorTimer);
        EXPECT_EQ(ReadText("透明标签20"), text.toStdString());
    }
}

TEST_F(MockupWindowTest, ClearingAnEditBoxShowsThePhoneScreenWhereTheTextWas) {
    const QImage before = Grab();
    TypeInto("编辑框3", "");
    platform::FireTimer(window(), kMirrorTimer);
    const QImage after = Grab();

    // On the phone screen only the amount's ink goes.
    const QRect phone(0, 0, 396, 688);
    const QRect label = WindowRect("透明标签19") & phone;
    const QRect changed = DifferenceBounds(before.copy(phone), after.copy(phone));
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_TRUE(label.contains(changed));

    // Where the text was, the row's own background shows through, as it does
    // at the label's far end, where there never was any text.
    int inkPixels = 0;
    for (int y = label.top(); y <= label.bottom(); ++y) {
        for (int x = label.left(); x <= label.right(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                ++inkPixels;
                EXPECT_LE(ColourDistance(after.pixel(x, y), before.pixel(label.right(), y)), 12)
                    << x << "," << y;
            }
        }
    }
    EXPECT_GT(inkPixels, 0);
}

TEST_F(MockupWindowTest, PhoneClockEditorChangesTheClockAndNothingElse) {
    TypeInto("编辑框37", "09:41");
    std::map<std::string_view, Text> before;
    for (std::string_view label : ControlsOfKind(ControlKind::TransLabel)) {
        before[label] = ReadText(label);
    }
    const QImage shown = Grab();

    platform::FireTimer(window(), kMirrorTimer);

    for (const auto& [label, text] : before) {
        EXPECT_EQ(ReadText(label), label == "透明标签37" ? "09:41" : text) << label;
    }
    // The typing is done before the first grab: nothing else may change.
    const QRect changed = DifferenceBounds(shown, Grab());
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_TRUE(WindowRect("透明标签37").contains(changed));
}

} // namespace
} // namespace vellumark::app::testing
