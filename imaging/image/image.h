// Image: the wrapper over a native image. It loads a picture from a file or
// from Bytes, answers questions about it, clones it, saves it through the
// installed encoders and reaches its palette, frames and metadata.
//
// Conventions of every operation: each flat call's status goes to
// LastStatus; a boolean result is true when the last status is Ok; a query
// returns what the library wrote into a zeroed variable, whatever the status.
// Operations from CloneImage on use only the image handle; an empty Image
// passes handle 0 and the library's status tells why nothing came back.
//
// `source` holds the bytes an image was loaded from: the library may read
// from that stream for as long as the image lives, so it stays open until
// DisposeImage (or Destroy). Loading into a loaded Image does not dispose of
// the old native image: dispose first.
//
// Formats, encoders and frame dimensions are named by GuidText. Optional
// arguments are std::optional or null pointers; the stated default applies
// only when the caller gives nothing.
#pragma once

#include "imaging/guid_text.h"
#include "imaging/image/encoder_parameters.h"
#include "imaging/image/image_property.h"
#include "imaging/image/palette.h"
#include "imaging/imaging_object.h"
#include "imaging/memory_stream.h"
#include "imaging/wide_text.h"
#include "platform/types.h"

#include <cstdint>
#include <gdiplus/gdiplus.h>
#include <optional>
#include <vector>

namespace vellumark::imaging {

inline const GuidText kBmpFormat = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
inline const GuidText kPngFormat = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";

class Image : public ImagingObject {
public:
    Image() = default;
    ~Image() override;

    // Releases the native image, then destroys `source`.
    void Destroy() override;
    // Stores the image handle, then passes it to SetDerivedHandle.
    void SetNativeHandle(GpHandle handle) override;
    bool ReleaseNative() override;

    // Loading and disposal.

    // False without a call (LastStatus untouched) when no image is held;
    // otherwise disposes of it, closes `source` and clears the handles.
    virtual bool DisposeImage();
    // `useIcm` picks the colour-corrected variant of the library's loader.
    virtual bool LoadImageFromFile(const Text& fileName, bool useIcm = false);
    // An empty name is passed as a null string.
    virtual bool LoadImageFromFile(const WideText& fileName, bool useIcm = false);
    // Copies `data` into `source` (closing what it held) and loads from it;
    // the stream stays open also when loading fails.
    virtual bool LoadImageFromStream(const Bytes& data, bool useIcm = false);
    // Hands an independent copy to `target`'s SetHandle (0 when it fails).
    virtual bool CloneImage(ImagingObject& target);

    // Encoders and saving. Every save lists the installed encoders anew and
    // uses the first one for `format`; with none, the library is asked with
    // the all-zero encoder id and fails.

    // Replaces `list` with the parameters the encoder for `format` accepts;
    // false with `list` untouched when either library call fails.
    virtual bool GetEncoderParameterList(const GuidText& format, EncoderParameterList& list);
    // Without a format, BMP.
    virtual bool SaveImageToFile(const Text& fileName, const std::optional<GuidText>& format = {},
                                 const EncoderParameterList* parameters = nullptr);
    virtual bool SaveImageToFile(const WideText& fileName,
                                 const std::optional<GuidText>& format = {},
                                 const EncoderParameterList* parameters = nullptr);
    // The encoded file, whatever the status: empty when the save failed
    // before writing. Without a format, the image's own raw format.
    virtual Bytes SaveImageToStream(const std::optional<GuidText>& format = {},
                                    const EncoderParameterList* parameters = nullptr);
    // Continue a multi-frame save begun with the library's multi-frame flag.
    virtual bool SaveAdd(const EncoderParameterList& parameters);
    virtual bool SaveAddImage(const ImagingObject& image, const EncoderParameterList& parameters);

    // Queries.

    virtual std::int32_t GetImageType();
    virtual GpSizeF GetImageDimension();
    // Fills `rect` (and `unit` when given) and returns the status itself,
    // 0 for success.
    virtual std::int32_t GetImageBounds(GpRectF& rect, GpImageUnit* unit = nullptr);
    virtual std::uint32_t GetImageWidth();
    virtual std::uint32_t GetImageHeight();
    virtual float GetImageHorizontalResolution();
    virtual float GetImageVerticalResolution();
    virtual std::uint32_t GetImageFlags();
    // The all-zero GUID's text on failure.
    virtual GuidText GetImageRawFormat();
    virtual std::int32_t GetImagePixelFormat();

    // Palette, thumbnail, frames, rotation and metadata.

    // Replaces `palette`; false with it untouched when either call fails.
    virtual bool GetImagePalette(Palette& palette);
    virtual bool SetImagePalette(const Palette& palette);
    // Hands a new width x height image to `target`'s SetHandle (0 when it
    // fails).
    virtual bool GetImageThumbnail(std::int32_t width, std::int32_t height, ImagingObject& target);
    // 0 on failure.
    virtual std::uint32_t ImageGetFrameCount(const GuidText& dimension);
    // Replaces `dimensions` and returns their number; 0 with the list
    // untouched when the library cannot count them.
    virtual std::uint32_t ImageGetFrameDimensionsList(std::vector<GuidText>& dimensions);
    virtual bool ImageSelectActiveFrame(const GuidText& dimension, std::uint32_t index);
    virtual bool ImageRotateFlip(std::int32_t type);
    // One delay per frame from the frame-delay property; false with `delays`
    // untouched when the image has none.
    virtual bool GetFrameDelays(std::vector<std::uint32_t>& delays);
    // Replaces `property`; false with it untouched when the size query fails.
    virtual bool GetPropertyItem(std::uint32_t id, ImageProperty& property);
    virtual bool SetPropertyItem(const ImageProperty& property);
    virtual bool RemovePropertyItem(std::uint32_t id);
    // Replaces `ids` and returns their number; 0 with the list untouched
    // when the library cannot count them.
    virtual std::uint32_t GetPropertyIdList(std::vector<std::uint32_t>& ids);

    GpImage ImageHandle() const { return image_; }
    const MemoryStream& Source() const { return source_; }

protected:
    // The release shape of Image and Bitmap: false without a call when
    // nothing is held; otherwise dispose of `held`, close `stream`, clear
    // the handles.
    bool DisposeHolding(GpHandle held, MemoryStream& stream);

private:
    GpImage image_ = 0;
    MemoryStream source_;
};

} // namespace vellumark::imaging
