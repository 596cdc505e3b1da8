// Test stand-ins for the wrapper objects that brush and surface operations
// take as arguments: any ImagingObject that yields a native handle serves.
// They are set up through the library's own exports, so a CallSpy in the
// test sees only the calls of the operation under test.
#pragma once

#include "imaging/imaging_object.h"

#include <cstdint>
#include <gdiplus/gdiplus.h>
#include <gtest/gtest.h>
#include <vector>

namespace vellumark::imaging::test_support {

// Holds one native object and releases it with `release` when it goes.
class NativeObject final : public ImagingObject {
public:
    using Release = GpStatus (*)(GpHandle);

    explicit NativeObject(Release release = nullptr) : release_(release) {}
    ~NativeObject() override { Destroy(); }

    void SetNativeHandle(GpHandle handle) override { held_ = handle; }
    bool ReleaseNative() override { return release_ != nullptr && ReleaseWith(held_, release_); }

private:
    Release release_;
    GpHandle held_ = 0;
};

// A native matrix with the six elements m11, m12, m21, m22, dx, dy.
inline void MakeMatrix(NativeObject& target, REAL m11 = 1, REAL m12 = 0, REAL m21 = 0, REAL m22 = 1,
                       REAL dx = 0, REAL dy = 0) {
    GpMatrix matrix = 0;
    ASSERT_EQ(::GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &matrix), Ok);
    target.SetHandle(matrix);
}

// A 32bppARGB bitmap over pixels the test holds, so what a surface draws
// into it can be read straight from Pixels(). Pixel (x, y) starts as
// pixel(x, y).
class ScanBitmap {
public:
    template <typename Pixel>
    ScanBitmap(std::int32_t width, std::int32_t height, Pixel pixel)
        : width_(width),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                pixels_[Index(x, y)] = pixel(x, y);
            }
        }
        GpBitmap bitmap = 0;
        EXPECT_EQ(::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                              reinterpret_cast<BYTE*>(pixels_.data()), &bitmap),
                  Ok);
        object_.SetHandle(bitmap);
    }

    ImagingObject& Object() { return object_; }
    ARGB At(std::int32_t x, std::int32_t y) const { return pixels_[Index(x, y)]; }

private:
    std::size_t Index(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    std::int32_t width_;
    std::vector<ARGB> pixels_;
    // Declared after the pixels, so the bitmap is disposed of first.
    NativeObject object_{::GdipDisposeImage};
};

} // namespace vellumark::imaging::test_support
