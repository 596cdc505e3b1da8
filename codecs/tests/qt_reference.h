// Qt as an independent encoder and reader for the decoder tests: fixtures
// are made with QImageWriter, and our pixels are compared with
// QImageReader's.
#pragma once

#include "codecs/picture_decoder.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace vellumark::codecs::testing {

using ByteVector = std::vector<std::uint8_t>;

// `image` written in Qt's `format` ("png", "jpg", "bmp", "ico", ...).
ByteVector EncodeWithQt(const QImage& image, const char* format, int quality = -1);

// What QImageReader makes of `bytes`, as straight-alpha ARGB32.
QImage DecodeWithQt(const ByteVector& bytes);

// A small picture with distinct colours, a gradient and varying alpha.
QImage TestPattern(int width, int height, bool withAlpha);

// The largest difference of any channel between our pixels and Qt's; a
// size mismatch counts as 256. Fully transparent pixels compare equal
// whatever colour they carry.
int MaxChannelDifference(const Bgra8Image& ours, const QImage& reference);

// Bytes as DecodePicture takes them.
inline std::span<const std::uint8_t> View(const ByteVector& bytes) {
    return bytes;
}

} // namespace vellumark::codecs::testing
