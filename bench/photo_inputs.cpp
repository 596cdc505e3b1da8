#include "bench/photo_inputs.h"

#include "bench/jpeg_error_jump.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <png.h>

namespace vellumark::bench {
namespace {

// A 32-bit integer hash (lowbias32): cheap, and the same on every machine.
std::uint32_t Hash(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

float Lattice(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    const std::uint32_t h = Hash(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^
                                 Hash(static_cast<std::uint32_t>(y) + seed));
    return static_cast<float>(h & 0xFFFFU) / 65535.0f;
}

float Smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

// Bilinear value noise with a smoothstep fade, in [0, 1].
float ValueNoise(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx);
    const auto iy = static_cast<std::int32_t>(fy);
    const float tx = Smooth(x - fx);
    const float ty = Smooth(y - fy);
    const float top = Lattice(ix, iy, seed) * (1 - tx) + Lattice(ix + 1, iy, seed) * tx;
    const float bottom = Lattice(ix, iy + 1, seed) * (1 - tx) + Lattice(ix + 1, iy + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

// Four octaves, the coarsest a quarter of the picture's smaller side, so a
// large photo holds the same scene at a finer sampling, as a real one does.
float Scene(float u, float v, std::uint32_t seed) {
    float sum = 0;
    float amplitude = 0.5f;
    float frequency = 4.0f;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * ValueNoise(u * frequency, v * frequency,
                                      seed + 7919U * static_cast<std::uint32_t>(octave));
        amplitude *= 0.5f;
        frequency *= 2.1f;
    }
    return sum / 0.9375f;
}

std::uint8_t ToByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0.0f, 255.0f) + 0.5f);
}

struct Disc {
    float u, v, radius;
    std::array<float, 3> colour;
};

} // namespace

std::vector<std::uint8_t> PhotoPixels(std::uint32_t width, std::uint32_t height, bool withAlpha,
                                      std::uint32_t seed) {
    const std::size_t channels = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> pixels(std::size_t{width} * height * channels);
    const float scale = 1.0f / static_cast<float>(std::max(1U, std::min(width, height)));

    // A few hard-edged objects: the edges JPEG and PNG both find costly.
    std::array<Disc, 6> discs{};
    for (std::size_t i = 0; i < discs.size(); ++i) {
        const auto k = static_cast<std::uint32_t>(i) * 4U + seed * 131U;
        discs[i] = {
            Lattice(1, static_cast<std::int32_t>(k), seed) * static_cast<float>(width) * scale,
            Lattice(2, static_cast<std::int32_t>(k), seed) * static_cast<float>(height) * scale,
            0.05f + 0.15f * Lattice(3, static_cast<std::int32_t>(k), seed),
            {255 * Lattice(4, static_cast<std::int32_t>(k), seed),
             255 * Lattice(5, static_cast<std::int32_t>(k), seed),
             255 * Lattice(6, static_cast<std::int32_t>(k), seed)}};
    }

    for (std::uint32_t y = 0; y < height; ++y) {
        const float v = static_cast<float>(y) * scale;
        std::uint8_t* out = pixels.data() + std::size_t{y} * width * channels;
        for (std::uint32_t x = 0; x < width; ++x, out += channels) {
            const float u = static_cast<float>(x) * scale;
            // Fine texture (foliage, fabric, hair) a few pixels across, strong
            // in some regions and absent in others, as in a real scene.
            const float busy =
                std::clamp(2.5f * Scene(u + 3.1f, v + 8.9f, seed + 3) - 1.0f, 0.0f, 1.0f);
            const float detail =
                busy * 110 *
                (ValueNoise(static_cast<float>(x) * 0.3f, static_cast<float>(y) * 0.3f, seed + 4) -
                 0.5f);
            const float light = Scene(u, v, seed);
            const float warm = Scene(u + 11.3f, v, seed + 1);
            const float cool = Scene(u, v + 5.7f, seed + 2);
            std::array<float, 3> colour{60 + 170 * light + 40 * (warm - 0.5f) + detail,
                                        50 + 150 * light + detail,
                                        40 + 130 * light + 60 * (cool - 0.5f) + detail};
            for (const Disc& disc : discs) {
                const float du = u - disc.u;
                const float dv = v - disc.v;
                if (du * du + dv * dv < disc.radius * disc.radius) {
                    for (std::size_t c = 0; c < 3; ++c) {
                        colour[c] = 0.35f * colour[c] + 0.65f * disc.colour[c];
                    }
                }
            }
            // Sensor grain: about +-7 levels per channel, independent per pixel.
            const std::uint32_t grain = Hash(y * 0x01000193U ^ Hash(x + seed));
            for (std::size_t c = 0; c < 3; ++c) {
                const auto noise = static_cast<float>((grain >> (8 * c)) & 0xFU) - 7.5f;
                out[c] = ToByte(colour[c] + noise * 0.9f);
            }
            if (withAlpha) {
                const float dx = u - 0.5f * static_cast<float>(width) * scale;
                const float dy = v - 0.5f;
                const float vignette = 1.6f - 2.4f * std::sqrt(dx * dx + dy * dy);
                const bool band = std::fabs(u - v) < 0.08f;
                out[3] = ToByte(255 * std::clamp(vignette, 0.0f, 1.0f) * (band ? 0.5f : 1.0f));
            }
        }
    }
    return pixels;
}

namespace {

// Only plain data lives in this frame, so the long jump skips no destructor.
bool CompressJpeg(const std::uint8_t* rgb, std::uint32_t width, std::uint32_t height,
                  unsigned char** buffer, unsigned long* size) {
    jpeg_compress_struct info{};
    JpegErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpOnJpegError;
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < height) {
        // libjpeg's row pointer is not const-qualified; it only reads the row.
        auto* row = const_cast<std::uint8_t*>(rgb + std::size_t{info.next_scanline} * width * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

FileBytes EncodePhotoJpeg(const std::vector<std::uint8_t>& rgb, std::uint32_t width,
                          std::uint32_t height) {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    FileBytes file;
    if (CompressJpeg(rgb.data(), width, height, &buffer, &size)) {
        file.assign(buffer, buffer + size);
    }
    std::free(buffer); // jpeg_mem_dest allocates with malloc
    return file;
}

FileBytes EncodePhotoPng(const std::vector<std::uint8_t>& rgba, std::uint32_t width,
                         std::uint32_t height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr) == 0) {
        return {};
    }
    FileBytes file(size);
    if (png_image_write_to_memory(&image, file.data(), &size, 0, rgba.data(), 0, nullptr) == 0) {
        return {};
    }
    file.resize(size);
    return file;
}

const std::vector<BenchInput>& StandardInputs() {
    static const std::vector<BenchInput> inputs = [] {
        struct Case {
            const char* name;
            std::uint32_t width, height;
            bool png;
        };
        constexpr std::array<Case, 4> cases{{{"photo-640x640.jpg", 640, 640, false},
                                             {"photo-1920x1080.jpg", 1920, 1080, false},
                                             {"photo-4032x3024.jpg", 4032, 3024, false},
                                             {"alpha-1024x768.png", 1024, 768, true}}};
        std::vector<BenchInput> made;
        std::uint32_t seed = 1;
        for (const Case& c : cases) {
            const auto pixels = PhotoPixels(c.width, c.height, c.png, seed++);
            made.push_back({c.name, c.width, c.height,
                            c.png ? EncodePhotoPng(pixels, c.width, c.height)
                                  : EncodePhotoJpeg(pixels, c.width, c.height)});
        }
        return made;
    }();
    return inputs;
}

} // namespace vellumark::bench
