#include "codecs/tests/bmp_builder.h"

namespace vellumark::codecs::testing {

void PutU16(ByteVector& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(ByteVector& bytes, std::size_t at, std::uint32_t value) {
    PutU16(bytes, at, value & 0xFFFF);
    PutU16(bytes, at + 2, value >> 16);
}

ByteVector BuildDib(const DibHeaderFields& fields) {
    ByteVector dib(fields.headerSize, 0);
    PutU32(dib, 0, fields.headerSize);
    if (fields.headerSize == 12) {
        PutU16(dib, 4, static_cast<std::uint32_t>(fields.width));
        PutU16(dib, 6, static_cast<std::uint32_t>(fields.height));
        PutU16(dib, 8, 1);
        PutU16(dib, 10, fields.bitsPerPixel);
    } else {
        PutU32(dib, 4, static_cast<std::uint32_t>(fields.width));
        PutU32(dib, 8, static_cast<std::uint32_t>(fields.height));
        PutU16(dib, 12, 1);
        PutU16(dib, 14, fields.bitsPerPixel);
        PutU32(dib, 16, fields.compression);
        PutU32(dib, 32, fields.coloursUsed);
    }
    const bool masksInHeader = fields.headerSize >= 52;
    for (std::size_t i = 0; i < fields.masks.size(); ++i) {
        if (masksInHeader) {
            if (40 + i * 4 + 4 <= fields.headerSize) {
                PutU32(dib, 40 + i * 4, fields.masks[i]);
            }
        } else {
            dib.resize(dib.size() + 4);
            PutU32(dib, dib.size() - 4, fields.masks[i]);
        }
    }
    for (const auto& entry : fields.palette) {
        dib.insert(dib.end(), entry.begin(), entry.end());
        if (fields.headerSize != 12) {
            dib.push_back(0);
        }
    }
    dib.insert(dib.end(), fields.pixels.begin(), fields.pixels.end());
    return dib;
}

ByteVector BuildBmp(const DibHeaderFields& fields) {
    const ByteVector dib = BuildDib(fields);
    ByteVector file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, static_cast<std::uint32_t>(14 + dib.size()));
    PutU32(file, 10, static_cast<std::uint32_t>(14 + dib.size() - fields.pixels.size()));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

ByteVector NoiseBytes(std::size_t count, std::uint32_t seed) {
    ByteVector bytes(count);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

std::vector<std::array<std::uint8_t, 3>> NoisePalette(std::size_t count) {
    const ByteVector bytes = NoiseBytes(count * 3, 77);
    std::vector<std::array<std::uint8_t, 3>> palette(count);
    for (std::size_t i = 0; i < count; ++i) {
        palette[i] = {bytes[i * 3], bytes[i * 3 + 1], bytes[i * 3 + 2]};
    }
    return palette;
}

} // namespace vellumark::codecs::testing
