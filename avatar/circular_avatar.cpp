#include "avatar/circular_avatar.h"

#include "imaging/bitmap/bitmap.h"
#include "imaging/brush/texture_brush.h"
#include "imaging/graphics/graphics.h"
#include "imaging/image/image.h"
#include "imaging/startup.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>

namespace vellumark::avatar {
namespace {

using ReadSource = std::function<Bytes()>;
using WriteResult = std::function<void(const Bytes&)>;

std::int32_t SmallerSide(std::uint32_t width, std::uint32_t height) {
    const std::uint32_t side = std::min(width, height);
    return static_cast<std::int32_t>(
        std::min<std::uint32_t>(side, std::numeric_limits<std::int32_t>::max()));
}

// The routine's fixed sequence of steps. No step looks at an earlier one's
// result: a failure flows through as empty handles and ends in empty Bytes.
void RunCircularAvatar(const ReadSource& readSource, const WriteResult& writeResult) {
    // The wrapper objects outlive the library's start: made before it and
    // destroyed after the shut-down, by which time they hold nothing.
    auto image = std::make_unique<imaging::Image>();
    auto canvas = std::make_unique<imaging::Bitmap>();
    auto surface = std::make_unique<imaging::Graphics>();
    auto brush = std::make_unique<imaging::TextureBrush>();

    imaging::ImagingStartup();

    Bytes source = readSource();
    // The image's stream keeps its own copy for as long as the image lives.
    image->LoadImageFromStream(source);
    Bytes().swap(source);

    // Width first, then height: two statements, since the order in which a
    // call's arguments are evaluated is unspecified.
    const std::uint32_t width = image->GetImageWidth();
    const std::uint32_t height = image->GetImageHeight();
    const std::int32_t side = SmallerSide(width, height);
    canvas->CreateBlankBitmap(side, side);
    surface->GetImageGraphicsContext(*canvas);
    brush->CreateTexture(*image, WrapModeClamp);
    const auto extent = static_cast<float>(side);
    surface->FillEllipse(*brush, 0.0f, 0.0f, extent, extent);
    Bytes result = canvas->SaveImageToStream(Text(kPngFormat));

    // Every native object goes before the library shuts down; the brush
    // before the image it paints with.
    brush->DeleteBrush();
    surface->DeleteGraphics();
    canvas->DisposeImage();
    image->DisposeImage();
    imaging::ImagingShutdown();

    writeResult(result);

    image.reset();
    canvas.reset();
    surface.reset();
    brush.reset();
}

} // namespace

void CircularAvatar(platform::Window& window, std::string_view box) {
    RunCircularAvatar(
        [&] {
            platform::PropertyValue picture =
                platform::ReadProperty(window, box, platform::kPropertyPicture);
            Bytes* bytes = std::get_if<Bytes>(&picture);
            return bytes != nullptr ? std::move(*bytes) : Bytes();
        },
        [&](const Bytes& result) {
            platform::WriteProperty(window, box, platform::kPropertyPicture, result);
        });
}

Bytes MakeCircularAvatarPng(const Bytes& picture) {
    Bytes png;
    RunCircularAvatar([&] { return picture; }, [&](const Bytes& result) { png = result; });
    return png;
}

} // namespace vellumark::avatar
