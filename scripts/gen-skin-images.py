#!/usr/bin/env python3
"""Draws the skin's small flat images (device selector icons, power states,
phone kinds, slider thumbs, the seven-colour swatch) and writes them as PNG
under skin/.

Each image is drawn at the exact size of the control that shows it: the
controls stretch their images to their own rectangle without smoothing, so
any other size would come out distorted or jagged.

Shapes are signed distance functions; a pixel's coverage is taken from the
distance at its centre, which gives clean one-pixel anti-aliased edges
without supersampling. Only the standard library is used.

Run from anywhere:
  python3 scripts/gen-skin-images.py           write every image
  python3 scripts/gen-skin-images.py --check   decode every image and compare
                                                it with what would be drawn
  python3 scripts/gen-skin-images.py --preview OUT.png
                                                a 4x sheet of every image on
                                                the colours it is shown on
"""
import math
import os
import struct
import sys
import zlib

SKIN = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "skin")

GREY = (0xB8, 0xBC, 0xC8)      # idle glyphs: the selector's label colour
ACCENT = (0x4C, 0x9A, 0xFF)    # the selected device
LINK = (0x2F, 0xBF, 0x71)      # synchronised lighting: the synchro check's colour
WHITE = (0xFF, 0xFF, 0xFF)
BOLT = (0xFF, 0xC6, 0x40)      # charging
FULL = (0x2F, 0xBF, 0x71)      # charged


# ---------------------------------------------------------------- shapes
# Every shape is a function (x, y) -> signed distance in pixels, negative
# inside. Pixel centres are at half-integer coordinates.

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def rbox(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return d


def capsule(ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def d(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r
    return d


def polygon(points):
    n = len(points)

    def d(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            length2 = ex * ex + ey * ey
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / length2))
            best = min(best, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (by - ay):
                inside = not inside
        return -best if inside else best
    return d


def ring(shape, width):
    """The outline of a shape, width pixels thick, centred on its edge."""
    return lambda x, y: abs(shape(x, y)) - width / 2


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


def grow(shape, amount):
    return lambda x, y: shape(x, y) - amount


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def cut(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def clip(shape, mask):
    return lambda x, y: max(shape(x, y), mask(x, y))


def halfplane(nx, ny, c):
    """Inside where nx*x + ny*y < c (normal need not be unit length)."""
    k = math.hypot(nx, ny)
    return lambda x, y: (nx * x + ny * y - c) / k


def moved(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def rotated(shape, cx, cy, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)

    def d(x, y):
        px, py = x - cx, y - cy
        return shape(cx + c * px + s * py, cy - s * px + c * py)
    return d


# ---------------------------------------------------------------- canvas

class Canvas:
    """Premultiplied RGBA floats, 0..1."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def _coverage(self, shape):
        for y in range(self.height):
            for x in range(self.width):
                c = 0.5 - shape(x + 0.5, y + 0.5)
                if c > 0.0:
                    yield self.px[y * self.width + x], min(c, 1.0), x, y

    def fill(self, shape, rgb, opacity=1.0):
        return self.paint(shape, lambda x, y: rgb, opacity)

    def paint(self, shape, colour_at, opacity=1.0):
        """Fills with a colour that may vary with the position."""
        for p, c, x, y in self._coverage(shape):
            r, g, b = colour_at(x + 0.5, y + 0.5)
            a = c * opacity
            keep = 1.0 - a
            p[0] = r / 255 * a + p[0] * keep
            p[1] = g / 255 * a + p[1] * keep
            p[2] = b / 255 * a + p[2] * keep
            p[3] = a + p[3] * keep
        return self

    def erase(self, shape):
        for p, c, _x, _y in self._coverage(shape):
            keep = 1.0 - c
            for i in range(4):
                p[i] *= keep
        return self

    def rgba_rows(self):
        rows = []
        for y in range(self.height):
            row = bytearray()
            for p in self.px[y * self.width:(y + 1) * self.width]:
                a = p[3]
                if a <= 0.0:
                    row += b"\0\0\0\0"
                    continue
                row += bytes(min(255, int(round(v / a * 255))) for v in p[:3])
                row.append(min(255, int(round(a * 255))))
            rows.append(bytes(row))
        return rows


# ---------------------------------------------------------------- PNG

def _chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filtered(row, prev, kind):
    out = bytearray([kind])
    for i, v in enumerate(row):
        left = row[i - 4] if i >= 4 else 0
        up = prev[i]
        upleft = prev[i - 4] if i >= 4 else 0
        pred = (0, left, up, (left + up) // 2, _paeth(left, up, upleft))[kind]
        out.append((v - pred) & 0xFF)
    return bytes(out)


def encode_png(width, height, rows):
    """8-bit RGBA; per row the filter that compresses best alone."""
    raw = bytearray()
    prev = bytes(width * 4)
    for row in rows:
        raw += min((_filtered(row, prev, k) for k in range(5)), key=lambda f: len(zlib.compress(f, 9)))
        prev = row
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + _chunk(b"IEND", b""))


def decode_png(data):
    """Returns (width, height, rows of RGBA bytes) of an 8-bit RGBA PNG;
    raises ValueError on anything else or on damage."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG signature")
    at, idat, header = 8, bytearray(), None
    ended = False
    while at < len(data):
        if at + 8 > len(data):
            raise ValueError("truncated chunk header")
        (length,) = struct.unpack(">I", data[at:at + 4])
        kind = data[at + 4:at + 8]
        body = data[at + 8:at + 8 + length]
        if len(body) != length or at + 12 + length > len(data):
            raise ValueError("truncated chunk")
        (crc,) = struct.unpack(">I", data[at + 8 + length:at + 12 + length])
        if zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            raise ValueError("bad CRC in %r" % kind)
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            ended = True
            break
        at += 12 + length
    if header is None or not ended:
        raise ValueError("missing IHDR or IEND")
    width, height, depth, colour, _comp, _filt, interlace = header
    if (depth, colour, interlace) != (8, 6, 0):
        raise ValueError("not 8-bit RGBA without interlace")
    raw = zlib.decompress(bytes(idat))
    stride = width * 4
    if len(raw) != height * (stride + 1):
        raise ValueError("image data of %d bytes, %d expected" % (len(raw), height * (stride + 1)))
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind > 4:
            raise ValueError("unknown row filter %d" % kind)
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = prev[i]
            upleft = prev[i - 4] if i >= 4 else 0
            pred = (0, left, up, (left + up) // 2, _paeth(left, up, upleft))[kind]
            line[i] = (line[i] + pred) & 0xFF
        rows.append(bytes(line))
        prev = line
    return width, height, rows


# ---------------------------------------------------------------- device icons
# The selector's icon option is 64x48; glyphs keep to its middle so the
# synchronised-lighting badge fits at the lower right.

ICON_W, ICON_H = 64, 48


def keyboard(c, rgb):
    body = rbox(9, 13, 55, 35, 3.5)
    c.fill(body, rgb)
    key_w, gap, left = 3.6, 1.3, 12.0
    for row, y in enumerate((16.0, 21.0)):
        shift = 1.2 * row
        for i in range(9):
            x = left + shift + i * (key_w + gap)
            if x + key_w > 52.5:
                break
            c.erase(rbox(x, y, x + key_w, y + 3.4, 0.8))
    c.erase(rbox(12, 26, 15.6, 29.4, 0.8))
    c.erase(rbox(48.4, 26, 52, 29.4, 0.8))
    c.erase(rbox(16.9, 26, 47.1, 29.4, 0.8))   # the bottom row of keys
    c.erase(rbox(20, 30.6, 44, 32.4, 0.9))     # the space bar


def mouse_shape(cx, top, w, h):
    return rbox(cx - w / 2, top, cx + w / 2, top + h, w / 2)


def mouse(c, rgb, cx=32.0, top=7.0, w=22.0, h=34.0):
    c.fill(mouse_shape(cx, top, w, h), rgb)
    split = top + h * 0.4
    c.erase(capsule(cx - w / 2 - 1, split, cx + w / 2 + 1, split, 0.85))
    c.erase(capsule(cx, top - 1, cx, split, 0.85))
    wheel_top, wheel_bottom = top + h * 0.13, top + h * 0.29
    c.erase(capsule(cx, wheel_top, cx, wheel_bottom, w * 0.14))
    c.fill(capsule(cx, wheel_top + 0.6, cx, wheel_bottom - 0.6, w * 0.06), rgb)


def hard_pad(c, rgb):
    # A rigid plate: solid, with the mouse resting on it.
    plate = rbox(8, 10, 56, 38, 4)
    c.fill(plate, rgb)
    c.erase(grow(mouse_shape(42, 15, 11, 18), 1.6))
    c.fill(mouse_shape(42, 15, 11, 18), rgb)
    c.erase(capsule(36, 21.8, 48, 21.8, 0.6))
    c.erase(capsule(42, 14, 42, 21.8, 0.6))
    c.erase(capsule(13, 33, 29, 33, 0.9))     # a lit edge strip


def soft_pad(c, rgb):
    # Cloth: an outline whose corner curls up, the mouse on top.
    plate = rbox(8, 10, 56, 38, 4)
    corner = polygon([(44, 38.5), (56.5, 38.5), (56.5, 26)])
    c.fill(cut(ring(inset(plate, 1.3), 2.6), corner), rgb)
    c.fill(polygon([(44.6, 37.2), (55.2, 26.6), (47.8, 29.8)]), rgb)
    mouse(c, rgb, cx=26.0, top=15.0, w=12.0, h=18.0)


def headset(c, rgb):
    band = clip(ring(circle(32, 27, 16), 3.2), halfplane(0, 1, 27))
    c.fill(band, rgb)
    c.fill(capsule(16, 25, 16, 31, 1.6), rgb)
    c.fill(capsule(48, 25, 48, 31, 1.6), rgb)
    c.fill(rbox(11.5, 24, 20.5, 40, 3.5), rgb)
    c.fill(rbox(43.5, 24, 52.5, 40, 3.5), rgb)
    c.erase(grow(rbox(11.5, 24, 20.5, 40, 3.5), -2.4))   # cushion line
    c.fill(grow(rbox(11.5, 24, 20.5, 40, 3.5), -3.6), rgb)
    c.erase(grow(rbox(43.5, 24, 52.5, 40, 3.5), -2.4))
    c.fill(grow(rbox(43.5, 24, 52.5, 40, 3.5), -3.6), rgb)
    c.fill(capsule(18, 39, 27, 42, 1.1), rgb)             # microphone boom
    c.fill(circle(28, 42.2, 2.1), rgb)


def hub(c, rgb):
    c.fill(capsule(3, 24, 12, 24, 1.6), rgb)              # the cable in
    c.fill(rbox(10, 16, 17, 32, 1.5), rgb)                # its plug
    body = rbox(15, 15, 57, 33, 3.5)
    c.fill(body, rgb)
    for i in range(4):
        x = 19 + i * 9.2
        c.erase(rbox(x, 21, x + 6.6, 27, 0.8))
        c.fill(rbox(x + 1.3, 21, x + 5.3, 23.4, 0.4), rgb)   # the port's tongue
    c.fill(circle(52.5, 19.2, 1.1), rgb)


def unknown(c, rgb):
    c.fill(ring(circle(32, 24, 17), 2.8), rgb)
    # the ring without its lower left quarter
    hook = clip(ring(circle(32, 19.5, 5.6), 3.2), lambda x, y: min(32 - x, y - 19.5))
    c.fill(hook, rgb)
    c.fill(capsule(32, 25.1, 32, 28.3, 1.6), rgb)
    c.fill(circle(32, 33.2, 2.0), rgb)


def link_badge(c, cx=54.0, cy=38.0, r=7.5):
    """A round badge with a chain link: lighting follows the other devices."""
    c.erase(circle(cx, cy, r + 1.6))
    c.fill(circle(cx, cy, r), LINK)
    unit = capsule(cx - 3.3, cy, cx - 0.2, cy, 1.9)
    links = union(ring(unit, 1.25), ring(moved(unit, 3.5, 0), 1.25))
    c.fill(rotated(links, cx + 0.05, cy, 45), WHITE)


DEVICES = {
    "kb_device": keyboard,
    "ms_device": mouse,
    "soft_mp_device": soft_pad,
    "hard_mp_device": hard_pad,
    "hd_device": headset,
    "hub_device": hub,
    "unknow_device": unknown,
}


def device_images():
    for stem, draw in DEVICES.items():
        for state, rgb in (("normal", GREY), ("selected", ACCENT)):
            for synchro in (False, True):
                c = Canvas(ICON_W, ICON_H)
                draw(c, rgb)
                if synchro:
                    link_badge(c)
                name = "%s_%s%s.png" % (stem, "synchro_" if synchro else "", state)
                yield "common/device_ico/" + name, c


# ---------------------------------------------------------------- power states
# "device_power_status" is 24x20; the level itself is the progress bar beside.

def battery(c, top=5.0, bottom=15.0, right=20.5):
    body = rbox(1.5, top, right, bottom, 2.2)
    c.fill(ring(inset(body, 0.8), 1.6), GREY)
    mid = (top + bottom) / 2
    c.fill(rbox(right + 0.6, mid - 2.2, right + 2.6, mid + 2.2, 0.8), GREY)
    return body


def bolt(cx, cy, s):
    """A lightning bolt s pixels tall centred on (cx, cy)."""
    pts = [(0.10, -0.50), (-0.30, 0.06), (-0.02, 0.06), (-0.12, 0.50), (0.30, -0.08), (0.02, -0.08)]
    return polygon([(cx + x * s, cy + y * s) for x, y in pts])


def power_not_charging(c):
    battery(c)


def power_charging(c):
    body = battery(c)
    c.erase(grow(bolt(11.0, 10.0, 13.0), 1.2))
    c.fill(clip(grow(bolt(11.0, 10.0, 13.0), 0), grow(body, 3.0)), BOLT)


def power_full(c):
    body = battery(c)
    c.fill(inset(body, 2.8), FULL)


def power_wireless_charging(c):
    # Charging on the pad: the battery sits low, the waves of the pad above it.
    body = battery(c, top=9.0, bottom=18.5)
    c.erase(grow(bolt(11.0, 13.75, 10.5), 1.0))
    c.fill(bolt(11.0, 13.75, 10.5), BOLT)
    for radius in (3.2, 6.2):
        wave = clip(ring(circle(11.0, 9.0, radius), 1.5), halfplane(0, 1, 9.0 - radius * 0.35))
        c.fill(cut(wave, grow(body, 1.0)), GREY)


def wireless_logo(c):
    # "device_wuxian_logo": the device talks over the receiver.
    c.fill(circle(10, 15.5, 1.9), GREY)
    for radius in (5.5, 10.0):
        arc = clip(ring(circle(10, 15.5, radius), 2.0),
                   lambda x, y: max((x - 10) - (15.5 - y), -(x - 10) - (15.5 - y)))
        c.fill(arc, GREY)


# ---------------------------------------------------------------- phones on the pad
# "device_phone_type" is 20x20.

def phone(c):
    body = rbox(5, 1.5, 15, 18.5, 2.2)
    c.fill(ring(inset(body, 0.7), 1.4), GREY)
    return body


def phone_none(c):
    body = phone(c)
    c.erase(grow(capsule(3, 17, 17, 3, 0.75), 1.4))
    c.fill(capsule(3.5, 16.5, 16.5, 3.5, 0.9), GREY)
    del body


def phone_iphone(c):
    phone(c)
    c.fill(rbox(7.8, 1.5, 12.2, 4.0, 1.0), GREY)      # the notch


def phone_samsung(c):
    phone(c)
    c.fill(circle(10, 4.3, 0.95), GREY)               # the camera hole


def phone_other(c):
    phone(c)
    c.fill(capsule(8.6, 3.9, 11.4, 3.9, 0.55), GREY)  # earpiece
    c.fill(ring(circle(10, 14.8, 1.3), 0.9), GREY)    # home button


# ---------------------------------------------------------------- other controls

def slider_thumb(rgb):
    def draw(c):
        c.fill(circle(8, 8, 6.5), rgb)
        c.fill(circle(8, 8, 2.2), WHITE, 0.9)
    return draw


def hue(x, width):
    """Fully saturated colour at hue x/width around the wheel."""
    h = (x / width) * 6.0
    i, f = int(h) % 6, h - int(h)
    q, t = 1 - f, f
    r, g, b = ((1, t, 0), (q, 1, 0), (0, 1, t), (0, q, 1), (t, 0, 1), (1, 0, q))[i]
    return int(r * 255), int(g * 255), int(b * 255)


def seven_colour(c):
    # "common/base1.png": the colour button while the light cycles colours.
    c.paint(rbox(0, 0, c.width, c.height, 0), lambda x, _y: hue(x, c.width))


OTHERS = [
    ("power/powered.png", 24, 20, power_not_charging),
    ("power/powering.png", 24, 20, power_charging),
    ("power/power.png", 24, 20, power_full),
    ("power/wuxian_powering.png", 24, 20, power_wireless_charging),
    ("power/wuxian_logo.png", 20, 20, wireless_logo),
    ("power/Phone_type_no_device.png", 20, 20, phone_none),
    ("power/Phone_type_iphone.png", 20, 20, phone_iphone),
    ("power/Phone_type_samsung.png", 20, 20, phone_samsung),
    ("power/Phone_type_other.png", 20, 20, phone_other),
    ("Control/SliderBar1_Thumb.png", 16, 16, slider_thumb(ACCENT)),
    ("Control/SliderBar2_Thumb.png", 16, 16, slider_thumb(GREY)),
    ("common/base1.png", 48, 24, seven_colour),
]


def all_images():
    yield from device_images()
    for path, w, h, draw in OTHERS:
        c = Canvas(w, h)
        draw(c)
        yield path, c


# ---------------------------------------------------------------- preview

def preview(images, out):
    """Each image at 4x on the background it is shown on, rows of eight."""
    scale, cell_w, cell_h, per_row = 4, 64 * 4 + 8, 48 * 4 + 8, 8
    backgrounds = {"normal": (0x1F, 0x23, 0x2B), "selected": (0x2F, 0x6F, 0xED)}
    rows_n = (len(images) + per_row - 1) // per_row
    width, height = cell_w * per_row, cell_h * rows_n
    sheet = [bytearray(b"\x10\x12\x16\xff" * width) for _ in range(height)]
    for n, (path, (w, h, rows)) in enumerate(images):
        bg = backgrounds["selected" if path.endswith("selected.png") else "normal"]
        ox, oy = (n % per_row) * cell_w + 4, (n // per_row) * cell_h + 4
        for y in range(h * scale):
            src = rows[y // scale]
            line = sheet[oy + y]
            for x in range(w * scale):
                r, g, b, a = src[(x // scale) * 4:(x // scale) * 4 + 4]
                k = a / 255
                line[(ox + x) * 4:(ox + x) * 4 + 4] = bytes(
                    (int(r * k + bg[0] * (1 - k)), int(g * k + bg[1] * (1 - k)), int(b * k + bg[2] * (1 - k)), 255))
    with open(out, "wb") as f:
        f.write(encode_png(width, height, [bytes(r) for r in sheet]))


def main(argv):
    check = "--check" in argv
    failures, total_size, drawn = 0, 0, []
    for path, canvas in all_images():
        rows = canvas.rgba_rows()
        target = os.path.normpath(os.path.join(SKIN, path))
        if check:
            try:
                with open(target, "rb") as f:
                    data = f.read()
                w, h, got = decode_png(data)
            except (OSError, ValueError, zlib.error) as error:
                print("%s: %s" % (path, error))
                failures += 1
                continue
            if (w, h) != (canvas.width, canvas.height) or got != rows:
                print("%s: differs from what this script draws" % path)
                failures += 1
        else:
            data = encode_png(canvas.width, canvas.height, rows)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            with open(target, "wb") as f:
                f.write(data)
        total_size += len(data)
        drawn.append((path, (canvas.width, canvas.height, rows)))
    if "--preview" in argv:
        preview(drawn, argv[argv.index("--preview") + 1])
    print("%d images, %d bytes%s" % (len(drawn), total_size, ", %d failed" % failures if failures else ""))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
