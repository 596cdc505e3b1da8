// The whole front door: sniffing, then whichever decoder the bytes pick.
#include "codecs/picture_decoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellumark::codecs;
    const DecodeResult result = DecodePicture({data, size});
    if (result.image.has_value() != (result.error == DecodeError::None)) {
        std::abort();
    }
    return 0;
}
