#include "platform/window_probe.h"

#include "platform/period_timer.h"
#include "platform/runtime_window.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>

namespace vellumark::platform {

namespace {

PeriodTimer* FindTimer(Window& window, std::string_view name) {
    RuntimeWindow* runtime = RuntimeWindow::From(window);
    Control* control = runtime != nullptr ? runtime->find(name) : nullptr;
    return control != nullptr ? control->timer.get() : nullptr;
}

} // namespace

QWidget* FindControlWidget(Window& window, std::string_view control) {
    RuntimeWindow* runtime = RuntimeWindow::From(window);
    const Control* found = runtime != nullptr ? runtime->find(control) : nullptr;
    return found != nullptr ? found->widget : nullptr;
}

QImage GrabClientArea(Window& window) {
    RuntimeWindow* runtime = RuntimeWindow::From(window);
    if (runtime == nullptr) {
        return {};
    }
    QWidget& widget = runtime->widget();
    // Let pending repaints reach the window's backing store, then read what
    // it holds: that is what the user sees, traces of earlier paints
    // included. Where the platform cannot read a window back, the widgets
    // are rendered afresh instead.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QImage image;
    if (widget.isVisible() && widget.screen() != nullptr) {
        image = widget.screen()->grabWindow(widget.winId()).toImage();
    }
    if (image.size() != widget.size()) {
        image = widget.grab().toImage();
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

void FireTimer(Window& window, std::string_view timer) {
    if (PeriodTimer* found = FindTimer(window, timer); found != nullptr) {
        found->tick();
    }
}

bool IsTimerRunning(Window& window, std::string_view timer) {
    const PeriodTimer* found = FindTimer(window, timer);
    return found != nullptr && found->isRunning();
}

int TimerPeriod(Window& window, std::string_view timer) {
    const PeriodTimer* found = FindTimer(window, timer);
    return found != nullptr ? found->period() : 0;
}

int TimerStartCount(Window& window, std::string_view timer) {
    const PeriodTimer* found = FindTimer(window, timer);
    return found != nullptr ? found->startCount() : 0;
}

} // namespace vellumark::platform
