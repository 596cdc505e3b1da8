// libjpeg reports fatal errors through error_exit, which must not return;
// we leave it with longjmp. Every function that calls setjmp below holds no
// object with a destructor that a longjmp could skip; state that must
// survive the jump lives in the heap-held Session.
#include "codecs/native/jpeg_native.h"

#include "codecs/jpeg_error_handling.h"
#include "codecs/limits.h"
#include "codecs/native/exif_properties.h"
#include "codecs/native/frame_allocator.h"
#include "codecs/native/property_items.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jerror.h>
#include <jpeglib.h>
#include <memory>

namespace vellumark::codecs::native {

namespace {

constexpr int kIccMarker = JPEG_APP0 + 2;
constexpr int kExifMarker = JPEG_APP0 + 1;

using Session = JpegReadSession;

bool ReadHeader(Session& s, std::span<const std::uint8_t> data) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    StartJpegRead(s, data);
    jpeg_save_markers(&s.info, kExifMarker, 0xFFFF);
    jpeg_save_markers(&s.info, kIccMarker, 0xFFFF);
    return jpeg_read_header(&s.info, TRUE) == JPEG_HEADER_OK;
}

// The ICC profile, which may span several APP2 markers; libjpeg-turbo
// assembles it. The profile is malloc'ed by libjpeg and freed here.
void ReadIccProfile(Session& s, NativePicture& out) {
    JOCTET* profile = nullptr;
    unsigned int length = 0;
    if (setjmp(s.errors.jump)) {
        return;
    }
    if (jpeg_read_icc_profile(&s.info, &profile, &length) && profile != nullptr) {
        AddProperty(out, BytesItem(kTagIccProfile, kTypeUndefined, {profile, length}));
    }
    std::free(profile);
}

void ReadExif(const Session& s, NativePicture& out) {
    static constexpr std::uint8_t kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};
    for (jpeg_saved_marker_ptr marker = s.info.marker_list; marker != nullptr;
         marker = marker->next) {
        if (marker->marker == kExifMarker && marker->data_length > sizeof kExifHeader &&
            std::memcmp(marker->data, kExifHeader, sizeof kExifHeader) == 0) {
            ReadExifProperties({marker->data, marker->data_length}, out);
            return;
        }
    }
}

// JFIF density when it is in real units, else the EXIF resolution tags.
void ReadResolution(const Session& s, NativePicture& out) {
    const jpeg_decompress_struct& info = s.info;
    if (info.saw_JFIF_marker && (info.density_unit == 1 || info.density_unit == 2) &&
        info.X_density != 0 && info.Y_density != 0) {
        const double scale = info.density_unit == 2 ? 2.54 : 1.0;
        out.dpiX = info.X_density * scale;
        out.dpiY = info.Y_density * scale;
        out.realDpi = true;
        if (FindProperty(out, kTagXResolution) == nullptr) {
            const std::uint16_t unit = info.density_unit == 2 ? 3 : 2;
            AddProperty(out, RationalItem(kTagXResolution, info.X_density, 1));
            AddProperty(out, RationalItem(kTagYResolution, info.Y_density, 1));
            AddProperty(out, ShortItem(kTagResolutionUnit, {&unit, 1}));
        }
        return;
    }
    const PropertyItem* x = FindProperty(out, kTagXResolution);
    const PropertyItem* y = FindProperty(out, kTagYResolution);
    const PropertyItem* unit = FindProperty(out, kTagResolutionUnit);
    // A missing or unreadable tag reads as 0, which the checks below refuse.
    const double dpiX = x ? RationalValue(*x).value_or(0.0) : 0.0;
    const double dpiY = y ? RationalValue(*y).value_or(0.0) : 0.0;
    const std::uint16_t unitValue = unit ? ShortValue(*unit).value_or(2) : 2;
    if (dpiX > 0 && dpiY > 0 && std::isfinite(dpiX) && std::isfinite(dpiY) &&
        (unitValue == 2 || unitValue == 3)) {
        const double scale = unitValue == 3 ? 2.54 : 1.0;
        out.dpiX = dpiX * scale;
        out.dpiY = dpiY * scale;
        out.realDpi = true;
    }
}

bool StartOutput(Session& s, J_COLOR_SPACE space) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    s.info.out_color_space = space;
    jpeg_start_decompress(&s.info);
    return true;
}

// Rows go straight into the caller's memory, several per call as libjpeg
// prefers.
bool ReadRows(Session& s, FrameBuffer buffer) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    JSAMPROW rows[16];
    while (s.info.output_scanline < s.info.output_height) {
        const JDIMENSION first = s.info.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(16, s.info.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = buffer.scan0 + std::size_t{first + i} * buffer.stride;
        }
        if (jpeg_read_scanlines(&s.info, rows, count) == 0) {
            return false;
        }
    }
    return !s.errors.truncated;
}

std::vector<std::uint32_t> GreyPalette() {
    std::vector<std::uint32_t> palette(256);
    for (std::uint32_t i = 0; i < 256; ++i) {
        palette[i] = 0xFF000000u | i << 16 | i << 8 | i;
    }
    return palette;
}

} // namespace

DecodeError DecodeJpeg(std::span<const std::uint8_t> data, FrameSink& sink, NativePicture& out) {
    auto session = std::make_unique<Session>();
    Session& s = *session;
    if (!ReadHeader(s, data)) {
        return s.errors.tooBig ? DecodeError::OverLimit : DecodeError::Malformed;
    }
    out.format = NativeFormat::Jpeg;
    NativeFrame frame{s.info.image_width, s.info.image_height, NativeLayout::Bgr24, {}};
    J_COLOR_SPACE outSpace = JCS_EXT_BGR;
    switch (s.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        frame.layout = NativeLayout::Indexed8;
        frame.palette = GreyPalette();
        outSpace = JCS_GRAYSCALE;
        out.colourSpace = ColourSpace::Gray;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        frame.layout = NativeLayout::Cmyk32;
        outSpace = JCS_CMYK;
        out.colourSpace =
            s.info.jpeg_color_space == JCS_CMYK ? ColourSpace::Cmyk : ColourSpace::Ycck;
        break;
    case JCS_YCbCr:
        out.colourSpace = ColourSpace::Ycbcr;
        break;
    default:
        out.colourSpace = ColourSpace::Rgb;
        break;
    }
    ReadExif(s, out);
    ReadIccProfile(s, out);
    ReadResolution(s, out);

    FrameBuffer buffer;
    FrameAllocator frames(sink, out);
    if (const DecodeError added = frames.Add(std::move(frame), buffer);
        added != DecodeError::None) {
        return added;
    }
    if (!StartOutput(s, outSpace) || s.info.output_width != s.info.image_width ||
        s.info.output_height != s.info.image_height || !ReadRows(s, buffer)) {
        return DecodeError::Malformed;
    }
    if (outSpace == JCS_CMYK && s.info.saw_Adobe_marker) {
        // Adobe writers store inks inverted (0 = full ink).
        const std::size_t rowBytes = std::size_t{s.info.output_width} * 4;
        for (std::uint32_t y = 0; y < s.info.output_height; ++y) {
            std::uint8_t* row = buffer.scan0 + y * buffer.stride;
            for (std::size_t i = 0; i < rowBytes; ++i) {
                row[i] = static_cast<std::uint8_t>(255 - row[i]);
            }
        }
    }
    return DecodeError::None;
}

} // namespace vellumark::codecs::native
