#include "platform/binding/call_spy.h"
#include "platform/binding/flat_api.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

namespace vellumark::binding {
namespace {

using ::testing::ElementsAre;

class BindingDeathTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(BindingDeathTest, MissingFunctionNamesTheFileAndTheFunction) {
    const std::string expected = std::string(LibraryFile()) + ": missing function GdipNoSuchCall";
    EXPECT_EXIT(ResolveOrDie(LibraryFile(), "GdipNoSuchCall"), ::testing::ExitedWithCode(1),
                expected);
}

TEST_F(BindingDeathTest, MissingLibraryNamesTheFileAndTheFunction) {
    EXPECT_EXIT(ResolveOrDie("libvellumark-absent.so.9", "GdiplusStartup"),
                ::testing::ExitedWithCode(1),
                "libvellumark-absent.so.9: missing function GdiplusStartup");
}

TEST(Binding, ResolvesAtTheFirstCallAndKeepsTheAddress) {
    constexpr auto kAlloc = FlatFunction::GdipAlloc;
    // Forget earlier lookups, as in a fresh process.
    tableEntry<kAlloc> = nullptr;
    tableEntry<FlatFunction::GdipFree> = nullptr;

    // Before start-up the library hands out no memory, but the call is real.
    EXPECT_EQ(GdipAlloc(16), nullptr);
    const auto resolved = tableEntry<kAlloc>;
    EXPECT_EQ(resolved, ResolveFromLibrary<kAlloc>());
    EXPECT_EQ(tableEntry<FlatFunction::GdipFree>, nullptr) << "only the called function is bound";

    GdipAlloc(16);
    EXPECT_EQ(tableEntry<kAlloc>, resolved);
}

TEST(Binding, FunctionNamesFollowTheList) {
    EXPECT_EQ(FlatFunctionName(FlatFunction::GdiplusStartup), "GdiplusStartup");
    EXPECT_EQ(FlatFunctionName(FlatFunction::GdipDeleteBrush), "GdipDeleteBrush");
}

// Starts the library for the length of a test, without going through the spy.
class StartedLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        const GdiplusStartupInput input{1, nullptr, 0, 0};
        ASSERT_EQ(GdiplusStartup(&token_, &input, nullptr), Ok);
    }
    void TearDown() override { GdiplusShutdown(token_); }

    ULONG_PTR token_ = 0;
};

TEST_F(StartedLibrary, SpyRecordsEachCallWithItsArgumentsAndForwardsIt) {
    CallSpy spy;
    GpSolidFill brush = 0;
    ASSERT_EQ(GdipCreateSolidFill(0xFF112233u, &brush), Ok);
    ASSERT_NE(brush, 0u) << "the call reached the library";
    GpBrushType type = -1;
    EXPECT_EQ(GdipGetBrushType(brush, &type), Ok);
    EXPECT_EQ(type, BrushTypeSolidColor);
    EXPECT_EQ(GdipDeleteBrush(brush), Ok);

    ASSERT_THAT(spy.Names(),
                ElementsAre("GdipCreateSolidFill", "GdipGetBrushType", "GdipDeleteBrush"));
    const auto& calls = spy.Calls();
    EXPECT_EQ(calls[0].Integer(0), 0xFF112233);
    EXPECT_EQ(calls[0].Pointer(1), &brush);
    EXPECT_EQ(calls[1].Integer(0), brush);
    EXPECT_EQ(calls[1].Pointer(1), &type);
    EXPECT_EQ(calls[2].Integer(0), brush);
}

TEST(Binding, ObserverReadsPointedToDataBeforeTheCallIsForwarded) {
    CallSpy spy;
    UINT versionSeen = 0;
    ULONG_PTR tokenSeen = 99;
    spy.OnCall([&](const RecordedCall& call) {
        if (call.function == FlatFunction::GdiplusStartup) {
            versionSeen = static_cast<const GdiplusStartupInput*>(call.Pointer(1))->GdiplusVersion;
            tokenSeen = *static_cast<const ULONG_PTR*>(call.Pointer(0));
        }
    });
    ULONG_PTR token = 0;
    const GdiplusStartupInput input{2, nullptr, 0, 0};
    ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
    GdiplusShutdown(token);

    EXPECT_EQ(versionSeen, 2u);
    EXPECT_EQ(tokenSeen, 0u) << "the library had not written its token yet";
    EXPECT_NE(token, 0u);
    EXPECT_THAT(spy.Names(), ElementsAre("GdiplusStartup", "GdiplusShutdown"));
    EXPECT_EQ(static_cast<ULONG_PTR>(spy.Calls()[1].Integer(0)), token);
}

TEST_F(StartedLibrary, SpyRestoresTheTableAndRecordsNothingAfterwards) {
    GpSolidFill brush = 0;
    {
        CallSpy spy;
        ASSERT_EQ(GdipCreateSolidFill(0xFF000000u, &brush), Ok);
        EXPECT_EQ(spy.Calls().size(), 1u);
    }
    EXPECT_EQ(tableEntry<FlatFunction::GdipCreateSolidFill>,
              ResolveFromLibrary<FlatFunction::GdipCreateSolidFill>());
    CallSpy later;
    EXPECT_EQ(GdipDeleteBrush(brush), Ok);
    EXPECT_THAT(later.Names(), ElementsAre("GdipDeleteBrush"));
}

} // namespace
} // namespace vellumark::binding
