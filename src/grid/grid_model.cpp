#include "grid/grid_model.h"

#include <cmath>

#include "grid/grid_messages.h"
#include "shell/number_text.h"

namespace sodwright::nibal {

std::vector<std::string_view> readGridParameters(GridInfo& info, const GridParameterTexts& texts) {
  info.BettaCol = shell::parseLeadingNumber(texts.BettaCol);
  info.BettaRow = shell::parseLeadingNumber(texts.BettaRow);
  info.GammaCol = shell::parseLeadingNumber(texts.GammaCol);
  info.GammaRow = shell::parseLeadingNumber(texts.GammaRow);
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
  return info.BettaCol == 0.0 && info.BettaRow == 0.0 && info.GammaRow == 0.0 && info.GammaCol == 0.0;
}

void computeGridLine(const GridLine& line, double spacing, double betta, double gamma) {
  const std::ptrdiff_t s = line.stride;
  const int n = line.nodeCount;
  if (n <= 0) return;
  const double* z = line.elevation;
  double* dGrad = line.deltaGradient;
  double* dCurv = line.deltaCurvature;

  // Delta gradient: the percent gradient of the segment after a node less the
  // one before it, with level ground beyond both ends.
  double previousGradient = 0.0;
  for (int i = 0; i + 1 < n; ++i) {
    const double gradient = 100.0 * (z[(i + 1) * s] - z[i * s]) / spacing;
    dGrad[i * s] = gradient - previousGradient;
    previousGradient = gradient;
  }
  dGrad[(n - 1) * s] = -previousGradient;

  // Delta curvature from the neighbours' delta gradients, divided by d (not 2d).
  if (n == 1) {
    dCurv[0] = 0.0;
  } else {
    dCurv[0] = dGrad[s] / spacing;
    for (int i = 1; i + 1 < n; ++i) dCurv[i * s] = dGrad[(i + 1) * s] / spacing - dGrad[(i - 1) * s] / spacing;
    dCurv[(n - 1) * s] = -dGrad[(n - 2) * s] / spacing;
  }

  for (int i = 0; i < n; ++i)
    line.soilLoss[i * s] = -(betta * dGrad[i * s] + gamma * dCurv[i * s]) / spacing;
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

void ComputeColumnDirection(GridState& state) {
  if (!readyToWalk(state)) return;
  const GridArray<double>& z = state.GridElevation;
  GridResults& out = state.results;
  const double spacing = shell::parseLeadingNumber(state.info.ColumnSpacing);
  const auto stride = static_cast<std::ptrdiff_t>(z.stride());
  for (int c = 1; c <= z.columns(); ++c) {
    computeGridLine({&z(1, c), &out.DGradCol(1, c), &out.DCurvCol(1, c), &out.SoilLossCol(1, c), stride, z.rows()},
                    spacing, state.info.BettaCol, state.info.GammaCol);
  }
}

void ComputeRowDirection(GridState& state) {
  if (!readyToWalk(state)) return;
  const GridArray<double>& z = state.GridElevation;
  GridResults& out = state.results;
  const double spacing = shell::parseLeadingNumber(state.info.RowSpacing);
  for (int r = 1; r <= z.rows(); ++r) {
    computeGridLine({&z(r, 1), &out.DGradRow(r, 1), &out.DCurvRow(r, 1), &out.SoilLossRow(r, 1), 1, z.columns()},
                    spacing, state.info.BettaRow, state.info.GammaRow);
  }
}

void computeSoilLossSum(GridState& state) {
  GridResults& out = state.results;
  for (int r = 1; r <= out.SoilLossSum.rows(); ++r)
    for (int c = 1; c <= out.SoilLossSum.columns(); ++c)
      out.SoilLossSum(r, c) = out.SoilLossCol(r, c) + out.SoilLossRow(r, c);
}

bool gridResultsFinite(const GridState& state) {
  const GridResults& out = state.results;
  for (const GridArray<double>* grid : {&out.DGradCol, &out.DCurvCol, &out.DGradRow, &out.DCurvRow, &out.SoilLossCol,
                                        &out.SoilLossRow, &out.SoilLossSum})
    for (int r = 1; r <= grid->rows(); ++r)
      for (int c = 1; c <= grid->columns(); ++c)
        if (!std::isfinite((*grid)(r, c))) return false;
  return true;
}

}  // namespace sodwright::nibal
