#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the transect of the whole-study benchmark: 32,000 points 0.5 m apart
with a distribution distance of 25 m (D = 50), the same gentle hillslope waves,
layers and substance as kolv_bench_state.h, in the import layout (tab between
fields, CR LF line ends).

Run:  python3 bench/make_study_transect.py OUT [POINTS]
Then the study as the benchmark times it:
  sodwright-batch kolv OUT --sequences 50 --direction alternative --sc-scale 2 \\
      --input-frequency 5 --input-amount 0.1 --decay1 1 --date 12/8/2026 \\
      --report REPORT --last-sequence LAST
"""
import math
import sys

INTERVAL = 0.5        # m
DISTRIBUTION = 25.0   # m
BULK = (1300, 1350, 1450)  # kg/m3, layers 1..3


def mask(value, decimals):
    """At least one integer digit, exact decimals, no minus on a zero."""
    text = f"{value:.{decimals}f}"
    return text[1:] if text.startswith("-") and float(text) == 0 else text


def main():
    out = sys.argv[1]
    points = int(sys.argv[2]) if len(sys.argv) > 2 else 32000
    rows = []
    for i in range(points):
        x = i * INTERVAL
        elev = 150 - 0.02 * x + 3 * math.sin(x / 90) + 0.4 * math.sin(x / 6.5)
        depth1 = 0.2 + 0.03 * math.sin(x / 11)
        depth2 = 0.06 + 0.04 * math.cos(x / 17)
        p1 = 20 + 4 * math.sin(x / 23)
        rows.append("\t".join([mask(p1, 6), mask(12, 6), mask(2, 6), mask(depth1, 4),
                               mask(depth2, 4), mask(elev, 6)]))
    header = [
        f"Sequence=\t0\tDataPoints:\t {points} ",
        f"DistributionDistance=\t {DISTRIBUTION:g} \tm\tInterval =\t .5 \tm",
        "Lamda=\t .3 \t+\t .003 \t*SG+\t .02 \t*SC",
        "Tillage_Depth =\t .2 \tm",
        f"BD1 =\t {BULK[0]} \tkg / m3\tBD2 =\t {BULK[1]} \tkg / m3\tBD3 =\t {BULK[2]} \tkg / m3",
        "",
        "P1_0\tP2_0\tP3_0\tL1_0\tL2_0\t Z 0",
        "mg/kg\tmg/kg\tmg/kg\t m \t m \t m ",
    ]
    with open(out, "w", newline="") as f:
        f.write("\r\n".join(header + rows) + "\r\n")


if __name__ == "__main__":
    main()
