// A raster image: one or more frames of pixels in a published pixel format,
// with the active frame the one every query, save and drawing sees. Frames
// run along one dimension: time for animations, page for multi-page files
// and for a still picture (one page).
//
// Drawing code works on pixels() (the active frame's surface) directly, or
// through readArgb/writeArgb when it wants 32-bit ARGB or PARGB whatever the
// stored format is.
#pragma once

#include "image/image.h"
#include "image/pixel_surface.h"

#include <vector>

namespace vellumark::gdiplus {

class Bitmap final : public Image {
public:
    static constexpr ObjectKind kKind = ObjectKind::Bitmap;

    // A blank bitmap of its own memory: every byte 0, so ARGB formats start
    // fully transparent. Raw format MemoryBMP, 96 dpi.
    static Result<std::unique_ptr<Bitmap>> createBlank(std::uint32_t width, std::uint32_t height,
                                                       pixels::PixelFormat format);

    // `frames` must not be empty; all of them run along `dimension`.
    Bitmap(std::vector<PixelSurface> frames, const GUID& dimension);
    explicit Bitmap(PixelSurface surface);

    ObjectKind kind() const override { return kKind; }
    ImageType imageType() const override { return ImageTypeBitmap; }
    std::unique_ptr<Image> cloneImage() const override;
    std::uint32_t width() const override { return pixels().width(); }
    std::uint32_t height() const override { return pixels().height(); }
    PixelFormat pixelFormat() const override { return pixels::Value(pixels().format()); }
    UINT flags() const override;

    // The active frame.
    PixelSurface& pixels() { return frames_[active_]; }
    const PixelSurface& pixels() const { return frames_[active_]; }

    std::vector<std::uint32_t> readArgb(bool premultiplied = false) const {
        return pixels().readArgb(premultiplied);
    }
    Result<void> writeArgb(std::span<const std::uint32_t> argb, bool premultiplied = false) {
        return pixels().writeArgb(argb, premultiplied);
    }

    // Frames.
    const GUID& frameDimension() const { return dimension_; }
    std::size_t frameCount() const { return frames_.size(); }
    std::size_t activeFrame() const { return active_; }
    const PixelSurface& frame(std::size_t index) const { return frames_[index]; }
    // InvalidParameter for another dimension or an index past the end.
    Result<void> selectFrame(const GUID& dimension, std::size_t index);

    // Replaces the active frame's pixels (rotation, conversion); the new
    // surface may have another size.
    void replaceActiveFrame(PixelSurface surface) { frames_[active_] = std::move(surface); }

    // Flags a decoder found in the file (colour space, real pixel size).
    void setDecodedFlags(UINT flags) { decodedFlags_ = flags; }

private:
    Bitmap(const Bitmap&) = default;

    std::vector<PixelSurface> frames_;
    std::size_t active_ = 0;
    GUID dimension_ = kFrameDimensionPage;
    UINT decodedFlags_ = 0;
};

} // namespace vellumark::gdiplus
