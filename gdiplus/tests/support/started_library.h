// A test fixture whose tests run inside one start of the flat API; whatever a
// test leaves alive is reclaimed by the shut-down in TearDown.
#pragma once

#include "gdiplus/gdiplus.h"

#include <gtest/gtest.h>

namespace vellumark::gdiplus::testing {

inline ULONG_PTR startLibrary(UINT version = 1) {
    GdiplusStartupInput input{version, nullptr, 0, 0};
    ULONG_PTR token = 0;
    EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
    return token;
}

class StartedLibrary : public ::testing::Test {
protected:
    void SetUp() override { token_ = startLibrary(); }
    void TearDown() override { GdiplusShutdown(token_); }

    ULONG_PTR token_ = 0;
};

} // namespace vellumark::gdiplus::testing
