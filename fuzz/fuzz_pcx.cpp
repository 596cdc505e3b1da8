#include "codecs/pcx_decoder.h"
#include "fuzz/fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vellumark::fuzz::DecodeWith(vellumark::codecs::PcxDecoder::Create, data, size);
    return 0;
}
