#include "tools/avatar/avatar_command.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace vellumark::tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<AvatarCommandLine> Parse(std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> list(args);
    return ParseAvatarCommandLine(list);
}

TEST(AvatarCommandLine, AcceptsPathsWithTheTimeOptionAnywhere) {
    const auto plain = Parse({"in.jpg", "out.png"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->input, "in.jpg");
    EXPECT_EQ(plain->output, "out.png");
    EXPECT_FALSE(plain->timed);
    EXPECT_EQ(plain->repetitions, 1);

    for (const auto& line : {Parse({"--time", "25", "in.jpg", "out.png"}),
                             Parse({"in.jpg", "--time", "25", "out.png"}),
                             Parse({"in.jpg", "out.png", "--time", "25"})}) {
        ASSERT_TRUE(line);
        EXPECT_EQ(line->input, "in.jpg");
        EXPECT_EQ(line->output, "out.png");
        EXPECT_TRUE(line->timed);
        EXPECT_EQ(line->repetitions, 25);
    }
}

TEST(AvatarCommandLine, RejectsWrongLines) {
    const std::vector<std::vector<std::string_view>> wrong{
        {},
        {"in.jpg"},
        {"in.jpg", "out.png", "extra"},
        {"", "out.png"},
        {"--time", "0", "in.jpg", "out.png"},
        {"--time", "-3", "in.jpg", "out.png"},
        {"--time", "5x", "in.jpg", "out.png"},
        {"--time", "", "in.jpg", "out.png"},
        {"--time", "100001", "in.jpg", "out.png"},
        {"--time", "99999999999", "in.jpg", "out.png"},
        {"in.jpg", "out.png", "--time"},
        {"--time", "2", "--time", "3", "in.jpg", "out.png"},
        {"--fast", "in.jpg", "out.png"},
    };
    for (const auto& args : wrong) {
        std::string shown;
        for (const auto arg : args) {
            shown += "[" + std::string(arg) + "]";
        }
        EXPECT_FALSE(ParseAvatarCommandLine(args)) << shown;
    }
}

TEST(MedianMilliseconds, TakesTheMiddleOrTheMeanOfTheMiddleTwo) {
    EXPECT_EQ(MedianMilliseconds({}), 0);
    EXPECT_EQ(MedianMilliseconds({7}), 7);
    EXPECT_EQ(MedianMilliseconds({9, 1, 5}), 5);
    EXPECT_EQ(MedianMilliseconds({8, 1, 4, 2}), 3);
    EXPECT_EQ(MedianMilliseconds({100, 1, 2, 3, 50}), 3);
}

class AvatarCommandRun : public testing::Test {
protected:
    void SetUp() override {
        directory_ =
            std::filesystem::temp_directory_path() /
            ("avatar_command_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory_);
        input_ = (directory_ / "in.bin").string();
        output_ = (directory_ / "out.png").string();
        std::ofstream(input_, std::ios::binary) << "picture";
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    int Run(std::vector<std::string> args, const AvatarMaker& make) {
        args.insert(args.begin(), "vellumark-avatar");
        std::vector<const char*> argv;
        for (const auto& arg : args) {
            argv.push_back(arg.c_str());
        }
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = RunAvatarCommand(static_cast<int>(argv.size()), argv.data(), make);
        stdout_ = testing::internal::GetCapturedStdout();
        stderr_ = testing::internal::GetCapturedStderr();
        return status;
    }

    static Bytes Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    std::filesystem::path directory_;
    std::string input_;
    std::string output_;
    std::string stdout_;
    std::string stderr_;
};

TEST_F(AvatarCommandRun, WritesWhatTheMakerMadeFromTheInputBytes) {
    Bytes seen;
    const int status = Run({input_, output_}, [&](const Bytes& input) {
        seen = input;
        return Bytes{'P', 'N', 'G', static_cast<std::uint8_t>(input.size())};
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(seen, (Bytes{'p', 'i', 'c', 't', 'u', 'r', 'e'}));
    EXPECT_EQ(Read(output_), (Bytes{'P', 'N', 'G', 7}));
    EXPECT_EQ(stdout_, "");
}

TEST_F(AvatarCommandRun, TimedRunRepeatsAndEndsWithTheMedian) {
    int calls = 0;
    const int status = Run({"--time", "5", input_, output_}, [&](const Bytes& input) {
        ++calls;
        return input;
    });
    ASSERT_EQ(status, 0);
    EXPECT_EQ(calls, 5);
    std::istringstream lines(stdout_);
    std::string line;
    std::string last;
    while (std::getline(lines, line)) {
        last = line;
    }
    std::size_t parsed = 0;
    const double median = std::stod(last, &parsed);
    EXPECT_EQ(parsed, last.size()) << last;
    EXPECT_GE(median, 0);
}

TEST_F(AvatarCommandRun, FailuresWriteNothing) {
    const AvatarMaker nothing = [](const Bytes&) { return Bytes(); };
    const AvatarMaker echo = [](const Bytes& input) { return input; };
    EXPECT_EQ(Run({input_, output_}, nothing), 1);
    EXPECT_NE(stderr_.find("no avatar"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output_));

    EXPECT_EQ(Run({(directory_ / "missing.jpg").string(), output_}, echo), 1);
    EXPECT_FALSE(std::filesystem::exists(output_));

    EXPECT_EQ(Run({input_, (directory_ / "no-such-dir" / "out.png").string()}, echo), 1);
    EXPECT_EQ(Run({input_}, echo), 2);
    EXPECT_NE(stderr_.find("usage"), std::string::npos);
}

} // namespace
} // namespace vellumark::tools
