// A started imaging library around each test; every wrapper object a test
// makes is destroyed before the shut-down.
#pragma once

#include "imaging/startup.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace vellumark::imaging::test {

class ImagingTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(ImagingStartup(), 0u); }
    void TearDown() override {
        ImagingShutdown();
        std::filesystem::remove_all(scratch_);
    }

    // A path in this test's own scratch folder.
    std::string ScratchFile(const std::string& name) {
        std::filesystem::create_directories(scratch_);
        return (scratch_ / name).string();
    }

private:
    std::filesystem::path scratch_ =
        std::filesystem::temp_directory_path() /
        ("vellumark-imaging-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

} // namespace vellumark::imaging::test
