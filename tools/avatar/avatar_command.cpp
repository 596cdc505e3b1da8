#include "tools/avatar/avatar_command.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>

namespace vellumark::tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

// CPU time of the whole process, every thread included, in milliseconds:
// on a loaded machine it varies far less than the wall clock.
double ProcessCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::optional<Bytes> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::optional<int> ParseRepetitions(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > kMaxRepetitions) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<AvatarCommandLine> ParseAvatarCommandLine(std::span<const std::string_view> args) {
    AvatarCommandLine line;
    std::vector<std::string_view> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--time") {
            if (line.timed || i + 1 == args.size()) {
                return std::nullopt;
            }
            const std::optional<int> repetitions = ParseRepetitions(args[++i]);
            if (!repetitions) {
                return std::nullopt;
            }
            line.repetitions = *repetitions;
            line.timed = true;
        } else if (args[i].starts_with("--")) {
            return std::nullopt;
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.size() != 2 || paths[0].empty() || paths[1].empty()) {
        return std::nullopt;
    }
    line.input = std::string(paths[0]);
    line.output = std::string(paths[1]);
    return line;
}

double MedianMilliseconds(std::vector<double> samples) {
    if (samples.empty()) {
        return 0;
    }
    const std::size_t middle = samples.size() / 2;
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(middle),
                     samples.end());
    const double upper = samples[middle];
    if (samples.size() % 2 == 1) {
        return upper;
    }
    const double lower =
        *std::max_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2;
}

int RunAvatarCommand(int argc, const char* const* argv, const AvatarMaker& make) {
    const char* program = argc > 0 ? argv[0] : "avatar";
    const std::vector<std::string_view> args(argv + std::min(argc, 1), argv + std::max(argc, 0));
    const std::optional<AvatarCommandLine> line = ParseAvatarCommandLine(args);
    if (!line) {
        std::fprintf(stderr, "usage: %s [--time N] INPUT OUTPUT.png\n", program);
        return 2;
    }
    const std::optional<Bytes> input = ReadFile(line->input);
    if (!input) {
        std::fprintf(stderr, "%s: cannot read %s\n", program, line->input.c_str());
        return 1;
    }

    Bytes png;
    std::vector<double> samples;
    std::vector<double> cpuSamples;
    samples.reserve(static_cast<std::size_t>(line->repetitions));
    cpuSamples.reserve(static_cast<std::size_t>(line->repetitions));
    for (int run = 0; run < line->repetitions; ++run) {
        const double cpuStart = ProcessCpuMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        png = make(*input);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        samples.push_back(took.count());
        cpuSamples.push_back(ProcessCpuMilliseconds() - cpuStart);
    }
    if (png.empty()) {
        std::fprintf(stderr, "%s: no avatar could be made from %s\n", program, line->input.c_str());
        return 1;
    }
    if (!WriteFile(line->output, png)) {
        std::fprintf(stderr, "%s: cannot write %s\n", program, line->output.c_str());
        return 1;
    }
    if (line->timed) {
        const auto [fastest, slowest] = std::minmax_element(samples.begin(), samples.end());
        std::printf("%d runs, fastest %.3f ms, slowest %.3f ms, process CPU median %.3f ms, "
                    "wall median:\n%.3f\n",
                    line->repetitions, *fastest, *slowest, MedianMilliseconds(cpuSamples),
                    MedianMilliseconds(samples));
    }
    return 0;
}

} // namespace vellumark::tools
