// The window-and-control runtime: builds one window from a fixed layout of
// controls, raises its events on the GUI thread, and lets the program reach
// the controls only through numbered properties. Implemented on Qt 6
// Widgets; nothing of Qt shows through this header.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace vellumark::platform {

enum class ControlKind { EditBox, TransLabel, PicBox, Button, Timer, CommonDlg };
enum class DisplayMode { Stretch, Centre };

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A font asked for by face name and em height in pixels, weight 400. The
// system substitutes an installed face when the named one is missing.
struct FontSpec {
    std::string_view face;
    int pixelHeight = 0;
};

// One control of the layout. Places are in the parent's client area; an
// empty parent means the window. Fields that do not apply to a kind are
// ignored (a timer has no font, a button no picture).
struct ControlSpec {
    ControlKind kind = ControlKind::EditBox;
    std::string_view name;
    std::string_view parent; // "" = the window
    int left = 0, top = 0, width = 0, height = 0;
    std::string_view text;                 // edit box / label text, button caption
    std::span<const std::uint8_t> picture; // PicBox: the whole picture file
    std::optional<FontSpec> font;          // nullopt = the default GUI font
    std::optional<Rgb> textColour;         // labels
    std::optional<Rgb> background;         // PicBox; nullopt = system default
    DisplayMode displayMode = DisplayMode::Stretch;
};

struct WindowSpec {
    std::string_view title;
    int clientWidth = 0, clientHeight = 0; // fixed: no resizing, no maximise
    Rgb background;
};

enum class Event { Created, Periodic, Clicked };

class Window;

// Binds a handler to an event of a named control (Created: control "").
struct EventBinding {
    Event event = Event::Created;
    std::string_view control;
    std::function<void(Window&)> handler;
};

// Property numbers of the runtime.
inline constexpr int kPropertyText = 8;      // EditBox, TransLabel: Text
inline constexpr int kPropertyPeriod = 8;    // Timer: std::int32_t milliseconds
inline constexpr int kPropertyPicture = 10;  // PicBox: Bytes, the whole file
inline constexpr int kPropertyFileName = 10; // CommonDlg: Text

// monostate answers a read of an unknown control or property.
using PropertyValue = std::variant<std::monostate, Text, Bytes, std::int32_t>;

// The user's part of the open-file dialog: given the name the dialog offers,
// returns the chosen existing file's full path, or nullopt for cancel.
using FileChooser = std::function<std::optional<Text>(const Text& offeredName)>;

class Window {
public:
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

protected:
    Window() = default;
};

// Creates the window and every control (parents before children, in layout
// order, so later controls lie above earlier siblings), centres it on the
// screen, shows it and then raises the Created event. A QApplication (or the
// runtime's own Application below) must exist.
std::unique_ptr<Window> CreateWindow(const WindowSpec& window,
                                     std::span<const ControlSpec> controls,
                                     std::vector<EventBinding> bindings);

// Owned copies both ways: a read returns a copy of the value, a write makes
// the control keep its own copy (and repaint where the kind says so).
PropertyValue ReadProperty(Window& window, std::string_view control, int property);
void WriteProperty(Window& window, std::string_view control, int property,
                   const PropertyValue& value);

// Shows the named CommonDlg modally as an open-file dialog offering its
// file-name property; existing files only, no filter. On confirmation stores
// the full path in the property and returns true; on cancel returns false
// and leaves the property alone. Uses the window's FileChooser when one is
// set (tests stand in for the user this way), a real dialog otherwise.
bool ShowOpenFileDialog(Window& window, std::string_view dialog);
void SetFileChooser(Window& window, FileChooser chooser);

// The whole content of a regular file; empty Bytes for an empty name, a
// missing, unreadable, non-regular or over-large file (see the .cpp for the
// cap). Never blocks on FIFOs or devices.
Bytes ReadWholeFile(const Text& name);

// Files larger than this many bytes count as unreadable for ReadWholeFile.
inline constexpr std::uint64_t kWholeFileLimit = std::uint64_t{256} << 20;

// Starts the GUI application, builds the window, runs the message loop until
// the window closes and returns the exit code.
int RunApplication(int argc, char** argv, const WindowSpec& window,
                   std::span<const ControlSpec> controls, std::vector<EventBinding> bindings);

} // namespace vellumark::platform
