#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes grid.txt and expected_report.txt of the single-bump case by hand
rules, not by the program: a 4 x 4 grid, spacing 1 both ways, elevation 0
except node (2, 2) = 1, default coefficients (Betta/Gamma 3/6 along rows,
6/12 along columns). The worked numbers along column 2 (and row 2) are
  DGrad = 100, -200, 100, 0   DCurv = -200, 0, 200, -100
  SoilLossCol = 1800, 1200, -3000, 1200   SoilLossRow = 900, 600, -1500, 600
and every other node is 0. Fields start at the first 14-character zone that
leaves a blank after the previous field. Run it in this folder to regenerate.
"""

D_GRAD = [100, -200, 100, 0]
D_CURV = [-200, 0, 200, -100]


def loss(betta, gamma):
    return [-(betta * g + gamma * k) for g, k in zip(D_GRAD, D_CURV)]


LOSS_COL = loss(6, 12)  # along column 2
LOSS_ROW = loss(3, 6)   # along row 2
assert LOSS_COL == [1800, 1200, -3000, 1200] and LOSS_ROW == [900, 600, -1500, 600]


def zones(*fields):
    line = fields[0]
    for f in fields[1:]:
        line = line.ljust((len(line) // 14 + 1) * 14) + f
    return line


def fixed(value, decimals):
    text = "%.*f" % (decimals, value)  # all values here are exact in binary
    return text[1:] if text.startswith("-") and float(text) == 0 else text


def main():
    with open("grid.txt", "w", newline="") as f:
        for r in range(1, 5):
            for c in range(1, 5):
                f.write("%d,%d,%s\r\n" % (500 + 10 * c, 900 + 10 * r, "1" if (r, c) == (2, 2) else "0"))
        f.write("\r\n")  # a final empty line is skipped
    lines = ["", "NIBAL", "", "DATE", "", "-" * 76, "", "Grid Information:",
             zones("   4    Rows ", " Row   Spacing = 1"),
             zones("   4  Columns", "Column Spacing = 1"),
             "   Totally, there are  16  Nodes(Points) in the Grid", "",
             "Tillage Erosion Model:",
             "   Soil Loss = (Betta * Delta SlopeGradient + Gamma * Delta Slope Curvature)/Delta Distance", "",
             "Model Parameters:",
             zones("    Row   Direction Parameters:", "Betta_R = 3.00", "Gamma_R = 6.00"),
             zones("   Column Direction Parameters:", "Betta_C = 6.00", "Gamma_C = 12.00"), "",
             "-" * 104, "", "",
             zones(" Row", "Col", "Easting", "Northing", "Elev", "DGradCol", "DCurvCol", "DGradRow", "DCurvRow",
                   "SoilLossCol", "SoilLossRow", "SoilLossSum")]
    for r in range(1, 5):
        for c in range(1, 5):
            gc = D_GRAD[r - 1] if c == 2 else 0
            kc = D_CURV[r - 1] if c == 2 else 0
            lc = LOSS_COL[r - 1] if c == 2 else 0
            gr = D_GRAD[c - 1] if r == 2 else 0
            kr = D_CURV[c - 1] if r == 2 else 0
            lr = LOSS_ROW[c - 1] if r == 2 else 0
            lines.append(zones(" %d " % r, " %d " % c, fixed(500 + 10 * c, 2), fixed(900 + 10 * r, 2),
                               fixed(1 if (r, c) == (2, 2) else 0, 3),
                               *[fixed(v, 3) for v in (gc, kc, gr, kr, lc, lr, lc + lr)]))
    with open("expected_report.txt", "w", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))


if __name__ == "__main__":
    main()
