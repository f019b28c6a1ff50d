// SPDX-License-Identifier: GPL-3.0-or-later
// The transect text import with every kind of delimiter. A transect the
// import accepts must write as a last-sequence file that imports again (tab
// delimited) to the same header and, within the file's decimals, the same
// point values; a refused file must leave the held transect untouched; a
// short accepted transect must also run and compare without fault.

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "base/text/text_file.h"
#include "fuzz_support.h"
#include "kolv/io/last_sequence_writer.h"
#include "kolv/io/transect_import.h"
#include "kolv/kolv_commands.h"
#include "platform/message_service.h"

using namespace sodwright;
using kolv::Int16;
using kolv::KolvState;

namespace {

class QuietMessages : public platform::MessageService {
 public:
  platform::MessageAnswer show(const std::string&, const std::string&, platform::MessageButtons,
                               platform::MessageIcon, const std::string&) override {
    ++count;
    return platform::MessageAnswer::Ok;
  }
  int count = 0;
};

// A small valid transect, held before each fuzzed import.
KolvState heldTransect() {
  const std::vector<std::string> lines = {
      "Sequence=\t2\tDataPoints:\t4",
      "DistributionDistance=\t1\tm\tInterval =\t.5\tm",
      "Lamda=\t.3\t+\t.003\t*SG+\t.02\t*SC",
      "Tillage_Depth =\t.2\tm",
      "BD1 =\t1300\tkg / m3\tBD2 =\t1350\tkg / m3\tBD3 =\t1450\tkg / m3",
      "",
      "P1_2\tP2_2\tP3_2\tL1_2\tL2_2\t Z 2",
      "mg/kg\tmg/kg\tmg/kg\t m \t m \t m ",
      "10\t5\t1\t.2\t.1\t100",
      "11\t5\t1\t.2\t.1\t99.9",
      "12\t5\t1\t.2\t.1\t99.7",
      "13\t5\t1\t.2\t.1\t99.6",
  };
  KolvState state;
  const auto result = kolv::importTransectLines(state, lines, '\t');
  FUZZ_CHECK(result.ok(), "the held transect does not import");
  return state;
}

bool within(double read, double written, int decimals) {
  if (read == written) return true;
  const double halfUnit = 0.5 * std::pow(10.0, -decimals);
  return std::fabs(read - written) <= halfUnit * (1 + 1e-9) + 4e-16 * std::fabs(written);
}

bool closeSingle(float read, float written) {
  return std::fabs(static_cast<double>(read) - written) <=
         1e-6 * std::fabs(static_cast<double>(written));
}

void checkRoundTrip(const KolvState& first) {
  const Int16 seq = first.params.FileSeqNo;
  std::ostringstream out;
  kolv::writeLastSequence(out, first, seq);
  KolvState again;
  const auto result = kolv::importTransectLines(again, base::splitLines(out.str()), '\t');
  FUZZ_CHECK(result.ok(),
             "the last-sequence file of an accepted transect is refused: " + result.message());
  const auto& a = first.params;
  const auto& b = again.params;
  FUZZ_CHECK(a.FileSeqNo == b.FileSeqNo && a.NodeCount == b.NodeCount,
             "sequence or point count changed");
  FUZZ_CHECK(closeSingle(b.Interval, a.Interval) && closeSingle(b.DistrDistance, a.DistrDistance) &&
                 closeSingle(b.Alpha, a.Alpha) && closeSingle(b.Beta, a.Beta) &&
                 closeSingle(b.Gamma, a.Gamma),
             "a Single header value changed");
  FUZZ_CHECK(std::fabs(b.TillDepth - a.TillDepth) <= 1e-14 * a.TillDepth &&
                 std::fabs(b.BulkDensity1 - a.BulkDensity1) <= 1e-14 * a.BulkDensity1 &&
                 std::fabs(b.BulkDensity2 - a.BulkDensity2) <= 1e-14 * a.BulkDensity2 &&
                 std::fabs(b.BulkDensity3 - a.BulkDensity3) <= 1e-14 * a.BulkDensity3,
             "a Double header value changed");
  // A tab inside the unit cannot survive a tab-delimited file.
  if (first.data.SubstanceUnit.find('\t') == std::string::npos)
    FUZZ_CHECK(again.data.SubstanceUnit == first.data.SubstanceUnit, "the unit changed");
  const auto& x = first.data;
  const auto& y = again.data;
  for (int i = 0; i < a.NodeCount; ++i) {
    const std::string at = " of point " + std::to_string(i);
    FUZZ_CHECK(within(y.PL1(i, seq), x.PL1(i, seq), 6), "PL1" + at);
    FUZZ_CHECK(within(y.PL2(i, seq), x.PL2(i, seq), 6), "PL2" + at);
    FUZZ_CHECK(within(y.PL3(i), x.PL3(i), 6), "PL3" + at);
    FUZZ_CHECK(within(y.DepthL1(i, seq), x.DepthL1(i, seq), 4), "DepthL1" + at);
    FUZZ_CHECK(within(y.DepthL2(i, seq), x.DepthL2(i, seq), 4), "DepthL2" + at);
    FUZZ_CHECK(within(y.Elev(i, seq), x.Elev(i, seq), 6), "Elev" + at);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteTaker taker(data, size);
  const std::uint8_t kind = taker.byte();
  const std::uint8_t other = taker.byte();
  const char delimiter = fuzz::delimiterFrom(kind, other);
  const std::vector<std::string> lines = base::splitLines(taker.rest());

  KolvState state = heldTransect();
  std::ostringstream before;
  kolv::writeLastSequence(before, state, state.params.FileSeqNo);

  const auto result = kolv::importTransectLines(state, lines, delimiter);
  if (!result.ok()) {
    FUZZ_CHECK(result.message().rfind(base::kImportFailed, 0) == 0,
               "a refusal without its message");
    std::ostringstream after;
    kolv::writeLastSequence(after, state, state.params.FileSeqNo);
    FUZZ_CHECK(before.str() == after.str(), "a refused import changed the held transect");
    return 0;
  }
  FUZZ_CHECK(state.imported && !state.simulated, "an accepted import left the wrong flags");
  checkRoundTrip(state);

  // The engine on what the reader lets through (kept short for speed).
  if (state.params.NodeCount <= 64) {
    QuietMessages messages;
    kolv::runKolv(state, messages);
  }
  return 0;
}
