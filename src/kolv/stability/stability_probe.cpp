// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/stability/stability_probe.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "kolv/engine/run_preconditions.h"
#include "kolv/engine/translocation.h"
#include "kolv/state/column_view.h"

namespace sodwright::kolv {

namespace {

// The probe's layer notes are not the user's: they would repeat the run's.
class SilentMessages : public platform::MessageService {
 public:
  platform::MessageAnswer show(const std::string&, const std::string&, platform::MessageButtons,
                               platform::MessageIcon, const std::string&) override {
    return platform::MessageAnswer::Ok;
  }
};

// Size of the perturbation (m): far below any measured unevenness, far above
// the rounding of elevations of a few hundred metres.
constexpr double kPerturbation = 1e-6;
constexpr double kPi = 3.141592653589793;

template <class T>
void copyColumns(const NodeSeqArray<T>& from, NodeSeqArray<T>& to, int first, int last) {
  to.allocate(from.nodeLower(), from.nodeUpper(), first, last);
  const std::size_t nodes = static_cast<std::size_t>(from.nodeUpper() - from.nodeLower() + 1);
  std::copy(from.column(first), from.column(first) + nodes, to.column(first));
}

// A state holding the starting column of `from` and room for `passes` passes.
KolvState probeState(const KolvState& from, int passes) {
  KolvState probe;
  probe.params = from.params;
  probe.imported = true;
  const int first = from.params.StartSeq;
  const int last = first + passes;
  const TransectData& t = from.data;
  copyColumns(t.Elev, probe.data.Elev, first, last);
  copyColumns(t.PL1, probe.data.PL1, first, last);
  copyColumns(t.PL2, probe.data.PL2, first, last);
  copyColumns(t.DepthL1, probe.data.DepthL1, first, last);
  copyColumns(t.DepthL2, probe.data.DepthL2, first, last);
  copyColumns(t.MassL1, probe.data.MassL1, first, last);
  copyColumns(t.MassL2, probe.data.MassL2, first, last);
  copyColumns(t.MassL12, probe.data.MassL12, first, last);
  probe.data.PL3 = t.PL3;
  return probe;
}

double rms(const std::vector<double>& v, int offset, int lo, int hi) {
  double sum = 0;
  for (int i = lo; i <= hi; ++i)
    sum += v[static_cast<std::size_t>(i - offset)] * v[static_cast<std::size_t>(i - offset)];
  return std::sqrt(sum / (hi - lo + 1));
}

// One pass of the engine from `surface` in the given direction; the new column.
std::vector<double> passFrom(KolvState& probe, const std::vector<double>& surface,
                             const KolvState& original, bool backward,
                             platform::MessageService& messages, bool& ok) {
  const int s = original.params.StartSeq;
  probe.params = original.params;
  probe.params.LastSeq = probe.params.StartSeq;
  probe.params.DirectionSign = static_cast<Int16>(backward ? -1 : 1);
  std::copy(surface.begin(), surface.end(), probe.data.Elev.column(s));
  ok = runTranslocation(probe, messages).ok();
  const double* next = probe.data.Elev.column(s + 1);
  return std::vector<double>(next, next + surface.size());
}

}  // namespace

MeasuredGrowth measureGrowth(const KolvState& state, double wavelength, int passes) {
  MeasuredGrowth result;
  const TranslocationParameters& p = state.params;
  const int n = p.NodeCount;
  const int s0 = p.StartSeq;
  // A run the engine would refuse is not measured either.
  if (!state.imported || passes < 1 || !checkRunPreconditions(state)) return result;
  const int span =
      static_cast<float>(2.0 * p.Interval) < p.ScScale
          ? static_cast<int>(std::floor(p.ScScale / static_cast<double>(p.Interval) / 2))
          : 0;
  const int lo = 2 * s0 + p.DistrNodes + span + 2;
  const int hi = n - 1 - lo;
  if (hi - lo < 8) return result;

  KolvState probe = probeState(state, 1);
  const NodeSeqArray<double>& elev = state.data.Elev;
  const int offset = elev.nodeLower();
  const std::size_t nodes = static_cast<std::size_t>(elev.nodeUpper() - offset + 1);
  const std::vector<double> start(elev.column(s0), elev.column(s0) + nodes);
  SilentMessages silent;
  // The unperturbed pass in each direction the run takes.
  const bool alternating = p.TillDirection == kAlternative;
  const bool firstBackward = p.DirectionSign == -1;
  bool ok = true;
  const std::vector<double> baseFirst = passFrom(probe, start, state, firstBackward, silent, ok);
  const std::vector<double> baseSecond =
      alternating ? passFrom(probe, start, state, !firstBackward, silent, ok) : baseFirst;
  if (!ok) return result;

  std::vector<double> delta(nodes, 0.0);
  std::uint32_t seed = 12345u;
  for (int i = 0; i < n; ++i) {
    seed = seed * 1664525u + 1013904223u;
    delta[static_cast<std::size_t>(i - offset)] =
        wavelength > 0 ? std::cos(2 * kPi * i / wavelength) : ((seed >> 31) ? 1.0 : -1.0);
  }
  double size = rms(delta, offset, lo, hi);
  if (!(size > 0)) return result;
  std::vector<double> surface(nodes);
  for (int j = 0; j < passes; ++j) {
    const bool second = alternating && j % 2 == 1;
    for (std::size_t i = 0; i < nodes; ++i)
      surface[i] = start[i] + delta[i] * (kPerturbation / size);
    const std::vector<double> next =
        passFrom(probe, surface, state, second != firstBackward, silent, ok);
    if (!ok) return result;
    const std::vector<double>& base = second ? baseSecond : baseFirst;
    for (std::size_t i = 0; i < nodes; ++i) delta[i] = (next[i] - base[i]) / kPerturbation;
    const double grown = rms(delta, offset, lo, hi);
    if (!(grown > 0) || !std::isfinite(grown)) return result;
    result.ratios.push_back(grown);
    size = grown;
  }
  const std::size_t k = result.ratios.size();
  result.perPass =
      k >= 2 ? std::sqrt(result.ratios[k - 1] * result.ratios[k - 2]) : result.ratios[0];
  result.measured = true;
  return result;
}

}  // namespace sodwright::kolv
