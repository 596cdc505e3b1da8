// The records exchanged with the flat API, byte by byte: what we build must
// match the published 64-bit layouts, and what the library fills must be read
// without ever stepping past the bytes it was given.
#include "imaging/image/encoder_info.h"
#include "imaging/image/encoder_parameters.h"
#include "imaging/image/image_property.h"
#include "imaging/image/palette.h"
#include "imaging/image/tests/test_pictures.h"

#include <cstdint>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vellumark::imaging {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using test::kQuality;

std::uint32_t U32At(const Bytes& block, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

std::uintptr_t AddressAt(const Bytes& block, std::size_t offset) {
    std::uintptr_t value = 0;
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
}

std::uintptr_t AddressOf(const Bytes& bytes) {
    return reinterpret_cast<std::uintptr_t>(bytes.data());
}

// A block shaped like one the library fills: fields are put at offsets, and
// an address field can point back into the block itself.
class FilledBlock {
public:
    explicit FilledBlock(std::size_t size) : bytes_(size, 0) {}

    FilledBlock& U32(std::size_t offset, std::uint32_t value) {
        std::memcpy(bytes_.data() + offset, &value, sizeof value);
        return *this;
    }
    FilledBlock& Raw(std::size_t offset, const Bytes& data) {
        std::memcpy(bytes_.data() + offset, data.data(), data.size());
        return *this;
    }
    FilledBlock& PointInto(std::size_t offset, std::size_t target) {
        return Address(offset, AddressOf(bytes_) + target);
    }
    FilledBlock& Address(std::size_t offset, std::uintptr_t address) {
        std::memcpy(bytes_.data() + offset, &address, sizeof address);
        return *this;
    }
    FilledBlock& Wide(std::size_t offset, std::u16string_view text) {
        std::memcpy(bytes_.data() + offset, text.data(), text.size() * 2);
        return *this;
    }
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

// ---- Encoder parameters ---------------------------------------------------

TEST(EncoderParameterBlock, OneQualityItemIsCountPaddingAndOne32ByteItem) {
    EncoderParameterList list{1, {{kQuality, 1, 4, {90, 0, 0, 0}}}};
    const Bytes block = BuildEncoderParameterBlock(list);

    ASSERT_EQ(block.size(), 8u + 32u);
    EXPECT_EQ(U32At(block, 0), 1u);
    EXPECT_EQ(U32At(block, 4), 0u);
    EXPECT_EQ(Bytes(block.begin() + 8, block.begin() + 24), TextToGuid(kQuality));
    EXPECT_EQ(U32At(block, 24), 1u);
    EXPECT_EQ(U32At(block, 28), 4u);
    EXPECT_EQ(AddressAt(block, 32), AddressOf(list.items[0].value));
}

TEST(EncoderParameterBlock, EveryItemIsWrittenWithZeroGuidsAndNullAddressesWhereDue) {
    // The count is passed as given; every item is still written.
    EncoderParameterList list{1, {{kQuality, 1, 4, {1, 0, 0, 0}}, {"quality", 0, 4, {}}}};
    const Bytes block = BuildEncoderParameterBlock(list);

    ASSERT_EQ(block.size(), 8u + 2 * 32u);
    EXPECT_EQ(U32At(block, 0), 1u);
    EXPECT_EQ(Bytes(block.begin() + 40, block.begin() + 56), Bytes(16, 0));
    EXPECT_EQ(AddressAt(block, 64), 0u);

    // More than there are: the library is told of the items that exist.
    const Bytes overstated = BuildEncoderParameterBlock({7, {{kQuality, 1, 4, {1, 0, 0, 0}}}});
    ASSERT_EQ(overstated.size(), 8u + 32u);
    EXPECT_EQ(U32At(overstated, 0), 1u);
}

TEST(EncoderParameterBlock, ValueLengthsFollowTheValueType) {
    struct Case {
        std::uint32_t type;
        std::uint64_t bytesForThree;
    };
    for (const Case c : {Case{1, 3}, Case{2, 3}, Case{3, 6}, Case{4, 12}, Case{5, 24}, Case{6, 24},
                         Case{7, 3}, Case{8, 48}, Case{0, 0}, Case{9, 0}}) {
        EXPECT_EQ(EncoderValueBytes(c.type, 3), c.bytesForThree) << "type " << c.type;
    }
    EXPECT_EQ(EncoderValueBytes(8, UINT32_MAX), 16ull * UINT32_MAX);
}

TEST(EncoderParameterBlock, ReadsItemsAndTheirValuesFromInsideTheBlock) {
    // Two items; the library puts the values right after the items.
    FilledBlock filled(8 + 2 * 32 + 8);
    filled.U32(0, 2)
        .Raw(8, TextToGuid(kQuality))
        .U32(24, 1)
        .U32(28, 4)
        .PointInto(32, 72)
        .U32(72, 75)
        .U32(56, 2)
        .U32(60, 9) // no published type: no value
        .PointInto(64, 76);

    const EncoderParameterList list = ReadEncoderParameterBlock(filled.bytes());

    EXPECT_EQ(list.count, 2u);
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0].category, kQuality);
    EXPECT_EQ(list.items[0].valueCount, 1u);
    EXPECT_EQ(list.items[0].valueType, 4u);
    EXPECT_THAT(list.items[0].value, ElementsAre(75, 0, 0, 0));
    EXPECT_EQ(list.items[1].category, "{00000000-0000-0000-0000-000000000000}");
    EXPECT_THAT(list.items[1].value, IsEmpty());
}

TEST(EncoderParameterBlock, NeverReadsPastTheFilledBlock) {
    const Bytes outside(64, 0xEE);
    FilledBlock filled(8 + 2 * 32 + 6);
    filled
        .U32(0, 1000) // more items than the block holds
        .U32(24, 4)
        .U32(28, 4) // 16 bytes of longs, but only 6 are left in the block
        .PointInto(32, 72)
        .U32(72, 0x04030201)
        .U32(56, 1)
        .U32(60, 1)
        .Address(64, AddressOf(outside)); // outside the block: not followed

    const EncoderParameterList list = ReadEncoderParameterBlock(filled.bytes());

    EXPECT_EQ(list.count, 2u);
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_THAT(list.items[0].value, ElementsAre(1, 2, 3, 4, 0, 0));
    EXPECT_THAT(list.items[1].value, IsEmpty());
    EXPECT_THAT(ReadEncoderParameterBlock(Bytes{1, 0, 0}).items, IsEmpty());
}

// ---- Palettes ---------------------------------------------------------------

TEST(PaletteBlock, HoldsFlagsCountAndTheColours) {
    Palette palette{1, 256, std::vector<ARGB>(256, 0xFF102030u)};
    palette.entries[255] = 0x80FFFFFFu;
    const Bytes block = BuildPaletteBlock(palette);

    ASSERT_EQ(block.size(), 1032u);
    EXPECT_EQ(U32At(block, 0), 1u);
    EXPECT_EQ(U32At(block, 4), 256u);
    EXPECT_EQ(U32At(block, 8), 0xFF102030u);
    EXPECT_EQ(U32At(block, 1028), 0x80FFFFFFu);
}

TEST(PaletteBlock, ACountBeyondTheEntriesIsCutToThem) {
    const Bytes block = BuildPaletteBlock(Palette{0, 0xFFFFFFFFu, {0xFF000000u, 0xFFFFFFFFu}});
    ASSERT_EQ(block.size(), 16u);
    EXPECT_EQ(U32At(block, 4), 2u);
}

TEST(PaletteBlock, ReadsOnlyTheColoursTheFilledBlockHolds) {
    FilledBlock exact(16);
    exact.U32(0, 2).U32(4, 2).U32(8, 0xFF0000FFu).U32(12, 0xFF00FF00u);
    const Palette read = ReadPaletteBlock(exact.bytes());
    EXPECT_EQ(read.flags, 2u);
    EXPECT_EQ(read.count, 2u);
    EXPECT_THAT(read.entries, ElementsAre(0xFF0000FFu, 0xFF00FF00u));

    FilledBlock overstated(14); // claims a million colours, holds one and a half
    overstated.U32(4, 1'000'000).U32(8, 7);
    const Palette cut = ReadPaletteBlock(overstated.bytes());
    EXPECT_EQ(cut.count, 1u);
    EXPECT_THAT(cut.entries, ElementsAre(7u));
}

// ---- Property items ---------------------------------------------------------

TEST(PropertyItemBlock, IsTheHeaderWithTheValueAddress) {
    const ImageProperty property{0x5100, 8, 4, {10, 0, 0, 0, 20, 0, 0, 0}};
    const Bytes block = BuildPropertyItemBlock(property);

    ASSERT_EQ(block.size(), 24u);
    EXPECT_EQ(U32At(block, 0), 0x5100u);
    EXPECT_EQ(U32At(block, 4), 8u);
    EXPECT_EQ(U32At(block, 8), 4u);
    EXPECT_EQ(U32At(block, 12), 0u);
    EXPECT_EQ(AddressAt(block, 16), AddressOf(property.value));
}

TEST(PropertyItemBlock, EmptyValueIsNullAndLengthNeverExceedsTheValue) {
    const Bytes empty = BuildPropertyItemBlock(ImageProperty{0x10E, 5, 2, {}});
    EXPECT_EQ(U32At(empty, 4), 0u);
    EXPECT_EQ(AddressAt(empty, 16), 0u);

    const Bytes overstated = BuildPropertyItemBlock(ImageProperty{0x10E, 500, 2, {'a', 0}});
    EXPECT_EQ(U32At(overstated, 4), 2u);
}

TEST(PropertyItemBlock, CopiesExactlyTheValueLengthFromAfterTheHeader) {
    FilledBlock filled(24 + 12);
    filled.U32(0, 0x5100).U32(4, 8).U32(8, 4).PointInto(16, 24).U32(24, 10).U32(28, 20).U32(32,
                                                                                            0xDEAD);
    const ImageProperty property = ReadPropertyItemBlock(filled.bytes());

    EXPECT_EQ(property.propertyId, 0x5100u);
    EXPECT_EQ(property.valueLength, 8u);
    EXPECT_EQ(property.valueType, 4u);
    EXPECT_THAT(property.value, ElementsAre(10, 0, 0, 0, 20, 0, 0, 0));
}

TEST(PropertyItemBlock, ALengthBeyondTheFilledBlockIsCut) {
    FilledBlock filled(24 + 3);
    filled.U32(0, 0x10F).U32(4, 0x7FFFFFFF).U32(8, 2).Raw(24, {'a', 'b', 0});
    const ImageProperty property = ReadPropertyItemBlock(filled.bytes());
    EXPECT_EQ(property.valueLength, 3u);
    EXPECT_THAT(property.value, ElementsAre('a', 'b', 0));

    const ImageProperty zeros = ReadPropertyItemBlock(Bytes(24, 0));
    EXPECT_EQ(zeros.valueLength, 0u);
    EXPECT_THAT(zeros.value, IsEmpty());
}

// ---- Codec descriptions --------------------------------------------------

TEST(CodecInfoBlock, ReadsOneDescriptionWithItsStringsAndSignatures) {
    const GuidText pngEncoder = "{557CF406-1A04-11D3-9A73-0000F81EF32E}";
    const GuidText pngFormat = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
    FilledBlock filled(104 + 64);
    filled.Raw(0, TextToGuid(pngEncoder))
        .Raw(16, TextToGuid(pngFormat))
        .PointInto(32, 104)
        .Wide(104, u"PNG")
        .PointInto(64, 112)
        .Wide(112, u"image/png")
        .U32(72, 7)
        .U32(76, 1)
        .U32(80, 1)
        .U32(84, 4)
        .PointInto(88, 140)
        .Raw(140, {0x89, 'P', 'N', 'G'})
        .PointInto(96, 144)
        .Raw(144, {0xFF, 0xFF, 0xFF, 0xFF});

    const auto list = ReadCodecInfoBlock(filled.bytes(), 1);

    ASSERT_EQ(list.size(), 1u);
    const EncoderInfo& info = list[0];
    EXPECT_EQ(info.encoderId, pngEncoder);
    EXPECT_EQ(info.formatId, pngFormat);
    EXPECT_EQ(info.codecName, "PNG");
    EXPECT_EQ(info.libraryName, "");
    EXPECT_EQ(info.mimeType, "image/png");
    EXPECT_EQ(info.flags, 7u);
    EXPECT_EQ(info.version, 1u);
    EXPECT_EQ(info.signatureCount, 1u);
    EXPECT_EQ(info.signatureSize, 4u);
    EXPECT_THAT(info.signaturePatterns, ElementsAre(0x89, 'P', 'N', 'G'));
    EXPECT_THAT(info.signatureMasks, ElementsAre(0xFF, 0xFF, 0xFF, 0xFF));
}

TEST(CodecInfoBlock, NeverReadsPastTheFilledBlock) {
    const Bytes outside = {'X', 0, 0, 0};
    FilledBlock filled(104 + 6);
    filled
        .Address(32, AddressOf(outside)) // not inside the block: empty
        .PointInto(40, 104)
        .Wide(104, u"abc") // no terminator before the end of the block
        .U32(80, 0xFFFFFFFF)
        .U32(84, 0xFFFFFFFF)
        .PointInto(88, 106);

    const auto list = ReadCodecInfoBlock(filled.bytes(), 50); // one fits

    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].codecName, "");
    EXPECT_EQ(list[0].libraryName, "abc");
    EXPECT_THAT(list[0].signaturePatterns, ElementsAre('b', 0, 'c', 0));
    EXPECT_THAT(list[0].signatureMasks, IsEmpty());
}

} // namespace
} // namespace vellumark::imaging
