#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Python module's NIBAL call against the core's in-process run.

Usage: PYTHONPATH=<build>/python /usr/bin/python3 bench/python_nibal_bench.py \
           <build>/bench/nibal_array_bench

Targets: a 10,000 x 10,000 float32 array within 1.1 x the core's run (the
in-process C++ benchmark on the same field, same threads), with peak memory at
most the input plus the three output arrays plus 10 %; a 100 x 100 call under
1 ms. Prints one table row per case; the median of the repeats is taken.
"""
import json
import resource
import statistics
import subprocess
import sys
import time

import numpy as np

import sodwright


def field(side):
    """Made a block of rows at a time, so that the peak before the run is the
    array and not its temporaries."""
    z = np.empty((side, side), dtype=np.float32)
    c = np.cos(0.013 * np.arange(side, dtype=np.float64))[None, :]
    for r0 in range(0, side, 256):
        r = np.arange(r0, min(side, r0 + 256), dtype=np.float64)[:, None]
        z[r0:r0 + r.shape[0]] = 100.0 + 3.0 * np.sin(0.01 * r) * c
    return z


def median_ms(dem, repeats):
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        sodwright.nibal(dem, 2.0, 2.0)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def core_ms(program):
    out = subprocess.run([program, "--benchmark_format=json", "--benchmark_repetitions=3",
                          "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    runs = json.loads(out)["benchmarks"]
    return {tuple(b["run_name"].split("/")[:2]): b["real_time"] for b in runs
            if b.get("aggregate_name") == "median"}


def peak_mb():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024


def main():
    core = core_ms(sys.argv[1])
    # The core's run with fresh bands does the module's work; with reused
    # bands it is the floor of a caller that keeps its buffers.
    print("| case | module (ms) | core, fresh bands (ms) | ratio | core, reused bands (ms) | target |")
    print("|---|---|---|---|---|---|")
    small = field(100)
    median_ms(small, 50)  # warm
    ms = median_ms(small, 1000)
    fresh, reused = core[("NibalArrayFreshBands", "100")], core[("NibalArray", "100")]
    print(f"| 100 x 100 float32 | {ms:.3f} | {fresh:.3f} | {ms / fresh:.2f} | {reused:.3f} | < 1 ms |")
    big = field(10000)
    before = peak_mb()
    ms = median_ms(big, 3)
    grown = peak_mb() - before
    bands_mb = 3 * big.size * 8 / 2**20
    input_mb = big.nbytes / 2**20
    fresh, reused = core[("NibalArrayFreshBands", "10000")], core[("NibalArray", "10000")]
    print(f"| 10,000 x 10,000 float32 | {ms:.0f} | {fresh:.0f} | {ms / fresh:.2f} | {reused:.0f} | "
          f"<= 1.1 x core |")
    # The input is held before the run; what the run adds is the three bands
    # (float64) and its strips.
    print(f"| peak memory: input + what the run adds | {input_mb + grown:.0f} MB | input + bands "
          f"{input_mb + bands_mb:.0f} MB | {(input_mb + grown) / (input_mb + bands_mb):.3f} | | "
          f"<= 1.1 |")


if __name__ == "__main__":
    main()
