// The late binding of the flat imaging API. Every function listed in
// gdiplus_functions.def is reached as binding::<name>(...), with the same
// parameters as in gdiplus.h. Its address is looked up by name in the library
// file at its first call and kept in the function's table entry afterwards.
// A library file or function that cannot be found ends the process with a
// message naming both: it is a broken installation, never a matter of input.
//
// Call the flat API only through this namespace: the global declarations in
// gdiplus.h bypass the table, so a test spy (call_spy.h) cannot see them.
#pragma once

#include <cstddef>
#include <gdiplus/gdi.h>
#include <gdiplus/gdiplus.h>
#include <string_view>

namespace vellumark::binding {

enum class FlatFunction : std::size_t {
#define VELLUMARK_FLAT_FUNCTION(name, result, parameters) name,
#include "platform/binding/gdiplus_functions.def"
#undef VELLUMARK_FLAT_FUNCTION
};

inline constexpr std::size_t kFlatFunctionCount = 0
#define VELLUMARK_FLAT_FUNCTION(name, result, parameters) +1
#include "platform/binding/gdiplus_functions.def"
#undef VELLUMARK_FLAT_FUNCTION
    ;

// The function type of each listed function, e.g. GpStatus(GpBrush).
template <FlatFunction F> struct FlatSignature;
#define VELLUMARK_FLAT_FUNCTION(name, result, parameters)                                          \
    template <> struct FlatSignature<FlatFunction::name> { using Type = result parameters; };
#include "platform/binding/gdiplus_functions.def"
#undef VELLUMARK_FLAT_FUNCTION

template <FlatFunction F> using FlatPointer = typename FlatSignature<F>::Type*;

// The exported name of a listed function, e.g. "GdipDeleteBrush".
std::string_view FlatFunctionName(FlatFunction function);

// The file name the flat API is loaded from (the library's soname).
const char* LibraryFile();

// The address of `name` in the library `file`, loading the file if needed.
// Prints "<file>: missing function <name>" to stderr and ends the process
// when the file cannot be loaded or does not export the name.
void* ResolveOrDie(const char* file, const char* name);

// The function's table entry: null until its first call resolves it. Tests
// may put another function of the same type here (see CallSpy).
template <FlatFunction F> inline FlatPointer<F> tableEntry = nullptr;

// The library's own address of F, looked up without touching the table.
template <FlatFunction F> FlatPointer<F> ResolveFromLibrary() {
    const auto name = FlatFunctionName(F);
    return reinterpret_cast<FlatPointer<F>>(ResolveOrDie(LibraryFile(), name.data()));
}

template <FlatFunction F, typename Signature = typename FlatSignature<F>::Type> struct LateBound;

template <FlatFunction F, typename Result, typename... Parameters>
struct LateBound<F, Result(Parameters...)> {
    static Result Call(Parameters... arguments) {
        if (tableEntry<F> == nullptr) {
            tableEntry<F> = ResolveFromLibrary<F>();
        }
        return tableEntry<F>(arguments...);
    }
};

// binding::GdipDeleteBrush and friends: callables with the header's types.
#define VELLUMARK_FLAT_FUNCTION(name, result, parameters)                                          \
    inline constexpr FlatPointer<FlatFunction::name> name = &LateBound<FlatFunction::name>::Call;
#include "platform/binding/gdiplus_functions.def"
#undef VELLUMARK_FLAT_FUNCTION

} // namespace vellumark::binding
