// libpng reports fatal errors by longjmp to png_jmpbuf. Every function that
// calls setjmp below holds no object with a destructor a longjmp could skip;
// what must survive the jump lives in the ReadSession.
// Format: https://www.w3.org/TR/png/
#include "codecs/png_decoder.h"

#include "codecs/byte_reader.h"
#include "codecs/limits.h"
#include "codecs/png_inflate_path.h"
#include "codecs/png_memory_reading.h"

#include <array>
#include <csetjmp>
#include <cstring>
#include <png.h>
#include <vector>

namespace vellumark::codecs {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Owns libpng's two structures for one decode.
class ReadSession {
public:
    explicit ReadSession(std::span<const std::uint8_t> data) : source_{data} {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, LeavePngOnError,
                                      IgnorePngWarning);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
    }
    ~ReadSession() { png_destroy_read_struct(&png_, &info_, nullptr); }
    ReadSession(const ReadSession&) = delete;
    ReadSession& operator=(const ReadSession&) = delete;

    bool valid() const { return png_ != nullptr && info_ != nullptr; }
    png_structp png() { return png_; }
    png_infop info() { return info_; }
    PngMemorySource& source() { return source_; }

private:
    PngMemorySource source_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// Reads up to the image data and asks libpng for 8-bit B, G, R, A rows.
bool PrepareBgra(ReadSession& s, PictureSize expected) {
    png_structp png = s.png();
    png_infop info = s.info();
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_read_fn(png, &s.source(), ReadPngFromMemory);
    png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
    png_read_info(png, info);
    if (png_get_image_width(png, info) != expected.width ||
        png_get_image_height(png, info) != expected.height) {
        return false;
    }
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
        png_set_tRNS_to_alpha(png);
    }
    if (bitDepth == 16) {
        png_set_scale_16(png);
    }
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0) {
        png_set_gray_to_rgb(png);
    }
    png_set_bgr(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == std::size_t{expected.width} * 4 &&
           png_get_bit_depth(png, info) == 8 && png_get_channels(png, info) == 4;
}

bool ReadRows(ReadSession& s, png_bytepp rows) {
    if (setjmp(png_jmpbuf(s.png()))) {
        return false;
    }
    png_read_image(s.png(), rows);
    return true;
}

} // namespace

bool PngDecoder::Sniff(std::span<const std::uint8_t> data) {
    return data.size() >= kSignature.size() &&
           std::memcmp(data.data(), kSignature.data(), kSignature.size()) == 0;
}

CodecCreation PngDecoder::Create(std::span<const std::uint8_t> data) {
    if (!Sniff(data)) {
        return CreationFailed(DecodeError::NotAPicture);
    }
    ByteReader reader(data);
    reader.Skip(kSignature.size());
    const auto length = reader.U32BE();
    const auto type = reader.U32BE();
    const auto width = reader.U32BE();
    const auto height = reader.U32BE();
    if (reader.failed() || *length != 13 || *type != 0x49484452 /* IHDR */ || *width == 0 ||
        *height == 0 || *width > 0x7FFFFFFFu || *height > 0x7FFFFFFFu) {
        return CreationFailed(DecodeError::Malformed);
    }
    if (!WithinPixelLimits(*width, *height)) {
        return CreationFailed(DecodeError::OverLimit);
    }
    return Created<PngDecoder>(data, PictureSize{*width, *height});
}

PngDecoder::PngDecoder(std::span<const std::uint8_t> data, PictureSize size)
    : data_(data), size_(size) {}

DecodeError PngDecoder::DecodeFirstFrameImpl(const DecodeOptions&, Bgra8Image& out) {
    if (DecodeWithInflatePath(data_, size_, out) == InflatePathResult::Decoded) {
        return DecodeError::None;
    }
    ReadSession session(data_);
    if (!session.valid() || !PrepareBgra(session, size_)) {
        return DecodeError::Malformed;
    }
    const DecodeError sized = AllocateBgra(size_.width, size_.height, out);
    if (sized != DecodeError::None) {
        return sized;
    }
    std::vector<png_bytep> rows(size_.height);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = out.pixels.data() + y * std::size_t{size_.width} * 4;
    }
    return ReadRows(session, rows.data()) ? DecodeError::None : DecodeError::Malformed;
}

} // namespace vellumark::codecs
