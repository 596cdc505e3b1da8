// Flat functions of regions.
#include "core/api_call.h"
#include "graphics/graphics.h"
#include "matrix/matrix.h"
#include "path/path.h"
#include "region/region.h"
#include "region/region_data.h"

#include <QPainterPath>
#include <QRect>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

using vellumark::gdiplus::Graphics;
using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::Matrix;
using vellumark::gdiplus::Path;
using vellumark::gdiplus::Region;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using namespace vellumark::gdiplus::api;

namespace {

Result<void> requireCombineMode(GpCombineMode mode) {
    return requireInRange(mode, CombineModeReplace, CombineModeComplement);
}

template <typename Rect> Result<QRectF> checkedRect(const Rect* rect) {
    if (rect == nullptr) {
        return invalidArgument("null rectangle");
    }
    const QRectF box(rect->X, rect->Y, rect->Width, rect->Height);
    if (auto finite = requireFinite(box.x(), box.y(), box.width(), box.height()); !finite) {
        return finite.error();
    }
    return box;
}

// Publishes a region made by `make` once `checks` pass.
template <typename Make> GpStatus createRegion(GpRegion* region, Result<void> checks, Make&& make) {
    clearOutput(region);
    return guarded([&](HandleTable& objects) -> Result<void> {
        if (auto checked = allOf({requirePointer(region), checks}); !checked) {
            return checked;
        }
        Result<std::unique_ptr<Region>> made = make(objects);
        if (!made) {
            return made.error();
        }
        return publish(objects, std::move(*made), region);
    });
}

template <typename Rect> GpStatus createRegionFromRect(const Rect* rect, GpRegion* region) {
    const Result<QRectF> box = checkedRect(rect);
    return createRegion(region, box ? success() : Result<void>(box.error()),
                        [&](HandleTable&) -> Result<std::unique_ptr<Region>> {
                            return std::make_unique<Region>(*box);
                        });
}

template <typename Rect>
GpStatus combineWithRect(GpRegion region, const Rect* rect, GpCombineMode mode) {
    return onObject<Region>(region, [&](Region& target) -> Result<void> {
        const Result<QRectF> box = checkedRect(rect);
        if (!box) {
            return box.error();
        }
        if (auto checked = requireCombineMode(mode); !checked) {
            return checked;
        }
        target.combine(Region(*box), mode);
        return success();
    });
}

// Combines the region with the area `toRegion` makes of another object.
template <typename Source, typename ToRegion>
GpStatus combineWithObject(GpRegion region, GpHandle source, GpCombineMode mode,
                           ToRegion&& toRegion) {
    return onObject<Region>(region, [&](Region& target, HandleTable& objects) -> Result<void> {
        Result<Source*> other = objects.find<Source>(source);
        if (!other) {
            return other.error();
        }
        if (auto checked = requireCombineMode(mode); !checked) {
            return checked;
        }
        target.combine(toRegion(**other), mode);
        return success();
    });
}

// The surface a query names: required unless `optional`, when 0 means none.
Result<void> requireSurface(const HandleTable& objects, GpGraphics graphics, bool optional) {
    if (optional && graphics == 0) {
        return success();
    }
    Result<Graphics*> found = objects.find<Graphics>(graphics);
    return found ? success() : Result<void>(found.error());
}

// Writes `test(region)` to `*result` once the surface and the checks pass.
template <typename Test>
GpStatus regionTest(GpRegion region, GpGraphics graphics, bool surfaceOptional, BOOL* result,
                    Result<void> checks, Test&& test) {
    return onObject<Region>(region, [&](Region& target, HandleTable& objects) -> Result<void> {
        if (auto checked = allOf({requireSurface(objects, graphics, surfaceOptional),
                                  requirePointer(result), checks});
            !checked) {
            return checked;
        }
        *result = test(target) ? 1 : 0;
        return success();
    });
}

// Rounds outwards to whole units; the result fits INT or it is an overflow.
Result<QRect> wholeBounds(const QRectF& bounds) {
    const qreal left = std::floor(bounds.left());
    const qreal top = std::floor(bounds.top());
    const qreal right = std::ceil(bounds.right());
    const qreal bottom = std::ceil(bounds.bottom());
    constexpr qreal kLowest = std::numeric_limits<INT>::min();
    constexpr qreal kHighest = std::numeric_limits<INT>::max();
    if (left < kLowest || top < kLowest || right - left > kHighest || bottom - top > kHighest) {
        return vellumark::gdiplus::Error{ValueOverflow, "bounds beyond INT"};
    }
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                 static_cast<int>(bottom - top));
}

GpStatus regionBounds(GpRegion region, GpGraphics graphics, void* rect,
                      Result<void> (*write)(const QRectF&, void*)) {
    return onObject<Region>(region, [&](Region& target, HandleTable& objects) -> Result<void> {
        if (auto checked = allOf({requireSurface(objects, graphics, false), requirePointer(rect)});
            !checked) {
            return checked;
        }
        return write(target.bounds(), rect);
    });
}

// The region's scans under the matrix behind `matrix`.
Result<std::vector<QRect>> scansOf(const Region& region, const HandleTable& objects,
                                   GpMatrix matrix) {
    Result<Matrix*> transform = objects.find<Matrix>(matrix);
    if (!transform) {
        return transform.error();
    }
    return region.scans((*transform)->transform());
}

// Runs `use(scans)` on the region's scans under the matrix once `out`, the
// output `use` writes through, is known to be there.
template <typename Out, typename Use>
GpStatus withScans(GpRegion region, GpMatrix matrix, Out* out, Use&& use) {
    return onObject<Region>(region, [&](Region& source, HandleTable& objects) -> Result<void> {
        Result<std::vector<QRect>> scans = scansOf(source, objects, matrix);
        if (!scans) {
            return scans.error();
        }
        if (auto checked = requirePointer(out); !checked) {
            return checked;
        }
        return use(*scans);
    });
}

// Writes the scans into `rects`, which holds `*count` records on the way in;
// on the way out `*count` is the number written.
template <typename Rect, typename Convert>
GpStatus writeScans(GpRegion region, Rect* rects, INT* count, GpMatrix matrix, Convert&& convert) {
    return withScans(region, matrix, count, [&](const std::vector<QRect>& scans) -> Result<void> {
        if (scans.empty()) {
            *count = 0;
            return success();
        }
        if (rects == nullptr) {
            return invalidArgument("null rectangles");
        }
        if (*count < 0 || static_cast<std::size_t>(*count) < scans.size()) {
            return vellumark::gdiplus::Error{InsufficientBuffer, "room for fewer scans"};
        }
        std::transform(scans.begin(), scans.end(), rects, convert);
        *count = static_cast<INT>(scans.size());
        return success();
    });
}

} // namespace

extern "C" {

GpStatus GdipCreateRegion(GpRegion* region) {
    return createRegion(region, success(), [](HandleTable&) -> Result<std::unique_ptr<Region>> {
        return std::make_unique<Region>();
    });
}

GpStatus GdipCreateRegionRect(const GpRectF* rect, GpRegion* region) {
    return createRegionFromRect(rect, region);
}

GpStatus GdipCreateRegionRectI(const GpRect* rect, GpRegion* region) {
    return createRegionFromRect(rect, region);
}

GpStatus GdipCreateRegionPath(GpPath path, GpRegion* region) {
    return createRegion(region, success(),
                        [&](HandleTable& objects) -> Result<std::unique_ptr<Region>> {
                            Result<Path*> source = objects.find<Path>(path);
                            if (!source) {
                                return source.error();
                            }
                            return std::make_unique<Region>((*source)->toPainterPath());
                        });
}

GpStatus GdipCreateRegionRgnData(const BYTE* regionData, INT size, GpRegion* region) {
    const bool given = regionData != nullptr && size > 0;
    return createRegion(region, given ? success() : Result<void>(invalidArgument("no region data")),
                        [&](HandleTable&) -> Result<std::unique_ptr<Region>> {
                            Result<Region> decoded = vellumark::gdiplus::decodeRegionData(
                                std::span(regionData, static_cast<std::size_t>(size)));
                            if (!decoded) {
                                return decoded.error();
                            }
                            return std::make_unique<Region>(*decoded);
                        });
}

GpStatus GdipCloneRegion(GpRegion region, GpRegion* cloneRegion) {
    clearOutput(cloneRegion);
    return onObject<Region>(region, [&](Region& source, HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(cloneRegion); !checked) {
            return checked;
        }
        return publish(objects, source.clone(), cloneRegion);
    });
}

GpStatus GdipDeleteRegion(GpRegion region) {
    return guarded([&](HandleTable& objects) { return objects.erase(region, Region::kKind); });
}

GpStatus GdipSetInfinite(GpRegion region) {
    return onObject<Region>(region, [](Region& target) -> Result<void> {
        target.setInfinite();
        return success();
    });
}

GpStatus GdipSetEmpty(GpRegion region) {
    return onObject<Region>(region, [](Region& target) -> Result<void> {
        target.setEmpty();
        return success();
    });
}

GpStatus GdipCombineRegionRect(GpRegion region, const GpRectF* rect, GpCombineMode combineMode) {
    return combineWithRect(region, rect, combineMode);
}

GpStatus GdipCombineRegionRectI(GpRegion region, const GpRect* rect, GpCombineMode combineMode) {
    return combineWithRect(region, rect, combineMode);
}

GpStatus GdipCombineRegionPath(GpRegion region, GpPath path, GpCombineMode combineMode) {
    return combineWithObject<Path>(region, path, combineMode,
                                   [](const Path& p) { return Region(p.toPainterPath()); });
}

GpStatus GdipCombineRegionRegion(GpRegion region, GpRegion region2, GpCombineMode combineMode) {
    // A copy, since region2 may be this very region.
    return combineWithObject<Region>(region, region2, combineMode,
                                     [](const Region& r) { return Region(r); });
}

GpStatus GdipTranslateRegion(GpRegion region, REAL dx, REAL dy) {
    return onObject<Region>(region, [&](Region& target) -> Result<void> {
        if (auto checked = requireFinite(dx, dy); !checked) {
            return checked;
        }
        target.translate(static_cast<qreal>(dx), static_cast<qreal>(dy));
        return success();
    });
}

GpStatus GdipTranslateRegionI(GpRegion region, INT dx, INT dy) {
    return onObject<Region>(region, [&](Region& target) -> Result<void> {
        target.translate(dx, dy);
        return success();
    });
}

GpStatus GdipTransformRegion(GpRegion region, GpMatrix matrix) {
    return onObject<Region>(region, [&](Region& target, HandleTable& objects) -> Result<void> {
        Result<Matrix*> transform = objects.find<Matrix>(matrix);
        if (!transform) {
            return transform.error();
        }
        target.transform((*transform)->transform());
        return success();
    });
}

GpStatus GdipGetRegionBounds(GpRegion region, GpGraphics graphics, GpRectF* rect) {
    return regionBounds(region, graphics, rect, [](const QRectF& bounds, void* out) {
        *static_cast<GpRectF*>(out) = {static_cast<REAL>(bounds.x()), static_cast<REAL>(bounds.y()),
                                       static_cast<REAL>(bounds.width()),
                                       static_cast<REAL>(bounds.height())};
        return success();
    });
}

GpStatus GdipGetRegionBoundsI(GpRegion region, GpGraphics graphics, GpRect* rect) {
    return regionBounds(region, graphics, rect, [](const QRectF& bounds, void* out) {
        const Result<QRect> whole = wholeBounds(bounds);
        if (!whole) {
            return Result<void>(whole.error());
        }
        *static_cast<GpRect*>(out) = {whole->x(), whole->y(), whole->width(), whole->height()};
        return success();
    });
}

GpStatus GdipGetRegionDataSize(GpRegion region, UINT* bufferSize) {
    return queryObject<Region>(region, bufferSize, [](const Region& r) {
        return static_cast<UINT>(vellumark::gdiplus::encodeRegionData(r).size());
    });
}

GpStatus GdipGetRegionData(GpRegion region, BYTE* buffer, UINT bufferSize, UINT* sizeFilled) {
    return onObject<Region>(region, [&](Region& source) -> Result<void> {
        if (auto checked = requirePointer(buffer); !checked) {
            return checked;
        }
        const std::vector<std::uint8_t> data = vellumark::gdiplus::encodeRegionData(source);
        if (data.size() > bufferSize) {
            return vellumark::gdiplus::Error{InsufficientBuffer, "buffer too small"};
        }
        std::copy(data.begin(), data.end(), buffer);
        if (sizeFilled != nullptr) {
            *sizeFilled = static_cast<UINT>(data.size());
        }
        return success();
    });
}

GpStatus GdipGetRegionScansCount(GpRegion region, UINT* count, GpMatrix matrix) {
    return withScans(region, matrix, count, [&](const std::vector<QRect>& scans) {
        *count = static_cast<UINT>(scans.size());
        return success();
    });
}

GpStatus GdipGetRegionScans(GpRegion region, GpRectF* rects, INT* count, GpMatrix matrix) {
    return writeScans(region, rects, count, matrix, [](const QRect& r) {
        return GpRectF{static_cast<REAL>(r.x()), static_cast<REAL>(r.y()),
                       static_cast<REAL>(r.width()), static_cast<REAL>(r.height())};
    });
}

GpStatus GdipGetRegionScansI(GpRegion region, GpRect* rects, INT* count, GpMatrix matrix) {
    return writeScans(region, rects, count, matrix, [](const QRect& r) {
        return GpRect{r.x(), r.y(), r.width(), r.height()};
    });
}

GpStatus GdipIsEmptyRegion(GpRegion region, GpGraphics graphics, BOOL* result) {
    return regionTest(region, graphics, false, result, success(),
                      [](const Region& r) { return r.isEmpty(); });
}

GpStatus GdipIsInfiniteRegion(GpRegion region, GpGraphics graphics, BOOL* result) {
    return regionTest(region, graphics, false, result, success(),
                      [](const Region& r) { return r.isInfinite(); });
}

GpStatus GdipIsEqualRegion(GpRegion region, GpRegion region2, GpGraphics graphics, BOOL* result) {
    return onObject<Region>(region, [&](Region& target, HandleTable& objects) -> Result<void> {
        Result<Region*> other = objects.find<Region>(region2);
        if (!other) {
            return other.error();
        }
        if (auto checked =
                allOf({requireSurface(objects, graphics, false), requirePointer(result)});
            !checked) {
            return checked;
        }
        *result = target.equals(**other) ? 1 : 0;
        return success();
    });
}

GpStatus GdipIsVisibleRegionPoint(GpRegion region, REAL x, REAL y, GpGraphics graphics,
                                  BOOL* result) {
    return regionTest(region, graphics, true, result, requireFinite(x, y), [&](const Region& r) {
        return r.contains(QPointF(static_cast<qreal>(x), static_cast<qreal>(y)));
    });
}

GpStatus GdipIsVisibleRegionPointI(GpRegion region, INT x, INT y, GpGraphics graphics,
                                   BOOL* result) {
    return regionTest(region, graphics, true, result, success(),
                      [&](const Region& r) { return r.contains(QPointF(x, y)); });
}

GpStatus GdipIsVisibleRegionRect(GpRegion region, REAL x, REAL y, REAL width, REAL height,
                                 GpGraphics graphics, BOOL* result) {
    return regionTest(region, graphics, true, result, requireFinite(x, y, width, height),
                      [&](const Region& r) { return r.intersects(QRectF(x, y, width, height)); });
}

GpStatus GdipIsVisibleRegionRectI(GpRegion region, INT x, INT y, INT width, INT height,
                                  GpGraphics graphics, BOOL* result) {
    return regionTest(region, graphics, true, result, success(),
                      [&](const Region& r) { return r.intersects(QRectF(x, y, width, height)); });
}

} // extern "C"
