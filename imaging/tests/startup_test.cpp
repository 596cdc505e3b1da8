#include "imaging/last_status.h"
#include "imaging/startup.h"
#include "platform/binding/call_spy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using binding::FlatFunction;
using binding::RecordedCall;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ImagingStartupTest : public ::testing::Test {
protected:
    void SetUp() override { StartupToken = 0; }
    void TearDown() override {
        // Whatever a test left started ends here, outside any spy.
        for (const ULONG_PTR token : started_) {
            ImagingShutdown(token);
        }
        StartupToken = 0;
    }
    ULONG_PTR Start(std::optional<std::uint32_t> version = std::nullopt) {
        const ULONG_PTR token = ImagingStartup(version);
        if (token != 0) {
            started_.push_back(token);
        }
        return token;
    }
    void Forget(ULONG_PTR token) { std::erase(started_, token); }

    CallSpy spy_;

private:
    std::vector<ULONG_PTR> started_;
};

TEST_F(ImagingStartupTest, PassesVersionOneUnlessGivenAnother) {
    struct Case {
        std::optional<std::uint32_t> given;
        UINT passed;
    };
    for (const Case& c : {Case{std::nullopt, 1}, Case{2, 2}}) {
        GdiplusStartupInput seen{};
        const void* output = &seen;
        spy_.OnCall([&](const RecordedCall& call) {
            if (call.function == FlatFunction::GdiplusStartup) {
                seen = *static_cast<const GdiplusStartupInput*>(call.Pointer(1));
                output = call.Pointer(2);
            }
        });
        const ULONG_PTR token = Start(c.given);

        EXPECT_NE(token, 0u);
        EXPECT_EQ(StartupToken, token);
        EXPECT_EQ(seen.GdiplusVersion, c.passed);
        EXPECT_EQ(seen.DebugEventCallback, nullptr);
        EXPECT_EQ(seen.SuppressBackgroundThread, 0);
        EXPECT_EQ(seen.SuppressExternalCodecs, 0);
        EXPECT_EQ(output, nullptr) << "no start-up output is asked for";
        spy_.OnCall(nullptr);
    }
}

TEST_F(ImagingStartupTest, FailedStartLeavesNoTokenAndLastStatusAlone) {
    Start();
    LastStatus = WrongState;
    EXPECT_EQ(Start(99), 0u);
    EXPECT_EQ(StartupToken, 0u) << "the failed start overwrites the earlier token";
    EXPECT_EQ(LastStatus, WrongState);

    spy_.Clear();
    ImagingShutdown();
    EXPECT_THAT(spy_.Calls(), IsEmpty());
}

TEST_F(ImagingStartupTest, ExplicitTokenLeavesStartupTokenAlone) {
    const ULONG_PTR first = Start();
    const ULONG_PTR second = Start();
    ASSERT_EQ(StartupToken, second);
    spy_.Clear();

    ImagingShutdown(first);
    Forget(first);
    EXPECT_EQ(StartupToken, second);
    ASSERT_THAT(spy_.Names(), ElementsAre("GdiplusShutdown"));
    EXPECT_EQ(static_cast<ULONG_PTR>(spy_.Calls()[0].Integer(0)), first);

    spy_.Clear();
    ImagingShutdown(0);
    EXPECT_THAT(spy_.Calls(), IsEmpty()) << "a zero token makes no call";
    EXPECT_EQ(StartupToken, second);
}

TEST_F(ImagingStartupTest, TokenlessShutdownEndsTheLatestStartOnce) {
    const ULONG_PTR token = Start();
    spy_.Clear();

    ImagingShutdown();
    Forget(token);
    EXPECT_EQ(StartupToken, 0u);
    ImagingShutdown();

    ASSERT_THAT(spy_.Names(), ElementsAre("GdiplusShutdown"));
    EXPECT_EQ(static_cast<ULONG_PTR>(spy_.Calls()[0].Integer(0)), token);
}

} // namespace
} // namespace vellumark::imaging
