// Loading pictures from streams and files, the queries on them, and what
// damaged or hostile input gives.
#include "image_fixtures.h"
#include "support/started_library.h"

#include <cstring>
#include <fstream>

namespace vellumark::gdiplus::testing {
namespace {

constexpr GUID kPngFormat{
    0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
constexpr GUID kMemoryBmpFormat{
    0xB96B3CAA, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

bool operator==(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

using ImageLoading = StartedLibrary;

TEST_F(ImageLoading, PngFromAStreamKeepsSizeFormatAndAlpha) {
    std::vector<ARGB> pixels = {0x00000000, 0x80FF0000, 0xFF00FF00,
                                0xFF0000FF, 0x40123456, 0xFFFFFFFF};
    const std::vector<std::uint8_t> png = pngOf(wrapArgb(pixels, 3, 2));
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');

    GpStatus status = GenericError;
    const GpImage image = loadBytes(png, &status);
    ASSERT_EQ(status, Ok);
    UINT width = 0;
    UINT height = 0;
    GUID format{};
    PixelFormat pixelFormat = 0;
    UINT flags = 0;
    EXPECT_EQ(GdipGetImageWidth(image, &width), Ok);
    EXPECT_EQ(GdipGetImageHeight(image, &height), Ok);
    EXPECT_EQ(GdipGetImageRawFormat(image, &format), Ok);
    EXPECT_EQ(GdipGetImagePixelFormat(image, &pixelFormat), Ok);
    EXPECT_EQ(GdipGetImageFlags(image, &flags), Ok);
    EXPECT_EQ(width, 3u);
    EXPECT_EQ(height, 2u);
    EXPECT_TRUE(format == kPngFormat);
    EXPECT_EQ(pixelFormat, PixelFormat32bppARGB);
    EXPECT_NE(flags & ImageFlagsHasAlpha, 0u);
    EXPECT_EQ(argbPixels(image), pixels);
    EXPECT_EQ(GdipDisposeImage(image), Ok);
    EXPECT_EQ(GdipDisposeImage(image), InvalidParameter);
}

TEST_F(ImageLoading, BlankBitmapIsTransparentMemoryBmpAt96Dpi) {
    const GpBitmap bitmap = makeBitmap(5, 4);
    GUID format{};
    REAL dpiX = 0;
    REAL dpiY = 0;
    ImageType type = 0;
    GpRectF bounds{};
    GpImageUnit unit = -1;
    EXPECT_EQ(GdipGetImageRawFormat(bitmap, &format), Ok);
    EXPECT_EQ(GdipGetImageHorizontalResolution(bitmap, &dpiX), Ok);
    EXPECT_EQ(GdipGetImageVerticalResolution(bitmap, &dpiY), Ok);
    EXPECT_EQ(GdipGetImageType(bitmap, &type), Ok);
    EXPECT_EQ(GdipGetImageBounds(bitmap, &bounds, &unit), Ok);
    EXPECT_TRUE(format == kMemoryBmpFormat);
    EXPECT_EQ(dpiX, 96.0f);
    EXPECT_EQ(dpiY, 96.0f);
    EXPECT_EQ(type, ImageTypeBitmap);
    EXPECT_EQ(bounds.Width, 5.0f);
    EXPECT_EQ(bounds.Height, 4.0f);
    EXPECT_EQ(unit, 2);
    EXPECT_EQ(argbPixels(bitmap), std::vector<ARGB>(20, 0u));
}

TEST_F(ImageLoading, CloneIsIndependentOfItsSource) {
    const GpBitmap bitmap = makeBitmap(6, 2);
    GpImage clone = 0;
    ASSERT_EQ(GdipCloneImage(bitmap, &clone), Ok);
    EXPECT_NE(clone, bitmap);
    ASSERT_EQ(GdipImageRotateFlip(bitmap, Rotate90FlipNone), Ok);
    ASSERT_EQ(GdipDisposeImage(bitmap), Ok);
    UINT width = 0;
    EXPECT_EQ(GdipGetImageWidth(clone, &width), Ok);
    EXPECT_EQ(width, 6u);
}

TEST_F(ImageLoading, FileNamesAreUtf16AndMissingFilesAndDirectoriesFail) {
    const std::filesystem::path path = tempPath("bild-\xC3\xBC.png");
    std::u16string name = u"";
    for (char c : tempPath("bild-").string()) {
        name += static_cast<char16_t>(c);
    }
    name += u"\u00FC.png";
    ASSERT_EQ(GdipSaveImageToFile(makeBitmap(7, 1), wide(name), &kPngEncoder, nullptr), Ok);
    EXPECT_TRUE(std::filesystem::exists(path));
    GpImage image = 0;
    ASSERT_EQ(GdipLoadImageFromFile(wide(name), &image), Ok);
    UINT width = 0;
    EXPECT_EQ(GdipGetImageWidth(image, &width), Ok);
    EXPECT_EQ(width, 7u);

    image = 77;
    const std::u16string missing = wideName(tempPath("no-such-picture.png"));
    EXPECT_EQ(GdipLoadImageFromFile(wide(missing), &image), FileNotFound);
    EXPECT_EQ(image, 0u);
    const std::u16string directory = wideName(std::filesystem::path(::testing::TempDir()));
    EXPECT_EQ(GdipLoadImageFromFile(wide(directory), &image), AccessDenied);
    EXPECT_EQ(GdipLoadImageFromFile(wide(u""), &image), InvalidParameter);
}

TEST_F(ImageLoading, NonPicturesAndEmptyStreamsAreUnknownFormats) {
    GpStatus status = Ok;
    EXPECT_EQ(loadBytes({}, &status), 0u);
    EXPECT_EQ(status, UnknownImageFormat);
    EXPECT_EQ(loadBytes(std::vector<std::uint8_t>(64, 'x'), &status), 0u);
    EXPECT_EQ(status, UnknownImageFormat);
}

// Every prefix and a few corruptions of each encoder's output fail with a
// status (or still decode) and never crash.
TEST_F(ImageLoading, TruncatedAndCorruptedFilesGiveAStatus) {
    std::vector<ARGB> pixels(64, 0xFF336699);
    const GpBitmap source = wrapArgb(pixels, 8, 8);
    for (const CLSID& encoder : {kBmpEncoder, kJpegEncoder, kGifEncoder, kPngEncoder}) {
        const std::vector<std::uint8_t> file = encode(source, encoder);
        for (std::size_t length = 0; length < file.size(); length += 1 + length / 8) {
            GpStatus status = Ok;
            const GpImage image =
                loadBytes(std::vector<std::uint8_t>(
                              file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)),
                          &status);
            if (status == Ok) {
                GdipDisposeImage(image);
            } else {
                EXPECT_EQ(image, 0u);
            }
        }
        for (std::size_t at = 2; at < file.size(); at += 7) {
            std::vector<std::uint8_t> broken = file;
            broken[at] ^= 0xA5;
            GpStatus status = Ok;
            const GpImage image = loadBytes(broken, &status);
            if (status == Ok) {
                GdipDisposeImage(image);
            }
        }
    }
}

TEST_F(ImageLoading, HeaderClaimingHugeSizeFailsFast) {
    // A PNG signature and IHDR claiming 100000 x 100000 pixels, nothing else.
    std::vector<std::uint8_t> png = {0x89, 'P',  'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,    0, 0,
                                     13,   'I',  'H', 'D', 'R',  0,    1,    0x86, 0xA0, 0, 1,
                                     0x86, 0xA0, 8,   6,   0,    0,    0,    0,    0,    0, 0};
    std::vector<std::uint8_t> bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[14] = 40;
    const std::uint32_t side = 100000;
    std::memcpy(&bmp[18], &side, 4);
    std::memcpy(&bmp[22], &side, 4);
    bmp[26] = 1;
    bmp[28] = 32;
    for (const auto& file : {png, bmp}) {
        GpStatus status = Ok;
        EXPECT_EQ(loadBytes(file, &status), 0u);
        EXPECT_NE(status, Ok);
    }
}

TEST_F(ImageLoading, ThumbnailHasTheAskedSizeOrTheDefault) {
    const GpBitmap bitmap = makeBitmap(40, 30);
    for (const auto& [asked, expected] : std::vector<std::pair<UINT, UINT>>{{10, 10}, {0, 120}}) {
        GpImage thumb = 0;
        ASSERT_EQ(GdipGetImageThumbnail(bitmap, asked, asked, &thumb, nullptr, nullptr), Ok);
        UINT width = 0;
        EXPECT_EQ(GdipGetImageWidth(thumb, &width), Ok);
        EXPECT_EQ(width, expected);
    }
    GpImage thumb = 5;
    EXPECT_EQ(GdipGetImageThumbnail(bitmap, 0, 7, &thumb, nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(thumb, 0u);
}

} // namespace
} // namespace vellumark::gdiplus::testing
