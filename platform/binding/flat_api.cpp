#include "platform/binding/flat_api.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <type_traits>

namespace vellumark::binding {
namespace {

// A row whose type differs from the library's declaration would call the
// function with the wrong arguments, so the two must agree exactly.
#define VELLUMARK_FLAT_FUNCTION(name, result, parameters)                                          \
    static_assert(std::is_same_v<decltype(::name), FlatSignature<FlatFunction::name>::Type>,       \
                  "gdiplus_functions.def: " #name " differs from its declaration in gdiplus.h");
#include "platform/binding/gdiplus_functions.def"
#undef VELLUMARK_FLAT_FUNCTION

constexpr std::array<std::string_view, kFlatFunctionCount> kNames = {
#define VELLUMARK_FLAT_FUNCTION(name, result, parameters) #name,
#include "platform/binding/gdiplus_functions.def"
#undef VELLUMARK_FLAT_FUNCTION
};

[[noreturn]] void DieMissing(const char* file, const char* name, const char* reason) {
    std::fprintf(stderr, "%s: missing function %s (%s)\n", file, name,
                 reason != nullptr ? reason : "unknown reason");
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::string_view FlatFunctionName(FlatFunction function) {
    return kNames.at(static_cast<std::size_t>(function));
}

const char* LibraryFile() {
    return VELLUMARK_GDIPLUS_LIBRARY_FILE;
}

void* ResolveOrDie(const char* file, const char* name) {
    // The library stays loaded for the life of the process: table entries
    // keep pointing into it, so the handle is never closed.
    void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        DieMissing(file, name, dlerror());
    }
    dlerror();
    void* address = dlsym(library, name);
    if (address == nullptr) {
        DieMissing(file, name, "no such symbol");
    }
    return address;
}

} // namespace vellumark::binding
