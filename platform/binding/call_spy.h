// A recording spy for tests: while a CallSpy lives, every flat function is
// reached through a recorder that notes the function and its arguments and
// then forwards the call to the library. A test can then state that an
// operation made exactly these flat calls, or none at all.
//
// Pointer arguments are recorded as addresses; what they point to is only
// valid during the call, so a test that needs it reads it in an OnCall
// observer, which runs before the call is forwarded.
#pragma once

#include "platform/binding/flat_api.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace vellumark::binding {

// Integers and enumerations widen to int64, floats to double, every pointer
// (functions included) becomes its address.
using RecordedArgument = std::variant<std::int64_t, double, const void*>;

struct RecordedCall {
    FlatFunction function;
    std::vector<RecordedArgument> arguments;

    std::string_view Name() const { return FlatFunctionName(function); }
    std::int64_t Integer(std::size_t index) const {
        return std::get<std::int64_t>(arguments.at(index));
    }
    double Real(std::size_t index) const { return std::get<double>(arguments.at(index)); }
    const void* Pointer(std::size_t index) const {
        return std::get<const void*>(arguments.at(index));
    }
};

class CallSpy {
public:
    // Puts a recorder in front of every table entry. One spy at a time.
    CallSpy();
    // Puts the previous table entries back.
    ~CallSpy();
    CallSpy(const CallSpy&) = delete;
    CallSpy& operator=(const CallSpy&) = delete;

    const std::vector<RecordedCall>& Calls() const { return calls_; }
    // The names of the recorded calls, in call order.
    std::vector<std::string_view> Names() const;
    void Clear() { calls_.clear(); }
    // Runs for every call after it is recorded and before it is forwarded.
    void OnCall(std::function<void(const RecordedCall&)> observer) {
        observer_ = std::move(observer);
    }

    // Used by the recorders.
    static void Record(RecordedCall call);

private:
    std::vector<RecordedCall> calls_;
    std::function<void(const RecordedCall&)> observer_;
};

namespace spy_detail {

template <typename T> RecordedArgument Recorded(T value) {
    if constexpr (std::is_pointer_v<T> && std::is_function_v<std::remove_pointer_t<T>>) {
        return reinterpret_cast<const void*>(value);
    } else if constexpr (std::is_pointer_v<T>) {
        return static_cast<const void*>(value);
    } else if constexpr (std::is_floating_point_v<T>) {
        return static_cast<double>(value);
    } else {
        static_assert(std::is_integral_v<T> || std::is_enum_v<T>,
                      "add a recording for this parameter type");
        return static_cast<std::int64_t>(value);
    }
}

// What the spy forwards to: the entry it replaced, or the library's own
// function when that entry had not been resolved yet.
template <FlatFunction F> inline FlatPointer<F> forwardTo = nullptr;

template <FlatFunction F, typename Signature = typename FlatSignature<F>::Type> struct Recorder;

template <FlatFunction F, typename Result, typename... Parameters>
struct Recorder<F, Result(Parameters...)> {
    static Result Call(Parameters... arguments) {
        CallSpy::Record(RecordedCall{F, {Recorded(arguments)...}});
        if (forwardTo<F> == nullptr) {
            forwardTo<F> = ResolveFromLibrary<F>();
        }
        return forwardTo<F>(arguments...);
    }
};

} // namespace spy_detail
} // namespace vellumark::binding
