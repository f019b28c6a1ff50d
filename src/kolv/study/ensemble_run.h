// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An ensemble of one KOLV study: many members with parameters drawn from the
// stated distributions (ensemble_draws.h), each run and compared (StartSeq
// against LastSeq) through the shared run loop, summarised per node of the
// last sequence as percentiles, beside the study's own (deterministic) run.
//
// Percentiles are nearest-rank order statistics of the kept members: the
// p-th percentile of n values is the value of rank ceil(p n / 100) (at least
// 1) in ascending order, always one member's value. The values are held in
// memory, six per member and node; an ensemble that would not fit is refused
// before it starts.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/result.h"
#include "kolv/state/kolv_state.h"
#include "kolv/study/ensemble_draws.h"
#include "kolv/study/rank_correlation.h"

namespace sodwright::kolv {

// The per-node values summarised, from the comparison of the last sequence.
enum EnsembleQuantity : int {
  kDeltaElev,  // elevation change, m
  kSoilLoss,   // soil loss rate, kg/m2 per sequence
  kUpMass,     // substance in the up sampling layer
  kTotalMass,  // up and sub sampling layers together
  kUpConc,     // concentration in the up sampling layer
  kSubConc,    // concentration in the sub sampling layer
  kQuantityCount
};

// Column names with units; `unit` is the transect's substance unit.
std::string ensembleQuantityName(EnsembleQuantity quantity, const std::string& unit);

// The study's value of a quantity at a node after a run and comparison.
double quantityAt(const KolvState& state, EnsembleQuantity quantity, int node);

struct EnsembleSetup {
  std::vector<VariedParameter> varied;
  std::size_t runs = 0;
  std::uint64_t seed = 1;
  std::vector<double> percentiles{5, 50, 95};
  bool dropUnstable = false;
  // The summaries over every node, as before the end zones were left out.
  bool includeEndZones = false;
  int threads = 0;  // 0: one per core
  const std::atomic<bool>* cancel = nullptr;
  // Members finished so far; called on the worker threads.
  std::function<void(std::size_t done)> progress;
};

// Fails with the reason unless 0 <= p <= 100 for each, in ascending order.
base::Result<std::vector<double>> parsePercentiles(const std::string& text);

// The nearest-rank percentile `p` of `sorted` (ascending, not empty).
double nearestRank(const std::vector<double>& sorted, double p);

// The nodes the summaries of an ensemble are taken over (first .. last).
struct SummaryNodes {
  int first = 0;
  int last = -1;
  bool endZonesLeftOut = false;  // the nodes outside the end zones of LastSeq
  bool noneOutside = false;      // every node: the zones left none outside
};
// Outside the end zones of the last sequence unless `includeEndZones`; every
// node when the zones leave none outside.
SummaryNodes summaryNodes(const TranslocationParameters& params, bool includeEndZones);
// Whether node i lies in an end zone of the last sequence (the CSV's flag).
bool inLastEndZone(const TranslocationParameters& params, int node);
// "nodes 20 to 279, outside the end zones of sequence 10"; empty when every
// node was asked for.
std::string summaryNodesText(const SummaryNodes& nodes, int lastSeq);

struct EnsembleResult {
  int nodes = 0;
  std::vector<double> percentiles;
  // band[q][k][i]: percentile k of quantity q at node i over the kept members.
  std::array<std::vector<std::vector<double>>, kQuantityCount> band;
  // The study's own run with the parameters as given, and its values.
  KolvState studyRun;
  std::array<std::vector<double>, kQuantityCount> deterministic;
  std::size_t ran = 0;       // members that ran (fewer than asked when cancelled)
  std::size_t failed = 0;    // refused or not finite; never kept
  std::size_t unstable = 0;  // flagged by the stability estimate
  std::size_t kept = 0;      // summarised
  bool cancelled = false;
  std::string firstFailure;  // the reason of the first failed member
  // The nodes the summaries below are taken over; the bands cover every node.
  SummaryNodes summary;
  // Mean and maximum soil loss over the summary's nodes, per kept member,
  // their percentiles, and the study run's.
  std::vector<double> meanLoss, maxLoss;
  std::vector<double> meanLossPercentiles, maxLossPercentiles;
  double studyMeanLoss = 0, studyMaxLoss = 0;
  std::vector<EnsembleParameter> varied;  // in the order given
  // Per varied parameter: its values over the kept members, its rank
  // correlation with the mean soil loss and its partial rank correlation
  // (the other varied parameters taken out).
  std::vector<std::vector<double>> keptDraws;
  std::vector<double> sensitivity;
  std::vector<double> partialSensitivity;
};

// Bytes the ensemble holds while it runs: the member values and a copy of
// the study per worker and for the deterministic run.
std::uint64_t ensembleBytes(const KolvState& study, std::size_t runs, std::size_t varied,
                            int workers);
// The refusal of an ensemble larger than `available` bytes (0: not checked),
// naming the bound.
base::Result<> checkEnsembleMemory(const KolvState& study, std::size_t runs, std::size_t varied,
                                   int workers, std::uint64_t available);

// Runs the ensemble of `study` (imported, its parameters as the batch or
// window set them). Fails when the draws are refused, the memory is short,
// the study's own run fails or no member is left to summarise. A cancelled
// ensemble comes back counted but not summarised (`cancelled` set).
base::Result<EnsembleResult> runEnsemble(const KolvState& study, const EnsembleSetup& setup,
                                         std::uint64_t availableBytes);

}  // namespace sodwright::kolv
