// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_years.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/number_text.h"
#include "base/threads/parallel.h"

namespace sodwright::nibal {

std::vector<int> YearsSettings::snapshotYears() const {
  std::vector<int> out;
  if (every > 0)
    for (int y = every; y <= years; y += every) out.push_back(y);
  return out;
}

std::vector<std::string> yearsBandNames(const YearsSettings& settings) {
  std::vector<std::string> out = {"SoilLossSum", "SoilLossRow", "SoilLossCol", "ElevationChange",
                                  "Elevation"};
  for (int year : settings.snapshotYears())
    out.push_back("ElevationChange_Y" + std::to_string(year));
  return out;
}

namespace {

std::optional<int> wholeFromOne(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < 1) return std::nullopt;
  return value;
}

std::string wholeRefusal(const std::string& option, const std::string& what,
                         const std::string& text) {
  return option + " takes a whole number of " + what + " from 1, not \"" + text + "\".";
}

}  // namespace

base::Result<YearsSettings> readYearsSettings(const YearsTexts& texts, std::string& warning) {
  warning.clear();
  if (texts.years.empty())
    return base::fail("--bulk-density, --passes-per-year and --every go with --years N.");
  if (texts.bulkDensity.empty())
    return base::fail(
        "--years needs --bulk-density RHO (kg/m3) to turn soil loss into a change "
        "of elevation.");
  YearsSettings settings;
  const std::optional<int> years = wholeFromOne(texts.years);
  if (!years) return base::fail(wholeRefusal("--years", "years", texts.years));
  settings.years = *years;
  const std::optional<double> density = base::parseStrictNumber(texts.bulkDensity);
  if (!density || !std::isfinite(*density) || *density <= 0.0)
    return base::fail("--bulk-density takes a soil bulk density in kg/m3 above 0, not \"" +
                      texts.bulkDensity + "\".");
  settings.bulkDensity = *density;
  if (!texts.passesPerYear.empty()) {
    const std::optional<int> passes = wholeFromOne(texts.passesPerYear);
    if (!passes) return base::fail(wholeRefusal("--passes-per-year", "steps", texts.passesPerYear));
    settings.passesPerYear = *passes;
  }
  if (!texts.every.empty()) {
    const std::optional<int> every = wholeFromOne(texts.every);
    if (!every || *every > settings.years)
      return base::fail("--every takes a whole number of years from 1 to --years (" +
                        std::to_string(settings.years) + "), not \"" + texts.every + "\".");
    settings.every = *every;
  }
  if (settings.bulkDensity < kUsualLeastBulkDensity || settings.bulkDensity > kUsualMostBulkDensity)
    warning = "a bulk density of " + base::generalText(settings.bulkDensity) +
              " kg/m3 is outside the usual 500-2,500 kg/m3 of soils; the run goes ahead with it.";
  return settings;
}

double ShortWave::rms() const {
  return count > 0 ? std::sqrt(squares / static_cast<double>(count)) : 0.0;
}

YearsGrowth shortWaveGrowth(const ShortWave& before, const ShortWave& after) {
  YearsGrowth growth;
  const double first = before.rms();
  const double last = after.rms();
  growth.factor = first > 0.0 ? last / first : (last > 0.0 ? INFINITY : 1.0);
  growth.grew = !(last <= 2.0 * std::max(first, kShortWaveFloor));  // NaN grew as well
  return growth;
}

namespace {

// One node's step, the same in both routes: the step's share of the year's
// loss, the surface lowered by it over the bulk density, and the sums of
// the step losses (the first step assigns, so that a -0 of one year stays -0).
struct StepSums {
  double* sum;
  double* row;
  double* col;
};
inline void advanceNode(const NodeResults& n, double z, double passes, double density, double& next,
                        const StepSums& sums, std::size_t at, bool first) {
  const double stepSum = n.soilLossSum / passes;
  const double stepRow = n.soilLossRow / passes;
  const double stepCol = n.soilLossCol / passes;
  next = z - stepSum / density;
  if (first) {
    sums.sum[at] = stepSum;
    sums.row[at] = stepRow;
    sums.col[at] = stepCol;
  } else {
    sums.sum[at] += stepSum;
    sums.row[at] += stepRow;
    sums.col[at] += stepCol;
  }
}

// The short-wave measure of lines first .. first + count - 1 and columns
// left .. left + width - 1 of a surface of `rows` x `columns` cells, each
// line summed on its own and the lines added in order.
ShortWave shortWaveOf(const double* z, std::ptrdiff_t stride, int rows, int columns, int first,
                      int count, int left, int width) {
  ShortWave total;
  for (int r = first; r < first + count; ++r) {
    double squares = 0.0;
    std::int64_t n = 0;
    const double* line = z + r * stride;
    for (int c = left; c < left + width; ++c) {
      if (std::isnan(line[c])) continue;
      if (c > 0 && c + 1 < columns && !std::isnan(line[c - 1]) && !std::isnan(line[c + 1])) {
        const double d = line[c - 1] - 2.0 * line[c] + line[c + 1];
        squares += d * d;
        ++n;
      }
      if (r > 0 && r + 1 < rows) {
        const double above = line[c - stride];
        const double below = line[c + stride];
        if (!std::isnan(above) && !std::isnan(below)) {
          const double d = above - 2.0 * line[c] + below;
          squares += d * d;
          ++n;
        }
      }
    }
    total.squares += squares;
    total.count += n;
  }
  return total;
}

void sizeResult(YearsGrid& out, int rows, int columns, const YearsSettings& settings) {
  const auto n = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
  out.rows = rows;
  out.columns = columns;
  for (std::vector<double>* v :
       {&out.meanLossSum, &out.meanLossRow, &out.meanLossCol, &out.change, &out.surface})
    v->assign(n, 0.0);
  out.snapshots.assign(settings.snapshotYears().size(), std::vector<double>(n));
}

bool snapshotDue(const YearsSettings& settings, std::int64_t step) {
  // After the step that ends a year that is a multiple of the interval.
  if (settings.every <= 0 || (step + 1) % settings.passesPerYear != 0) return false;
  return ((step + 1) / settings.passesPerYear) % settings.every == 0;
}

}  // namespace

YearsGrid runYears(const ElevationView& grid, const GridCoefficients& k,
                   const YearsSettings& settings) {
  const int rows = grid.rows;
  const int columns = grid.columns;
  const auto n = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
  YearsGrid out;
  sizeResult(out, rows, columns, settings);
  std::vector<double> now(grid.elevation, grid.elevation + n);
  std::vector<double> next(n);
  std::vector<NodeResults> nodes(static_cast<std::size_t>(columns));
  const StepSums sums{out.meanLossSum.data(), out.meanLossRow.data(), out.meanLossCol.data()};
  const auto passes = static_cast<double>(settings.passesPerYear);
  std::size_t snapshot = 0;
  for (std::int64_t step = 0; step < settings.steps(); ++step) {
    const ElevationBlock block{now.data(),      columns,           0, rows, 0, columns,
                               grid.rowSpacing, grid.columnSpacing};
    for (int r = 0; r < rows; ++r) {
      computeBlockRow(block, k, r, 0, columns, nodes.data());
      for (int c = 0; c < columns; ++c) {
        const std::size_t at = static_cast<std::size_t>(r) * columns + c;
        advanceNode(nodes[static_cast<std::size_t>(c)], now[at], passes, settings.bulkDensity,
                    next[at], sums, at, step == 0);
      }
    }
    now.swap(next);
    if (snapshotDue(settings, step)) {
      for (std::size_t at = 0; at < n; ++at)
        out.snapshots[snapshot][at] = now[at] - grid.elevation[at];
      ++snapshot;
    }
  }
  for (std::size_t at = 0; at < n; ++at) {
    out.meanLossSum[at] /= settings.years;
    out.meanLossRow[at] /= settings.years;
    out.meanLossCol[at] /= settings.years;
    out.change[at] = now[at] - grid.elevation[at];
    out.surface[at] = now[at];
  }
  out.before = shortWaveOf(grid.elevation, columns, rows, columns, 0, rows, 0, columns);
  out.after = shortWaveOf(now.data(), columns, rows, columns, 0, rows, 0, columns);
  return out;
}

YearsGrid evolveBlock(const ElevationBlock& block, const GridCoefficients& k,
                      const YearsSettings& settings, int keepFirst, int keepRows, int keepLeft,
                      int keepColumns, int threads) {
  const int rows = block.rows;
  const int columns = block.columns;
  const auto cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
  // The block's own cells are the first surface (read, not copied: a strip
  // of many columns is the run's largest array).
  const auto start = [&block](int r, int c) {
    return block.elevation[static_cast<std::ptrdiff_t>(r) * block.stride + c];
  };
  std::vector<double> now(cells);
  for (int r = 0; r < rows; ++r)
    std::copy_n(block.elevation + static_cast<std::ptrdiff_t>(r) * block.stride, columns,
                now.begin() + static_cast<std::ptrdiff_t>(r) * columns);
  std::vector<double> next = now;

  YearsGrid out;
  sizeResult(out, keepRows, keepColumns, settings);
  const StepSums sums{out.meanLossSum.data(), out.meanLossRow.data(), out.meanLossCol.data()};
  const auto passes = static_cast<double>(settings.passesPerYear);
  const std::int64_t steps = settings.steps();
  const int workers = base::workerCount(threads);
  std::size_t snapshot = 0;
  const auto keptAt = [&](int r, int c) {
    return static_cast<std::size_t>(r - keepFirst) * static_cast<std::size_t>(keepColumns) +
           static_cast<std::size_t>(c - keepLeft);
  };
  for (std::int64_t step = 0; step < steps; ++step) {
    // The lines whose values the kept ones still need after this step: one
    // more than the two a step reads, so that the last surface's neighbours
    // of the kept lines are right for the short-wave measure.
    const std::int64_t margin = 2 * (steps - 1 - step) + 1;
    const int from = static_cast<int>(std::max<std::int64_t>(0, keepFirst - margin));
    const int to = static_cast<int>(std::min<std::int64_t>(rows, keepFirst + keepRows + margin));
    const ElevationBlock surface{now.data(),        columns, block.firstRow,   rows,
                                 block.firstColumn, columns, block.rowSpacing, block.columnSpacing};
    const bool first = step == 0;
    const int parts = std::max(1, std::min(workers, to - from));
    base::runParts(parts, [&](int part) {
      std::vector<NodeResults> nodes(static_cast<std::size_t>(columns));
      for (int r = from + part; r < to; r += parts) {
        computeBlockRow(surface, k, block.firstRow + r, block.firstColumn, columns, nodes.data());
        const bool kept = r >= keepFirst && r < keepFirst + keepRows;
        const std::size_t line = static_cast<std::size_t>(r) * static_cast<std::size_t>(columns);
        for (int c = 0; c < columns; ++c) {
          const NodeResults& node = nodes[static_cast<std::size_t>(c)];
          if (kept && c >= keepLeft && c < keepLeft + keepColumns)
            advanceNode(node, now[line + c], passes, settings.bulkDensity, next[line + c], sums,
                        keptAt(r, c), first);
          else
            next[line + c] = now[line + c] - node.soilLossSum / passes / settings.bulkDensity;
        }
      }
    });
    now.swap(next);
    if (snapshotDue(settings, step)) {
      for (int r = keepFirst; r < keepFirst + keepRows; ++r)
        for (int c = keepLeft; c < keepLeft + keepColumns; ++c) {
          const std::size_t at = static_cast<std::size_t>(r) * columns + c;
          out.snapshots[snapshot][keptAt(r, c)] = now[at] - start(r, c);
        }
      ++snapshot;
    }
  }
  for (int r = keepFirst; r < keepFirst + keepRows; ++r)
    for (int c = keepLeft; c < keepLeft + keepColumns; ++c) {
      const std::size_t at = static_cast<std::size_t>(r) * columns + c;
      const std::size_t to = keptAt(r, c);
      out.meanLossSum[to] /= settings.years;
      out.meanLossRow[to] /= settings.years;
      out.meanLossCol[to] /= settings.years;
      out.change[to] = now[at] - start(r, c);
      out.surface[to] = now[at];
    }
  out.before = shortWaveOf(block.elevation, block.stride, rows, columns, keepFirst, keepRows,
                           keepLeft, keepColumns);
  out.after =
      shortWaveOf(now.data(), columns, rows, columns, keepFirst, keepRows, keepLeft, keepColumns);
  return out;
}

}  // namespace sodwright::nibal
