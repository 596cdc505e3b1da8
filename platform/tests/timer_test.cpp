#include "platform/runtime.h"
#include "platform/window_probe.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

namespace vellumark::platform {
namespace {

using testing::MakeWindow;
using testing::ProcessUntil;

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ControlSpec controls[] = {{.kind = ControlKind::Timer, .name = "时钟1"}};
        std::vector<EventBinding> bindings;
        bindings.push_back({Event::Periodic, "时钟1", [this](Window& window) {
                                ++ticks_;
                                if (onTick_) {
                                    onTick_(window);
                                }
                            }});
        window_ = MakeWindow(controls, std::move(bindings));
    }

    void setPeriod(std::int32_t period) {
        WriteProperty(*window_, "时钟1", kPropertyPeriod, period);
    }

    std::unique_ptr<Window> window_;
    int ticks_ = 0;
    std::function<void(Window&)> onTick_;
};

struct PeriodCase {
    std::int32_t before;
    std::int32_t written;
    std::int32_t period;
    bool running;
    int restarts;
};

class TimerPeriodTest : public TimerTest, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(TimerPeriodTest, FollowsTheWrittenPeriod) {
    const PeriodCase& c = GetParam();
    setPeriod(c.before);
    const int startsBefore = TimerStartCount(*window_, "时钟1");

    setPeriod(c.written);
    EXPECT_EQ(ReadProperty(*window_, "时钟1", kPropertyPeriod), PropertyValue(c.period));
    EXPECT_EQ(IsTimerRunning(*window_, "时钟1"), c.running);
    EXPECT_EQ(TimerStartCount(*window_, "时钟1") - startsBefore, c.restarts);
}

INSTANTIATE_TEST_SUITE_P(Writes, TimerPeriodTest,
                         ::testing::Values(PeriodCase{0, 1000, 1000, true, 1},    // starts
                                           PeriodCase{1000, 1000, 1000, true, 0}, // same: nothing
                                           PeriodCase{1000, 500, 500, true, 1},   // restarts
                                           PeriodCase{1000, 0, 0, false, 0},      // stops
                                           PeriodCase{1000, -5, 0, false, 0},     // negative is 0
                                           PeriodCase{0, -5, 0, false, 0},        // still 0
                                           PeriodCase{0, 0, 0, false, 0}));

TEST_F(TimerTest, TicksOnlyWhileRunning) {
    FireTimer(*window_, "时钟1");
    EXPECT_EQ(ticks_, 0);
    setPeriod(1000);
    FireTimer(*window_, "时钟1");
    EXPECT_EQ(ticks_, 1);
    setPeriod(0);
    FireTimer(*window_, "时钟1");
    EXPECT_EQ(ticks_, 1);
}

TEST_F(TimerTest, TickDueWhileTheHandlerRunsIsDropped) {
    onTick_ = [](Window& window) { FireTimer(window, "时钟1"); };
    setPeriod(1000);
    FireTimer(*window_, "时钟1");
    EXPECT_EQ(ticks_, 1);
}

TEST_F(TimerTest, RaisesItsEventFromTheEventLoopUntilStoppedByItsHandler) {
    onTick_ = [this](Window&) {
        if (ticks_ == 3) {
            setPeriod(0);
        }
    };
    setPeriod(1);
    ASSERT_TRUE(ProcessUntil([this] { return ticks_ >= 3; }));
    EXPECT_FALSE(IsTimerRunning(*window_, "时钟1"));
    testing::ProcessFor(50);
    EXPECT_EQ(ticks_, 3);
}

} // namespace
} // namespace vellumark::platform
