#include "png_encoder_deflate.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <libdeflate.h>
#include <memory>
#include <new>
#include <thread>
#include <zlib.h>

namespace vellumark::codecs {

namespace {

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorDeleter>;

// zlib header for deflate with a 32 KiB window; FLEVEL says "fastest" for
// levels below 6, FCHECK makes the pair a multiple of 31 (RFC 1950 2.2).
ByteBuffer ZlibHeader(int level) {
    const std::uint8_t cmf = 0x78;
    const std::uint8_t flevel = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
    std::uint8_t flg = static_cast<std::uint8_t>(flevel << 6);
    flg = static_cast<std::uint8_t>(flg + (31 - (cmf * 256 + flg) % 31) % 31);
    return {cmf, flg};
}

struct InflateEnder {
    void operator()(z_stream* s) const { inflateEnd(s); }
};

// Turns a complete raw deflate stream into one that continues: finds the
// final block by walking the blocks with zlib, clears its BFINAL bit and
// appends an empty non-final stored block, which ends on a byte boundary.
bool MakeContinuable(ByteBuffer& deflate) {
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK) {
        return false;
    }
    const std::unique_ptr<z_stream, InflateEnder> ender(&stream);
    std::vector<std::uint8_t> scratch(std::size_t{1} << 16);
    stream.next_in = deflate.data();
    stream.avail_in = static_cast<uInt>(deflate.size());
    std::uint64_t blockStart = 0; // bit where the block being decoded begins
    for (;;) {
        stream.next_out = scratch.data();
        stream.avail_out = static_cast<uInt>(scratch.size());
        const int result = inflate(&stream, Z_BLOCK);
        if (result != Z_OK) {
            return false; // our own stream ended before its final block ended
        }
        if ((stream.data_type & 128) == 0) {
            continue; // stopped because the scratch output was full
        }
        const std::uint64_t boundary =
            std::uint64_t{stream.total_in} * 8 - static_cast<unsigned>(stream.data_type & 7);
        if ((stream.data_type & 64) == 0) {
            blockStart = boundary;
            continue;
        }
        // The final block ends at `boundary`.
        deflate[blockStart / 8] &= static_cast<std::uint8_t>(~(1u << (blockStart % 8)));
        const std::uint64_t storedEnd = (boundary + 3 + 7) / 8; // 3 header bits, then padding
        deflate.resize(storedEnd, 0);
        if (boundary % 8 != 0) {
            deflate[boundary / 8] &= static_cast<std::uint8_t>((1u << (boundary % 8)) - 1);
        }
        deflate.insert(deflate.end(), {0x00, 0x00, 0xFF, 0xFF}); // LEN 0, NLEN
        return true;
    }
}

struct BandResult {
    ByteBuffer bytes;
    std::uint32_t adler = 1;
    std::size_t length = 0;
    EncodeError error = EncodeError::None;
};

// Memory a worker reuses from band to band. It is not zeroed first: every
// byte of it that is read was written before, and pages never touched (the
// compression bound's slack) are never faulted in.
class Scratch {
public:
    std::uint8_t* get(std::size_t size) {
        if (size > size_) {
            bytes_.reset();
            bytes_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
            size_ = size;
        }
        return bytes_.get();
    }

private:
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t size_ = 0;
};

struct WorkerScratch {
    Scratch input;  // the band's filtered rows
    Scratch output; // its compressed bytes, before they are kept
};

void CompressBand(const DeflateBandPlan& plan, const BandSource& source, std::size_t band,
                  libdeflate_compressor* compressor, WorkerScratch& scratch, BandResult& result) {
    const std::uint32_t first = plan.bandStarts[band];
    const bool last = band + 1 == plan.bandStarts.size();
    const std::uint32_t end = last ? plan.rows : plan.bandStarts[band + 1];
    result.length = plan.rowBytes * (end - first);
    std::uint8_t* input = scratch.input.get(result.length);
    source(first, end, input);
    result.adler = static_cast<std::uint32_t>(libdeflate_adler32(1, input, result.length));
    const std::size_t bound = libdeflate_deflate_compress_bound(compressor, result.length);
    std::uint8_t* output = scratch.output.get(bound);
    const std::size_t size =
        libdeflate_deflate_compress(compressor, input, result.length, output, bound);
    if (size == 0) {
        result.error = EncodeError::CodecFailure;
        return;
    }
    // Room for what MakeContinuable appends, so it never reallocates.
    result.bytes.reserve(size + 8);
    result.bytes.assign(output, output + size);
    if (!last && !MakeContinuable(result.bytes)) {
        result.error = EncodeError::CodecFailure;
    }
}

// Takes bands off the shared counter until none are left. Never throws: a
// failure is recorded in the band it happened in.
void Work(const DeflateBandPlan& plan, const BandSource& source, std::atomic<std::size_t>& next,
          std::vector<BandResult>& results) {
    Compressor compressor(libdeflate_alloc_compressor(plan.level));
    WorkerScratch scratch;
    for (std::size_t band = next++; band < results.size(); band = next++) {
        if (!compressor) {
            results[band].error = EncodeError::OverLimit;
            continue;
        }
        try {
            CompressBand(plan, source, band, compressor.get(), scratch, results[band]);
        } catch (const std::bad_alloc&) {
            results[band].error = EncodeError::OverLimit;
        } catch (const std::exception&) {
            results[band].error = EncodeError::CodecFailure;
        }
    }
}

} // namespace

std::vector<std::uint32_t> SplitRows(std::uint32_t rows, std::uint32_t bands, double firstShare) {
    bands = std::clamp<std::uint32_t>(bands, 1, std::max<std::uint32_t>(rows, 1));
    std::vector<std::uint32_t> starts{0};
    if (bands == 2 && firstShare > 0 && firstShare < 1) {
        const auto split = static_cast<std::uint32_t>(rows * firstShare);
        starts.push_back(std::clamp<std::uint32_t>(split, 1, rows - 1));
        return starts;
    }
    for (std::uint32_t b = 1; b < bands; ++b) {
        starts.push_back(static_cast<std::uint32_t>(std::uint64_t{rows} * b / bands));
    }
    return starts;
}

ZlibPieces CompressZlibInBands(const DeflateBandPlan& plan, const BandSource& source) {
    ZlibPieces out;
    std::vector<BandResult> results(plan.bandStarts.size());
    std::atomic<std::size_t> next{0};
    std::vector<std::jthread> helpers;
    const std::size_t helperCount =
        std::min<std::size_t>(std::max(plan.threads, 1u), results.size()) - 1;
    try {
        helpers.reserve(helperCount);
        for (std::size_t i = 0; i < helperCount; ++i) {
            helpers.emplace_back([&] { Work(plan, source, next, results); });
        }
    } catch (const std::exception&) {
        // No thread (or no memory for one) to be had: the calling thread
        // takes whatever bands are left.
    }
    Work(plan, source, next, results);
    helpers.clear(); // joins

    std::uint32_t adler = 1;
    for (std::size_t band = 0; band < results.size(); ++band) {
        if (results[band].error != EncodeError::None) {
            out.error = results[band].error;
            return out;
        }
        adler = band == 0
                    ? results[band].adler
                    : static_cast<std::uint32_t>(adler32_combine(
                          adler, results[band].adler, static_cast<z_off_t>(results[band].length)));
    }
    out.pieces.push_back(ZlibHeader(plan.level));
    for (BandResult& result : results) {
        out.pieces.push_back(std::move(result.bytes));
    }
    ByteBuffer& tail = out.pieces.back();
    for (int shift = 24; shift >= 0; shift -= 8) {
        tail.push_back(static_cast<std::uint8_t>(adler >> shift));
    }
    return out;
}

} // namespace vellumark::codecs
