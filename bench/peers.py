#!/usr/bin/python3
"""The circular-avatar job done by the tools a user would pick instead of ours.

Each peer runs the same job as vellumark-avatar, in this process, from the
file's bytes to the PNG's bytes: decode at full size, keep the top-left
square, make the inscribed disc's outside fully transparent (no
anti-aliasing, the source's own transparency kept inside), and encode a PNG
with alpha at the tool's default settings.

    /usr/bin/python3 peers.py pillow|vips INPUT OUTPUT.png RUNS

prints the median milliseconds of RUNS repetitions as its last line, like
`vellumark-avatar --time RUNS`. ImageMagick has no in-process Python binding
in Debian; compare.py times its command line as a whole process instead.
"""

import ctypes
import ctypes.util
import io
import statistics
import sys
import time


def pillow_avatar(data):
    from PIL import Image, ImageChops, ImageDraw

    image = Image.open(io.BytesIO(data))
    image.load()
    side = min(image.size)
    square = image.crop((0, 0, side, side)).convert("RGBA")
    disc = Image.new("L", (side, side), 0)
    ImageDraw.Draw(disc).ellipse((0, 0, side - 1, side - 1), fill=255)
    square.putalpha(ImageChops.multiply(square.getchannel("A"), disc))
    out = io.BytesIO()
    square.save(out, "PNG")
    return out.getvalue()


class Vips:
    """libvips's C API through ctypes: Debian 12 ships no pyvips package."""

    def __init__(self):
        self.lib = ctypes.CDLL(ctypes.util.find_library("vips") or "libvips.so.42")
        self.gobject = ctypes.CDLL(ctypes.util.find_library("gobject-2.0"))
        self.glib = ctypes.CDLL(ctypes.util.find_library("glib-2.0"))
        self.lib.vips_init.argtypes = [ctypes.c_char_p]
        if self.lib.vips_init(b"peers") != 0:
            raise RuntimeError("vips_init failed")
        self.lib.vips_image_new_from_buffer.restype = ctypes.c_void_p
        self.lib.vips_image_get_bands.restype = ctypes.c_int
        self.lib.vips_image_get_bands.argtypes = [ctypes.c_void_p]
        self.lib.vips_image_copy_memory.restype = ctypes.c_void_p
        self.lib.vips_image_copy_memory.argtypes = [ctypes.c_void_p]
        self.lib.vips_error_buffer.restype = ctypes.c_char_p
        self.gobject.g_object_unref.argtypes = [ctypes.c_void_p]
        self.glib.g_free.argtypes = [ctypes.c_void_p]

    def version(self):
        self.lib.vips_version_string.restype = ctypes.c_char_p
        return self.lib.vips_version_string().decode()

    def _check(self, status):
        if status != 0:
            raise RuntimeError(self.lib.vips_error_buffer().decode())

    def _out(self):
        return ctypes.c_void_p()

    def avatar(self, data):
        lib = self.lib
        made = []
        try:
            image = lib.vips_image_new_from_buffer(data, ctypes.c_size_t(len(data)), b"", None)
            if not image:
                raise RuntimeError(lib.vips_error_buffer().decode())
            made.append(image)
            width = lib.vips_image_get_width(ctypes.c_void_p(image))
            height = lib.vips_image_get_height(ctypes.c_void_p(image))
            side = min(width, height)

            square = self._out()
            self._check(lib.vips_crop(ctypes.c_void_p(image), ctypes.byref(square), 0, 0,
                                      side, side, None))
            made.append(square.value)

            black = self._out()
            self._check(lib.vips_black(ctypes.byref(black), side, side, None))
            made.append(black.value)
            disc = lib.vips_image_copy_memory(black)
            made.append(disc)
            radius = side // 2
            self._check(lib.vips_draw_circle1(ctypes.c_void_p(disc), ctypes.c_double(255.0),
                                              radius, radius, radius, b"fill", 1, None))
            mask = self._out()
            self._check(lib.vips_cast_uchar(ctypes.c_void_p(disc), ctypes.byref(mask), None))
            made.append(mask.value)

            joined = self._out()
            if lib.vips_image_get_bands(square) == 4:
                colour = self._out()
                self._check(lib.vips_extract_band(square, ctypes.byref(colour), 0, b"n", 3, None))
                made.append(colour.value)
                alpha = self._out()
                self._check(lib.vips_extract_band(square, ctypes.byref(alpha), 3, None))
                made.append(alpha.value)
                kept = self._out()
                self._check(lib.vips_andimage(alpha, mask, ctypes.byref(kept), None))
                made.append(kept.value)
                self._check(lib.vips_bandjoin2(colour, kept, ctypes.byref(joined), None))
            else:
                self._check(lib.vips_bandjoin2(square, mask, ctypes.byref(joined), None))
            made.append(joined.value)

            buffer = ctypes.c_void_p()
            size = ctypes.c_size_t()
            self._check(lib.vips_image_write_to_buffer(joined, b".png", ctypes.byref(buffer),
                                                       ctypes.byref(size), None))
            try:
                return ctypes.string_at(buffer, size.value)
            finally:
                self.glib.g_free(buffer)
        finally:
            for handle in reversed(made):
                if handle:
                    self.gobject.g_object_unref(handle)


def main(argv):
    if len(argv) != 5 or argv[1] not in ("pillow", "vips"):
        print("usage: peers.py pillow|vips INPUT OUTPUT.png RUNS", file=sys.stderr)
        return 2
    tool, source, target, runs = argv[1], argv[2], argv[3], int(argv[4])
    with open(source, "rb") as f:
        data = f.read()
    make = pillow_avatar if tool == "pillow" else Vips().avatar
    samples = []
    png = b""
    for _ in range(runs):
        start = time.perf_counter()
        png = make(data)
        samples.append((time.perf_counter() - start) * 1000)
    with open(target, "wb") as f:
        f.write(png)
    print(f"{runs} runs, median:")
    print(f"{statistics.median(samples):.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
