// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text/progress_line.h"

#include <sstream>

#include <gtest/gtest.h>

namespace sodwright::base {
namespace {

// A run on a pipe: silent during its first second, then one line each time
// another five percent are done (never the same step twice), and the
// closing line last.
TEST(ProgressLine, LinesEveryFewPercentAfterTheFirstMoment) {
  double now = 100.0;
  std::ostringstream out;
  ProgressLine progress(out, false, [&] { return now; });
  progress.update(10, 200);
  now += 0.5;
  progress.update(20, 200);
  EXPECT_EQ(out.str(), "");
  now += 1.0;
  progress.update(1, 200);  // under five percent: no line yet
  progress.update(21, 200);
  progress.update(22, 200);
  progress.update(40, 200);
  progress.update(199, 200);
  progress.update(200, 200);
  progress.finish("closing");
  EXPECT_EQ(out.str(),
            "10 % (21 of 200 lines)\n20 % (40 of 200 lines)\n95 % (199 of 200 lines)\n"
            "100 % (200 of 200 lines)\nclosing\n");
  EXPECT_DOUBLE_EQ(progress.elapsed(), 1.5);
}

// On a terminal the bar is redrawn in place and ended before the closing
// line; a quick run shows the closing line alone.
TEST(ProgressLine, BarOnATerminal) {
  double now = 0.0;
  std::ostringstream out;
  ProgressLine progress(out, true, [&] { return now; });
  now = 2.0;
  progress.update(1, 4);
  progress.update(1, 4);
  progress.update(4, 4);
  progress.finish("done");
  const std::string quarter = "\r[" + std::string(10, '#') + std::string(30, ' ') + "] 25 %";
  const std::string full = "\r[" + std::string(40, '#') + "] 100 %";
  EXPECT_EQ(out.str(), quarter + full + "\ndone\n");

  std::ostringstream quick;
  ProgressLine fast(quick, true, [] { return 5.0; });
  fast.update(4, 4);
  fast.finish("done");
  EXPECT_EQ(quick.str(), "done\n");
}

}  // namespace
}  // namespace sodwright::base
