// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The terms of the linearised KOLV pass the stability estimate is built of
// and the amplification of one pass they make up (stability_estimate.h
// derives it).

#include <complex>
#include <cstddef>
#include <vector>

#include "kolv/stability/stability_model.h"

namespace sodwright::kolv {

// Slope of the soft limits at the raw distance (1 between the bends).
double softLimitSlope(double raw, double dx);

// g_k = dF_k / dL for k = 0 .. D-1 (the shares a pass delivers), trailing
// shares too small to matter left off.
std::vector<double> shareDerivatives(double length, double dx, int d);

// sum_k g_k exp(-i k theta)
std::complex<double> deliveredResponse(const std::vector<double>& g, double theta);

// The two parts of lambda(theta): per unit of Beta and the curvature part.
std::complex<double> gradientPart(const StabilityModel& m, double theta);
double curvaturePart(const StabilityModel& m, double theta);

// Waves between 0 and pi worked out for shares reaching `reach` nodes.
int waveCount(const StabilityModel& m, std::size_t reach);

// Largest t >= 0 with |a + t z| <= limit (infinity when z is 0; 0 when |a| > limit).
double largestStableStep(std::complex<double> a, std::complex<double> z, double limit);
// The same for an `a` already known to have |a| <= limit.
double stableStepWithin(std::complex<double> a, std::complex<double> z, double limit);

// The nodes a wave's amplification is averaged over.
std::size_t packetNodes(double theta);

// The amplification A(theta) of one pass at a node whose raw distance is `rawDistance`.
std::complex<double> passAmplification(const StabilityModel& m, double rawDistance, double theta);

}  // namespace sodwright::kolv
