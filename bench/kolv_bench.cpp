// The KOLV run and comparison on a long transect: 32,000 points 0.1 m
// apart, a distribution over 50 nodes (5 m), 50 sequences (51 passes),
// forward and alternative. Counters: node passes per second, the bytes of
// the transect and comparison arrays, and the engine's own buffers.

#include <benchmark/benchmark.h>

#include <cmath>

#include "platform/message_service.h"
#include "transect/transect_setup.h"
#include "transect/comparison.h"
#include "transect/kolv_state.h"
#include "transect/slope_distribution.h"
#include "transect/translocation.h"
#include "transect/translocation_pass.h"

namespace {

using namespace sodwright::kolv;

constexpr int kPoints = 32000;
constexpr int kDistrNodes = 50;
constexpr int kSequences = 50;

class SilentMessages : public sodwright::platform::MessageService {
 public:
  sodwright::platform::MessageAnswer show(const std::string&, const std::string&,
                                          sodwright::platform::MessageButtons,
                                          sodwright::platform::MessageIcon) override {
    ++count;
    return sodwright::platform::MessageAnswer::Ok;
  }
  int count = 0;
};

// A state as the text import leaves it, with a hillslope of gentle waves.
KolvState longTransect(Int16 direction) {
  KolvState state;
  TranslocationParameters& p = state.params;
  p.NodeCount = p.DataPointCount = kPoints;
  p.Interval = 0.1f;
  p.DistrDistance = 5.0f;
  p.DistrNodes = kDistrNodes;
  p.StartSeq = p.FileSeqNo = p.FirstSeqShown = 0;
  p.SeqCount = kSequences;
  p.LastSeq = p.LastSeqShown = kSequences;
  p.TillDepth = p.UpLayerDepth = p.SubLayerDepth = 0.2;
  p.BulkDensity1 = 1300;
  p.BulkDensity2 = 1350;
  p.BulkDensity3 = 1450;
  p.Alpha = 0.3f;
  p.Beta = 0.003f;
  p.Gamma = 0.02f;
  p.ScScale = 1.0f;
  p.SgWeightFront = p.SgWeightBack = 0.5f;
  p.TillDirection = direction;
  p.DirectionSign = 1;
  p.InputFrequency = 5;
  p.InputAmount = 0.1;
  p.DecayRate1 = 0.01;
  allocateTransect(p, state.data, state.results);  // FileSeqNo 0: sequences 0 .. 51
  TransectData& t = state.data;
  for (int i = 0; i < kPoints; ++i) {
    const double x = i * 0.1;
    t.Elev(i, 0) = 150 - 0.02 * x + 3 * std::sin(x / 90) + 0.4 * std::sin(x / 6.5);
    t.DepthL1(i, 0) = 0.2 + 0.03 * std::sin(x / 11);
    t.DepthL2(i, 0) = 0.06 + 0.04 * std::cos(x / 17);
    t.PL1(i, 0) = 20 + 4 * std::sin(x / 23);
    t.PL2(i, 0) = 12;
    t.PL3(i) = 2;
  }
  state.imported = true;
  return state;
}

std::size_t arrayBytes(const KolvState& state) {
  const TransectData& t = state.data;
  const auto nodes = static_cast<std::size_t>(t.PL3.upper() - t.PL3.lower() + 1);
  return t.Elev.byteSize() + t.PL1.byteSize() + t.PL2.byteSize() + t.DepthL1.byteSize() + t.DepthL2.byteSize() +
         t.MassL1.byteSize() + t.MassL2.byteSize() + t.MassL12.byteSize() + nodes * sizeof(double) +
         nodes * (4 * sizeof(float) + 6 * sizeof(std::optional<double>));
}

void runAndCompare(benchmark::State& bench, Int16 direction) {
  KolvState state = longTransect(direction);
  SilentMessages messages;
  for (auto _ : bench) {
    const auto refusal = RunTranslocation(state, messages);
    if (refusal) {
      bench.SkipWithError(refusal->c_str());
      return;
    }
    CompareSequences(state, state.params.StartSeq, state.params.LastSeq, state.params.UpLayerDepth,
                     state.params.SubLayerDepth, messages);
    benchmark::DoNotOptimize(state.results.SoilLoss(kPoints / 2));
  }
  const double nodePasses = static_cast<double>(kPoints) * (kSequences + 1);
  bench.counters["node_passes"] = benchmark::Counter(nodePasses, benchmark::Counter::kIsIterationInvariantRate);
  // Seconds per node and pass (shown with an SI prefix, "n" for nanoseconds).
  bench.counters["time_per_node_pass"] =
      benchmark::Counter(nodePasses, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  bench.counters["array_MB"] = static_cast<double>(arrayBytes(state)) / 1e6;
  const PassWorkspace work(kPoints, kDistrNodes);
  bench.counters["engine_buffer_kB"] =
      static_cast<double>((kDistrNodes + 1) * (kDistrNodes + kPassBlockNodes) + work.tilled.size() +
                          2 * kPassBlockNodes) * sizeof(double) / 1e3;
  bench.counters["notes"] = messages.count;
}

void BM_KolvForward(benchmark::State& bench) { runAndCompare(bench, kForward); }
void BM_KolvAlternative(benchmark::State& bench) { runAndCompare(bench, kAlternative); }

BENCHMARK(BM_KolvForward)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_KolvAlternative)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
