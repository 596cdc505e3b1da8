// Every file under malformed/ is named after what is wrong with it and must
// decode to an error, never to a picture or a crash.
#include "codecs/picture_decoder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace vellumark::codecs {
namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MalformedCorpus, EveryFileFails) {
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VELLUMARK_CODECS_CORPUS)) {
        const auto bytes = ReadFile(entry.path());
        const DecodeResult result = DecodePicture(bytes);
        EXPECT_NE(result.error, DecodeError::None) << entry.path().filename();
        EXPECT_FALSE(result.image.has_value()) << entry.path().filename();
        ++files;
    }
    EXPECT_GE(files, 30u);
}

// Every prefix of every corpus file, so each parser also meets its input
// ending at every byte.
TEST(MalformedCorpus, EveryPrefixDecodesWithoutCrashing) {
    for (const auto& entry : std::filesystem::directory_iterator(VELLUMARK_CODECS_CORPUS)) {
        const auto bytes = ReadFile(entry.path());
        for (std::size_t length = 0; length <= std::min<std::size_t>(bytes.size(), 2048);
             ++length) {
            const DecodeResult result = DecodePicture(std::span(bytes).first(length));
            EXPECT_EQ(result.image.has_value(), result.error == DecodeError::None);
        }
    }
}

} // namespace
} // namespace vellumark::codecs
