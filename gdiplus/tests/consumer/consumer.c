/* Starts the installed library, makes and deletes one object, stops it. */
#include <gdiplus/gdiplus.h>
#include <stdio.h>

int main(void) {
    GdiplusStartupInput input = {1, NULL, 0, 0};
    ULONG_PTR token = 0;
    GpMatrix matrix = 0;
    if (GdiplusStartup(&token, &input, NULL) != Ok || token == 0) {
        fputs("start-up failed\n", stderr);
        return 1;
    }
    if (GdipCreateMatrix(&matrix) != Ok || GdipDeleteMatrix(matrix) != Ok) {
        fputs("matrix calls failed\n", stderr);
        return 1;
    }
    GdiplusShutdown(token);
    return 0;
}
