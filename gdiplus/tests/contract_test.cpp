// The flat API's promise that no misuse of a handle crashes the process.
//
// One row per exported function. Every row is called before start-up, then
// with valid arguments, then with each handle argument replaced in turn by
// 0, a stale handle, made-up numbers and a handle of the wrong kind, and,
// where the function has them, with a null output pointer and with an
// out-of-range enumeration value. When a
// function is added to the header it must get a row here: the coverage test
// at the end fails otherwise.
#include "gdiplus/gdi.h"
#include "gdiplus/gdiplus.h"
#include "image_fixtures.h"
#include "support/header_functions.h"
#include "support/started_library.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace vellumark::gdiplus::testing {
namespace {

// What a handle argument must be.
enum class HandleKind {
    Matrix,
    Brush,
    SolidFill,
    Image,
    Bitmap,
    Graphics,
    Texture,
    ImageAttributes,
    Pen,
    Path,
    Region,
    DeviceContext
};

// The arguments a row's call is made with.
struct Args {
    std::array<GpHandle, 3> handles{};
    bool nullOutput = false;
    bool badEnum = false;

    template <typename T> T* out(T& value) const { return nullOutput ? nullptr : &value; }
    GpMatrixOrder order() const { return badEnum ? 2 : MatrixOrderAppend; }
    GpHandle h(std::size_t i) const { return handles[i]; }
};

struct Row {
    const char* name;
    std::vector<HandleKind> handles;
    bool hasOutput = false;
    bool hasEnum = false;
    GpStatus (*call)(const Args&) = nullptr;
};

std::ostream& operator<<(std::ostream& os, const Row& row) {
    return os << row.name;
}

const std::vector<Row>& rows() {
    using K = HandleKind;
    static const std::vector<Row> table = {
        // Matrix.
        {"GdipCreateMatrix",
         {},
         true,
         false,
         [](const Args& a) {
             GpMatrix m = 0;
             return GdipCreateMatrix(a.out(m));
         }},
        {"GdipCreateMatrix2",
         {},
         true,
         false,
         [](const Args& a) {
             GpMatrix m = 0;
             return GdipCreateMatrix2(1, 0, 0, 1, 0, 0, a.out(m));
         }},
        {"GdipCloneMatrix",
         {K::Matrix},
         true,
         false,
         [](const Args& a) {
             GpMatrix m = 0;
             return GdipCloneMatrix(a.h(0), a.out(m));
         }},
        {"GdipDeleteMatrix",
         {K::Matrix},
         false,
         false,
         [](const Args& a) { return GdipDeleteMatrix(a.h(0)); }},
        {"GdipSetMatrixElements",
         {K::Matrix},
         false,
         false,
         [](const Args& a) { return GdipSetMatrixElements(a.h(0), 1, 0, 0, 1, 0, 0); }},
        {"GdipGetMatrixElements",
         {K::Matrix},
         true,
         false,
         [](const Args& a) {
             std::array<REAL, 6> e{};
             return GdipGetMatrixElements(a.h(0), a.nullOutput ? nullptr : e.data());
         }},
        {"GdipMultiplyMatrix",
         {K::Matrix, K::Matrix},
         false,
         true,
         [](const Args& a) { return GdipMultiplyMatrix(a.h(0), a.h(1), a.order()); }},
        {"GdipTranslateMatrix",
         {K::Matrix},
         false,
         true,
         [](const Args& a) { return GdipTranslateMatrix(a.h(0), 1, 2, a.order()); }},
        {"GdipScaleMatrix",
         {K::Matrix},
         false,
         true,
         [](const Args& a) { return GdipScaleMatrix(a.h(0), 2, 3, a.order()); }},
        {"GdipRotateMatrix",
         {K::Matrix},
         false,
         true,
         [](const Args& a) { return GdipRotateMatrix(a.h(0), 30, a.order()); }},
        {"GdipInvertMatrix",
         {K::Matrix},
         false,
         false,
         [](const Args& a) { return GdipInvertMatrix(a.h(0)); }},
        {"GdipTransformMatrixPoints",
         {K::Matrix},
         true,
         false,
         [](const Args& a) {
             std::array<GpPointF, 2> pts{};
             return GdipTransformMatrixPoints(a.h(0), a.nullOutput ? nullptr : pts.data(), 2);
         }},
        {"GdipTransformMatrixPointsI",
         {K::Matrix},
         true,
         false,
         [](const Args& a) {
             std::array<GpPoint, 2> pts{};
             return GdipTransformMatrixPointsI(a.h(0), a.nullOutput ? nullptr : pts.data(), 2);
         }},
        {"GdipIsMatrixInvertible",
         {K::Matrix},
         true,
         false,
         [](const Args& a) {
             BOOL r = 0;
             return GdipIsMatrixInvertible(a.h(0), a.out(r));
         }},
        {"GdipIsMatrixIdentity",
         {K::Matrix},
         true,
         false,
         [](const Args& a) {
             BOOL r = 0;
             return GdipIsMatrixIdentity(a.h(0), a.out(r));
         }},
        // Brushes.
        {"GdipCreateSolidFill",
         {},
         true,
         false,
         [](const Args& a) {
             GpSolidFill b = 0;
             return GdipCreateSolidFill(0xFF112233, a.out(b));
         }},
        {"GdipGetSolidFillColor",
         {K::SolidFill},
         true,
         false,
         [](const Args& a) {
             ARGB c = 0;
             return GdipGetSolidFillColor(a.h(0), a.out(c));
         }},
        {"GdipSetSolidFillColor",
         {K::SolidFill},
         false,
         false,
         [](const Args& a) { return GdipSetSolidFillColor(a.h(0), 0x80FFFFFF); }},
        {"GdipCloneBrush",
         {K::Brush},
         true,
         false,
         [](const Args& a) {
             GpBrush b = 0;
             return GdipCloneBrush(a.h(0), a.out(b));
         }},
        {"GdipDeleteBrush",
         {K::Brush},
         false,
         false,
         [](const Args& a) { return GdipDeleteBrush(a.h(0)); }},
        {"GdipGetBrushType",
         {K::Brush},
         true,
         false,
         [](const Args& a) {
             GpBrushType t = 0;
             return GdipGetBrushType(a.h(0), a.out(t));
         }},
    // Images, bitmaps, encoders and property items.
#include "image_contract_rows.inc"
    // Drawing surfaces, shapes, pens, paths, textures and image attributes.
#include "graphics_contract_rows.inc"
    // Surfaces on device contexts and windows.
#include "surface_dc_contract_rows.inc"
    // Regions.
#include "region_contract_rows.inc"
    };
    return table;
}

// Functions with lifecycle semantics of their own, tested in startup_test.
const std::set<std::string> kLifecycleFunctions = {"GdiplusStartup", "GdiplusShutdown", "GdipAlloc",
                                                   "GdipFree"};
// Functions that fail by design on this platform, tested in their own suites.
const std::set<std::string> kAlwaysFailing = {"GdipCreateBitmapFromResource"};

// Surfaces, textures, attributes, pens, paths and regions; 0 for other kinds.
GpHandle createLiveDrawingObject(HandleKind kind) {
    GpHandle handle = 0;
    switch (kind) {
    case HandleKind::Graphics:
        EXPECT_EQ(GdipGetImageGraphicsContext(makeBitmap(), &handle), Ok);
        break;
    case HandleKind::Texture:
        EXPECT_EQ(GdipCreateTexture(makeBitmap(), WrapModeTile, &handle), Ok);
        break;
    case HandleKind::ImageAttributes:
        EXPECT_EQ(GdipCreateImageAttributes(&handle), Ok);
        break;
    case HandleKind::Pen:
        EXPECT_EQ(GdipCreatePen1(0xFF000000, 1, UnitWorld, &handle), Ok);
        break;
    case HandleKind::Path:
        EXPECT_EQ(GdipCreatePath(FillModeAlternate, &handle), Ok);
        EXPECT_EQ(GdipAddPathEllipse(handle, 0, 0, 3, 2), Ok);
        break;
    case HandleKind::Region: {
        const GpRect rect{0, 0, 4, 3};
        EXPECT_EQ(GdipCreateRegionRectI(&rect, &handle), Ok);
        break;
    }
    case HandleKind::DeviceContext:
        handle = GdiplusGdiCreateCompatibleDC(0);
        EXPECT_NE(handle, 0u);
        break;
    default:
        break;
    }
    return handle;
}

// Deletes a surface, attributes, pen, path or region; false for other kinds.
bool deleteDrawingObject(HandleKind kind, GpHandle handle) {
    switch (kind) {
    case HandleKind::Graphics:
        EXPECT_EQ(GdipDeleteGraphics(handle), Ok);
        return true;
    case HandleKind::ImageAttributes:
        EXPECT_EQ(GdipDisposeImageAttributes(handle), Ok);
        return true;
    case HandleKind::Pen:
        EXPECT_EQ(GdipDeletePen(handle), Ok);
        return true;
    case HandleKind::Path:
        EXPECT_EQ(GdipDeletePath(handle), Ok);
        return true;
    case HandleKind::Region:
        EXPECT_EQ(GdipDeleteRegion(handle), Ok);
        return true;
    case HandleKind::DeviceContext:
        EXPECT_EQ(GdiplusGdiDeleteDC(handle), 1);
        return true;
    default:
        return false;
    }
}

GpHandle createLive(HandleKind kind) {
    GpHandle handle = 0;
    if (kind == HandleKind::Image || kind == HandleKind::Bitmap) {
        handle = makeBitmap();
        std::uint32_t delay = 10;
        PropertyItem item{kFrameDelayTag, 4, PropertyTagTypeLong, &delay};
        EXPECT_EQ(GdipSetPropertyItem(handle, &item), Ok);
        return handle;
    }
    if (GpHandle drawing = createLiveDrawingObject(kind)) {
        return drawing;
    }
    if (kind == HandleKind::Matrix) {
        EXPECT_EQ(GdipCreateMatrix(&handle), Ok);
    } else {
        EXPECT_EQ(GdipCreateSolidFill(0xFF000000, &handle), Ok);
    }
    return handle;
}

// A live handle of some other kind than `kind` accepts.
GpHandle createWrongKind(HandleKind kind) {
    return createLive(kind == HandleKind::Matrix ? HandleKind::SolidFill : HandleKind::Matrix);
}

GpHandle createStale(HandleKind kind) {
    const GpHandle handle = createLive(kind);
    if (deleteDrawingObject(kind, handle)) {
        return handle;
    }
    const GpStatus deleted = kind == HandleKind::Matrix ? GdipDeleteMatrix(handle)
                             : kind == HandleKind::Image || kind == HandleKind::Bitmap
                                 ? GdipDisposeImage(handle)
                                 : GdipDeleteBrush(handle);
    EXPECT_EQ(deleted, Ok);
    return handle;
}

class FlatApiContract : public StartedLibrary, public ::testing::WithParamInterface<Row> {
protected:
    Args validArgs() const {
        Args args;
        for (std::size_t i = 0; i < GetParam().handles.size(); ++i) {
            args.handles[i] = createLive(GetParam().handles[i]);
        }
        return args;
    }

    // Calls the row with handle argument `index` replaced by `bad`.
    GpStatus callWithHandle(std::size_t index, GpHandle bad) const {
        Args args = validArgs();
        args.handles[index] = bad;
        return GetParam().call(args);
    }
};

TEST_P(FlatApiContract, AnswersGdiplusNotInitializedBeforeStartUp) {
    const Args args = validArgs();
    GdiplusShutdown(token_);
    EXPECT_EQ(GetParam().call(args), GdiplusNotInitialized);
    token_ = startLibrary();
}

TEST_P(FlatApiContract, SucceedsWithValidArguments) {
    EXPECT_EQ(GetParam().call(validArgs()), Ok);
}

TEST_P(FlatApiContract, RejectsMisuseWithInvalidParameter) {
    for (std::size_t i = 0; i < GetParam().handles.size(); ++i) {
        const HandleKind kind = GetParam().handles[i];
        const GpHandle live = createLive(kind);
        const std::vector<std::pair<const char*, GpHandle>> bad = {
            {"zero", 0},
            {"stale", createStale(kind)},
            {"wrong kind", createWrongKind(kind)},
            {"all bits", 0xFFFFFFFFu},
            {"small number", 1},
            {"next generation", live + (1u << 20)},
        };
        for (const auto& [what, handle] : bad) {
            EXPECT_EQ(callWithHandle(i, handle), InvalidParameter)
                << "handle argument " << i << ": " << what;
        }
    }
    if (GetParam().hasOutput) {
        Args args = validArgs();
        args.nullOutput = true;
        EXPECT_EQ(GetParam().call(args), InvalidParameter) << "null output";
    }
    if (GetParam().hasEnum) {
        Args args = validArgs();
        args.badEnum = true;
        EXPECT_EQ(GetParam().call(args), InvalidParameter) << "enumeration out of range";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFunction, FlatApiContract, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<Row>& param) {
                             return std::string(param.param.name);
                         });

TEST(FlatApiContractCoverage, EveryDeclaredFunctionHasARow) {
    std::set<std::string> covered = kLifecycleFunctions;
    covered.insert(kAlwaysFailing.begin(), kAlwaysFailing.end());
    for (const Row& row : rows()) {
        EXPECT_TRUE(covered.insert(row.name).second) << "duplicate row " << row.name;
    }
    const std::set<std::string> declared = headerFunctions(VELLUMARK_GDIPLUS_HEADER);
    ASSERT_FALSE(declared.empty());
    for (const std::string& name : declared) {
        EXPECT_TRUE(covered.count(name)) << name << " has no row in the contract table";
    }
    for (const std::string& name : covered) {
        EXPECT_TRUE(declared.count(name)) << name << " is not declared in the header";
    }
}

} // namespace
} // namespace vellumark::gdiplus::testing
