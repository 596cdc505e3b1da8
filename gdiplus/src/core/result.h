// The engine's return type: a value or an Error carrying the status the flat
// API will report. GCC 12 ships no std::expected, so this is a small stand-in
// with the parts the engine uses.
#pragma once

#include "gdiplus/gdiplus.h"

#include <type_traits>
#include <utility>
#include <variant>

namespace vellumark::gdiplus {

// A status plus a short literal saying what went wrong, for debugging.
struct Error {
    GpStatus status = GenericError;
    const char* why = "";
};

inline Error invalidArgument(const char* why) {
    return Error{InvalidParameter, why};
}

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state_(std::in_place_index<1>, error) {}

    bool hasValue() const { return state_.index() == 0; }
    explicit operator bool() const { return hasValue(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    Error error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(error), failed_(true) {}

    bool hasValue() const { return !failed_; }
    explicit operator bool() const { return hasValue(); }
    Error error() const { return error_; }

private:
    Error error_{Ok, ""};
    bool failed_ = false;
};

inline Result<void> success() {
    return {};
}

} // namespace vellumark::gdiplus
