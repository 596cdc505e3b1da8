#include "gdiplus/pixels/argb.h"
#include "gdiplus/pixels/premultiply.h"

#include <gtest/gtest.h>
#include <vector>

namespace vellumark::gdiplus::pixels {
namespace {

TEST(Premultiply, KnownValuesRoundToNearest) {
    EXPECT_EQ(Premultiply(0x80FF8040u), 0x80804020u);
    EXPECT_EQ(Premultiply(0x01800000u), 0x01010000u); // 128 / 255 = 0.502 rounds up
    EXPECT_EQ(Premultiply(0xFF123456u), 0xFF123456u);
    EXPECT_EQ(Premultiply(0x00FFFFFFu), 0u);
    EXPECT_EQ(Unpremultiply(0x80804020u), 0x80FF8040u);
    EXPECT_EQ(Unpremultiply(0x00FFFFFFu), 0u);
}

TEST(Premultiply, ColourAboveItsAlphaClampsInsteadOfWrapping) {
    EXPECT_EQ(Unpremultiply(0x10FF2010u), 0x10FFFFFFu);
}

// Every valid premultiplied colour (channel <= alpha) survives the trip
// through straight alpha, which only holds when both directions round.
TEST(Premultiply, EveryPremultipliedValueSurvivesUnpremultiplying) {
    for (std::uint32_t a = 0; a < 256; ++a) {
        for (std::uint32_t c = 0; c <= a; ++c) {
            const std::uint32_t p = MakeArgb(a, c, c / 2, a - c);
            ASSERT_EQ(Premultiply(Unpremultiply(p)), p) << a << " " << c;
        }
    }
}

TEST(Premultiply, RowsConvertInPlace) {
    std::vector<std::uint32_t> row{0x80FF8040u, 0x00ABCDEFu, 0xFF010203u};
    PremultiplyRow(row);
    EXPECT_EQ(row, (std::vector<std::uint32_t>{0x80804020u, 0u, 0xFF010203u}));
    UnpremultiplyRow(row);
    EXPECT_EQ(row, (std::vector<std::uint32_t>{0x80FF8040u, 0u, 0xFF010203u}));
}

} // namespace
} // namespace vellumark::gdiplus::pixels
