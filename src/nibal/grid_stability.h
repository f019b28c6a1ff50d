// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the yearly update amplifies, said before a run. Away from no-data
// and the grid's edge one step is z' = z - L(z) / (K rho), with L the soil
// loss of both directions: linear, with constant coefficients, on a stencil
// of two nodes either side along the line and the column. Its Fourier
// symbol L^(a, b) = sum of w(p, q) e^(i (p a + q b)) over the stencil's
// weights gives the amplification of each wave exactly,
// A = 1 - L^ / (K rho), and the step amplifies no wave when |A| <= 1 for
// every (a, b), that is when K >= |L^|^2 / (2 rho Re L^) wherever Re L^ > 0.
// The weights are read off the soil-loss computation itself (its answer to
// a single raised node), and the largest values over the waves are found on
// a fine grid of wave numbers refined around its best points.
//
// Betta acts as diffusion (Re L^ > 0); Gamma adds an imaginary, third-order
// part that an explicit step amplifies unless the step is small enough.
// With Betta 0 (or negative) and Gamma not, no step is small enough.

#include <optional>

#include "nibal/large_grid.h"

namespace sodwright::nibal {

struct StepStability {
  double largestAmplification = 1.0;  // max |A| over the waves for the asked passes
  bool amplifies = false;             // above 1 (beyond rounding)
  // The smallest passes per year with no wave amplified; empty when none does.
  std::optional<long long> smallestStablePasses;
};

StepStability stepStability(const GridCoefficients& k, double rowSpacing, double columnSpacing,
                            double bulkDensity, long long passesPerYear);

}  // namespace sodwright::nibal
