// ReadWholeFile: a whole regular file in one buffer, or nothing.
//
// The file is opened without blocking (a FIFO with no writer would
// otherwise hang the GUI thread) and must be a regular file, so devices and
// pipes are never read. Files above kWholeFileLimit count as unreadable, so
// a hostile choice cannot exhaust memory. When fewer bytes arrive than the
// size promised (the file shrank), the result holds those that arrived; a
// read error gives empty bytes.
#include "platform/runtime.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellumark::platform {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

Bytes ReadWholeFile(const Text& name) {
    if (name.empty() || name.find('\0') != Text::npos) {
        return {};
    }
    const FileDescriptor file(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size <= 0 || static_cast<std::uint64_t>(status.st_size) > kWholeFileLimit) {
        return {};
    }
    Bytes content(static_cast<std::size_t>(status.st_size));
    std::size_t filled = 0;
    while (filled < content.size()) {
        const ssize_t got = ::read(file.get(), content.data() + filled, content.size() - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {};
        }
        if (got == 0) {
            break; // the file is shorter than it was: keep what arrived
        }
        filled += static_cast<std::size_t>(got);
    }
    content.resize(filled);
    return content;
}

} // namespace vellumark::platform
