#include "transect/translocation_pass.h"

#include <algorithm>
#include <cmath>

#include "transect/column_view.h"
#include "transect/vector_clones.h"

namespace sodwright::kolv {

PassSettings MakePassSettings(const TranslocationParameters& p) {
  PassSettings s;
  s.nodeCount = p.NodeCount;
  s.distrNodes = p.DistrNodes;
  s.dx = p.Interval;
  const double weightSum = static_cast<double>(p.SgWeightBack) + p.SgWeightFront;
  s.weightFront = static_cast<float>(p.SgWeightFront / weightSum);
  s.weightBack = static_cast<float>(p.SgWeightBack / weightSum);
  // Curvature is measured only over a scale longer than two intervals.
  if (static_cast<float>(2 * s.dx) < p.ScScale) {
    s.curvatureSpan = std::max(1, static_cast<int>(std::floor(p.ScScale / s.dx / 2)));
  }
  s.distance = {p.Alpha, p.Beta, p.Gamma, s.dx};
  s.layers = {p.TillDepth, s.dx, p.BulkDensity3};
  return s;
}

PassWorkspace::PassWorkspace(int nodeCount, int distrNodes)
    : shares(distrNodes, kPassBlockNodes),
      distance(kPassBlockNodes, 0.0),
      sum(kPassBlockNodes, 0.0),
      tilled(static_cast<std::size_t>(distrNodes + nodeCount), 0.0) {}

namespace {

double slopeCurvature(const ColumnView<double>& e, int i, int span, double dx) {
  if (span == 0) return 0.0;
  const double h = span * dx;
  return (SlopePercent(e[i], e[i + span], h) - SlopePercent(e[i - span], e[i], h)) / h;
}

// E(i, s+1) = E(i, s) - TD + F(i, 0) TD + F(i-1, 1) TD + ... + F(i-D, D) TD,
// summed in that order for each node; the node loop is the inner one.
SODWRIGHT_VECTOR_CLONES
void deliverSoil(double* __restrict next, const double* __restrict now, const ShareWindow& shares, int offset, int n, int d, double td) {
  const double* f0 = shares.row(0) + offset;
  for (int j = 0; j < n; ++j) next[j] = now[j] - td + f0[j] * td;
  for (int k = 1; k <= d; ++k) {
    const double* fk = shares.row(k) + offset - k;
    for (int j = 0; j < n; ++j) next[j] += fk[j] * td;
  }
}

// F(i, 0) T(i) + F(i-1, 1) T(i-1) + ... + F(i-D, D) T(i-D); T is 0 below node 0.
SODWRIGHT_VECTOR_CLONES
void deliverSubstance(double* __restrict received, const double* __restrict tilled, const ShareWindow& shares, int offset, int n, int d) {
  const double* f0 = shares.row(0) + offset;
  for (int j = 0; j < n; ++j) received[j] = f0[j] * tilled[j];
  for (int k = 1; k <= d; ++k) {
    const double* fk = shares.row(k) + offset - k;
    const double* from = tilled - k;
    for (int j = 0; j < n; ++j) received[j] += fk[j] * from[j];
  }
}

// One block of nodes b0 .. b0 + count - 1, shares already filled.
struct BlockContext {
  TransectData& data;
  const PassSettings& set;
  PassWorkspace& work;
  int s;
  bool mirrored;
  platform::MessageService& messages;
};

void moveSoil(BlockContext& c, int b0, int count) {
  const int d = c.set.distrNodes;
  const double td = c.set.layers.tillDepth;
  const int first = std::max(b0, -d - 5);
  const int last = b0 + count - 1;
  if (first > last) return;
  const ColumnView<double> e = columnOf(c.data.Elev, c.s);
  const ColumnView<double> next = columnOf(c.data.Elev, c.s + 1);
  const int offset = d + (first - b0);  // share position of node `first`
  const int n = last - first + 1;
  deliverSoil(next.at(first), e.at(first), c.work.shares, offset, n, d, td);
}

void moveSubstance(BlockContext& c, int b0, int count) {
  const int nNodes = c.set.nodeCount;
  const int d = c.set.distrNodes;
  const int first = std::max(b0, 0);
  const int last = std::min(b0 + count - 1, nNodes - 1);
  if (first > last) return;
  const int s = c.s;
  TransectData& t = c.data;
  const ColumnView<const double> pl3 = columnOf(static_cast<const NodeArray<double>&>(t.PL3));
  const ColumnView<double> d1 = columnOf(t.DepthL1, s), d2 = columnOf(t.DepthL2, s);
  const ColumnView<double> m1 = columnOf(t.MassL1, s), m2 = columnOf(t.MassL2, s);
  const ColumnView<double> d2Next = columnOf(t.DepthL2, s + 1);
  double* tilled = c.work.tilled.data() + d;  // tilled[i] for node i, zeros below 0
  for (int i = first; i <= last; ++i) {
    const double c3 = pl3[c.mirrored ? nNodes - 1 - i : i];
    double newDepthL2 = 0.0;
    if (TillNode(c.set.layers, d1[i], d2[i], m1[i], m2[i], c3, tilled[i], newDepthL2)) {
      d2Next[i] = newDepthL2;
    } else {
      c.messages.inform(kLayerNote);
    }
  }
  // Received amounts: share k of node i - k, in the order k = 0..D per node.
  const int n = last - first + 1;
  const int offset = d + (first - b0);
  double* received = c.work.sum.data();
  deliverSubstance(received, tilled + first, c.work.shares, offset, n, d);
  const ColumnView<double> e = columnOf(t.Elev, s), eNext = columnOf(t.Elev, s + 1);
  const ColumnView<double> d1Next = columnOf(t.DepthL1, s + 1);
  const ColumnView<double> m1Next = columnOf(t.MassL1, s + 1), m2Next = columnOf(t.MassL2, s + 1);
  const ColumnView<float> m12 = columnOf(t.MassL12, s), m12Next = columnOf(t.MassL12, s + 1);
  const double td = c.set.layers.tillDepth;
  for (int j = 0; j < n; ++j) {
    const int i = first + j;
    d1Next[i] = (eNext[i] - e[i]) + td;
    m1Next[i] = received[j];
    const double rest = m12[i] - tilled[i];
    m2Next[i] = rest >= 0 ? rest : 0.0;
    m12Next[i] = static_cast<float>(m1Next[i] + m2Next[i]);
  }
}

}  // namespace

void MoveSoilAndSubstance(TransectData& data, int s, bool mirrored, const PassSettings& settings,
                          PassWorkspace& work, platform::MessageService& messages) {
  const int d = settings.distrNodes;
  const int lowest = -2 * d - 5;  // the nodes whose shares reach node -D-5
  const int highest = settings.nodeCount + d + 5;
  const ColumnView<double> e = columnOf(data.Elev, s);
  const double dx = settings.dx;
  BlockContext context{data, settings, work, s, mirrored, messages};
  int previous = 0;
  for (int b0 = lowest; b0 <= highest; b0 += kPassBlockNodes) {
    const int count = std::min(kPassBlockNodes, highest - b0 + 1);
    if (previous > 0) work.shares.advance(previous);
    for (int j = 0; j < count; ++j) {
      const int i = b0 + j;
      const double gradient = settings.weightFront * SlopePercent(e[i - 1], e[i], dx) +
                              settings.weightBack * SlopePercent(e[i], e[i + 1], dx);
      const double curvature = slopeCurvature(e, i, settings.curvatureSpan, dx);
      work.distance[static_cast<std::size_t>(j)] =
          SoftLimitedDistance(RawDistance(settings.distance, gradient, curvature), dx);
    }
    work.shares.fill(count, work.distance.data(), dx);
    moveSoil(context, b0, count);
    moveSubstance(context, b0, count);
    previous = count;
  }
}

void UpdateConcentrations(TransectData& data, int c, int nodeCount, double dx, double bulkDensity1,
                          double bulkDensity2) {
  const ColumnView<double> m1 = columnOf(data.MassL1, c), m2 = columnOf(data.MassL2, c);
  const ColumnView<double> d1 = columnOf(data.DepthL1, c), d2 = columnOf(data.DepthL2, c);
  const ColumnView<double> p1 = columnOf(data.PL1, c), p2 = columnOf(data.PL2, c);
  for (int i = 0; i < nodeCount; ++i) {
    p1[i] = m1[i] / bulkDensity1 / dx / d1[i];
    p2[i] = d2[i] > 0 ? m2[i] / bulkDensity2 / dx / d2[i] : 0.0;
  }
}

}  // namespace sodwright::kolv
