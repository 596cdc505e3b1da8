// A bitmap over test-owned 32-bit pixels with a surface open on it, so tests
// read what was drawn straight from memory.
#pragma once

#include "gdiplus/gdiplus.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vellumark::gdiplus::testing {

struct Canvas {
    INT width;
    INT height;
    std::vector<std::uint32_t> pixels;
    GpBitmap bitmap = 0;
    GpGraphics graphics = 0;

    Canvas(INT w, INT h, PixelFormat format = PixelFormat32bppARGB, std::uint32_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w * h), fill) {
        EXPECT_EQ(GdipCreateBitmapFromScan0(w, h, w * 4, format,
                                            reinterpret_cast<BYTE*>(pixels.data()), &bitmap),
                  Ok);
        EXPECT_EQ(GdipGetImageGraphicsContext(bitmap, &graphics), Ok);
    }

    std::uint32_t at(INT x, INT y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    // Rows of '#' (pixel equals `ink`) and '.' (anything else), for
    // readable shape expectations.
    std::vector<std::string> mask(std::uint32_t ink) const {
        std::vector<std::string> rows;
        for (INT y = 0; y < height; ++y) {
            std::string row;
            for (INT x = 0; x < width; ++x) {
                row += at(x, y) == ink ? '#' : '.';
            }
            rows.push_back(row);
        }
        return rows;
    }
};

// A brush of one colour, deleted with the library's shut-down.
inline GpBrush solidBrush(ARGB color) {
    GpSolidFill brush = 0;
    EXPECT_EQ(GdipCreateSolidFill(color, &brush), Ok);
    return brush;
}

} // namespace vellumark::gdiplus::testing
