// The two shapes in which a wrapper operation receives a new native handle
// from the library.
#pragma once

#include "imaging/imaging_object.h"
#include "imaging/last_status.h"

#include <gdiplus/gdiplus.h>

namespace vellumark::imaging {

// Creating or loading into `object`: the library writes straight into the
// object's own handle field, which then goes to the base's SetHandle at once
// (whatever the status, so every level holds what the library left there).
template <typename Call> bool CreateInto(ImagingObject& object, GpHandle& field, Call&& call) {
    StoreStatus(call(&field));
    object.ImagingObject::SetHandle(field);
    return LastStatus == Ok;
}

// Handing a new object (a clone, a thumbnail) to `target`: the library writes
// into a local that starts at 0, and the target's own SetHandle takes it in
// every case. Whatever the target held before is replaced, not released.
template <typename Call> bool HandTo(ImagingObject& target, Call&& call) {
    GpHandle made = 0;
    StoreStatus(call(&made));
    target.SetHandle(made);
    return LastStatus == Ok;
}

} // namespace vellumark::imaging
