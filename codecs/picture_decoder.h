// Decoding whole picture files into 32-bit BGRA with straight alpha.
//
// This is the entry point the picture boxes use: the format is found from
// the first bytes only (never from a file name), and every failure is an
// error value, never a crash or an unbounded allocation. Limits live in
// codecs/limits.h.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vellumark::codecs {

enum class PictureFormat { None, Jpeg, Bmp, Png, Icon, Cursor, Gif, Pcx };

// The picture boxes' signature rules: FF D8 JPEG; "BM" BMP; the PNG
// signature; 00 00 01 00 / 00 00 02 00 with a non-zero image count for
// icon / cursor; GIF87a / GIF89a; 0A with version <= 5, encoding 1, 8 bpp or
// version 3, encoding 1, 1 bpp for PCX. Fewer than eight bytes is None.
PictureFormat SniffPictureBoxFormat(std::span<const std::uint8_t> data);

// Pixels are B, G, R, A bytes per pixel, straight (not premultiplied)
// alpha, rows top-down, stride exactly width * 4.
struct Bgra8Image {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

enum class DecodeError {
    None,
    NotAPicture, // no known signature
    Malformed,   // truncated or inconsistent data
    OverLimit,   // sizes beyond codecs/limits.h
    Unsupported, // a valid variant this decoder does not handle
};

struct DecodeOptions {
    // When non-zero, a decoder that can cheaply decode at a reduced scale
    // (JPEG: 1/2, 1/4, 1/8) may return a smaller image, never smaller than
    // these bounds. 0 means full size, which is the default.
    std::uint32_t minWidth = 0;
    std::uint32_t minHeight = 0;
};

struct DecodeResult {
    PictureFormat format = PictureFormat::None; // what the signature said
    DecodeError error = DecodeError::NotAPicture;
    std::uint32_t sourceWidth = 0; // the picture's own size, before any scaling
    std::uint32_t sourceHeight = 0;
    std::optional<Bgra8Image> image; // set exactly when error == None
};

// Sniffs with SniffPictureBoxFormat and decodes the first frame / the best
// icon entry. Never throws for bad input.
DecodeResult DecodePicture(std::span<const std::uint8_t> data, const DecodeOptions& options = {});

} // namespace vellumark::codecs
