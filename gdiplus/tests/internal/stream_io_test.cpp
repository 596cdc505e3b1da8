// Reading and writing callers' streams, including streams that misbehave.
#include "core/stream_io.h"
#include "core/stream_ref.h"
#include "support/fake_stream.h"

#include <gtest/gtest.h>

namespace vellumark::gdiplus {
namespace {

using testing::FakeStream;
using Bytes = std::vector<std::uint8_t>;

const Bytes kFive{1, 2, 3, 4, 5};

TEST(ReadWholeStream, ReadsFromTheCurrentPositionAndAdvancesToTheEnd) {
    FakeStream fake(kFive);
    fake.position = 2;
    fake.maxPerRead = 1; // short reads must be gathered up
    const auto bytes = readWholeStream(fake.stream());
    ASSERT_TRUE(bytes.hasValue());
    EXPECT_EQ(*bytes, (Bytes{3, 4, 5}));
    EXPECT_EQ(fake.position, 5u);
}

TEST(ReadWholeStream, WorksWithoutASizeAndOnAnEmptyStream) {
    FakeStream unsized(kFive);
    unsized.sizeUnknown = true;
    const auto bytes = readWholeStream(unsized.stream());
    ASSERT_TRUE(bytes.hasValue());
    EXPECT_EQ(*bytes, kFive);

    FakeStream empty;
    const auto none = readWholeStream(empty.stream());
    ASSERT_TRUE(none.hasValue());
    EXPECT_TRUE(none->empty());
}

TEST(ReadWholeStream, FailuresReportAStatusAndRestoreThePosition) {
    struct Case {
        const char* what;
        void (*spoil)(FakeStream&);
        std::size_t cap;
        GpStatus expected;
    };
    const Case cases[] = {
        {"read fails midway",
         [](FakeStream& f) {
             f.failReadsAfter = 3;
             f.maxPerRead = 2;
         },
         100, GenericError},
        {"read claims more than asked", [](FakeStream& f) { f.extraClaimedPerRead = 1u << 20; },
         100, GenericError},
        {"longer than the cap", [](FakeStream&) {}, 3, OutOfMemory},
        {"longer than the cap, size unknown", [](FakeStream& f) { f.sizeUnknown = true; }, 3,
         OutOfMemory},
        {"claims a huge size", [](FakeStream& f) { f.claimedSize = UINT64_MAX / 2; }, 100,
         OutOfMemory},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeStream fake(kFive);
        fake.position = 1;
        c.spoil(fake);
        const auto bytes = readWholeStream(fake.stream(), c.cap);
        ASSERT_FALSE(bytes.hasValue());
        EXPECT_EQ(bytes.error().status, c.expected);
        EXPECT_EQ(fake.position, 1u);
    }
}

TEST(ReadWholeStream, AStreamOfExactlyTheCapFits) {
    FakeStream fake(kFive);
    fake.sizeUnknown = true;
    const auto bytes = readWholeStream(fake.stream(), kFive.size());
    ASSERT_TRUE(bytes.hasValue());
    EXPECT_EQ(*bytes, kFive);
}

TEST(WriteToStream, WritesEverythingThroughShortWrites) {
    FakeStream fake(Bytes{9, 9});
    fake.position = 1;
    fake.maxPerWrite = 2;
    ASSERT_TRUE(writeToStream(fake.stream(), kFive).hasValue());
    EXPECT_EQ(fake.bytes, (Bytes{9, 1, 2, 3, 4, 5}));
}

TEST(WriteToStream, StopsOnAFailingOrStalledStream) {
    FakeStream failing;
    failing.writesFail = true;
    const auto failed = writeToStream(failing.stream(), kFive);
    ASSERT_FALSE(failed.hasValue());
    EXPECT_EQ(failed.error().status, GenericError);

    FakeStream stalled;
    stalled.maxPerWrite = 0; // reports success but writes nothing
    EXPECT_FALSE(writeToStream(stalled.stream(), kFive).hasValue());
}

TEST(StreamIo, NullStreamsAreInvalidParameters) {
    EXPECT_EQ(readWholeStream(nullptr).error().status, InvalidParameter);
    EXPECT_EQ(writeToStream(nullptr, kFive).error().status, InvalidParameter);
}

TEST(StreamRef, HoldsExactlyOneReferencePerHolder) {
    FakeStream fake;
    {
        StreamRef first(fake.stream());
        EXPECT_EQ(fake.references, 2u);
        StreamRef copy = first;
        EXPECT_EQ(fake.references, 3u);
        StreamRef moved = std::move(copy);
        EXPECT_EQ(fake.references, 3u);
        EXPECT_EQ(copy.get(), nullptr);
        moved.reset();
        moved.reset();
        EXPECT_EQ(fake.references, 2u);
    }
    EXPECT_EQ(fake.references, 1u);
}

} // namespace
} // namespace vellumark::gdiplus
