// Text (UTF-8, the system code page on Linux) to and from WideText, the
// UTF-16LE form with its terminating NUL in which the imaging library takes
// file names and GUID strings. Both directions use UTF-8, so a round trip of
// any valid text is lossless; ill-formed input (bad UTF-8 bytes, lone
// surrogates) becomes U+FFFD rather than an error. Neither direction fails or
// touches LastStatus.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <string_view>

namespace vellumark::imaging {

// UTF-16LE code units followed by a 0x0000 terminator. Empty means "no text"
// and is handed to the library as a null string.
using WideText = Bytes;

// "ab" gives 61 00 62 00 00 00; "" gives the terminator alone.
WideText ToWideText(std::string_view text);
// A null text gives an empty WideText.
WideText ToWideText(const char* text);

// The text up to the first NUL of the UTF-16 string at `utf16`; "" for null.
Text WideToText(const void* utf16);
// The text up to the first NUL within `wide`, never reading past its end.
Text WideToText(const WideText& wide);

// The address to hand the library for a string or byte buffer: the first
// byte, or null when there is none.
inline const std::uint8_t* DataOrNull(const Bytes& bytes) {
    return bytes.empty() ? nullptr : bytes.data();
}

} // namespace vellumark::imaging
