#include "imaging/brush/tests/native_objects.h"
#include "imaging/brush/texture_brush.h"
#include "imaging/graphics/graphics.h"
#include "imaging/last_status.h"
#include "imaging/startup.h"
#include "platform/binding/call_spy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vellumark::imaging {
namespace {

using binding::CallSpy;
using test_support::NativeObject;
using test_support::ScanBitmap;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr ARGB kClear = 0x00000000u;
constexpr ARGB kWhite = 0xFFFFFFFFu;

ARGB Clear(std::int32_t, std::int32_t) {
    return kClear;
}

class GraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(ImagingStartup(), 0u);
        // A solid brush is enough where the fill's colour is not the point.
        GpSolidFill created = 0;
        ASSERT_EQ(::GdipCreateSolidFill(kWhite, &created), Ok);
        white_.SetHandle(created);
    }
    void TearDown() override {
        white_.Destroy();
        ImagingShutdown();
    }

    static void Open(Graphics& surface, ScanBitmap& canvas) {
        ASSERT_TRUE(surface.GetImageGraphicsContext(canvas.Object()));
    }

    NativeObject white_{::GdipDeleteBrush};
};

TEST_F(GraphicsTest, ANewSurfaceHoldsNothingAndReleasesNothing) {
    Graphics surface;
    EXPECT_EQ(surface.WindowHandle(), Graphics::kNoWindow);
    EXPECT_EQ(surface.DeviceContext(), 0u);
    EXPECT_EQ(surface.GetHandle(), 0u);
    LastStatus = WrongState;
    CallSpy spy;

    EXPECT_FALSE(surface.DeleteGraphics());
    surface.Destroy();

    EXPECT_THAT(spy.Calls(), IsEmpty());
    EXPECT_EQ(LastStatus, WrongState);
}

TEST_F(GraphicsTest, SurfaceOnABitmapIsHeldUntilDeleted) {
    ScanBitmap canvas(4, 4, Clear);
    Graphics surface;
    CallSpy spy;

    Open(surface, canvas);
    const GpHandle held = surface.GetHandle();
    EXPECT_NE(held, 0u);
    EXPECT_TRUE(surface.DeleteGraphics());
    EXPECT_EQ(surface.GetHandle(), 0u);
    surface.Destroy();

    ASSERT_THAT(spy.Names(), ElementsAre("GdipGetImageGraphicsContext", "GdipDeleteGraphics"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), canvas.Object().GetHandle());
    EXPECT_EQ(spy.Calls()[1].Integer(0), held);
    EXPECT_EQ(surface.WindowHandle(), Graphics::kNoWindow);
}

TEST_F(GraphicsTest, SurfaceOnAnEmptyImageStaysEmpty) {
    NativeObject noImage;
    Graphics surface;
    EXPECT_FALSE(surface.GetImageGraphicsContext(noImage));
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(surface.GetHandle(), 0u);
}

TEST_F(GraphicsTest, DestroyDeletesASurfaceStillHeld) {
    ScanBitmap canvas(2, 2, Clear);
    Graphics surface;
    Open(surface, canvas);
    CallSpy spy;
    surface.Destroy();
    EXPECT_THAT(spy.Names(), ElementsAre("GdipDeleteGraphics"));
    EXPECT_EQ(surface.GetHandle(), 0u);
}

TEST_F(GraphicsTest, FlushLeavesLastStatusAlone) {
    Graphics empty;
    LastStatus = Aborted;
    CallSpy spy;
    empty.Flush();
    EXPECT_THAT(spy.Names(), ElementsAre("GdipFlush"));
    EXPECT_EQ(LastStatus, Aborted);
}

TEST_F(GraphicsTest, RenderingStateReadsBackWhatWasSet) {
    ScanBitmap canvas(2, 2, Clear);
    Graphics surface;
    Open(surface, canvas);

    EXPECT_TRUE(surface.SetCompositingMode(CompositingModeSourceCopy));
    EXPECT_TRUE(surface.SetCompositingQuality(CompositingQualityGammaCorrected));
    EXPECT_TRUE(surface.SetTextRenderingHint(TextRenderingHintAntiAlias));
    EXPECT_TRUE(surface.SetTextContrast(9));
    EXPECT_TRUE(surface.SetInterpolationMode(InterpolationModeNearestNeighbor));
    EXPECT_TRUE(surface.SetSmoothingMode(SmoothingModeAntiAlias));
    EXPECT_TRUE(surface.SetPixelOffsetMode(PixelOffsetModeHalf));
    EXPECT_TRUE(surface.SetPageUnit(UnitMillimeter));
    EXPECT_TRUE(surface.SetPageScale(2.5f));
    EXPECT_TRUE(surface.SetRenderingOrigin(3, -4));

    EXPECT_EQ(surface.GetCompositingMode(), CompositingModeSourceCopy);
    EXPECT_EQ(surface.GetCompositingQuality(), CompositingQualityGammaCorrected);
    EXPECT_EQ(surface.GetTextRenderingHint(), TextRenderingHintAntiAlias);
    EXPECT_EQ(surface.GetTextContrast(), 9u);
    EXPECT_EQ(surface.GetInterpolationMode(), InterpolationModeNearestNeighbor);
    EXPECT_EQ(surface.GetSmoothingMode(), SmoothingModeAntiAlias);
    EXPECT_EQ(surface.GetPixelOffsetMode(), PixelOffsetModeHalf);
    EXPECT_EQ(surface.GetPageUnit(), UnitMillimeter);
    EXPECT_FLOAT_EQ(surface.GetPageScale(), 2.5f);
    std::int32_t x = 0;
    std::int32_t y = 0;
    EXPECT_TRUE(surface.GetRenderingOrigin(x, y));
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, -4);
    EXPECT_GT(surface.GetDpiX(), 0.0f);
    EXPECT_GT(surface.GetDpiY(), 0.0f);
}

TEST_F(GraphicsTest, FailedQueriesGiveZero) {
    Graphics empty;
    EXPECT_EQ(empty.GetSmoothingMode(), 0);
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_EQ(empty.GetTextContrast(), 0u);
    EXPECT_EQ(empty.GetPageScale(), 0.0f);
    EXPECT_EQ(empty.GetDpiX(), 0.0f);
    EXPECT_EQ(LastStatus, InvalidParameter);
    EXPECT_FALSE(empty.SetSmoothingMode(SmoothingModeNone));
}

TEST_F(GraphicsTest, NearestColourIsLeftInTheCallersVariableAndReturned) {
    ScanBitmap canvas(2, 2, Clear);
    Graphics surface;
    Open(surface, canvas);
    ARGB colour = 0x80123456u;
    CallSpy spy;
    spy.OnCall([&](const binding::RecordedCall& call) {
        EXPECT_EQ(call.Pointer(1), &colour); // the caller's own variable
    });
    EXPECT_EQ(surface.GetNearestColor(colour), colour);
    EXPECT_EQ(colour, 0x80123456u); // a 32-bit surface shows every colour
    EXPECT_EQ(LastStatus, Ok);
}

TEST_F(GraphicsTest, TextureFilledEllipseLeavesTheCornersAndMapsPixelForPixel) {
    constexpr std::int32_t kSide = 20;
    const auto source = [](std::int32_t x, std::int32_t y) {
        return 0xFF000000u | static_cast<ARGB>(x << 8) | static_cast<ARGB>(y);
    };
    ScanBitmap picture(30, kSide, source);
    ScanBitmap canvas(kSide, kSide, Clear);
    TextureBrush brush;
    ASSERT_TRUE(brush.CreateTexture(picture.Object(), WrapModeClamp));
    Graphics surface;
    Open(surface, canvas);
    CallSpy spy;

    EXPECT_TRUE(surface.FillEllipse(brush, 0.0f, 0.0f, kSide, kSide));
    EXPECT_EQ(LastStatus, Ok);

    ASSERT_THAT(spy.Names(), ElementsAre("GdipFillEllipse"));
    EXPECT_EQ(spy.Calls()[0].Integer(0), surface.GetHandle());
    EXPECT_EQ(spy.Calls()[0].Integer(1), brush.GetHandle());
    EXPECT_EQ(spy.Calls()[0].Real(4), kSide);
    for (const auto& [x, y] :
         {std::pair{0, 0}, {kSide - 1, 0}, {0, kSide - 1}, {kSide - 1, kSide - 1}}) {
        EXPECT_EQ(canvas.At(x, y), kClear) << x << "," << y;
    }
    EXPECT_EQ(canvas.At(kSide / 2, kSide / 2), source(kSide / 2, kSide / 2));
    EXPECT_EQ(canvas.At(3, kSide / 2), source(3, kSide / 2));
}

TEST_F(GraphicsTest, RectangleRecordFillsLikeItsFourCoordinates) {
    ScanBitmap byRecord(6, 6, Clear);
    ScanBitmap byCoordinates(6, 6, Clear);
    Graphics first;
    Graphics second;
    Open(first, byRecord);
    Open(second, byCoordinates);

    EXPECT_TRUE(first.FillRectangle(white_, GpRectF{1.0f, 2.0f, 3.0f, 2.0f}));
    EXPECT_TRUE(second.FillRectangle(white_, 1.0f, 2.0f, 3.0f, 2.0f));

    // Where a rectangle's edges fall on pixels is the library's business;
    // both forms must give the same 3 x 2 pixels.
    int filled = 0;
    for (std::int32_t y = 0; y < 6; ++y) {
        for (std::int32_t x = 0; x < 6; ++x) {
            filled += byRecord.At(x, y) == kWhite ? 1 : 0;
            EXPECT_EQ(byCoordinates.At(x, y), byRecord.At(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(filled, 6);
}

TEST_F(GraphicsTest, ClearWithoutAColourClearsToZero) {
    ScanBitmap canvas(3, 3, [](std::int32_t, std::int32_t) { return kWhite; });
    Graphics surface;
    Open(surface, canvas);
    CallSpy spy;
    EXPECT_TRUE(surface.GraphicsClear());
    ASSERT_THAT(spy.Names(), ElementsAre("GdipGraphicsClear"));
    EXPECT_EQ(spy.Calls()[0].Integer(1), 0);
    EXPECT_EQ(canvas.At(1, 1), kClear);
}

TEST_F(GraphicsTest, IntegerFillsReachTheIntegerFunctions) {
    ScanBitmap canvas(8, 8, Clear);
    Graphics surface;
    Open(surface, canvas);
    CallSpy spy;

    EXPECT_TRUE(surface.FillRectangleI(white_, 0, 0, 2, 2));
    EXPECT_TRUE(surface.FillEllipseI(white_, 2, 2, 6, 6));

    ASSERT_THAT(spy.Names(), ElementsAre("GdipFillRectangleI", "GdipFillEllipseI"));
    EXPECT_EQ(spy.Calls()[1].Integer(4), 6);
    EXPECT_EQ(canvas.At(1, 1), kWhite);
    EXPECT_EQ(canvas.At(5, 5), kWhite);
    EXPECT_EQ(canvas.At(7, 0), kClear);
}

// ---- Arrays of records ------------------------------------------------------

// Stands in for GdipFillRectangles to see the block the library receives,
// and writes into it to show the block comes back to the caller.
struct SeenBlock {
    static inline std::vector<GpRectF> records;
    static inline bool wasNull = false;
    static inline INT count = -1;

    static GpStatus Fill(GpGraphics, GpBrush, const GpRectF* rects, INT n) {
        wasNull = rects == nullptr;
        count = n;
        records.assign(rects, rects + (rects != nullptr ? n : 0));
        // The block is ours to write: it is a copy the wrapper made.
        auto* writable = const_cast<GpRectF*>(rects);
        for (INT index = 0; index < n; ++index) {
            writable[index].Width = static_cast<REAL>(100 + index);
        }
        return Ok;
    }
};

class RecordArrayTest : public GraphicsTest {
protected:
    using Entry = binding::FlatPointer<binding::FlatFunction::GdipFillRectangles>;

    void SetUp() override {
        GraphicsTest::SetUp();
        saved_ = binding::tableEntry<binding::FlatFunction::GdipFillRectangles>;
        binding::tableEntry<binding::FlatFunction::GdipFillRectangles> = &SeenBlock::Fill;
    }
    void TearDown() override {
        binding::tableEntry<binding::FlatFunction::GdipFillRectangles> = saved_;
        GraphicsTest::TearDown();
    }

    Entry saved_ = nullptr;
    Graphics surface;
};

TEST_F(RecordArrayTest, ATwoDimensionalArrayIsOneBlockInStorageOrder) {
    GpRectF grid[2][3] = {};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            grid[row][column] = {static_cast<REAL>(row), static_cast<REAL>(column), 1, 1};
        }
    }

    EXPECT_TRUE(surface.FillRectangles(white_, grid));

    ASSERT_EQ(SeenBlock::count, 6);
    ASSERT_EQ(SeenBlock::records.size(), 6u);
    for (std::size_t index = 0; index < 6; ++index) {
        EXPECT_EQ(SeenBlock::records[index].X, static_cast<REAL>(index / 3));
        EXPECT_EQ(SeenBlock::records[index].Y, static_cast<REAL>(index % 3));
    }
    // What the library wrote reached the caller's records, in the same order.
    EXPECT_EQ(grid[0][0].Width, 100.0f);
    EXPECT_EQ(grid[1][2].Width, 105.0f);
    EXPECT_EQ(grid[1][2].X, 1.0f);
}

TEST_F(RecordArrayTest, AnEmptyArrayIsANullBlockWithCountZero) {
    std::vector<GpRectF> none;
    EXPECT_TRUE(surface.FillRectangles(white_, none));
    EXPECT_TRUE(SeenBlock::wasNull);
    EXPECT_EQ(SeenBlock::count, 0);
}

TEST_F(GraphicsTest, AnEmptyArrayGetsTheLibrarysAnswer) {
    ScanBitmap canvas(2, 2, Clear);
    Graphics surface;
    Open(surface, canvas);
    std::vector<GpRect> none;
    CallSpy spy;

    EXPECT_FALSE(surface.FillRectanglesI(white_, none));

    ASSERT_THAT(spy.Names(), ElementsAre("GdipFillRectanglesI"));
    EXPECT_EQ(spy.Calls()[0].Pointer(2), nullptr);
    EXPECT_EQ(spy.Calls()[0].Integer(3), 0);
    EXPECT_EQ(LastStatus, InvalidParameter);
}

TEST_F(GraphicsTest, RectangleArraysFillAndComeBackUnchanged) {
    ScanBitmap canvas(6, 6, Clear);
    Graphics surface;
    Open(surface, canvas);
    std::array<GpRectF, 2> rects = {GpRectF{0, 0, 3, 3}, GpRectF{3, 3, 3, 3}};

    EXPECT_TRUE(surface.FillRectangles(white_, rects));

    EXPECT_EQ(canvas.At(1, 1), kWhite);
    EXPECT_EQ(canvas.At(4, 4), kWhite);
    EXPECT_EQ(canvas.At(4, 1), kClear);
    EXPECT_EQ(canvas.At(1, 4), kClear);
    EXPECT_EQ(rects[1].X, 3.0f);
    EXPECT_EQ(rects[1].Width, 3.0f);
}

} // namespace
} // namespace vellumark::imaging
