// PNG scanlines (ISO/IEC 15948 clause 9): each row of the source put in
// PNG's sample order and filtered, behind its filter type byte. The common
// case, 8-bit BGRA with the "up" filter, is one fused pass straight from the
// caller's rows with no intermediate copy.
#pragma once

#include "encoder_image.h"

#include <cstdint>

namespace vellumark::codecs {

enum class PngFilter { None, Sub, Up, Average, Paeth };

// Writes rows [firstRow, endRow) of a validated image as filtered scanlines,
// each 1 + RowBytes(layout, width) bytes, to `out`. Row firstRow - 1 (when
// there is one) serves as the row above, so bands can be filtered apart.
// `bytesPerPixel` is the filter distance: whole bytes, at least 1.
void FilterRows(const EncoderImage& image, PngFilter filter, std::size_t bytesPerPixel,
                std::uint32_t firstRow, std::uint32_t endRow, std::uint8_t* out);

} // namespace vellumark::codecs
