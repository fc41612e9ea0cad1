#!/usr/bin/env python3
"""Draws the note font "Sarvo" as TrueType outlines and writes it to the given path.

The melody text writes its note lengths as letters (A-E notes, F-J rests, 2 3 5 6 tuplet notes,
the backslash ] _ and the grave accent tuplet rests, ^ the tie). This font draws those letters as
music symbols, so the text box shows a row of notes, and the staff view prints the same
characters on five-line staves.

Units: 1000 to the em, one staff space is 300 units. The staff view prints with a staff space
of 120 twips (so the em is 400 twips) and puts every glyph's baseline 500 twips below its print
point, a stem-up head's centre 440 twips below it; the heights here follow from that geometry
(measured above the baseline):

  stem-up notes, whole notes, rests, "$", clef   head centre or middle line 60 twips
  stem-down notes (letter + 16, digit + 8), "%"  head centre 230 twips (printed 170 twips lower)
  tie under a stem-up head "^"                   arc centre 300 twips (printed 340 twips lower)
  tie over a stem-down head "~"                  arc centre 330 twips (printed 170 twips lower)

In a line of text the note heads sit on the baseline and the stems rise a little above the em.
"""

import math
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.ttGlyphPen import TTGlyphPen

UPM = 1000
S = 300  # one staff space
UNITS_PER_TWIP = S / 120

UP_HEAD_Y = 60 * UNITS_PER_TWIP  # head centre of glyphs printed at the reference height
DOWN_HEAD_Y = 230 * UNITS_PER_TWIP  # head centre of the stem-down forms
TIE_UNDER_Y = 300 * UNITS_PER_TWIP
TIE_OVER_Y = 330 * UNITS_PER_TWIP

HEAD_LEFT = 0.16 * S  # left side bearing of every note head
STEM_W = 0.12 * S
STEM_LEN = 3.5 * S
DOT_GAP = 0.8 * S  # from the head's right edge to the glyph's advance
# The dot glyph draws left of its own origin, in the gap the note glyph before it leaves.
DOT_R = 0.2 * S
DOT_X = 10 - 0.5 * DOT_GAP  # the dot's centre from its origin
FLAG_DOT_GAP = 0.25 * S  # white between a stem-up flag and the dot after it


# ----------------------------------------------------------------------------- geometry helpers


def signed_area(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2


def oriented(points, clockwise=True):
    """Filled outlines run clockwise (y up), holes counter-clockwise."""
    is_clockwise = signed_area(points) < 0
    return points if is_clockwise == clockwise else list(reversed(points))


def ellipse(cx, cy, rx, ry, angle=0.0, n=40):
    a = math.radians(angle)
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        x, y = rx * math.cos(t), ry * math.sin(t)
        pts.append((cx + x * math.cos(a) - y * math.sin(a), cy + x * math.sin(a) + y * math.cos(a)))
    return pts


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]


def quad(*points):
    return list(points)


def catmull_rom(points, steps=10):
    """A smooth curve through the control points."""
    if len(points) < 3:
        return list(points)
    ext = [points[0]] + list(points) + [points[-1]]
    out = []
    for i in range(1, len(ext) - 2):
        p0, p1, p2, p3 = ext[i - 1], ext[i], ext[i + 1], ext[i + 2]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(
                tuple(
                    0.5
                    * (
                        2 * p1[k]
                        + (-p0[k] + p2[k]) * t
                        + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                        + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3
                    )
                    for k in range(2)
                )
            )
    out.append(points[-1])
    return out


def interpolate_widths(widths, count):
    """Widths given at evenly spaced control points, spread over count samples."""
    out = []
    for i in range(count):
        u = i / max(1, count - 1) * (len(widths) - 1)
        k = min(int(u), len(widths) - 2)
        f = u - k
        out.append(widths[k] * (1 - f) + widths[k + 1] * f)
    return out


def stroke(control, widths, steps=10):
    """A band of varying width along a smooth curve through the control points."""
    path = catmull_rom(control, steps)
    w = interpolate_widths(widths, len(path))
    left, right = [], []
    for i, (x, y) in enumerate(path):
        a = path[max(0, i - 1)]
        b = path[min(len(path) - 1, i + 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        norm = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / norm, dx / norm
        h = w[i] / 2
        left.append((x + nx * h, y + ny * h))
        right.append((x - nx * h, y - ny * h))
    return left + list(reversed(right))


def moved(contours, dx=0.0, dy=0.0, sx=1.0, sy=1.0):
    return [[(x * sx + dx, y * sy + dy) for x, y in c] for c in contours]


def in_spaces(points, x0, y0, scale=S):
    return [(x0 + x * scale, y0 + y * scale) for x, y in points]


# ------------------------------------------------------------------------------------ glyphs


class Glyph:
    def __init__(self, advance):
        self.advance = round(advance)
        self.filled = []
        self.holes = []

    def fill(self, *contours):
        self.filled.extend(contours)
        return self

    def hole(self, *contours):
        self.holes.extend(contours)
        return self

    def draw(self):
        pen = TTGlyphPen(None)
        for contour, clockwise in [(c, True) for c in self.filled] + [(c, False) for c in self.holes]:
            pts = oriented([(round(x), round(y)) for x, y in contour], clockwise)
            # Drop repeated points left by rounding.
            clean = [p for i, p in enumerate(pts) if p != pts[i - 1]]
            if len(clean) < 3:
                continue
            pen.moveTo(clean[0])
            for p in clean[1:]:
                pen.lineTo(p)
            pen.closePath()
        return pen.glyph()


def head_shape(kind, cx, cy):
    """Outline and hole of a note head centred at (cx, cy)."""
    if kind == "whole":
        return ellipse(cx, cy, 0.8 * S, 0.5 * S, 0), ellipse(cx, cy, 0.34 * S, 0.3 * S, -55)
    outer = ellipse(cx, cy, 0.66 * S, 0.46 * S, 20)
    if kind == "half":
        return outer, ellipse(cx, cy, 0.5 * S, 0.2 * S, 20)
    return outer, None


def head_extent(kind):
    outer, _ = head_shape(kind, 0, 0)
    xs = [x for x, _ in outer]
    return min(xs), max(xs)


SIXTEENTH_FLAG_STEP = 1.0 * S  # from one flag of a sixteenth to the next along the stem


def flag(stem_x, end_y, up, kind="eighth"):
    """A flag hanging from the end of a stem (up) or rising from it (down). The two flags of a
    sixteenth are shorter, a staff space apart, and each ends before it reaches the other, so that
    they stay two at the size of the staff."""
    sign = -1 if up else 1
    shapes = {
        "eighth": ([(0.0, 0.0), (0.3, 0.65), (0.85, 1.25), (0.95, 2.0), (0.7, 2.7)],
                   [0.5, 0.4, 0.28, 0.16, 0.06]),
        "sixteenth": ([(0.0, 0.0), (0.45, 0.35), (0.9, 0.62), (1.02, 0.92), (0.95, 1.12)],
                      [0.48, 0.4, 0.28, 0.16, 0.07]),
    }
    pts, widths = shapes[kind]
    band = stroke([(x * S, sign * y * S) for x, y in pts], [w * S for w in widths])
    return [(stem_x - 0.02 * S + x, end_y + y) for x, y in band]


def digit_outline(d, x0, y0, height=0.9 * S):
    """A small tuplet digit 3 or 6 with its lower left corner at (x0, y0)."""
    if d == "3":
        upper = [(0.12, 0.86), (0.38, 0.98), (0.6, 0.85), (0.56, 0.6), (0.3, 0.5)]
        lower = [(0.3, 0.5), (0.6, 0.4), (0.66, 0.16), (0.42, 0.0), (0.15, 0.02), (0.02, 0.15)]
        parts = [(upper, [0.12, 0.16, 0.2, 0.16, 0.12]), (lower, [0.12, 0.18, 0.22, 0.18, 0.14, 0.1])]
    else:
        loop = [
            (0.62, 0.95), (0.36, 0.86), (0.14, 0.6), (0.08, 0.3), (0.16, 0.05), (0.38, -0.01),
            (0.58, 0.1), (0.62, 0.33), (0.46, 0.5), (0.24, 0.46), (0.1, 0.3),
        ]
        parts = [(loop, [0.1, 0.14, 0.2, 0.22, 0.2, 0.16, 0.18, 0.2, 0.16, 0.12, 0.1])]
    return [
        stroke([(x0 + x * height, y0 + y * height) for x, y in pts], [w * height for w in ws], 8)
        for pts, ws in parts
    ]


def note_glyph(kind, flags, stem_down, tuplet=None):
    """A note: head, stem and flags; the tuplet digit sits beyond the end of the stem."""
    cy = DOWN_HEAD_Y if stem_down else UP_HEAD_Y
    left, right = head_extent(kind)
    cx = HEAD_LEFT - left
    g = Glyph(round(cx + right + DOT_GAP))
    outer, inner = head_shape(kind, cx, cy)
    g.fill(outer)
    if inner:
        g.hole(inner)
    if kind == "whole":
        return g
    if stem_down:
        sx = cx + left + 2
        end = cy - STEM_LEN - (0.45 * S if flags > 1 else 0)
        g.fill(rect(sx, end, sx + STEM_W, cy - 0.12 * S))
        flag_x = sx + STEM_W
    else:
        sx = cx + right - 2 - STEM_W
        end = cy + STEM_LEN + (0.45 * S if flags > 1 else 0)
        g.fill(rect(sx, cy + 0.12 * S, sx + STEM_W, end))
        flag_x = sx + STEM_W
    kind = "eighth" if flags == 1 else "sixteenth"
    for i in range(flags):
        offset = i * SIXTEENTH_FLAG_STEP
        drawn = flag(flag_x, end - offset if not stem_down else end + offset, not stem_down, kind)
        g.fill(drawn)
        if not stem_down:
            # A stem-up flag reaches past the head into the dot's place: the dot moves beyond it.
            flag_right = max(x for x, _ in drawn)
            g.advance = max(g.advance, round(flag_right + FLAG_DOT_GAP - (DOT_X - DOT_R)))
    if tuplet:
        dx = cx - 0.2 * S
        dy = end + 0.3 * S if not stem_down else end - 0.3 * S - 0.9 * S
        g.fill(*digit_outline(tuplet, dx, dy))
    return g


def rest_glyph(kind, tuplet=None):
    """Rests centred on the middle staff line (y = UP_HEAD_Y)."""
    m = UP_HEAD_Y
    x0 = 0.24 * S
    g = Glyph(2.24 * S)
    # The whole rest hangs from a staff line and the half rest sits on one; a short stretch of
    # that line makes them readable in a line of text, and lies on the staff line in the staff.
    line = 0.08 * S
    if kind == "whole":
        g.fill(rect(x0, m + 0.5 * S, x0 + 1.3 * S, m + S))
        g.fill(rect(x0 - 0.3 * S, m + S - line / 2, x0 + 1.6 * S, m + S + line / 2))
        top = m + S
    elif kind == "half":
        g.fill(rect(x0, m, x0 + 1.3 * S, m + 0.5 * S))
        g.fill(rect(x0 - 0.3 * S, m - line / 2, x0 + 1.6 * S, m + line / 2))
        top = m + 0.5 * S
    elif kind == "quarter":
        zig = [(0.3, 1.5), (0.7, 1.05), (0.98, 0.7)]
        g.fill(stroke(in_spaces(zig, x0, m), [0.1 * S, 0.3 * S, 0.4 * S], 6))
        g.fill(stroke(in_spaces([(0.98, 0.7), (0.6, 0.3), (0.35, 0.02)], x0, m), [0.4 * S, 0.46 * S, 0.36 * S], 6))
        g.fill(stroke(in_spaces([(0.35, 0.02), (0.65, -0.3), (0.95, -0.62)], x0, m), [0.16 * S, 0.2 * S, 0.26 * S], 6))
        hook = [(0.95, -0.62), (0.55, -0.55), (0.3, -0.8), (0.4, -1.15), (0.62, -1.38)]
        g.fill(stroke(in_spaces(hook, x0, m), [w * S for w in [0.28, 0.3, 0.24, 0.14, 0.06]], 8))
        top = m + 1.5 * S
    else:
        # Eighth rest: one hook; sixteenth: two hooks on a longer slanted stem.
        hooks = 1 if kind == "eighth" else 2
        stem_top = (1.05, 0.62 if hooks == 1 else 0.62)
        stem_bottom = (0.55, -1.0) if hooks == 1 else (0.3, -1.9)
        g.fill(quad(
            in_spaces([stem_top], x0, m)[0],
            in_spaces([(stem_top[0] + 0.13, stem_top[1])], x0, m)[0],
            in_spaces([(stem_bottom[0] + 0.1, stem_bottom[1])], x0, m)[0],
            in_spaces([stem_bottom], x0, m)[0],
        ))
        for i in range(hooks):
            dy = -0.95 * i
            dx = -0.42 * i
            ball = ellipse(x0 + (0.32 + dx) * S, m + (0.48 + dy) * S, 0.22 * S, 0.22 * S, 0, 24)
            arc = [(0.3 + dx, 0.3 + dy), (0.62 + dx, 0.3 + dy), (1.08 + dx, 0.62 + dy)]
            g.fill(ball, stroke(in_spaces(arc, x0, m), [0.1 * S, 0.1 * S, 0.14 * S], 6))
        top = m + 0.9 * S
    if tuplet:
        g.fill(*digit_outline(tuplet, x0 + 0.25 * S, top + 0.35 * S))
    return g


def dot_glyph(cy):
    g = Glyph(0.32 * S)
    g.fill(ellipse(DOT_X, cy, DOT_R, DOT_R, 0, 24))
    return g


def sharp_glyph(cy):
    """Two thin uprights crossed by two thick rising bars, centred on a head at cy."""
    g = Glyph(1.16 * S)
    x0 = 0.08 * S
    left, right = x0 + 0.2 * S, x0 + 0.68 * S
    g.fill(rect(left, cy - 1.45 * S, left + 0.09 * S, cy + 1.25 * S))
    g.fill(rect(right, cy - 1.25 * S, right + 0.09 * S, cy + 1.45 * S))
    for base in (-0.5, 0.5):
        y = cy + base * S
        g.fill(quad((x0, y - 0.27 * S), (x0, y + 0.05 * S), (x0 + 0.95 * S, y + 0.3 * S), (x0 + 0.95 * S, y - 0.02 * S)))
    return g


def tie_glyph(cy, under):
    """A thin crescent; under a head it bends down in the middle, over a head it bends up."""
    width, sag, thick = 1.76 * S, 0.42 * S, 0.17 * S
    sign = -1 if under else 1
    n = 24
    outer, inner = [], []
    for i in range(n + 1):
        t = i / n
        bend = math.sin(math.pi * t)
        x = t * width
        outer.append((x, cy + sign * (bend * sag - sag / 2)))
        inner.append((x, cy + sign * (bend * (sag - thick) - sag / 2)))
    g = Glyph(width)
    g.fill(outer + list(reversed(inner[1:-1])))
    return g


def clef_glyph():
    """The treble clef; its spiral winds round the G line at y = UP_HEAD_Y."""
    g = Glyph(3.28 * S)
    x0, m = 1.32 * S, UP_HEAD_Y
    spine = [
        (-0.3, -1.85), (-0.05, -2.15), (0.35, -2.05), (0.48, -1.5), (0.38, -0.2), (0.24, 1.5),
        (0.18, 2.9), (0.32, 3.9), (0.6, 4.55), (0.75, 4.3), (0.62, 3.6), (0.2, 2.9),
        (-0.45, 2.1), (-0.9, 1.1), (-0.92, 0.05), (-0.5, -0.75), (0.25, -0.98), (0.9, -0.65),
        (1.1, 0.0), (0.85, 0.62), (0.25, 0.85), (-0.25, 0.55), (-0.3, 0.0), (0.05, -0.32),
    ]
    widths = [
        0.14, 0.12, 0.12, 0.14, 0.15, 0.16, 0.16, 0.14, 0.1, 0.12, 0.2, 0.32,
        0.38, 0.36, 0.28, 0.16, 0.12, 0.22, 0.32, 0.26, 0.14, 0.12, 0.1, 0.08,
    ]
    g.fill(stroke(in_spaces(spine, x0, m), [w * S for w in widths], 8))
    g.fill(ellipse(x0 - 0.32 * S, m - 1.72 * S, 0.3 * S, 0.3 * S, 0, 24))
    return g


def space_glyph():
    return Glyph(300)


# ---------------------------------------------------------------------------------- the font

NOTES = {"A": ("whole", 0), "B": ("half", 0), "C": ("black", 0), "D": ("black", 1), "E": ("black", 2)}
TUPLETS = {"2": ("black", 0, "3"), "3": ("black", 1, "3"), "5": ("black", 0, "6"), "6": ("black", 1, "6")}
RESTS = {"F": "whole", "G": "half", "H": "quarter", "I": "eighth", "J": "sixteenth"}
TUPLET_RESTS = {"\\": ("quarter", "3"), "]": ("eighth", "3"), "_": ("quarter", "6"), "`": ("eighth", "6")}


def build_glyphs():
    glyphs = {}
    for letter, (kind, flags) in NOTES.items():
        glyphs[letter] = note_glyph(kind, flags, False)
        # The stem-down form lies 16 code points on (the whole note has none but keeps its slot).
        glyphs[chr(ord(letter) + 16)] = note_glyph(kind, flags, kind != "whole")
    for digit, (kind, flags, mark) in TUPLETS.items():
        glyphs[digit] = note_glyph(kind, flags, False, mark)
        glyphs[chr(ord(digit) + 8)] = note_glyph(kind, flags, True, mark)
    for letter, kind in RESTS.items():
        glyphs[letter] = rest_glyph(kind)
    for code, (kind, mark) in TUPLET_RESTS.items():
        glyphs[code] = rest_glyph(kind, mark)
    glyphs["."] = dot_glyph(UP_HEAD_Y + 0.3 * S)
    glyphs[","] = dot_glyph(DOWN_HEAD_Y + 0.3 * S)
    glyphs["$"] = sharp_glyph(UP_HEAD_Y)
    glyphs["%"] = sharp_glyph(DOWN_HEAD_Y)
    glyphs["#"] = sharp_glyph(1.4 * S)
    glyphs["^"] = tie_glyph(TIE_UNDER_Y, under=True)
    glyphs["~"] = tie_glyph(TIE_OVER_Y, under=False)
    glyphs["\u30c8"] = clef_glyph()  # ト, the treble clef
    glyphs[" "] = space_glyph()
    return glyphs


def glyph_name(char):
    return "uni%04X" % ord(char)


def build_font(path):
    glyphs = build_glyphs()
    order = [".notdef"] + [glyph_name(c) for c in glyphs]
    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({ord(c): glyph_name(c) for c in glyphs})
    outlines = {".notdef": Glyph(500).fill(rect(50, 0, 450, 700)).hole(rect(100, 50, 400, 650)).draw()}
    metrics = {".notdef": (500, 50)}
    for c, g in glyphs.items():
        glyph = g.draw()
        outlines[glyph_name(c)] = glyph
        glyph.recalcBounds(None)
        metrics[glyph_name(c)] = (g.advance, getattr(glyph, "xMin", 0))
    fb.setupGlyf(outlines)
    fb.setupHorizontalMetrics(metrics)
    # Only rests reach below the baseline in a line of text.
    ascent, descent = 1250, 320
    fb.setupHorizontalHeader(ascent=ascent, descent=-descent)
    fb.setupNameTable({"familyName": "Sarvo", "styleName": "Regular", "version": "Version 1.6"})
    fb.setupOS2(
        sTypoAscender=ascent, sTypoDescender=-descent, sTypoLineGap=0,
        usWinAscent=ascent, usWinDescent=descent, achVendID="SRVO",
    )
    fb.setupPost()
    # A fixed date keeps the generated file the same from build to build.
    fb.font["head"].created = fb.font["head"].modified = timestampFromString("Sat Jan  1 00:00:00 2000")
    fb.save(path)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: makenotefont.py OUTPUT.ttf")
    build_font(sys.argv[1])
