#!/usr/bin/env python3
"""Draws the program's icon: a shaded, colour-mapped surface over a pair of
axes on a rounded blue tile. Writes one PNG per size into the hicolor tree
under resources/icons, where the window, the desktop entry and the document
type take it from.

    python3 tools/make_icon.py [resources folder]

Only the standard library is used, so the pictures can be made anew anywhere;
the same script always gives the same bytes.
"""

import math
import os
import struct
import sys
import zlib

SIZES = {16: 8, 32: 6, 48: 4, 256: 3}  # pixels: supersampling per axis
NAME = "quorvel"

# The surface: heights over [-1, 1]^2 on a grid of GRID x GRID quads.
GRID = 9


def height(x, y):
    bump = 0.55 * math.exp(-1.6 * ((x - 0.25) ** 2 + (y + 0.15) ** 2))
    return bump + 0.18 * math.sin(2.2 * x) * math.cos(1.8 * y)


# Seen from 45 degrees round and 30 degrees up; unit square coordinates, y
# down. depth grows towards the viewer.
def project(x, y, z):
    across = (x - y) / math.sqrt(2.0)
    depth = (x + y) / math.sqrt(2.0)
    return (0.53 + 0.27 * across, 0.50 + 0.145 * depth - 0.30 * z), depth


# The colour map of the surface: blue, cyan, green, yellow, red.
STOPS = [(0.0, (40, 90, 220)), (0.3, (30, 200, 230)), (0.55, (80, 210, 90)),
         (0.78, (250, 220, 60)), (1.0, (235, 70, 50))]


def colour_map(t):
    t = min(1.0, max(0.0, t))
    for (t0, c0), (t1, c1) in zip(STOPS, STOPS[1:]):
        if t <= t1:
            f = (t - t0) / (t1 - t0)
            return tuple(a + (b - a) * f for a, b in zip(c0, c1))
    return STOPS[-1][1]


def surface_quads():
    """The quads, far to near, each with its corner points and colour."""
    step = 2.0 / GRID
    heights = [[height(-1 + i * step, -1 + j * step) for j in range(GRID + 1)]
               for i in range(GRID + 1)]
    low = min(min(row) for row in heights)
    high = max(max(row) for row in heights)
    light = (-0.45, -0.35, 0.82)
    quads = []
    for i in range(GRID):
        for j in range(GRID):
            corners3 = [(i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1)]
            points, depth = [], 0.0
            for ci, cj in corners3:
                p, d = project(-1 + ci * step, -1 + cj * step, heights[ci][cj])
                points.append(p)
                depth += d
            # The normal: the cross product of the two diagonals.
            ax, ay, az = step, step, heights[i + 1][j + 1] - heights[i][j]
            bx, by, bz = -step, step, heights[i][j + 1] - heights[i + 1][j]
            nx, ny, nz = ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx
            length = math.sqrt(nx * nx + ny * ny + nz * nz)
            lambert = max(0.0, (nx * light[0] + ny * light[1] + nz * light[2]) / length)
            mean = sum(heights[ci][cj] for ci, cj in corners3) / 4
            base = colour_map((mean - low) / (high - low))
            shade = 0.45 + 0.55 * lambert
            quads.append((depth, points, tuple(min(255.0, c * shade) for c in base)))
    quads.sort(key=lambda q: q[0])
    return quads


def axis_quads():
    """The axes from the left corner of the floor below the surface: along the
    near edge and upwards, as thin white quads."""
    floor = -0.45
    origin, _ = project(-1, 1, floor)
    ends = [project(1, 1, floor)[0], project(-1, 1, 0.75)[0], project(-1, -1, floor)[0]]
    width = 0.011
    quads = []
    for end in ends:
        dx, dy = end[0] - origin[0], end[1] - origin[1]
        length = math.hypot(dx, dy)
        nx, ny = -dy / length * width, dx / length * width
        points = [(origin[0] + nx, origin[1] + ny), (end[0] + nx, end[1] + ny),
                  (end[0] - nx, end[1] - ny), (origin[0] - nx, origin[1] - ny)]
        quads.append((points, (235.0, 240.0, 250.0)))
    return quads


def inside_tile(u, v):
    """The rounded tile: margin 0.04, corner radius 0.17."""
    margin, radius = 0.04, 0.17
    cu = min(max(u, margin + radius), 1 - margin - radius)
    cv = min(max(v, margin + radius), 1 - margin - radius)
    return (u - cu) ** 2 + (v - cv) ** 2 <= radius * radius and margin <= u <= 1 - margin \
        and margin <= v <= 1 - margin


def fill_polygon(canvas, side, points, colour):
    """Fills a convex polygon (unit coordinates) on the side x side canvas."""
    xs = [p[0] * side for p in points]
    ys = [p[1] * side for p in points]
    area = sum(xs[k] * ys[(k + 1) % 4] - xs[(k + 1) % 4] * ys[k] for k in range(4))
    sign = 1.0 if area > 0 else -1.0
    x0, x1 = max(0, int(min(xs))), min(side - 1, int(max(xs)) + 1)
    y0, y1 = max(0, int(min(ys))), min(side - 1, int(max(ys)) + 1)
    edges = [(xs[k], ys[k], xs[(k + 1) % 4] - xs[k], ys[(k + 1) % 4] - ys[k]) for k in range(4)]
    for py in range(y0, y1 + 1):
        cy = py + 0.5
        row = canvas[py]
        for px in range(x0, x1 + 1):
            cx = px + 0.5
            if all(sign * (dx * (cy - ey) - dy * (cx - ex)) >= 0 for ex, ey, dx, dy in edges):
                row[px] = colour


def render(size, factor):
    side = size * factor
    canvas = [[None] * side for _ in range(side)]
    for py in range(side):
        v = (py + 0.5) / side
        top, bottom = (52, 96, 160), (18, 38, 82)
        shade = tuple(a + (b - a) * v for a, b in zip(top, bottom))
        for px in range(side):
            if inside_tile((px + 0.5) / side, v):
                canvas[py][px] = shade
    for points, colour in axis_quads():
        fill_polygon(canvas, side, points, colour)
    for _, points, colour in surface_quads():
        fill_polygon(canvas, side, points, colour)
    pixels = bytearray()
    for y in range(size):
        pixels.append(0)  # no filter
        for x in range(size):
            r = g = b = a = 0.0
            for sy in range(factor):
                for sx in range(factor):
                    c = canvas[y * factor + sy][x * factor + sx]
                    if c is not None:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a == 0:
                pixels.extend((0, 0, 0, 0))
            else:
                pixels.extend((round(r / a), round(g / a), round(b / a),
                               round(255 * a / (factor * factor))))
    return bytes(pixels)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, size, pixels):
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + \
        chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    resources = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    for size, factor in SIZES.items():
        path = os.path.join(resources, "icons", "hicolor", "%dx%d" % (size, size), "apps",
                            NAME + ".png")
        write_png(path, size, render(size, factor))
        print(os.path.normpath(path))


if __name__ == "__main__":
    main()
