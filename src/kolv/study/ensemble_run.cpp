// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/study/ensemble_run.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "base/threads/parallel.h"
#include "kolv/stability/stability_end_zones.h"
#include "kolv/stability/stability_estimate.h"
#include "kolv/study/study_runs.h"

namespace sodwright::kolv {

namespace {

std::string megabytes(std::uint64_t bytes) {
  return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

std::uint64_t studyBytes(const KolvState& s) {
  const TransectData& d = s.data;
  const ComparisonResults& r = s.results;
  std::uint64_t bytes = d.Elev.byteSize() + d.PL1.byteSize() + d.PL2.byteSize() +
                        d.DepthL1.byteSize() + d.DepthL2.byteSize() + d.MassL1.byteSize() +
                        d.MassL2.byteSize() + d.MassL12.byteSize();
  // The per-node arrays, the engine's own per-run arrays (about a dozen per
  // node, the distribution shares D + 11 per node) and the mirror buffers
  // (six columns' worth of the sequence arrays) are bounded by twice that.
  const std::uint64_t nodes =
      static_cast<std::uint64_t>(r.SoilLoss.upper() - r.SoilLoss.lower() + 1);
  bytes += nodes * 8 * (24 + static_cast<std::uint64_t>(s.params.DistrNodes) + 11);
  return 2 * bytes;
}

bool entersStabilityEstimate(EnsembleParameter parameter) {
  switch (parameter) {
    case EnsembleParameter::DecayRate1:
    case EnsembleParameter::DecayRate2:
    case EnsembleParameter::InputAmount:
      return false;
    default:
      return true;
  }
}

}  // namespace

std::string ensembleQuantityName(EnsembleQuantity quantity, const std::string& unit) {
  switch (quantity) {
    case kDeltaElev:
      return "DeltaElev (m)";
    case kSoilLoss:
      return "SoilLoss (kg/m2/Seq)";
    case kUpMass:
      return "C_UpLayer (" + unit + ")";
    case kTotalMass:
      return "C_Total (" + unit + ")";
    case kUpConc:
      return "P_UpLayer (" + unit + "/kg)";
    case kSubConc:
      return "P_SubLayer (" + unit + "/kg)";
    case kQuantityCount:
      break;
  }
  return {};
}

double quantityAt(const KolvState& state, EnsembleQuantity quantity, int i) {
  const ComparisonResults& r = state.results;
  switch (quantity) {
    case kDeltaElev:
      return r.DeltaElev(i);
    case kSoilLoss:
      return r.SoilLoss(i);
    case kUpMass:
      return valueOrZero(r.UpMassLast(i));
    case kTotalMass:
      return valueOrZero(r.UpMassLast(i)) + valueOrZero(r.SubMassLast(i));
    case kUpConc:
      return valueOrZero(r.UpConcLast(i));
    case kSubConc:
      return r.SubConcLast(i);
    case kQuantityCount:
      break;
  }
  return 0;
}

base::Result<std::vector<double>> parsePercentiles(const std::string& text) {
  std::vector<double> values;
  std::string_view rest = text;
  for (;;) {
    const auto comma = rest.find(',');
    const std::string_view field = rest.substr(0, comma);
    double value = 0;
    const auto [stop, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || stop != field.data() + field.size() ||
        !(value >= 0 && value <= 100))
      return base::fail("--percentiles " + text + ": \"" + std::string(field) +
                        "\" is not a number from 0 to 100");
    if (!values.empty() && value <= values.back())
      return base::fail("--percentiles " + text + ": give them in ascending order, each once");
    // Each percentile is a column per quantity and node of the CSV and a
    // value per member kept for the ranks: one for every whole percent is
    // the most a study needs.
    constexpr std::size_t kMostPercentiles = 101;
    if (values.size() == kMostPercentiles)
      return base::fail("--percentiles: at most " + std::to_string(kMostPercentiles) +
                        " percentiles (one per whole percent, 0 to 100) are taken; " +
                        std::to_string(1 + std::count(rest.begin(), rest.end(), ',')) +
                        " more follow the first " + std::to_string(kMostPercentiles));
    values.push_back(value);
    if (comma == std::string_view::npos) return values;
    rest.remove_prefix(comma + 1);
  }
}

double nearestRank(const std::vector<double>& sorted, double p) {
  const double n = static_cast<double>(sorted.size());
  const double rank = std::max(1.0, std::ceil(p * n / 100.0));
  return sorted[static_cast<std::size_t>(std::min(rank, n)) - 1];
}

SummaryNodes summaryNodes(const TranslocationParameters& p, bool includeEndZones) {
  SummaryNodes nodes{0, p.NodeCount - 1, false, false};
  if (includeEndZones) return nodes;
  const int margin = endZoneMargin(p.LastSeq, p.LastSeq);
  if (margin > p.NodeCount - 1 - margin) {
    nodes.noneOutside = true;
    return nodes;
  }
  return {margin, p.NodeCount - 1 - margin, true, false};
}

bool inLastEndZone(const TranslocationParameters& p, int node) {
  return inEndZone(node, p.LastSeq, p.LastSeq, p.NodeCount);
}

std::string summaryNodesText(const SummaryNodes& nodes, int lastSeq) {
  const std::string zones = "the end zones of sequence " + std::to_string(lastSeq);
  if (nodes.noneOutside) return "every node: " + zones + " leave none outside";
  if (!nodes.endZonesLeftOut) return {};
  return "nodes " + std::to_string(nodes.first) + " to " + std::to_string(nodes.last) +
         ", outside " + zones;
}

std::uint64_t ensembleBytes(const KolvState& study, std::size_t runs, std::size_t varied,
                            int workers) {
  const auto nodes = static_cast<std::uint64_t>(std::max<int>(study.params.NodeCount, 0));
  const std::uint64_t perMember =
      nodes * kQuantityCount * sizeof(double) + (varied + 4) * sizeof(double);
  return static_cast<std::uint64_t>(runs) * perMember +
         static_cast<std::uint64_t>(workers + 1) * studyBytes(study);
}

base::Result<> checkEnsembleMemory(const KolvState& study, std::size_t runs, std::size_t varied,
                                   int workers, std::uint64_t available) {
  if (available == 0) return {};
  const std::uint64_t need = ensembleBytes(study, runs, varied, workers);
  if (need <= available) return {};
  const std::uint64_t fixed = ensembleBytes(study, 0, varied, workers);
  const std::uint64_t perMember = ensembleBytes(study, 1, varied, workers) - fixed;
  const std::uint64_t fit = available > fixed ? (available - fixed) / perMember : 0;
  return base::fail("--runs " + std::to_string(runs) + ": the ensemble needs " + megabytes(need) +
                    " (" + std::to_string(kQuantityCount) + " values per member and node over " +
                    std::to_string(study.params.NodeCount) + " nodes, and the run arrays of " +
                    std::to_string(workers) + " workers) but " + megabytes(available) +
                    " are available: at most " + std::to_string(fit) + " members fit");
}

base::Result<EnsembleResult> runEnsemble(const KolvState& study, const EnsembleSetup& setup,
                                         std::uint64_t availableBytes) {
  if (setup.runs == 0) return base::fail("--runs must be at least 1");
  const int workers = base::workerCount(setup.threads);
  if (auto fits =
          checkEnsembleMemory(study, setup.runs, setup.varied.size(), workers, availableBytes);
      !fits)
    return base::fail(fits.message());
  // Every member's values first: a refused draw stops the ensemble before any run.
  std::vector<std::vector<double>> draws(setup.runs);
  for (std::size_t m = 0; m < setup.runs; ++m) {
    auto drawn = drawMember(setup.varied, setup.seed, m);
    if (!drawn) return base::fail(drawn.message());
    draws[m] = std::move(*drawn);
  }

  EnsembleResult result;
  const int nodes = study.params.NodeCount;
  result.nodes = nodes;
  result.percentiles = setup.percentiles;
  result.summary = summaryNodes(study.params, setup.includeEndZones);
  const int from = result.summary.first, to = result.summary.last;
  // The mean and the maximum soil loss over the summary's nodes.
  const auto lossSummary = [from, to](const auto& lossAt) {
    double sum = 0, most = -std::numeric_limits<double>::infinity();
    for (int i = from; i <= to; ++i) {
      const double loss = lossAt(i);
      sum += loss;
      most = std::max(most, loss);
    }
    return std::pair{sum / (to - from + 1), most};
  };
  {
    KolvState& own = result.studyRun;
    if (auto stop = runStudyMember(study, own, nullptr, 0, true, setup.threads))
      return base::fail("the study's own run failed: " + stop->message);
    for (int q = 0; q < kQuantityCount; ++q) {
      result.deterministic[q].resize(static_cast<std::size_t>(nodes));
      for (int i = 0; i < nodes; ++i)
        result.deterministic[q][i] = quantityAt(own, static_cast<EnsembleQuantity>(q), i);
    }
    std::tie(result.studyMeanLoss, result.studyMaxLoss) =
        lossSummary([&](int i) { return result.deterministic[kSoilLoss][i]; });
  }

  const std::size_t runs = setup.runs;
  const auto slot = [&](int q, int i, std::size_t m) {
    return (static_cast<std::size_t>(q) * static_cast<std::size_t>(nodes) +
            static_cast<std::size_t>(i)) *
               runs +
           m;
  };
  std::vector<double> values(static_cast<std::size_t>(kQuantityCount) *
                             static_cast<std::size_t>(nodes) * runs);
  enum class Fate : char { NotRun, Kept, Unstable, Failed };
  std::vector<Fate> fate(runs, Fate::NotRun);
  std::vector<double> meanLoss(runs), maxLoss(runs);
  std::vector<std::string> reasons(runs);
  std::atomic<std::size_t> done{0};

  StudyRunOptions options;
  options.threads = workers;
  options.cancel = setup.cancel;
  // The estimate reads the distance model and the tillage depth only; when
  // no varied parameter enters it, every member shares the study's verdict.
  bool estimateVaries = false;
  for (const VariedParameter& v : setup.varied)
    estimateVaries = estimateVaries || entersStabilityEstimate(v.parameter);
  const bool allUnstable = !estimateVaries && parametersUnstableFor(study, study.params, 0);
  const auto prepare = [&](std::size_t m, TranslocationParameters& p) {
    for (std::size_t k = 0; k < setup.varied.size(); ++k)
      applyEnsembleValue(setup.varied[k].parameter, draws[m][k], p);
    // Worked out once per member, on its worker, over the study's starting surface.
    if (estimateVaries ? parametersUnstableFor(study, p, 1) : allUnstable) fate[m] = Fate::Unstable;
  };
  const auto collect = [&](std::size_t m, const KolvState& s, const std::optional<StepStop>& stop) {
    if (stop) {
      fate[m] = Fate::Failed;
      reasons[m] = stop->message;
    } else {
      if (fate[m] == Fate::NotRun) fate[m] = Fate::Kept;
      for (int i = 0; i < nodes; ++i)
        for (int q = 0; q < kQuantityCount; ++q)
          values[slot(q, i, m)] = quantityAt(s, static_cast<EnsembleQuantity>(q), i);
      std::tie(meanLoss[m], maxLoss[m]) =
          lossSummary([&](int i) { return static_cast<double>(s.results.SoilLoss(i)); });
    }
    const std::size_t finished = done.fetch_add(1) + 1;
    if (setup.progress) setup.progress(finished);
  };
  result.ran = runStudies(study, runs, prepare, collect, options);
  result.cancelled = result.ran < runs;

  std::vector<std::size_t> kept;
  for (std::size_t m = 0; m < runs; ++m) {
    if (fate[m] == Fate::Failed) {
      if (result.failed++ == 0) result.firstFailure = reasons[m];
      continue;
    }
    if (fate[m] == Fate::NotRun) continue;
    if (fate[m] == Fate::Unstable) {
      ++result.unstable;
      if (setup.dropUnstable) continue;
    }
    kept.push_back(m);
  }
  result.kept = kept.size();
  if (result.cancelled) return result;  // counted, not summarised
  if (kept.empty())
    return base::fail(result.failed > 0 ? "no member ran through: " + result.firstFailure
                                        : "no member is left to summarise");

  std::vector<double> column(kept.size());
  for (int q = 0; q < kQuantityCount; ++q) {
    result.band[q].assign(setup.percentiles.size(),
                          std::vector<double>(static_cast<std::size_t>(nodes)));
    for (int i = 0; i < nodes; ++i) {
      for (std::size_t k = 0; k < kept.size(); ++k) column[k] = values[slot(q, i, kept[k])];
      std::sort(column.begin(), column.end());
      for (std::size_t k = 0; k < setup.percentiles.size(); ++k)
        result.band[q][k][i] = nearestRank(column, setup.percentiles[k]);
    }
  }
  for (std::size_t m : kept) {
    result.meanLoss.push_back(meanLoss[m]);
    result.maxLoss.push_back(maxLoss[m]);
  }
  for (auto [source, target] : {std::pair{&result.meanLoss, &result.meanLossPercentiles},
                                std::pair{&result.maxLoss, &result.maxLossPercentiles}}) {
    std::vector<double> sorted = *source;
    std::sort(sorted.begin(), sorted.end());
    for (double p : setup.percentiles) target->push_back(nearestRank(sorted, p));
  }
  for (std::size_t v = 0; v < setup.varied.size(); ++v) {
    result.varied.push_back(setup.varied[v].parameter);
    std::vector<double> drawn;
    for (std::size_t m : kept) drawn.push_back(draws[m][v]);
    result.sensitivity.push_back(rankCorrelation(drawn, result.meanLoss));
    result.keptDraws.push_back(std::move(drawn));
  }
  result.partialSensitivity = partialRankCorrelations(result.keptDraws, result.meanLoss);
  return result;
}

}  // namespace sodwright::kolv
