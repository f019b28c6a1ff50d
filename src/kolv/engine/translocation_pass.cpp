// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/engine/translocation_pass.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "base/threads/parallel.h"
#include "kolv/engine/vector_clones.h"
#include "kolv/state/column_view.h"

namespace sodwright::kolv {

PassSettings makePassSettings(const TranslocationParameters& p) {
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

ChunkBuffers::ChunkBuffers(int distrNodes)
    : shares(distrNodes, kPassBlockNodes), distance(static_cast<std::size_t>(kPassBlockNodes)) {}

PassWorkspace::PassWorkspace(int nodeCount, int distrNodes, int threads)
    : tilled(static_cast<std::size_t>(distrNodes + nodeCount), 0.0),
      received(static_cast<std::size_t>(nodeCount)) {
  const int most = base::workerCount(threads);
  // Chunks of at least kLeastChunkNodes targets and no fewer than D: a chunk
  // also computes the shares of the D nodes before it. So the buffers of all
  // chunks together stay within about one share per target, whatever D is.
  const int targets = nodeCount + 2 * distrNodes + 11;  // nodes -D-5 .. N+D+5
  const int count = std::clamp(targets / std::max(distrNodes, kLeastChunkNodes), 1, most);
  chunks.reserve(static_cast<std::size_t>(count));
  for (int c = 0; c < count; ++c) chunks.emplace_back(distrNodes);
}

std::size_t PassWorkspace::byteSize() const {
  std::size_t bytes = (tilled.size() + received.size()) * sizeof(double);
  for (const ChunkBuffers& c : chunks)
    bytes += c.shares.byteSize() + c.distance.size() * sizeof(double);
  return bytes;
}

namespace {

double slopeCurvature(const ColumnView<double>& e, int i, int span, double dx) {
  if (span == 0) return 0.0;
  const double h = span * dx;
  return (slopePercent(e[i], e[i + span], h) - slopePercent(e[i - span], e[i], h)) / h;
}

SODWRIGHT_VECTOR_CLONES
void addScaled(double* __restrict to, const double* __restrict share, double factor, int n) {
  for (int j = 0; j < n; ++j) to[j] += share[j] * factor;
}

SODWRIGHT_VECTOR_CLONES
void addProducts(double* __restrict to, const double* __restrict share,
                 const double* __restrict from, int n) {
  for (int j = 0; j < n; ++j) to[j] += share[j] * from[j];
}

struct PassContext {
  TransectData& data;
  const PassSettings& set;
  PassWorkspace& work;
  int s;
};

// The tilled amount and new layer-2 thickness of nodes 0..N-1, in node
// order, so that the layer notes come in that order.
void tillNodes(PassContext& c, bool mirrored, platform::MessageService& messages) {
  const int nNodes = c.set.nodeCount;
  TransectData& t = c.data;
  const int s = c.s;
  const ColumnView<const double> pl3 = columnOf(static_cast<const NodeArray<double>&>(t.PL3));
  const ColumnView<double> d1 = columnOf(t.DepthL1, s), d2 = columnOf(t.DepthL2, s);
  const ColumnView<double> m1 = columnOf(t.MassL1, s), m2 = columnOf(t.MassL2, s);
  const ColumnView<double> d2Next = columnOf(t.DepthL2, s + 1);
  double* tilled = c.work.tilled.data() + c.set.distrNodes;
  for (int i = 0; i < nNodes; ++i) {
    const double c3 = pl3[mirrored ? nNodes - 1 - i : i];
    double newDepthL2 = 0.0;
    if (tillNode(c.set.layers, d1[i], d2[i], m1[i], m2[i], c3, tilled[i], newDepthL2)) {
      d2Next[i] = newDepthL2;
    } else {
      messages.inform(kLayerNote);
    }
  }
}

// Distances and shares of the source nodes first .. first + count - 1.
void fillShares(const PassContext& c, const ColumnView<double>& e, int first, int count,
                ChunkBuffers& buffers) {
  const PassSettings& set = c.set;
  const double dx = set.dx;
  for (int j = 0; j < count; ++j) {
    const int i = first + j;
    const double gradient = set.weightFront * slopePercent(e[i - 1], e[i], dx) +
                            set.weightBack * slopePercent(e[i], e[i + 1], dx);
    const double curvature = slopeCurvature(e, i, set.curvatureSpan, dx);
    buffers.distance[static_cast<std::size_t>(j)] =
        softLimitedDistance(rawDistance(set.distance, gradient, curvature), dx);
  }
  buffers.shares.fill(count, buffers.distance.data(), dx);
}

// The targets low .. high of one chunk: their new elevation
//   E(i, s+1) = E(i, s) - TD + F(i, 0) TD + F(i-1, 1) TD + ... + F(i-D, D) TD
// and, for those among nodes 0..N-1, the substance received
//   F(i, 0) T(i) + F(i-1, 1) T(i-1) + ... + F(i-D, D) T(i-D)  (T is 0 below node 0)
// and the new layers and amounts. Each sum is formed in that order.
void runChunk(PassContext& c, int low, int high, ChunkBuffers& buffers) {
  const int nNodes = c.set.nodeCount;
  const int d = c.set.distrNodes;
  const double td = c.set.layers.tillDepth;
  TransectData& t = c.data;
  const int s = c.s;
  const ColumnView<double> e = columnOf(t.Elev, s), eNext = columnOf(t.Elev, s + 1);
  double* next = eNext.at(0);  // indexed by node
  const double* now = e.at(0);
  double* received = c.work.received.data();
  const double* tilled = c.work.tilled.data() + d;
  const int subLow = std::max(low, 0), subHigh = std::min(high, nNodes - 1);
  const int sourceLow = low - d;
  for (int top = high; top >= sourceLow; top -= kPassBlockNodes) {
    const int first = std::max(sourceLow, top - kPassBlockNodes + 1);
    const int count = top - first + 1;
    fillShares(c, e, first, count, buffers);
    const double* f0 = buffers.shares.row(0);  // node i at i - first
    for (int i = std::max(first, low); i <= top; ++i) next[i] = now[i] - td + f0[i - first] * td;
    deliverBlock(buffers.shares, first, count, next, nullptr, td, low, high);
    if (subLow > subHigh) continue;
    for (int i = std::max(first, subLow); i <= std::min(top, subHigh); ++i)
      received[i] = f0[i - first] * tilled[i];
    deliverBlock(buffers.shares, first, count, received, tilled, 0.0, subLow, subHigh);
  }
  const ColumnView<double> d1Next = columnOf(t.DepthL1, s + 1);
  const ColumnView<double> m1Next = columnOf(t.MassL1, s + 1), m2Next = columnOf(t.MassL2, s + 1);
  const ColumnView<float> m12 = columnOf(t.MassL12, s), m12Next = columnOf(t.MassL12, s + 1);
  for (int i = subLow; i <= subHigh; ++i) {
    d1Next[i] = (eNext[i] - e[i]) + td;
    m1Next[i] = received[i];
    const double rest = m12[i] - tilled[i];
    m2Next[i] = rest >= 0 ? rest : 0.0;
    m12Next[i] = static_cast<float>(m1Next[i] + m2Next[i]);
  }
}

}  // namespace

void deliverBlock(const ShareBlock& shares, int first, int count, double* to, const double* from,
                  double factor, int low, int high) {
  const int last = first + count - 1;
  for (int k = 1; k <= shares.distrNodes(); ++k) {
    const int i0 = std::max(first, low - k);
    const int i1 = std::min(last, high - k);
    if (i0 > i1) continue;
    const double* fk = shares.row(k) + (i0 - first);
    if (from != nullptr) {
      addProducts(to + i0 + k, fk, from + i0, i1 - i0 + 1);
    } else {
      addScaled(to + i0 + k, fk, factor, i1 - i0 + 1);
    }
  }
}

void moveSoilAndSubstance(TransectData& data, int s, bool mirrored, const PassSettings& settings,
                          PassWorkspace& work, platform::MessageService& messages) {
  const int d = settings.distrNodes;
  PassContext context{data, settings, work, s};
  tillNodes(context, mirrored, messages);
  const int low = -d - 5;
  const int high = settings.nodeCount + d + 5;
  const int targets = high - low + 1;
  const int chunks = static_cast<int>(work.chunks.size());
  if (chunks == 1) {
    runChunk(context, low, high, work.chunks[0]);
    return;
  }
  base::runParts(chunks, [&](int c) {
    const int from = low + static_cast<int>(static_cast<long long>(targets) * c / chunks);
    const int to = low + static_cast<int>(static_cast<long long>(targets) * (c + 1) / chunks) - 1;
    runChunk(context, from, to, work.chunks[static_cast<std::size_t>(c)]);
  });
}

namespace {

// The loop of updateConcentrations, every array a parameter of its own so
// that it runs in vector lanes; each element goes through the same
// divisions in the same order.
SODWRIGHT_VECTOR_CLONES
void concentrations(const double* __restrict m1, const double* __restrict m2,
                    const double* __restrict d1, const double* __restrict d2, double* __restrict p1,
                    double* __restrict p2, int count, double dx, double bulkDensity1,
                    double bulkDensity2) {
  for (int i = 0; i < count; ++i) {
    p1[i] = m1[i] / bulkDensity1 / dx / d1[i];
    // d2 > 0 ? layer2 : +0 by a mask on the bits, so that no branch keeps
    // the loop out of vector lanes.
    const double layer2 = m2[i] / bulkDensity2 / dx / d2[i];
    const std::uint64_t keep = std::uint64_t{0} - static_cast<std::uint64_t>(d2[i] > 0);
    p2[i] = std::bit_cast<double>(std::bit_cast<std::uint64_t>(layer2) & keep);
  }
}

}  // namespace

void updateConcentrations(TransectData& data, int c, int nodeCount, double dx, double bulkDensity1,
                          double bulkDensity2) {
  if (nodeCount <= 0) return;
  concentrations(columnOf(data.MassL1, c).at(0), columnOf(data.MassL2, c).at(0),
                 columnOf(data.DepthL1, c).at(0), columnOf(data.DepthL2, c).at(0),
                 columnOf(data.PL1, c).at(0), columnOf(data.PL2, c).at(0), nodeCount, dx,
                 bulkDensity1, bulkDensity2);
}

void updateConcentrationsPlain(TransectData& data, int c, int nodeCount, double dx,
                               double bulkDensity1, double bulkDensity2) {
  const ColumnView<double> m1 = columnOf(data.MassL1, c), m2 = columnOf(data.MassL2, c);
  const ColumnView<double> d1 = columnOf(data.DepthL1, c), d2 = columnOf(data.DepthL2, c);
  const ColumnView<double> p1 = columnOf(data.PL1, c), p2 = columnOf(data.PL2, c);
  for (int i = 0; i < nodeCount; ++i) {
    p1[i] = m1[i] / bulkDensity1 / dx / d1[i];
    p2[i] = d2[i] > 0 ? m2[i] / bulkDensity2 / dx / d2[i] : 0.0;
  }
}

}  // namespace sodwright::kolv
