#include "platform/runtime_window.h"

#include "platform/period_timer.h"
#include "platform/picture_box.h"
#include "platform/trans_label.h"
#include "platform/window_host.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <limits>
#include <utility>

namespace vellumark::platform {

namespace {

// Created is raised from the event loop once the window has painted, so the
// user sees the window before slow start-up work runs. Should the window
// never be exposed (no compositor answer, say), it is raised after this
// long all the same.
constexpr int kCreatedFallbackMs = 3000;

// The top-level widget: reports its first paint.
class WindowWidget final : public QWidget {
public:
    explicit WindowWidget(std::function<void()> onFirstPaint)
        : onFirstPaint_(std::move(onFirstPaint)) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        if (!painted_) {
            painted_ = true;
            // After this paint has been flushed, not inside it.
            QTimer::singleShot(0, this, onFirstPaint_);
        }
    }

private:
    std::function<void()> onFirstPaint_;
    bool painted_ = false;
};

// Child widgets belong to their Qt parent, which deletes them.
template <class W, class... Args> W* MakeChild(QWidget* parent, Args&&... args) {
    return std::make_unique<W>(std::forward<Args>(args)..., parent).release();
}

QColor ToQColor(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont ToQFont(const FontSpec& description) {
    QFont font(ToQString(description.face));
    if (description.pixelHeight > 0) {
        font.setPixelSize(description.pixelHeight);
    }
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace

Control::Control() = default;
Control::~Control() = default;
Control::Control(Control&&) noexcept = default;
Control& Control::operator=(Control&&) noexcept = default;

RuntimeWindow::RuntimeWindow(const WindowSpec& description, std::span<const ControlSpec> controls,
                             std::vector<EventBinding> bindings)
    : widget_(std::make_unique<WindowWidget>([this] { raiseCreated(); })) {
    widget_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint);
    widget_->setWindowTitle(ToQString(description.title));
    widget_->setFixedSize(description.clientWidth, description.clientHeight);
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, ToQColor(description.background));
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
    host_ = std::make_unique<WidgetWindowHost>(*widget_);

    controls_.reserve(controls.size());
    for (const ControlSpec& control : controls) {
        createControl(control);
    }
    for (EventBinding& binding : bindings) {
        bind(std::move(binding));
    }
    showCentred();
    QTimer::singleShot(kCreatedFallbackMs, widget_.get(), [this] { raiseCreated(); });
}

RuntimeWindow::~RuntimeWindow() = default;

RuntimeWindow* RuntimeWindow::From(Window& window) {
    return dynamic_cast<RuntimeWindow*>(&window);
}

void RuntimeWindow::setFileChooser(FileChooser chooser) {
    chooser_ = chooser ? std::make_shared<const FileChooser>(std::move(chooser)) : nullptr;
}

const WidgetWindowHost* RuntimeWindow::windowHost(std::string_view control) {
    if (control.empty()) {
        return host_.get();
    }
    const Control* found = find(control);
    return found != nullptr ? found->host.get() : nullptr;
}

Control* RuntimeWindow::find(std::string_view name) {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : &found->second;
}

void RuntimeWindow::createControl(const ControlSpec& description) {
    // Parents come before their children in the layout; a name that is not
    // (yet) a shown control puts the child on the window.
    QWidget* parent = widget_.get();
    if (const Control* owner = find(description.parent);
        owner != nullptr && owner->widget != nullptr) {
        parent = owner->widget;
    }
    const auto [slot, added] = controls_.try_emplace(std::string(description.name));
    if (!added) {
        return; // a name is one control: the first of that name wins
    }
    Control& control = slot->second;
    control.kind = description.kind;
    const QRect place(description.left, description.top, description.width, description.height);

    switch (description.kind) {
    case ControlKind::EditBox: {
        auto* edit = MakeChild<QLineEdit>(parent);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        edit->setPalette(palette);
        // No length limit (Qt cuts at 32767 characters by default).
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setText(ToQString(description.text));
        // An edit box shows the start of its text, as a native edit control does.
        edit->setCursorPosition(0);
        QObject::connect(edit, &QLineEdit::textChanged, [&control, edit] {
            control.editTextStale = true;
            ContentChanged(*edit);
        });
        control.widget = edit;
        break;
    }
    case ControlKind::TransLabel: {
        auto* label = MakeChild<TransLabel>(parent);
        if (description.textColour) {
            label->setTextColour(ToQColor(*description.textColour));
        }
        label->setText(Text(description.text));
        control.widget = label;
        break;
    }
    case ControlKind::PicBox: {
        const QColor background = description.background
                                      ? ToQColor(*description.background)
                                      : QApplication::palette().color(QPalette::Window);
        auto* box = MakeChild<PictureBox>(parent, background, description.displayMode);
        box->setGeometry(place);
        box->setPicture(description.picture);
        control.widget = box;
        break;
    }
    case ControlKind::Button: {
        auto* button = MakeChild<QPushButton>(parent, ToQString(description.text));
        QObject::connect(button, &QPushButton::clicked, [this, &control] { raise(control); });
        control.widget = button;
        break;
    }
    case ControlKind::Timer:
        control.timer = std::make_unique<PeriodTimer>([this, &control] { raise(control); });
        break;
    case ControlKind::CommonDlg:
        control.fileName = Text(description.text);
        break;
    }

    if (control.widget != nullptr) {
        if (description.font) {
            control.widget->setFont(ToQFont(*description.font));
        }
        control.widget->setGeometry(place);
        control.widget->show();
        control.host = std::make_unique<WidgetWindowHost>(*control.widget);
    }
}

void RuntimeWindow::bind(EventBinding binding) {
    if (!binding.handler) {
        return;
    }
    if (binding.event == Event::Created) {
        createdHandlers_.push_back(std::move(binding.handler));
        return;
    }
    Control* control = find(binding.control);
    const ControlKind wanted =
        binding.event == Event::Periodic ? ControlKind::Timer : ControlKind::Button;
    if (control != nullptr && control->kind == wanted) {
        control->handlers.push_back(std::move(binding.handler));
    }
}

void RuntimeWindow::raise(const Control& control) {
    for (const Handler& handler : control.handlers) {
        handler(*this);
    }
}

void RuntimeWindow::raiseCreated() {
    if (createdRaised_) {
        return;
    }
    createdRaised_ = true;
    for (const Handler& handler : createdHandlers_) {
        handler(*this);
    }
}

void RuntimeWindow::showCentred() {
    if (const QScreen* screen = widget_->screen(); screen != nullptr) {
        widget_->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, widget_->size(),
                                                 screen->availableGeometry()));
    }
    widget_->show();
}

std::unique_ptr<Window> CreateWindow(const WindowSpec& window,
                                     std::span<const ControlSpec> controls,
                                     std::vector<EventBinding> bindings) {
    return std::make_unique<RuntimeWindow>(window, controls, std::move(bindings));
}

} // namespace vellumark::platform
