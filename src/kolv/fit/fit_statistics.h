// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The statistics of a least-squares fit at its optimum: the covariance
// s^2 (J^T J)^-1 from the Jacobian J of the residuals, with s^2 = SSR / (n - p),
// and the Student t quantile for 95 % intervals.

#include <vector>

namespace sodwright::kolv {

// The two-sided 95 % quantile of Student's t with `dof` degrees of freedom
// (the 0.975 quantile), by the Cornish-Fisher expansion about the normal
// quantile 1.959964: within 4e-3 of the exact value at 3 degrees of freedom,
// 3e-4 at 5, 1e-5 at 10 and 1e-6 from 20 on.
double studentT975(int dof);

// The Jacobian's columns, one per parameter, each of n residual slopes.
using JacobianColumns = std::vector<std::vector<double>>;

struct CovarianceEstimate {
  // Covariance of the determined parameters (others' rows and columns 0).
  std::vector<std::vector<double>> covariance;
  // False for a parameter with no influence on the residuals or one that is
  // (near) linearly dependent on the others: the data cannot determine it.
  std::vector<bool> determined;
};

// The covariance s2 (J^T J)^-1 over the determined parameters. Parameters
// are dropped one at a time, the one that makes J^T J (scaled to unit
// diagonal) singular first.
CovarianceEstimate covarianceFromJacobian(const JacobianColumns& columns, double s2);

// Correlations from a covariance; 0 where a variance is 0.
std::vector<std::vector<double>> correlationOf(const std::vector<std::vector<double>>& covariance);

}  // namespace sodwright::kolv
