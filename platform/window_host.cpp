#include "platform/window_host.h"

#include "platform/binding/flat_api.h"
#include "platform/runtime_window.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstring>
#include <memory>

namespace vellumark::platform {

// What the library last gave back for a widget, painted above the widget's
// own content and its children. It passes every mouse event through.
class PresentedOverlay final : public QWidget {
public:
    static constexpr const char* kName = "vellumark-presented-overlay";

    explicit PresentedOverlay(QWidget* parent) : QWidget(parent) {
        setObjectName(kName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

    void show(QImage picture) {
        picture_ = std::move(picture);
        setGeometry(0, 0, picture_.width(), picture_.height());
        raise();
        QWidget::show();
        update();
    }

    void forget() {
        if (isVisible()) {
            hide();
            picture_ = QImage();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture_);
    }

private:
    QImage picture_;
};

// The callbacks the library calls, with the host as their context.
struct WidgetHostCallbacks {
    static WidgetWindowHost& host(void* context) {
        return *static_cast<WidgetWindowHost*>(context);
    }

    static BOOL getSize(void* context, INT* width, INT* height) {
        const QWidget* widget = host(context).widget_;
        if (widget == nullptr || widget->width() <= 0 || widget->height() <= 0) {
            return 0;
        }
        *width = widget->width();
        *height = widget->height();
        return 1;
    }

    static void capture(void* context, INT width, INT height, INT stride, BYTE* pixels) {
        QWidget* widget = host(context).widget_;
        if (widget == nullptr) {
            return;
        }
        QImage look = widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        if (look.width() != width || look.height() != height) {
            look = look.scaled(width, height); // a screen with more than one pixel per point
        }
        const auto rowBytes = static_cast<std::size_t>(width) * 4;
        for (int y = 0; y < height; ++y) {
            std::memcpy(pixels + static_cast<std::ptrdiff_t>(y) * stride, look.constScanLine(y),
                        rowBytes);
        }
    }

    static void present(void* context, INT width, INT height, INT stride, const BYTE* pixels) {
        WidgetWindowHost& self = host(context);
        if (self.overlay_ == nullptr) {
            return;
        }
        // The library's pixels live only during the call, so keep a copy.
        const QImage borrowed(pixels, width, height, stride, QImage::Format_ARGB32);
        self.overlay_->show(borrowed.copy());
    }
};

WidgetWindowHost::WidgetWindowHost(QWidget& widget)
    // The overlay belongs to the widget, which deletes it.
    : widget_(&widget), overlay_(std::make_unique<PresentedOverlay>(&widget).release()) {
    const GdiplusGdiWindowHost host{this, &WidgetHostCallbacks::getSize,
                                    &WidgetHostCallbacks::capture, &WidgetHostCallbacks::present};
    HWND handle = 0;
    if (binding::GdiplusGdiRegisterWindow(&host, &handle) == Ok) {
        handle_ = handle;
    }
}

WidgetWindowHost::~WidgetWindowHost() {
    if (handle_ != 0) {
        binding::GdiplusGdiUnregisterWindow(handle_);
    }
}

void ContentChanged(QWidget& widget) {
    for (QWidget* level = &widget; level != nullptr; level = level->parentWidget()) {
        // Named, since a class without its own meta-object cannot be told
        // apart from other widgets by type.
        if (auto* overlay =
                level->findChild<QWidget*>(PresentedOverlay::kName, Qt::FindDirectChildrenOnly)) {
            static_cast<PresentedOverlay*>(overlay)->forget();
        }
    }
}

std::uint32_t ControlWindowHandle(Window& window, std::string_view control) {
    RuntimeWindow* runtime = RuntimeWindow::From(window);
    if (runtime == nullptr) {
        return 0;
    }
    const WidgetWindowHost* host = runtime->windowHost(control);
    return host != nullptr ? host->handle() : 0;
}

} // namespace vellumark::platform
