// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// NIBAL through the years: each step computes both directions' soil loss on
// the same surface, as one year of the one-year run, and lowers every node
// by its loss over the bulk density (dz = -loss / rho, loss in kg/m2, rho in
// kg/m3, dz in m). A year is `passesPerYear` equal steps of loss / K each.
// No-data nodes stay no-data, and no-data and the grid's edge end every line
// in every step as they do in one year (large_grid.h).
//
// Two routes give the same bits: the plain year-by-year loop over the whole
// grid (runYears, the reference) and the block evolution the streamed run
// uses (evolveBlock): a block of lines with a halo of 2 cells a step around
// the lines it keeps, since a node's step reads two nodes either side.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "nibal/large_grid.h"

namespace sodwright::nibal {

struct YearsSettings {
  int years = 1;
  int passesPerYear = 1;
  double bulkDensity = 1350.0;  // kg/m3
  int every = 0;                // snapshot of the change every this many years; 0: none
  std::int64_t steps() const { return static_cast<std::int64_t>(years) * passesPerYear; }
  // The years whose change is kept as a snapshot, in order.
  std::vector<int> snapshotYears() const;
};

// The band names of a run of years, in the order written: the three mean
// annual soil losses, ElevationChange, Elevation and ElevationChange_Y<year>
// for each snapshot.
std::vector<std::string> yearsBandNames(const YearsSettings& settings);

// The options as typed; an empty text is an option left out.
struct YearsTexts {
  std::string years;
  std::string bulkDensity;
  std::string passesPerYear;
  std::string every;
};

inline constexpr double kUsualLeastBulkDensity = 500.0;
inline constexpr double kUsualMostBulkDensity = 2500.0;

// The settings, or the refusal naming the option: years, passes and the
// snapshot interval are whole numbers from 1 (the interval at most the
// years), the bulk density a number above 0; --years and --bulk-density are
// both needed. A density outside the usual range is taken, with a warning
// into `warning`.
base::Result<YearsSettings> readYearsSettings(const YearsTexts& texts, std::string& warning);

// The short-wave measure of a surface: the sum of squared second
// differences along the lines and along the columns, over the nodes whose
// two neighbours in that direction are valid, and their number.
struct ShortWave {
  double squares = 0.0;
  std::int64_t count = 0;
  double rms() const;
};

// What a run of years gives, node by node (rows outer): the mean annual
// soil loss of each direction and their sum (kg/m2 per year), the
// cumulative change of elevation (m), the final surface, the change at
// each snapshot year, and the short-wave measure of the first and the last
// surface over the rows kept.
struct YearsGrid {
  int rows = 0;
  int columns = 0;
  std::vector<double> meanLossSum;
  std::vector<double> meanLossRow;
  std::vector<double> meanLossCol;
  std::vector<double> change;
  std::vector<double> surface;
  std::vector<std::vector<double>> snapshots;
  ShortWave before;
  ShortWave after;
};

// The reference: the plain year-by-year loop over the whole grid in memory
// (`elevation` rows outer, NaN for no-data).
YearsGrid runYears(const ElevationView& grid, const GridCoefficients& k,
                   const YearsSettings& settings);

// The block evolution: `block` holds its cells (NaN no-data) and where they
// lie in the model; lines keepFirst .. keepFirst + keepRows - 1 and columns
// keepLeft .. keepLeft + keepColumns - 1 of the block are kept. The block
// must reach 2 x steps + 1 cells beyond the kept ones on every side, or the
// model's edge. Steps share their lines among `threads` workers; the result
// does not depend on their number.
YearsGrid evolveBlock(const ElevationBlock& block, const GridCoefficients& k,
                      const YearsSettings& settings, int keepFirst, int keepRows, int keepLeft,
                      int keepColumns, int threads);

// The cells a block needs beyond the kept ones on each side.
inline std::int64_t yearsHalo(const YearsSettings& settings) { return 2 * settings.steps() + 1; }

// After the run: whether the short-wave part of the surface grew past twice
// its start (and past a floor of kShortWaveFloor m), as an unstable explicit
// step makes it do; and by how much.
inline constexpr double kShortWaveFloor = 1e-6;
struct YearsGrowth {
  double factor = 1.0;  // after / before (root mean squares)
  bool grew = false;
};
YearsGrowth shortWaveGrowth(const ShortWave& before, const ShortWave& after);

}  // namespace sodwright::nibal
