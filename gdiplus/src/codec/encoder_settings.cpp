#include "codec/encoder_settings.h"

#include "image/image_guids.h"

#include <cstring>
#include <vector>

namespace vellumark::gdiplus {

namespace {

// More parameters than any encoder knows is a corrupt block, not a request.
constexpr UINT kMaxParameters = 256;

Result<int> singleLong(const EncoderParameter& parameter, int lowest, int highest) {
    if (parameter.Type != EncoderParameterValueTypeLong || parameter.NumberOfValues < 1 ||
        parameter.Value == nullptr) {
        return invalidArgument("parameter wants one LONG value");
    }
    std::uint32_t value = 0;
    std::memcpy(&value, parameter.Value, sizeof value);
    if (value > static_cast<std::uint32_t>(highest) || static_cast<int>(value) < lowest) {
        return invalidArgument("parameter value out of range");
    }
    return static_cast<int>(value);
}

// One parameter of the published description: a GUID, a value type and
// the values it accepts.
struct ParameterDescription {
    GUID guid;
    UINT type;
    std::vector<std::uint32_t> values;
};

std::vector<ParameterDescription> describe(CodecId codec) {
    switch (codec) {
    case CodecId::Jpeg:
        return {{kEncoderTransformation,
                 EncoderParameterValueTypeLong,
                 {EncoderValueTransformRotate90, EncoderValueTransformRotate180,
                  EncoderValueTransformRotate270, EncoderValueTransformFlipHorizontal,
                  EncoderValueTransformFlipVertical}},
                {kEncoderQuality, EncoderParameterValueTypeLongRange, {0, 100}}};
    case CodecId::Tiff:
        return {
            {kEncoderCompression,
             EncoderParameterValueTypeLong,
             {EncoderValueCompressionLZW, EncoderValueCompressionCCITT3, EncoderValueCompressionRle,
              EncoderValueCompressionCCITT4, EncoderValueCompressionNone}},
            {kEncoderColorDepth, EncoderParameterValueTypeLong, {1, 4, 8, 24, 32}},
            {kEncoderSaveFlag, EncoderParameterValueTypeLong, {EncoderValueMultiFrame}}};
    case CodecId::Gif:
        return {{kEncoderSaveFlag, EncoderParameterValueTypeLong, {EncoderValueMultiFrame}}};
    default:
        return {};
    }
}

// The header: Count, then padding up to the 8-byte-aligned first item.
constexpr std::size_t kListHeaderBytes = offsetof(EncoderParameters, Parameter);

std::size_t listBytes(const std::vector<ParameterDescription>& list) {
    std::size_t bytes = kListHeaderBytes + list.size() * sizeof(EncoderParameter);
    for (const ParameterDescription& parameter : list) {
        bytes += parameter.values.size() * sizeof(std::uint32_t);
    }
    return bytes;
}

} // namespace

Result<EncoderSettings> readEncoderSettings(const EncoderParameters* parameters) {
    EncoderSettings settings;
    if (parameters == nullptr) {
        return settings;
    }
    if (parameters->Count > kMaxParameters) {
        return invalidArgument("too many encoder parameters");
    }
    for (UINT i = 0; i < parameters->Count; ++i) {
        const EncoderParameter& parameter = parameters->Parameter[i];
        if (parameter.NumberOfValues > 0 && parameter.Value == nullptr) {
            return invalidArgument("parameter without its values");
        }
        std::optional<int>* target = nullptr;
        int lowest = 0;
        int highest = 0;
        if (sameGuid(parameter.Guid, kEncoderQuality)) {
            target = &settings.quality;
            highest = 100;
        } else if (sameGuid(parameter.Guid, kEncoderCompression)) {
            target = &settings.compression;
            lowest = EncoderValueCompressionLZW;
            highest = EncoderValueCompressionNone;
        } else if (sameGuid(parameter.Guid, kEncoderColorDepth)) {
            target = &settings.colorDepth;
            lowest = 1;
            highest = 64;
        } else if (sameGuid(parameter.Guid, kEncoderSaveFlag)) {
            target = &settings.saveFlag;
            lowest = EncoderValueMultiFrame;
            highest = EncoderValueFrameDimensionPage;
        } else {
            continue;
        }
        Result<int> value = singleLong(parameter, lowest, highest);
        if (!value) {
            return value.error();
        }
        *target = *value;
    }
    return settings;
}

UINT encoderParameterListSize(const CodecDescription& codec) {
    return static_cast<UINT>(listBytes(describe(codec.id)));
}

Result<void> writeEncoderParameterList(const CodecDescription& codec, UINT size,
                                       EncoderParameters* buffer) {
    const std::vector<ParameterDescription> list = describe(codec.id);
    if (size != listBytes(list)) {
        return invalidArgument("buffer size differs from the reported one");
    }
    auto* base = reinterpret_cast<std::uint8_t*>(buffer);
    std::memset(base, 0, size);
    const UINT count = static_cast<UINT>(list.size());
    std::memcpy(base, &count, sizeof count);
    std::uint8_t* values = base + kListHeaderBytes + list.size() * sizeof(EncoderParameter);
    for (std::size_t i = 0; i < list.size(); ++i) {
        EncoderParameter item{};
        item.Guid = list[i].guid;
        item.Type = list[i].type;
        // A range is one value made of its two ends.
        item.NumberOfValues = list[i].type == EncoderParameterValueTypeLongRange
                                  ? 1
                                  : static_cast<std::uint32_t>(list[i].values.size());
        item.Value = values;
        const std::size_t valueBytes = list[i].values.size() * sizeof(std::uint32_t);
        std::memcpy(values, list[i].values.data(), valueBytes);
        values += valueBytes;
        std::memcpy(base + kListHeaderBytes + i * sizeof(EncoderParameter), &item, sizeof item);
    }
    return success();
}

} // namespace vellumark::gdiplus
