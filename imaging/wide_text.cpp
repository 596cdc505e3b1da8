#include "imaging/wide_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <span>
#include <utility>

namespace vellumark::imaging {
namespace {

// Converts with glibc's iconv. An ill-formed sequence is replaced and
// skipped one code unit at a time, as the platform's own converters do.
class Transcoder {
public:
    Transcoder(const char* to, const char* from, std::size_t inputUnit, Bytes replacement)
        : converter_(iconv_open(to, from)), inputUnit_(inputUnit),
          replacement_(std::move(replacement)) {}
    ~Transcoder() {
        if (converter_ != invalidConverter()) {
            iconv_close(converter_);
        }
    }
    Transcoder(const Transcoder&) = delete;
    Transcoder& operator=(const Transcoder&) = delete;

    Bytes Convert(std::span<const std::uint8_t> input) {
        Bytes output;
        if (converter_ == invalidConverter()) {
            return output;
        }
        // iconv takes a non-const input pointer but never writes through it.
        char* in = const_cast<char*>(reinterpret_cast<const char*>(input.data()));
        std::size_t inLeft = input.size();
        std::array<char, 256> chunk{};
        while (inLeft > 0) {
            char* out = chunk.data();
            std::size_t outLeft = chunk.size();
            const std::size_t result = iconv(converter_, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            output.insert(output.end(), chunk.data(), out);
            if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut short at the end): replace one unit.
            output.insert(output.end(), replacement_.begin(), replacement_.end());
            const std::size_t skip = std::min(inputUnit_, inLeft);
            in += skip;
            inLeft -= skip;
            iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    static iconv_t invalidConverter() { return reinterpret_cast<iconv_t>(-1); }

    iconv_t converter_;
    std::size_t inputUnit_;
    Bytes replacement_;
};

Text Utf16ToText(std::span<const std::uint8_t> utf16) {
    Transcoder transcoder("UTF-8", "UTF-16LE", 2, {0xEF, 0xBF, 0xBD});
    const Bytes utf8 = transcoder.Convert(utf16);
    return Text(utf8.begin(), utf8.end());
}

} // namespace

WideText ToWideText(std::string_view text) {
    Transcoder transcoder("UTF-16LE", "UTF-8", 1, {0xFD, 0xFF});
    WideText wide =
        transcoder.Convert({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    wide.push_back(0);
    wide.push_back(0);
    return wide;
}

WideText ToWideText(const char* text) {
    return text == nullptr ? WideText{} : ToWideText(std::string_view(text));
}

Text WideToText(const void* utf16) {
    if (utf16 == nullptr) {
        return {};
    }
    // Code units are read bytewise: the library's strings need not be aligned.
    const auto* bytes = static_cast<const std::uint8_t*>(utf16);
    std::size_t length = 0;
    while (bytes[length] != 0 || bytes[length + 1] != 0) {
        length += 2;
    }
    return Utf16ToText({bytes, length});
}

Text WideToText(const WideText& wide) {
    std::size_t length = 0;
    while (length + 1 < wide.size() && (wide[length] != 0 || wide[length + 1] != 0)) {
        length += 2;
    }
    return Utf16ToText({wide.data(), length});
}

} // namespace vellumark::imaging
