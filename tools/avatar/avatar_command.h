// The command-line front of a bytes-to-PNG avatar maker:
//
//   PROGRAM [--time N] INPUT OUTPUT.png
//
// reads INPUT whole, makes the avatar and writes it to OUTPUT.png. With
// --time N the work runs N times in this process on the same bytes, each run
// timed on the steady clock and in process CPU time (all threads), and the
// last line printed to standard output is the wall-clock median in
// milliseconds, as a bare number, for scripts to read; the line before it
// also gives the CPU median.
//
// Exit status: 0 when the PNG was written, 1 when the input cannot be read,
// no avatar came out of it or the output cannot be written (nothing is
// written then), 2 for a wrong command line.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vellumark::tools {

using AvatarMaker = std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t>&)>;

struct AvatarCommandLine {
    std::string input;
    std::string output;
    int repetitions = 1;
    bool timed = false;
};

// The upper bound of --time keeps a typo from running for hours.
inline constexpr int kMaxRepetitions = 100000;

// nullopt for a wrong command line. `args` excludes the program's name.
std::optional<AvatarCommandLine> ParseAvatarCommandLine(std::span<const std::string_view> args);

// The median of the samples (the mean of the middle two for an even count);
// 0 for none.
double MedianMilliseconds(std::vector<double> samples);

// The whole command: parses argv, runs `make` and reports on stdout/stderr.
int RunAvatarCommand(int argc, const char* const* argv, const AvatarMaker& make);

} // namespace vellumark::tools
