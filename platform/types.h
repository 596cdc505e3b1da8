// The value types that travel between the runtime, the imaging layer and the
// handlers: whole files and pictures as Bytes, texts as UTF-8 Text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vellumark {

// An owned byte buffer with its length: whole picture files, WideText payloads.
using Bytes = std::vector<std::uint8_t>;

// A narrow string. On Linux the system code page is UTF-8, so Text is UTF-8.
using Text = std::string;

} // namespace vellumark
