// Makes the runtime's window and each of its controls known to the imaging
// library (gdiplus/gdi.h) as a 32-bit window handle, so a surface opened on
// that handle draws on the widget: the library takes the widget's current
// look when it hands out the window's device context, and what it gives
// back is shown above the widget's own painting (and its children's) until
// the widget's content changes. The window's content includes its
// controls', so a change also clears what was shown on every widget the
// control lies in.
#pragma once

#include "platform/runtime.h"

#include <QPointer>
#include <cstdint>
#include <string_view>

class QWidget;

namespace vellumark::platform {

class PresentedOverlay;

// One widget registered as a window while this object lives.
class WidgetWindowHost {
public:
    explicit WidgetWindowHost(QWidget& widget);
    ~WidgetWindowHost();
    WidgetWindowHost(const WidgetWindowHost&) = delete;
    WidgetWindowHost& operator=(const WidgetWindowHost&) = delete;

    // 0 when the library refused the registration.
    std::uint32_t handle() const { return handle_; }

private:
    QPointer<QWidget> widget_;
    QPointer<PresentedOverlay> overlay_;
    std::uint32_t handle_ = 0;

    friend struct WidgetHostCallbacks;
};

// Forgets what was drawn on `widget` and on the widgets it lies in, because
// the widget's own content changed.
void ContentChanged(QWidget& widget);

// The window handle of the named control ("" = the window itself), for
// GdipCreateFromHWND and GdiplusGdiGetDC; 0 for an unknown control or one
// without a widget (timer, dialog).
std::uint32_t ControlWindowHandle(Window& window, std::string_view control);

} // namespace vellumark::platform
