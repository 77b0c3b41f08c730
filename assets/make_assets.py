#!/usr/bin/env python3
"""Draw Inkwarden's application icon (the title band is drawn by the program itself,
at the window's DPI: ui/title_band.cpp).

Run from the repository root:  python3 assets/make_assets.py
Writes assets/inkwarden.ico.

Standard library only, so any build machine can rebuild the assets; output
is deterministic so regenerating never shows up as a spurious diff.
"""
import math
import os
import struct
import zlib

OUT_DIR = os.path.dirname(os.path.abspath(__file__))


def rgba(hexstr, a=255):
    h = hexstr.lstrip('#')
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), a)


# ---------------------------------------------------------------------------
# Rasteriser
# ---------------------------------------------------------------------------
class Canvas:
    """Straight-alpha float RGBA image with an anti-aliased polygon filler.

    Coverage is exact horizontally and sampled on SUB sub-rows vertically;
    this gives smooth edges for both near-horizontal and near-vertical lines
    at a fraction of the cost of full 2-D supersampling in pure Python.
    """
    SUB = 16

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.r, self.g, self.b, self.a = ([0.0] * (w * h) for _ in range(4))

    def blend(self, i, col, cov):
        sa = col[3] / 255.0 * cov
        if sa <= 0.0:
            return
        da = self.a[i]
        k = da * (1.0 - sa)
        oa = sa + k
        self.r[i] = (col[0] / 255.0 * sa + self.r[i] * k) / oa
        self.g[i] = (col[1] / 255.0 * sa + self.g[i] * k) / oa
        self.b[i] = (col[2] / 255.0 * sa + self.b[i] * k) / oa
        self.a[i] = oa

    def fill(self, paths, col):
        """Fill one or more closed paths with the nonzero rule.

        Several sub-paths are filled in one pass so that overlapping pieces
        (e.g. the capsules that make up a stroked polyline) form a true union
        instead of darkening where their anti-aliased edges overlap.
        `col` is an RGBA tuple or a function (x, y) -> RGBA for gradients.
        """
        if paths and isinstance(paths[0][0], (int, float)):
            paths = [paths]
        edges = []
        ys = []
        for p in paths:
            for j in range(len(p)):
                (x0, y0), (x1, y1) = p[j], p[(j + 1) % len(p)]
                if y0 != y1:
                    edges.append((x0, y0, x1, y1))
                ys += [y0, y1]
        if not edges:
            return
        py0 = max(0, int(math.floor(min(ys))))
        py1 = min(self.h, int(math.ceil(max(ys))))
        w, sub = self.w, self.SUB
        wgt = 1.0 / sub
        for py in range(py0, py1):
            cov = [0.0] * (w + 2)
            diff = [0.0] * (w + 2)
            touched = False
            for s in range(sub):
                sy = py + (s + 0.5) / sub
                xs = []
                for x0, y0, x1, y1 in edges:
                    if (y0 <= sy < y1) or (y1 <= sy < y0):
                        xs.append((x0 + (sy - y0) * (x1 - x0) / (y1 - y0),
                                   1 if y1 > y0 else -1))
                if not xs:
                    continue
                xs.sort()
                wind = 0
                for k in range(len(xs) - 1):
                    wind += xs[k][1]
                    if wind == 0:
                        continue
                    xa = min(max(xs[k][0], 0.0), float(w))
                    xb = min(max(xs[k + 1][0], 0.0), float(w))
                    if xb <= xa:
                        continue
                    touched = True
                    ia, ib = int(xa), int(xb)
                    if ia == ib:
                        cov[ia] += (xb - xa) * wgt
                        continue
                    # Partial end pixels exactly, full pixels via a difference
                    # array so a long span costs O(1) rather than O(width).
                    cov[ia] += (ia + 1 - xa) * wgt
                    diff[ia + 1] += wgt
                    diff[ib] -= wgt
                    cov[ib] += (xb - ib) * wgt
            if not touched:
                continue
            run = 0.0
            base = py * w
            for x in range(w):
                run += diff[x]
                c = cov[x] + run
                if c > 1e-4:
                    c = min(c, 1.0)
                    self.blend(base + x, col(x + 0.5, py + 0.5)
                               if callable(col) else col, c)

    def pixel(self, x, y):
        i = y * self.w + x
        q = lambda v: max(0, min(255, int(v * 255.0 + 0.5)))
        return q(self.r[i]), q(self.g[i]), q(self.b[i]), q(self.a[i])


# --- shape helpers (all return point lists in pixel coordinates) ----------
def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def capsule(p0, p1, width, cap='round'):
    """Thick line segment; every capsule winds the same way so unions work."""
    (x0, y0), (x1, y1) = p0, p1
    d = math.hypot(x1 - x0, y1 - y0) or 1e-9
    ux, uy = (x1 - x0) / d, (y1 - y0) / d
    nx, ny = -uy, ux
    r = width / 2.0
    if cap == 'butt':
        return [(x0 + nx * r, y0 + ny * r), (x1 + nx * r, y1 + ny * r),
                (x1 - nx * r, y1 - ny * r), (x0 - nx * r, y0 - ny * r)]
    pts = []
    base = math.atan2(ny, nx)
    for i in range(13):                  # half circle around the end point
        t = base - math.pi * i / 12
        pts.append((x1 + r * math.cos(t), y1 + r * math.sin(t)))
    for i in range(13):                  # half circle around the start point
        t = base + math.pi - math.pi * i / 12
        pts.append((x0 + r * math.cos(t), y0 + r * math.sin(t)))
    return pts


def stroke(points, width, closed=False, cap='round'):
    segs = list(zip(points, points[1:] + (points[:1] if closed else [])))
    return [capsule(a, b, width, cap) for a, b in segs]


# ---------------------------------------------------------------------------
# Application icon
# ---------------------------------------------------------------------------
# Notes are a pale lemon yellow and the pencil a deeper amber so the two
# yellows stay distinguishable; one dark brown outline ties them together.
OUTLINE, INK, GRAPHITE = rgba('#5A4300'), rgba('#27407A'), rgba('#2E2E33')
NOTE_TOP, NOTE_GLUE = rgba('#FFEC6E'), rgba('#F9DC4A')
NOTE_BACK1, NOTE_BACK2 = rgba('#F5D83E'), rgba('#E9C62E')
PENCIL_LIT, PENCIL_MID = rgba('#FFD24A'), rgba('#F6A800')
PENCIL_DARK, WOOD = rgba('#D98600'), rgba('#F2CD96')
FERRULE, FERRULE_DARK = rgba('#B9C0C8'), rgba('#7D858F')
ERASER, ERASER_LIT = rgba('#F07C9C'), rgba('#F9A9BF')


def draw_icon(S):
    """Draw the icon at S x S from shapes designed on a 32-unit grid.

    Each size is rendered from the vector description (not resampled) and
    axis-aligned edges are snapped to whole pixels so the small sizes stay
    crisp; the outline width grows with size but never drops below 1 px.
    """
    c = Canvas(S, S)
    u = S / 32.0
    snap = lambda v: math.floor(v * u + 0.5)
    lw = max(1, round(S / 40.0))
    small = S < 24

    # Stack of sticky notes: sheets behind peek out down-right; fewer sheets
    # at tiny sizes because 1 px offsets would merge into a muddy edge.
    step = 32.0 / S if small else 2.0           # 1 px at tiny sizes
    stack = [(2, NOTE_BACK2), (1, NOTE_BACK1), (0, NOTE_TOP)]
    for k, colr in stack[1:] if small else stack:
        x0, y0, x1, y1 = [snap(v + step * k) for v in (1, 3, 23, 25)]
        c.fill(rect(x0, y0, x1, y1), OUTLINE)
        c.fill(rect(x0 + lw, y0 + lw, x1 - lw, y1 - lw), colr)
    # The slightly darker glued strip is what makes a square read as a
    # sticky note rather than a generic document.
    c.fill(rect(x0 + lw, y0 + lw, x1 - lw, max(y0 + lw + 1, snap(6.5))),
           NOTE_GLUE)
    if S >= 32:
        # Dog-eared bottom-right corner: the corner triangle shows the sheet
        # below, the flap lies folded back over the note.
        fx, fy, d = x1, y1, snap(4)
        c.fill([(fx - d, fy), (fx, fy - d), (fx, fy)], NOTE_BACK1)
        flap = [(fx - d, fy - lw / 2), (fx - lw / 2, fy - d),
                (fx - d, fy - d)]
        c.fill([flap] + stroke(flap, lw, closed=True), OUTLINE)
        c.fill(flap, rgba('#FFF6B0'))

    # Ink "handwriting": line centres snapped to pixel centres (or pixel
    # edges for even widths) so thin strokes don't smear over two rows.
    tw = max(1, round(1.7 * u)) if S < 48 else 1.25 * u
    def text_y(v):
        y = math.floor(v * u)
        return y + (0.5 if tw % 2 == 1 else 0.0)
    # From 32 px up the lines break into "words"; from 48 px up they also
    # get a gentle wave so they look handwritten rather than ruled.
    lines = [(11, [(4, 9), (10.5, 19)]), (15.5, [(4, 7.5), (9, 16.5)]),
             (20, [(4, 11.5)])]
    for ly, words in lines:
        y = text_y(ly)
        if S < 32:
            words = [(words[0][0], words[-1][1])]
        for lx0, lx1 in words:
            n = max(1, int((lx1 - lx0) * u / 1.5)) if S >= 48 else 1
            pts = []
            for i in range(n + 1):
                xu = lx0 + (lx1 - lx0) * i / n
                wob = 0.0 if S < 48 else math.sin(xu * 1.7 + ly) * 0.22 * u
                pts.append((xu * u, y + wob))
            c.fill(stroke(pts, tw, cap='round' if S >= 48 else 'butt'), INK)

    # Pencil, described along its own axis: t from the tip, s across it.
    tip = (11.6 * u, text_y(20))
    L, hw = 24.0 * u, max(3.1 * u, 1.9)
    ux, uy = math.sqrt(0.5), -math.sqrt(0.5)
    nx, ny = -math.sqrt(0.5), -math.sqrt(0.5)   # points up-left: the lit side
    P = lambda t, s: (tip[0] + t * ux + s * nx, tip[1] + t * uy + s * ny)
    cone, gra, fer0, fer1 = 7.0 * u, 2.6 * u, 18.5 * u, 20.8 * u
    rr = hw * 0.8                                 # eraser end corner radius
    end = [P(L - rr + rr * math.sin(a), -hw + rr - rr * math.cos(a))
           for a in [i * math.pi / 16 for i in range(9)]]
    end += [P(L - rr + rr * math.cos(a), hw - rr + rr * math.sin(a))
            for a in [i * math.pi / 16 for i in range(9)]]
    sil = [P(0, 0), P(cone, -hw)] + end + [P(cone, hw)]
    # Soft shadow on the paper first: it lifts the pencil off the note so the
    # two yellows stay apart even at small sizes.
    off = max(1.0, 1.3 * u)
    c.fill([(x + off * 0.6, y + off) for x, y in sil], rgba('#3A2A00', 70))
    c.fill([sil] + stroke(sil, 2 * lw, closed=True), OUTLINE)
    c.fill([P(gra, -hw * gra / cone), P(cone, -hw), P(cone, hw),
            P(gra, hw * gra / cone)], WOOD)
    c.fill([P(0, 0), P(gra, -hw * gra / cone), P(gra, hw * gra / cone)],
           GRAPHITE)
    body = lambda s0, s1: [P(cone, s0), P(fer0, s0), P(fer0, s1), P(cone, s1)]
    if small:
        c.fill(body(-hw, hw), PENCIL_MID)
        c.fill(body(hw * 0.2, hw), PENCIL_LIT)
    else:
        c.fill(body(-hw, -hw / 3), PENCIL_DARK)
        c.fill(body(-hw / 3, hw / 3), PENCIL_MID)
        c.fill(body(hw / 3, hw), PENCIL_LIT)
    c.fill([P(fer0, -hw), P(fer1, -hw), P(fer1, hw), P(fer0, hw)], FERRULE)
    if S >= 32:
        for t in (fer0 + (fer1 - fer0) / 3, fer0 + 2 * (fer1 - fer0) / 3):
            c.fill(capsule(P(t, -hw), P(t, hw), max(0.8, 0.45 * u), 'butt'),
                   FERRULE_DARK)
    c.fill([P(fer1, -hw)] + end + [P(fer1, hw)], ERASER)
    if not small:
        c.fill([P(fer1, hw / 4), P(L - rr, hw / 4), P(L - rr, hw * 0.8),
                P(fer1, hw * 0.8)], ERASER_LIT)
    # Thin dark dividers where the parts meet keep them distinct.
    dv = max(0.7, 0.5 * lw)
    for t in (cone, fer0, fer1):
        c.fill(capsule(P(t, -hw), P(t, hw), dv, 'butt'), OUTLINE)
    return c


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------
def png_bytes(c):
    raw = bytearray()
    for y in range(c.h):
        raw.append(0)                   # filter type 0 (None) for every row
        for x in range(c.w):
            raw += bytes(c.pixel(x, y))
    chunk = lambda t, d: (struct.pack('>I', len(d)) + t + d +
                          struct.pack('>I', zlib.crc32(t + d) & 0xffffffff))
    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', c.w, c.h, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def dib_bytes(c):
    """32-bit BGRA icon image plus the 1-bit AND mask older shells expect."""
    s = c.w
    mask_stride = ((s + 31) // 32) * 4
    hdr = struct.pack('<IiiHHIIiiII', 40, s, 2 * s, 1, 32, 0,
                      s * s * 4 + mask_stride * s, 0, 0, 0, 0)
    xor, andm = bytearray(), bytearray()
    for y in range(s - 1, -1, -1):      # DIBs are stored bottom-up
        bits = bytearray(mask_stride)
        for x in range(s):
            r, g, b, a = c.pixel(x, y)
            xor += bytes((b, g, r, a) if a else (0, 0, 0, 0))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andm += bits
    return hdr + bytes(xor) + bytes(andm)


def write_ico(path, images):
    # PNG from 48 px up (Vista and later read PNG images of any size), which halves
    # the icon; the small sizes the tray and title bars use stay plain DIBs.
    blobs = [png_bytes(c) if c.w >= 48 else dib_bytes(c) for c in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, blob in zip(images, blobs):
        dim = c.w if c.w < 256 else 0   # 0 means 256 in the directory
        out += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(blob),
                           offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))


def main():
    sizes = [16, 20, 24, 32, 40, 48, 64, 256]
    write_ico(os.path.join(OUT_DIR, 'inkwarden.ico'),
              [draw_icon(s) for s in sizes])


if __name__ == '__main__':
    main()
