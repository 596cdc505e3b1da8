#include "platform/runtime.h"

#include <QApplication>

namespace vellumark::platform {

int RunApplication(int argc, char** argv, const WindowSpec& window,
                   std::span<const ControlSpec> controls, std::vector<EventBinding> bindings) {
    const QApplication application(argc, argv);
    // Closing the window ends the message loop (the last window closed).
    const std::unique_ptr<Window> main = CreateWindow(window, controls, std::move(bindings));
    return QApplication::exec();
}

} // namespace vellumark::platform
