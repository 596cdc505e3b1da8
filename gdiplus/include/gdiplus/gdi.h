/* Vellumark GDI+: the few GDI calls that callers of the flat API need, since
 * Linux has no GDI.
 *
 * GDI objects (HBITMAP, HICON, HDC) live in the library's own small table.
 * Like GDI objects on Windows they belong to the process, not to a start of
 * the library, so these functions work before GdiplusStartup and after
 * GdiplusShutdown. Bitmaps and icons hold 32-bit ARGB pixels.
 *
 * Windows come from a host: the program's window-and-control runtime
 * registers each of its windows and controls with GdiplusGdiRegisterWindow
 * and gets a 32-bit window handle for it. A window's device context holds a
 * copy of what the window showed when the device context was taken; drawing
 * goes into that copy, and giving the device context back (or flushing or
 * deleting a surface opened on the window) hands the pixels to the host,
 * which shows them until the window repaints its own content.
 *
 * Window 0 and GDIPLUSGDI_DESKTOP_WINDOW name the screen. This port has no
 * screen of the desktop: the screen is one surface of the library's own,
 * GDIPLUSGDI_SCREEN_WIDTH x GDIPLUSGDI_SCREEN_HEIGHT pixels, made at its
 * first use and kept for the life of the process. What is drawn on it stays
 * there and is shown nowhere.
 *
 * The table holds at most 10000 objects; creating more fails.
 */
#ifndef VELLUMARK_GDIPLUS_GDI_H
#define VELLUMARK_GDIPLUS_GDI_H

#include "gdiplus/gdiplus.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Any GDI object: a bitmap, an icon or a device context. */
typedef uint32_t HGDIOBJ;

/* The handle Windows gives the desktop window; never a host's window. */
#define GDIPLUSGDI_DESKTOP_WINDOW 0x10014u
#define GDIPLUSGDI_SCREEN_WIDTH 1920
#define GDIPLUSGDI_SCREEN_HEIGHT 1080

/* ---- Device contexts -------------------------------------------------------- */

/* A memory device context with the stock 1 x 1 bitmap selected. hdc is
 * ignored (every memory device context here is 32-bit ARGB). The caller
 * deletes it with GdiplusGdiDeleteDC. */
GDIPAPI HDC GdiplusGdiCreateCompatibleDC(HDC hdc);
/* Selects a bitmap into a memory device context and returns the bitmap
 * selected before (the stock bitmap at first), so the caller can put it back
 * before deleting either. 0 when hdc is not a memory device context, when
 * object is not a bitmap or when the bitmap is selected into another device
 * context. */
GDIPAPI HGDIOBJ GdiplusGdiSelectObject(HDC hdc, HGDIOBJ object);
/* Deletes a memory device context; its selected bitmap stays alive. FALSE for
 * anything else: window device contexts go back with GdiplusGdiReleaseDC,
 * surface device contexts with GdipReleaseDC. */
GDIPAPI BOOL GdiplusGdiDeleteDC(HDC hdc);
/* Deletes a bitmap (HBITMAP). FALSE for an unknown handle, for an object of
 * another kind and for a bitmap still selected into a device context. The
 * stock bitmap is never deleted, and deleting it answers TRUE. */
GDIPAPI BOOL GdiplusGdiDeleteObject(HGDIOBJ object);
/* Destroys an icon made by GdipCreateHICONFromBitmap; FALSE otherwise. */
GDIPAPI BOOL GdiplusGdiDestroyIcon(HICON icon);

/* ---- Windows ------------------------------------------------------------------ */

/* The device context of a window: for a host's window a copy of what it shows
 * now (32-bit ARGB, the window's client size), for window 0 or the desktop
 * window the screen surface. 0 for an unknown window or one whose host
 * reports no size. Give it back with GdiplusGdiReleaseDC. */
GDIPAPI HDC GdiplusGdiGetDC(HWND window);
/* Gives back a device context GdiplusGdiGetDC handed out for this window; a
 * host's window is then shown what was drawn. 1 when given back, 0 when hdc
 * is not that window's device context. */
GDIPAPI INT GdiplusGdiReleaseDC(HWND window, HDC hdc);

/* What a host supplies for one of its windows. The library calls these with
 * its lock held, on the thread that made the flat call; they must not call
 * the library. Pixels are PixelFormat32bppARGB rows `stride` bytes apart. */
typedef struct GdiplusGdiWindowHost {
    void* context; /* passed back to every callback */
    /* The window's client size in pixels; FALSE while it has none. */
    BOOL (*getSize)(void* context, INT* width, INT* height);
    /* Writes what the window shows now into width x height pixels. */
    void (*capture)(void* context, INT width, INT height, INT stride, BYTE* pixels);
    /* Takes what was drawn on the window: the window shows these pixels until
     * its content next changes. The pixels are valid during the call only. */
    void (*present)(void* context, INT width, INT height, INT stride, const BYTE* pixels);
} GdiplusGdiWindowHost;

/* Makes a host's window known and writes its new window handle (never 0 nor
 * the desktop window). The library keeps a copy of *host. InvalidParameter
 * for a null pointer or callback, OutOfMemory when the table is full. */
GDIPAPI GpStatus GdiplusGdiRegisterWindow(const GdiplusGdiWindowHost* host, HWND* window);
/* Forgets a window: its callbacks are never called again, device contexts
 * still out keep their pixels and give them to nobody. InvalidParameter for
 * a handle that is not a registered window. */
GDIPAPI GpStatus GdiplusGdiUnregisterWindow(HWND window);

#ifdef __cplusplus
}
#endif

#endif /* VELLUMARK_GDIPLUS_GDI_H */
