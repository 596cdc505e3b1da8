#include "bmp_encoder.h"

#include "byte_writer.h"

namespace vellumark::codecs {

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;

std::uint32_t TableEntries(const EncoderImage& image) {
    if (image.layout == PixelLayout::Gray8) {
        return 256;
    }
    return IsIndexed(image.layout) ? static_cast<std::uint32_t>(PaletteEntriesNeeded(image)) : 0;
}

std::uint32_t TableColour(const EncoderImage& image, std::uint32_t i) {
    return image.layout == PixelLayout::Gray8 ? i * 0x010101u : PaletteEntry(image, i);
}

} // namespace

EncodeError EncodeBmp(const EncoderImage& image, ByteBuffer& out) {
    if (const EncodeError error = ValidateImage(image); error != EncodeError::None) {
        return error;
    }
    if (image.layout == PixelLayout::Rgba16 || image.layout == PixelLayout::Rgb16) {
        return EncodeError::Unsupported;
    }
    const std::size_t rowBytes = RowBytes(image.layout, image.width);
    const std::size_t paddedRow = (rowBytes + 3) / 4 * 4;
    const std::uint32_t entries = TableEntries(image);
    const std::uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + 4 * entries;
    // Validation keeps the image under 1 GiB, so these fit in 32 bits.
    const auto imageBytes = static_cast<std::uint32_t>(paddedRow * image.height);
    const std::uint32_t fileBytes = pixelOffset + imageBytes;

    ByteBuffer file;
    file.reserve(fileBytes);
    file.push_back('B');
    file.push_back('M');
    AppendLe32(file, fileBytes);
    AppendLe32(file, 0); // reserved
    AppendLe32(file, pixelOffset);

    AppendLe32(file, kInfoHeaderBytes);
    AppendLe32(file, image.width);
    AppendLe32(file, image.height); // positive: rows run bottom-up
    AppendLe16(file, 1);            // planes
    AppendLe16(file, BitsPerPixel(image.layout));
    AppendLe32(file, 0); // BI_RGB
    AppendLe32(file, imageBytes);
    AppendLe32(file, DotsPerMetre(image.dpiX));
    AppendLe32(file, DotsPerMetre(image.dpiY));
    AppendLe32(file, entries); // colours used
    AppendLe32(file, 0);       // all of them important

    for (std::uint32_t i = 0; i < entries; ++i) {
        AppendLe32(file, TableColour(image, i) & 0x00FFFFFFu);
    }
    for (std::uint32_t y = image.height; y-- > 0;) {
        const auto row = ImageRow(image, y);
        file.insert(file.end(), row.begin(), row.end());
        file.insert(file.end(), paddedRow - rowBytes, 0);
    }
    out = std::move(file);
    return EncodeError::None;
}

} // namespace vellumark::codecs
