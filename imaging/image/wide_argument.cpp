#include "imaging/image/wide_argument.h"

namespace vellumark::imaging {

WideArgument::WideArgument(const WideText& text) : text_(text) {
    if (text_.empty()) {
        return;
    }
    // An odd byte is dropped, and a missing terminator is supplied.
    text_.resize(text_.size() & ~std::size_t{1});
    const bool terminated =
        text_.size() >= 2 && text_[text_.size() - 1] == 0 && text_[text_.size() - 2] == 0;
    if (!terminated) {
        text_.insert(text_.end(), {0, 0});
    }
}

const WCHAR* WideArgument::get() const {
    return text_.empty() ? nullptr : reinterpret_cast<const WCHAR*>(text_.data());
}

} // namespace vellumark::imaging
