// Shared helpers for the runtime's widget tests: a small window built from a
// few controls, waiting on the event loop, pictures made in memory.
#pragma once

#include "platform/runtime.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace vellumark::platform::testing {

inline constexpr int kClientWidth = 200;
inline constexpr int kClientHeight = 150;

// A black kClientWidth x kClientHeight window titled "Test" with the given
// controls, returned once its Created event has run (so it has painted).
std::unique_ptr<Window> MakeWindow(std::span<const ControlSpec> controls,
                                   std::vector<EventBinding> bindings = {});

// Runs the event loop until done() holds or a few seconds have passed;
// returns done().
bool ProcessUntil(const std::function<bool()>& done);

// Runs the event loop for about this long.
void ProcessFor(int milliseconds);

// The picture encoded as a PNG file.
Bytes EncodePng(const QImage& picture);

// A picture of one colour.
QImage Solid(int width, int height, QColor colour);

// Whether every pixel of the area has this colour (alpha ignored).
bool AllPixels(const QImage& image, const QRect& area, QColor colour);

// How many pixels of the area differ from the colour.
int PixelsDiffering(const QImage& image, const QRect& area, QColor colour);

} // namespace vellumark::platform::testing
