// SPDX-License-Identifier: GPL-3.0-or-later
#include "kolv/io/compare_csv_writer.h"

#include <sstream>

#include <gtest/gtest.h>

#include "base/text/text_file.h"
#include "kolv/io/transect_import.h"
#include "kolv/transect_text.h"

namespace sodwright::kolv {
namespace {

// Three points at sequence 7 with a unit that holds a comma; compared 7 to 7
// as an import leaves it (empty amounts).
TEST(CompareCsv, NamesWithUnitsQuotedWhereNeededAndNumbersInFull) {
  testing::TransectHeader h;
  h.sequence = "7";
  h.points = " 3 ";
  h.interval = " .1 ";
  KolvState state;
  const std::vector<std::string> rows = {"12.3456785\t0\t1.5\t0.2\t0.05\t100.1234565",
                                         "0.125\t0\t2\t0.2\t0\t99.9999995",
                                         "1\t7\t3.25\t0.2\t0\t-0.5"};
  ASSERT_TRUE(
      importTransectLines(state, base::splitLines(testing::transectText(h, rows)), '\t').ok());
  state.data.SubstanceUnit = "mg \"P\", dry";

  std::ostringstream out;
  writeCompareCsv(out, state, 7, 7, [](int point) { return point == 2; });
  const auto lines = base::splitLines(out.str());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(out.str().substr(out.str().size() - 2), "\r\n");
  EXPECT_EQ(
      lines[0].rfind(
          "x (m),\"P1_7 (mg \"\"P\"\", dry/kg)\",\"P2_7 (mg \"\"P\"\", dry/kg)\",L1_7 (m),", 0),
      0u);
  EXPECT_NE(lines[0].find(",L1_7 (m),L2_7 (m),Elev7 (m),\"C_UpLayer7 (mg \"\"P\"\", dry)\","),
            std::string::npos);
  const std::string tail =
      ",\"P3 (mg \"\"P\"\", dry/kg)\",DeltaElev (m),SoilLoss (kg/m2/Seq),EndZone";
  EXPECT_EQ(lines[0].substr(lines[0].size() - tail.size()), tail);
  // x of point 2 is 2 x 0.1 rounded to a Single; the elevation every digit.
  EXPECT_EQ(lines[3], "0.2,1,7,0.2,0,-0.5,0,0,0,0,1,7,0.2,0,-0.5,0,0,0,0,3.25,0,0,1");
  EXPECT_EQ(lines[1].substr(0, 30), "0,12.3456785,0,0.2,0.05,100.12");
  EXPECT_NE(lines[1].find(",100.1234565,"), std::string::npos);
  EXPECT_EQ(lines[1].substr(lines[1].size() - 2), ",0");

  std::ostringstream plain;
  writeCompareCsv(plain, state, 7, 7);
  EXPECT_EQ(base::splitLines(plain.str())[0].find("EndZone"), std::string::npos);
}

}  // namespace
}  // namespace sodwright::kolv
