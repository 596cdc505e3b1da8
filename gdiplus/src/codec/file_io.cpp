#include "codec/file_io.h"

#include "core/limits.h"

#include <QString>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vellumark::gdiplus {

Result<std::string> utf8FileName(const WCHAR* name) {
    if (name == nullptr || name[0] == 0) {
        return invalidArgument("no file name");
    }
    const QByteArray utf8 = QString::fromUtf16(reinterpret_cast<const char16_t*>(name)).toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

Result<std::vector<std::uint8_t>> readWholeFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return Error{FileNotFound, "no such file"};
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Error{AccessDenied, "not a regular file"};
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Error{AccessDenied, "cannot open the file"};
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return Error{AccessDenied, "cannot size the file"};
    }
    if (size > limits::kMaxStreamBytes) {
        return Error{OutOfMemory, "file too large"};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.gcount() != static_cast<std::streamsize>(bytes.size())) {
        return Error{AccessDenied, "short read"};
    }
    return bytes;
}

Result<void> writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        return Error{AccessDenied, "cannot create the file"};
    }
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.flush();
    if (!file) {
        return Error{Win32Error, "write failed"};
    }
    return success();
}

} // namespace vellumark::gdiplus
