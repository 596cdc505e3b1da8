#include "jpeg_encoder.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace vellumark::codecs {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

void Quiet(j_common_ptr) {}

// How rows reach libjpeg: straight from the caller's memory, or through a
// BGR scratch row.
J_COLOR_SPACE DirectColourSpace(PixelLayout layout) {
    switch (layout) {
    case PixelLayout::Bgra8:
        return JCS_EXT_BGRA;
    case PixelLayout::Bgr8:
        return JCS_EXT_BGR;
    case PixelLayout::Gray8:
        return JCS_GRAYSCALE;
    default:
        return JCS_UNKNOWN;
    }
}

std::uint8_t Narrow(const std::uint8_t* sample) {
    std::uint16_t v = 0;
    std::memcpy(&v, sample, 2);
    return static_cast<std::uint8_t>((v * 255u + 32895u) >> 16);
}

void ToBgr(const EncoderImage& image, std::uint32_t y, std::uint8_t* out) {
    const auto row = ImageRow(image, y);
    for (std::uint32_t x = 0; x < image.width; ++x) {
        std::uint8_t* p = out + 3 * x;
        if (IsIndexed(image.layout)) {
            const std::uint32_t argb = PaletteEntry(image, IndexAt(image.layout, row, x));
            p[0] = static_cast<std::uint8_t>(argb);
            p[1] = static_cast<std::uint8_t>(argb >> 8);
            p[2] = static_cast<std::uint8_t>(argb >> 16);
        } else {
            const std::size_t n = image.layout == PixelLayout::Rgba16 ? 8 : 6;
            const std::uint8_t* s = row.data() + n * x;
            p[0] = Narrow(s + 4);
            p[1] = Narrow(s + 2);
            p[2] = Narrow(s);
        }
    }
}

// Everything libjpeg may jump out of lives in this function, which holds
// only plain data, so the longjmp skips no destructor. On success the
// file is in *buffer (malloc'ed by libjpeg) and true is returned.
bool Compress(const EncoderImage& image, const JpegOptions& options, std::uint8_t* scratch,
              unsigned char** buffer, unsigned long* size) {
    jpeg_compress_struct cinfo{};
    ErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ErrorExit;
    errors.base.output_message = Quiet;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    const J_COLOR_SPACE direct = DirectColourSpace(image.layout);
    cinfo.image_width = image.width;
    cinfo.image_height = image.height;
    cinfo.in_color_space = direct == JCS_UNKNOWN ? JCS_EXT_BGR : direct;
    cinfo.input_components = direct == JCS_GRAYSCALE ? 1 : (direct == JCS_EXT_BGRA ? 4 : 3);
    jpeg_set_defaults(&cinfo);
    if (options.grayscale) {
        jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    }
    jpeg_set_quality(&cinfo, std::max(options.quality, 1), TRUE);
    const long dpiX = std::lround(image.dpiX);
    const long dpiY = std::lround(image.dpiY);
    if (dpiX > 0 && dpiY > 0 && dpiX <= 65535 && dpiY <= 65535) {
        cinfo.density_unit = 1; // dots per inch
        cinfo.X_density = static_cast<UINT16>(dpiX);
        cinfo.Y_density = static_cast<UINT16>(dpiY);
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint32_t y = cinfo.next_scanline;
        JSAMPROW row = scratch;
        if (direct != JCS_UNKNOWN) {
            row = const_cast<JSAMPROW>(ImageRow(image, y).data()); // libjpeg only reads it
        } else {
            ToBgr(image, y, scratch);
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

EncodeError EncodeJpeg(const EncoderImage& image, const JpegOptions& options, ByteBuffer& out) {
    if (const EncodeError error = ValidateImage(image); error != EncodeError::None) {
        return error;
    }
    if (options.quality < 0 || options.quality > 100) {
        return EncodeError::InvalidOptions;
    }
    if (image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION) {
        return EncodeError::OverLimit;
    }
    ByteBuffer scratch(std::size_t{image.width} * 3);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = Compress(image, options, scratch.data(), &buffer, &size);
    if (ok) {
        out.assign(buffer, buffer + size);
    }
    std::free(buffer); // jpeg_mem_dest's buffer, also after a failure
    return ok ? EncodeError::None : EncodeError::CodecFailure;
}

} // namespace vellumark::codecs
