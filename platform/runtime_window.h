// The one implementation of Window: a fixed-size top-level widget with the
// layout's controls, found by name, and the event handlers bound to them.
#pragma once

#include "platform/runtime.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vellumark::platform {

class PeriodTimer;
class WidgetWindowHost;

using Handler = std::function<void(Window&)>;

struct Control {
    ControlKind kind = ControlKind::EditBox;
    QWidget* widget = nullptr; // owned by its Qt parent; none for timers and dialogs
    std::unique_ptr<PeriodTimer> timer;
    // The control's window handle for the imaging library; none without a widget.
    std::unique_ptr<WidgetWindowHost> host;
    Text fileName; // CommonDlg
    // EditBox: the text as UTF-8, converted again only after the user or a
    // write changed it, so the periodic mirroring reads without converting.
    Text editText;
    bool editTextStale = true;
    std::vector<Handler> handlers; // Periodic (timer) or Clicked (button)

    Control();
    ~Control();
    Control(Control&&) noexcept;
    Control& operator=(Control&&) noexcept;
};

class RuntimeWindow final : public Window {
public:
    RuntimeWindow(const WindowSpec& description, std::span<const ControlSpec> controls,
                  std::vector<EventBinding> bindings);
    ~RuntimeWindow() override;

    // The runtime's window behind a Window, or nullptr for a foreign one.
    static RuntimeWindow* From(Window& window);

    // The named control, or nullptr when the layout has none of that name.
    Control* find(std::string_view name);

    QWidget& widget() { return *widget_; }

    // The window handle host of the named control ("" = the window), or
    // nullptr for an unknown control or one without a widget.
    const WidgetWindowHost* windowHost(std::string_view control);

    void setFileChooser(FileChooser chooser);
    // Shared, so a chooser that replaces itself while it runs stays alive
    // until it returns; nullptr when none is set.
    std::shared_ptr<const FileChooser> fileChooser() const { return chooser_; }

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const noexcept {
            return std::hash<std::string_view>{}(name);
        }
    };

    void createControl(const ControlSpec& description);
    void bind(EventBinding binding);
    void raiseCreated();
    void raise(const Control& control);
    void showCentred();

    // Declared first so it outlives the controls' timers.
    std::unique_ptr<QWidget> widget_;
    std::unique_ptr<WidgetWindowHost> host_; // before the controls, after the widget
    std::unordered_map<std::string, Control, NameHash, std::equal_to<>> controls_;
    std::vector<Handler> createdHandlers_;
    bool createdRaised_ = false;
    std::shared_ptr<const FileChooser> chooser_;
};

} // namespace vellumark::platform
