// Start-up, shut-down, tokens and caller-owned memory.
#include "gdiplus/gdiplus.h"
#include "support/started_library.h"

#include <cstring>
#include <gtest/gtest.h>

namespace vellumark::gdiplus::testing {
namespace {

GpStatus startWith(UINT version, ULONG_PTR& token) {
    GdiplusStartupInput input{version, nullptr, 0, 0};
    token = 12345;
    return GdiplusStartup(&token, &input, nullptr);
}

bool libraryIsUp() {
    GpMatrix probe = 0;
    if (GdipCreateMatrix(&probe) != Ok) {
        return false;
    }
    return GdipDeleteMatrix(probe) == Ok;
}

TEST(Startup, AcceptsVersionsOneAndTwoOnly) {
    struct Case {
        UINT version;
        GpStatus expected;
    };
    for (const Case c : {Case{1, Ok}, Case{2, Ok}, Case{0, UnsupportedGdiplusVersion},
                         Case{3, UnsupportedGdiplusVersion}}) {
        ULONG_PTR token = 0;
        EXPECT_EQ(startWith(c.version, token), c.expected) << "version " << c.version;
        if (c.expected == Ok) {
            EXPECT_NE(token, 0u);
            GdiplusShutdown(token);
        } else {
            EXPECT_EQ(token, 0u) << "a failed start hands out no token";
        }
        EXPECT_FALSE(libraryIsUp());
    }
}

TEST(Startup, RejectsMissingArguments) {
    GdiplusStartupInput input{1, nullptr, 0, 0};
    ULONG_PTR token = 0;
    EXPECT_EQ(GdiplusStartup(nullptr, &input, nullptr), InvalidParameter);
    EXPECT_EQ(GdiplusStartup(&token, nullptr, nullptr), InvalidParameter);
    input.SuppressBackgroundThread = 1;
    EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), InvalidParameter)
        << "suppressing the background thread needs the output for the hooks";
    EXPECT_FALSE(libraryIsUp());
}

TEST(Startup, SuppressedBackgroundThreadGetsWorkingHooks) {
    GdiplusStartupInput input{1, nullptr, 1, 0};
    GdiplusStartupOutput output{};
    ULONG_PTR token = 0;
    ASSERT_EQ(GdiplusStartup(&token, &input, &output), Ok);
    ASSERT_NE(output.NotificationHook, nullptr);
    ASSERT_NE(output.NotificationUnhook, nullptr);
    ULONG_PTR hookToken = 0;
    EXPECT_EQ(output.NotificationHook(&hookToken), Ok);
    EXPECT_NE(hookToken, 0u);
    output.NotificationUnhook(hookToken);
    GdiplusShutdown(token);
}

TEST(Startup, StartsAreCountedByToken) {
    const ULONG_PTR first = startLibrary();
    const ULONG_PTR second = startLibrary(2);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);

    GpMatrix survivor = 0;
    ASSERT_EQ(GdipCreateMatrix(&survivor), Ok);

    GdiplusShutdown(0);
    GdiplusShutdown(second + first + 1000); // never handed out
    GdiplusShutdown(first);
    GdiplusShutdown(first); // already ended: must not end the second start
    BOOL identity = 0;
    EXPECT_EQ(GdipIsMatrixIdentity(survivor, &identity), Ok) << "one start is still active";

    GdiplusShutdown(second);
    EXPECT_EQ(GdipIsMatrixIdentity(survivor, &identity), GdiplusNotInitialized);
    EXPECT_FALSE(libraryIsUp());
}

TEST(Startup, LastShutdownReclaimsObjectsAndTheirHandlesGoStale) {
    ULONG_PTR token = startLibrary();
    GpMatrix matrix = 0;
    GpSolidFill brush = 0;
    ASSERT_EQ(GdipCreateMatrix(&matrix), Ok);
    ASSERT_EQ(GdipCreateSolidFill(0xFF00FF00, &brush), Ok);
    GdiplusShutdown(token);

    token = startLibrary();
    BOOL identity = 0;
    ARGB color = 0;
    EXPECT_EQ(GdipIsMatrixIdentity(matrix, &identity), InvalidParameter);
    EXPECT_EQ(GdipGetSolidFillColor(brush, &color), InvalidParameter);
    EXPECT_EQ(GdipDeleteMatrix(matrix), InvalidParameter);
    GdiplusShutdown(token);
}

TEST(Startup, TokensAreNotReused) {
    const ULONG_PTR first = startLibrary();
    GdiplusShutdown(first);
    const ULONG_PTR second = startLibrary();
    EXPECT_NE(first, second);
    GdiplusShutdown(first); // stale token: the second start stays up
    EXPECT_TRUE(libraryIsUp());
    GdiplusShutdown(second);
}

TEST(GdipAlloc, NeedsAStartedLibrary) {
    EXPECT_EQ(GdipAlloc(16), nullptr);
}

class GdipAllocStarted : public StartedLibrary {};

TEST_F(GdipAllocStarted, HandsOutWritableBlocksThatGdipFreeReleases) {
    void* block = GdipAlloc(64);
    ASSERT_NE(block, nullptr);
    std::memset(block, 0xAB, 64);
    GdipFree(block);
}

TEST_F(GdipAllocStarted, RefusesEmptyAndOversizedRequests) {
    EXPECT_EQ(GdipAlloc(0), nullptr);
    EXPECT_EQ(GdipAlloc(SIZE_MAX), nullptr);
    EXPECT_EQ(GdipAlloc(SIZE_MAX / 2), nullptr);
}

TEST_F(GdipAllocStarted, IgnoresPointersItDidNotHandOut) {
    int local = 7;
    GdipFree(nullptr);
    GdipFree(&local);
    void* block = GdipAlloc(8);
    ASSERT_NE(block, nullptr);
    GdipFree(block);
    GdipFree(block); // a second free of the same block is ignored, not a double free
    EXPECT_EQ(local, 7);
}

TEST_F(GdipAllocStarted, BlocksOutliveTheShutDown) {
    void* block = GdipAlloc(32);
    ASSERT_NE(block, nullptr);
    GdiplusShutdown(token_);
    std::memset(block, 0, 32);
    GdipFree(block);
    token_ = startLibrary();
}

} // namespace
} // namespace vellumark::gdiplus::testing
