// Test and tooling access to a runtime window: what the user would see and
// do, without a modal loop or a real screen. Not for the program's handlers,
// which reach controls only through ReadProperty / WriteProperty.
#pragma once

#include "platform/runtime.h"

#include <QImage>
#include <string_view>

class QWidget;

namespace vellumark::platform {

// The widget that shows a control, or nullptr for an unknown name or a
// control without a widget (timer, dialog).
QWidget* FindControlWidget(Window& window, std::string_view control);

// The window's client area as it would be drawn now (after pending
// repaints), ARGB32.
QImage GrabClientArea(Window& window);

// Raises the named timer's periodic event now, as if its interval had passed
// (only when the timer is running, as a real tick would be).
void FireTimer(Window& window, std::string_view timer);

// Whether the named timer is running, and its period.
bool IsTimerRunning(Window& window, std::string_view timer);
int TimerPeriod(Window& window, std::string_view timer);

// How often the named timer has been (re)started: a write of the period it
// already has leaves this unchanged.
int TimerStartCount(Window& window, std::string_view timer);

} // namespace vellumark::platform
