#include "window_fixture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <memory>

namespace vellumark::platform::testing {

std::unique_ptr<Window> MakeWindow(std::span<const ControlSpec> controls,
                                   std::vector<EventBinding> bindings) {
    const WindowSpec description{"Test", kClientWidth, kClientHeight, Rgb{0, 0, 0}};
    auto created = std::make_shared<bool>(false);
    bindings.push_back({Event::Created, "", [created](Window&) { *created = true; }});
    std::unique_ptr<Window> window = CreateWindow(description, controls, std::move(bindings));
    ProcessUntil([&created] { return *created; });
    return window;
}

void ProcessFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

bool ProcessUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

Bytes EncodePng(const QImage& picture) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return Bytes(encoded.begin(), encoded.end());
}

QImage Solid(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

int PixelsDiffering(const QImage& image, const QRect& area, QColor colour) {
    int differing = 0;
    const QRgb wanted = colour.rgb() & RGB_MASK;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((image.pixel(x, y) & RGB_MASK) != wanted) {
                ++differing;
            }
        }
    }
    return differing;
}

bool AllPixels(const QImage& image, const QRect& area, QColor colour) {
    return PixelsDiffering(image, area, colour) == 0;
}

} // namespace vellumark::platform::testing
