// A WideText handed to the library as a string: null when empty, and always
// ending in a NUL code unit within our own buffer, so the library's scan for
// the end of the string cannot run past it.
#pragma once

#include "imaging/wide_text.h"

#include <gdiplus/gdiplus.h>

namespace vellumark::imaging {

class WideArgument {
public:
    explicit WideArgument(const WideText& text);
    const WCHAR* get() const;

private:
    WideText text_;
};

} // namespace vellumark::imaging
