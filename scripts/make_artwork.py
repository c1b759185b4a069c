#!/usr/bin/env python3
"""Draws Corvane's own artwork and sounds, with the standard library only.

    python3 scripts/make_artwork.py [output-folder]      (default: resources/)

Writes:
    pitch.gif                 the picture beside the team slots: 265 x 184, one 256-colour palette
    icons/corvane-16.png, -32.png, -48.png    the window icon for Linux
    corvane.ico               the window icon for Windows: 32/16 at 4 bpp, 48/32/16 at 8 bpp,
                              48/32/16 at 32 bpp
    click.wav, over.wav       the save button's click and hover sounds

The output is deterministic: running the script again gives the same bytes, so the generated
files are committed and the build does not need Python.
"""

import math
import os
import random
import struct
import sys
import wave
import zlib

# --------------------------------------------------------------------------------------------
# Pitch picture


def pitch_elements(scale, ox, oy):
    """The white markings of a 105 x 68 m pitch as segments and arcs, in pixels."""
    L, W = 105.0, 68.0

    def P(x, y):
        return (ox + x * scale, oy + y * scale)

    segs = []

    def rect(x0, y0, x1, y1):
        segs.extend([(P(x0, y0), P(x1, y0)), (P(x1, y0), P(x1, y1)),
                     (P(x1, y1), P(x0, y1)), (P(x0, y1), P(x0, y0))])

    rect(0, 0, L, W)
    segs.append((P(L / 2, 0), P(L / 2, W)))
    for side in (0, 1):
        def X(d):
            return d if side == 0 else L - d
        pa, ga = 40.32 / 2, 18.32 / 2
        for depth, half in ((16.5, pa), (5.5, ga)):
            segs.append((P(X(0), W / 2 - half), P(X(depth), W / 2 - half)))
            segs.append((P(X(depth), W / 2 - half), P(X(depth), W / 2 + half)))
            segs.append((P(X(depth), W / 2 + half), P(X(0), W / 2 + half)))
        # the goal, outside the line
        g = 7.32 / 2
        segs.append((P(X(0), W / 2 - g), P(X(-2.0), W / 2 - g)))
        segs.append((P(X(-2.0), W / 2 - g), P(X(-2.0), W / 2 + g)))
        segs.append((P(X(-2.0), W / 2 + g), P(X(0), W / 2 + g)))

    # arcs: (centre, radius, keep(x, y) in metres)
    arcs = [((L / 2, W / 2), 9.15, lambda x, y: True)]
    arcs.append(((11.0, W / 2), 9.15, lambda x, y: x > 16.5))
    arcs.append(((L - 11.0, W / 2), 9.15, lambda x, y: x < L - 16.5))
    for cx, cy in ((0, 0), (L, 0), (0, W), (L, W)):
        arcs.append(((cx, cy), 1.0, lambda x, y: 0 <= x <= L and 0 <= y <= W))
    spots = [(L / 2, W / 2), (11.0, W / 2), (L - 11.0, W / 2)]
    return segs, arcs, spots


def seg_dist2(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    ex, ey = ax + t * dx - px, ay + t * dy - py
    return ex * ex + ey * ey


def make_pitch(width=265, height=184):
    scale = 2.3
    ox = (width - 105 * scale) / 2
    oy = (height - 68 * scale) / 2
    segs, arcs, spots = pitch_elements(scale, ox, oy)
    half = 0.75  # half the line width, pixels
    sub = 3

    def on_line(x, y):
        for a, b in segs:
            if seg_dist2(x, y, a, b) <= half * half:
                return True
        mx, my = (x - ox) / scale, (y - oy) / scale
        for (cx, cy), r, keep in arcs:
            d = math.hypot(mx - cx, my - cy) * scale
            if abs(d - r * scale) <= half and keep(mx, my):
                return True
        for cx, cy in spots:
            if math.hypot(mx - cx, my - cy) * scale <= 1.3:
                return True
        return False

    # Palette: 2 stripe greens x 16 light levels x 8 line-coverage levels = 256 colours.
    greens = [(46, 139, 58), (58, 158, 70)]
    palette = []
    for stripe in range(2):
        for light in range(16):
            f = 1.0 - 0.38 * light / 15
            base = [c * f for c in greens[stripe]]
            for cover in range(8):
                k = cover / 7
                palette.append(tuple(int(round(b * (1 - k) + 245 * k)) for b in base))
    assert len(palette) == 256

    pixels = bytearray()
    stripe_w = 105 * scale / 12
    for y in range(height):
        for x in range(width):
            hits = 0
            for sy in range(sub):
                for sx in range(sub):
                    if on_line(x + (sx + 0.5) / sub, y + (sy + 0.5) / sub):
                        hits += 1
            cover = int(round(7 * hits / (sub * sub)))
            stripe = int(max(0.0, x - ox) // stripe_w) % 2
            # light falls off from the upper left, like floodlights on one stand
            d = math.hypot((x - width * 0.3) / width, (y - height * 0.2) / height)
            light = min(15, int(d * 20))
            pixels.append(stripe * 128 + light * 8 + cover)
    return palette, pixels


def lzw_encode(data, min_size):
    clear, end = 1 << min_size, (1 << min_size) + 1
    out, bits, nbits = bytearray(), 0, 0
    size = min_size + 1

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {bytes([i]): i for i in range(clear)}
    next_code = end + 1
    emit(clear)
    w = b""
    for byte in data:
        wc = w + bytes([byte])
        if wc in table:
            w = wc
            continue
        emit(table[w])
        if next_code < 4096:
            table[wc] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table = {bytes([i]): i for i in range(clear)}
            next_code = end + 1
            size = min_size + 1
        w = bytes([byte])
    if w:
        emit(table[w])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, width, height, palette, pixels):
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0xF7, 0, 0)  # global table of 256 colours
    for r, g, b in palette:
        out += bytes((r, g, b))
    out += b","
    out += struct.pack("<HHHHB", 0, 0, width, height, 0)
    out.append(8)
    data = lzw_encode(pixels, 8)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out += b"\x00;"
    with open(path, "wb") as f:
        f.write(out)


# --------------------------------------------------------------------------------------------
# Window icon: a rounded pitch seen from above, halfway line and centre circle.


def make_icon(size):
    """RGBA rows of the icon at one size, drawn with 8 x 8 supersampling."""
    sub = 8
    r_corner = size * 0.22
    inset = size * 0.04
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            inside = white = 0
            for sy in range(sub):
                for sx in range(sub):
                    px, py = x + (sx + 0.5) / sub, y + (sy + 0.5) / sub
                    # rounded square
                    qx = min(max(px, inset + r_corner), size - inset - r_corner)
                    qy = min(max(py, inset + r_corner), size - inset - r_corner)
                    if math.hypot(px - qx, py - qy) > r_corner:
                        continue
                    inside += 1
                    # lines on whole pixels, so that the 16-pixel image stays sharp
                    wpx = max(1, round(size / 16))
                    off = 0.5 if wpx % 2 else 0.0
                    lw = wpx / 2
                    c = size // 2 - (0.5 if off else 0.0)
                    mx = round(size * 0.16) + off
                    my = round(size * 0.26) + off
                    ring = abs(math.hypot(px - c, py - size / 2) - size * 0.17) <= lw
                    halfway = abs(px - c) <= lw and my <= py <= size - my
                    on_x = mx - lw <= px <= size - mx + lw
                    on_y = my - lw <= py <= size - my + lw
                    frame = (on_x and on_y and
                             (abs(py - my) <= lw or abs(py - (size - my)) <= lw or
                              abs(px - mx) <= lw or abs(px - (size - mx)) <= lw))
                    if ring or halfway or frame:
                        white += 1
            n = sub * sub
            if inside == 0:
                row.append((0, 0, 0, 0))
                continue
            k = white / inside
            shade = 1.0 - 0.25 * y / size
            g = (40 * shade, 150 * shade, 60 * shade)
            rgb = tuple(int(round(c * (1 - k) + 250 * k)) for c in g)
            row.append(rgb + (int(round(255 * inside / n)),))
        rows.append(row)
    return rows


def png_bytes(rows):
    h, w = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)

    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))


def ico_image(rows, bpp):
    """One icon image: BITMAPINFOHEADER, palette, colour rows and AND mask, bottom-up."""
    size = len(rows)
    if bpp == 4:
        palette = VGA16
    elif bpp == 8:
        colours = sorted({px[:3] for row in rows for px in row if px[3] >= 128})
        palette = colours[:256] if len(colours) <= 256 else None
        if palette is None:  # more colours than fit: a 6 x 6 x 6 cube and greys
            palette = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6)
                       for b in range(6)] + [(i * 6, i * 6, i * 6) for i in range(40)]
        palette = palette + [(0, 0, 0)] * (256 - len(palette))
    else:
        palette = []
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0,
                         len(palette) if bpp <= 8 else 0, 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    colour = bytearray()
    mask = bytearray()
    lookup = {}
    for row in reversed(rows):
        line = bytearray()
        if bpp == 32:
            for r, g, b, a in row:
                line += bytes((b, g, r, a))
        else:
            idx = []
            for r, g, b, a in row:
                key = (r, g, b) if a >= 128 else None
                if key not in lookup:
                    lookup[key] = 0 if key is None else nearest(palette, key)
                idx.append(lookup[key])
            if bpp == 8:
                line += bytes(idx)
            else:
                for i in range(0, size, 2):
                    line.append((idx[i] << 4) | (idx[i + 1] if i + 1 < size else 0))
        line += b"\x00" * (-len(line) % 4)
        colour += line
        m = bytearray((size + 7) // 8)
        for x, px in enumerate(row):
            if px[3] < 128:
                m[x // 8] |= 0x80 >> (x % 8)
        m += b"\x00" * (-len(m) % 4)
        mask += m
    return header + pal + bytes(colour) + bytes(mask)


def write_ico(path, icons):
    entries = [(32, 4), (16, 4), (48, 8), (32, 8), (16, 8), (48, 32), (32, 32), (16, 32)]
    images = [ico_image(icons[s], bpp) for s, bpp in entries]
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for (s, bpp), img in zip(entries, images):
        out += struct.pack("<BBBBHHII", s, s, 16 if bpp == 4 else 0, 0, 1, bpp, len(img), offset)
        offset += len(img)
    for img in images:
        out += img
    with open(path, "wb") as f:
        f.write(out)


# --------------------------------------------------------------------------------------------
# Sounds


def write_wav(path, samples, rate=22050):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767))))
                               for s in samples))


def click_sound(rate=22050):
    """A short dry tick: a noise burst over a decaying 1.8 kHz tone, 45 ms."""
    rnd = random.Random(6)
    n = int(rate * 0.045)
    out = []
    for i in range(n):
        t = i / rate
        tone = math.sin(2 * math.pi * 1800 * t) * math.exp(-t * 140)
        noise = (rnd.random() * 2 - 1) * math.exp(-t * 600)
        out.append(0.55 * tone + 0.35 * noise)
    return out


def over_sound(rate=22050):
    """A soft rising blip, 70 ms, for the pointer entering the button."""
    n = int(rate * 0.07)
    out, phase = [], 0.0
    for i in range(n):
        t = i / rate
        f = 900 + 700 * t / 0.07
        phase += 2 * math.pi * f / rate
        env = math.sin(math.pi * i / n) ** 2
        out.append(0.3 * env * math.sin(phase))
    return out


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..",
                                                              "resources")
    os.makedirs(os.path.join(out, "icons"), exist_ok=True)
    palette, pixels = make_pitch()
    write_gif(os.path.join(out, "pitch.gif"), 265, 184, palette, pixels)
    icons = {s: make_icon(s) for s in (16, 32, 48)}
    for s, rows in icons.items():
        with open(os.path.join(out, "icons", "corvane-%d.png" % s), "wb") as f:
            f.write(png_bytes(rows))
    write_ico(os.path.join(out, "corvane.ico"), icons)
    write_wav(os.path.join(out, "click.wav"), click_sound())
    write_wav(os.path.join(out, "over.wav"), over_sound())


if __name__ == "__main__":
    main()
