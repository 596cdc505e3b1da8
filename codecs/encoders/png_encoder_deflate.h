// One zlib stream (RFC 1950 around RFC 1951 deflate) compressed band by band
// on several threads.
//
// libdeflate compresses only whole buffers and always marks its last block
// final, so a stream cannot simply be continued. Each band is compressed on
// its own as raw deflate; every band but the last is then made continuable:
// zlib's inflate walks its blocks (Z_BLOCK) to find where the final block
// starts and where it ends, the final flag is cleared and an empty stored
// block (the "sync flush" marker 00 00 FF FF) brings the stream to a byte
// boundary for the next band. The Adler-32 of the whole is combined from the
// bands' own. Bands do not share match history, which costs a few bytes at
// each boundary and nothing else.
#pragma once

#include "encoder_image.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace vellumark::codecs {

struct DeflateBandPlan {
    std::uint32_t rows = 0;
    std::size_t rowBytes = 0;              // uncompressed bytes per row
    std::vector<std::uint32_t> bandStarts; // first row of each band, ascending, from 0
    int level = 1;                         // libdeflate's scale, 0 to 12
    unsigned threads = 1;                  // at most this many bands at once
};

// Writes the uncompressed bytes of rows [firstRow, endRow) to `out`.
using BandSource =
    std::function<void(std::uint32_t firstRow, std::uint32_t endRow, std::uint8_t* out)>;

// The zlib stream as consecutive pieces (header in the first, Adler-32 at the
// end of the last), or the error: CodecFailure when a library call fails,
// OverLimit when memory runs out.
struct ZlibPieces {
    std::vector<ByteBuffer> pieces;
    EncodeError error = EncodeError::None;
};
ZlibPieces CompressZlibInBands(const DeflateBandPlan& plan, const BandSource& source);

// Band starts for `rows` rows cut into `bands` bands (at most one per row).
// With `firstShare` above 0 and two bands, the first gets that share of the
// rows (it also pays for the block walk); otherwise the bands are equal.
std::vector<std::uint32_t> SplitRows(std::uint32_t rows, std::uint32_t bands,
                                     double firstShare = 0);

} // namespace vellumark::codecs
