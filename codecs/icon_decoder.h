// Icons (.ico) and cursors (.cur): a directory of entries, each a DIB with
// an AND mask or a whole PNG file. The largest entry wins, then the deepest.
#pragma once

#include "codecs/picture_codec.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vellumark::codecs {

class IconDecoder final : public PictureCodec {
public:
    // 00 00 01 00 with a non-zero entry count.
    static bool SniffIcon(std::span<const std::uint8_t> data);
    // 00 00 02 00 with a non-zero entry count.
    static bool SniffCursor(std::span<const std::uint8_t> data);
    // Reads the directory and picks the entry to show.
    static CodecCreation Create(std::span<const std::uint8_t> data);

    struct Entry {
        std::span<const std::uint8_t> bytes; // the entry's image data
        bool isPng = false;
        PictureSize size;
        std::uint32_t bitsPerPixel = 0;
    };

    // Every readable entry of the directory, in directory order; a
    // directory cut short gives the entries before the cut.
    static std::vector<Entry> Entries(std::span<const std::uint8_t> data);
    // True when `candidate` shows better than `best`: larger, then deeper.
    static bool Better(const Entry& candidate, const Entry& best);
    // Decodes one entry (its AND mask applied) into 32-bit BGRA.
    static DecodeError DecodeEntry(const Entry& entry, const DecodeOptions& options,
                                   Bgra8Image& out);

    explicit IconDecoder(Entry chosen);

    PictureSize Size() const override { return chosen_.size; }

protected:
    DecodeError DecodeFirstFrameImpl(const DecodeOptions& options, Bgra8Image& out) override;

private:
    Entry chosen_;
};

} // namespace vellumark::codecs
