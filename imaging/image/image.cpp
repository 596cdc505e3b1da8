#include "imaging/image/image.h"

#include "imaging/image/encoder_info.h"
#include "imaging/image/handle_output.h"
#include "imaging/image/wide_argument.h"
#include "imaging/last_status.h"
#include "platform/binding/flat_api.h"

#include <algorithm>
#include <cstring>

namespace vellumark::imaging {
namespace {

// A query on one image: the library fills a zeroed result, which is returned
// whatever the status.
template <typename Result, typename Function> Result Query(GpImage image, Function function) {
    Result result{};
    StoreStatus(function(image, &result));
    return result;
}

GUID GuidOf(const GuidText& text) {
    return GuidFromBytes(TextToGuid(text));
}

// The class id of the first installed encoder for `format`; all zero when
// there is none.
GUID EncoderFor(const GuidText& format) {
    return GuidOf(FindEncoderForFormat(format));
}

// The library's view of a block built by BuildEncoderParameterBlock; null
// when the caller gave no parameters.
const EncoderParameters* ParametersOrNull(const Bytes& block) {
    return block.empty() ? nullptr : reinterpret_cast<const EncoderParameters*>(block.data());
}

Bytes BlockFor(const EncoderParameterList* parameters) {
    return parameters == nullptr ? Bytes{} : BuildEncoderParameterBlock(*parameters);
}

} // namespace

Image::~Image() {
    Destroy();
}

void Image::Destroy() {
    ImagingObject::Destroy();
    source_.Destroy();
}

void Image::SetNativeHandle(GpHandle handle) {
    image_ = handle;
    SetDerivedHandle(image_);
}

bool Image::ReleaseNative() {
    return DisposeImage();
}

bool Image::DisposeHolding(GpHandle held, MemoryStream& stream) {
    if (held == 0) {
        return false;
    }
    const bool disposed = ReleaseWith(held, binding::GdipDisposeImage);
    stream.Close();
    return disposed;
}

bool Image::DisposeImage() {
    return DisposeHolding(image_, source_);
}

bool Image::LoadImageFromFile(const Text& fileName, bool useIcm) {
    const WideText wide = ToWideText(fileName);
    return Image::LoadImageFromFile(wide, useIcm);
}

bool Image::LoadImageFromFile(const WideText& fileName, bool useIcm) {
    const WideArgument name(fileName);
    const auto load = useIcm ? binding::GdipLoadImageFromFileICM : binding::GdipLoadImageFromFile;
    return CreateInto(*this, image_, [&](GpImage* out) { return load(name.get(), out); });
}

bool Image::LoadImageFromStream(const Bytes& data, bool useIcm) {
    source_.CreateFromBytes(data);
    IStream* stream = source_.GetStream();
    const auto load =
        useIcm ? binding::GdipLoadImageFromStreamICM : binding::GdipLoadImageFromStream;
    return CreateInto(*this, image_, [&](GpImage* out) { return load(stream, out); });
}

bool Image::CloneImage(ImagingObject& target) {
    return HandTo(target, [&](GpImage* out) { return binding::GdipCloneImage(image_, out); });
}

bool Image::GetEncoderParameterList(const GuidText& format, EncoderParameterList& list) {
    const GUID encoder = EncoderFor(format);
    UINT size = 0;
    if (!StoreStatus(binding::GdipGetEncoderParameterListSize(image_, &encoder, &size))) {
        return false;
    }
    Bytes block(size, 0);
    if (!StoreStatus(binding::GdipGetEncoderParameterList(
            image_, &encoder, size, reinterpret_cast<EncoderParameters*>(block.data())))) {
        return false;
    }
    list = ReadEncoderParameterBlock(block);
    return true;
}

bool Image::SaveImageToFile(const Text& fileName, const std::optional<GuidText>& format,
                            const EncoderParameterList* parameters) {
    const WideText wide = ToWideText(fileName);
    return Image::SaveImageToFile(wide, format, parameters);
}

bool Image::SaveImageToFile(const WideText& fileName, const std::optional<GuidText>& format,
                            const EncoderParameterList* parameters) {
    const GUID encoder = EncoderFor(format.value_or(kBmpFormat));
    const Bytes block = BlockFor(parameters);
    const WideArgument name(fileName);
    return StoreStatus(
        binding::GdipSaveImageToFile(image_, name.get(), &encoder, ParametersOrNull(block)));
}

Bytes Image::SaveImageToStream(const std::optional<GuidText>& format,
                               const EncoderParameterList* parameters) {
    MemoryStream output;
    const GUID encoder = EncoderFor(format ? *format : GetImageRawFormat());
    output.CreateFromBytes({});
    const Bytes block = BlockFor(parameters);
    StoreStatus(binding::GdipSaveImageToStream(image_, output.GetStream(), &encoder,
                                               ParametersOrNull(block)));
    return output.ToBytes();
}

bool Image::SaveAdd(const EncoderParameterList& parameters) {
    const Bytes block = BuildEncoderParameterBlock(parameters);
    return StoreStatus(binding::GdipSaveAdd(image_, ParametersOrNull(block)));
}

bool Image::SaveAddImage(const ImagingObject& image, const EncoderParameterList& parameters) {
    const Bytes block = BuildEncoderParameterBlock(parameters);
    return StoreStatus(
        binding::GdipSaveAddImage(image_, image.GetHandle(), ParametersOrNull(block)));
}

std::int32_t Image::GetImageType() {
    return Query<ImageType>(image_, binding::GdipGetImageType);
}

GpSizeF Image::GetImageDimension() {
    GpSizeF size{};
    StoreStatus(binding::GdipGetImageDimension(image_, &size.Width, &size.Height));
    return size;
}

std::int32_t Image::GetImageBounds(GpRectF& rect, GpImageUnit* unit) {
    StoreStatus(binding::GdipGetImageBounds(image_, &rect, unit));
    return LastStatus;
}

std::uint32_t Image::GetImageWidth() {
    return Query<UINT>(image_, binding::GdipGetImageWidth);
}

std::uint32_t Image::GetImageHeight() {
    return Query<UINT>(image_, binding::GdipGetImageHeight);
}

float Image::GetImageHorizontalResolution() {
    return Query<REAL>(image_, binding::GdipGetImageHorizontalResolution);
}

float Image::GetImageVerticalResolution() {
    return Query<REAL>(image_, binding::GdipGetImageVerticalResolution);
}

std::uint32_t Image::GetImageFlags() {
    return Query<UINT>(image_, binding::GdipGetImageFlags);
}

GuidText Image::GetImageRawFormat() {
    return GuidToText(BytesFromGuid(Query<GUID>(image_, binding::GdipGetImageRawFormat)));
}

std::int32_t Image::GetImagePixelFormat() {
    return Query<PixelFormat>(image_, binding::GdipGetImagePixelFormat);
}

bool Image::GetImagePalette(Palette& palette) {
    INT size = 0;
    if (!StoreStatus(binding::GdipGetImagePaletteSize(image_, &size))) {
        return false;
    }
    Bytes block(static_cast<std::size_t>(std::max(size, 0)), 0);
    if (!StoreStatus(binding::GdipGetImagePalette(
            image_, reinterpret_cast<ColorPalette*>(block.data()), size))) {
        return false;
    }
    palette = ReadPaletteBlock(block);
    return true;
}

bool Image::SetImagePalette(const Palette& palette) {
    const Bytes block = BuildPaletteBlock(palette);
    return StoreStatus(
        binding::GdipSetImagePalette(image_, reinterpret_cast<const ColorPalette*>(block.data())));
}

bool Image::GetImageThumbnail(std::int32_t width, std::int32_t height, ImagingObject& target) {
    return HandTo(target, [&](GpImage* out) {
        return binding::GdipGetImageThumbnail(image_, static_cast<UINT>(width),
                                              static_cast<UINT>(height), out, nullptr, nullptr);
    });
}

std::uint32_t Image::ImageGetFrameCount(const GuidText& dimension) {
    const GUID guid = GuidOf(dimension);
    UINT count = 0;
    StoreStatus(binding::GdipImageGetFrameCount(image_, &guid, &count));
    return count;
}

std::uint32_t Image::ImageGetFrameDimensionsList(std::vector<GuidText>& dimensions) {
    UINT count = 0;
    if (!StoreStatus(binding::GdipImageGetFrameDimensionsCount(image_, &count))) {
        return 0;
    }
    std::vector<GUID> guids(count, GUID{});
    StoreStatus(binding::GdipImageGetFrameDimensionsList(image_, guids.data(), count));
    dimensions.assign(count, GuidText{});
    for (std::size_t i = 0; i < guids.size(); ++i) {
        dimensions[i] = GuidToText(BytesFromGuid(guids[i]));
    }
    return count;
}

bool Image::ImageSelectActiveFrame(const GuidText& dimension, std::uint32_t index) {
    const GUID guid = GuidOf(dimension);
    return StoreStatus(binding::GdipImageSelectActiveFrame(image_, &guid, index));
}

bool Image::ImageRotateFlip(std::int32_t type) {
    return StoreStatus(binding::GdipImageRotateFlip(image_, type));
}

bool Image::GetFrameDelays(std::vector<std::uint32_t>& delays) {
    ImageProperty property;
    if (!GetPropertyItem(kFrameDelayPropertyId, property)) {
        return false;
    }
    // valueLength never exceeds the value that was copied.
    delays.assign(property.valueLength / 4, 0);
    std::memcpy(delays.data(), property.value.data(), delays.size() * 4);
    return true;
}

bool Image::GetPropertyItem(std::uint32_t id, ImageProperty& property) {
    UINT size = 0;
    if (!StoreStatus(binding::GdipGetPropertyItemSize(image_, id, &size))) {
        return false;
    }
    Bytes block(size, 0);
    // Read whatever the call's status: a failed call leaves zeros, which
    // read as an empty property.
    StoreStatus(binding::GdipGetPropertyItem(image_, id, size,
                                             reinterpret_cast<PropertyItem*>(block.data())));
    property = ReadPropertyItemBlock(block);
    return LastStatus == Ok;
}

bool Image::SetPropertyItem(const ImageProperty& property) {
    const Bytes block = BuildPropertyItemBlock(property);
    return StoreStatus(
        binding::GdipSetPropertyItem(image_, reinterpret_cast<const PropertyItem*>(block.data())));
}

bool Image::RemovePropertyItem(std::uint32_t id) {
    return StoreStatus(binding::GdipRemovePropertyItem(image_, id));
}

std::uint32_t Image::GetPropertyIdList(std::vector<std::uint32_t>& ids) {
    UINT count = 0;
    if (!StoreStatus(binding::GdipGetPropertyCount(image_, &count))) {
        return 0;
    }
    ids.assign(count, 0);
    StoreStatus(binding::GdipGetPropertyIdList(image_, count, ids.data()));
    return count;
}

} // namespace vellumark::imaging
