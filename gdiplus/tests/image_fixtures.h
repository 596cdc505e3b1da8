// Pictures and streams the image tests build through the flat API itself.
#pragma once

#include "gdiplus/gdiplus.h"
#include "support/fake_stream.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vellumark::gdiplus::testing {

constexpr CLSID encoderClsid(std::uint32_t data1) {
    return CLSID{data1, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}
inline constexpr CLSID kBmpEncoder = encoderClsid(0x557CF400);
inline constexpr CLSID kJpegEncoder = encoderClsid(0x557CF401);
inline constexpr CLSID kGifEncoder = encoderClsid(0x557CF402);
inline constexpr CLSID kTiffEncoder = encoderClsid(0x557CF405);
inline constexpr CLSID kPngEncoder = encoderClsid(0x557CF406);

inline constexpr PROPID kFrameDelayTag = 0x5100;

// A blank bitmap of the library's own memory.
inline GpBitmap makeBitmap(INT width = 4, INT height = 3,
                           PixelFormat format = PixelFormat32bppARGB) {
    GpBitmap bitmap = 0;
    EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &bitmap), Ok);
    return bitmap;
}

// A bitmap over caller memory holding `pixels` (32-bit ARGB, row-major).
inline GpBitmap wrapArgb(std::vector<ARGB>& pixels, INT width, INT height) {
    GpBitmap bitmap = 0;
    EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(pixels.data()), &bitmap),
              Ok);
    return bitmap;
}

inline std::vector<std::uint8_t> encode(GpImage image, const CLSID& encoder,
                                        const EncoderParameters* parameters = nullptr) {
    FakeStream stream;
    EXPECT_EQ(GdipSaveImageToStream(image, stream.stream(), &encoder, parameters), Ok);
    return stream.bytes;
}

inline std::vector<std::uint8_t> pngOf(GpImage image) {
    return encode(image, kPngEncoder);
}

// An image's pixels as 32-bit ARGB, row-major: an ARGB area clone saved as
// a 32-bit BMP, whose rows are read back bottom-up.
inline std::vector<ARGB> argbPixels(GpImage image) {
    UINT width = 0;
    UINT height = 0;
    EXPECT_EQ(GdipGetImageWidth(image, &width), Ok);
    EXPECT_EQ(GdipGetImageHeight(image, &height), Ok);
    GpBitmap argb = 0;
    EXPECT_EQ(GdipCloneBitmapAreaI(0, 0, static_cast<INT>(width), static_cast<INT>(height),
                                   PixelFormat32bppARGB, image, &argb),
              Ok);
    const std::vector<std::uint8_t> bmp = encode(argb, kBmpEncoder);
    std::vector<ARGB> pixels(std::size_t{width} * height);
    const std::size_t offset = bmp.at(10) | (std::size_t{bmp.at(11)} << 8);
    for (UINT y = 0; y < height; ++y) {
        std::memcpy(&pixels[std::size_t{y} * width],
                    bmp.data() + offset + std::size_t{height - 1 - y} * width * 4,
                    std::size_t{width} * 4);
    }
    GdipDisposeImage(argb);
    return pixels;
}

// Loads from an in-memory stream; the status goes to `status`.
inline GpImage loadBytes(const std::vector<std::uint8_t>& bytes, GpStatus* status = nullptr) {
    FakeStream stream(bytes);
    GpImage image = 0;
    const GpStatus result = GdipLoadImageFromStream(stream.stream(), &image);
    if (status != nullptr) {
        *status = result;
    }
    return image;
}

// A UTF-16 name with its terminating NUL, for the file functions.
inline std::u16string wideName(const std::filesystem::path& path) {
    const std::string utf8 = path.string();
    return std::u16string(utf8.begin(), utf8.end());
}

inline const WCHAR* wide(const std::u16string& name) {
    return reinterpret_cast<const WCHAR*>(name.c_str());
}

inline std::filesystem::path tempPath(const std::string& name) {
    return std::filesystem::path(::testing::TempDir()) / name;
}

// A small PNG file written through the library; returns its wide name.
inline std::u16string savedPngFile() {
    const std::filesystem::path path = tempPath("saved_picture.png");
    const std::u16string name = wideName(path);
    EXPECT_EQ(GdipSaveImageToFile(makeBitmap(), wide(name), &kPngEncoder, nullptr), Ok);
    return name;
}

// Inputs for calls that may run before start-up: no expectations, so they
// only come out empty (or 0) when the library is not started.
inline std::vector<std::uint8_t> quietPng() {
    GpBitmap bitmap = 0;
    GdipCreateBitmapFromScan0(4, 3, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    FakeStream stream;
    GdipSaveImageToStream(bitmap, stream.stream(), &kPngEncoder, nullptr);
    GdipDisposeImage(bitmap);
    return stream.bytes;
}

inline std::u16string quietPngFile() {
    const std::u16string name = wideName(tempPath("quiet_picture.png"));
    GpBitmap bitmap = 0;
    GdipCreateBitmapFromScan0(4, 3, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    GdipSaveImageToFile(bitmap, wide(name), &kPngEncoder, nullptr);
    GdipDisposeImage(bitmap);
    return name;
}

// A GDI bitmap (or icon) of a small blank bitmap.
inline std::uint32_t quietGdiObject(bool icon) {
    GpBitmap bitmap = 0;
    GdipCreateBitmapFromScan0(4, 3, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    std::uint32_t handle = 0;
    if (icon) {
        GdipCreateHICONFromBitmap(bitmap, &handle);
    } else {
        GdipCreateHBITMAPFromBitmap(bitmap, &handle, 0);
    }
    GdipDisposeImage(bitmap);
    return handle;
}

inline EncoderParameters oneLongParameter(const GUID& guid, std::uint32_t& value) {
    EncoderParameters parameters{};
    parameters.Count = 1;
    parameters.Parameter[0] = EncoderParameter{guid, 1, EncoderParameterValueTypeLong, &value};
    return parameters;
}

inline constexpr GUID kEncoderSaveFlag{
    0x292266FC, 0xAC40, 0x47BF, {0x8C, 0xFC, 0xA8, 0x5B, 0x89, 0xA6, 0x55, 0xDE}};
// Ends a multi-frame save, if one is in progress, so the library drops its
// reference to the stream.
inline void endMultiFrameSave(GpImage image) {
    std::uint32_t flush = EncoderValueFlush;
    EncoderParameters end{};
    end.Count = 1;
    end.Parameter[0] = EncoderParameter{kEncoderSaveFlag, 1, EncoderParameterValueTypeLong, &flush};
    GdipSaveAdd(image, &end);
}

inline constexpr GUID kEncoderQuality{
    0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
inline constexpr GUID kFrameDimensionPage{
    0x7462DC86, 0x6180, 0x4C7E, {0x8E, 0x3F, 0xEE, 0x73, 0x33, 0xA7, 0xA4, 0x83}};
inline constexpr GUID kFrameDimensionTime{
    0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};

} // namespace vellumark::gdiplus::testing
