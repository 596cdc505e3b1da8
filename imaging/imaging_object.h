// ImagingObject: the base of the wrapper classes over native imaging objects
// (Image, Bitmap, Graphics, TextureBrush, Region).
//
// Every class starts its virtual operations with the nine below, in this
// order, and a derived class keeps its base's order. A native handle reaches
// an object only through SetHandle, which cascades down the class levels:
//
//   SetHandle(h)        stores h in the base's handle, then SetNativeHandle(h)
//   SetNativeHandle(h)  a class level stores h in its own handle field and,
//                       where the class has a derived level, calls
//                       SetDerivedHandle(h) (Region stops here)
//   SetDerivedHandle(h) the derived level stores h (TextureBrush's texture
//                       handle, Bitmap's bitmap handle); nothing by default
//
// so after every operation all handle fields of one object hold one value,
// and SetHandle(0) clears them all. A creating operation lets the library
// write into its level's field and passes that value to SetHandle at once.
// Creating into an object that already holds a handle does not release it:
// callers release first.
//
// A class that owns member objects (Image's source MemoryStream) overrides
// Destroy: ImagingObject::Destroy(), then each member's Destroy().
// Each concrete class calls Destroy() from its destructor, so a native object
// still held when the wrapper goes away is released (Destroy after an
// explicit release makes no call).
#pragma once

#include <cstdint>
#include <gdiplus/gdiplus.h>
#include <memory>

namespace vellumark::imaging {

class ImagingObject {
public:
    ImagingObject() = default;
    virtual ~ImagingObject() = default;
    // A copy would share the native handle, and both would release it.
    ImagingObject(const ImagingObject&) = delete;
    ImagingObject& operator=(const ImagingObject&) = delete;

    // Runs the class's release operation (nothing when no handle is held),
    // then destroys the owned member objects of classes that have them.
    virtual void Destroy();
    // Refused: always null. Nothing copies a wrapper object, and a copy would
    // release the same native object twice.
    virtual std::unique_ptr<ImagingObject> Copy() const;
    virtual GpHandle GetHandle() const;
    virtual void SetHandle(GpHandle handle);
    virtual void SetNativeHandle(GpHandle handle) = 0;
    // Memory from the library's allocator (GdipAlloc / GdipFree); null when
    // the library has none to give. Neither touches LastStatus.
    virtual void* Alloc(std::uint32_t size);
    virtual void Free(void* pointer);
    virtual void SetDerivedHandle(GpHandle handle);
    // The class's release operation (DisposeImage, DeleteGraphics,
    // DeleteBrush, DeleteRegion). False without a call when nothing is held.
    virtual bool ReleaseNative() = 0;

protected:
    // The release operations' shared shape: false without a call when
    // `held` is 0; otherwise `release(held)`, its status in LastStatus, the
    // handles cleared, and true when the status is Ok.
    bool ReleaseWith(GpHandle held, GpStatus (*release)(GpHandle));

private:
    GpHandle handle_ = 0;
};

} // namespace vellumark::imaging
