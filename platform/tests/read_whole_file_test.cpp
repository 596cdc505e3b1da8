#include "platform/runtime.h"

#include <QTemporaryDir>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellumark::platform {
namespace {

class ReadWholeFileTest : public ::testing::Test {
protected:
    Text path(const char* name) const {
        return dir_.filePath(QString::fromUtf8(name)).toStdString();
    }

    Text writeFile(const char* name, const Bytes& content) const {
        const Text full = path(name);
        std::ofstream(full, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()),
                   static_cast<std::streamsize>(content.size()));
        return full;
    }

    QTemporaryDir dir_;
};

TEST_F(ReadWholeFileTest, ReadsARegularFileWhole) {
    Bytes content(70000);
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<std::uint8_t>(i * 7);
    }
    EXPECT_EQ(ReadWholeFile(writeFile("picture.jpg", content)), content);
    EXPECT_EQ(ReadWholeFile(writeFile("头像.png", {0x89, 'P'})), (Bytes{0x89, 'P'}));
}

TEST_F(ReadWholeFileTest, GivesNothingForWhatIsNotAReadableRegularFile) {
    const Text fifo = path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Text real = writeFile("real", {1, 2, 3});

    // Must return at once: a FIFO without a writer or an endless device
    // would block or exhaust memory.
    const Text cases[] = {
        "",
        path("missing"),
        dir_.path().toStdString(),
        fifo,
        writeFile("empty", {}),
        "/dev/zero",
        real + Text(1, '\0') + "suffix",
    };
    for (const Text& name : cases) {
        EXPECT_TRUE(ReadWholeFile(name).empty()) << name;
    }
}

TEST_F(ReadWholeFileTest, FileAboveTheLimitCountsAsUnreadable) {
    const Text huge = writeFile("huge", {});
    // Sparse: costs no disk space.
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kWholeFileLimit + 1)), 0);
    EXPECT_TRUE(ReadWholeFile(huge).empty());
}

} // namespace
} // namespace vellumark::platform
