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

/* Drawing surfaces, pens, paths and texture brushes. */

typedef INT GpUnit;
enum {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6
};

typedef INT GpWrapMode;
enum {
    WrapModeTile = 0,
    WrapModeTileFlipX = 1,
    WrapModeTileFlipY = 2,
    WrapModeTileFlipXY = 3,
    WrapModeClamp = 4
};

typedef INT GpFillMode;
enum { FillModeAlternate = 0, FillModeWinding = 1 };

/* How a region combines with another area: Complement keeps the other area
 * less this region. */
typedef INT GpCombineMode;
enum {
    CombineModeReplace = 0,
    CombineModeIntersect = 1,
    CombineModeUnion = 2,
    CombineModeXor = 3,
    CombineModeExclude = 4,
    CombineModeComplement = 5
};

typedef INT GpCompositingMode;
enum { CompositingModeSourceOver = 0, CompositingModeSourceCopy = 1 };

typedef INT GpCompositingQuality;
enum {
    CompositingQualityDefault = 0,
    CompositingQualityHighSpeed = 1,
    CompositingQualityHighQuality = 2,
    CompositingQualityGammaCorrected = 3,
    CompositingQualityAssumeLinear = 4
};

typedef INT GpSmoothingMode;
enum {
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
    SmoothingModeAntiAlias8x4 = 4,
    SmoothingModeAntiAlias8x8 = 5
};

typedef INT GpPixelOffsetMode;
enum {
    PixelOffsetModeDefault = 0,
    PixelOffsetModeHighSpeed = 1,
    PixelOffsetModeHighQuality = 2,
    PixelOffsetModeNone = 3,
    PixelOffsetModeHalf = 4
};

typedef INT GpInterpolationMode;
enum {
    InterpolationModeDefault = 0,
    InterpolationModeLowQuality = 1,
    InterpolationModeHighQuality = 2,
    InterpolationModeBilinear = 3,
    InterpolationModeBicubic = 4,
    InterpolationModeNearestNeighbor = 5,
    InterpolationModeHighQualityBilinear = 6,
    InterpolationModeHighQualityBicubic = 7
};

typedef INT GpTextRenderingHint;
enum {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5
};

typedef INT GpFlushIntention;
enum { FlushIntentionFlush = 0, FlushIntentionSync = 1 };

typedef INT GpDashStyle;
enum {
    DashStyleSolid = 0,
    DashStyleDash = 1,
    DashStyleDot = 2,
    DashStyleDashDot = 3,
    DashStyleDashDotDot = 4,
    DashStyleCustom = 5
};

typedef INT GpDashCap;
enum { DashCapFlat = 0, DashCapRound = 2, DashCapTriangle = 3 };

typedef INT GpLineCap;
enum {
    LineCapFlat = 0,
    LineCapSquare = 1,
    LineCapRound = 2,
    LineCapTriangle = 3,
    LineCapNoAnchor = 0x10,
    LineCapSquareAnchor = 0x11,
    LineCapRoundAnchor = 0x12,
    LineCapDiamondAnchor = 0x13,
    LineCapArrowAnchor = 0x14,
    LineCapCustom = 0xff
};

typedef INT GpLineJoin;
enum { LineJoinMiter = 0, LineJoinBevel = 1, LineJoinRound = 2, LineJoinMiterClipped = 3 };

typedef INT GpPenAlignment;
enum { PenAlignmentCenter = 0, PenAlignmentInset = 1 };

typedef INT GpPenType;
enum {
    PenTypeSolidColor = 0,
    PenTypeHatchFill = 1,
    PenTypeTextureFill = 2,
    PenTypePathGradient = 3,
    PenTypeLinearGradient = 4,
    PenTypeUnknown = -1
};

/* Path point types: the low three bits say what a point is; the flags mark
 * a dash, a marker and the last point of a closed figure. */
enum {
    PathPointTypeStart = 0,
    PathPointTypeLine = 1,
    PathPointTypeBezier = 3,
    PathPointTypePathTypeMask = 0x07,
    PathPointTypeDashMode = 0x10,
    PathPointTypePathMarker = 0x20,
    PathPointTypeCloseSubpath = 0x80
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

/* ---- Images: types and records ----------------------------------------------
 * UTF-16 file names; GDI object handles (HBITMAP, HICON, HPALETTE,
 * HINSTANCE) are 32-bit values naming entries of the library's own small GDI
 * object table. Records that hold addresses have the published 64-bit
 * layouts. */

typedef uint16_t WCHAR;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t HBITMAP;
typedef uint32_t HICON;
typedef uint32_t HPALETTE;
typedef uint32_t HINSTANCE;
/* Device contexts and windows of the library's GDI table (gdiplus/gdi.h). */
typedef uint32_t HDC;
typedef uint32_t HWND;
typedef uint32_t HANDLE;

typedef INT PixelFormat;
enum {
    PixelFormatUndefined = 0,
    PixelFormatDontCare = 0,
    PixelFormat1bppIndexed = 0x00030101,
    PixelFormat4bppIndexed = 0x00030402,
    PixelFormat8bppIndexed = 0x00030803,
    PixelFormat16bppGrayScale = 0x00101004,
    PixelFormat16bppRGB555 = 0x00021005,
    PixelFormat16bppRGB565 = 0x00021006,
    PixelFormat16bppARGB1555 = 0x00061007,
    PixelFormat24bppRGB = 0x00021808,
    PixelFormat32bppRGB = 0x00022009,
    PixelFormat32bppARGB = 0x0026200A,
    PixelFormat32bppPARGB = 0x000E200B,
    PixelFormat48bppRGB = 0x0010300C,
    PixelFormat64bppARGB = 0x0034400D,
    PixelFormat64bppPARGB = 0x001C400E,
    PixelFormat32bppCMYK = 0x0000200F
};

typedef INT ImageType;
enum { ImageTypeUnknown = 0, ImageTypeBitmap = 1, ImageTypeMetafile = 2 };

enum {
    ImageFlagsNone = 0,
    ImageFlagsScalable = 0x0001,
    ImageFlagsHasAlpha = 0x0002,
    ImageFlagsHasTranslucent = 0x0004,
    ImageFlagsPartiallyScalable = 0x0008,
    ImageFlagsColorSpaceRGB = 0x0010,
    ImageFlagsColorSpaceCMYK = 0x0020,
    ImageFlagsColorSpaceGRAY = 0x0040,
    ImageFlagsColorSpaceYCBCR = 0x0080,
    ImageFlagsColorSpaceYCCK = 0x0100,
    ImageFlagsHasRealDPI = 0x1000,
    ImageFlagsHasRealPixelSize = 0x2000,
    ImageFlagsReadOnly = 0x00010000,
    ImageFlagsCaching = 0x00020000
};

typedef INT RotateFlipType;
enum {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7,
    RotateNoneFlipY = 6,
    Rotate90FlipY = 7,
    Rotate180FlipY = 4,
    Rotate270FlipY = 5,
    RotateNoneFlipXY = 2,
    Rotate90FlipXY = 3,
    Rotate180FlipXY = 0,
    Rotate270FlipXY = 1
};

/* The unit GdipGetImageBounds reports; bitmaps answer UnitPixel (2). */
typedef INT GpImageUnit;

/* ColorPalette: Flags, Count, then Count ARGB entries. */
enum { PaletteFlagsHasAlpha = 1, PaletteFlagsGrayScale = 2, PaletteFlagsHalftone = 4 };
typedef struct ColorPalette {
    UINT Flags;
    UINT Count;
    ARGB Entries[1];
} ColorPalette;

/* Property item types and the published 24-byte (64-bit) item layout. */
enum {
    PropertyTagTypeByte = 1,
    PropertyTagTypeASCII = 2,
    PropertyTagTypeShort = 3,
    PropertyTagTypeLong = 4,
    PropertyTagTypeRational = 5,
    PropertyTagTypeUndefined = 7,
    PropertyTagTypeSLONG = 9,
    PropertyTagTypeSRational = 10
};
typedef struct PropertyItem {
    PROPID id;
    uint32_t length;
    WORD type;
    void* value;
} PropertyItem;

/* Encoder parameters: a count, then 32-byte items from offset 8. */
enum {
    EncoderParameterValueTypeByte = 1,
    EncoderParameterValueTypeASCII = 2,
    EncoderParameterValueTypeShort = 3,
    EncoderParameterValueTypeLong = 4,
    EncoderParameterValueTypeRational = 5,
    EncoderParameterValueTypeLongRange = 6,
    EncoderParameterValueTypeUndefined = 7,
    EncoderParameterValueTypeRationalRange = 8
};
typedef struct EncoderParameter {
    GUID Guid;
    uint32_t NumberOfValues;
    uint32_t Type;
    void* Value;
} EncoderParameter;
typedef struct EncoderParameters {
    UINT Count;
    EncoderParameter Parameter[1];
} EncoderParameters;

/* EncoderValue: values of the compression, scan, render, save-flag and
 * transformation parameters. */
enum {
    EncoderValueColorTypeCMYK = 0,
    EncoderValueColorTypeYCCK = 1,
    EncoderValueCompressionLZW = 2,
    EncoderValueCompressionCCITT3 = 3,
    EncoderValueCompressionCCITT4 = 4,
    EncoderValueCompressionRle = 5,
    EncoderValueCompressionNone = 6,
    EncoderValueScanMethodInterlaced = 7,
    EncoderValueScanMethodNonInterlaced = 8,
    EncoderValueVersionGif87 = 9,
    EncoderValueVersionGif89 = 10,
    EncoderValueRenderProgressive = 11,
    EncoderValueRenderNonProgressive = 12,
    EncoderValueTransformRotate90 = 13,
    EncoderValueTransformRotate180 = 14,
    EncoderValueTransformRotate270 = 15,
    EncoderValueTransformFlipHorizontal = 16,
    EncoderValueTransformFlipVertical = 17,
    EncoderValueMultiFrame = 18,
    EncoderValueLastFrame = 19,
    EncoderValueFlush = 20,
    EncoderValueFrameDimensionTime = 21,
    EncoderValueFrameDimensionResolution = 22,
    EncoderValueFrameDimensionPage = 23
};

/* ImageCodecInfo: 104 bytes in the 64-bit layout. */
enum {
    ImageCodecFlagsEncoder = 0x00000001,
    ImageCodecFlagsDecoder = 0x00000002,
    ImageCodecFlagsSupportBitmap = 0x00000004,
    ImageCodecFlagsSupportVector = 0x00000008,
    ImageCodecFlagsSeekableEncode = 0x00000010,
    ImageCodecFlagsBlockingDecode = 0x00000020,
    ImageCodecFlagsBuiltin = 0x00010000,
    ImageCodecFlagsSystem = 0x00020000,
    ImageCodecFlagsUser = 0x00040000
};
typedef struct ImageCodecInfo {
    CLSID Clsid;
    GUID FormatID;
    const WCHAR* CodecName;
    const WCHAR* DllName;
    const WCHAR* FormatDescription;
    const WCHAR* FilenameExtension;
    const WCHAR* MimeType;
    uint32_t Flags;
    uint32_t Version;
    uint32_t SigCount;
    uint32_t SigSize;
    const BYTE* SigPattern;
    const BYTE* SigMask;
} ImageCodecInfo;

/* The GDI device-independent bitmap header and description. */
typedef struct BITMAPINFOHEADER {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
} BITMAPINFOHEADER;
typedef struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;
typedef struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO;

/* Called now and then during a thumbnail; non-zero aborts. May be NULL. */
typedef BOOL (*GetThumbnailImageAbort)(void* callbackData);

/* ---- Images -------------------------------------------------------------------
 * Every image handle (bitmaps included) is accepted where a GpImage is asked
 * for. Formats are found from the content's signature, never from a name. A
 * missing file gives FileNotFound (a file that cannot be opened, such as a
 * directory, OutOfMemory as published); content that is no known picture
 * gives UnknownImageFormat and damaged or over-large pictures OutOfMemory.
 * A picture keeps the pixel format its file stores (indexed with its palette,
 * 16-bit 555/565/1555, 24/32-bit, 48/64-bit for 16-bit samples); an icon or
 * cursor file gives every image it holds as a page (FrameDimensionPage), the
 * largest and deepest first, each in 32bppARGB. */

GDIPAPI GpStatus GdipLoadImageFromStream(IStream* stream, GpImage* image);
GDIPAPI GpStatus GdipLoadImageFromStreamICM(IStream* stream, GpImage* image);
GDIPAPI GpStatus GdipLoadImageFromFile(const WCHAR* filename, GpImage* image);
GDIPAPI GpStatus GdipLoadImageFromFileICM(const WCHAR* filename, GpImage* image);
/* Creates an independent copy with every frame and property. */
GDIPAPI GpStatus GdipCloneImage(GpImage image, GpImage* cloneImage);
GDIPAPI GpStatus GdipDisposeImage(GpImage image);
GDIPAPI GpStatus GdipImageForceValidation(GpImage image);

GDIPAPI GpStatus GdipGetImageType(GpImage image, ImageType* type);
GDIPAPI GpStatus GdipGetImageWidth(GpImage image, UINT* width);
GDIPAPI GpStatus GdipGetImageHeight(GpImage image, UINT* height);
GDIPAPI GpStatus GdipGetImageDimension(GpImage image, REAL* width, REAL* height);
/* srcUnit may be NULL. */
GDIPAPI GpStatus GdipGetImageBounds(GpImage image, GpRectF* srcRect, GpImageUnit* srcUnit);
GDIPAPI GpStatus GdipGetImageHorizontalResolution(GpImage image, REAL* resolution);
GDIPAPI GpStatus GdipGetImageVerticalResolution(GpImage image, REAL* resolution);
GDIPAPI GpStatus GdipGetImageFlags(GpImage image, UINT* flags);
GDIPAPI GpStatus GdipGetImageRawFormat(GpImage image, GUID* format);
GDIPAPI GpStatus GdipGetImagePixelFormat(GpImage image, PixelFormat* format);

/* A 32-bit ARGB copy scaled to thumbWidth x thumbHeight; 0 x 0 asks for the
 * library's default size of 120 x 120. */
GDIPAPI GpStatus GdipGetImageThumbnail(GpImage image, UINT thumbWidth, UINT thumbHeight,
                                       GpImage* thumbImage, GetThumbnailImageAbort callback,
                                       void* callbackData);
GDIPAPI GpStatus GdipImageRotateFlip(GpImage image, RotateFlipType rfType);

/* Palettes: the size in bytes of the ColorPalette record (8 + 4 x count). */
GDIPAPI GpStatus GdipGetImagePaletteSize(GpImage image, INT* size);
GDIPAPI GpStatus GdipGetImagePalette(GpImage image, ColorPalette* palette, INT size);
GDIPAPI GpStatus GdipSetImagePalette(GpImage image, const ColorPalette* palette);

/* Frames: time for animations, page for multi-page files. */
GDIPAPI GpStatus GdipImageGetFrameDimensionsCount(GpImage image, UINT* count);
GDIPAPI GpStatus GdipImageGetFrameDimensionsList(GpImage image, GUID* dimensionIDs, UINT count);
GDIPAPI GpStatus GdipImageGetFrameCount(GpImage image, const GUID* dimensionID, UINT* count);
GDIPAPI GpStatus GdipImageSelectActiveFrame(GpImage image, const GUID* dimensionID,
                                            UINT frameIndex);

/* Property items. A PropertyItem buffer holds the 24-byte item followed by
 * its value, which the item's value pointer addresses. */
GDIPAPI GpStatus GdipGetPropertyCount(GpImage image, UINT* numOfProperty);
GDIPAPI GpStatus GdipGetPropertyIdList(GpImage image, UINT numOfProperty, PROPID* list);
GDIPAPI GpStatus GdipGetPropertyItemSize(GpImage image, PROPID propId, UINT* size);
GDIPAPI GpStatus GdipGetPropertyItem(GpImage image, PROPID propId, UINT propSize,
                                     PropertyItem* buffer);
GDIPAPI GpStatus GdipGetPropertySize(GpImage image, UINT* totalBufferSize, UINT* numProperties);
GDIPAPI GpStatus GdipGetAllPropertyItems(GpImage image, UINT totalBufferSize, UINT numProperties,
                                         PropertyItem* allItems);
GDIPAPI GpStatus GdipRemovePropertyItem(GpImage image, PROPID propId);
/* The library copies the item and its value. */
GDIPAPI GpStatus GdipSetPropertyItem(GpImage image, const PropertyItem* item);

/* ---- Encoders and saving -------------------------------------------------------
 * Encoders are named by their published class ids; an unknown id (the
 * all-zero one included) gives FileNotFound as published. Multi-frame
 * files: save with EncoderSaveFlag = EncoderValueMultiFrame, add frames with
 * GdipSaveAdd / GdipSaveAddImage (EncoderValueFrameDimensionPage or Time),
 * end with EncoderValueFlush. */

GDIPAPI GpStatus GdipGetImageEncodersSize(UINT* numEncoders, UINT* size);
GDIPAPI GpStatus GdipGetImageEncoders(UINT numEncoders, UINT size, ImageCodecInfo* encoders);
GDIPAPI GpStatus GdipGetImageDecodersSize(UINT* numDecoders, UINT* size);
GDIPAPI GpStatus GdipGetImageDecoders(UINT numDecoders, UINT size, ImageCodecInfo* decoders);
GDIPAPI GpStatus GdipGetEncoderParameterListSize(GpImage image, const CLSID* clsidEncoder,
                                                 UINT* size);
GDIPAPI GpStatus GdipGetEncoderParameterList(GpImage image, const CLSID* clsidEncoder, UINT size,
                                             EncoderParameters* buffer);
/* encoderParams may be NULL. */
GDIPAPI GpStatus GdipSaveImageToFile(GpImage image, const WCHAR* filename,
                                     const CLSID* clsidEncoder,
                                     const EncoderParameters* encoderParams);
GDIPAPI GpStatus GdipSaveImageToStream(GpImage image, IStream* stream, const CLSID* clsidEncoder,
                                       const EncoderParameters* encoderParams);
GDIPAPI GpStatus GdipSaveAdd(GpImage image, const EncoderParameters* encoderParams);
GDIPAPI GpStatus GdipSaveAddImage(GpImage image, GpImage newImage,
                                  const EncoderParameters* encoderParams);

/* ---- Bitmaps -------------------------------------------------------------------
 * Creation functions hand out a GpBitmap, which is also a GpImage. */

GDIPAPI GpStatus GdipCreateBitmapFromStream(IStream* stream, GpBitmap* bitmap);
GDIPAPI GpStatus GdipCreateBitmapFromStreamICM(IStream* stream, GpBitmap* bitmap);
GDIPAPI GpStatus GdipCreateBitmapFromFile(const WCHAR* filename, GpBitmap* bitmap);
GDIPAPI GpStatus GdipCreateBitmapFromFileICM(const WCHAR* filename, GpBitmap* bitmap);
/* A null scan0 gives library-owned memory, every pixel 0 (transparent), and
 * stride is then ignored. With scan0 the bitmap works on the caller's memory,
 * which stays the caller's and must outlive the bitmap; stride must be a
 * multiple of 4 holding at least one row (negative for bottom-up rows). */
GDIPAPI GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                           BYTE* scan0, GpBitmap* bitmap);
/* A blank PixelFormat32bppPARGB bitmap (every pixel 0) of library-owned
 * memory with the resolution of the surface that `target` draws on. */
GDIPAPI GpStatus GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics target,
                                              GpBitmap* bitmap);
/* Copies an uncompressed (BI_RGB or BI_BITFIELDS) DIB of 1 to 32 bpp. */
GDIPAPI GpStatus GdipCreateBitmapFromGdiDib(const BITMAPINFO* gdiBitmapInfo, void* gdiBitmapData,
                                            GpBitmap* bitmap);
GDIPAPI GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE hpal, GpBitmap* bitmap);
GDIPAPI GpStatus GdipCreateBitmapFromHICON(HICON hicon, GpBitmap* bitmap);
/* Linux has no module resources: always Win32Error, with *bitmap 0. */
GDIPAPI GpStatus GdipCreateBitmapFromResource(HINSTANCE hInstance, const WCHAR* lpBitmapName,
                                              GpBitmap* bitmap);
/* The bitmap composited (source over) onto the background colour, as a
 * 32 bpp GDI bitmap. GDI objects live in the library's own process-wide
 * table of at most 10000 objects; this port exports no DeleteObject. */
GDIPAPI GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap bitmap, HBITMAP* hbmReturn,
                                             ARGB background);
/* An icon of the bitmap's pixels with their alpha. */
GDIPAPI GpStatus GdipCreateHICONFromBitmap(GpBitmap bitmap, HICON* hbmReturn);
/* The area must lie inside the bitmap; otherwise InvalidParameter and 0. */
GDIPAPI GpStatus GdipCloneBitmapArea(REAL x, REAL y, REAL width, REAL height, PixelFormat format,
                                     GpBitmap srcBitmap, GpBitmap* dstBitmap);
GDIPAPI GpStatus GdipCloneBitmapAreaI(INT x, INT y, INT width, INT height, PixelFormat format,
                                      GpBitmap srcBitmap, GpBitmap* dstBitmap);
GDIPAPI GpStatus GdipBitmapSetResolution(GpBitmap bitmap, REAL xdpi, REAL ydpi);

/* ---- Drawing surfaces ----------------------------------------------------
 * A surface draws into an image's own pixels. Every function fails with
 * InvalidParameter for a bad handle, a null pointer or an enumeration value
 * out of range. A new surface has smoothing none, pixel offset none,
 * compositing source-over and default quality, nearest-neighbour-free
 * bilinear interpolation, text hint system default, text contrast 4, page
 * unit display, page scale 1, identity world transform and no clip. */

/* Opens a surface on a bitmap of any non-indexed pixel format; indexed
 * formats give OutOfMemory as published. The caller deletes it with
 * GdipDeleteGraphics before disposing of the image. */
GDIPAPI GpStatus GdipGetImageGraphicsContext(GpImage image, GpGraphics* graphics);
/* Opens a surface on a device context of gdiplus/gdi.h: a memory device
 * context draws into its selected bitmap, a window's into the window's
 * pixels, one from GdipGetDC into that surface's pixels. Surfaces on device
 * contexts have 96 dpi. InvalidParameter for a handle that is not a live
 * device context; a surface whose device context is deleted later fails its
 * draws with InvalidParameter. */
GDIPAPI GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics* graphics);
/* hDevice names a printer on Windows; this port has none, so it must be 0. */
GDIPAPI GpStatus GdipCreateFromHDC2(HDC hdc, HANDLE hDevice, GpGraphics* graphics);
/* Opens a surface on a host's window (gdiplus/gdi.h), or on the screen for
 * window 0 and the desktop window. The surface takes the window's device
 * context itself: flushing or deleting the surface shows the window what
 * was drawn. InvalidParameter for a window that is not registered,
 * Win32Error when its host reports no size. */
GDIPAPI GpStatus GdipCreateFromHWND(HWND hwnd, GpGraphics* graphics);
/* No colour management on this port: the same as GdipCreateFromHWND. */
GDIPAPI GpStatus GdipCreateFromHWNDICM(HWND hwnd, GpGraphics* graphics);
/* Deleting a surface that has a device context out (GdipGetDC) fails with
 * ObjectBusy. */
GDIPAPI GpStatus GdipDeleteGraphics(GpGraphics graphics);
/* Drawing is immediate; flushing a surface on a window shows the window what
 * was drawn so far. */
GDIPAPI GpStatus GdipFlush(GpGraphics graphics, GpFlushIntention intention);
/* A device context onto the surface's own pixels, usable with
 * GdipCreateFromHDC. Until GdipReleaseDC gives it back the surface is busy:
 * every other call on it, GdipGetDC included, fails with ObjectBusy. */
GDIPAPI GpStatus GdipGetDC(GpGraphics graphics, HDC* hdc);
/* Gives back the device context GdipGetDC handed out; InvalidParameter for
 * any other. Surfaces opened on it fail their draws afterwards. */
GDIPAPI GpStatus GdipReleaseDC(GpGraphics graphics, HDC hdc);
/* The colour the surface would store for *argb; unchanged on 32-bit
 * surfaces. */
GDIPAPI GpStatus GdipGetNearestColor(GpGraphics graphics, ARGB* argb);

GDIPAPI GpStatus GdipSetRenderingOrigin(GpGraphics graphics, INT x, INT y);
GDIPAPI GpStatus GdipGetRenderingOrigin(GpGraphics graphics, INT* x, INT* y);
GDIPAPI GpStatus GdipSetCompositingMode(GpGraphics graphics, GpCompositingMode compositingMode);
GDIPAPI GpStatus GdipGetCompositingMode(GpGraphics graphics, GpCompositingMode* compositingMode);
GDIPAPI GpStatus GdipSetCompositingQuality(GpGraphics graphics,
                                           GpCompositingQuality compositingQuality);
GDIPAPI GpStatus GdipGetCompositingQuality(GpGraphics graphics,
                                           GpCompositingQuality* compositingQuality);
GDIPAPI GpStatus GdipSetTextRenderingHint(GpGraphics graphics, GpTextRenderingHint mode);
GDIPAPI GpStatus GdipGetTextRenderingHint(GpGraphics graphics, GpTextRenderingHint* mode);
/* Contrast runs from 0 to 12. */
GDIPAPI GpStatus GdipSetTextContrast(GpGraphics graphics, UINT contrast);
GDIPAPI GpStatus GdipGetTextContrast(GpGraphics graphics, UINT* contrast);
/* Default, low and high quality read back as bilinear and high-quality
 * bicubic, as published. */
GDIPAPI GpStatus GdipSetInterpolationMode(GpGraphics graphics,
                                          GpInterpolationMode interpolationMode);
GDIPAPI GpStatus GdipGetInterpolationMode(GpGraphics graphics,
                                          GpInterpolationMode* interpolationMode);
/* Default and high speed read back as none, high quality as anti-alias. */
GDIPAPI GpStatus GdipSetSmoothingMode(GpGraphics graphics, GpSmoothingMode smoothingMode);
GDIPAPI GpStatus GdipGetSmoothingMode(GpGraphics graphics, GpSmoothingMode* smoothingMode);
/* Pixel centres sit on integer coordinates unless the mode is half or high
 * quality, which put them half a pixel further. */
GDIPAPI GpStatus GdipSetPixelOffsetMode(GpGraphics graphics, GpPixelOffsetMode pixelOffsetMode);
GDIPAPI GpStatus GdipGetPixelOffsetMode(GpGraphics graphics,
                                        GpPixelOffsetMode* pixelOffsetMode);
/* UnitWorld is not a page unit. */
GDIPAPI GpStatus GdipSetPageUnit(GpGraphics graphics, GpUnit unit);
GDIPAPI GpStatus GdipGetPageUnit(GpGraphics graphics, GpUnit* unit);
/* The scale must be positive and finite. */
GDIPAPI GpStatus GdipSetPageScale(GpGraphics graphics, REAL scale);
GDIPAPI GpStatus GdipGetPageScale(GpGraphics graphics, REAL* scale);
GDIPAPI GpStatus GdipGetDpiX(GpGraphics graphics, REAL* dpi);
GDIPAPI GpStatus GdipGetDpiY(GpGraphics graphics, REAL* dpi);

/* ---- Shapes ---------------------------------------------------------------
 * Coordinates are world coordinates. Arrays are one contiguous block of
 * count records; a null block or a count too small for the shape gives
 * InvalidParameter. Non-finite coordinates give InvalidParameter. */

/* Sets every pixel inside the clip to the colour, ignoring compositing. */
GDIPAPI GpStatus GdipGraphicsClear(GpGraphics graphics, ARGB color);
GDIPAPI GpStatus GdipFillRectangle(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width,
                                   REAL height);
GDIPAPI GpStatus GdipFillRectangleI(GpGraphics graphics, GpBrush brush, INT x, INT y, INT width,
                                    INT height);
GDIPAPI GpStatus GdipFillRectangles(GpGraphics graphics, GpBrush brush, const GpRectF* rects,
                                    INT count);
GDIPAPI GpStatus GdipFillRectanglesI(GpGraphics graphics, GpBrush brush, const GpRect* rects,
                                     INT count);
GDIPAPI GpStatus GdipFillEllipse(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width,
                                 REAL height);
GDIPAPI GpStatus GdipFillEllipseI(GpGraphics graphics, GpBrush brush, INT x, INT y, INT width,
                                  INT height);

GDIPAPI GpStatus GdipFillPolygon(GpGraphics graphics, GpBrush brush, const GpPointF* points,
                                 INT count, GpFillMode fillMode);
GDIPAPI GpStatus GdipFillPolygonI(GpGraphics graphics, GpBrush brush, const GpPoint* points,
                                  INT count, GpFillMode fillMode);
/* Angles are in degrees, clockwise from the x axis. */
GDIPAPI GpStatus GdipFillPie(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width,
                             REAL height, REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipFillPieI(GpGraphics graphics, GpBrush brush, INT x, INT y, INT width,
                              INT height, REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipFillPath(GpGraphics graphics, GpBrush brush, GpPath path);
/* Closed cardinal splines; the plain forms use tension 0.5 and alternate
 * filling. */
GDIPAPI GpStatus GdipFillClosedCurve(GpGraphics graphics, GpBrush brush, const GpPointF* points,
                                     INT count);
GDIPAPI GpStatus GdipFillClosedCurveI(GpGraphics graphics, GpBrush brush, const GpPoint* points,
                                      INT count);
GDIPAPI GpStatus GdipFillClosedCurve2(GpGraphics graphics, GpBrush brush, const GpPointF* points,
                                      INT count, REAL tension, GpFillMode fillMode);
GDIPAPI GpStatus GdipFillClosedCurve2I(GpGraphics graphics, GpBrush brush, const GpPoint* points,
                                       INT count, REAL tension, GpFillMode fillMode);
/* Fills the region's area; the infinite region fills everything inside the
 * clip. */
GDIPAPI GpStatus GdipFillRegion(GpGraphics graphics, GpBrush brush, GpRegion region);

/* Outlines, stroked with a pen. Lines need 2 points, Béziers 3n + 1. */
GDIPAPI GpStatus GdipDrawLine(GpGraphics graphics, GpPen pen, REAL x1, REAL y1, REAL x2, REAL y2);
GDIPAPI GpStatus GdipDrawLineI(GpGraphics graphics, GpPen pen, INT x1, INT y1, INT x2, INT y2);
GDIPAPI GpStatus GdipDrawLines(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count);
GDIPAPI GpStatus GdipDrawLinesI(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count);
GDIPAPI GpStatus GdipDrawArc(GpGraphics graphics, GpPen pen, REAL x, REAL y, REAL width,
                             REAL height, REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipDrawArcI(GpGraphics graphics, GpPen pen, INT x, INT y, INT width, INT height,
                              REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipDrawBezier(GpGraphics graphics, GpPen pen, REAL x1, REAL y1, REAL x2,
                                REAL y2, REAL x3, REAL y3, REAL x4, REAL y4);
GDIPAPI GpStatus GdipDrawBezierI(GpGraphics graphics, GpPen pen, INT x1, INT y1, INT x2, INT y2,
                                 INT x3, INT y3, INT x4, INT y4);
GDIPAPI GpStatus GdipDrawBeziers(GpGraphics graphics, GpPen pen, const GpPointF* points,
                                 INT count);
GDIPAPI GpStatus GdipDrawBeziersI(GpGraphics graphics, GpPen pen, const GpPoint* points,
                                  INT count);
GDIPAPI GpStatus GdipDrawRectangle(GpGraphics graphics, GpPen pen, REAL x, REAL y, REAL width,
                                   REAL height);
GDIPAPI GpStatus GdipDrawRectangleI(GpGraphics graphics, GpPen pen, INT x, INT y, INT width,
                                    INT height);
GDIPAPI GpStatus GdipDrawRectangles(GpGraphics graphics, GpPen pen, const GpRectF* rects,
                                    INT count);
GDIPAPI GpStatus GdipDrawRectanglesI(GpGraphics graphics, GpPen pen, const GpRect* rects,
                                     INT count);
GDIPAPI GpStatus GdipDrawEllipse(GpGraphics graphics, GpPen pen, REAL x, REAL y, REAL width,
                                 REAL height);
GDIPAPI GpStatus GdipDrawEllipseI(GpGraphics graphics, GpPen pen, INT x, INT y, INT width,
                                  INT height);
GDIPAPI GpStatus GdipDrawPie(GpGraphics graphics, GpPen pen, REAL x, REAL y, REAL width,
                             REAL height, REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipDrawPieI(GpGraphics graphics, GpPen pen, INT x, INT y, INT width, INT height,
                              REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipDrawPolygon(GpGraphics graphics, GpPen pen, const GpPointF* points,
                                 INT count);
GDIPAPI GpStatus GdipDrawPolygonI(GpGraphics graphics, GpPen pen, const GpPoint* points,
                                  INT count);
GDIPAPI GpStatus GdipDrawPath(GpGraphics graphics, GpPen pen, GpPath path);
/* Cardinal splines through the points: tension 0.5 unless given; Curve3
 * draws numberOfSegments segments from point offset. */
GDIPAPI GpStatus GdipDrawCurve(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count);
GDIPAPI GpStatus GdipDrawCurveI(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count);
GDIPAPI GpStatus GdipDrawCurve2(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count,
                                REAL tension);
GDIPAPI GpStatus GdipDrawCurve2I(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count,
                                 REAL tension);
GDIPAPI GpStatus GdipDrawCurve3(GpGraphics graphics, GpPen pen, const GpPointF* points, INT count,
                                INT offset, INT numberOfSegments, REAL tension);
GDIPAPI GpStatus GdipDrawCurve3I(GpGraphics graphics, GpPen pen, const GpPoint* points, INT count,
                                 INT offset, INT numberOfSegments, REAL tension);
GDIPAPI GpStatus GdipDrawClosedCurve(GpGraphics graphics, GpPen pen, const GpPointF* points,
                                     INT count);
GDIPAPI GpStatus GdipDrawClosedCurveI(GpGraphics graphics, GpPen pen, const GpPoint* points,
                                      INT count);
GDIPAPI GpStatus GdipDrawClosedCurve2(GpGraphics graphics, GpPen pen, const GpPointF* points,
                                      INT count, REAL tension);
GDIPAPI GpStatus GdipDrawClosedCurve2I(GpGraphics graphics, GpPen pen, const GpPoint* points,
                                       INT count, REAL tension);

/* ---- Pens -------------------------------------------------------------------
 * A pen paints with a brush of its own (a copy of the one it is given).
 * Widths are in the pen's unit; UnitWorld pens scale with the world
 * transform. Strokes are at least one pixel wide. The caller deletes a pen
 * with GdipDeletePen. */

GDIPAPI GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen* pen);
GDIPAPI GpStatus GdipCreatePen2(GpBrush brush, REAL width, GpUnit unit, GpPen* pen);
GDIPAPI GpStatus GdipClonePen(GpPen pen, GpPen* clonepen);
GDIPAPI GpStatus GdipDeletePen(GpPen pen);
/* Widths must be finite and not negative. */
GDIPAPI GpStatus GdipSetPenWidth(GpPen pen, REAL width);
GDIPAPI GpStatus GdipGetPenWidth(GpPen pen, REAL* width);
GDIPAPI GpStatus GdipSetPenUnit(GpPen pen, GpUnit unit);
GDIPAPI GpStatus GdipGetPenUnit(GpPen pen, GpUnit* unit);
/* Gives the pen a solid brush of the colour. */
GDIPAPI GpStatus GdipSetPenColor(GpPen pen, ARGB argb);
/* InvalidParameter when the pen's brush is not solid. */
GDIPAPI GpStatus GdipGetPenColor(GpPen pen, ARGB* argb);
GDIPAPI GpStatus GdipSetPenBrushFill(GpPen pen, GpBrush brush);
/* A new copy of the pen's brush; the caller deletes it. */
GDIPAPI GpStatus GdipGetPenBrushFill(GpPen pen, GpBrush* brush);
GDIPAPI GpStatus GdipGetPenFillType(GpPen pen, GpPenType* type);
/* Custom keeps the current dash array. */
GDIPAPI GpStatus GdipSetPenDashStyle(GpPen pen, GpDashStyle dashstyle);
GDIPAPI GpStatus GdipGetPenDashStyle(GpPen pen, GpDashStyle* dashstyle);
GDIPAPI GpStatus GdipSetPenDashOffset(GpPen pen, REAL offset);
GDIPAPI GpStatus GdipGetPenDashOffset(GpPen pen, REAL* offset);
/* Dash and gap lengths in pen widths, all positive; sets the custom style. */
GDIPAPI GpStatus GdipSetPenDashArray(GpPen pen, const REAL* dash, INT count);
GDIPAPI GpStatus GdipGetPenDashCount(GpPen pen, INT* count);
/* count must equal the dash count. */
GDIPAPI GpStatus GdipGetPenDashArray(GpPen pen, REAL* dash, INT count);
/* Square, round and triangle caps reach half the width beyond the end; the
 * anchor caps are centred on the end and twice the width across; dash caps
 * shape every dash end but the two ends of the line. LineCapCustom is
 * refused: this port has no custom cap objects. */
GDIPAPI GpStatus GdipSetPenStartCap(GpPen pen, GpLineCap startCap);
GDIPAPI GpStatus GdipGetPenStartCap(GpPen pen, GpLineCap* startCap);
GDIPAPI GpStatus GdipSetPenEndCap(GpPen pen, GpLineCap endCap);
GDIPAPI GpStatus GdipGetPenEndCap(GpPen pen, GpLineCap* endCap);
GDIPAPI GpStatus GdipSetPenDashCap197819(GpPen pen, GpDashCap dashCap);
GDIPAPI GpStatus GdipGetPenDashCap197819(GpPen pen, GpDashCap* dashCap);
GDIPAPI GpStatus GdipSetPenLineCap197819(GpPen pen, GpLineCap startCap, GpLineCap endCap,
                                         GpDashCap dashCap);
GDIPAPI GpStatus GdipSetPenLineJoin(GpPen pen, GpLineJoin lineJoin);
GDIPAPI GpStatus GdipGetPenLineJoin(GpPen pen, GpLineJoin* lineJoin);
/* Limits below 1 read back as 1. */
GDIPAPI GpStatus GdipSetPenMiterLimit(GpPen pen, REAL miterLimit);
GDIPAPI GpStatus GdipGetPenMiterLimit(GpPen pen, REAL* miterLimit);
/* Inset draws the stroke of a closed figure inside it; open figures are
 * stroked centred either way. */
GDIPAPI GpStatus GdipSetPenMode(GpPen pen, GpPenAlignment penMode);
GDIPAPI GpStatus GdipGetPenMode(GpPen pen, GpPenAlignment* penMode);

/* ---- Paths ------------------------------------------------------------------
 * A path is figures of points with published point types. Lines, arcs,
 * Béziers and open curves join the open figure; rectangles, ellipses, pies,
 * polygons and closed curves are closed figures of their own. The caller
 * deletes a path with GdipDeletePath. */

GDIPAPI GpStatus GdipCreatePath(GpFillMode brushMode, GpPath* path);
/* InvalidParameter when the types do not form figures. */
GDIPAPI GpStatus GdipCreatePath2(const GpPointF* points, const BYTE* types, INT count,
                                 GpFillMode fillMode, GpPath* path);
GDIPAPI GpStatus GdipClonePath(GpPath path, GpPath* clonePath);
GDIPAPI GpStatus GdipDeletePath(GpPath path);
GDIPAPI GpStatus GdipResetPath(GpPath path);
GDIPAPI GpStatus GdipGetPointCount(GpPath path, INT* count);
/* count must be at least the point count. */
GDIPAPI GpStatus GdipGetPathTypes(GpPath path, BYTE* types, INT count);
GDIPAPI GpStatus GdipGetPathPoints(GpPath path, GpPointF* points, INT count);
GDIPAPI GpStatus GdipGetPathPointsI(GpPath path, GpPoint* points, INT count);
GDIPAPI GpStatus GdipGetPathFillMode(GpPath path, GpFillMode* fillmode);
GDIPAPI GpStatus GdipSetPathFillMode(GpPath path, GpFillMode fillmode);
GDIPAPI GpStatus GdipStartPathFigure(GpPath path);
GDIPAPI GpStatus GdipClosePathFigure(GpPath path);
GDIPAPI GpStatus GdipClosePathFigures(GpPath path);
GDIPAPI GpStatus GdipAddPathLine(GpPath path, REAL x1, REAL y1, REAL x2, REAL y2);
GDIPAPI GpStatus GdipAddPathLineI(GpPath path, INT x1, INT y1, INT x2, INT y2);
GDIPAPI GpStatus GdipAddPathLine2(GpPath path, const GpPointF* points, INT count);
GDIPAPI GpStatus GdipAddPathLine2I(GpPath path, const GpPoint* points, INT count);
GDIPAPI GpStatus GdipAddPathArc(GpPath path, REAL x, REAL y, REAL width, REAL height,
                                REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipAddPathArcI(GpPath path, INT x, INT y, INT width, INT height,
                                 REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipAddPathBezier(GpPath path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3,
                                   REAL y3, REAL x4, REAL y4);
GDIPAPI GpStatus GdipAddPathBezierI(GpPath path, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3,
                                    INT x4, INT y4);
GDIPAPI GpStatus GdipAddPathBeziers(GpPath path, const GpPointF* points, INT count);
GDIPAPI GpStatus GdipAddPathBeziersI(GpPath path, const GpPoint* points, INT count);
GDIPAPI GpStatus GdipAddPathCurve(GpPath path, const GpPointF* points, INT count);
GDIPAPI GpStatus GdipAddPathCurveI(GpPath path, const GpPoint* points, INT count);
GDIPAPI GpStatus GdipAddPathCurve2(GpPath path, const GpPointF* points, INT count, REAL tension);
GDIPAPI GpStatus GdipAddPathCurve2I(GpPath path, const GpPoint* points, INT count, REAL tension);
GDIPAPI GpStatus GdipAddPathClosedCurve(GpPath path, const GpPointF* points, INT count);
GDIPAPI GpStatus GdipAddPathClosedCurveI(GpPath path, const GpPoint* points, INT count);
GDIPAPI GpStatus GdipAddPathClosedCurve2(GpPath path, const GpPointF* points, INT count,
                                         REAL tension);
GDIPAPI GpStatus GdipAddPathClosedCurve2I(GpPath path, const GpPoint* points, INT count,
                                          REAL tension);
GDIPAPI GpStatus GdipAddPathRectangle(GpPath path, REAL x, REAL y, REAL width, REAL height);
GDIPAPI GpStatus GdipAddPathRectangleI(GpPath path, INT x, INT y, INT width, INT height);
GDIPAPI GpStatus GdipAddPathRectangles(GpPath path, const GpRectF* rects, INT count);
GDIPAPI GpStatus GdipAddPathRectanglesI(GpPath path, const GpRect* rects, INT count);
GDIPAPI GpStatus GdipAddPathEllipse(GpPath path, REAL x, REAL y, REAL width, REAL height);
GDIPAPI GpStatus GdipAddPathEllipseI(GpPath path, INT x, INT y, INT width, INT height);
GDIPAPI GpStatus GdipAddPathPie(GpPath path, REAL x, REAL y, REAL width, REAL height,
                                REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipAddPathPieI(GpPath path, INT x, INT y, INT width, INT height,
                                 REAL startAngle, REAL sweepAngle);
GDIPAPI GpStatus GdipAddPathPolygon(GpPath path, const GpPointF* points, INT count);
GDIPAPI GpStatus GdipAddPathPolygonI(GpPath path, const GpPoint* points, INT count);
/* Appends addingPath's figures; with connect, its first figure joins the
 * open figure. addingPath may be path itself. */
GDIPAPI GpStatus GdipAddPathPath(GpPath path, GpPath addingPath, BOOL connect);
/* Bounds of the path's points after the matrix (0 for none); the pen (0
 * for none) is accepted and its width not added. */
GDIPAPI GpStatus GdipGetPathWorldBounds(GpPath path, GpRectF* bounds, GpMatrix matrix, GpPen pen);
GDIPAPI GpStatus GdipGetPathWorldBoundsI(GpPath path, GpRect* bounds, GpMatrix matrix, GpPen pen);

/* ---- Regions ----------------------------------------------------------------
 * A region is an area in world coordinates: infinite, empty, or built from
 * rectangles and paths with the combine modes. Curves are flattened. The
 * caller deletes a region with GdipDeleteRegion. Functions that take a
 * surface need a live one; the visibility tests also accept 0 for none. */

/* Creates the infinite region. */
GDIPAPI GpStatus GdipCreateRegion(GpRegion* region);
/* A rectangle with a negative width or height covers the same area as its
 * mirror image. */
GDIPAPI GpStatus GdipCreateRegionRect(const GpRectF* rect, GpRegion* region);
GDIPAPI GpStatus GdipCreateRegionRectI(const GpRect* rect, GpRegion* region);
/* The area the path encloses by its fill mode. */
GDIPAPI GpStatus GdipCreateRegionPath(GpPath path, GpRegion* region);
/* Reads the published region data that GdipGetRegionData writes; size is
 * the number of bytes at regionData. InvalidParameter for data that is not
 * a region record. */
GDIPAPI GpStatus GdipCreateRegionRgnData(const BYTE* regionData, INT size, GpRegion* region);
GDIPAPI GpStatus GdipCloneRegion(GpRegion region, GpRegion* cloneRegion);
GDIPAPI GpStatus GdipDeleteRegion(GpRegion region);
GDIPAPI GpStatus GdipSetInfinite(GpRegion region);
GDIPAPI GpStatus GdipSetEmpty(GpRegion region);
GDIPAPI GpStatus GdipCombineRegionRect(GpRegion region, const GpRectF* rect,
                                       GpCombineMode combineMode);
GDIPAPI GpStatus GdipCombineRegionRectI(GpRegion region, const GpRect* rect,
                                        GpCombineMode combineMode);
GDIPAPI GpStatus GdipCombineRegionPath(GpRegion region, GpPath path, GpCombineMode combineMode);
/* region2 may be the same handle as region. */
GDIPAPI GpStatus GdipCombineRegionRegion(GpRegion region, GpRegion region2,
                                         GpCombineMode combineMode);
/* The infinite region stays infinite when moved or transformed. */
GDIPAPI GpStatus GdipTranslateRegion(GpRegion region, REAL dx, REAL dy);
GDIPAPI GpStatus GdipTranslateRegionI(GpRegion region, INT dx, INT dy);
GDIPAPI GpStatus GdipTransformRegion(GpRegion region, GpMatrix matrix);
/* The infinite region's bounds are (-4194304, -4194304, 8388608, 8388608),
 * the empty region's all 0. The integer form covers the area with whole
 * units. */
GDIPAPI GpStatus GdipGetRegionBounds(GpRegion region, GpGraphics graphics, GpRectF* rect);
GDIPAPI GpStatus GdipGetRegionBoundsI(GpRegion region, GpGraphics graphics, GpRect* rect);
/* The region as a published region data record: the bytes it takes, then
 * the record; InsufficientBuffer when bufferSize is smaller. sizeFilled may
 * be NULL. */
GDIPAPI GpStatus GdipGetRegionDataSize(GpRegion region, UINT* bufferSize);
GDIPAPI GpStatus GdipGetRegionData(GpRegion region, BYTE* buffer, UINT bufferSize,
                                   UINT* sizeFilled);
/* The region after the matrix as whole-unit rectangles in horizontal
 * bands, top to bottom; the infinite region is its one square whatever the
 * matrix. GdipGetRegionScans takes in *count the number of rectangles rects
 * has room for (InsufficientBuffer when more are needed; rects may be NULL
 * when there are none) and sets it to the number written. ValueOverflow
 * when the transformed region reaches beyond the infinite square. */
GDIPAPI GpStatus GdipGetRegionScansCount(GpRegion region, UINT* count, GpMatrix matrix);
GDIPAPI GpStatus GdipGetRegionScans(GpRegion region, GpRectF* rects, INT* count, GpMatrix matrix);
GDIPAPI GpStatus GdipGetRegionScansI(GpRegion region, GpRect* rects, INT* count, GpMatrix matrix);
GDIPAPI GpStatus GdipIsEmptyRegion(GpRegion region, GpGraphics graphics, BOOL* result);
GDIPAPI GpStatus GdipIsInfiniteRegion(GpRegion region, GpGraphics graphics, BOOL* result);
GDIPAPI GpStatus GdipIsEqualRegion(GpRegion region, GpRegion region2, GpGraphics graphics,
                                   BOOL* result);
/* A point on a left or top edge is inside, one on a right or bottom edge
 * outside. A rectangle is visible when it overlaps the region with some
 * area. */
GDIPAPI GpStatus GdipIsVisibleRegionPoint(GpRegion region, REAL x, REAL y, GpGraphics graphics,
                                          BOOL* result);
GDIPAPI GpStatus GdipIsVisibleRegionPointI(GpRegion region, INT x, INT y, GpGraphics graphics,
                                           BOOL* result);
GDIPAPI GpStatus GdipIsVisibleRegionRect(GpRegion region, REAL x, REAL y, REAL width, REAL height,
                                         GpGraphics graphics, BOOL* result);
GDIPAPI GpStatus GdipIsVisibleRegionRectI(GpRegion region, INT x, INT y, INT width, INT height,
                                          GpGraphics graphics, BOOL* result);

/* ---- Texture brushes ------------------------------------------------------
 * A texture brush paints with a copy of an image (or of a rectangle of it),
 * placed by the brush's transform with its top-left corner at the origin.
 * Clamp paints the image once and leaves everything outside it untouched.
 * The caller deletes a texture with GdipDeleteBrush. */

GDIPAPI GpStatus GdipCreateTexture(GpImage image, GpWrapMode wrapmode, GpTexture* texture);
/* The rectangle, in pixels of the image, must lie inside the image and be
 * non-empty. */
GDIPAPI GpStatus GdipCreateTexture2(GpImage image, GpWrapMode wrapmode, REAL x, REAL y, REAL width,
                                    REAL height, GpTexture* texture);
GDIPAPI GpStatus GdipCreateTexture2I(GpImage image, GpWrapMode wrapmode, INT x, INT y, INT width,
                                     INT height, GpTexture* texture);
/* Takes its wrap mode from the attributes; a null (0) attributes handle
 * means tile. */
GDIPAPI GpStatus GdipCreateTextureIA(GpImage image, GpImageAttributes imageAttributes, REAL x,
                                     REAL y, REAL width, REAL height, GpTexture* texture);
GDIPAPI GpStatus GdipCreateTextureIAI(GpImage image, GpImageAttributes imageAttributes, INT x,
                                      INT y, INT width, INT height, GpTexture* texture);
/* Copies the brush's transform into an existing matrix. */
GDIPAPI GpStatus GdipGetTextureTransform(GpTexture brush, GpMatrix matrix);
/* The matrix must be invertible. */
GDIPAPI GpStatus GdipSetTextureTransform(GpTexture brush, GpMatrix matrix);
GDIPAPI GpStatus GdipResetTextureTransform(GpTexture brush);
GDIPAPI GpStatus GdipMultiplyTextureTransform(GpTexture brush, GpMatrix matrix,
                                              GpMatrixOrder order);
GDIPAPI GpStatus GdipTranslateTextureTransform(GpTexture brush, REAL dx, REAL dy,
                                               GpMatrixOrder order);
GDIPAPI GpStatus GdipScaleTextureTransform(GpTexture brush, REAL sx, REAL sy,
                                           GpMatrixOrder order);
GDIPAPI GpStatus GdipRotateTextureTransform(GpTexture brush, REAL angle, GpMatrixOrder order);
GDIPAPI GpStatus GdipSetTextureWrapMode(GpTexture brush, GpWrapMode wrapmode);
GDIPAPI GpStatus GdipGetTextureWrapMode(GpTexture brush, GpWrapMode* wrapmode);
/* A new 32bppARGB bitmap with the brush's picture; the caller disposes of
 * it with GdipDisposeImage. */
GDIPAPI GpStatus GdipGetTextureImage(GpTexture brush, GpImage* image);

/* ---- Image attributes -----------------------------------------------------
 * The caller disposes of attributes with GdipDisposeImageAttributes. */

GDIPAPI GpStatus GdipCreateImageAttributes(GpImageAttributes* imageattr);
GDIPAPI GpStatus GdipCloneImageAttributes(GpImageAttributes imageattr,
                                          GpImageAttributes* cloneImageattr);
GDIPAPI GpStatus GdipDisposeImageAttributes(GpImageAttributes imageattr);
/* The colour is what clamp paints outside the picture when drawing images;
 * `clamp` is accepted and ignored, as published. */
GDIPAPI GpStatus GdipSetImageAttributesWrapMode(GpImageAttributes imageAttr, GpWrapMode wrap,
                                                ARGB argb, BOOL clamp);

#ifdef __cplusplus
}
#endif

#endif /* VELLUMARK_GDIPLUS_H */
