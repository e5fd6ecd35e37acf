#!/usr/bin/env python3
"""Draws the project's own pictures: the program icons and the demo gallery's pictures.

Pure Python (zlib only), so it runs on a bare Debian. The results are committed; run it again only
to change the art:  python3 data/make_pictures.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def png(width, height, pixel):
    """pixel(x, y) -> (r, g, b, a); returns the PNG file bytes."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(bytes(max(0, min(255, int(c))) for c in pixel(x, y)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9))
            + chunk(b"IEND", b""))


def ico(png_bytes, size):
    """An icon file holding one PNG image (the format every current desktop reads)."""
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(png_bytes), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + png_bytes


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def landscape(seed, width, height):
    """A sky, a sun and rolling hills; seed varies colours and shapes."""
    sky_top = [(40, 90, 170), (250, 120, 60), (20, 30, 80), (120, 180, 230), (200, 90, 140), (60, 140, 120)][seed % 6]
    sky_low = [(170, 210, 250), (255, 220, 140), (90, 60, 140), (230, 245, 255), (255, 200, 170), (200, 240, 200)][seed % 6]
    hill_a = [(50, 130, 60), (110, 80, 40), (30, 50, 60), (70, 160, 90), (90, 50, 90), (30, 100, 80)][seed % 6]
    hill_b = mix(hill_a, (0, 0, 0), 0.35)
    sun = (width * (0.25 + 0.1 * (seed % 5)), height * (0.25 + 0.05 * (seed % 3)))
    radius = height * 0.11

    def pixel(x, y):
        t = y / height
        colour = mix(sky_top, sky_low, t)
        d = math.hypot(x - sun[0], y - sun[1])
        if d < radius:
            colour = (255, 240, 180)
        elif d < radius * 1.8:
            colour = mix((255, 235, 170), colour, (d - radius) / (radius * 0.8))
        far = height * (0.62 + 0.06 * math.sin(x / width * 6.3 + seed))
        near = height * (0.78 + 0.05 * math.sin(x / width * 9.1 + seed * 2.0 + 1))
        if y > near:
            colour = mix(hill_b, (20, 30, 20), (y - near) / height)
        elif y > far:
            colour = hill_a
        return (*colour, 255)

    return png(width, height, pixel)


def badge(colour, size):
    """A small round badge, the kind of decoration the size filter leaves out."""
    c = (size - 1) / 2

    def pixel(x, y):
        d = math.hypot(x - c, y - c)
        if d > c:
            return (0, 0, 0, 0)
        return (*mix(colour, (255, 255, 255), max(0.0, 0.5 - d / size)), 255)

    return png(size, size, pixel)


def program_icon(size, hot):
    """A nest of three strokes around a picture frame; the hot variant glows."""
    c = (size - 1) / 2

    def pixel(x, y):
        u, v = (x - c) / c, (y - c) / c
        frame = abs(u) < 0.62 and abs(v + 0.12) < 0.46
        if frame:
            inner = abs(u) < 0.5 and abs(v + 0.12) < 0.34
            if not inner:
                return (250, 250, 250, 255)
            return (*(mix((70, 140, 220), (120, 200, 120), (v + 0.46) / 0.8)), 255)
        r = math.hypot(u, v * 1.6 - 0.55)
        if 0.55 < r < 0.95 and v > 0.1:
            shade = (160, 110, 50) if int((u + 1) * 6) % 2 else (120, 80, 30)
            return (*(mix(shade, (255, 200, 80), 0.4) if hot else shade), 255)
        return (0, 0, 0, 0)

    return png(size, size, pixel)


# The menu icons of the two programs in the hicolor theme: one drawing, given once as shapes in the
# square -1..1 (y down), rendered both as SVG and, smoothed, as PNG in the theme's usual sizes.
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
FRAME = (-0.62, -0.58, 1.24, 0.92)  # x, y, width, height: the white frame
PICTURE = (-0.5, -0.46, 1.0, 0.68)  # the picture inside it, sky blue to meadow green
SKY, MEADOW = (70, 140, 220), (120, 200, 120)
RING_CENTRE, RING_SQUASH, RING_INNER, RING_OUTER, RING_TOP = 0.34375, 1.6, 0.55, 0.95, 0.1
EDGE, EDGE_WIDTH = (140, 150, 165), 0.04  # the frame's outline, centred on its edge
NEST = ((160, 110, 50), (120, 80, 30))  # grabnest: a nest of twigs under the picture
WAVES = ((40, 110, 170), (90, 170, 215))  # tidecove: the ripples of a cove under the picture


def inside(rect, u, v):
    x, y, w, h = rect
    return x <= u < x + w and y <= v < y + h


def menu_icon_colour(kind, u, v):
    """(r, g, b, a) of the drawing at (u, v)."""
    if inside(PICTURE, u, v):
        return (*mix(SKY, MEADOW, (v - PICTURE[1]) / PICTURE[3]), 255)
    x, y, w, h = FRAME
    e = EDGE_WIDTH / 2
    if inside((x + e, y + e, w - 2 * e, h - 2 * e), u, v):
        return (250, 250, 250, 255)
    if inside((x - e, y - e, w + 2 * e, h + 2 * e), u, v):
        return (*EDGE, 255)
    r = math.hypot(u, (v - RING_CENTRE) * RING_SQUASH)
    if RING_INNER < r < RING_OUTER and v > RING_TOP:
        if kind == "grabnest":
            return (*NEST[int((u + 1) * 6) % 2], 255)
        return (*WAVES[int((r - RING_INNER) / 0.1) % 2], 255)
    return (0, 0, 0, 0)


def menu_icon_png(kind, size, samples=4):
    def pixel(x, y):
        total = [0.0, 0.0, 0.0, 0.0]
        for i in range(samples):
            for j in range(samples):
                u = (x + (i + 0.5) / samples) / size * 2 - 1
                v = (y + (j + 0.5) / samples) / size * 2 - 1
                r, g, b, a = menu_icon_colour(kind, u, v)
                total[0] += r * a
                total[1] += g * a
                total[2] += b * a
                total[3] += a
        if total[3] == 0:
            return (0, 0, 0, 0)
        return (total[0] / total[3], total[1] / total[3], total[2] / total[3], total[3] / samples ** 2)

    return png(size, size, pixel)


def hex_colour(c):
    return "#%02x%02x%02x" % tuple(int(round(x)) for x in c)


def menu_icon_svg(kind):
    ellipse = lambda r: '<ellipse cx="0" cy="%g" rx="%g" ry="%g"/>' % (RING_CENTRE, r, r / RING_SQUASH)
    below_top = '<rect x="-1" y="%g" width="2" height="%g"/>' % (RING_TOP, 1 - RING_TOP)
    if kind == "grabnest":
        bands = "".join('<rect x="%g" y="-1" width="%g" height="2" fill="%s"/>'
                        % (-1 + k / 6, 1 / 6 + 0.001, hex_colour(NEST[k % 2])) for k in range(12))
    else:
        radii = [RING_INNER + 0.1 * k for k in range(5)]  # up to RING_OUTER
        bands = "".join('<path fill-rule="evenodd" fill="%s" d="%s"/>'
                        % (hex_colour(WAVES[k % 2]), ring_path(radii[k + 1]) + ring_path(radii[k]))
                        for k in range(len(radii) - 1))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="-1 -1 2 2">\n'
            '<defs>\n'
            '<clipPath id="top">%s</clipPath>\n'
            '<clipPath id="ring"><path clip-rule="evenodd" d="%s"/></clipPath>\n'
            '<linearGradient id="picture" x1="0" y1="%g" x2="0" y2="%g" gradientUnits="userSpaceOnUse">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>\n'
            '</defs>\n'
            '<g clip-path="url(#top)"><g clip-path="url(#ring)">%s</g></g>\n'
            '<rect x="%g" y="%g" width="%g" height="%g" fill="#fafafa" stroke="%s" stroke-width="%g"/>\n'
            '<rect x="%g" y="%g" width="%g" height="%g" fill="url(#picture)"/>\n'
            '</svg>\n') % (below_top, ring_path(RING_OUTER) + ring_path(RING_INNER), PICTURE[1],
                            PICTURE[1] + PICTURE[3], hex_colour(SKY), hex_colour(MEADOW), bands, *FRAME, hex_colour(EDGE), EDGE_WIDTH,
                            *PICTURE)


def ring_path(r):
    """An ellipse of the ring's shape as path data (two arcs)."""
    ry = r / RING_SQUASH
    return "M%g,%g a%g,%g 0 1,0 %g,0 a%g,%g 0 1,0 %g,0 Z" % (-r, RING_CENTRE, r, ry, 2 * r, r, ry, -2 * r)


def write(path, data):
    full = os.path.join(HERE, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)


def main():
    icon = program_icon(48, False)
    write("grabnest.png", icon)
    write("grabnest.ico", ico(icon, 48))
    write("grabhot.ico", ico(program_icon(48, True), 48))
    for i in range(6):
        write("demo/photo%d.png" % (i + 1), landscape(i, 360, 240))
    for i in range(3):
        write("demo/thumb%d.png" % (i + 1), landscape(i + 3, 120, 90))
    write("demo/dot.png", badge((220, 60, 60), 16))
    write("demo/star.png", badge((240, 180, 30), 24))
    for kind in ("grabnest", "tidecove"):
        write("icons/hicolor/scalable/apps/%s.svg" % kind, menu_icon_svg(kind).encode())
        for size in ICON_SIZES:
            write("icons/hicolor/%dx%d/apps/%s.png" % (size, size, kind), menu_icon_png(kind, size))


if __name__ == "__main__":
    main()
