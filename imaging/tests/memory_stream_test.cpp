#include "imaging/memory_block_stream.h"
#include "imaging/memory_stream.h"

#include <array>
#include <cstdint>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

namespace vellumark::imaging {
namespace {


std::uint32_t AddRef(IStream* stream) {
    return stream->lpVtbl->AddRef(stream);
}
std::uint32_t Release(IStream* stream) {
    return stream->lpVtbl->Release(stream);
}

Bytes ReadAll(IStream* stream) {
    std::array<std::uint8_t, 64> buffer{};
    std::uint32_t read = 0;
    EXPECT_EQ(stream->lpVtbl->Read(stream, buffer.data(), buffer.size(), &read), 0);
    return Bytes(buffer.begin(), buffer.begin() + read);
}

const Bytes kFive = {1, 2, 3, 4, 5};

TEST(MemoryStream, CreateFromBytesHoldsTheFirstSizeBytes) {
    struct Case {
        std::optional<std::uint32_t> size;
        Bytes held;
    };
    for (const Case& c : {Case{std::nullopt, kFive}, Case{3, {1, 2, 3}}, Case{0, {}},
                          // A size beyond the data is cut to the data.
                          Case{9, kFive}, Case{UINT32_MAX, kFive}}) {
        MemoryStream memory;
        IStream* stream = memory.CreateFromBytes(kFive, c.size);
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(memory.GetStream(), stream);
        EXPECT_NE(memory.GetMemoryHandle(), 0u);
        EXPECT_EQ(memory.GetSize(), c.held.size());
        EXPECT_EQ(ReadAll(stream), c.held) << "read from the start";
        EXPECT_EQ(memory.ToBytes(), c.held);
    }
}

TEST(MemoryStream, EmptyDataGivesAnEmptyStreamThatWritingGrows) {
    MemoryStream memory;
    IStream* stream = memory.CreateFromBytes({});
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(memory.GetSize(), 0u);
    EXPECT_EQ(memory.ToBytes(), Bytes{});
    EXPECT_EQ(ReadAll(stream), Bytes{});

    // The way an encoder saves: a header with a length to patch, a body,
    // then back to fill in the length.
    const std::array<std::uint8_t, 4> header = {'V', 'M', 0, 0};
    const std::array<std::uint8_t, 3> body = {7, 8, 9};
    const std::uint8_t length = 3;
    const IStreamVtbl& ops = *stream->lpVtbl;
    std::uint32_t written = 0;
    ASSERT_EQ(ops.Write(stream, header.data(), header.size(), &written), 0);
    EXPECT_EQ(written, header.size());
    ASSERT_EQ(ops.Write(stream, body.data(), body.size(), nullptr), 0);
    ASSERT_EQ(ops.Seek(stream, 3, STREAM_SEEK_SET, nullptr), 0);
    ASSERT_EQ(ops.Write(stream, &length, 1, nullptr), 0);
    std::uint64_t end = 0;
    ASSERT_EQ(ops.Seek(stream, 0, STREAM_SEEK_END, &end), 0);

    EXPECT_EQ(end, 7u);
    EXPECT_EQ(memory.GetSize(), 7u);
    EXPECT_EQ(memory.ToBytes(), (Bytes{'V', 'M', 0, 3, 7, 8, 9}));
}

TEST(MemoryStream, RecreatingReleasesTheFirstStream) {
    MemoryStream memory;
    IStream* first = memory.CreateFromBytes(kFive);
    const std::uint32_t firstBlock = memory.GetMemoryHandle();
    AddRef(first); // a second holder, as the library is while an image lives

    IStream* second = memory.CreateFromBytes({9});
    EXPECT_NE(second, first);
    EXPECT_NE(memory.GetMemoryHandle(), firstBlock);
    EXPECT_EQ(memory.ToBytes(), Bytes{9});
    EXPECT_EQ(ReadAll(first), kFive) << "the other holder still reads its bytes";
    EXPECT_EQ(Release(first), 0u) << "ours was the other reference";
}

TEST(MemoryStream, CloseReleasesOnlyOnce) {
    MemoryStream memory;
    IStream* stream = memory.CreateFromBytes(kFive);
    AddRef(stream);

    memory.Close();
    memory.Close();
    memory.Destroy();

    EXPECT_EQ(memory.GetStream(), nullptr);
    EXPECT_EQ(memory.GetMemoryHandle(), 0u);
    EXPECT_EQ(memory.GetSize(), 0u);
    EXPECT_EQ(memory.ToBytes(), Bytes{});
    EXPECT_EQ(Release(stream), 0u);
}

TEST(MemoryStream, NeverOpenedHoldsNothing) {
    MemoryStream memory;
    memory.Destroy();
    EXPECT_EQ(memory.GetStream(), nullptr);
    EXPECT_EQ(memory.GetSize(), 0u);
    EXPECT_EQ(memory.ToBytes(), Bytes{});
}

TEST(MemoryStream, CopySharesTheStreamAndEachMayClose) {
    MemoryStream memory;
    memory.CreateFromBytes(kFive);
    const auto copy = memory.Copy();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetStream(), memory.GetStream());
    EXPECT_EQ(copy->GetMemoryHandle(), memory.GetMemoryHandle());

    memory.Close();
    EXPECT_EQ(copy->ToBytes(), kFive);
    copy->Destroy();
}

// A stream that lives on no memory block; it counts its releases.
struct ForeignStream : IStream {
    static std::uint32_t Count(IStream*) { return 1; }
    static std::uint32_t CountRelease(IStream* self) {
        return --static_cast<ForeignStream*>(self)->references;
    }
    static constexpr IStreamVtbl kTable = {nullptr, Count,   CountRelease, nullptr,
                                           nullptr, nullptr, nullptr,      nullptr};
    ForeignStream() : IStream{&kTable} {}
    std::uint32_t references = 1;
};

TEST(MemoryStream, AttachTakesOverTheCallersReference) {
    MemoryStream source;
    IStream* stream = source.CreateFromBytes(kFive);
    AddRef(stream); // the reference handed over

    MemoryStream memory;
    memory.CreateFromBytes({1});
    EXPECT_TRUE(memory.AttachStream(stream));
    EXPECT_EQ(memory.GetStream(), stream);
    EXPECT_EQ(memory.GetMemoryHandle(), source.GetMemoryHandle());
    EXPECT_EQ(memory.ToBytes(), kFive);

    source.Close();
    memory.Close();
    EXPECT_EQ(memory.GetStream(), nullptr);
}

TEST(MemoryStream, AttachingAStreamWithoutABlockKeepsItForClose) {
    ForeignStream foreign;
    MemoryStream memory;
    EXPECT_FALSE(memory.AttachStream(&foreign));
    EXPECT_EQ(memory.GetStream(), &foreign);
    EXPECT_EQ(memory.GetMemoryHandle(), 0u);
    EXPECT_EQ(memory.GetSize(), 0u);
    EXPECT_EQ(memory.ToBytes(), Bytes{});

    memory.Close();
    memory.Close();
    EXPECT_EQ(foreign.references, 0u);
}

TEST(MemoryBlockStream, ReadsStopAtTheEndAndSeeksStayInRange) {
    IStream* stream = CreateMemoryBlockStream(kFive);
    ASSERT_NE(stream, nullptr);
    const IStreamVtbl& ops = *stream->lpVtbl;
    std::array<std::uint8_t, 8> buffer{};
    std::uint32_t read = 99;
    std::uint64_t position = 0;

    ASSERT_EQ(ops.Seek(stream, -2, STREAM_SEEK_END, &position), 0);
    EXPECT_EQ(position, 3u);
    ASSERT_EQ(ops.Read(stream, buffer.data(), buffer.size(), &read), 0);
    EXPECT_EQ(read, 2u);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(buffer[1], 5);

    EXPECT_NE(ops.Seek(stream, -6, STREAM_SEEK_END, &position), 0) << "before the start";
    EXPECT_NE(ops.Seek(stream, 0, 3, &position), 0) << "no such origin";
    EXPECT_NE(ops.Seek(stream, INT64_MAX, STREAM_SEEK_SET, &position), 0);
    EXPECT_EQ(position, 3u) << "a refused seek does not move";
    EXPECT_NE(ops.Read(stream, nullptr, 1, &read), 0);
    EXPECT_NE(ops.Write(stream, nullptr, 1, nullptr), 0);

    // Past the end: nothing to read, and a write fills the gap with zeros.
    ASSERT_EQ(ops.Seek(stream, 2, STREAM_SEEK_END, nullptr), 0);
    ASSERT_EQ(ops.Read(stream, buffer.data(), buffer.size(), &read), 0);
    EXPECT_EQ(read, 0u);
    const std::uint8_t six = 6;
    ASSERT_EQ(ops.Write(stream, &six, 1, nullptr), 0);
    EXPECT_EQ(MemoryBlockBytes(stream), (Bytes{1, 2, 3, 4, 5, 0, 0, 6}));

    ASSERT_EQ(ops.SetSize(stream, 2), 0);
    EXPECT_EQ(MemoryBlockBytes(stream), (Bytes{1, 2}));
    EXPECT_NE(ops.SetSize(stream, kMaxMemoryBlockBytes + 1), 0);
    std::uint64_t size = 0;
    ASSERT_EQ(ops.GetSize(stream, &size), 0);
    EXPECT_EQ(size, 2u);

    EXPECT_EQ(Release(stream), 0u);
}

TEST(MemoryBlockStream, AnswersForItsOwnInterfacesOnly) {
    IStream* stream = CreateMemoryBlockStream({});
    const GUID stream_iid = {0x0000000C, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    const GUID other = {0x12345678, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
    void* object = nullptr;

    ASSERT_EQ(stream->lpVtbl->QueryInterface(stream, &stream_iid, &object), 0);
    EXPECT_EQ(object, stream);
    EXPECT_EQ(Release(stream), 1u) << "the query took a reference";
    EXPECT_NE(stream->lpVtbl->QueryInterface(stream, &other, &object), 0);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(Release(stream), 0u);
}

} // namespace
} // namespace vellumark::imaging
