#include "platform/binding/call_spy.h"

#include <cstdio>
#include <cstdlib>

namespace vellumark::binding {
namespace {

CallSpy* activeSpy = nullptr;

template <std::size_t... Index> void ForEachFunction(auto&& visit, std::index_sequence<Index...>) {
    (visit.template operator()<static_cast<FlatFunction>(Index)>(), ...);
}

void ForEachFunction(auto&& visit) {
    ForEachFunction(visit, std::make_index_sequence<kFlatFunctionCount>{});
}

} // namespace

CallSpy::CallSpy() {
    if (activeSpy != nullptr) {
        std::fputs("CallSpy: only one spy may be active at a time\n", stderr);
        std::abort();
    }
    activeSpy = this;
    ForEachFunction([]<FlatFunction F>() {
        spy_detail::forwardTo<F> = tableEntry<F>;
        tableEntry<F> = &spy_detail::Recorder<F>::Call;
    });
}

CallSpy::~CallSpy() {
    // Entries the spy resolved stay resolved, so later calls skip the lookup.
    ForEachFunction([]<FlatFunction F>() { tableEntry<F> = spy_detail::forwardTo<F>; });
    activeSpy = nullptr;
}

std::vector<std::string_view> CallSpy::Names() const {
    std::vector<std::string_view> names;
    names.reserve(calls_.size());
    for (const RecordedCall& call : calls_) {
        names.push_back(call.Name());
    }
    return names;
}

void CallSpy::Record(RecordedCall call) {
    if (activeSpy == nullptr) {
        return;
    }
    activeSpy->calls_.push_back(std::move(call));
    if (activeSpy->observer_) {
        activeSpy->observer_(activeSpy->calls_.back());
    }
}

} // namespace vellumark::binding
