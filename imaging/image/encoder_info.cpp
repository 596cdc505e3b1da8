#include "imaging/image/encoder_info.h"

#include "imaging/image/library_block.h"
#include "imaging/last_status.h"
#include "platform/binding/flat_api.h"

#include <algorithm>

namespace vellumark::imaging {
namespace {

Text StringAt(const BlockReader& block, std::size_t addressOffset) {
    const auto target = block.Target(addressOffset);
    return target ? block.WideString(*target) : Text{};
}

Bytes SignatureAt(const BlockReader& block, std::size_t addressOffset, std::uint64_t length) {
    const auto target = block.Target(addressOffset);
    return target ? block.Copy(*target, length) : Bytes{};
}

} // namespace

std::vector<EncoderInfo> ReadCodecInfoBlock(std::span<const std::uint8_t> bytes,
                                            std::uint32_t count) {
    const BlockReader block(bytes);
    const std::size_t records = std::min<std::size_t>(count, block.Size() / kCodecInfoBytes);
    std::vector<EncoderInfo> list(records);
    for (std::size_t i = 0; i < records; ++i) {
        const std::size_t at = kCodecInfoBytes * i;
        EncoderInfo& info = list[i];
        info.encoderId = GuidToText(block.Guid(at));
        info.formatId = GuidToText(block.Guid(at + 16));
        info.codecName = StringAt(block, at + 32);
        info.libraryName = StringAt(block, at + 40);
        info.formatDescription = StringAt(block, at + 48);
        info.fileExtensions = StringAt(block, at + 56);
        info.mimeType = StringAt(block, at + 64);
        info.flags = block.U32(at + 72);
        info.version = block.U32(at + 76);
        info.signatureCount = block.U32(at + 80);
        info.signatureSize = block.U32(at + 84);
        const std::uint64_t signatureBytes =
            std::uint64_t{info.signatureCount} * info.signatureSize;
        info.signaturePatterns = SignatureAt(block, at + 88, signatureBytes);
        info.signatureMasks = SignatureAt(block, at + 96, signatureBytes);
    }
    return list;
}

std::uint32_t ListImageEncoders(std::vector<EncoderInfo>& list) {
    UINT count = 0;
    UINT size = 0;
    if (!StoreStatus(binding::GdipGetImageEncodersSize(&count, &size))) {
        return 0;
    }
    Bytes block(size, 0);
    // The codec descriptions are read whatever this status says: a failed
    // call leaves the zero fill, which reads as empty records.
    StoreStatus(binding::GdipGetImageEncoders(count, size,
                                              reinterpret_cast<ImageCodecInfo*>(block.data())));
    list = ReadCodecInfoBlock(block, count);
    return static_cast<std::uint32_t>(list.size());
}

Text FindEncoderForFormat(const GuidText& format) {
    std::vector<EncoderInfo> encoders;
    ListImageEncoders(encoders);
    const auto found = std::find_if(encoders.begin(), encoders.end(), [&](const EncoderInfo& info) {
        return info.formatId == format;
    });
    return found == encoders.end() ? Text{} : found->encoderId;
}

} // namespace vellumark::imaging
