// Sample images in every encoder layout and the colour each pixel holds,
// for comparing decoded files with what was encoded.
#pragma once

#include "codecs/encoders/encoder_image.h"

#include <cstdint>
#include <vector>

namespace vellumark::codecs::testing {

// Channels at the layout's own depth: 0..255, or 0..65535 for the 16-bit
// layouts. Formats without alpha read as fully opaque.
struct Rgba {
    std::uint32_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct SampleImage {
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint32_t> palette;
    EncoderImage view;

    // Copies stay valid: the view is re-pointed at this object's buffers.
    SampleImage() = default;
    SampleImage(const SampleImage& other);
    SampleImage& operator=(const SampleImage&) = delete;
};

// Varied content (gradients, every alpha level class, all palette entries)
// with `padding` unused bytes after each row. Indexed layouts get a palette
// with some translucent entries.
SampleImage MakeSample(PixelLayout layout, std::uint32_t width, std::uint32_t height,
                       std::size_t padding = 3);

Rgba SourcePixel(const EncoderImage& image, std::uint32_t x, std::uint32_t y);

} // namespace vellumark::codecs::testing
