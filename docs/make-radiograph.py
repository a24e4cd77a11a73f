#!/usr/bin/env python3
"""Writes a synthetic radiograph-like 16-bit PGM (a forearm over a knee joint, in spirit):
soft tissue, two long bones with a brighter cortex meeting at a joint space, a film gradient
and quantum noise. Used for the viewer's screenshot; no real patient image is involved.

usage: make-radiograph.py OUT.pgm [WIDTH HEIGHT]
"""
import math
import random
import struct
import sys


def bone(x, y, cx, top, bottom, half_width):
    """Thickness of a long bone at (x, y): a cylinder with rounded ends, its cortex denser."""
    if y < top - half_width or y > bottom + half_width:
        return 0.0
    dy = 0.0 if top <= y <= bottom else min(abs(y - top), abs(y - bottom))
    # The ends widen into condyles.
    widen = 1.0 + 0.45 * math.exp(-((y - top) / (half_width * 1.2)) ** 2) \
        + 0.45 * math.exp(-((y - bottom) / (half_width * 1.2)) ** 2)
    r = half_width * widen
    d2 = ((x - cx) / r) ** 2 + (dy / half_width) ** 2
    if d2 >= 1.0:
        return 0.0
    chord = math.sqrt(1.0 - d2)
    marrow = math.sqrt(max(0.0, 0.55 ** 2 - d2)) if d2 < 0.55 ** 2 else 0.0
    return chord - 0.6 * marrow


def main():
    out = sys.argv[1]
    width = int(sys.argv[2]) if len(sys.argv) > 2 else 480
    height = int(sys.argv[3]) if len(sys.argv) > 3 else 360
    random.seed(7)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            u = (x - width * 0.5) / (width * 0.30)
            tissue = max(0.0, 1.0 - u * u) ** 0.5
            upper = bone(x, y, width * 0.50, -40, height * 0.36, width * 0.075)
            lower = bone(x, y, width * 0.51, height * 0.66, height + 40, width * 0.07)
            fibula = bone(x, y, width * 0.67, height * 0.72, height + 40, width * 0.028)
            attenuation = 0.9 * tissue + 2.4 * (upper + lower) + 1.8 * fibula
            heel = 1.0 - 0.18 * y / height
            value = 2500 + 14000 * attenuation * heel + random.gauss(0, 380)
            row.append(max(0, min(65535, int(value))))
        rows.append(row)
    with open(out, "wb") as f:
        f.write(b"P5\n# synthetic radiograph\n%d %d\n65535\n" % (width, height))
        for row in rows:
            f.write(struct.pack(">%dH" % width, *row))


if __name__ == "__main__":
    main()
