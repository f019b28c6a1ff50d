// SPDX-License-Identifier: GPL-3.0-or-later
#include "nibal/grid_checks.h"

#include <gtest/gtest.h>

#include "nibal/grid_messages.h"

namespace sodwright::nibal {
namespace {

base::Result<GridDefinition> check(const std::string& rows, const std::string& columns,
                                   const std::string& dx = "1", const std::string& dy = "1") {
  return checkGridSize({rows, columns, dx, dy});
}

TEST(GridBoxChecks, AcceptsFourByFourAndKeepsTheTypedTexts) {
  const auto accepted = checkGridSize({" 4", "5 ", "2.5", "0.5"});
  ASSERT_TRUE(accepted.ok());
  EXPECT_EQ(accepted->rows, 4);
  EXPECT_EQ(accepted->columns, 5);
  EXPECT_EQ(accepted->rowsText, " 4");
  EXPECT_EQ(accepted->columnsText, "5 ");
  EXPECT_EQ(accepted->rowSpacingText, "2.5");
  EXPECT_EQ(accepted->columnSpacingText, "0.5");
}

TEST(GridBoxChecks, ValuesOutsideTheirLimitsAskForNewInput) {
  for (const auto& refused :
       {check("3", "4"), check("4", "3"), check("4", "4", "0"), check("4", "4", "1", "-2"),
        check("-5", "4"), check("4.5", "4"), check("4", "6.25")}) {
    EXPECT_EQ(refused.message(), kGridValueWrong);
  }
}

TEST(GridBoxChecks, TextsThatAreNoNumbersAndTooManyNodesFailTheImport) {
  for (const auto& refused :
       {check("", "4"), check("4", "x"), check("4", "4", ""), check("4", "4", "1", "1m"),
        check("200", "200"), check("32768", "4")}) {
    EXPECT_EQ(refused.message(), kGridWrongOrImportFailed);
  }
}

TEST(GridBoxChecks, TheLargestSquareGridFitsTheNodeCount) {
  EXPECT_TRUE(check("181", "181").ok());                               // 32761 nodes
  EXPECT_EQ(check("182", "181").message(), kGridWrongOrImportFailed);  // 32942 nodes
  EXPECT_TRUE(check("4", "8191").ok());                                // 32764 nodes
  EXPECT_EQ(check("4", "8192").message(), kGridWrongOrImportFailed);   // 32768 nodes
}

// The refused box comes first in the order of the checks, with its reason.
TEST(GridBoxChecks, RefusalNamesTheBoxAndItsRange) {
  const GridSizeRefusal text = gridSizeRefusal({"40", "3x", "2", "2"});
  EXPECT_EQ(
      base::optionRefusalText(text.option, text.typed, kGridWrongOrImportFailed, text.refusal),
      "--columns 3x: Grid information wrong or importing data failed, please try again (not "
      "a number; accepted: a whole number above 3)");
  const GridSizeRefusal spacing = gridSizeRefusal({"40", "30", "2", "0"});
  EXPECT_EQ(spacing.box, "Column Spacing");
  EXPECT_EQ(spacing.refusal.accepted, "a spacing above 0 m");
  EXPECT_EQ(gridSizeRefusal({"4.5", "30", "2", "2"}).option, "--rows");
  EXPECT_EQ(gridSizeRefusal({"200", "200", "2", "2"}).refusal.reason,
            "Rows x Columns is 40000 nodes");
}

}  // namespace
}  // namespace sodwright::nibal
