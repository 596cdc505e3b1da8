#include "imaging/imaging_object.h"

#include "imaging/last_status.h"
#include "platform/binding/flat_api.h"

namespace vellumark::imaging {

void ImagingObject::Destroy() {
    ReleaseNative();
}

std::unique_ptr<ImagingObject> ImagingObject::Copy() const {
    return nullptr;
}

GpHandle ImagingObject::GetHandle() const {
    return handle_;
}

void ImagingObject::SetHandle(GpHandle handle) {
    handle_ = handle;
    SetNativeHandle(handle);
}

void* ImagingObject::Alloc(std::uint32_t size) {
    return binding::GdipAlloc(size);
}

void ImagingObject::Free(void* pointer) {
    binding::GdipFree(pointer);
}

void ImagingObject::SetDerivedHandle(GpHandle) {}

bool ImagingObject::ReleaseWith(GpHandle held, GpStatus (*release)(GpHandle)) {
    if (held == 0) {
        return false;
    }
    const bool released = StoreStatus(release(held));
    ImagingObject::SetHandle(0);
    return released;
}

} // namespace vellumark::imaging
