// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_check.h"

#include <algorithm>
#include <cmath>

#include "kolv/state/column_view.h"

namespace sodwright::kolv {

namespace {

double shortWaveOf(const ColumnView<const double>& e, int lo, int hi) {
  double sum = 0;
  for (int i = lo; i <= hi; ++i) {
    const double second = e[i - 1] - 2 * e[i] + e[i + 1];
    sum += second * second;
  }
  return std::sqrt(sum / (hi - lo + 1));
}

}  // namespace

RunStabilityCheck checkRunStability(const KolvState& state) {
  RunStabilityCheck check;
  const TranslocationParameters& p = state.params;
  const NodeSeqArray<double>& elev = state.data.Elev;
  const int n = p.NodeCount;
  const int first = p.StartSeq, lastColumn = p.LastSeq + 1;
  if (!state.simulated || p.LastSeq < p.StartSeq || !elev.contains(0, first) ||
      !elev.contains(0, lastColumn)) {
    return check;
  }
  const int lo = std::max(1, 2 * p.LastSeq + p.DistrNodes + 1);
  const int hi = n - 1 - lo;
  if (hi < lo) return check;
  for (int c = first; c <= lastColumn; ++c)
    check.shortWave.push_back(shortWaveOf(columnOf(elev, c), lo, hi));
  const double start = check.shortWave.front();
  check.bound = kShortWaveBoundFactor * std::max(start, kShortWaveFloor * p.TillDepth);
  for (std::size_t j = 0; j < check.shortWave.size(); ++j) {
    if (!(check.shortWave[j] <= check.bound)) {
      check.firstUnstableSequence = first + static_cast<int>(j);
      break;
    }
  }
  const double passes = static_cast<double>(check.shortWave.size() - 1);
  if (start > 0) check.growthPerPass = std::pow(check.shortWave.back() / start, 1 / passes);
  check.measured = true;
  return check;
}

}  // namespace sodwright::kolv
