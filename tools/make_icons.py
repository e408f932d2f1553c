#!/usr/bin/env python3
"""Draws the plug-in's icons into icons/ (PNG, RGBA, transparent background).

Each icon is a stack of flat vector shapes in unit coordinates (x right, y down, 0..1),
rasterised with 3 x 3 samples per pixel. Only Python's standard library is used, so the
icons can be rebuilt anywhere: tools/make_icons.py [OUTPUT_DIR]
"""

import math
import os
import struct
import sys
import zlib

SAMPLES = 3


# --- shapes: each is (bounding box, inside(x, y) -> bool) --------------------------------


def disk(cx, cy, r):
    return (cx - r, cy - r, cx + r, cy + r), lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    lo, hi = (r - width / 2) ** 2, (r + width / 2) ** 2
    reach = r + width / 2
    return (cx - reach, cy - reach, cx + reach, cy + reach), lambda x, y: lo <= (
        (x - cx) ** 2 + (y - cy) ** 2
    ) <= hi


def arc(cx, cy, r, width, start, end):
    """A thick arc from angle `start` to `end` (degrees, counter-clockwise on screen)."""
    box, in_ring = ring(cx, cy, r, width)
    span = (end - start) % 360

    def inside(x, y):
        if not in_ring(x, y):
            return False
        angle = math.degrees(math.atan2(cy - y, x - cx))
        return (angle - start) % 360 <= span

    return box, inside


def rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + radius - x, 0, x - (x1 - radius))
        dy = max(y0 + radius - y, 0, y - (y1 - radius))
        return dx * dx + dy * dy <= radius * radius

    return (x0, y0, x1, y1), inside


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result

    return (min(xs), min(ys), max(xs), max(ys)), inside


def capsule(x0, y0, x1, y1, width):
    """A line segment of the given width with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-12
    r2 = (width / 2) ** 2
    pad = width / 2

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= r2

    return (min(x0, x1) - pad, min(y0, y1) - pad, max(x0, x1) + pad, max(y0, y1) + pad), inside


def polyline(points, width):
    return [capsule(*a, *b, width) for a, b in zip(points, points[1:])]


def outline(points, width):
    return polyline(list(points) + [points[0]], width)


def arrow_head(tip_x, tip_y, angle, length, half_width):
    """A triangle pointing along `angle` (degrees, counter-clockwise on screen)."""
    ux, uy = math.cos(math.radians(angle)), -math.sin(math.radians(angle))
    bx, by = tip_x - ux * length, tip_y - uy * length
    return polygon(
        [
            (tip_x, tip_y),
            (bx - uy * half_width, by + ux * half_width),
            (bx + uy * half_width, by - ux * half_width),
        ]
    )


def rotated_rect(cx, cy, length, width, angle):
    ux, uy = math.cos(math.radians(angle)), -math.sin(math.radians(angle))
    hx, hy = ux * length / 2, uy * length / 2
    wx, wy = -uy * width / 2, ux * width / 2
    return polygon(
        [
            (cx - hx - wx, cy - hy - wy),
            (cx + hx - wx, cy + hy - wy),
            (cx + hx + wx, cy + hy + wy),
            (cx - hx + wx, cy - hy + wy),
        ]
    )


def bezier(p0, p1, p2, p3, steps=24):
    points = []
    for i in range(steps + 1):
        t = i / steps
        s = 1 - t
        points.append(
            tuple(
                s**3 * a + 3 * s * s * t * b + 3 * s * t * t * c + t**3 * d
                for a, b, c, d in zip(p0, p1, p2, p3)
            )
        )
    return points


# --- glyphs: lists of shapes, drawn in one colour -----------------------------------------

LINE = 0.07


def glyph_select():
    return [polygon([(0.3, 0.15), (0.3, 0.8), (0.45, 0.65), (0.56, 0.88), (0.66, 0.83),
                     (0.55, 0.61), (0.75, 0.6)])]


def glyph_move():
    c, reach, head = 0.5, 0.34, 0.14
    shapes = [capsule(c - reach + head, c, c + reach - head, c, LINE),
              capsule(c, c - reach + head, c, c + reach - head, LINE)]
    for angle, (tx, ty) in ((0, (c + reach, c)), (90, (c, c - reach)),
                            (180, (c - reach, c)), (270, (c, c + reach))):
        shapes.append(arrow_head(tx, ty, angle, head, 0.09))
    return shapes


def glyph_rotate():
    start, end, r = 60, 330, 0.28
    tip = math.radians(start)
    tx, ty = 0.5 + r * math.cos(tip), 0.5 - r * math.sin(tip)
    return [arc(0.5, 0.5, r, LINE, start + 8, end),
            arrow_head(tx + 0.02, ty + 0.06, start + 100, 0.16, 0.1)]


def glyph_scale():
    return [rounded_rect(0.16, 0.56, 0.44, 0.84, 0.03),
            capsule(0.36, 0.64, 0.68, 0.32, LINE),
            rounded_rect(0.6, 0.16, 0.84, 0.4, 0.03)]


def glyph_transform():
    c = 0.5
    shapes = [ring(c, c, 0.3, 0.06)]
    for angle, (tx, ty) in ((0, (0.9, c)), (90, (c, 0.1)), (180, (0.1, c)), (270, (c, 0.9))):
        shapes.append(arrow_head(tx, ty, angle, 0.14, 0.08))
    shapes.append(rounded_rect(0.42, 0.42, 0.58, 0.58, 0.02))
    return shapes


def glyph_extrude():
    base = [(0.12, 0.78), (0.6, 0.78), (0.88, 0.62), (0.4, 0.62)]
    top = [(x, y - 0.32) for x, y in base]
    shapes = outline(base, 0.05) + [polygon(top)]
    for (x0, y0), (x1, y1) in zip(base, top):
        shapes.append(capsule(x0, y0, x1, y1, 0.04))
    return shapes


def glyph_create_polygon():
    points = [(0.5, 0.14), (0.85, 0.4), (0.72, 0.84), (0.28, 0.84), (0.15, 0.4)]
    return outline(points, 0.05) + [disk(x, y, 0.08) for x, y in points]


def glyph_split():
    square = [(0.16, 0.16), (0.84, 0.16), (0.84, 0.84), (0.16, 0.84)]
    shapes = outline(square, 0.05)
    a, b = (0.16, 0.62), (0.84, 0.38)
    for i in range(0, 5, 2):  # a dashed cut across the face
        t0, t1 = i / 5, (i + 1) / 5
        shapes.append(capsule(a[0] + (b[0] - a[0]) * t0, a[1] + (b[1] - a[1]) * t0,
                              a[0] + (b[0] - a[0]) * t1, a[1] + (b[1] - a[1]) * t1, 0.06))
    return shapes + [disk(*a, 0.08), disk(*b, 0.08)]


def glyph_edge_loop():
    shapes = []
    for i in range(4):
        t = 0.16 + i * 0.68 / 3
        shapes += [capsule(t, 0.16, t, 0.84, 0.035), capsule(0.16, t, 0.84, t, 0.035)]
    return shapes + [capsule(0.5, 0.08, 0.5, 0.92, 0.09)]


def glyph_curve():
    cvs = [(0.14, 0.8), (0.3, 0.1), (0.7, 0.9), (0.86, 0.2)]
    return polyline(bezier(*cvs), 0.07) + [disk(x, y, 0.065) for x, y in cvs]


def glyph_joint():
    joints = [(0.2, 0.8), (0.45, 0.35), (0.82, 0.22)]
    shapes = []
    for (x0, y0), (x1, y1) in zip(joints, joints[1:]):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)
        nx, ny = -dy / length * 0.07, dx / length * 0.07
        shapes.append(polygon([(x0 + nx, y0 + ny), (x1, y1), (x0 - nx, y0 - ny)]))
    return shapes + [ring(x, y, 0.075, 0.04) for x, y in joints]


def glyph_utility():
    shapes = [ring(0.5, 0.5, 0.2, 0.12)]
    for i in range(8):
        angle = i * 45
        r = 0.3
        cx = 0.5 + r * math.cos(math.radians(angle))
        cy = 0.5 - r * math.sin(math.radians(angle))
        shapes.append(rotated_rect(cx, cy, 0.14, 0.11, angle))
    return shapes


def glyph_attribute_editor():
    shapes = []
    for i in range(3):
        y = 0.27 + i * 0.23
        shapes += [rounded_rect(0.16, y - 0.06, 0.28, y + 0.06, 0.02),
                   capsule(0.38, y, 0.84, y, 0.06)]
    return shapes


def glyph_property_sheet():
    shapes = outline([(0.18, 0.12), (0.82, 0.12), (0.82, 0.88), (0.18, 0.88)], 0.05)
    for i, knob in enumerate((0.62, 0.4, 0.7)):
        y = 0.3 + i * 0.2
        shapes += [capsule(0.3, y, 0.7, y, 0.03), disk(0.3 + knob * 0.4, y, 0.055)]
    return shapes


def glyph_channel_editor():
    shapes = outline([(0.14, 0.18), (0.86, 0.18), (0.86, 0.82), (0.14, 0.82)], 0.05)
    shapes.append(capsule(0.42, 0.18, 0.42, 0.82, 0.04))
    for i in range(1, 4):
        y = 0.18 + i * 0.16
        shapes.append(capsule(0.14, y, 0.86, y, 0.03))
    return shapes


GLYPHS = {
    "select": glyph_select,
    "move": glyph_move,
    "rotate": glyph_rotate,
    "scale": glyph_scale,
    "transform": glyph_transform,
    "extrude": glyph_extrude,
    "createPolygon": glyph_create_polygon,
    "split": glyph_split,
    "edgeLoop": glyph_edge_loop,
    "curve": glyph_curve,
    "joint": glyph_joint,
    "utility": glyph_utility,
    "attributeEditor": glyph_attribute_editor,
    "propertySheet": glyph_property_sheet,
    "channelEditor": glyph_channel_editor,
}


def shaded_sphere(cx, cy, r, rgb):
    """A disk lit from the upper left, as a smooth-shaded ball looks."""
    box, inside = disk(cx, cy, r)
    light = (-0.5, -0.6, 0.62)

    def colour(x, y):
        nx, ny = (x - cx) / r, (y - cy) / r
        nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
        lit = max(0.0, nx * light[0] + ny * light[1] + nz * light[2])
        shade = 0.25 + 0.75 * lit
        return tuple(min(255, int(c * shade)) for c in rgb) + (255,)

    return box, inside, colour


# --- rasterising --------------------------------------------------------------------------


class Layer:
    def __init__(self, shapes, rgba, offset=(0.0, 0.0)):
        self.shapes = shapes
        self.rgba = rgba
        self.offset = offset


def render(size, layers):
    """Returns rows of RGBA bytes, top row first."""
    rows = []
    step = 1.0 / (size * SAMPLES)
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px * SAMPLES + sx + 0.5) * step
                    y = (py * SAMPLES + sy + 0.5) * step
                    sample = sample_at(layers, x, y)
                    a = sample[3] / 255.0
                    for i in range(3):
                        acc[i] += sample[i] * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha > 0:
                row += bytes(int(round(acc[i] / acc[3])) for i in range(3))
            else:
                row += b"\0\0\0"
            row.append(int(round(alpha * 255)))
        rows.append(bytes(row))
    return rows


def sample_at(layers, x, y):
    """The colour at (x, y): the layers composited over transparency, bottom first."""
    r = g = b = a = 0.0
    for layer in layers:
        lx, ly = x - layer.offset[0], y - layer.offset[1]
        for shape in layer.shapes:
            (x0, y0, x1, y1), inside = shape[0], shape[1]
            if x0 <= lx <= x1 and y0 <= ly <= y1 and inside(lx, ly):
                colour = shape[2](lx, ly) if len(shape) > 2 else layer.rgba
                sa = colour[3] / 255.0
                out = sa + a * (1 - sa)
                if out > 0:
                    r = (colour[0] * sa + r * a * (1 - sa)) / out
                    g = (colour[1] * sa + g * a * (1 - sa)) / out
                    b = (colour[2] * sa + b * a * (1 - sa)) / out
                a = out
                break
    return (r, g, b, a * 255)


def write_png(path, size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + row for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


# --- the icon set -------------------------------------------------------------------------

SHADOW = (0, 0, 0, 110)

TOOL_ICONS = {
    "vexelSelectTool": ("select", (235, 235, 235, 255)),
    "vexelMoveTool": ("move", (90, 170, 255, 255)),
    "vexelRotateTool": ("rotate", (120, 220, 120, 255)),
    "vexelScaleTool": ("scale", (255, 120, 110, 255)),
    "vexelTransformTool": ("transform", (255, 210, 90, 255)),
    "vexelExtrudeTool": ("extrude", (255, 170, 70, 255)),
    "vexelCreatePolygonTool": ("createPolygon", (110, 200, 255, 255)),
    "vexelSplitTool": ("split", (255, 150, 210, 255)),
    "vexelEdgeLoopTool": ("edgeLoop", (170, 150, 255, 255)),
    "vexelCurveTool": ("curve", (100, 230, 200, 255)),
    "vexelJointTool": ("joint", (240, 200, 140, 255)),
}

# Menu buttons: a round plate whose colour tells the state, the glyph on top.
MENU_STATES = {
    "base": {"plate": (40, 48, 60, 230), "rim": (150, 160, 175, 255), "glyph": (235, 238, 242, 255)},
    "hover": {"plate": (45, 110, 205, 240), "rim": (255, 255, 255, 255), "glyph": (255, 255, 255, 255)},
    "select": {"plate": (230, 150, 40, 245), "rim": (255, 235, 180, 255), "glyph": (40, 30, 20, 255)},
}

MENU_ICONS = {
    "move": ("move", ("base", "hover", "select")),
    "rotate": ("rotate", ("base", "hover", "select")),
    "scale": ("scale", ("base", "hover", "select")),
    "transform": ("transform", ("base", "hover", "select")),
    "utility": ("utility", ("base", "hover")),
    "attributeEditor": ("attributeEditor", ("base", "hover")),
    "propertySheet": ("propertySheet", ("base", "hover")),
    "channelEditor": ("channelEditor", ("base", "hover")),
    "shadedMode": (None, ("base", "hover")),
}


def scaled(shapes, scale, centre=0.5):
    """The shapes shrunk about the centre, so a glyph fits inside a menu plate."""

    def wrap(shape):
        (x0, y0, x1, y1), inside = shape[0], shape[1]
        colour = shape[2] if len(shape) > 2 else None

        def to_glyph(v):
            return centre + (v - centre) / scale

        def from_glyph(v):
            return centre + (v - centre) * scale

        box = (from_glyph(x0), from_glyph(y0), from_glyph(x1), from_glyph(y1))
        test = lambda x, y: inside(to_glyph(x), to_glyph(y))  # noqa: E731
        if colour:
            return box, test, lambda x, y: colour(to_glyph(x), to_glyph(y))
        return box, test

    return [wrap(s) for s in shapes]


def cursor_layers():
    arrow = [(0.03, 0.03), (0.03, 0.78), (0.22, 0.6), (0.36, 0.9), (0.5, 0.83),
             (0.37, 0.55), (0.62, 0.55)]
    # The tip sits in the top-left corner, where the pointer is.
    return [Layer(outline(arrow, 0.07), (20, 20, 20, 255)),
            Layer([polygon(arrow)], (250, 250, 250, 255))]


def tool_layers(glyph, colour):
    shapes = GLYPHS[glyph]()
    return [Layer(shapes, SHADOW, offset=(0.03, 0.03)), Layer(shapes, colour)]


def menu_layers(glyph, state):
    style = MENU_STATES[state]
    layers = [Layer([disk(0.5, 0.5, 0.47)], style["rim"]),
              Layer([disk(0.5, 0.5, 0.43)], style["plate"])]
    if glyph is None:  # shaded mode: a lit ball
        tint = (200, 205, 215) if state == "base" else (255, 255, 255)
        layers.append(Layer([shaded_sphere(0.5, 0.5, 0.26, tint)], style["glyph"]))
    else:
        layers.append(Layer(scaled(GLYPHS[glyph](), 0.62), style["glyph"]))
    return layers


def icon_set():
    """(file name, pixel size, layers) of every icon."""
    icons = [("vexelMayaCursor.png", 64, cursor_layers())]
    for name, (glyph, colour) in TOOL_ICONS.items():
        icons.append((name + ".png", 32, tool_layers(glyph, colour)))
    for name, (glyph, states) in MENU_ICONS.items():
        for state in states:
            icons.append(("icon_%s_%s.png" % (name, state), 64, menu_layers(glyph, state)))
    return icons


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "icons")
    os.makedirs(out, exist_ok=True)
    for name, size, layers in icon_set():
        write_png(os.path.join(out, name), size, render(size, layers))
        print(name)


if __name__ == "__main__":
    main()
