#!/usr/bin/env python3
"""Draws the program's own pictures and synthesises its default sounds.

    scripts/gen-media.py [resources-folder]

Writes resources/images/ and resources/sounds/ (the folder defaults to ../resources next to this
script). Standard library only: PNG, BMP and ICO are encoded by hand, WAV through the wave module.
Everything is drawn from simple shapes, so running the script again gives the same bytes.

Pictures (see resources/images/README.md for who shows which):
  - the four button glyphs Play.bmp, Pause.bmp, Vcrplay.bmp, Vcrpause.bmp (16x16, 32-bit with alpha);
  - the image lists, one PNG per entry named <list>_<index>.png (16x16): ImageListDiferido,
    ImageListPartido, ImageListLesiones, ImageListTarjetas, ImageListWeather;
  - ImageBorrarEvento.png (16x16) and DialogoInicioEquipo_Image1.png (32x32);
  - the built-in kit icons (32x32 .ico): one shirt per kit letter and colour code, one pair of
    shorts and one pair of socks per colour code, and the shorts and socks of a code too short to
    give their colour.

Sounds: the eight default event sounds, 16-bit mono 22050 Hz, peaks at about -9 dBFS.
"""

import math
import os
import struct
import sys
import wave
import zlib

# ---------------------------------------------------------------------------------------------
# Raster canvas with supersampling: shapes are filled on a finer grid and averaged down, which
# gives smooth edges without any drawing library.


class Canvas:
    def __init__(self, size, ss=4):
        self.size = size
        self.ss = ss
        self.n = size * ss
        # premultiplied RGBA per subpixel, 0..1
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.n * self.n)]
        self.clip = None  # optional list of bools per subpixel

    # -- coverage helpers (coordinates are in icon pixels, floats) --------------------------

    def _spans_polygon(self, pts):
        """Yields (row, x0, x1) subpixel spans inside the polygon (even-odd rule)."""
        s = self.ss
        P = [(x * s, y * s) for x, y in pts]
        ys = [p[1] for p in P]
        r0 = max(0, int(math.floor(min(ys))))
        r1 = min(self.n - 1, int(math.ceil(max(ys))))
        m = len(P)
        for row in range(r0, r1 + 1):
            yc = row + 0.5
            xs = []
            for i in range(m):
                xa, ya = P[i]
                xb, yb = P[(i + 1) % m]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for k in range(0, len(xs) - 1, 2):
                a = max(0, int(math.ceil(xs[k] - 0.5)))
                b = min(self.n - 1, int(math.floor(xs[k + 1] - 0.5)))
                if a <= b:
                    yield row, a, b

    def _spans_ellipse(self, cx, cy, rx, ry):
        s = self.ss
        cx, cy, rx, ry = cx * s, cy * s, rx * s, ry * s
        r0 = max(0, int(math.floor(cy - ry)))
        r1 = min(self.n - 1, int(math.ceil(cy + ry)))
        for row in range(r0, r1 + 1):
            dy = (row + 0.5 - cy) / ry
            if abs(dy) >= 1:
                continue
            half = rx * math.sqrt(1 - dy * dy)
            a = max(0, int(math.ceil(cx - half - 0.5)))
            b = min(self.n - 1, int(math.floor(cx + half - 0.5)))
            if a <= b:
                yield row, a, b

    def _paint(self, spans, color):
        r, g, b = (c / 255.0 for c in color[:3])
        a = (color[3] / 255.0) if len(color) > 3 else 1.0
        n = self.n
        clip = self.clip
        for row, x0, x1 in spans:
            base = row * n
            for x in range(x0, x1 + 1):
                if clip is not None and not clip[base + x]:
                    continue
                p = self.px[base + x]
                k = 1 - a
                p[0] = r * a + p[0] * k
                p[1] = g * a + p[1] * k
                p[2] = b * a + p[2] * k
                p[3] = a + p[3] * k

    # -- shapes ----------------------------------------------------------------------------

    def polygon(self, pts, color):
        self._paint(self._spans_polygon(pts), color)

    def rect(self, x0, y0, x1, y1, color):
        self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], color)

    def ellipse(self, cx, cy, rx, ry, color):
        self._paint(self._spans_ellipse(cx, cy, rx, ry), color)

    def circle(self, cx, cy, r, color):
        self.ellipse(cx, cy, r, r, color)

    def line(self, x0, y0, x1, y1, w, color, caps=True):
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / ln * w / 2, dx / ln * w / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], color)
        if caps:
            self.circle(x0, y0, w / 2, color)
            self.circle(x1, y1, w / 2, color)

    def polyline(self, pts, w, color, closed=False):
        seq = list(pts) + ([pts[0]] if closed else [])
        for (xa, ya), (xb, yb) in zip(seq, seq[1:]):
            self.line(xa, ya, xb, yb, w, color)

    def rounded_rect(self, x0, y0, x1, y1, r, color):
        self.rect(x0 + r, y0, x1 - r, y1, color)
        self.rect(x0, y0 + r, x1, y1 - r, color)
        for cx, cy in ((x0 + r, y0 + r), (x1 - r, y0 + r), (x0 + r, y1 - r), (x1 - r, y1 - r)):
            self.circle(cx, cy, r, color)

    # -- clipping --------------------------------------------------------------------------

    def clip_to_polygon(self, pts):
        m = [False] * (self.n * self.n)
        for row, a, b in self._spans_polygon(pts):
            for x in range(a, b + 1):
                m[row * self.n + x] = True
        self.clip = m

    def clip_to_painted(self):
        """Later shapes only land where something has been painted so far."""
        self.clip = [p[3] > 0.5 for p in self.px]

    def unclip(self):
        self.clip = None

    # -- output ----------------------------------------------------------------------------

    def rgba(self):
        """Rows top to bottom of straight (not premultiplied) RGBA bytes."""
        s, n, size = self.ss, self.n, self.size
        out = bytearray()
        for y in range(size):
            for x in range(size):
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(s):
                    base = (y * s + sy) * n + x * s
                    for sx in range(s):
                        p = self.px[base + sx]
                        acc[0] += p[0]
                        acc[1] += p[1]
                        acc[2] += p[2]
                        acc[3] += p[3]
                cnt = s * s
                a = acc[3] / cnt
                if a <= 0.0:
                    out += b"\0\0\0\0"
                    continue
                out += bytes(
                    [
                        min(255, int(round(acc[0] / cnt / a * 255))),
                        min(255, int(round(acc[1] / cnt / a * 255))),
                        min(255, int(round(acc[2] / cnt / a * 255))),
                        min(255, int(round(a * 255))),
                    ]
                )
        return bytes(out)


# ---------------------------------------------------------------------------------------------
# Encoders


def encode_png(size, rgba):
    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = bytearray()
    stride = size * 4
    for y in range(size):
        raw.append(0)
        raw += rgba[y * stride : (y + 1) * stride]
    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", ihdr)
        + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + chunk(b"IEND", b"")
    )


def bgra_bottom_up(size, rgba):
    out = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            i = (y * size + x) * 4
            r, g, b, a = rgba[i : i + 4]
            out += bytes([b, g, r, a])
    return bytes(out)


def encode_bmp(size, rgba):
    """32-bit BMP with a version 4 header, so readers keep the alpha channel."""
    pixels = bgra_bottom_up(size, rgba)
    header = struct.pack(
        "<IiiHHIIiiII",
        108, size, size, 1, 32, 3, len(pixels), 2835, 2835, 0, 0,
    )
    masks = struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    cstype = b"BGRs"  # sRGB colour space
    header += masks + cstype + b"\0" * 36 + b"\0" * 12
    offset = 14 + len(header)
    filehdr = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return filehdr + header + pixels


def encode_ico(size, rgba):
    """An icon with one PNG-compressed image (small files, full alpha)."""
    png = encode_png(size, rgba)
    d = 0 if size >= 256 else size
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", d, d, 0, 0, 1, 32, len(png), 6 + 16)
    return head + entry + png


# ---------------------------------------------------------------------------------------------
# Colours

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
OUTLINE = (40, 40, 48)


def shade(c, f):
    """f < 1 darkens, f > 1 lightens towards white."""
    if f <= 1:
        return tuple(int(v * f) for v in c[:3])
    t = f - 1
    return tuple(int(v + (255 - v) * t) for v in c[:3])


def alpha(c, a):
    return tuple(c[:3]) + (a,)


def luminance(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


# ---------------------------------------------------------------------------------------------
# Small icons (16x16)


def draw_ball(cv, cx, cy, r):
    ink = (25, 25, 25)
    cv.circle(cx, cy, r, ink)
    cv.circle(cx, cy, r - 0.9, WHITE)
    # centre pentagon, the seams running out of it and the edge patches, clipped to the white face
    pent = [(cx + 0.36 * r * math.sin(a), cy - 0.36 * r * math.cos(a)) for a in
            [i * 2 * math.pi / 5 for i in range(5)]]
    saved = cv.clip
    cv.clip = [p[3] > 0.5 and (p[0] + p[1] + p[2]) > 1.5 for p in cv.px]
    for (px, py) in pent:
        ang = math.atan2(py - cy, px - cx)
        ex, ey = cx + math.cos(ang) * r, cy + math.sin(ang) * r
        cv.line(px, py, ex, ey, 0.6, ink, caps=False)
        cv.circle(ex, ey, 0.24 * r, ink)
    cv.polygon(pent, ink)
    cv.clip = saved


def icon_goal():
    cv = Canvas(16)
    draw_ball(cv, 8, 8, 7.2)
    return cv


def icon_missed_chance():
    """The goal from the front with the ball flying over the crossbar."""
    cv = Canvas(16)
    net = (130, 135, 140)
    cv.rect(1.5, 7.0, 12.5, 15.0, (215, 220, 225, 170))
    for x in (4.25, 7.0, 9.75):
        cv.line(x, 7.0, x, 15.0, 0.5, net, caps=False)
    for y in (9.5, 12.0):
        cv.line(1.5, y, 12.5, y, 0.5, net, caps=False)
    frame = (70, 75, 85)
    cv.rect(0.3, 5.8, 13.7, 7.8, frame)
    cv.rect(0.3, 5.8, 2.3, 15.8, frame)
    cv.rect(11.7, 5.8, 13.7, 15.8, frame)
    cv.rect(0.8, 6.3, 13.2, 7.3, WHITE)
    cv.rect(0.8, 6.3, 1.8, 15.3, WHITE)
    cv.rect(12.2, 6.3, 13.2, 15.3, WHITE)
    draw_ball(cv, 11.7, 4.2, 4.0)
    return cv


def icon_new_events():
    """Tab marker: an orange star."""
    cv = Canvas(16)
    pts = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        r = 7.4 if i % 2 == 0 else 3.2
        pts.append((8 + r * math.cos(a), 8.6 + r * math.sin(a)))
    cv.polygon(pts, (170, 80, 0))
    inner = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        r = 6.0 if i % 2 == 0 else 2.5
        inner.append((8 + r * math.cos(a), 8.6 + r * math.sin(a)))
    cv.polygon(inner, (255, 170, 20))
    return cv


def icon_match_info():
    """An 'i' in a blue disc."""
    cv = Canvas(16)
    cv.circle(8, 8, 7.5, (20, 70, 160))
    cv.circle(8, 8, 6.6, (60, 130, 220))
    cv.circle(8, 4.6, 1.3, WHITE)
    cv.rounded_rect(6.9, 6.7, 9.1, 12.6, 0.6, WHITE)
    return cv


def icon_team_event():
    """A tactics board: green board with crosses, circles and an arrow."""
    cv = Canvas(16)
    cv.rounded_rect(0.5, 1.5, 15.5, 14.5, 1.5, (20, 90, 40))
    cv.rounded_rect(1.5, 2.5, 14.5, 13.5, 1.0, (50, 150, 70))
    cv.line(8, 2.7, 8, 13.3, 0.5, (200, 235, 200), caps=False)
    cv.circle(8, 8, 2.0, (200, 235, 200))
    cv.circle(8, 8, 1.5, (50, 150, 70))
    cv.circle(4.2, 5.2, 1.3, WHITE)
    cv.circle(4.2, 10.8, 1.3, WHITE)
    cv.line(10.3, 4.2, 13.0, 6.9, 0.9, (255, 230, 60))
    cv.line(13.0, 4.2, 10.3, 6.9, 0.9, (255, 230, 60))
    cv.line(5.5, 10.8, 11.0, 10.8, 0.9, (255, 230, 60))
    cv.polygon([(10.5, 9.2), (13.3, 10.8), (10.5, 12.4)], (255, 230, 60))
    return cv


def draw_card(cv, x0, y0, x1, y1, color, rot=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    ca, sa = math.cos(rot), math.sin(rot)

    def r(x, y):
        x, y = x - cx, y - cy
        return (cx + x * ca - y * sa, cy + x * sa + y * ca)

    cv.polygon([r(x0, y0), r(x1, y0), r(x1, y1), r(x0, y1)], shade(color, 0.55))
    cv.polygon([r(x0 + 0.8, y0 + 0.8), r(x1 - 0.8, y0 + 0.8), r(x1 - 0.8, y1 - 0.8), r(x0 + 0.8, y1 - 0.8)], color)
    cv.polygon([r(x0 + 0.8, y0 + 0.8), r(x1 - 0.8, y0 + 0.8), r(x1 - 0.8, y0 + 2.0), r(x0 + 0.8, y0 + 2.0)],
               shade(color, 1.35))


YELLOW_CARD = (250, 215, 0)
RED_CARD = (220, 30, 30)


def icon_yellow_card():
    cv = Canvas(16)
    draw_card(cv, 3.5, 1, 12.5, 15, YELLOW_CARD)
    return cv


def icon_second_yellow():
    cv = Canvas(16)
    draw_card(cv, 1, 1.5, 9.5, 14, YELLOW_CARD, rot=-0.18)
    draw_card(cv, 6.5, 2, 15, 15, RED_CARD, rot=0.12)
    return cv


def icon_red_card():
    cv = Canvas(16)
    draw_card(cv, 3.5, 1, 12.5, 15, RED_CARD)
    return cv


def icon_third_card():
    """The program's own event (a third caution): a yellow card marked with a 3."""
    cv = Canvas(16)
    draw_card(cv, 0.5, 2.5, 8.5, 14.5, shade(YELLOW_CARD, 0.85), rot=-0.25)
    draw_card(cv, 3.5, 1, 12.5, 15, YELLOW_CARD)
    ink = (60, 40, 0)
    # a hand-drawn "3"
    cv.polyline([(6.3, 5.0), (7.2, 4.2), (9.0, 4.2), (9.8, 5.2), (9.6, 6.6), (8.0, 7.6)], 1.1, ink)
    cv.polyline([(8.0, 7.6), (9.7, 8.6), (9.9, 10.3), (8.9, 11.5), (7.1, 11.5), (6.2, 10.6)], 1.1, ink)
    return cv


def icon_injury_still_playing():
    """A sticking plaster: the player was hurt but plays on."""
    cv = Canvas(16)
    c, s = math.cos(-math.pi / 4), math.sin(-math.pi / 4)

    def r(x, y):
        return (8 + x * c - y * s, 8 + x * s + y * c)

    tan = (235, 185, 130)
    cv.polygon([r(-8, -3.2), r(8, -3.2), r(8, 3.2), r(-8, 3.2)], (150, 100, 60))
    cv.polygon([r(-7.2, -2.5), r(7.2, -2.5), r(7.2, 2.5), r(-7.2, 2.5)], tan)
    cv.polygon([r(-2.6, -2.5), r(2.6, -2.5), r(2.6, 2.5), r(-2.6, 2.5)], (250, 235, 215))
    for dx in (-1.2, 0, 1.2):
        for dy in (-1.2, 0, 1.2):
            x, y = r(dx, dy)
            cv.circle(x, y, 0.32, (200, 150, 110))
    cv.line(*r(-1.5, -1.5), *r(1.5, 1.5), 0.9, (220, 40, 40))
    cv.line(*r(1.5, -1.5), *r(-1.5, 1.5), 0.9, (220, 40, 40))
    return cv


def icon_injury_substituted():
    """A red cross on a white disc: the player had to leave the field."""
    cv = Canvas(16)
    cv.circle(8, 8, 7.6, (150, 20, 20))
    cv.circle(8, 8, 6.7, WHITE)
    red = (215, 25, 25)
    cv.rect(6.2, 2.8, 9.8, 13.2, red)
    cv.rect(2.8, 6.2, 13.2, 9.8, red)
    return cv


def draw_cloud(cv, ox, oy, k, color, edge):
    parts = [(ox + 0 * k, oy + 1.2 * k, 2.4 * k), (ox + 3.0 * k, oy - 0.6 * k, 3.2 * k),
             (ox + 6.2 * k, oy + 0.6 * k, 2.6 * k), (ox + 8.2 * k, oy + 1.6 * k, 1.9 * k)]
    for x, y, r in parts:
        cv.circle(x, y, r + 0.7, edge)
    cv.rect(ox - 0.1 * k, oy + 1.2 * k, ox + 8.2 * k, oy + 3.6 * k + 0.7, edge)
    for x, y, r in parts:
        cv.circle(x, y, r, color)
    cv.rect(ox, oy + 1.2 * k, ox + 8.2 * k, oy + 3.6 * k, color)


def draw_sun(cv, cx, cy, r, rays=True):
    if rays:
        for i in range(8):
            a = i * math.pi / 4
            cv.line(cx + math.cos(a) * (r + 1.2), cy + math.sin(a) * (r + 1.2),
                    cx + math.cos(a) * (r + 2.8), cy + math.sin(a) * (r + 2.8), 1.1, (245, 160, 0))
    cv.circle(cx, cy, r, (230, 130, 0))
    cv.circle(cx, cy, r - 0.8, (255, 205, 40))


def icon_weather_rain():
    cv = Canvas(16)
    draw_cloud(cv, 3.3, 3.6, 1.0, (150, 160, 175), (80, 90, 105))
    blue = (40, 110, 230)
    for x, y in ((4.0, 11.0), (7.5, 11.8), (11.0, 11.0), (5.8, 14.2), (9.3, 14.6)):
        cv.line(x + 0.6, y - 1.1, x - 0.2, y + 0.5, 1.0, blue)
    return cv


def icon_weather_overcast():
    cv = Canvas(16)
    draw_cloud(cv, 5.8, 3.0, 0.85, (175, 180, 190), (100, 105, 118))
    draw_cloud(cv, 2.6, 7.2, 1.0, (205, 210, 218), (110, 115, 128))
    return cv


def icon_weather_fair():
    cv = Canvas(16)
    draw_sun(cv, 6.0, 6.0, 3.6)
    draw_cloud(cv, 5.2, 8.6, 0.85, (245, 247, 250), (120, 130, 145))
    return cv


def icon_weather_sunny():
    cv = Canvas(16)
    draw_sun(cv, 8, 8, 4.2)
    return cv


def glyph_play(color, dark):
    cv = Canvas(16)
    cv.polygon([(3.5, 1.5), (14.2, 8), (3.5, 14.5)], dark)
    cv.polygon([(4.6, 3.4), (12.2, 8), (4.6, 12.6)], color)
    return cv


def glyph_pause(color, dark):
    cv = Canvas(16)
    for x in (2.5, 9.5):
        cv.rect(x, 2, x + 4, 14, dark)
        cv.rect(x + 0.9, 2.9, x + 3.1, 13.1, color)
    return cv


def glyph_vcr(kind):
    """Recorder-style buttons: a light symbol on a dark rounded key."""
    cv = Canvas(16)
    cv.rounded_rect(0.5, 0.5, 15.5, 15.5, 2.5, (35, 40, 55))
    cv.rounded_rect(1.3, 1.3, 14.7, 14.7, 2.0, (70, 80, 105))
    light = (235, 240, 250)
    if kind == "play":
        cv.polygon([(5.2, 3.8), (12.0, 8), (5.2, 12.2)], light)
    else:
        cv.rect(4.6, 4.0, 7.0, 12.0, light)
        cv.rect(9.0, 4.0, 11.4, 12.0, light)
    return cv


def icon_delete_event():
    """Shown beside the events panel's delete buttons: a red cross on a grey sheet."""
    cv = Canvas(16)
    cv.rect(2, 1, 12, 15, (120, 120, 120))
    cv.rect(2.8, 1.8, 11.2, 14.2, (245, 245, 245))
    for y in (4.5, 7, 9.5, 12):
        cv.line(4.3, y, 9.7, y, 0.7, (160, 160, 160), caps=False)
    red = (215, 30, 30)
    cv.circle(11.5, 11.5, 4.2, (140, 15, 15))
    cv.circle(11.5, 11.5, 3.5, red)
    cv.line(9.9, 9.9, 13.1, 13.1, 1.1, WHITE)
    cv.line(13.1, 9.9, 9.9, 13.1, 1.1, WHITE)
    return cv


def icon_first_run_key():
    """First-run dialog: a golden key beside the question about the security code."""
    cv = Canvas(32)
    gold, dark = (240, 190, 40), (140, 95, 10)
    c, s = math.cos(math.radians(-35)), math.sin(math.radians(-35))

    def r(x, y):
        return (15 + x * c - y * s, 17 + x * s + y * c)

    cv.polygon([r(-4, -2.4), r(14.5, -2.4), r(14.5, 2.4), r(-4, 2.4)], dark)
    cv.polygon([r(7.5, 1.5), r(10.5, 1.5), r(10.5, 6.5), r(7.5, 6.5)], dark)
    cv.polygon([r(11.2, 1.5), r(14.5, 1.5), r(14.5, 5.0), r(11.2, 5.0)], dark)
    cx, cy = r(-8, 0)
    cv.circle(cx, cy, 7.5, dark)
    cv.polygon([r(-4, -1.4), r(13.5, -1.4), r(13.5, 1.4), r(-4, 1.4)], gold)
    cv.polygon([r(8.4, 1.0), r(9.6, 1.0), r(9.6, 5.6), r(8.4, 5.6)], gold)
    cv.polygon([r(12.1, 1.0), r(13.5, 1.0), r(13.5, 4.1), r(12.1, 4.1)], gold)
    cv.circle(cx, cy, 6.3, gold)
    cv.circle(cx - 1.2, cy - 1.2, 2.3, shade(gold, 1.5))
    hx, hy = r(-10, 0)
    cv.circle(hx, hy, 2.2, dark)
    # punch the hole back to transparent
    s4 = cv.ss
    for row in range(cv.n):
        for col in range(cv.n):
            if math.hypot(col + 0.5 - hx * s4, row + 0.5 - hy * s4) < 1.5 * s4:
                cv.px[row * cv.n + col] = [0.0, 0.0, 0.0, 0.0]
    return cv


# ---------------------------------------------------------------------------------------------
# Kit icons (32x32). Colour codes are two digits; the letters pick the shirt's pattern.

KIT_COLOURS = {
    "00": (196, 198, 204),  # silver
    "01": (245, 245, 245),  # white
    "02": (30, 30, 34),  # black
    "03": (210, 30, 35),  # red
    "04": (30, 80, 200),  # blue
    "05": (30, 150, 60),  # green
    "06": (250, 215, 30),  # yellow
    "07": (245, 130, 20),  # orange
    "08": (110, 180, 235),  # sky blue
    "09": (20, 35, 95),  # navy
    "10": (15, 90, 45),  # dark green
    "11": (125, 25, 50),  # claret
    "12": (110, 45, 150),  # purple
    "13": (140, 145, 150),  # grey
    "14": (240, 130, 180),  # pink
    "15": (120, 75, 35),  # brown
    "16": (205, 160, 40),  # gold
    "17": (0, 140, 140),  # teal
    "18": (150, 210, 40),  # lime
    "19": (160, 15, 20),  # dark red
    "20": (180, 160, 220),  # lavender
    "21": (40, 195, 200),  # turquoise
}

# The colour of the shorts and socks of a kit code too short to give their own colour.
SHORT_CODE_COLOUR = "00"

# Shirt letter -> (file-name prefix, pattern)
SHIRT_STYLES = [
    ("A", "Shirt_A_03", "plain"),
    ("B", "Shirt_B_03", "stripes"),
    ("C", "Shirt_C_03", "hoops"),
    ("D", "Shirt_D_03", "sash"),
    ("E", "Shirt_E_03", "halves"),
    ("F", "Shirt_F_03", "sleeves"),
    ("G", "Shirt_G_03", "band"),
    ("H", "Shirt_H_02", "pinstripes"),
    ("I", "Shirt_I_06", "chevron"),
    ("J", "Shirt_J_16", "quarters"),
    ("K", "Shirt_K_19", "yoke"),
    ("N", "dressShirt", "bare"),
]

SHIRT_OUTLINE = [
    (10.5, 3.0), (13.0, 4.6), (16.0, 5.2), (19.0, 4.6), (21.5, 3.0),  # collar
    (29.0, 7.0), (31.0, 13.0), (25.5, 15.2), (24.5, 12.5),  # right sleeve
    (24.5, 29.0), (7.5, 29.0),  # hem
    (7.5, 12.5), (6.5, 15.2), (1.0, 13.0), (3.0, 7.0),  # left sleeve
]
LEFT_SLEEVE = [(10.5, 3.0), (3.0, 7.0), (1.0, 13.0), (6.5, 15.2), (7.5, 12.5), (8.5, 6.0)]
RIGHT_SLEEVE = [(21.5, 3.0), (29.0, 7.0), (31.0, 13.0), (25.5, 15.2), (24.5, 12.5), (23.5, 6.0)]


def trim_for(main):
    """Second colour of a pattern: white on dark shirts, navy on light ones."""
    return (20, 35, 95) if luminance(main) > 175 else WHITE


def kit_shirt(code, pattern):
    main = KIT_COLOURS[code]
    trim = trim_for(main)
    cv = Canvas(32, ss=3)
    cv.polygon(SHIRT_OUTLINE, OUTLINE)
    inner = [(x + (16 - x) * 0.075, y + (16 - y) * 0.075) for x, y in SHIRT_OUTLINE]
    cv.clip_to_polygon(inner)
    cv.rect(0, 0, 32, 32, main)
    if pattern == "stripes":
        for x in (9.5, 15.0, 20.5):
            cv.rect(x, 0, x + 2.8, 32, trim)
    elif pattern == "hoops":
        for y in (8.0, 14.0, 20.0, 26.0):
            cv.rect(0, y, 32, y + 3.0, trim)
    elif pattern == "sash":
        cv.polygon([(4, 2), (10, 2), (28, 30), (22, 30)], trim)
    elif pattern == "halves":
        cv.rect(16, 0, 32, 32, trim)
    elif pattern == "sleeves":
        cv.polygon(LEFT_SLEEVE, trim)
        cv.polygon(RIGHT_SLEEVE, trim)
    elif pattern == "band":
        cv.rect(0, 12.5, 32, 18.0, trim)
    elif pattern == "pinstripes":
        for x in range(7, 27, 3):
            cv.rect(x + 0.6, 0, x + 1.5, 32, trim)
    elif pattern == "chevron":
        cv.polygon([(6, 8), (16, 15), (26, 8), (26, 12.5), (16, 19.5), (6, 12.5)], trim)
    elif pattern == "quarters":
        cv.rect(16, 0, 32, 16, trim)
        cv.rect(0, 16, 16, 32, trim)
    elif pattern == "yoke":
        cv.rect(0, 0, 32, 10.5, trim)
    # a little shading down the right-hand side gives the shirt some body
    cv.rect(21.5, 0, 32, 32, (0, 0, 0, 28))
    cv.unclip()
    # collar and cuffs (the bare style has none)
    if pattern != "bare":
        collar = trim if pattern not in ("halves", "yoke", "quarters") else shade(main, 0.7)
        cv.polyline([(11.2, 3.9), (13.2, 5.6), (16.0, 6.2), (18.8, 5.6), (20.8, 3.9)], 1.5, collar)
        cv.line(1.9, 12.6, 6.4, 14.4, 1.4, trim if pattern != "sleeves" else main, caps=False)
        cv.line(25.6, 14.4, 30.1, 12.6, 1.4, trim if pattern != "sleeves" else main, caps=False)
    else:
        cv.polyline([(11.2, 3.9), (13.2, 5.6), (16.0, 6.2), (18.8, 5.6), (20.8, 3.9)], 1.2, shade(main, 0.75))
    return cv


def kit_shorts(code):
    main = KIT_COLOURS[code]
    trim = trim_for(main)
    cv = Canvas(32, ss=3)
    outline = [(5.5, 6.5), (26.5, 6.5), (29.5, 25.0), (18.5, 26.5), (16.0, 15.5), (13.5, 26.5), (2.5, 25.0)]
    cv.polygon(outline, OUTLINE)
    inner = [(5.5 + 0.9, 7.3), (26.5 - 0.9, 7.3), (28.4, 24.3), (19.3, 25.5), (16.0, 12.5),
             (12.7, 25.5), (3.6, 24.3)]
    cv.clip_to_polygon(inner)
    cv.rect(0, 0, 32, 32, main)
    # waistband and a side stripe on each leg
    cv.rect(0, 0, 32, 9.6, shade(main, 0.8))
    cv.line(5.0, 10.5, 3.8, 26, 1.4, trim, caps=False)
    cv.line(27.0, 10.5, 28.2, 26, 1.4, trim, caps=False)
    cv.rect(17, 0, 32, 32, (0, 0, 0, 28))
    cv.unclip()
    cv.line(16.0, 7.6, 16.0, 9.5, 0.8, shade(main, 0.55), caps=False)
    return cv


def kit_socks(code):
    main = KIT_COLOURS[code]
    trim = trim_for(main)
    cv = Canvas(32, ss=3)

    def sock(ox):
        shape = [(ox, 2.5), (ox + 7.5, 2.5), (ox + 7.5, 22.5), (ox + 11.5, 24.0), (ox + 12.5, 27.0),
                 (ox + 11.0, 29.5), (ox + 2.5, 29.5), (ox, 26.5)]
        cv.polygon(shape, OUTLINE)
        inner = [(ox + 0.9, 3.3), (ox + 6.6, 3.3), (ox + 6.6, 23.2), (ox + 10.8, 24.8), (ox + 11.5, 27.0),
                 (ox + 10.4, 28.6), (ox + 2.9, 28.6), (ox + 0.9, 26.0)]
        cv.clip_to_polygon(inner)
        cv.rect(0, 0, 32, 32, main)
        cv.rect(0, 0, 32, 6.5, trim)  # turnover band
        cv.rect(0, 8.0, 32, 9.2, trim)
        cv.rect(ox + 5, 0, 32, 32, (0, 0, 0, 28))
        cv.unclip()

    sock(3.0)
    sock(16.5)
    return cv


# ---------------------------------------------------------------------------------------------
# Sounds

RATE = 22050
PEAK = 0.36  # about -9 dBFS
LOUDNESS = 0.12  # RMS ceiling, so sustained sounds are not louder than the chimes


def tone(freq, dur, harmonics=((1, 1.0),), attack=0.008, decay=None, release=0.03, vibrato=0.0,
         glide_to=None):
    """One note: additive harmonics with an attack / exponential decay / release envelope."""
    n = int(dur * RATE)
    out = [0.0] * n
    phase = 0.0
    for i in range(n):
        t = i / RATE
        f = freq if glide_to is None else freq * (glide_to / freq) ** (t / dur)
        if vibrato:
            f *= 1 + vibrato * math.sin(2 * math.pi * 5.5 * t)
        phase += 2 * math.pi * f / RATE
        v = 0.0
        for h, a in harmonics:
            v += a * math.sin(h * phase)
        env = min(1.0, t / attack) if attack > 0 else 1.0
        if decay:
            env *= math.exp(-t / decay)
        rem = dur - t
        if rem < release:
            env *= max(0.0, rem / release)
        out[i] = v * env
    return out


def mix(total, parts):
    """parts: (start seconds, samples, gain)."""
    buf = [0.0] * int(total * RATE)
    for start, samples, gain in parts:
        o = int(start * RATE)
        for i, s in enumerate(samples):
            if o + i < len(buf):
                buf[o + i] += s * gain
    return buf


def fade_out(buf, secs=0.02):
    n = int(secs * RATE)
    for i in range(min(n, len(buf))):
        buf[len(buf) - 1 - i] *= i / n
    return buf


def write_wav(path, buf, gain=1.0):
    m = max(1e-9, max(abs(v) for v in buf))
    rms = max(1e-9, math.sqrt(sum(v * v for v in buf) / len(buf)))
    k = min(PEAK / m, LOUDNESS / rms) * gain
    frames = b"".join(struct.pack("<h", int(round(v * k * 32767))) for v in buf)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


BELL = ((1, 1.0), (2, 0.35), (3, 0.12), (4.2, 0.06))
SOFT = ((1, 1.0), (2, 0.2), (3, 0.08))
HOLLOW = ((1, 1.0), (3, 0.22), (5, 0.08))


def note(f):
    """Frequency of a note given in semitones from A4."""
    return 440.0 * 2 ** (f / 12)


def sound_goal_mine():
    # rising major arpeggio, ending on a held chord
    steps = [note(3), note(7), note(10), note(15)]  # C5 E5 G5 C6
    parts = []
    for k, f in enumerate(steps):
        last = k == len(steps) - 1
        parts.append((k * 0.12, tone(f, 0.75 if last else 0.3, BELL, decay=0.35 if last else 0.18), 1.0))
    parts.append((0.36, tone(note(10), 0.75, SOFT, decay=0.4), 0.45))
    parts.append((0.36, tone(note(7), 0.75, SOFT, decay=0.4), 0.4))
    return fade_out(mix(1.15, parts))


def sound_goal_against():
    # falling minor arpeggio in a darker timbre
    steps = [note(-2), note(-6), note(-9), note(-14)]  # G4 Eb4 C4 G3
    parts = []
    for k, f in enumerate(steps):
        last = k == len(steps) - 1
        parts.append((k * 0.16, tone(f, 0.55 if last else 0.3, HOLLOW, decay=0.3 if last else 0.2), 1.0))
    return fade_out(mix(1.05, parts))


def sound_goal():
    # a neutral two-note chime
    parts = [(0.0, tone(note(7), 0.45, BELL, decay=0.25), 1.0), (0.2, tone(note(12), 0.6, BELL, decay=0.3), 1.0)]
    return fade_out(mix(0.8, parts))


def sound_chance():
    # a quick slide up that falls back: nearly, but not quite
    parts = [(0.0, tone(440, 0.22, SOFT, glide_to=880, release=0.02), 1.0),
             (0.2, tone(830, 0.28, SOFT, glide_to=560, decay=0.25), 0.9)]
    return fade_out(mix(0.5, parts))


def whistle(dur, f=2300.0):
    """A referee's pea whistle: a high tone warbling quickly, with a breath of noise."""
    n = int(dur * RATE)
    out = [0.0] * n
    phase = 0.0
    seed = 12345
    for i in range(n):
        t = i / RATE
        fi = f + 120 * math.sin(2 * math.pi * 32 * t)
        phase += 2 * math.pi * fi / RATE
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        noise = (seed / 0x7FFFFFFF - 0.5) * 0.12
        v = math.sin(phase) + 0.15 * math.sin(2 * phase) + noise
        env = min(1.0, t / 0.015) * min(1.0, (dur - t) / 0.04)
        out[i] = v * max(0.0, env)
    return out


def sound_match_start():
    return fade_out(mix(0.6, [(0.0, whistle(0.12), 1.0), (0.2, whistle(0.38), 1.0)]))


def sound_match_end():
    # the final whistle: two short blasts and a long one
    return fade_out(mix(1.45, [(0.0, whistle(0.16), 1.0), (0.24, whistle(0.16), 1.0),
                               (0.5, whistle(0.92, 2250.0), 1.0)]))


def buzz(freq, dur):
    harmonics = tuple((h, 1.0 / h) for h in range(1, 12, 2))  # a mellow square wave
    return tone(freq, dur, harmonics, attack=0.01, release=0.04)


def sound_card():
    return fade_out(mix(0.45, [(0.0, buzz(196, 0.14), 1.0), (0.2, buzz(196, 0.22), 1.0)]))


def sound_injury():
    # a two-tone call, high then low
    parts = [(0.0, tone(note(10), 0.26, HOLLOW, vibrato=0.004), 1.0),
             (0.27, tone(note(6), 0.38, HOLLOW, vibrato=0.004, decay=0.35), 1.0)]
    return fade_out(mix(0.7, parts))


# file name -> (maker, gain); the whistles sit where the ear is most sensitive, so they are softer
SOUNDS = {
    "GoalMine.wav": (sound_goal_mine, 1.0),
    "GoalAgainst.wav": (sound_goal_against, 1.0),
    "Goal.wav": (sound_goal, 1.0),
    "Chance.wav": (sound_chance, 1.0),
    "MatchStart.wav": (sound_match_start, 0.7),
    "MatchEnd.wav": (sound_match_end, 0.7),
    "Card.wav": (sound_card, 1.0),
    "Injury.wav": (sound_injury, 1.0),
}

# ---------------------------------------------------------------------------------------------


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    res = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    img = os.path.join(res, "images")
    snd = os.path.join(res, "sounds")
    os.makedirs(img, exist_ok=True)
    os.makedirs(snd, exist_ok=True)

    def save(name, data):
        with open(os.path.join(img, name), "wb") as f:
            f.write(data)

    def png(name, cv):
        save(name, encode_png(cv.size, cv.rgba()))

    green, dgreen = (60, 175, 70), (25, 95, 35)
    blue, dblue = (70, 130, 215), (25, 60, 130)
    save("Play.bmp", encode_bmp(16, glyph_play(green, dgreen).rgba()))
    save("Pause.bmp", encode_bmp(16, glyph_pause(blue, dblue).rgba()))
    save("Vcrplay.bmp", encode_bmp(16, glyph_vcr("play").rgba()))
    save("Vcrpause.bmp", encode_bmp(16, glyph_vcr("pause").rgba()))

    png("ImageListDiferido_1.png", glyph_pause(blue, dblue))
    png("ImageListPartido_0.png", icon_goal())
    png("ImageListPartido_6.png", icon_missed_chance())
    png("ImageListPartido_9.png", icon_new_events())
    png("ImageListPartido_10.png", icon_match_info())
    png("ImageListPartido_11.png", icon_team_event())
    png("ImageListPartido_12.png", icon_third_card())
    png("ImageListLesiones_0.png", icon_injury_still_playing())
    png("ImageListLesiones_1.png", icon_injury_substituted())
    png("ImageListTarjetas_0.png", icon_yellow_card())
    png("ImageListTarjetas_1.png", icon_second_yellow())
    png("ImageListTarjetas_2.png", icon_red_card())
    png("ImageListWeather_0.png", icon_weather_rain())
    png("ImageListWeather_1.png", icon_weather_overcast())
    png("ImageListWeather_2.png", icon_weather_fair())
    png("ImageListWeather_3.png", icon_weather_sunny())
    png("ImageBorrarEvento.png", icon_delete_event())
    png("DialogoInicioEquipo_Image1.png", icon_first_run_key())

    for code in KIT_COLOURS:
        for _letter, prefix, pattern in SHIRT_STYLES:
            save(prefix + code + ".ico", encode_ico(32, kit_shirt(code, pattern).rgba()))
        save("dressPants" + code + ".ico", encode_ico(32, kit_shorts(code).rgba()))
        save("dressSocks" + code + ".ico", encode_ico(32, kit_socks(code).rgba()))
    # A kit code that ends before its shorts or socks colour names these files: they show the neutral
    # colour "00", so that the kit still has shorts and socks.
    save("dressPants.ico", encode_ico(32, kit_shorts(SHORT_CODE_COLOUR).rgba()))
    save("dressSocks.ico", encode_ico(32, kit_socks(SHORT_CODE_COLOUR).rgba()))

    for name, (make, gain) in SOUNDS.items():
        write_wav(os.path.join(snd, name), make(), gain)


if __name__ == "__main__":
    main()
