// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_model.h"

#include <cmath>
#include <utility>

#include "base/number_text.h"
#include "nibal/grid_messages.h"

namespace sodwright::nibal {

std::vector<std::string_view> readGridParameters(GridInfo& info, const GridParameterTexts& texts) {
  info.BettaCol = base::parseLeadingNumber(texts.BettaCol);
  info.BettaRow = base::parseLeadingNumber(texts.BettaRow);
  info.GammaCol = base::parseLeadingNumber(texts.GammaCol);
  info.GammaRow = base::parseLeadingNumber(texts.GammaRow);
  return missingParameterNotes(info);
}

std::vector<std::string_view> missingParameterNotes(GridInfo& info) {
  std::vector<std::string_view> notes;
  const auto check = [&notes](double& value, std::string_view note) {
    if (value == 0.0) {
      value = 0.0;  // a -0 typed in is missing as well, and reported as 0.00
      notes.push_back(note);
    }
  };
  check(info.BettaCol, kBettaColMissing);
  check(info.BettaRow, kBettaRowMissing);
  check(info.GammaRow, kGammaRowMissing);
  check(info.GammaCol, kGammaColMissing);
  return notes;
}

bool allParametersMissing(const GridInfo& info) {
  return info.BettaCol == 0.0 && info.BettaRow == 0.0 && info.GammaRow == 0.0 &&
         info.GammaCol == 0.0;
}

void computeGridLines(const GridLines& lines, double spacing, double betta, double gamma) {
  const std::ptrdiff_t step = lines.step;
  const std::ptrdiff_t lanes = lines.laneCount;
  const int n = lines.nodeCount;
  if (n <= 0 || lanes <= 0) return;
  const double* z = lines.elevation;
  double* dGrad = lines.deltaGradient;
  double* dCurv = lines.deltaCurvature;
  // Percent gradient of the segment from node i to node i + 1; level ground
  // beyond both ends.
  const auto gradient = [&](int i, std::ptrdiff_t k) {
    if (i < 0 || i + 1 >= n) return 0.0;
    return 100.0 * (z[(i + 1) * step + k] - z[i * step + k]) / spacing;
  };

  for (int i = 0; i < n; ++i) {
    const std::ptrdiff_t at = i * step;
    for (std::ptrdiff_t k = 0; k < lanes; ++k) dGrad[at + k] = gradient(i, k) - gradient(i - 1, k);
  }

  // Delta curvature from the neighbours' delta gradients, divided by d (not 2d).
  for (int i = 0; i < n; ++i) {
    const std::ptrdiff_t at = i * step;
    for (std::ptrdiff_t k = 0; k < lanes; ++k) {
      if (n == 1)
        dCurv[at + k] = 0.0;
      else if (i == 0)
        dCurv[at + k] = dGrad[at + step + k] / spacing;
      else if (i == n - 1)
        dCurv[at + k] = -dGrad[at - step + k] / spacing;
      else
        dCurv[at + k] = dGrad[at + step + k] / spacing - dGrad[at - step + k] / spacing;
    }
  }

  for (int i = 0; i < n; ++i) {
    const std::ptrdiff_t at = i * step;
    for (std::ptrdiff_t k = 0; k < lanes; ++k)
      lines.soilLoss[at + k] = -(betta * dGrad[at + k] + gamma * dCurv[at + k]) / spacing;
  }
}

void clearGridResults(GridState& state) {
  state.results.allocate(state.GridElevation.rows(), state.GridElevation.columns());
}

namespace {

// The result grids must match the elevation grid before a direction is walked.
bool readyToWalk(GridState& state) {
  if (state.GridElevation.empty()) return false;
  const GridArray<double>& sum = state.results.SoilLossSum;
  if (sum.rows() != state.GridElevation.rows() || sum.columns() != state.GridElevation.columns())
    clearGridResults(state);
  return true;
}

}  // namespace

void computeColumnDirection(GridState& state) {
  if (!readyToWalk(state)) return;
  const GridArray<double>& z = state.GridElevation;
  GridResults& out = state.results;
  const double spacing = base::parseLeadingNumber(state.info.ColumnSpacing);
  const auto step = static_cast<std::ptrdiff_t>(z.stride());
  computeGridLines({&z(1, 1), &out.DGradCol(1, 1), &out.DCurvCol(1, 1), &out.SoilLossCol(1, 1),
                    step, z.columns(), z.rows()},
                   spacing, state.info.BettaCol, state.info.GammaCol);
}

void computeRowDirection(GridState& state) {
  if (!readyToWalk(state)) return;
  const GridArray<double>& z = state.GridElevation;
  GridResults& out = state.results;
  const double spacing = base::parseLeadingNumber(state.info.RowSpacing);
  for (int r = 1; r <= z.rows(); ++r) {
    computeGridLines({&z(r, 1), &out.DGradRow(r, 1), &out.DCurvRow(r, 1), &out.SoilLossRow(r, 1), 1,
                      1, z.columns()},
                     spacing, state.info.BettaRow, state.info.GammaRow);
  }
}

void computeSoilLossSum(GridState& state) {
  GridResults& out = state.results;
  for (int r = 1; r <= out.SoilLossSum.rows(); ++r)
    for (int c = 1; c <= out.SoilLossSum.columns(); ++c)
      out.SoilLossSum(r, c) = out.SoilLossCol(r, c) + out.SoilLossRow(r, c);
}

std::optional<GridNodeFault> firstNonFiniteResult(const GridState& state) {
  const GridResults& out = state.results;
  const std::pair<const char*, const GridArray<double>*> grids[] = {
      {"DGradCol", &out.DGradCol},       {"DCurvCol", &out.DCurvCol},
      {"DGradRow", &out.DGradRow},       {"DCurvRow", &out.DCurvRow},
      {"SoilLossCol", &out.SoilLossCol}, {"SoilLossRow", &out.SoilLossRow},
      {"SoilLossSum", &out.SoilLossSum}};
  const GridArray<double>& sum = out.SoilLossSum;
  for (int r = 1; r <= sum.rows(); ++r)
    for (int c = 1; c <= sum.columns(); ++c)
      for (const auto& [name, grid] : grids)
        if (r <= grid->rows() && c <= grid->columns() && !std::isfinite((*grid)(r, c)))
          return GridNodeFault{name, r, c};
  return std::nullopt;
}

std::string nonFiniteRunMessage(const GridNodeFault& fault) {
  return std::string(kOutputFailed) + "\nThe result " + fault.grid + " at row " +
         std::to_string(fault.row) + ", column " + std::to_string(fault.column) +
         " is not a finite number (Infinity or NaN).";
}

}  // namespace sodwright::nibal
