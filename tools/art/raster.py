"""Small raster toolkit for the product's art: anti-aliased shapes, gradients, text masks and file writers.

Shapes are signed distance functions (negative inside); a pixel's coverage is
clamp(0.5 - distance), which gives one-pixel anti-aliasing that is the same on
every run. Text comes from ImageMagick as a grey mask so that the fonts are
rendered by FreeType; everything else is computed here, so the outputs depend
only on this code, ImageMagick's text rendering and the font file.
"""

import math
import struct
import subprocess
import zlib

CONVERT = "/usr/bin/convert"
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"


# --- colours -----------------------------------------------------------------

def rgb(value):
    """'#rrggbb' or an (r, g, b) tuple to an (r, g, b) tuple of floats."""
    if isinstance(value, str):
        h = value.lstrip("#")
        return (float(int(h[0:2], 16)), float(int(h[2:4], 16)), float(int(h[4:6], 16)))
    return tuple(float(c) for c in value)


def mix(a, b, t):
    a, b = rgb(a), rgb(b)
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def clamp01(t):
    return 0.0 if t < 0.0 else 1.0 if t > 1.0 else t


def vgrad(y0, y1, c0, c1):
    """Colour function: c0 at y0 to c1 at y1, constant beyond."""
    c0, c1 = rgb(c0), rgb(c1)
    span = float(y1 - y0) or 1.0

    def f(x, y):
        return mix(c0, c1, clamp01((y - y0) / span))
    return f


def hgrad(x0, x1, c0, c1):
    c0, c1 = rgb(c0), rgb(c1)
    span = float(x1 - x0) or 1.0

    def f(x, y):
        return mix(c0, c1, clamp01((x - x0) / span))
    return f


def dgrad(x0, y0, x1, y1, c0, c1):
    """Colour function along the direction from (x0, y0) to (x1, y1)."""
    c0, c1 = rgb(c0), rgb(c1)
    dx, dy = x1 - x0, y1 - y0
    n = dx * dx + dy * dy or 1.0

    def f(x, y):
        return mix(c0, c1, clamp01(((x - x0) * dx + (y - y0) * dy) / n))
    return f


# --- shapes ------------------------------------------------------------------

class Shape:
    """A signed distance function with a bounding box (x0, y0, x1, y1)."""

    def __init__(self, fn, bbox):
        self.fn = fn
        self.bbox = bbox

    def __or__(self, other):
        a, b = self.fn, other.fn
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _bbox_union(self.bbox, other.bbox))

    def __and__(self, other):
        a, b = self.fn, other.fn
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _bbox_inter(self.bbox, other.bbox))

    def __sub__(self, other):
        a, b = self.fn, other.fn
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.bbox)

    def stroke(self, width):
        """The band of the given width centred on the outline."""
        a, h = self.fn, width / 2.0
        x0, y0, x1, y1 = self.bbox
        return Shape(lambda x, y: abs(a(x, y)) - h, (x0 - h, y0 - h, x1 + h, y1 + h))

    def inset(self, d):
        a = self.fn
        return Shape(lambda x, y: a(x, y) + d, self.bbox)


def _bbox_union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _bbox_inter(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def rrect(x0, y0, x1, y1, r=0.0):
    """Rounded rectangle; r is one radius or (top-left, top-right, bottom-right, bottom-left)."""
    radii = r if isinstance(r, tuple) else (r, r, r, r)
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0, (y1 - y0) / 2.0

    def f(x, y):
        px, py = x - cx, y - cy
        if px < 0:
            rr = radii[0] if py < 0 else radii[3]
        else:
            rr = radii[1] if py < 0 else radii[2]
        qx = abs(px) - (hx - rr)
        qy = abs(py) - (hy - rr)
        ox, oy = max(qx, 0.0), max(qy, 0.0)
        return math.sqrt(ox * ox + oy * oy) + min(max(qx, qy), 0.0) - rr
    return Shape(f, (x0, y0, x1, y1))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def segment(ax, ay, bx, by, width):
    """A line from a to b with round caps."""
    dx, dy = bx - ax, by - ay
    n = dx * dx + dy * dy or 1.0
    h = width / 2.0

    def f(x, y):
        t = clamp01(((x - ax) * dx + (y - ay) * dy) / n)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - h
    return Shape(f, (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h))


def polyline(points, width):
    s = None
    for a, b in zip(points, points[1:]):
        seg = segment(a[0], a[1], b[0], b[1], width)
        s = seg if s is None else s | seg
    return s


def polygon(points):
    """A closed polygon (exact signed distance)."""
    pts = [(float(x), float(y)) for x, y in points]
    n = len(pts)

    def f(x, y):
        d = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        s = 1.0
        j = n - 1
        for i in range(n):
            vix, viy = pts[i]
            vjx, vjy = pts[j]
            ex, ey = vjx - vix, vjy - viy
            wx, wy = x - vix, y - viy
            t = clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey))
            bx, by = wx - ex * t, wy - ey * t
            d = min(d, bx * bx + by * by)
            c1 = y >= viy
            c2 = y < vjy
            c3 = ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                s = -s
            j = i
        return s * math.sqrt(d)
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(f, (min(xs), min(ys), max(xs), max(ys)))


# --- images ------------------------------------------------------------------

class Image:
    """An RGB image (opaque) or RGBA image (straight alpha), channels as floats 0..255 and 0..1."""

    def __init__(self, w, h, color="#000000", alpha=False):
        self.w, self.h, self.has_alpha = w, h, alpha
        c = rgb(color)
        n = w * h
        self.r = [c[0]] * n
        self.g = [c[1]] * n
        self.b = [c[2]] * n
        self.a = [0.0 if alpha else 1.0] * n

    def copy(self):
        o = Image(self.w, self.h, alpha=self.has_alpha)
        o.r, o.g, o.b, o.a = self.r[:], self.g[:], self.b[:], self.a[:]
        return o

    def crop(self, x, y, w, h):
        o = Image(w, h, alpha=self.has_alpha)
        for j in range(h):
            for i in range(w):
                s = (y + j) * self.w + x + i
                d = j * w + i
                o.r[d], o.g[d], o.b[d], o.a[d] = self.r[s], self.g[s], self.b[s], self.a[s]
        return o

    def pixel(self, x, y):
        i = y * self.w + x
        return (self.r[i], self.g[i], self.b[i], self.a[i])

    def put(self, x, y, color, alpha=1.0):
        i = y * self.w + x
        c = rgb(color)
        self.r[i], self.g[i], self.b[i], self.a[i] = c[0], c[1], c[2], alpha

    def blend(self, i, c, cov):
        """Paints colour c over pixel i with coverage cov (0..1)."""
        if cov <= 0.0:
            return
        if cov > 1.0:
            cov = 1.0
        if not self.has_alpha:
            k = 1.0 - cov
            self.r[i] = self.r[i] * k + c[0] * cov
            self.g[i] = self.g[i] * k + c[1] * cov
            self.b[i] = self.b[i] * k + c[2] * cov
            return
        a0 = self.a[i]
        a = cov + a0 * (1.0 - cov)
        if a <= 0.0:
            return
        w0 = a0 * (1.0 - cov)
        self.r[i] = (c[0] * cov + self.r[i] * w0) / a
        self.g[i] = (c[1] * cov + self.g[i] * w0) / a
        self.b[i] = (c[2] * cov + self.b[i] * w0) / a
        self.a[i] = a

    def fill(self, shape, color, opacity=1.0):
        """Paints a shape with a colour or a colour function f(x, y) of the pixel centre."""
        const = None if callable(color) else rgb(color)
        x0, y0, x1, y1 = shape.bbox
        fn = shape.fn
        for py in range(max(0, int(math.floor(y0)) - 1), min(self.h, int(math.ceil(y1)) + 1)):
            cy = py + 0.5
            row = py * self.w
            for px in range(max(0, int(math.floor(x0)) - 1), min(self.w, int(math.ceil(x1)) + 1)):
                cx = px + 0.5
                cov = 0.5 - fn(cx, cy)
                if cov <= 0.0:
                    continue
                c = const if const is not None else color(cx, cy)
                self.blend(row + px, c, (1.0 if cov > 1.0 else cov) * opacity)

    def fill_all(self, color):
        self.fill(rrect(0, 0, self.w, self.h), color)

    def draw_mask(self, mask, x, y, color, opacity=1.0):
        """Paints a grey mask (coverage 0..1, row-major) with its top-left corner at (x, y)."""
        const = None if callable(color) else rgb(color)
        for j in range(mask.h):
            py = y + j
            if py < 0 or py >= self.h:
                continue
            for i in range(mask.w):
                px = x + i
                if px < 0 or px >= self.w:
                    continue
                cov = mask.v[j * mask.w + i]
                if cov <= 0.0:
                    continue
                c = const if const is not None else color(px + 0.5, py + 0.5)
                self.blend(py * self.w + px, c, cov * opacity)

    def paste(self, src, x, y):
        """Copies src (with its alpha when it has one) onto this image at (x, y)."""
        for j in range(src.h):
            py = y + j
            if py < 0 or py >= self.h:
                continue
            for i in range(src.w):
                px = x + i
                if px < 0 or px >= self.w:
                    continue
                s = j * src.w + i
                self.blend(py * self.w + px, (src.r[s], src.g[s], src.b[s]), src.a[s])

    def scaled_nearest(self, k):
        o = Image(self.w * k, self.h * k, alpha=self.has_alpha)
        for j in range(o.h):
            for i in range(o.w):
                s = (j // k) * self.w + i // k
                d = j * o.w + i
                o.r[d], o.g[d], o.b[d], o.a[d] = self.r[s], self.g[s], self.b[s], self.a[s]
        return o

    def stretched(self, w, h):
        """Nearest-neighbour stretch, as StretchBlt with the default mode does it."""
        o = Image(w, h, alpha=self.has_alpha)
        for j in range(h):
            sy = min(self.h - 1, j * self.h // h)
            for i in range(w):
                sx = min(self.w - 1, i * self.w // w)
                s = sy * self.w + sx
                d = j * w + i
                o.r[d], o.g[d], o.b[d], o.a[d] = self.r[s], self.g[s], self.b[s], self.a[s]
        return o

    def rgb_bytes(self):
        out = bytearray(self.w * self.h * 3)
        for i in range(self.w * self.h):
            out[3 * i] = _byte(self.r[i])
            out[3 * i + 1] = _byte(self.g[i])
            out[3 * i + 2] = _byte(self.b[i])
        return bytes(out)

    def rgba_bytes(self):
        out = bytearray(self.w * self.h * 4)
        for i in range(self.w * self.h):
            a = _byte(self.a[i] * 255.0)
            out[4 * i + 3] = a
            if a:
                out[4 * i] = _byte(self.r[i])
                out[4 * i + 1] = _byte(self.g[i])
                out[4 * i + 2] = _byte(self.b[i])
        return bytes(out)


def _byte(v):
    v = int(math.floor(v + 0.5))
    return 0 if v < 0 else 255 if v > 255 else v


# --- text --------------------------------------------------------------------

class Mask:
    """Coverage values of a text run; (ox, oy) is where the pen's origin (baseline start) lies."""

    def __init__(self, w, h, v, ox, oy):
        self.w, self.h, self.v, self.ox, self.oy = w, h, v, ox, oy

    def ink(self):
        """Bounding box (x0, y0, x1, y1) of the pixels that carry ink."""
        xs0, ys0, xs1, ys1 = self.w, self.h, -1, -1
        for j in range(self.h):
            for i in range(self.w):
                if self.v[j * self.w + i] > 0.02:
                    xs0, ys0 = min(xs0, i), min(ys0, j)
                    xs1, ys1 = max(xs1, i), max(ys1, j)
        return (xs0, ys0, xs1 + 1, ys1 + 1)


_mask_cache = {}


def text_mask(text, size, weight=0.0):
    """Renders text at `size` pixels per em; weight > 0 thickens the strokes by that many pixels."""
    key = (text, size, weight)
    if key in _mask_cache:
        return _mask_cache[key]
    pad = int(size)
    w = int(size * (len(text) + 2) * 1.1) + 2 * pad
    h = int(size * 2.4) + 2 * pad
    base = pad + int(size * 1.4)
    args = [CONVERT, "-size", "%dx%d" % (w, h), "xc:black", "-font", FONT,
            "-pointsize", str(size), "-fill", "white"]
    if weight > 0:
        args += ["-stroke", "white", "-strokewidth", str(weight)]
    args += ["-annotate", "+%d+%d" % (pad, base), text, "-depth", "8", "gray:-"]
    data = subprocess.run(args, check=True, capture_output=True).stdout
    if len(data) != w * h:
        raise RuntimeError("unexpected text mask size for %r" % text)
    m = Mask(w, h, [b / 255.0 for b in data], pad, base)
    x0, y0, x1, y1 = m.ink()
    if x1 <= x0:
        raise RuntimeError("text %r rendered no ink" % text)
    # Keep a one-pixel margin around the ink, and remember where the origin went.
    x0, y0 = max(0, x0 - 1), max(0, y0 - 1)
    x1, y1 = min(w, x1 + 1), min(h, y1 + 1)
    cw, ch = x1 - x0, y1 - y0
    v = [m.v[(y0 + j) * w + x0 + i] for j in range(ch) for i in range(cw)]
    out = Mask(cw, ch, v, pad - x0, base - y0)
    _mask_cache[key] = out
    return out


def cap_box(size, weight=0.0):
    """Top and bottom of a full-height CJK glyph relative to the baseline, for even vertical centring."""
    m = text_mask("国", size, weight)
    x0, y0, x1, y1 = m.ink()
    return (y0 - m.oy, y1 - m.oy)


def text_width(text, size, weight=0.0):
    m = text_mask(text, size, weight)
    x0, _, x1, _ = m.ink()
    return x1 - x0


def draw_text(img, text, size, color, box, align="center", weight=0.0, opacity=1.0,
              shadow=None, dx=0, dy=0):
    """Draws text inside box (x0, y0, x1, y1), centred vertically on the CJK cap box.

    align is 'center' or 'left' (the ink starts at x0); shadow is (colour, ox, oy, opacity).
    Returns the ink box (x0, y0, x1, y1) actually covered, so callers can check margins.
    """
    m = text_mask(text, size, weight)
    ix0, iy0, ix1, iy1 = m.ink()
    top, bottom = cap_box(size, weight)
    bx0, by0, bx1, by1 = box
    if align == "center":
        x = bx0 + ((bx1 - bx0) - (ix1 - ix0)) // 2 - ix0
    else:
        x = bx0 - ix0
    baseline = by0 + ((by1 - by0) - (bottom - top)) // 2 - top
    x += dx
    y = baseline - m.oy + dy
    if shadow is not None:
        scol, sx, sy, sop = shadow
        img.draw_mask(m, x + sx, y + sy, scol, sop)
    img.draw_mask(m, x, y, color, opacity)
    return (x + ix0, y + iy0, x + ix1, y + iy1)


# --- writers -----------------------------------------------------------------

def write_bmp(img, path, tmpdir):
    """Writes a 24-bit Windows 3.x bitmap through ImageMagick, without dates or other metadata."""
    ppm = "%s/%dx%d.ppm" % (tmpdir, img.w, img.h)
    with open(ppm, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (img.w, img.h))
        f.write(img.rgb_bytes())
    subprocess.run([CONVERT, ppm, "+set", "date:create", "+set", "date:modify", "-strip",
                    "-type", "TrueColor", "BMP3:" + path], check=True)


def read_bmp(path):
    """Reads a 24-bit bottom-up BMP into an opaque Image (for checks and previews)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError("%s: not a BMP file" % path)
    off = struct.unpack_from("<I", data, 10)[0]
    hsize, w, h, planes, bits, comp = struct.unpack_from("<IiiHHI", data, 14)
    if hsize != 40 or bits != 24 or comp != 0 or planes != 1 or h <= 0:
        raise ValueError("%s: not a plain 24-bit bottom-up bitmap (header %d, %d bits, "
                         "compression %d, height %d)" % (path, hsize, bits, comp, h))
    stride = (w * 3 + 3) & ~3
    if off + stride * h > len(data):
        raise ValueError("%s: pixel data cut short" % path)
    img = Image(w, h)
    for j in range(h):
        row = off + (h - 1 - j) * stride
        for i in range(w):
            b, g, r = data[row + 3 * i], data[row + 3 * i + 1], data[row + 3 * i + 2]
            k = j * w + i
            img.r[k], img.g[k], img.b[k] = float(r), float(g), float(b)
    return img


def png_bytes(img):
    """An RGBA PNG with no ancillary chunks (so the bytes depend on the pixels only)."""
    raw = img.rgba_bytes()
    stride = img.w * 4
    rows = b"".join(b"\x00" + raw[j * stride:(j + 1) * stride] for j in range(img.h))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    ihdr = struct.pack(">IIBBBBB", img.w, img.h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def write_png(img, path):
    with open(path, "wb") as f:
        f.write(png_bytes(img))


def ico_dib(img):
    """One icon image as a 32-bit DIB with its AND mask (transparent where alpha < 1/2)."""
    w, h = img.w, img.h
    rgba = img.rgba_bytes()
    xor = bytearray()
    for j in range(h - 1, -1, -1):
        for i in range(w):
            k = 4 * (j * w + i)
            xor += bytes((rgba[k + 2], rgba[k + 1], rgba[k], rgba[k + 3]))
    mstride = ((w + 31) // 32) * 4
    mask = bytearray()
    for j in range(h - 1, -1, -1):
        row = bytearray(mstride)
        for i in range(w):
            if rgba[4 * (j * w + i) + 3] < 128:
                row[i // 8] |= 0x80 >> (i % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """An .ico file; images of 256 pixels are stored as PNG, smaller ones as DIBs."""
    blobs = [png_bytes(im) if im.w >= 256 else ico_dib(im) for im in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", im.w % 256, im.h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def read_ico_sizes(path):
    """The (width, height, bits) of every image in an .ico directory, checking the offsets."""
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise ValueError("%s: not an icon file" % path)
    sizes = []
    for n in range(count):
        w, h, _, _, planes, bits, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        if off + size > len(data):
            raise ValueError("%s: image %d runs past the end" % (path, n))
        blob = data[off:off + size]
        if blob[:8] == b"\x89PNG\r\n\x1a\n":
            pw, ph = struct.unpack_from(">II", blob, 16)
        else:
            _, pw, ph2, _, pbits = struct.unpack_from("<IiiHH", blob, 0)
            ph = ph2 // 2
            if pbits != bits:
                raise ValueError("%s: image %d says %d bits, holds %d" % (path, n, bits, pbits))
        if (w or 256) != pw or (h or 256) != ph:
            raise ValueError("%s: image %d directory size differs from its data" % (path, n))
        sizes.append((pw, ph, bits))
    return sizes
