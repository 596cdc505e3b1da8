// Deterministic, photo-like pictures for the benchmarks and the comparison
// script. Flat colour would flatter every PNG compressor, so the pixels mix
// smooth multi-scale light (sky, skin, walls), hard-edged shapes and a fine
// sensor grain; the same seed always gives the same bytes, so runs on
// different days compare like with like.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vellumark::bench {

using FileBytes = std::vector<std::uint8_t>;

// width * height pixels, R, G, B (and A when `withAlpha`) bytes per pixel,
// rows top-down without padding. With alpha, a soft vignette fades to fully
// transparent at the edges and a band of half-transparent pixels crosses it.
std::vector<std::uint8_t> PhotoPixels(std::uint32_t width, std::uint32_t height, bool withAlpha,
                                      std::uint32_t seed);

// A baseline 4:2:0 JPEG of quality 92, as phone cameras write them (90 to 95).
FileBytes EncodePhotoJpeg(const std::vector<std::uint8_t>& rgb, std::uint32_t width,
                          std::uint32_t height);

// An 8-bit RGBA PNG at libpng's default settings.
FileBytes EncodePhotoPng(const std::vector<std::uint8_t>& rgba, std::uint32_t width,
                         std::uint32_t height);

struct BenchInput {
    std::string name; // also the file name the generator writes
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    FileBytes file;
};

// The measured cases: 640 x 640, 1920 x 1080 and 4032 x 3024 JPEGs and a
// 1024 x 768 PNG with alpha. Made once per process and kept.
const std::vector<BenchInput>& StandardInputs();

} // namespace vellumark::bench
