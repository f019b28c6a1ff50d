// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_model.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fakes/recording_services.h"
#include "grid_test_support.h"
#include "nibal/grid_commands.h"
#include "nibal/grid_messages.h"

namespace sodwright::nibal {
namespace {

using testing::makeGrid;

void runBothDirections(GridState& state, double bettaRow = 3, double gammaRow = 6,
                       double bettaCol = 6, double gammaCol = 12) {
  state.info.BettaRow = bettaRow;
  state.info.GammaRow = gammaRow;
  state.info.BettaCol = bettaCol;
  state.info.GammaCol = gammaCol;
  clearGridResults(state);
  computeColumnDirection(state);
  computeRowDirection(state);
  computeSoilLossSum(state);
}

std::vector<double> column(const GridArray<double>& grid, int c) {
  std::vector<double> values;
  for (int r = 1; r <= grid.rows(); ++r) values.push_back(grid(r, c));
  return values;
}
std::vector<double> row(const GridArray<double>& grid, int r) {
  std::vector<double> values;
  for (int c = 1; c <= grid.columns(); ++c) values.push_back(grid(r, c));
  return values;
}

TEST(GridModel, FlatGridMovesNoSoil) {
  GridState state = makeGrid(
      5, 7, [](int, int) { return 123.4; }, "2", "3");
  runBothDirections(state);
  const GridResults& out = state.results;
  for (const GridArray<double>* grid : {&out.DGradCol, &out.DCurvCol, &out.DGradRow, &out.DCurvRow,
                                        &out.SoilLossCol, &out.SoilLossRow, &out.SoilLossSum})
    for (int r = 1; r <= 5; ++r)
      for (int c = 1; c <= 7; ++c) EXPECT_EQ((*grid)(r, c), 0.0);
}

TEST(GridModel, SingleBumpGivesTheWorkedNumbersInBothDirections) {
  GridState state = makeGrid(4, 4, [](int r, int c) { return r == 2 && c == 2 ? 1.0 : 0.0; });
  runBothDirections(state);
  const GridResults& out = state.results;
  EXPECT_EQ(column(out.DGradCol, 2), (std::vector<double>{100, -200, 100, 0}));
  EXPECT_EQ(column(out.DCurvCol, 2), (std::vector<double>{-200, 0, 200, -100}));
  EXPECT_EQ(column(out.SoilLossCol, 2), (std::vector<double>{1800, 1200, -3000, 1200}));
  // Along row 2 with BettaRow 3 and GammaRow 6.
  EXPECT_EQ(row(out.DGradRow, 2), (std::vector<double>{100, -200, 100, 0}));
  EXPECT_EQ(row(out.DCurvRow, 2), (std::vector<double>{-200, 0, 200, -100}));
  EXPECT_EQ(row(out.SoilLossRow, 2), (std::vector<double>{900, 600, -1500, 600}));
  EXPECT_EQ(out.SoilLossSum(2, 2), 1800.0);
  EXPECT_EQ(out.SoilLossSum(3, 2), -3000.0);
  // Columns and rows away from the bump stay level.
  EXPECT_EQ(column(out.SoilLossCol, 3), (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(row(out.SoilLossRow, 4), (std::vector<double>{0, 0, 0, 0}));
}

TEST(GridModel, TiltedPlaneErodesOnlyNearTheEdges) {
  const double d = 2.0;
  GridState state = makeGrid(
      6, 4, [](int r, int) { return static_cast<double>(r); }, "5", "2");
  runBothDirections(state);
  const GridResults& out = state.results;
  EXPECT_EQ(column(out.DGradCol, 3), (std::vector<double>{100 / d, 0, 0, 0, 0, -100 / d}));
  EXPECT_EQ(column(out.DCurvCol, 3), (std::vector<double>{0, -100 / d / d, 0, 0, -100 / d / d, 0}));
  const std::vector<double> loss = column(out.SoilLossCol, 3);
  EXPECT_DOUBLE_EQ(loss[0], -(6 * 100 / d) / d);
  EXPECT_DOUBLE_EQ(loss[1], -(12 * -100 / d / d) / d);
  EXPECT_EQ(loss[2], 0.0);
  EXPECT_EQ(loss[3], 0.0);
  EXPECT_DOUBLE_EQ(loss[4], -(12 * -100 / d / d) / d);
  EXPECT_DOUBLE_EQ(loss[5], -(6 * -100 / d) / d);
  // Across the slope nothing moves.
  for (int r = 1; r <= 6; ++r)
    EXPECT_EQ(row(out.SoilLossRow, r), (std::vector<double>{0, 0, 0, 0}));
}

TEST(GridModel, EachDirectionUsesItsOwnSpacingAndCoefficients) {
  // A ramp along the rows only: z = c. The row direction sees it, the column direction does not.
  GridState state = makeGrid(
      4, 5, [](int, int c) { return 10.0 * c; }, "4", "1");
  runBothDirections(state, 2, 0, 6, 12);
  EXPECT_EQ(state.results.DGradRow(1, 1), 100.0 * 10 / 4);
  EXPECT_EQ(state.results.SoilLossRow(1, 1), -(2 * 250.0) / 4);
  EXPECT_EQ(state.results.SoilLossCol(1, 1), 0.0);
}

TEST(GridParameters, MissingCoefficientsAreNotedInTheirOrder) {
  GridInfo info;
  EXPECT_TRUE(readGridParameters(info, GridParameterTexts{}).empty());
  EXPECT_EQ(info.BettaRow, 3.0);
  EXPECT_EQ(info.GammaCol, 12.0);

  GridParameterTexts texts;
  texts.GammaRow = "";
  texts.GammaCol = "abc";
  EXPECT_EQ(readGridParameters(info, texts),
            (std::vector<std::string_view>{kGammaRowMissing, kGammaColMissing}));
  EXPECT_FALSE(allParametersMissing(info));

  texts = {"0", " ", "-0", "x"};
  EXPECT_EQ(readGridParameters(info, texts),
            (std::vector<std::string_view>{kBettaColMissing, kBettaRowMissing, kGammaRowMissing,
                                           kGammaColMissing}));
  EXPECT_TRUE(allParametersMissing(info));
  EXPECT_FALSE(std::signbit(info.BettaCol));  // a typed -0 is stored as 0

  texts = {"2.5 m", "1E1", "-4", "7"};
  EXPECT_TRUE(readGridParameters(info, texts).empty());
  EXPECT_EQ(info.BettaRow, 2.5);
  EXPECT_EQ(info.GammaRow, 10.0);
  EXPECT_EQ(info.BettaCol, -4.0);
}

TEST(GridModel, OverflowFailsTheRunNamingTheFirstNode) {
  // The gradient between rows 1 and 2 overflows; rows are level.
  GridState state = makeGrid(4, 4, [](int r, int c) { return r == 2 && c > 2 ? 1e306 : -1e306; });
  runBothDirections(state);
  const auto fault = firstNonFiniteResult(state);
  ASSERT_TRUE(fault);
  EXPECT_EQ(std::string(fault->grid), "DGradCol");
  EXPECT_EQ(fault->row, 1);
  EXPECT_EQ(fault->column, 3);
  GridState level = makeGrid(4, 4, [](int, int) { return 1.0; });
  runBothDirections(level);
  EXPECT_FALSE(firstNonFiniteResult(level));

  // "Run NIBAL" shows the failure with that node and asks for no report file.
  platform::FakePlatform fake;
  fake.fileDialogs.names = {::testing::TempDir() + "overflow-report.txt"};
  EXPECT_EQ(runGridModel(state, GridParameterTexts{}, fake.context, "DATE"), RunOutcome::Failed);
  EXPECT_EQ(fake.messages.texts(),
            std::vector<std::string>{std::string(kOutputFailed) +
                                     "\nThe result DGradCol at row 1, column 3 is not a "
                                     "finite number (Infinity or NaN)."});
  EXPECT_TRUE(fake.fileDialogs.saveFilters.empty());
  EXPECT_TRUE(fake.programs.textFiles.empty());
}

}  // namespace
}  // namespace sodwright::nibal
