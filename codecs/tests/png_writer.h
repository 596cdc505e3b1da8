// Writes PNG variants that Qt's writer never produces (grey with alpha,
// colour keys, interlacing, 2- and 4-bit grey) with libpng's write side.
#pragma once

#include "codecs/tests/qt_reference.h"

namespace vellumark::codecs::testing {

struct PngSpec {
    enum ColourType { kGrey = 0, kRgb = 2, kGreyAlpha = 4, kRgbAlpha = 6 };
    const char* name;
    ColourType colourType;
    int bitDepth;
    bool interlaced;
    bool colourKey; // a tRNS chunk keying out the first pixel's value
};

// A width x height pattern in the given layout; empty on failure.
// `filters` is libpng's PNG_FILTER_* mask for the rows (0: its default).
ByteVector WritePng(const PngSpec& variant, int width, int height, int filters = 0);

} // namespace vellumark::codecs::testing
