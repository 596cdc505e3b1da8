// What the last shut-down leaves behind: no live objects.
#include "core/runtime.h"
#include "gdiplus/gdiplus.h"

#include <gtest/gtest.h>

namespace vellumark::gdiplus {
namespace {

TEST(Runtime, LastShutdownLeavesNoLiveObjects) {
    GdiplusStartupInput input{1, nullptr, 0, 0};
    ULONG_PTR first = 0;
    ULONG_PTR second = 0;
    ASSERT_EQ(GdiplusStartup(&first, &input, nullptr), Ok);
    ASSERT_EQ(GdiplusStartup(&second, &input, nullptr), Ok);
    GpMatrix matrix = 0;
    GpSolidFill brush = 0;
    ASSERT_EQ(GdipCreateMatrix(&matrix), Ok);
    ASSERT_EQ(GdipCreateSolidFill(0xFFFFFFFF, &brush), Ok);

    GdiplusShutdown(first);
    EXPECT_EQ(Runtime::instance().objects().liveCount(), 2u);
    GdiplusShutdown(second);
    EXPECT_EQ(Runtime::instance().objects().liveCount(), 0u);
}

} // namespace
} // namespace vellumark::gdiplus
