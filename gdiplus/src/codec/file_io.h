// Whole-file reads and writes for the file-named flat functions. Names come
// in as UTF-16 and go to the file system as UTF-8.
#pragma once

#include "core/result.h"
#include "gdiplus/gdiplus.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vellumark::gdiplus {

// The UTF-8 path for a NUL-terminated UTF-16 name; InvalidParameter for
// null or empty names.
Result<std::string> utf8FileName(const WCHAR* name);

// FileNotFound when nothing is there, AccessDenied when it cannot be read
// as a file (a directory, no permission), OutOfMemory beyond the size cap.
Result<std::vector<std::uint8_t>> readWholeFile(const std::string& path);

// Replaces the file's content; AccessDenied when it cannot be written.
Result<void> writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace vellumark::gdiplus
