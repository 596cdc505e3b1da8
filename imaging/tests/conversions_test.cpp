#include "imaging/guid_text.h"
#include "imaging/wide_text.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace vellumark::imaging {
namespace {

TEST(WideText, IsUtf16LittleEndianWithItsTerminator) {
    EXPECT_EQ(ToWideText("ab"), (WideText{0x61, 0x00, 0x62, 0x00, 0x00, 0x00}));
    EXPECT_EQ(ToWideText(""), (WideText{0x00, 0x00}));
    EXPECT_EQ(ToWideText(static_cast<const char*>(nullptr)), WideText{});
    // U+4ECA and U+1F600, the second as a surrogate pair.
    EXPECT_EQ(ToWideText("今\xF0\x9F\x98\x80"),
              (WideText{0xCA, 0x4E, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0x00}));
}

TEST(WideText, RoundTripKeepsEveryText) {
    for (const Text& text :
         {Text{}, Text{"C:/pictures/avatar.png"}, Text{"今天 废物-转帐"}, Text{"Grüße, €5 😀"}}) {
        const WideText wide = ToWideText(text);
        EXPECT_EQ(WideToText(wide), text);
        EXPECT_EQ(WideToText(static_cast<const void*>(wide.data())), text);
    }
}

TEST(WideText, IllFormedInputBecomesReplacementCharacters) {
    // A stray continuation byte and a sequence cut short at the end.
    EXPECT_EQ(ToWideText("a\x80z\xE4\xBB"),
              (WideText{0x61, 0x00, 0xFD, 0xFF, 0x7A, 0x00, 0xFD, 0xFF, 0xFD, 0xFF, 0x00, 0x00}));
    // A lone high surrogate between two letters.
    const WideText loneSurrogate{0x61, 0x00, 0x3D, 0xD8, 0x62, 0x00, 0x00, 0x00};
    EXPECT_EQ(WideToText(loneSurrogate), "a\xEF\xBF\xBD"
                                         "b");
}

TEST(WideText, DecodingStopsAtTheFirstNulOrTheEndOfTheBuffer) {
    EXPECT_EQ(WideToText(WideText{0x61, 0x00, 0x00, 0x00, 0x62, 0x00}), "a");
    EXPECT_EQ(WideToText(WideText{0x61, 0x00, 0x62, 0x00}), "ab") << "no terminator";
    EXPECT_EQ(WideToText(WideText{0x61, 0x00, 0x62}), "a") << "odd length";
    EXPECT_EQ(WideToText(WideText{}), "");
    EXPECT_EQ(WideToText(static_cast<const void*>(nullptr)), "");
}

// The PNG image format, {B96B3CAF-0728-11D3-9D7B-0000F81EF32E}, in memory order.
const Bytes kPngFormat = {0xAF, 0x3C, 0x6B, 0xB9, 0x28, 0x07, 0xD3, 0x11,
                          0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};

TEST(GuidText, PngFormatBothWays) {
    EXPECT_EQ(GuidToText(kPngFormat), "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}");
    EXPECT_EQ(TextToGuid("{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}"), kPngFormat);
    EXPECT_EQ(TextToGuid("{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"), kPngFormat);
    EXPECT_EQ(GuidFromBytes(kPngFormat).Data1, 0xB96B3CAFu);
    EXPECT_EQ(BytesFromGuid(GuidFromBytes(kPngFormat)), kPngFormat);
}

TEST(GuidText, AnythingButTheRegistryFormGivesSixteenZeroBytes) {
    const Bytes zero(16, 0);
    for (const char* text : {
             "png", "",
             "B96B3CAF-0728-11D3-9D7B-0000F81EF32E",    // no braces
             "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}x", // trailing junk
             " {B96B3CAF-0728-11D3-9D7B-0000F81EF32E}", // leading junk
             "{B96B3CAF-0728-11D3-9D7B-0000F81EF32G}",  // not a hex digit
             "{B96B3CAF+0728-11D3-9D7B-0000F81EF32E}",  // wrong separator
             "{B96B3CAF-0728-11D3-9D7B0-000F81EF32E}",  // groups out of place
             "(B96B3CAF-0728-11D3-9D7B-0000F81EF32E)",  // wrong brackets
         }) {
        EXPECT_EQ(TextToGuid(text), zero) << text;
    }
}

TEST(GuidText, OnlySixteenBytesMakeAGuid) {
    EXPECT_EQ(GuidToText(Bytes(15, 0xAB)), "");
    EXPECT_EQ(GuidToText(Bytes(17, 0xAB)), "");
    EXPECT_EQ(GuidToText(Bytes(16, 0)), "{00000000-0000-0000-0000-000000000000}");
}

} // namespace
} // namespace vellumark::imaging
