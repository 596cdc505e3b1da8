// vellumark-bench-inputs DIR: writes the benchmark pictures (photo-like
// JPEGs and a PNG with alpha, the same bytes every time) into DIR, one file
// per case, for the comparison script and for trying tools by hand.
#include "bench/photo_inputs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vellumark-bench-inputs DIR\n");
        return 2;
    }
    const std::filesystem::path directory(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    for (const vellumark::bench::BenchInput& input : vellumark::bench::StandardInputs()) {
        const std::filesystem::path path = directory / input.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(input.file.data()),
                  static_cast<std::streamsize>(input.file.size()));
        out.close();
        if (input.file.empty() || out.fail()) {
            std::fprintf(stderr, "vellumark-bench-inputs: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
