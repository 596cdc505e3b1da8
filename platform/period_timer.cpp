#include "platform/period_timer.h"

#include <algorithm>
#include <utility>

namespace vellumark::platform {

PeriodTimer::PeriodTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void PeriodTimer::setPeriod(std::int32_t milliseconds) {
    const std::int32_t period = std::max<std::int32_t>(milliseconds, 0);
    if (period == period_) {
        return;
    }
    timer_.stop();
    period_ = period;
    if (period_ > 0) {
        timer_.start(period_);
        ++startCount_;
    }
}

void PeriodTimer::tick() {
    if (!timer_.isActive() || inTick_ || !onTick_) {
        return;
    }
    // Cleared on every way out, so a throwing handler cannot silence the timer.
    struct TickScope {
        bool& flag;
        explicit TickScope(bool& f) : flag(f) { flag = true; }
        ~TickScope() { flag = false; }
        TickScope(const TickScope&) = delete;
        TickScope& operator=(const TickScope&) = delete;
    } scope(inTick_);
    onTick_();
}

} // namespace vellumark::platform
