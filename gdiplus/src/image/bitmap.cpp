#include "image/bitmap.h"

namespace vellumark::gdiplus {

Result<std::unique_ptr<Bitmap>> Bitmap::createBlank(std::uint32_t width, std::uint32_t height,
                                                    pixels::PixelFormat format) {
    Result<PixelSurface> surface = PixelSurface::allocate(width, height, format);
    if (!surface) {
        return surface.error();
    }
    return std::make_unique<Bitmap>(std::move(*surface));
}

Bitmap::Bitmap(std::vector<PixelSurface> frames, const GUID& dimension)
    : frames_(std::move(frames)), dimension_(dimension) {}

Bitmap::Bitmap(PixelSurface surface) {
    frames_.push_back(std::move(surface));
}

std::unique_ptr<Image> Bitmap::cloneImage() const {
    return std::unique_ptr<Bitmap>(new Bitmap(*this));
}

UINT Bitmap::flags() const {
    const pixels::PixelFormat format = pixels().format();
    UINT result = decodedFlags_;
    if (pixels::HasAlpha(format)) {
        result |= ImageFlagsHasAlpha;
    } else if (pixels::IsIndexed(format)) {
        for (std::uint32_t entry : pixels().palette()) {
            if ((entry >> 24) != 0xFF) {
                result |= ImageFlagsHasAlpha;
                break;
            }
        }
    }
    if ((decodedFlags_ & (ImageFlagsColorSpaceCMYK | ImageFlagsColorSpaceGRAY |
                          ImageFlagsColorSpaceYCBCR | ImageFlagsColorSpaceYCCK)) == 0) {
        result |= format == pixels::PixelFormat::Format16bppGrayScale ? ImageFlagsColorSpaceGRAY
                  : format == pixels::PixelFormat::Format32bppCMYK    ? ImageFlagsColorSpaceCMYK
                                                                      : ImageFlagsColorSpaceRGB;
    }
    if (hasRealDpi()) {
        result |= ImageFlagsHasRealDPI;
    }
    return result;
}

Result<void> Bitmap::selectFrame(const GUID& dimension, std::size_t index) {
    if (!sameGuid(dimension, dimension_) || index >= frames_.size()) {
        return invalidArgument("no such frame");
    }
    active_ = index;
    return success();
}

} // namespace vellumark::gdiplus
