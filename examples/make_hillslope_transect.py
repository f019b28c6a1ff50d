#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes hillslope-transect.txt: a made-up 300 m hillslope transect for KOLV.

The profile is a convex shoulder, a straight backslope and a concave
footslope (a tanh step of 16 m relief), with a small seeded roughness.
Layer 1 is the 0.2 m plough layer; layer 2 below it thins where the shoulder
has been eroded; the substance (mg per kg of soil) is richest in layer 1 and
highest on the footslope, where eroded topsoil has collected.

Run:  python3 examples/make_hillslope_transect.py
The output is stored at sequence 0 in the import layout (tab between fields,
CR LF line ends) and imports with the tab delimiter.
"""
import math
import random

from example_paths import output_path

POINTS = 300
INTERVAL = 1.0           # m
DISTRIBUTION = 5.0       # m
ALPHA, BETA, GAMMA = 0.3, 0.003, 0.02
TILL_DEPTH = 0.2         # m
BULK = (1350, 1450, 1500)  # kg/m3, layers 1..3


def mask(value, decimals):
    """At least one integer digit, exact decimals, no minus on a zero."""
    text = f"{value:.{decimals}f}"
    return text[1:] if text.startswith("-") and float(text) == 0 else text


def main():
    rng = random.Random(20261208)
    rows = []
    for i in range(POINTS):
        x = i * INTERVAL
        step = 1.0 + math.tanh((x - 150.0) / 45.0)          # 0 at the top, 2 at the foot
        elev = 116.0 - 8.0 * step + 0.01 * rng.uniform(-1, 1)
        slope = 8.0 / 45.0 * (1.0 - math.tanh((x - 150.0) / 45.0) ** 2)  # fall per metre
        shoulder = max(0.0, 1.0 - abs(x - 90.0) / 60.0)     # most eroded around 90 m
        foot = max(0.0, (x - 190.0) / 110.0)                  # deposition toward the foot
        depth1 = TILL_DEPTH + 0.005 * rng.uniform(-1, 1)
        depth2 = max(0.0, 0.08 - 0.06 * shoulder + 0.04 * foot + 0.005 * rng.uniform(-1, 1))
        p1 = 28.0 - 10.0 * shoulder + 9.0 * foot - 20.0 * slope + rng.uniform(-0.8, 0.8)
        p2 = 12.0 - 3.0 * shoulder + 4.0 * foot + rng.uniform(-0.5, 0.5)
        p3 = 2.5 + 0.6 * foot + rng.uniform(-0.2, 0.2)
        rows.append("\t".join([mask(p1, 6), mask(p2, 6), mask(p3, 6), mask(depth1, 4), mask(depth2, 4),
                               mask(elev, 6)]))
    header = [
        f"Sequence=\t0\tDataPoints:\t {POINTS} ",
        f"DistributionDistance=\t {DISTRIBUTION:g} \tm\tInterval =\t {INTERVAL:g} \tm",
        "Lamda=\t .3 \t+\t .003 \t*SG+\t .02 \t*SC",
        "Tillage_Depth =\t .2 \tm",
        f"BD1 =\t {BULK[0]} \tkg / m3\tBD2 =\t {BULK[1]} \tkg / m3\tBD3 =\t {BULK[2]} \tkg / m3",
        "",
        "P1_0\tP2_0\tP3_0\tL1_0\tL2_0\t Z 0",
        "mg/kg\tmg/kg\tmg/kg\t m \t m \t m ",
    ]
    path = output_path("hillslope-transect.txt")
    with open(path, "w", newline="") as out:
        out.write("\r\n".join(header + rows) + "\r\n")


if __name__ == "__main__":
    main()
