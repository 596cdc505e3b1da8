// Builds the mock-up window without a screen, lets it paint, and saves its
// client area as a PNG. Usage: vellumark-screenshot OUTPUT.png
#include "app/mockup_window.h"
#include "platform/window_probe.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vellumark-screenshot OUTPUT.png\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    // Wait for the created handlers (they run once the window has painted),
    // then let the repaints they cause go through.
    QEventLoop settle;
    const auto window = vellumark::app::CreateMockupWindow(
        {{vellumark::platform::Event::Created, "", [&settle](vellumark::platform::Window&) {
              QTimer::singleShot(200, &settle, &QEventLoop::quit);
          }}});
    settle.exec();

    const QImage client = vellumark::platform::GrabClientArea(*window);
    if (client.isNull() || !client.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "vellumark-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
