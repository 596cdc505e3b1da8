// Flat matrix functions: argument checks, then the Matrix engine object.
#include "core/api_call.h"
#include "matrix/matrix.h"

#include <QTransform>
#include <algorithm>

using vellumark::gdiplus::HandleTable;
using vellumark::gdiplus::invalidArgument;
using vellumark::gdiplus::Matrix;
using vellumark::gdiplus::Result;
using vellumark::gdiplus::success;
using namespace vellumark::gdiplus::api;

namespace {

Result<void> requireOrder(GpMatrixOrder order) {
    return requireInRange(order, MatrixOrderPrepend, MatrixOrderAppend);
}

// Combines `operation` into the matrix behind `handle` in the given order.
// `operands` is the check of the numbers the operation was built from.
GpStatus combineInto(GpMatrix handle, Result<void> operands, const QTransform& operation,
                     GpMatrixOrder order) {
    return onObject<Matrix>(handle, [&](Matrix& matrix) -> Result<void> {
        const Result<void> checked = allOf({operands, requireOrder(order)});
        if (!checked) {
            return checked;
        }
        matrix.combine(operation, order);
        return success();
    });
}

GpStatus createMatrix(Result<void> elements, const QTransform& transform, GpMatrix* out) {
    clearOutput(out);
    return guarded([&](HandleTable& objects) -> Result<void> {
        const Result<void> checked = allOf({requirePointer(out), elements});
        if (!checked) {
            return checked;
        }
        return publish(objects, std::make_unique<Matrix>(transform), out);
    });
}

} // namespace

extern "C" {

GpStatus GdipCreateMatrix(GpMatrix* matrix) {
    return createMatrix(success(), QTransform(), matrix);
}

GpStatus GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy,
                           GpMatrix* matrix) {
    return createMatrix(requireFinite(m11, m12, m21, m22, dx, dy),
                        Matrix::fromElements(m11, m12, m21, m22, dx, dy), matrix);
}

GpStatus GdipCloneMatrix(GpMatrix matrix, GpMatrix* cloneMatrix) {
    clearOutput(cloneMatrix);
    return onObject<Matrix>(matrix, [&](Matrix& source, HandleTable& objects) -> Result<void> {
        if (auto checked = requirePointer(cloneMatrix); !checked) {
            return checked;
        }
        return publish(objects, std::make_unique<Matrix>(source.transform()), cloneMatrix);
    });
}

GpStatus GdipDeleteMatrix(GpMatrix matrix) {
    return guarded([&](HandleTable& objects) { return objects.erase(matrix, Matrix::kKind); });
}

GpStatus GdipSetMatrixElements(GpMatrix matrix, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx,
                               REAL dy) {
    return onObject<Matrix>(matrix, [&](Matrix& target) -> Result<void> {
        if (auto checked = requireFinite(m11, m12, m21, m22, dx, dy); !checked) {
            return checked;
        }
        target.setTransform(Matrix::fromElements(m11, m12, m21, m22, dx, dy));
        return success();
    });
}

GpStatus GdipGetMatrixElements(GpMatrix matrix, REAL* matrixOut) {
    return onObject<Matrix>(matrix, [&](Matrix& source) -> Result<void> {
        if (auto checked = requirePointer(matrixOut); !checked) {
            return checked;
        }
        const auto elements = source.elements();
        std::copy(elements.begin(), elements.end(), matrixOut);
        return success();
    });
}

GpStatus GdipMultiplyMatrix(GpMatrix matrix, GpMatrix matrix2, GpMatrixOrder order) {
    // Copied first: matrix2 may be the matrix being changed. A bad matrix2
    // fails here before the first matrix is looked at.
    QTransform operation;
    const GpStatus found = onObject<Matrix>(matrix2, [&](Matrix& other) -> Result<void> {
        operation = other.transform();
        return success();
    });
    return found != Ok ? found : combineInto(matrix, success(), operation, order);
}

GpStatus GdipTranslateMatrix(GpMatrix matrix, REAL offsetX, REAL offsetY, GpMatrixOrder order) {
    return combineInto(matrix, requireFinite(offsetX, offsetY),
                       QTransform::fromTranslate(offsetX, offsetY), order);
}

GpStatus GdipScaleMatrix(GpMatrix matrix, REAL scaleX, REAL scaleY, GpMatrixOrder order) {
    return combineInto(matrix, requireFinite(scaleX, scaleY), QTransform::fromScale(scaleX, scaleY),
                       order);
}

GpStatus GdipRotateMatrix(GpMatrix matrix, REAL angle, GpMatrixOrder order) {
    return combineInto(matrix, requireFinite(angle), QTransform().rotate(angle), order);
}

GpStatus GdipInvertMatrix(GpMatrix matrix) {
    return onObject<Matrix>(matrix, [](Matrix& target) { return target.invert(); });
}

GpStatus GdipTransformMatrixPoints(GpMatrix matrix, GpPointF* pts, INT count) {
    return onObject<Matrix>(matrix, [&](Matrix& source) -> Result<void> {
        if (pts == nullptr || count <= 0) {
            return invalidArgument("no points");
        }
        source.map(std::span(pts, static_cast<std::size_t>(count)));
        return success();
    });
}

GpStatus GdipTransformMatrixPointsI(GpMatrix matrix, GpPoint* pts, INT count) {
    return onObject<Matrix>(matrix, [&](Matrix& source) -> Result<void> {
        if (pts == nullptr || count <= 0) {
            return invalidArgument("no points");
        }
        return source.map(std::span(pts, static_cast<std::size_t>(count)));
    });
}

GpStatus GdipIsMatrixInvertible(GpMatrix matrix, BOOL* result) {
    return queryObject<Matrix>(matrix, result,
                               [](const Matrix& m) { return m.isInvertible() ? 1 : 0; });
}

GpStatus GdipIsMatrixIdentity(GpMatrix matrix, BOOL* result) {
    return queryObject<Matrix>(matrix, result,
                               [](const Matrix& m) { return m.isIdentity() ? 1 : 0; });
}

} // extern "C"
