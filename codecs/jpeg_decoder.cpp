// libjpeg reports fatal errors through error_exit, which must not return;
// we leave it with longjmp. Every function that calls setjmp below holds no
// object with a destructor that a longjmp could skip, and all state that
// must survive the jump lives in the heap-held Session.
#include "codecs/jpeg_decoder.h"

#include "codecs/jpeg_error_handling.h"
#include "codecs/limits.h"

#include <csetjmp>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

namespace vellumark::codecs {

namespace {

bool IsCmyk(J_COLOR_SPACE space) {
    return space == JCS_CMYK || space == JCS_YCCK;
}

} // namespace

struct JpegDecoder::Session : JpegReadSession {};

namespace {

bool ReadHeader(JpegDecoder::Session& s, std::span<const std::uint8_t> data) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    StartJpegRead(s, data);
    return jpeg_read_header(&s.info, TRUE) == JPEG_HEADER_OK;
}

// Picks the smallest of 1/8, 2/8, 4/8 and 8/8 whose output still covers the
// requested minimum, then fixes the output size.
bool ChooseScale(JpegDecoder::Session& s, const DecodeOptions& options) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    s.info.out_color_space = IsCmyk(s.info.jpeg_color_space) ? JCS_CMYK : JCS_EXT_BGRA;
    s.info.scale_denom = 8;
    for (unsigned int numerator : {1u, 2u, 4u, 8u}) {
        s.info.scale_num = numerator;
        jpeg_calc_output_dimensions(&s.info);
        const bool wideEnough = options.minWidth == 0 || s.info.output_width >= options.minWidth;
        const bool tallEnough = options.minHeight == 0 || s.info.output_height >= options.minHeight;
        const bool scaling = options.minWidth != 0 || options.minHeight != 0;
        if (scaling && wideEnough && tallEnough) {
            break;
        }
    }
    return true;
}

bool ReadPixels(JpegDecoder::Session& s, std::uint8_t* pixels, std::size_t stride) {
    if (setjmp(s.errors.jump)) {
        return false;
    }
    jpeg_start_decompress(&s.info);
    if (s.info.output_components != 4) {
        return false;
    }
    while (s.info.output_scanline < s.info.output_height) {
        JSAMPROW row = pixels + std::size_t{s.info.output_scanline} * stride;
        if (jpeg_read_scanlines(&s.info, &row, 1) != 1) {
            return false;
        }
    }
    return !s.errors.truncated;
}

// libjpeg hands CMYK through unconverted. Adobe writers store the inks
// inverted (0 = full ink); that is what nearly every CMYK JPEG is.
void CmykToBgra(std::span<std::uint8_t> pixels, bool inverted) {
    for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
        unsigned int c = pixels[i], m = pixels[i + 1], y = pixels[i + 2], k = pixels[i + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        pixels[i] = static_cast<std::uint8_t>((y * k + 127) / 255);
        pixels[i + 1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        pixels[i + 2] = static_cast<std::uint8_t>((c * k + 127) / 255);
        pixels[i + 3] = 255;
    }
}

} // namespace

bool JpegDecoder::Sniff(std::span<const std::uint8_t> data) {
    return data.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8;
}

CodecCreation JpegDecoder::Create(std::span<const std::uint8_t> data) {
    if (!Sniff(data)) {
        return CreationFailed(DecodeError::NotAPicture);
    }
    auto session = std::make_unique<Session>();
    if (!ReadHeader(*session, data)) {
        return CreationFailed(session->errors.tooBig ? DecodeError::OverLimit
                                                     : DecodeError::Malformed);
    }
    const auto& info = session->info;
    if (info.image_width == 0 || info.image_height == 0) {
        return CreationFailed(DecodeError::Malformed);
    }
    if (!WithinPixelLimits(info.image_width, info.image_height)) {
        return CreationFailed(DecodeError::OverLimit);
    }
    return Created<JpegDecoder>(std::move(session));
}

JpegDecoder::JpegDecoder(std::unique_ptr<Session> session) : session_(std::move(session)) {}

JpegDecoder::~JpegDecoder() = default;

PictureSize JpegDecoder::Size() const {
    return {session_->info.image_width, session_->info.image_height};
}

DecodeError JpegDecoder::DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) {
    Session& s = *session_;
    if (!ChooseScale(s, options)) {
        return DecodeError::Malformed;
    }
    const DecodeError sized = AllocateBgra(s.info.output_width, s.info.output_height, out);
    if (sized != DecodeError::None) {
        return sized;
    }
    if (!ReadPixels(s, out.pixels.data(), std::size_t{out.width} * 4)) {
        return DecodeError::Malformed;
    }
    if (s.info.out_color_space == JCS_CMYK) {
        CmykToBgra(out.pixels, s.info.saw_Adobe_marker != 0);
    }
    return DecodeError::None;
}

} // namespace vellumark::codecs
