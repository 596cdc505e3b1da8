// Creation, disposal, GDI conversions, area clones and resolution of Bitmap.
#include "imaging/bitmap/bitmap.h"
#include "imaging/image/tests/imaging_fixture.h"
#include "imaging/image/tests/test_pictures.h"
#include "imaging/last_status.h"
#include "platform/binding/call_spy.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using test::ImagingTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using BitmapTest = ImagingTest;

void ExpectOneHandle(const Bitmap& bitmap, GpHandle handle) {
    EXPECT_EQ(bitmap.GetHandle(), handle);
    EXPECT_EQ(bitmap.ImageHandle(), handle);
    EXPECT_EQ(bitmap.BitmapHandle(), handle);
}

TEST_F(BitmapTest, ABlankBitmapIs32BitArgbWithLibraryOwnedPixels) {
    Bitmap bitmap;
    CallSpy spy;
    ASSERT_TRUE(bitmap.CreateBlankBitmap(40, 30));
    ASSERT_THAT(spy.Names(), ElementsAre("GdipCreateBitmapFromScan0"));
    const auto& call = spy.Calls()[0];
    EXPECT_EQ(call.Integer(0), 40);
    EXPECT_EQ(call.Integer(1), 30);
    EXPECT_EQ(call.Integer(2), 0);
    EXPECT_EQ(call.Integer(3), 0x26200A);
    EXPECT_EQ(call.Pointer(4), nullptr);

    EXPECT_NE(bitmap.GetHandle(), 0u);
    ExpectOneHandle(bitmap, bitmap.GetHandle());
    EXPECT_EQ(bitmap.GetImagePixelFormat(), PixelFormat32bppARGB);
    EXPECT_EQ(bitmap.GetImageWidth(), 40u);
    EXPECT_EQ(bitmap.GetImageHeight(), 30u);
}

TEST_F(BitmapTest, ABlankBitmapStartsFullyTransparent) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBlankBitmap(5, 3));
    // A BMP of it: every byte from the pixel data offset on is zero.
    const Bytes bmp = bitmap.SaveImageToStream(kBmpFormat);
    ASSERT_EQ(LastStatus, Ok);
    ASSERT_GT(bmp.size(), 14u);
    std::uint32_t pixels = 0;
    std::memcpy(&pixels, bmp.data() + 10, 4);
    ASSERT_LT(pixels, bmp.size());
    EXPECT_TRUE(
        std::all_of(bmp.begin() + pixels, bmp.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(BitmapTest, AGivenFormatIsCreatedAndAnOmittedScan0IsNull) {
    Bitmap blank;
    ASSERT_TRUE(blank.CreateBlankBitmap(4, 4, PixelFormat24bppRGB));
    EXPECT_EQ(blank.GetImagePixelFormat(), PixelFormat24bppRGB);

    Bitmap fromScan0;
    CallSpy spy;
    ASSERT_TRUE(fromScan0.CreateBitmapFromScan0(4, 2, 16, PixelFormat32bppRGB));
    ASSERT_EQ(spy.Calls().size(), 1u);
    EXPECT_EQ(spy.Calls()[0].Integer(2), 16);
    EXPECT_EQ(spy.Calls()[0].Pointer(4), nullptr);
    EXPECT_EQ(fromScan0.GetImagePixelFormat(), PixelFormat32bppRGB);
}

TEST_F(BitmapTest, CallerMemoryIsUsedAsThePixels) {
    std::vector<std::uint32_t> pixels(2 * 2, 0xFF00FF00u);
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmapFromScan0(2, 2, 8, PixelFormat32bppARGB,
                                             reinterpret_cast<BYTE*>(pixels.data())));
    EXPECT_EQ(bitmap.GetImageWidth(), 2u);
    ASSERT_TRUE(bitmap.DisposeImage());
}

TEST_F(BitmapTest, FromBytesTheBitmapKeepsItsOwnCopyInItsOwnStream) {
    auto bytes = std::make_unique<Bytes>(test::kRgbaPng3x2);
    Bitmap bitmap;
    Image& asImage = bitmap; // the loading place of Image's table creates a bitmap
    CallSpy spy;
    ASSERT_TRUE(asImage.LoadImageFromStream(*bytes));
    bytes.reset();
    EXPECT_THAT(spy.Names(), ElementsAre("GdipCreateBitmapFromStream"));
    EXPECT_NE(bitmap.BitmapStream().GetStream(), nullptr);
    EXPECT_EQ(bitmap.Source().GetStream(), nullptr);
    ExpectOneHandle(bitmap, bitmap.GetHandle());
    EXPECT_EQ(bitmap.GetImageWidth(), 3u);
    EXPECT_EQ(bitmap.GetImageHeight(), 2u);

    spy.Clear();
    ASSERT_TRUE(bitmap.DisposeImage());
    ASSERT_TRUE(bitmap.CreateBitmapFromStream(test::kRgbaPng3x2, true));
    EXPECT_THAT(spy.Names(), ElementsAre("GdipDisposeImage", "GdipCreateBitmapFromStreamICM"));
}

TEST_F(BitmapTest, FromAFileByTextOrWideName) {
    const std::string path = ScratchFile("bitmap.png");
    {
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(test::kRgbaPng3x2.data()),
                   static_cast<std::streamsize>(test::kRgbaPng3x2.size()));
    }
    Bitmap byText;
    Bitmap byWide;
    CallSpy spy;
    ASSERT_TRUE(byText.CreateBitmapFromFile(path));
    ASSERT_TRUE(byWide.CreateBitmapFromFile(ToWideText(path), true));
    EXPECT_THAT(spy.Names(),
                ElementsAre("GdipCreateBitmapFromFile", "GdipCreateBitmapFromFileICM"));
    ExpectOneHandle(byText, byText.GetHandle());
    EXPECT_EQ(byText.GetImageWidth(), byWide.GetImageWidth());

    Bitmap missing;
    EXPECT_FALSE(missing.CreateBitmapFromFile(ScratchFile("absent.png")));
    EXPECT_EQ(LastStatus, FileNotFound);
    ExpectOneHandle(missing, 0);
}

TEST_F(BitmapTest, DisposeTwiceReleasesOnceAndClosesTheStream) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmapFromStream(test::kRgbaPng3x2));
    CallSpy spy;
    EXPECT_TRUE(bitmap.DisposeImage());
    EXPECT_THAT(spy.Names(), ElementsAre("GdipDisposeImage"));
    ExpectOneHandle(bitmap, 0);
    EXPECT_EQ(bitmap.BitmapStream().GetStream(), nullptr);

    spy.Clear();
    LastStatus = Aborted;
    EXPECT_FALSE(bitmap.DisposeImage());
    EXPECT_THAT(spy.Calls(), IsEmpty());
    EXPECT_EQ(LastStatus, Aborted);
}

TEST_F(BitmapTest, DestroyReleasesThroughTheTableOnce) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmapFromStream(test::kRgbaPng3x2));
    const GpHandle held = bitmap.GetHandle();
    CallSpy spy;
    ImagingObject& base = bitmap;
    base.Destroy();
    ASSERT_THAT(spy.Names(), ElementsAre("GdipDisposeImage"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), held);
    EXPECT_EQ(bitmap.BitmapStream().GetStream(), nullptr);
    spy.Clear();
    base.Destroy();
    EXPECT_THAT(spy.Calls(), IsEmpty());
}

TEST_F(BitmapTest, ACloneIntoABitmapSetsAllThreeHandles) {
    Bitmap source;
    ASSERT_TRUE(source.CreateBlankBitmap(6, 4));
    Bitmap clone;
    ASSERT_TRUE(source.CloneImage(clone));
    EXPECT_NE(clone.GetHandle(), 0u);
    EXPECT_NE(clone.GetHandle(), source.GetHandle());
    ExpectOneHandle(clone, clone.GetHandle());
}

TEST_F(BitmapTest, AreaClonesInsideSucceedAndOutsideLeaveTheTargetEmpty) {
    Bitmap source;
    ASSERT_TRUE(source.CreateBlankBitmap(6, 4));

    Bitmap part;
    ASSERT_TRUE(source.CloneBitmapAreaI(GpRect{1, 1, 2, 3}, PixelFormat24bppRGB, part));
    ExpectOneHandle(part, part.GetHandle());
    EXPECT_EQ(part.GetImageWidth(), 2u);
    EXPECT_EQ(part.GetImageHeight(), 3u);
    EXPECT_EQ(part.GetImagePixelFormat(), PixelFormat24bppRGB);
    ASSERT_TRUE(part.DisposeImage());

    ASSERT_TRUE(source.CloneBitmapArea(GpRectF{0, 0, 6, 4}, PixelFormat32bppARGB, part));
    EXPECT_EQ(part.GetImageWidth(), 6u);
    ASSERT_TRUE(part.DisposeImage());

    Bitmap target;
    target.SetHandle(0x0BAD); // made up: replaced, never released
    EXPECT_FALSE(source.CloneBitmapArea(GpRectF{4, 2, 5, 5}, PixelFormat32bppARGB, target));
    EXPECT_EQ(LastStatus, InvalidParameter);
    ExpectOneHandle(target, 0);
    target.SetHandle(0x0BAD);
    EXPECT_FALSE(source.CloneBitmapAreaI(GpRect{-1, 0, 2, 2}, PixelFormat32bppARGB, target));
    ExpectOneHandle(target, 0);
}

TEST_F(BitmapTest, GdiBitmapsAndIconsRoundTrip) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBlankBitmap(7, 5));

    const HBITMAP hbitmap = bitmap.CreateHBITMAPFromBitmap(0xFFFFFFFFu);
    EXPECT_EQ(LastStatus, Ok);
    ASSERT_NE(hbitmap, 0u);
    Bitmap fromHbitmap;
    ASSERT_TRUE(fromHbitmap.CreateBitmapFromHBITMAP(hbitmap));
    EXPECT_EQ(fromHbitmap.GetImageWidth(), 7u);
    EXPECT_EQ(fromHbitmap.GetImageHeight(), 5u);

    const HICON icon = bitmap.CreateHICONFromBitmap();
    ASSERT_NE(icon, 0u);
    Bitmap fromIcon;
    ASSERT_TRUE(fromIcon.CreateBitmapFromHICON(icon));
    EXPECT_EQ(fromIcon.GetImageWidth(), 7u);
}

TEST_F(BitmapTest, ConversionsOfAnEmptyBitmapGiveZero) {
    Bitmap empty;
    EXPECT_EQ(empty.CreateHBITMAPFromBitmap(), 0u);
    EXPECT_NE(LastStatus, Ok);
    LastStatus = Ok;
    EXPECT_EQ(empty.CreateHICONFromBitmap(), 0u);
    EXPECT_NE(LastStatus, Ok);
}

TEST_F(BitmapTest, FromADeviceIndependentBitmap) {
    // 2 x 2 at 32 bits, bottom-up rows.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> bits(4, 0x00112233u);
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmapFromGdiDib(&info, bits.data()));
    EXPECT_EQ(bitmap.GetImageWidth(), 2u);
    EXPECT_EQ(bitmap.GetImageHeight(), 2u);
    ExpectOneHandle(bitmap, bitmap.GetHandle());
}

TEST_F(BitmapTest, ResourcesDoNotExistHere) {
    Bitmap bitmap;
    EXPECT_FALSE(bitmap.CreateBitmapFromResource(1, nullptr));
    EXPECT_EQ(LastStatus, Win32Error);
    ExpectOneHandle(bitmap, 0);
}

TEST_F(BitmapTest, AnIndexedBitmapsPaletteIsReadAndReplaced) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBlankBitmap(2, 2, PixelFormat8bppIndexed));
    Palette palette;
    ASSERT_TRUE(bitmap.GetImagePalette(palette));
    EXPECT_GT(palette.count, 0u);
    EXPECT_THAT(palette.entries, ::testing::SizeIs(palette.count));

    Palette grey{PaletteFlagsGrayScale, 256, {}};
    for (std::uint32_t level = 0; level < 256; ++level) {
        grey.entries.push_back(0xFF000000u | level * 0x010101u);
    }
    ASSERT_TRUE(bitmap.SetImagePalette(grey));
    Palette back;
    ASSERT_TRUE(bitmap.GetImagePalette(back));
    EXPECT_EQ(back.count, 256u);
    EXPECT_EQ(back.entries, grey.entries);
}

TEST_F(BitmapTest, ResolutionIsSet) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBlankBitmap(2, 2));
    ASSERT_TRUE(bitmap.BitmapSetResolution(150.0f, 72.0f));
    EXPECT_EQ(bitmap.GetImageHorizontalResolution(), 150.0f);
    EXPECT_EQ(bitmap.GetImageVerticalResolution(), 72.0f);
    EXPECT_FALSE(bitmap.BitmapSetResolution(0.0f, 72.0f));
}

// A drawing surface held by its bare handle, as any object that yields one
// may stand for a Graphics.
class SurfaceHandle final : public ImagingObject {
public:
    void SetNativeHandle(GpHandle) override {}
    bool ReleaseNative() override { return ReleaseWith(GetHandle(), binding::GdipDeleteGraphics); }
};

TEST_F(BitmapTest, FromAGraphicsTakesItsSurfacesResolutionAsPremultipliedArgb) {
    Bitmap canvas;
    ASSERT_TRUE(canvas.CreateBlankBitmap(4, 4));
    ASSERT_TRUE(canvas.BitmapSetResolution(150.0f, 72.0f));
    GpGraphics graphics = 0;
    ASSERT_EQ(binding::GdipGetImageGraphicsContext(canvas.ImageHandle(), &graphics), Ok);
    SurfaceHandle surface;
    surface.SetHandle(graphics);

    Bitmap bitmap;
    CallSpy spy;
    ASSERT_TRUE(bitmap.CreateBitmapFromGraphics(3, 2, surface));
    ASSERT_THAT(spy.Names(), ElementsAre("GdipCreateBitmapFromGraphics"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), 3);
    EXPECT_EQ(spy.Calls()[0].Integer(1), 2);
    EXPECT_EQ(spy.Calls()[0].Integer(2), static_cast<std::int64_t>(graphics));
    ExpectOneHandle(bitmap, bitmap.BitmapHandle());
    EXPECT_NE(bitmap.BitmapHandle(), 0u);
    EXPECT_EQ(bitmap.GetImageWidth(), 3u);
    EXPECT_EQ(bitmap.GetImagePixelFormat(), PixelFormat32bppPARGB);
    EXPECT_EQ(bitmap.GetImageHorizontalResolution(), 150.0f);
    EXPECT_EQ(bitmap.GetImageVerticalResolution(), 72.0f);

    SurfaceHandle none;
    Bitmap failed;
    EXPECT_FALSE(failed.CreateBitmapFromGraphics(3, 2, none));
    EXPECT_EQ(LastStatus, InvalidParameter);
    ExpectOneHandle(failed, 0);
    EXPECT_FALSE(bitmap.CreateBitmapFromGraphics(0, 2, surface));

    EXPECT_TRUE(surface.ReleaseNative());
}

TEST_F(BitmapTest, ASquareCanvasSavesAsPng) {
    Bitmap canvas;
    ASSERT_TRUE(canvas.CreateBlankBitmap(40, 40));
    const Bytes png = canvas.SaveImageToStream(kPngFormat);
    EXPECT_EQ(LastStatus, Ok);
    EXPECT_TRUE(test::StartsWith(png, test::kPngSignature));

    Bitmap reloaded;
    ASSERT_TRUE(reloaded.CreateBitmapFromStream(png));
    EXPECT_EQ(reloaded.GetImageWidth(), 40u);
    EXPECT_NE(reloaded.GetImageFlags() & ImageFlagsHasAlpha, 0u);
}

} // namespace
} // namespace vellumark::imaging
