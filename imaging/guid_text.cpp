#include "imaging/guid_text.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

namespace vellumark::imaging {
namespace {

constexpr std::size_t kGuidBytes = 16;
constexpr std::size_t kGuidTextLength = 38;

static_assert(sizeof(GUID) == kGuidBytes);

std::optional<std::uint8_t> HexValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return static_cast<std::uint8_t>(digit - '0');
    }
    if (digit >= 'A' && digit <= 'F') {
        return static_cast<std::uint8_t>(digit - 'A' + 10);
    }
    if (digit >= 'a' && digit <= 'f') {
        return static_cast<std::uint8_t>(digit - 'a' + 10);
    }
    return std::nullopt;
}

// Reads `digits` hex digits at `text[at]` as one number.
std::optional<std::uint32_t> ReadHex(const GuidText& text, std::size_t at, std::size_t digits) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const auto nibble = HexValue(text[at + i]);
        if (!nibble) {
            return std::nullopt;
        }
        value = (value << 4) | *nibble;
    }
    return value;
}

std::optional<GUID> ParseGuid(const GuidText& text) {
    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
    if (text.size() != kGuidTextLength || text.front() != '{' || text.back() != '}' ||
        text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-') {
        return std::nullopt;
    }
    const auto data1 = ReadHex(text, 1, 8);
    const auto data2 = ReadHex(text, 10, 4);
    const auto data3 = ReadHex(text, 15, 4);
    if (!data1 || !data2 || !data3) {
        return std::nullopt;
    }
    GUID guid{*data1, static_cast<std::uint16_t>(*data2), static_cast<std::uint16_t>(*data3), {}};
    constexpr std::array<std::size_t, 8> kData4At = {20, 22, 25, 27, 29, 31, 33, 35};
    for (std::size_t i = 0; i < kData4At.size(); ++i) {
        const auto byte = ReadHex(text, kData4At[i], 2);
        if (!byte) {
            return std::nullopt;
        }
        guid.Data4[i] = static_cast<std::uint8_t>(*byte);
    }
    return guid;
}

} // namespace

GuidText GuidToText(const Bytes& guid) {
    if (guid.size() != kGuidBytes) {
        return {};
    }
    const GUID g = GuidFromBytes(guid);
    std::array<char, kGuidTextLength + 1> text{};
    std::snprintf(text.data(), text.size(), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  g.Data1, g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
                  g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return GuidText(text.data(), kGuidTextLength);
}

Bytes TextToGuid(const GuidText& text) {
    const auto guid = ParseGuid(text);
    return guid ? BytesFromGuid(*guid) : Bytes(kGuidBytes, 0);
}

GUID GuidFromBytes(const Bytes& bytes) {
    GUID guid{};
    if (bytes.size() == kGuidBytes) {
        std::memcpy(&guid, bytes.data(), kGuidBytes);
    }
    return guid;
}

Bytes BytesFromGuid(const GUID& guid) {
    Bytes bytes(kGuidBytes);
    std::memcpy(bytes.data(), &guid, kGuidBytes);
    return bytes;
}

} // namespace vellumark::imaging
