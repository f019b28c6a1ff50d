// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rank correlations of an ensemble's varied parameters with one of its
// summaries: Spearman's (each parameter alone) and the partial one, which
// takes out what the other varied parameters explain, so that two
// parameters drawn together do not lend each other their influence.

#include <vector>

namespace sodwright::kolv {

// Spearman's rank correlation (ties take their mean rank); NaN when either
// side holds one value only.
double rankCorrelation(const std::vector<double>& x, const std::vector<double>& y);

// The partial rank correlation of each of `parameters` (one vector of values
// per parameter, all as long as `output`) with `output`: every side is
// rank-transformed, the ranks of the other parameters are regressed out (by
// least squares, with an intercept) of both the parameter's ranks and the
// output's, and the two residuals are correlated. NaN for a parameter whose
// residual or whose output residual is left without spread (a constant, or
// one the others fix). A constant parameter explains nothing and is not
// regressed out of the others.
std::vector<double> partialRankCorrelations(const std::vector<std::vector<double>>& parameters,
                                            const std::vector<double>& output);

}  // namespace sodwright::kolv
