// SPDX-License-Identifier: GPL-3.0-or-later
// The observed file of a fit, read as kolv-fit reads it: line by line with
// the import's line bound, point values strictly, then taken as the profile
// of the column compared against a held study. A refusal carries the import's
// message; a profile the fit accepts holds only finite values whose squares
// can be summed, one per point of the study.

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "base/text/import_messages.h"
#include "base/text/text_file.h"
#include "fuzz_support.h"
#include "kolv/fit/fit_setup.h"
#include "kolv/io/transect_import.h"

using namespace sodwright;
using kolv::KolvState;

namespace {

// A small study at sequence 0: observed files must have its points and interval.
const KolvState& heldStudy() {
  static const KolvState study = [] {
    const std::vector<std::string> lines = {
        "Sequence=\t0\tDataPoints:\t4",
        "DistributionDistance=\t1\tm\tInterval =\t.5\tm",
        "Lamda=\t.3\t+\t.003\t*SG+\t.02\t*SC",
        "Tillage_Depth =\t.2\tm",
        "BD1 =\t1300\tkg / m3\tBD2 =\t1350\tkg / m3\tBD3 =\t1450\tkg / m3",
        "",
        "P1_0\tP2_0\tP3_0\tL1_0\tL2_0\t Z 0",
        "mg/kg\tmg/kg\tmg/kg\t m \t m \t m ",
        "10\t5\t1\t.2\t.1\t100",
        "11\t5\t1\t.2\t.1\t99.9",
        "12\t5\t1\t.2\t.1\t99.7",
        "13\t5\t1\t.2\t.1\t99.6",
    };
    KolvState state;
    const auto result = kolv::importTransectLines(state, lines, '\t');
    FUZZ_CHECK(result.ok(), "the held study does not import");
    return state;
  }();
  return study;
}

constexpr kolv::FitColumn kColumns[] = {kolv::FitColumn::Elevation, kolv::FitColumn::Pl1,
                                        kolv::FitColumn::Pl2,       kolv::FitColumn::Pl3,
                                        kolv::FitColumn::UpperMass, kolv::FitColumn::TotalMass};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteTaker taker(data, size);
  const std::uint8_t kind = taker.byte();
  const std::uint8_t other = taker.byte();
  const char delimiter = fuzz::delimiterFrom(kind, other);
  const kolv::FitColumn column = kColumns[taker.byte() % std::size(kColumns)];
  std::istringstream in{std::string(taker.rest())};

  KolvState measured;
  const auto imported = kolv::importTransectStream(measured, in, delimiter);
  if (!imported.ok()) {
    FUZZ_CHECK(imported.message().rfind(base::kImportFailed, 0) == 0,
               "a refusal without its message");
    FUZZ_CHECK(!measured.imported, "a refused observed file was taken");
    return 0;
  }
  const KolvState& study = heldStudy();
  const auto profile = kolv::observedProfile(study, measured, column);
  if (!profile.ok()) return 0;
  FUZZ_CHECK(profile->values.size() == static_cast<std::size_t>(study.params.NodeCount),
             "a profile of another length than the study");
  FUZZ_CHECK(profile->sequence > study.params.FileSeqNo, "a profile not after the study");
  double sum = 0.0;
  for (const double v : profile->values) {
    FUZZ_CHECK(std::isfinite(v), "a value that is not finite in an accepted profile");
    sum += v * v;
  }
  FUZZ_CHECK(std::isfinite(sum), "the squares of an accepted profile overflow");
  return 0;
}
