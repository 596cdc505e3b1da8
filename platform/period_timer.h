// The runtime's periodic timer. Its period follows the runtime's property
// rules: a negative period counts as 0, writing the current period changes
// nothing, any other write stops the timer and restarts it when the new
// period is above 0. A tick that falls due while the handler is still
// running (a nested event loop inside the handler) is dropped, not queued.
#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>

namespace vellumark::platform {

class PeriodTimer {
public:
    explicit PeriodTimer(std::function<void()> onTick);
    PeriodTimer(const PeriodTimer&) = delete;
    PeriodTimer& operator=(const PeriodTimer&) = delete;

    std::int32_t period() const { return period_; }
    void setPeriod(std::int32_t milliseconds);

    bool isRunning() const { return timer_.isActive(); }
    // How often the timer has been (re)started; lets tests tell a restart
    // from a write that changed nothing.
    int startCount() const { return startCount_; }

    // Delivers one tick now, as the interval elapsing would: only while
    // running, and never inside a tick that is still being handled.
    void tick();

private:
    QTimer timer_;
    std::function<void()> onTick_;
    std::int32_t period_ = 0;
    int startCount_ = 0;
    bool inTick_ = false;
};

} // namespace vellumark::platform
