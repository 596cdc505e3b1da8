// Real-world-shaped pictures for decoder tests, made in memory with the
// codec libraries' own writers: PNGs of every colour type with optional
// chunks, a JPEG carrying EXIF, an animation, a multi-page TIFF.
#pragma once

#include "codecs/native/native_picture.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vellumark::codecs::native::testing {

using Bytes = std::vector<std::uint8_t>;

struct PngFixture {
    int width = 4;
    int height = 3;
    int colourType = 6; // PNG colour type: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool transparencyKey = false;     // tRNS: first palette entry / grey 0 / RGB black
    std::uint32_t pixelsPerMetre = 0; // pHYs in metres when non-zero
    int gammaTimes100000 = 0;         // gAMA when non-zero
    std::vector<std::pair<std::string, std::string>> texts;
};

// Sample (x, y, channel) of the pattern every PNG fixture holds, at its bit
// depth: distinct per pixel and channel.
std::uint32_t PngSample(const PngFixture& fixture, int x, int y, int channel);
Bytes MakePng(const PngFixture& fixture);
// A fixture of the default size in the given colour type and depth.
PngFixture PngOf(int colourType, int bitDepth);

// A 16 x 8 colour JPEG (or greyscale) whose APP1 holds big-endian EXIF:
// Orientation 6, XResolution and YResolution 300/1, ResolutionUnit inch,
// Make "Vellumark", and an EXIF sub-IFD with ExposureTime 1/125.
Bytes MakeJpegWithExif(bool grayscale = false);
// A 16 x 8 JPEG whose EXIF has a thumbnail IFD (ImageWidth 4, Compression
// 6, XResolution 72/1) pointing at `thumbnail` as the JPEG thumbnail.
Bytes MakeJpegWithExifThumbnail(const Bytes& thumbnail);
// The same picture without EXIF, with a JFIF density of `dpi` (0: none).
Bytes MakeJpeg(int width, int height, bool grayscale, int dpi);

// Three 6 x 5 frames of a 4-colour palette with delays of 10, 20 and 30
// hundredths and loop count 3; frame 1 keys out palette index 3.
Bytes MakeAnimatedGif();

// Two pages: 5 x 4 RGB at 150 dpi, then 3 x 2 RGBA at 72 dpi.
Bytes MakeTwoPageTiff();

// Frames kept in vectors, as the decoders wrote them.
class VectorSink final : public FrameSink {
public:
    std::optional<FrameBuffer> Allocate(std::size_t index, const NativeFrame& frame) override;

    std::vector<Bytes> frames;
    std::vector<std::size_t> strides;
    std::size_t allocations = 0;
};

// Sets the big-endian 32-bit value at `offset`.
void PutBE32(Bytes& bytes, std::size_t offset, std::uint32_t value);

} // namespace vellumark::codecs::native::testing
