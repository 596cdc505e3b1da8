#include "stored_layout_fixtures.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <tiffio.h>
#include <unistd.h>

namespace vellumark::codecs::native::testing {

namespace {

void Put16(Bytes& bytes, std::uint32_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& bytes, std::uint32_t value) {
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

// A BITMAPINFOHEADER of a bottom-up DIB.
void PutInfoHeader(Bytes& bytes, std::uint32_t width, std::uint32_t height, std::uint16_t bits,
                   std::uint32_t compression, std::int32_t pixelsPerMetre) {
    Put32(bytes, 40);
    Put32(bytes, width);
    Put32(bytes, height);
    Put16(bytes, 1);
    Put16(bytes, bits);
    Put32(bytes, compression);
    Put32(bytes, 0);
    Put32(bytes, static_cast<std::uint32_t>(pixelsPerMetre));
    Put32(bytes, static_cast<std::uint32_t>(pixelsPerMetre));
    Put32(bytes, 0);
    Put32(bytes, 0);
}

void PutRowsBottomUp(Bytes& bytes, const std::vector<Bytes>& rows) {
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        bytes.insert(bytes.end(), row->begin(), row->end());
        bytes.resize(bytes.size() + (4 - row->size() % 4) % 4, 0);
    }
}

} // namespace

Bytes Words16LE(std::initializer_list<std::uint16_t> words) {
    Bytes bytes;
    for (std::uint16_t word : words) {
        Put16(bytes, word);
    }
    return bytes;
}

Bytes MakeBmp(const BmpFixture& fixture) {
    Bytes dib;
    PutInfoHeader(dib, fixture.width, static_cast<std::uint32_t>(fixture.rows.size()), fixture.bits,
                  fixture.compression, fixture.pixelsPerMetre);
    for (std::uint32_t mask : fixture.masks) {
        Put32(dib, mask);
    }
    for (std::uint32_t colour : fixture.palette) {
        Put32(dib, colour);
    }
    const std::size_t pixelOffset = 14 + dib.size();
    PutRowsBottomUp(dib, fixture.rows);
    Bytes file = {'B', 'M'};
    Put32(file, static_cast<std::uint32_t>(14 + dib.size()));
    Put32(file, 0);
    Put32(file, static_cast<std::uint32_t>(pixelOffset));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

Bytes MakePcx(const PcxFixture& fixture) {
    Bytes file(128, 0);
    file[0] = 0x0A;
    file[1] = fixture.version;
    file[2] = 1;
    file[3] = fixture.bitsPerPlane;
    const auto height = static_cast<std::uint32_t>(fixture.lines.size());
    file[8] = static_cast<std::uint8_t>(fixture.width - 1);
    file[9] = static_cast<std::uint8_t>((fixture.width - 1) >> 8);
    file[10] = static_cast<std::uint8_t>(height - 1);
    file[11] = static_cast<std::uint8_t>((height - 1) >> 8);
    file[65] = fixture.planes;
    file[66] = static_cast<std::uint8_t>(fixture.bytesPerLine);
    file[67] = static_cast<std::uint8_t>(fixture.bytesPerLine >> 8);
    for (const Bytes& line : fixture.lines) {
        for (std::uint8_t byte : line) {
            if (byte >= 0xC0) {
                file.push_back(0xC1); // a run of one
            }
            file.push_back(byte);
        }
    }
    if (!fixture.palette.empty()) {
        file.push_back(0x0C);
        file.insert(file.end(), fixture.palette.begin(), fixture.palette.end());
    }
    return file;
}

Bytes MakeIcon(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& sidesAndColours) {
    std::vector<Bytes> entries;
    for (const auto& [side, colour] : sidesAndColours) {
        Bytes dib;
        PutInfoHeader(dib, side, side * 2, 32, 0, 0);
        for (std::uint32_t i = 0; i < side * side; ++i) {
            Put32(dib, 0xFF000000u | colour);
        }
        const std::size_t maskRow = (side + 31) / 32 * 4;
        dib.resize(dib.size() + maskRow * side, 0);
        entries.push_back(std::move(dib));
    }
    Bytes file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, static_cast<std::uint32_t>(entries.size()));
    std::size_t offset = 6 + 16 * entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::uint32_t side = sidesAndColours[i].first;
        file.push_back(static_cast<std::uint8_t>(side)); // 0 means 256
        file.push_back(static_cast<std::uint8_t>(side));
        file.push_back(0);
        file.push_back(0);
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, static_cast<std::uint32_t>(entries[i].size()));
        Put32(file, static_cast<std::uint32_t>(offset));
        offset += entries[i].size();
    }
    for (const Bytes& entry : entries) {
        file.insert(file.end(), entry.begin(), entry.end());
    }
    return file;
}

Bytes MakeTiff(const TiffFixture& fixture) {
    char path[] = "/tmp/vellumark_tiff_fixture_XXXXXX";
    const int descriptor = mkstemp(path);
    if (descriptor < 0) {
        return {};
    }
    close(descriptor);
    TIFF* tiff = TIFFOpen(path, "w");
    if (tiff == nullptr) {
        std::remove(path);
        return {};
    }
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, fixture.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(fixture.rows.size()));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, fixture.bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, fixture.samples);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, fixture.photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1u);
    if (fixture.photometric == PHOTOMETRIC_RGB && fixture.samples == 4) {
        const std::uint16_t kind =
            fixture.associatedAlpha ? EXTRASAMPLE_ASSOCALPHA : EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &kind);
    }
    if (!fixture.colour.empty()) {
        const std::size_t entries = fixture.colour.size() / 3;
        TIFFSetField(tiff, TIFFTAG_COLORMAP, fixture.colour.data(), fixture.colour.data() + entries,
                     fixture.colour.data() + 2 * entries);
    }
    for (std::size_t y = 0; y < fixture.rows.size(); ++y) {
        Bytes row = fixture.rows[y];
        TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0);
    }
    TIFFClose(tiff);
    std::ifstream stream(path, std::ios::binary);
    Bytes bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    std::remove(path);
    return bytes;
}

} // namespace vellumark::codecs::native::testing
