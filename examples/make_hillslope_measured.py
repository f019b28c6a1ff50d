#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes hillslope-measured-after-10.txt: the example transect as if it had
been surveyed again after ten tillage operations, for fitting the KOLV
coefficients (the guide's "Fitting to measurements").

The true coefficients are Alpha 0.35 m and Betta 0.004 m/% (SC Scale 0, so
Gamma plays no part); the header of hillslope-transect.txt says 0.3 and
0.003, and the fit has to move away from them. sodwright-batch kolv simulates
the ten sequences; then Gaussian noise of standard deviation 2 mm (the
survey's error) is added to every elevation, from a fixed seed. The other
columns are left as simulated, and the coefficient line of the header is
INPUT's, so that the file does not give the answer away.

Run from the source tree:
    python3 examples/make_hillslope_measured.py [path/to/sodwright-batch]
or, installed, from a folder you may write (the file is written there):
    python3 /usr/share/doc/sodwright/examples/make_hillslope_measured.py
"""
import math
import os
import random
import subprocess
import sys
import tempfile

from example_paths import data_path, output_path

ALPHA, BETA = 0.35, 0.004
SEQUENCES = 10
NOISE_M = 0.002
SEED = 20261209


def main():
    transect = data_path("hillslope-transect.txt")
    batch = sys.argv[1] if len(sys.argv) > 1 else "sodwright-batch"
    with tempfile.TemporaryDirectory() as work:
        simulated = os.path.join(work, "after.txt")
        subprocess.run([batch, "kolv", transect,
                        "--sequences", str(SEQUENCES), "--alpha", str(ALPHA), "--beta", str(BETA),
                        "--last-sequence", simulated], check=True)
        with open(simulated, "rb") as f:
            lines = f.read().decode("latin-1").split("\r\n")
        with open(transect, "rb") as f:
            lines[2] = f.read().decode("latin-1").split("\r\n")[2]
    rng = random.Random(SEED)
    points = int(lines[0].split("\t")[3])
    for i in range(8, 8 + points):
        fields = lines[i].split("\t")
        # Box-Muller from the seeded uniform numbers.
        u1, u2 = 1.0 - rng.random(), rng.random()
        noise = NOISE_M * math.sqrt(-2.0 * math.log(u1)) * math.cos(2.0 * math.pi * u2)
        fields[5] = f"{float(fields[5]) + noise:.6f}"
        lines[i] = "\t".join(fields)
    path = output_path("hillslope-measured-after-10.txt")
    with open(path, "wb") as f:
        f.write("\r\n".join(lines).encode("latin-1"))
    print("wrote " + path)


if __name__ == "__main__":
    main()
