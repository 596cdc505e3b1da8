/* Vellumark GDI+: the flat GDI+ imaging API on Linux.
 *
 * Function names, statuses, enumeration values, GUIDs and record layouts are
 * the published ones. Two things differ from the Windows headers because this
 * is a 64-bit port with a handle table:
 *   - Objects are 32-bit handles (GpImage, GpGraphics, ... are uint32_t), so
 *     an output "GpImage **image" of the published API is "GpImage *image"
 *     here. 0 is never a valid handle; a stale, made-up or wrong-kind handle
 *     is answered with InvalidParameter.
 *   - Linux has no system stream objects: IStream below is a small reference
 *     counted stream interface (the first three operations in COM order, so
 *     Release is the third) that callers implement or create.
 * Every function returns a GpStatus; outputs come last. A function that hands
 * out a handle first sets its output to 0, so the output reads 0 unless the
 * call succeeds. While no start is active every Gdip function returns
 * GdiplusNotInitialized.
 */
#ifndef VELLUMARK_GDIPLUS_H
#define VELLUMARK_GDIPLUS_H

#include <stddef.h>
#include <stdint.h>

#if defined(VELLUMARK_GDIPLUS_BUILD)
#define GDIPAPI __attribute__((visibility("default")))
#else
#define GDIPAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status ---------------------------------------------------------- */

typedef enum GpStatus {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
    ProfileNotFound = 21
} GpStatus;

/* ---- Basic types and records ------------------------------------------ */

typedef int32_t INT;
typedef uint32_t UINT;
typedef int32_t BOOL;
typedef float REAL;
typedef uint32_t ARGB;
typedef uint32_t PROPID;
typedef uintptr_t ULONG_PTR;

typedef struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} GUID;
typedef GUID CLSID;

typedef struct GpPoint { INT X; INT Y; } GpPoint;
typedef struct GpPointF { REAL X; REAL Y; } GpPointF;
typedef struct GpRect { INT X; INT Y; INT Width; INT Height; } GpRect;
typedef struct GpRectF { REAL X; REAL Y; REAL Width; REAL Height; } GpRectF;
typedef struct GpSizeF { REAL Width; REAL Height; } GpSizeF;

/* ---- Value enumerations -------------------------------------------------
 * Enumerations that callers pass in are plain INT typedefs with named
 * constants, so an out-of-range value from a caller is an ordinary integer
 * the library can reject with InvalidParameter. */

typedef INT GpMatrixOrder;
enum { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };

typedef INT GpBrushType;
enum {
    BrushTypeSolidColor = 0,
    BrushTypeHatchFill = 1,
    BrushTypeTextureFill = 2,
    BrushTypePathGradient = 3,
    BrushTypeLinearGradient = 4
};

/* ---- Handles ----------------------------------------------------------- */

typedef uint32_t GpHandle;
typedef GpHandle GpImage;
typedef GpHandle GpBitmap;
typedef GpHandle GpGraphics;
typedef GpHandle GpBrush;
typedef GpHandle GpTexture;
typedef GpHandle GpSolidFill;
typedef GpHandle GpPen;
typedef GpHandle GpPath;
typedef GpHandle GpRegion;
typedef GpHandle GpMatrix;
typedef GpHandle GpFont;
typedef GpHandle GpFontFamily;
typedef GpHandle GpFontCollection;
typedef GpHandle GpStringFormat;
typedef GpHandle GpImageAttributes;
typedef GpHandle GpCachedBitmap;
typedef GpHandle GpEffect;
typedef GpHandle GpMetafile;

/* ---- Streams ------------------------------------------------------------ */

typedef struct IStream IStream;

/* Seek origins, as STREAM_SEEK_SET / CUR / END. */
enum { STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2 };

/* Operation results are 0 for success, non-zero for failure (HRESULT-like). */
typedef struct IStreamVtbl {
    int32_t (*QueryInterface)(IStream* self, const GUID* iid, void** object);
    uint32_t (*AddRef)(IStream* self);
    uint32_t (*Release)(IStream* self);
    int32_t (*Read)(IStream* self, void* buffer, uint32_t count, uint32_t* read);
    int32_t (*Write)(IStream* self, const void* buffer, uint32_t count, uint32_t* written);
    int32_t (*Seek)(IStream* self, int64_t move, uint32_t origin, uint64_t* newPosition);
    int32_t (*GetSize)(IStream* self, uint64_t* size);
    int32_t (*SetSize)(IStream* self, uint64_t size);
} IStreamVtbl;

struct IStream {
    const IStreamVtbl* lpVtbl;
};

/* ---- Start-up ------------------------------------------------------------ */

typedef void (*DebugEventProc)(int32_t level, char* message);

/* The published start-up input; 24 bytes in the 64-bit layout. */
typedef struct GdiplusStartupInput {
    UINT GdiplusVersion;
    DebugEventProc DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
} GdiplusStartupInput;

typedef int32_t (*NotificationHookProc)(ULONG_PTR* token);
typedef void (*NotificationUnhookProc)(ULONG_PTR token);

typedef struct GdiplusStartupOutput {
    NotificationHookProc NotificationHook;
    NotificationUnhookProc NotificationUnhook;
} GdiplusStartupOutput;

/* Versions 1 and 2 start the library; others give UnsupportedGdiplusVersion.
 * Each successful start hands out a new non-zero token; starts are counted
 * by token and the library stays up until every token has been shut down.
 * When the last start ends, every object still alive is reclaimed and its
 * handle goes stale. */
GDIPAPI GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                                GdiplusStartupOutput* output);
GDIPAPI void GdiplusShutdown(ULONG_PTR token);

/* Memory the caller frees with GdipFree. NULL for size 0 or before start-up. */
GDIPAPI void* GdipAlloc(size_t size);
GDIPAPI void GdipFree(void* ptr);

/* ---- Matrix ---------------------------------------------------------------
 * A 3x2 affine matrix in the row-vector convention: a point (x, y) maps to
 * (m11*x + m21*y + dx, m12*x + m22*y + dy). Prepend applies the new operation
 * before the matrix's own; append applies it after. Every operation fails
 * with InvalidParameter for a bad handle, a null pointer, an order other
 * than 0 or 1, or a non-finite number. */

/* Creates the identity matrix; the caller deletes it with GdipDeleteMatrix. */
GDIPAPI GpStatus GdipCreateMatrix(GpMatrix* matrix);
/* Creates a matrix from its six elements; the caller deletes it. */
GDIPAPI GpStatus GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy,
                                   GpMatrix* matrix);
/* Creates an independent copy; the caller deletes it. */
GDIPAPI GpStatus GdipCloneMatrix(GpMatrix matrix, GpMatrix* cloneMatrix);
GDIPAPI GpStatus GdipDeleteMatrix(GpMatrix matrix);
GDIPAPI GpStatus GdipSetMatrixElements(GpMatrix matrix, REAL m11, REAL m12, REAL m21, REAL m22,
                                       REAL dx, REAL dy);
/* Writes m11, m12, m21, m22, dx, dy into the six REALs at matrixOut. */
GDIPAPI GpStatus GdipGetMatrixElements(GpMatrix matrix, REAL* matrixOut);
/* matrix2 may be the same handle as matrix. */
GDIPAPI GpStatus GdipMultiplyMatrix(GpMatrix matrix, GpMatrix matrix2, GpMatrixOrder order);
GDIPAPI GpStatus GdipTranslateMatrix(GpMatrix matrix, REAL offsetX, REAL offsetY,
                                     GpMatrixOrder order);
GDIPAPI GpStatus GdipScaleMatrix(GpMatrix matrix, REAL scaleX, REAL scaleY, GpMatrixOrder order);
/* The angle is in degrees, clockwise in a y-down space. */
GDIPAPI GpStatus GdipRotateMatrix(GpMatrix matrix, REAL angle, GpMatrixOrder order);
/* InvalidParameter, with the matrix unchanged, when it has no inverse. */
GDIPAPI GpStatus GdipInvertMatrix(GpMatrix matrix);
/* Maps count points in place; count must be positive. */
GDIPAPI GpStatus GdipTransformMatrixPoints(GpMatrix matrix, GpPointF* pts, INT count);
/* Integer points are rounded to the nearest integer; ValueOverflow, with no
 * point changed, when a result does not fit into an INT. */
GDIPAPI GpStatus GdipTransformMatrixPointsI(GpMatrix matrix, GpPoint* pts, INT count);
GDIPAPI GpStatus GdipIsMatrixInvertible(GpMatrix matrix, BOOL* result);
GDIPAPI GpStatus GdipIsMatrixIdentity(GpMatrix matrix, BOOL* result);

/* ---- Brushes ----------------------------------------------------------------
 * Every brush handle (solid, texture, ...) is accepted where a GpBrush is
 * asked for; the Get/SetSolidFill functions want a solid brush. */

/* Creates a solid brush of one ARGB colour; the caller deletes it with
 * GdipDeleteBrush. */
GDIPAPI GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill* brush);
GDIPAPI GpStatus GdipGetSolidFillColor(GpSolidFill brush, ARGB* color);
GDIPAPI GpStatus GdipSetSolidFillColor(GpSolidFill brush, ARGB color);
/* Creates an independent copy of any brush; the caller deletes it. */
GDIPAPI GpStatus GdipCloneBrush(GpBrush brush, GpBrush* cloneBrush);
GDIPAPI GpStatus GdipDeleteBrush(GpBrush brush);
GDIPAPI GpStatus GdipGetBrushType(GpBrush brush, GpBrushType* type);

#ifdef __cplusplus
}
#endif

#endif /* VELLUMARK_GDIPLUS_H */
