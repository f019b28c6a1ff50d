#include <gtest/gtest.h>

#include "grid/grid_checks.h"
#include "grid/grid_messages.h"

namespace sodwright::nibal {
namespace {

GridBoxCheck check(const std::string& rows, const std::string& columns, const std::string& dx = "1",
                   const std::string& dy = "1") {
  return checkGridBoxes({rows, columns, dx, dy});
}

TEST(GridBoxChecks, AcceptsFourByFourAndKeepsTheTypedTexts) {
  const GridBoxCheck accepted = checkGridBoxes({" 4", "5 ", "2.5", "0.5"});
  ASSERT_EQ(accepted.verdict, GridBoxVerdict::Accepted);
  EXPECT_TRUE(accepted.message.empty());
  EXPECT_EQ(accepted.definition.rows, 4);
  EXPECT_EQ(accepted.definition.columns, 5);
  EXPECT_EQ(accepted.definition.rowsText, " 4");
  EXPECT_EQ(accepted.definition.columnsText, "5 ");
  EXPECT_EQ(accepted.definition.rowSpacingText, "2.5");
  EXPECT_EQ(accepted.definition.columnSpacingText, "0.5");
}

TEST(GridBoxChecks, ValuesOutsideTheirLimitsAskForNewInput) {
  for (const GridBoxCheck& refused :
       {check("3", "4"), check("4", "3"), check("4", "4", "0"), check("4", "4", "1", "-2"),
        check("-5", "4"), check("4.5", "4"), check("4", "6.25")}) {
    EXPECT_EQ(refused.verdict, GridBoxVerdict::ValueWrong);
    EXPECT_EQ(refused.message, kGridValueWrong);
  }
}

TEST(GridBoxChecks, TextsThatAreNoNumbersAndTooManyNodesFailTheImport) {
  for (const GridBoxCheck& refused :
       {check("", "4"), check("4", "x"), check("4", "4", ""), check("4", "4", "1", "1m"),
        check("200", "200"), check("32768", "4")}) {
    EXPECT_EQ(refused.verdict, GridBoxVerdict::WrongOrTooLarge);
    EXPECT_EQ(refused.message, kGridWrongOrImportFailed);
  }
}

TEST(GridBoxChecks, TheLargestSquareGridFitsTheNodeCount) {
  EXPECT_EQ(check("181", "181").verdict, GridBoxVerdict::Accepted);         // 32761 nodes
  EXPECT_EQ(check("182", "181").verdict, GridBoxVerdict::WrongOrTooLarge);  // 32942 nodes
  EXPECT_EQ(check("4", "8191").verdict, GridBoxVerdict::Accepted);          // 32764 nodes
  EXPECT_EQ(check("4", "8192").verdict, GridBoxVerdict::WrongOrTooLarge);   // 32768 nodes
}

}  // namespace
}  // namespace sodwright::nibal
