#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes small-field-grid.txt: a made-up 30 x 40 node elevation grid for NIBAL.

A 145 m by 195 m field at 5 m spacing that falls gently to the south and the
east (about 3 %), with a rounded knoll in the north-west, where tillage
strips the soil, and a hollow in the south-east, where it collects.

Run:  python3 examples/make_small_field_grid.py
One node per line, rows outer (north to south) and columns inner (west to
east): easting, northing and elevation in metres, separated by a tab, CR LF
line ends. Import it with Rows 30, Columns 40, Row Spacing 5, Column
Spacing 5 and the tab delimiter.
"""
import math

from example_paths import output_path

ROWS, COLUMNS = 30, 40
SPACING = 5.0                   # m, along a row and along a column alike
EAST0, NORTH0 = 512000.0, 4801000.0


def elevation(x, y):
    """x east and y south of the north-west corner, in metres."""
    plane = 245.0 - 0.02 * x - 0.025 * y
    knoll = 1.8 * math.exp(-((x - 50.0) ** 2 + (y - 45.0) ** 2) / (2 * 22.0 ** 2))
    hollow = -1.2 * math.exp(-((x - 150.0) ** 2 + (y - 110.0) ** 2) / (2 * 28.0 ** 2))
    swell = 0.15 * math.sin(x / 17.0) * math.cos(y / 23.0)
    return plane + knoll + hollow + swell


def main():
    lines = []
    for r in range(ROWS):
        for c in range(COLUMNS):
            x, y = c * SPACING, r * SPACING
            lines.append(f"{EAST0 + x:.2f}\t{NORTH0 - y:.2f}\t{elevation(x, y):.3f}")
    path = output_path("small-field-grid.txt")
    with open(path, "w", newline="") as out:
        out.write("\r\n".join(lines) + "\r\n")


if __name__ == "__main__":
    main()
