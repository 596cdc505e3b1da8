// The names of the functions the public header declares: every line that
// starts with GDIPAPI names its function right before the first '('.
#pragma once

#include <fstream>
#include <set>
#include <string>

namespace vellumark::gdiplus::testing {

inline std::set<std::string> headerFunctions(const std::string& headerPath) {
    std::ifstream file(headerPath);
    std::set<std::string> names;
    const std::string prefix = "GDIPAPI ";
    for (std::string line; std::getline(file, line);) {
        const std::size_t paren = line.find('(');
        if (line.rfind(prefix, 0) != 0 || paren == std::string::npos) {
            continue;
        }
        const std::size_t start = line.find_last_of(" *", paren) + 1;
        names.insert(line.substr(start, paren - start));
    }
    return names;
}

} // namespace vellumark::gdiplus::testing
