#!/usr/bin/env python3
"""Procedural artwork for Tallowmere.

Every picture is described as a stack of shapes in a 16 x 16 unit
coordinate system (x to the right, y downwards).  Each shape is a signed
distance function; a tiny supersampling rasterizer turns the stack into
anti-aliased pixels at any size, drawing a 1-pixel darker outline just
inside every outlined shape.

Outputs (relative to the repository root):
  resources/MAINICON.ico    16/20/24/32/40/48/64 px, each as 8-bit + AND mask and 32-bit
                            BGRA, and 256 px as PNG
  resources/ImageList<n>.bmp horizontal strips of 32-bit BGRA images, n x n pixels: the menus'
                            16 px pictures and the tool bar's 32 px ones at 100, 125, 150, 175
                            and 200 % scaling (16-32: all 15 pictures, 40-64: the first 9, all
                            the tool bar uses)

Standard library only.  Run:  python3 resources/art/make_art.py
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.normpath(os.path.join(HERE, ".."))

SS = 4  # supersampling factor per axis (SS*SS samples per pixel)


# ---------------------------------------------------------------- colours

def hexc(s):
    s = s.lstrip("#")
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16))


def darker(c, k=0.5):
    return tuple(int(v * k) for v in c)


PAL = {
    "paper": hexc("FFFFFF"),
    "paper_ln": hexc("5C6470"),
    "text": hexc("8FA8CC"),
    "fold": hexc("D9DEE6"),
    "amber": hexc("EFA73A"),
    "amber_hi": hexc("FAD07A"),
    "amber_ln": hexc("7F4A0C"),
    "metal": hexc("C3C9D1"),
    "metal_ln": hexc("4D545E"),
    "dark": hexc("343A42"),
    "blue": hexc("3C7DD6"),
    "blue_ln": hexc("1B4685"),
    "glass": hexc("D4EBFF"),
    "red": hexc("E2432F"),
    "red_ln": hexc("86190D"),
    "folder": hexc("F6CF62"),
    "folder_back": hexc("E0AA3E"),
    "folder_ln": hexc("87600F"),
    "wood": hexc("C38B4B"),
    "wood_ln": hexc("6A431B"),
    "pink": hexc("F293A8"),
    "pink_ln": hexc("8E2F45"),
    "green": hexc("4CC25A"),
    "white": hexc("FFFFFF"),
}


# ------------------------------------------------------ signed distances

def sd_circle(cx, cy, r):
    def f(x, y):
        return math.hypot(x - cx, y - cy) - r
    return f


def sd_box(x0, y0, x1, y1, rad=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - rad, (y1 - y0) / 2.0 - rad

    def f(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0) - rad
    return f


def sd_segment(ax, ay, bx, by, r):
    """Capsule: segment a-b thickened by radius r (round caps)."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy

    def f(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / ll if ll else 0.0
        t = min(1.0, max(0.0, t))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r
    return f


def sd_polygon(pts):
    n = len(pts)

    def f(x, y):
        d = float("inf")
        inside = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            ll = ex * ex + ey * ey
            t = min(1.0, max(0.0, (wx * ex + wy * ey) / ll)) if ll else 0.0
            dd = (wx - ex * t) ** 2 + (wy - ey * t) ** 2
            if dd < d:
                d = dd
            if (yi > y) != (yj > y):
                if x < xi + (y - yi) * ex / ey:
                    inside = not inside
            j = i
        d = math.sqrt(d)
        return -d if inside else d
    return f


def sd_arc(cx, cy, r, a0, a1, hw):
    """Stroke of a circular arc from angle a0 to a1 (degrees, screen
    coordinates: 0 = right, 90 = down), half width hw, round caps."""
    a0r, a1r = math.radians(a0), math.radians(a1)
    span = a1r - a0r
    e0 = (cx + r * math.cos(a0r), cy + r * math.sin(a0r))
    e1 = (cx + r * math.cos(a1r), cy + r * math.sin(a1r))

    def f(x, y):
        t = (math.atan2(y - cy, x - cx) - a0r) % (2 * math.pi)
        if t <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - hw
        return min(math.hypot(x - e0[0], y - e0[1]),
                   math.hypot(x - e1[0], y - e1[1])) - hw
    return f


def union(*fs):
    def f(x, y):
        return min(g(x, y) for g in fs)
    return f


def subtract(a, b):
    def f(x, y):
        return max(a(x, y), -b(x, y))
    return f


def intersect(*fs):
    def f(x, y):
        return max(g(x, y) for g in fs)
    return f


def mirror_x(g):
    def f(x, y):
        return g(16.0 - x, y)
    return f


def rotated_rect(cx, cy, length, width, angle_deg, t0=0.0, t1=1.0):
    """Polygon for the part [t0, t1] (fractions of length) of a rectangle
    centred at (cx, cy) with its long axis at angle_deg."""
    a = math.radians(angle_deg)
    ux, uy = math.cos(a), math.sin(a)
    vx, vy = -uy, ux
    s0 = -length / 2 + length * t0
    s1 = -length / 2 + length * t1
    h = width / 2
    return [(cx + ux * s0 + vx * h, cy + uy * s0 + vy * h),
            (cx + ux * s1 + vx * h, cy + uy * s1 + vy * h),
            (cx + ux * s1 - vx * h, cy + uy * s1 - vy * h),
            (cx + ux * s0 - vx * h, cy + uy * s0 - vy * h)]


# ----------------------------------------------------------- rasterizer

class Layer:
    def __init__(self, sdf, fill, line=None, alpha=1.0):
        self.sdf = sdf
        self.fill = fill      # (r,g,b) or callable(x, y) -> (r,g,b)
        self.line = line      # outline colour or None
        self.alpha = alpha


def L(sdf, fill, line="auto", alpha=1.0):
    if line == "auto":
        line = darker(fill) if isinstance(fill, tuple) else None
    return Layer(sdf, fill, line, alpha)


def render(layers, size, outline_px=1.0):
    """Return list of rows of (r, g, b, a) floats 0..255 / 0..1 (straight)."""
    scale = size / 16.0
    ow = outline_px / scale          # outline width in units
    n = SS * SS
    offs = [((i + 0.5) / SS, (j + 0.5) / SS) for j in range(SS) for i in range(SS)]
    img = []
    for py in range(size):
        row = []
        for px in range(size):
            ar = ag = ab = aa = 0.0   # premultiplied accumulators
            for ox, oy in offs:
                x = (px + ox) / scale
                y = (py + oy) / scale
                sr = sg = sb = sa = 0.0
                for ly in layers:
                    d = ly.sdf(x, y)
                    if d >= 0.0:
                        continue
                    if ly.line is not None and d > -ow:
                        c = ly.line
                    else:
                        c = ly.fill(x, y) if callable(ly.fill) else ly.fill
                    a = ly.alpha
                    sr = c[0] * a + sr * (1 - a)
                    sg = c[1] * a + sg * (1 - a)
                    sb = c[2] * a + sb * (1 - a)
                    sa = a + sa * (1 - a)
                ar += sr
                ag += sg
                ab += sb
                aa += sa
            if aa > 0:
                row.append((ar / aa, ag / aa, ab / aa, aa / n))
            else:
                row.append((0.0, 0.0, 0.0, 0.0))
        img.append(row)
    return img


def to_bgra8(img):
    """Straight-alpha 8-bit tuples (r, g, b, a)."""
    out = []
    for row in img:
        r2 = []
        for r, g, b, a in row:
            A = int(round(a * 255))
            if A == 0:
                r2.append((0, 0, 0, 0))
            else:
                r2.append((min(255, int(round(r))), min(255, int(round(g))),
                           min(255, int(round(b))), A))
        out.append(r2)
    return out


# -------------------------------------------------------------- pictures

def lines_on(x0, x1, ys, th=1.0, col=None):
    col = col or PAL["text"]
    return [L(sd_box(x0, y, x1, y + th), col, None) for y in ys]


def pic_scissors():
    bl = PAL["metal"]
    bl_ln = PAL["metal_ln"]

    def blade(bx, by, tx, ty, w):
        dx, dy = tx - bx, ty - by
        ln = math.hypot(dx, dy)
        nx, ny = -dy / ln * w, dx / ln * w
        return sd_polygon([(bx + nx, by + ny), (tx + nx * 0.15, ty + ny * 0.15),
                           (tx - nx * 0.15, ty - ny * 0.15), (bx - nx, by - ny)])
    ring = lambda cx, cy: subtract(sd_circle(cx, cy, 2.9), sd_circle(cx, cy, 1.35))
    return [
        L(blade(10.6, 10.4, 4.6, 0.4, 1.75), bl, bl_ln),
        L(blade(5.4, 10.4, 11.4, 0.4, 1.75), bl, bl_ln),
        L(sd_circle(8, 6.3, 0.75), PAL["dark"], None),
        L(ring(4.4, 12.6), PAL["red"], PAL["red_ln"]),
        L(ring(11.6, 12.6), PAL["red"], PAL["red_ln"]),
    ]


def sheet(x0, y0, x1, y1):
    return L(sd_box(x0, y0, x1, y1), PAL["paper"], PAL["paper_ln"])


def pic_copy():
    return [
        sheet(1, 1, 10, 12),
        *lines_on(3, 8, [3, 5, 7]),
        sheet(6, 4, 15, 15),
        *lines_on(8, 13, [6, 8, 10, 12]),
    ]


def pic_paste():
    return [
        L(sd_box(1, 2, 12, 15, 1.0), PAL["wood"], PAL["wood_ln"]),
        L(sd_box(4, 0.5, 9, 4, 0.8), PAL["metal"], PAL["metal_ln"]),
        sheet(7, 6, 15, 16),
        *lines_on(9, 13, [8, 10, 12]),
    ]


def arrow_undo():
    band = sd_arc(9.0, 10.0, 4.3, 270, 450, 1.5)
    head = sd_polygon([(0.6, 5.7), (6.2, 1.0), (6.2, 10.4)])
    stem = sd_box(5.0, 4.2, 9.2, 7.2)
    return union(band, head, stem)


def pic_undo():
    return [L(arrow_undo(), PAL["blue"], PAL["blue_ln"])]


def pic_redo():
    return [L(mirror_x(arrow_undo()), PAL["blue"], PAL["blue_ln"])]


def pic_delete():
    x = union(sd_segment(3.5, 3.5, 12.5, 12.5, 1.9),
              sd_segment(12.5, 3.5, 3.5, 12.5, 1.9))
    return [L(x, PAL["red"], PAL["red_ln"])]


def pic_new():
    return [
        L(sd_polygon([(2, 0), (10, 0), (14, 4), (14, 16), (2, 16)]),
          PAL["paper"], PAL["paper_ln"]),
        L(sd_polygon([(10, 0), (14, 4), (10, 4)]), PAL["fold"], PAL["paper_ln"]),
    ]


def pic_open():
    return [
        L(sd_polygon([(0, 2), (5, 2), (7, 4), (14, 4), (14, 15), (0, 15)]),
          PAL["folder_back"], PAL["folder_ln"]),
        L(sd_box(2, 5, 12, 11), PAL["paper"], PAL["paper_ln"]),
        L(sd_polygon([(3, 8), (16, 8), (13, 15), (0, 15)]),
          PAL["folder"], PAL["folder_ln"]),
    ]


def pic_save():
    return [
        L(sd_polygon([(1, 1), (13, 1), (15, 3), (15, 15), (1, 15)]),
          PAL["blue"], PAL["blue_ln"]),
        L(sd_box(4, 1, 12, 6), PAL["metal"], PAL["blue_ln"]),
        L(sd_box(9, 2, 11, 5), PAL["blue_ln"], None),
        L(sd_box(3, 9, 13, 15), PAL["paper"], PAL["blue_ln"]),
        *lines_on(5, 11, [11, 13]),
    ]


def pic_printer():
    return [
        L(sd_box(4, 1, 12, 7), PAL["paper"], PAL["paper_ln"]),
        L(sd_box(1, 6, 15, 13, 1.2), PAL["metal"], PAL["metal_ln"]),
        L(sd_box(3, 10, 13, 11), PAL["dark"], None),
        L(sd_circle(12.6, 7.7, 0.8), PAL["green"], None),
        L(sd_box(4, 10, 12, 15), PAL["paper"], PAL["paper_ln"]),
        *lines_on(6, 10, [12]),
    ]


def pic_help():
    q = union(sd_arc(8.0, 5.9, 2.45, 185, 425, 1.05),
              sd_segment(8.0 + 2.45 * math.cos(math.radians(65)),
                         5.9 + 2.45 * math.sin(math.radians(65)), 8.0, 9.6, 1.05))
    return [
        L(sd_circle(8, 8, 7.5), PAL["blue"], PAL["blue_ln"]),
        L(q, PAL["white"], None),
        L(sd_circle(8.0, 12.2, 1.15), PAL["white"], None),
    ]


def pic_find():
    return [
        L(sd_segment(10.2, 10.2, 14.2, 14.2, 1.6), PAL["dark"], hexc("15181C")),
        L(sd_circle(6.5, 6.5, 6.0), PAL["metal"], PAL["metal_ln"]),
        L(sd_circle(6.5, 6.5, 4.2), PAL["glass"], PAL["metal_ln"]),
        L(sd_arc(6.5, 6.5, 2.6, 200, 260, 0.55), PAL["white"], None),
    ]


def pic_eraser():
    cx, cy, ln, w, ang = 8.0, 7.6, 14.0, 6.6, -45.0
    return [
        L(sd_box(1, 14, 15, 15), hexc("9AA0A8"), None),
        L(sd_polygon(rotated_rect(cx, cy, ln, w, ang, 0.0, 0.45)), PAL["pink"], PAL["pink_ln"]),
        L(sd_polygon(rotated_rect(cx, cy, ln, w, ang, 0.43, 1.0)), PAL["blue"], PAL["blue_ln"]),
    ]


def key_shape():
    head = subtract(sd_circle(4.5, 8.5, 4.0), sd_circle(3.5, 8.5, 1.4))
    shaft = sd_box(7, 7, 15, 10)
    teeth = union(sd_box(10, 9, 12, 13), sd_box(13, 9, 15, 12))
    return union(head, shaft, teeth)


def pic_key():
    return [L(key_shape(), PAL["amber"], PAL["amber_ln"])]


def padlock(body_fill, shackle_y=6.9, motif="keyhole", size=16):
    layers = [
        L(union(sd_arc(8.0, shackle_y, 3.6, 180, 360, 1.3),
                sd_segment(4.4, shackle_y, 4.4, 9.0, 1.3),
                sd_segment(11.6, shackle_y, 11.6, 9.0, 1.3)),
          PAL["metal"], PAL["metal_ln"]),
        L(sd_box(1, 7.5, 15, 16, 1.4), body_fill, PAL["amber_ln"]),
    ]
    if motif == "keyhole":
        layers += [L(union(sd_circle(8.0, 11.2, 1.35),
                           sd_polygon([(7.3, 11.4), (8.7, 11.4), (9.1, 14.2), (6.9, 14.2)])),
                     PAL["amber_ln"], None)]
    else:
        # Centre the asterisk on a pixel centre so its upright arm stays crisp.
        r, cy, cx = (2.6 if size <= 16 else 2.85), 11.8, 8.0 - 8.0 / size
        hw = 0.6 if size <= 24 else 0.78
        arms = [sd_segment(cx - r * math.cos(math.radians(a)), cy - r * math.sin(math.radians(a)),
                           cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)),
                           hw)
                for a in (90, 30, 150)]
        layers += [L(union(*arms), hexc("5A3206"), None)]
    return layers


def pic_padlock():
    return padlock(PAL["amber"])


def pic_mainicon(size):
    hi, lo = PAL["amber_hi"], PAL["amber"]

    def grad(x, y):
        t = min(1.0, max(0.0, (y - 8.5) / 6.5))
        return tuple(hi[i] + (lo[i] - hi[i]) * t for i in range(3))
    return padlock(grad, motif="asterisk", size=size)


PICTURES = [
    pic_scissors, pic_copy, pic_paste, pic_undo, pic_redo, pic_delete,
    pic_new, pic_open, pic_save, pic_printer, pic_help, pic_find,
    pic_eraser, pic_key, pic_padlock,
]


# ---------------------------------------------------------------- writers

def bmp_strip(images, size, path):
    """Horizontal strip, 32-bit BGRA straight alpha, bottom-up, BI_RGB."""
    w, h = size * len(images), size
    rows = []
    for y in range(h - 1, -1, -1):
        b = bytearray()
        for img in images:
            for r, g, bl, a in img[y]:
                b += bytes((bl, g, r, a))
        rows.append(bytes(b))
    pix = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(pix), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pix), 0, 0, 14 + 40)
    with open(path, "wb") as f:
        f.write(head + info + pix)


def and_mask(img, size, threshold):
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if img[y][x][3] < threshold:
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def ico_entry32(img, size):
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        for r, g, b, a in img[y]:
            xor += bytes((b, g, r, a))
    mask = and_mask(img, size, 1)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + mask


def median_cut(colors, n):
    """colors: dict (r,g,b) -> count. Returns list of <= n palette colours."""
    boxes = [list(colors.items())]
    while len(boxes) < n:
        best, bi, bch = -1, -1, 0
        for i, bx in enumerate(boxes):
            if len(bx) < 2:
                continue
            for ch in range(3):
                vals = [c[0][ch] for c in bx]
                rng = max(vals) - min(vals)
                if rng > best:
                    best, bi, bch = rng, i, ch
        if bi < 0 or best <= 0:
            break
        bx = sorted(boxes.pop(bi), key=lambda c: c[0][bch])
        total = sum(c[1] for c in bx)
        acc, cut = 0, 1
        for k, c in enumerate(bx):
            acc += c[1]
            if acc * 2 >= total:
                cut = max(1, min(len(bx) - 1, k + 1))
                break
        boxes += [bx[:cut], bx[cut:]]
    pal = []
    for bx in boxes:
        t = sum(c[1] for c in bx)
        pal.append(tuple(int(round(sum(c[0][ch] * c[1] for c in bx) / t)) for ch in range(3)))
    return pal


def ico_entry8(img, size):
    # Pixels at least half covered become opaque; the rest are masked out.
    colors = {}
    for row in img:
        for r, g, b, a in row:
            if a >= 128:
                colors[(r, g, b)] = colors.get((r, g, b), 0) + 1
    if len(colors) <= 255:
        pal = list(colors.keys())
    else:
        pal = median_cut(colors, 255)
    pal = [(0, 0, 0)] + pal           # index 0: black, used under the mask
    pal += [(0, 0, 0)] * (256 - len(pal))
    cache = {}

    def nearest(c):
        if c not in cache:
            best, bi = None, 0
            for i in range(1, 256):
                p = pal[i]
                d = (p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2 + (p[2] - c[2]) ** 2
                if best is None or d < best:
                    best, bi = d, i
            cache[c] = bi
        return cache[c]

    stride = (size + 3) & ~3
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            r, g, b, a = img[y][x]
            row[x] = nearest((r, g, b)) if a >= 128 else 0
        xor += row
    mask = and_mask(img, size, 128)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                       len(xor) + len(mask), 0, 0, 256, 0)
    palb = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
    return info + palb + bytes(xor) + mask


def png_rgba(img, size):
    """PNG of straight-alpha RGBA rows, as Vista and later take it inside an .ico."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in img)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_ico(entries, path):
    """entries: list of (size, bitcount, data)."""
    head = struct.pack("<HHH", 0, 1, len(entries))
    off = 6 + 16 * len(entries)
    dirs, blobs = b"", b""
    for size, bpp, data in entries:
        dirs += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bpp, len(data), off)
        off += len(data)
        blobs += data
    with open(path, "wb") as f:
        f.write(head + dirs + blobs)


def main():
    # Menus (16 px at 100 %) and tool bar (32 px) at every scaling from 100 to 200 %; the program
    # picks the strip for its DPI. Outlines grow with the pictures beyond 32 px.
    for size in (16, 20, 24, 28, 32, 40, 48, 56, 64):
        pictures = PICTURES if size <= 32 else PICTURES[:9]
        strip = [to_bgra8(render(p(), size, max(1.0, size / 32.0))) for p in pictures]
        bmp_strip(strip, size, os.path.join(RES, "ImageList%d.bmp" % size))

    # What Windows asks for at 100 to 200 % scaling (small icons, shell views, Alt+Tab).
    sizes = (16, 20, 24, 32, 40, 48, 64)
    icons = {s: to_bgra8(render(pic_mainicon(s), s, max(1.0, s / 32.0))) for s in sizes + (256,)}
    entries = [(s, 32, ico_entry32(icons[s], s)) for s in sizes]
    # 256 px as a 32-bit bitmap would be 256 KB; the PNG is a fraction of that.
    entries += [(256, 32, png_rgba(icons[256], 256))]
    entries += [(s, 8, ico_entry8(icons[s], s)) for s in sizes]
    write_ico(entries, os.path.join(RES, "MAINICON.ico"))
    print("wrote MAINICON.ico and the ImageList strips in", RES)


if __name__ == "__main__":
    main()
